#include "msgbox-editor/ui/fenprin.hpp"

#include "common/testing/lenteur.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"
#include "msgbox-editor/ui/barreinversee.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace brevolet;
using velmaro::testing::FakeServices;

namespace {

QString code(const FenPrin& f) { return f.TextMsgBox->toPlainText(); }

// The window shown, with its fake services.
struct Fenetre {
    FakeServices f;
    FenPrin fen{f};
    Fenetre() { fen.show(); }
};

void presser(QWidget* w, Qt::MouseButton bouton)
{
    QTest::mousePress(w, bouton);
    QTest::mouseRelease(w, bouton);
}

// Shows a preview (CmdVisu_Click or CmdFontes_Click), lets `inspecter` look
// at the box once it is shown, then presses its default button.
template <typename F>
void apercu(FenPrin& fen, void (FenPrin::*montrer)(), F inspecter)
{
    QTimer::singleShot(0, &fen, [&fen, inspecter] {
        ASSERT_NE(fen.boiteOuverte(), nullptr);
        inspecter(fen.boiteOuverte());
        fen.boiteOuverte()->appuyerBoutonParDefaut();
    });
    (fen.*montrer)();
}

} // namespace

// Start-up values, the code line and the copy are in the table below and the desktop tests.
TEST(FenPrin, Demarrage)
{
    Fenetre w;
    const FenPrin& fen = w.fen;
    EXPECT_TRUE(fen.TextMsgBox->isReadOnly());
    EXPECT_TRUE(!(fen.windowFlags() & Qt::WindowMaximizeButtonHint) && fen.minimumSize() == fen.maximumSize());
    // The visible client area ends just below the lower frames; BoutonFocus lies below it.
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(8190, 6015));
    EXPECT_GE(fen.BoutonFocus->y(), fen.height());
    // Options one under the other; the wrapped label within its frame.
    EXPECT_EQ(fen.OptDefBtn[2]->geometry(), velmaro::twips(120, 840, 2295, 195));
    EXPECT_LT(fen.Label4->geometry().right(), fen.Frame6->width() - 2);
}

// Each row clicks controls by their captions (c: code form, j: button set,
// d: default button, m: modality, i: icon, pressed with the right button but
// for the stop icon, which takes the keyboard), then checks the code line,
// the default options shown, the tab stop of each group and the copy.
TEST(FenPrin, OptionsLigneDeCodeEtCommentaire)
{
    struct Cas {
        const char* nom;
        std::vector<QString> clics;
        QString code;
        QStringList defauts;
        QStringList commentaire; // icon, buttons, default
    } cas[] = {
        {"exemple_demarrage", {}, "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")", {"OK", "-", "-"},
         {"Sans icône", "OK", "1er"}},
        {"exemple_instruction_question_ouinonannuler_2eme_systeme",
         {"cInstruction", "iQuestion", "jOui/Non/Annuler", "dNon", "mSystème modal"},
         "MsgBox \"Texte du message\", 4387, \"TITRE\"", {"Oui", "Non", "Annuler"}, {"Question", "Oui/Non/Annuler", "2ème"}},
        {"style_le_plus_grand", {"iInformation", "jOui/Non/Annuler", "dAnnuler", "mSystème modal"},
         "Reponse = MsgBox(\"Texte du message\", 4675, \"TITRE\")", {"Oui", "Non", "Annuler"},
         {"Information", "Oui/Non/Annuler", "3ème"}},
        {"ouinonannuler_3eme_puis_ouinon", {"jOui/Non/Annuler", "dAnnuler", "jOui/Non"},
         "Reponse = MsgBox(\"Texte du message\", 260, \"TITRE\")", {"Oui", "Non", "-"}, {"Sans icône", "Oui/Non", "2ème"}},
        {"abandon_3eme_puis_ok", {"iArrêt", "jAbandon/Réessayer/Ignorer", "dIgnorer", "jOK"},
         "Reponse = MsgBox(\"Texte du message\", 16, \"TITRE\")", {"OK", "-", "-"}, {"Stop", "OK", "1er"}},
        {"okannuler_2eme_puis_reessayer_garde_2eme", {"jOK/Annuler", "dAnnuler", "jRéessayer/Annuler"},
         "Reponse = MsgBox(\"Texte du message\", 261, \"TITRE\")", {"Réessayer", "Annuler", "-"},
         {"Sans icône", "Réessayer/Annuler", "2ème"}},
        {"retours_sans_icone_au_1er_application_modale_et_fonction",
         {"cInstruction", "iQuestion", "iSans icône", "jOK/Annuler", "dAnnuler", "mSystème modal", "dOK",
          "mApplication modale", "cFonction"},
         "Reponse = MsgBox(\"Texte du message\", 1, \"TITRE\")", {"OK", "Annuler", "-"}, {"Sans icône", "OK/Annuler", "1er"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Fenetre w;
        auto& [f, fen] = w;
        fen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fen));
        for (const QString& clic : c.clics) {
            QGroupBox* cadre = std::array{fen.Frame1, fen.Frame2, fen.Frame3, fen.Frame4,
                                          fen.Frame5}[QStringLiteral("cjdmi").indexOf(clic[0])];
            QAbstractButton* b = nullptr;
            for (auto* o : cadre->findChildren<QAbstractButton*>())
                if (o->isVisibleTo(cadre) && (o->text() == clic.mid(1) || o->accessibleName() == clic.mid(1)))
                    b = o;
            ASSERT_NE(b, nullptr) << clic.toStdString();
            if (cadre != fen.Frame5) {
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, 6));
                continue;
            }
            b == fen.IcoStop ? QTest::keyClick(b, Qt::Key_Space) : presser(b, Qt::RightButton);
            // Only the chosen icon is captioned, with its name; the focus goes to BoutonFocus.
            QString legendes;
            for (auto* o : cadre->findChildren<QToolButton*>())
                legendes += o->text();
            EXPECT_TRUE(legendes == (b == fen.IcoStop ? "Stop" : b->accessibleName()) && fen.focusWidget() == fen.BoutonFocus);
        }
        EXPECT_EQ(code(fen), c.code);
        QStringList defauts;
        for (auto* o : fen.OptDefBtn)
            defauts << (o->isVisibleTo(fen.Frame3) ? o->text() : QStringLiteral("-"));
        EXPECT_EQ(defauts, c.defauts);
        // Tab goes through each group on its selected option, the default one included.
        QRadioButton* jeu = *std::ranges::find_if(fen.OptTypBouton, &QRadioButton::isChecked);
        jeu->setFocus(Qt::TabFocusReason);
        QTest::keyClick(jeu, Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), fen.OptDefBtn[QStringList({"1er", "2ème", "3ème"}).indexOf(c.commentaire[2])]);
        QTest::keyClick(fen.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), fen.OptTypMod[fen.OptTypMod[0]->isChecked() ? 0 : 1]);

        QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
        EXPECT_EQ(f.clipboard.texte, QString("' Icône : %1, bouton(s) : %2, bouton par défaut : %3\r")
                                         .arg(c.commentaire[0], c.commentaire[1], c.commentaire[2]) + c.code);
    }
}

// Typing, clearing and the one-line copy are on the desktop; here a message of two lines.
TEST(FenPrin, MessageSurDeuxLignesEtSautDeLigne)
{
    Fenetre w;
    auto& [f, fen] = w;
    // "Saut de ligne" replaces the selection through the clipboard.
    fen.TextMsg->setPlainText("Premier Second");
    QTextCursor c = fen.TextMsg->textCursor();
    c.setPosition(7);
    c.setPosition(8, QTextCursor::KeepAnchor);
    fen.TextMsg->setTextCursor(c);
    QTest::mouseClick(fen.CmdSautLign, Qt::LeftButton);
    EXPECT_EQ(f.clipboard.texte, "\" & Chr$(10) & \"");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Premier\" & Chr$(10) & \"Second\", 0, \"TITRE\")");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    fen.TextMsg->selectAll();
    QTest::keyClicks(fen.TextMsg, "Dites \"oui\"");
    QTest::keyClick(fen.TextMsg, Qt::Key_Return);
    QTest::keyClicks(fen.TextMsg, "ou non");
    // Tab leaves the message box instead of going into the text.
    fen.TextMsg->setFocus();
    QTest::keyClick(fen.TextMsg, Qt::Key_Tab);
    EXPECT_EQ(fen.focusWidget(), fen.TextMsgBox);
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Dites \"oui\"\nou non\", 0, \"TITRE\")");
    // A lone CR between the lines; the message keeps its CR LF.
    fen.CmdCopie_Click();
    EXPECT_EQ(f.clipboard.texte, "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r"
                                 "Reponse = MsgBox(\"Dites \"oui\"\r\nou non\", 0, \"TITRE\")");
}

TEST(FenPrin, AideEtPressePapiers)
{
    Fenetre w;
    auto& [f, fen] = w;
    QTest::mouseClick(fen.CmdAide, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    const auto& aide = f.messages.boites[0];
    EXPECT_EQ(aide.titre + " " + QString::number(aide.style), "Saut de ligne 64");
    EXPECT_TRUE(aide.texte.startsWith("   Dans l'éditeur") && aide.texte.endsWith("servent à l'effacement."));
    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    f.launcher.echecs.insert("clipbrd.exe"); // a viewer that cannot start is not reported
    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    ASSERT_EQ(f.launcher.lancements.size(), 1u);
    EXPECT_TRUE(f.launcher.lancements[0].programme == "clipbrd.exe" && f.messages.boites.size() == 1);
}

// Once a fault: letters followed the keyboard's Caps Lock, not the box clicked.
TEST(FenPrin, MajusculesSelonLaZoneCliquee)
{
    struct Cas {
        const char* nom;
        std::function<void(FenPrin&)> clic;
        QString attendu; // typed: a, b, Shift+C, é, 1
    } cas[] = {
        {"gauche_dans_le_titre", [](FenPrin& f) { presser(f.TextTitre, Qt::LeftButton); }, "ABcÉ1"},
        {"droit_dans_le_titre", [](FenPrin& f) { presser(f.TextTitre, Qt::RightButton); }, "abCé1"},
        {"touche_verrouillage_ailleurs_apres_le_message",
         [](FenPrin& f) { QTest::mouseClick(f.TextMsg->viewport(), Qt::LeftButton);
                          QTest::keyClick(f.BoutonFocus, Qt::Key_CapsLock); },
         "ABcÉ1"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Fenetre w;
        FenPrin& fen = w.fen;
        c.clic(fen);
        fen.TextTitre->clear();
        fen.TextMsg->clear();
        // The mode holds in both boxes until the next click.
        for (QWidget* boite : {static_cast<QWidget*>(fen.TextTitre), static_cast<QWidget*>(fen.TextMsg)}) {
            QTest::keyClicks(boite, "ab");
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_C, QStringLiteral("C"), Qt::ShiftModifier);
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
            QTest::keyClicks(boite, "1");
        }
        EXPECT_EQ(fen.TextTitre->text() + " " + fen.TextMsg->toPlainText(), c.attendu + " " + c.attendu);
    }
}

// Pasted in each setting box: brought into its range (in the box too), or
// ignored when it is no number. The reading itself has its own table.
TEST(FenPrin, BoitesDeReglage)
{
    struct Cas {
        int boite; // time, X, Y
        QString tape, texte;
        int barre;
        double valeur; // milliseconds or pixels
    } cas[] = {
        {0, QString(400, QLatin1Char('9')), "60", 60, 60000},
        {1, "2000", "1280", 1280, 1280},
        {2, "Ωμέγα 🙂", "Ωμέγα 🙂", 80, 80},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.boite);
        Fenetre w;
        const FenPrin& fen = w.fen;
        QLineEdit* boite = std::array{fen.AffTemps, fen.AffPosX, fen.AffPosY}[c.boite];
        boite->selectAll();
        boite->insert(c.tape);
        const ReglagesApercu& r = fen.reglages();
        EXPECT_EQ(boite->text(), c.texte);
        const double valeurs[] = {r.TempsAffichage, 1.0 * r.PosX, 1.0 * r.PosY};
        EXPECT_EQ((std::array{fen.ChangeTemps, fen.ChangePosX, fen.ChangePosY}[c.boite]->valeur()), c.barre);
        EXPECT_DOUBLE_EQ(valeurs[c.boite], c.valeur);
    }
}

TEST(FenPrin, BarresEtCentrage)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    fen.move(150, 120);
    // The upper arrow adds one, the upper trough the large step.
    QTest::mouseClick(fen.ChangePosY, Qt::LeftButton, {}, QPoint(fen.ChangePosY->width() / 2, 3));
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(fen.AffPosY->text() + " " + fen.AffTemps->text(), "81 14");
    EXPECT_EQ(fen.reglages().PosY + fen.reglages().TempsAffichage, 81 + 14000);

    fen.AffPosY->setText("200");
    QTest::mouseClick(fen.CmdCentrer, Qt::LeftButton);
    EXPECT_EQ(fen.AffPosX->text() + fen.AffPosY->text(), "Cent.Cent.");
    fen.AffTemps->setText("0");
    QPoint centre;
    apercu(fen, &FenPrin::CmdVisu_Click, [&](BoiteApercu* b) { centre = b->frameGeometry().center(); });
    EXPECT_LE((centre - fen.frameGeometry().center()).manhattanLength(), 2);
    // A change of X alone ends the centring; Y keeps its last valid value.
    fen.ChangePosX->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(fen.AffPosX->text() + " " + fen.AffPosY->text(), "101 Cent.");
    EXPECT_EQ(fen.creerApercu()->pos(), QPoint(101, 200));
}

// Without a title to find it by, the box still closes after its time (the
// desktop test closes a titled one); with 0 it stays until closed.
TEST(Apercu, FermetureSelonLeTemps)
{
    for (const QString temps : {"0.2", "0"}) {
        Fenetre w;
        FenPrin& fen = w.fen;
        fen.OptTypBouton[4]->click();
        fen.OptDefBtn[1]->click();
        fen.TextTitre->clear();
        fen.AffTemps->setText(temps);
        QString legende = "-";
        QTimer::singleShot(0, &fen, [&] { legende = fen.boiteOuverte()->windowTitle(); });
        QTimer::singleShot(300, &fen, [&] {
            if (fen.boiteOuverte()) // "Oui" if still open
                fen.boiteOuverte()->boutons().first()->click();
        });
        QElapsedTimer montre;
        montre.start();
        QTest::mouseClick(fen.CmdVisu, Qt::LeftButton);
        EXPECT_GE(montre.elapsed(), 150);
        EXPECT_EQ(legende, "Brevolet");
        EXPECT_EQ(fen.derniereReponse(), temps == "0" ? velmaro::vbYes : velmaro::vbNo);
        EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);
    }
}

// Also a fault once: the text was measured in the width of a label not yet
// laid out, and words broke across lines.
TEST(Apercu, PoliceAgranditLaBoiteAutourDeSonCentre)
{
    Fenetre w;
    auto& [f, fen] = w;
    fen.move(200, 200);
    fen.TextMsg->setPlainText("Un message assez long pour tenir sur plusieurs lignes une fois "
                              "écrit dans une grande police de caractères.");
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold, true);
    BoiteApercu temoin(QString::fromStdString(fen.reglages().TexteBoite), 0, "TITRE", &fen);
    temoin.placerParDefaut();
    const QRect avant(temoin.pos(), temoin.size());
    const int ancienneHauteur = temoin.etiquetteTexte()->height();
    QRect apres, texte, boutons;
    QFont police;
    apercu(fen, &FenPrin::CmdFontes_Click, [&](BoiteApercu* b) {
        std::tie(apres, texte, boutons, police) = std::tuple(QRect(b->pos(), b->size()), b->etiquetteTexte()->geometry(),
                                                             b->boutons().first()->geometry(), b->etiquetteTexte()->font());
    });
    EXPECT_EQ(police.family(), "Times New Roman");
    const QFontMetrics mesure(police);
    const int h = mesure.boundingRect(QRect(0, 0, texte.width(), 1 << 20), Qt::TextWordWrap, temoin.etiquetteTexte()->text())
                      .height();
    ASSERT_GT(h, ancienneHauteur);
    EXPECT_EQ(texte.height(), h + 10);
    EXPECT_EQ(apres.height() - avant.height(), h - ancienneHauteur);
    EXPECT_EQ(apres.y(), avant.y() - (h - ancienneHauteur) / 2);
    EXPECT_GE(boutons.y(), texte.y() + h);
    EXPECT_GE(texte.width(), std::max(apres.width() - 30, mesure.horizontalAdvance(QStringLiteral("caractères."))));
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    // Cancelled: no preview; the next dialog keeps the last bold and italic.
    f.dialogs.police.reset();
    fen.CmdFontes_Click();
    EXPECT_TRUE(f.dialogs.policesProposees.size() == 2 && f.dialogs.policesProposees[1].bold() &&
                f.dialogs.policesProposees[1].italic());
}

// Pasted by mistake in either box, a megabyte of words, or control
// characters, quotes, other scripts and broken UTF-16, is taken within a
// couple of seconds; the code line and the copy are built from what the box
// holds, through UTF-8, and the previews stay on the screen, buttons in reach.
TEST(BrevoletDurci, TexteEtTitreHostiles)
{
    Fenetre w;
    auto& [f, fen] = w;
    fen.AffTemps->setText("0");
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold, true);
    const QRect ecran = fen.screen()->availableGeometry();
    const QString bizarre = QStringLiteral("\"Oui\" ou \"\"non\"\" « ça » Ωμέγα 日本語 العربية 🙂👍🏽\r\n\r\t\x1b") + QChar(0) +
                            QChar(0xD800) + 'b' + QChar(0xDC00) + QChar(0xFFFF) + QChar(0xFEFF) + QChar(0x202E);
    for (const QString& e : {QStringLiteral("message ").repeated(1 << 17), bizarre}) {
        for (QWidget* boite : {static_cast<QWidget*>(fen.TextTitre), static_cast<QWidget*>(fen.TextMsg)}) {
            SCOPED_TRACE(e.left(8).toStdString() + (boite == fen.TextTitre ? " (titre)" : " (message)"));
            fen.showNormal();
            QElapsedTimer montre;
            montre.start();
            QApplication::clipboard()->setText(e);
            boite->setFocus();
            QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(boite, Qt::Key_V, Qt::ControlModifier);
            EXPECT_LE(std::max(fen.TextTitre->text().size(), fen.TextMsg->toPlainText().size()), longueurMaximaleTexte);
            const QString ligne = QString::fromStdString(("Reponse = MsgBox(\"" + fen.texteMessage() + "\", 0, \"" +
                                                          fen.TextTitre->text() + "\")").toStdString());
            EXPECT_TRUE(code(fen) == QString(ligne).replace("\r\n", "\n").replace('\r', '\n'));
            EXPECT_EQ(fen.reglages().TexteBoite, fen.TextMsg->toPlainText().toStdString());
            for (void (FenPrin::*montrer)() : {&FenPrin::CmdVisu_Click, &FenPrin::CmdFontes_Click})
                apercu(fen, montrer, [&](BoiteApercu* b) {
                    EXPECT_TRUE(ecran.contains(b->frameGeometry().topLeft()));
                    EXPECT_LE(b->boutons().first()->mapToGlobal(QPoint(0, b->boutons().first()->height())).y(),
                              ecran.bottom() + 1);
                });
            fen.CmdCopie_Click();
            EXPECT_TRUE(f.clipboard.texte == "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r" + ligne);
            EXPECT_LT(montre.elapsed(), 2000 * velmaro::testing::lenteurSousAsan);
        }
    }
}

TEST(BrevoletDurci, LeMessageSArreteALaLimite)
{
    Fenetre w;
    auto& [f, fen] = w;
    // Words up to n characters, the last one an x.
    auto remplissage = [](int n) { return QStringLiteral("mot ").repeated(n / 4 + 1).left(n - 1) + 'x'; };
    fen.TextMsg->setPlainText(remplissage(longueurMaximaleTexte - 2));
    fen.TextMsg->moveCursor(QTextCursor::End);
    QTest::keyClicks(fen.TextMsg, "abcd");
    QTest::keyClick(fen.TextMsg, Qt::Key_Backspace); // deleting makes room again
    QTest::keyClick(fen.TextMsg, Qt::Key_Z);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith("xaz")); // a and b fit, c and d do not
    // A paste is cut to the room left, never in the middle of a character.
    fen.TextMsg->setPlainText(remplissage(longueurMaximaleTexte - 3));
    fen.TextMsg->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("a🙂🙂"));
    QTest::keyClick(fen.TextMsg, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith(QStringLiteral("xa🙂")));
    // "Saut de ligne" puts the text in only where it fits.
    const QString avant = fen.TextMsg->toPlainText();
    fen.CmdSautLign_Click();
    EXPECT_EQ(fen.TextMsg->toPlainText(), avant);
    EXPECT_TRUE(f.messages.boites.empty());
}

// A clipboard that cannot be opened: the library's description in a box with
// OK only, no icon and the program's name; nothing else changes.
TEST(BrevoletDurci, PressePapiersEnPanneRienNeChange)
{
    Fenetre w;
    auto& [f, fen] = w;
    fen.TextMsg->setPlainText("Message");
    f.clipboard.texte = "ce qui y était";
    const QString avant = code(fen);
    f.clipboard.echec = "Le Presse-papiers est utilisé par une autre application.";
    for (QPushButton* bouton : {fen.CmdCopie, fen.CmdSautLign}) {
        SCOPED_TRACE(bouton->text().toStdString());
        f.messages.boites.clear();
        QTest::mouseClick(bouton, Qt::LeftButton);
        ASSERT_EQ(f.messages.boites.size(), 1u);
        const auto& b = f.messages.boites[0];
        EXPECT_EQ(b.texte + " / " + b.titre + " / " + QString::number(b.style),
                  "Le Presse-papiers est utilisé par une autre application. / Brevolet / 0");
        EXPECT_EQ(fen.TextMsg->toPlainText() + code(fen) + f.clipboard.texte, "Message" + avant + "ce qui y était");
        EXPECT_TRUE(!fen.isMinimized() && f.clipboard.ecritures == 0);
    }
}
