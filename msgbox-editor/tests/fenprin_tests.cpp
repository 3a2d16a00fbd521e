#include "msgbox-editor/ui/fenprin.hpp"

#include "about/animated/apropos.hpp"
#include "common/platform/qt/qtservices.hpp"
#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"
#include "msgbox-editor/ui/barreinversee.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontDialog>
#include <QFontInfo>
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

QString code(const FenPrin& f)
{
    return f.TextMsgBox->toPlainText();
}

QStringList legendesDefaut(const FenPrin& f)
{
    QStringList l;
    for (auto* o : f.OptDefBtn)
        l << (o->isVisibleTo(o->parentWidget()) ? o->text() : QStringLiteral("-"));
    return l;
}

void presser(QWidget* w, Qt::MouseButton bouton)
{
    QTest::mousePress(w, bouton);
    QTest::mouseRelease(w, bouton);
}

// Pastes as the user would, with the keyboard.
void coller(QWidget* boite, const QString& texte)
{
    QApplication::clipboard()->setText(texte);
    boite->setFocus();
    QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(boite, Qt::Key_V, Qt::ControlModifier);
}

// Shows a preview (CmdVisu_Click or CmdFontes_Click), lets `inspecter` look
// at the box once it is shown after `delai` ms, then presses its default button.
template <typename F>
void apercu(FenPrin& fen, void (FenPrin::*montrer)(), F inspecter, int delai = 0)
{
    QTimer::singleShot(delai, &fen, [&fen, inspecter] {
        BoiteApercu* b = fen.boiteOuverte();
        ASSERT_NE(b, nullptr);
        inspecter(b);
        if (fen.boiteOuverte())
            b->appuyerBoutonParDefaut();
    });
    (fen.*montrer)();
}

} // namespace

TEST(FenPrin, Demarrage)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")");
    EXPECT_TRUE(fen.TextMsgBox->isReadOnly());
    EXPECT_EQ(fen.IcoSans->text(), "Sans icône");
    EXPECT_EQ(legendesDefaut(fen), QStringList({"OK", "-", "-"}));
    EXPECT_EQ(QStringList({fen.AffTemps->text(), fen.AffPosX->text(), fen.AffPosY->text()}),
              QStringList({"4", "100", "80"}));
    EXPECT_EQ(fen.reglages().TempsAffichage, 4000);
    EXPECT_FALSE(fen.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(fen.minimumSize(), fen.maximumSize());
    // The visible client area ends just below the lower frames; BoutonFocus lies below it.
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(8190, 6015));
    const int basCadres = std::max(fen.Frame6->geometry().bottom(), fen.Frame7->geometry().bottom());
    EXPECT_GT(fen.height(), basCadres);
    EXPECT_LE(fen.height() - basCadres, 10);
    EXPECT_GE(fen.BoutonFocus->y(), fen.height());
    using velmaro::twips;
    const std::pair<QWidget*, QRect> cas[] = {
        {fen.Frame6, twips(60, 5100, 3135, 795)},         {fen.Frame7, twips(3300, 5100, 3435, 795)},
        {fen.OptDefBtn[2], twips(120, 840, 2295, 195)},   {fen.IcoExcl, twips(3180, 240, 1035, 915)},
        {fen.TextTitre, twips(2760, 1620, 5055, 285)},    {fen.CmdEfTxt, twips(7920, 2220, 195, 1005)},
        {fen.CmdSautLign, twips(2760, 3600, 1815, 315)},  {fen.TextMsgBox, twips(2760, 4200, 5355, 855)},
        {fen.Label6, twips(1380, 360, 285, 240)},         {fen.CmdFontes, twips(6900, 5220, 1215, 675)},
        {fen.BoutonFocus, twips(300, 6420, 2175, 435)},
    };
    for (const auto& [w, attendu] : cas)
        EXPECT_EQ(w->geometry(), attendu) << "at " << attendu.x() << "," << attendu.y();
    // The scroll bars lie over the right part of their boxes; the wrapped label stays in its frame.
    EXPECT_TRUE(fen.AffTemps->geometry().contains(fen.ChangeTemps->geometry()));
    EXPECT_GT(fen.Frame6->children().indexOf(fen.ChangeTemps), fen.Frame6->children().indexOf(fen.AffTemps));
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
        QString commentaire;
    } cas[] = {
        {"exemple_demarrage", {}, "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")", {"OK", "-", "-"},
         "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er"},
        {"exemple_instruction_question_ouinonannuler_2eme_systeme",
         {"cInstruction", "iQuestion", "jOui/Non/Annuler", "dNon", "mSystème modal"},
         "MsgBox \"Texte du message\", 4387, \"TITRE\"", {"Oui", "Non", "Annuler"},
         "' Icône : Question, bouton(s) : Oui/Non/Annuler, bouton par défaut : 2ème"},
        {"style_le_plus_grand", {"iInformation", "jOui/Non/Annuler", "dAnnuler", "mSystème modal"},
         "Reponse = MsgBox(\"Texte du message\", 4675, \"TITRE\")", {"Oui", "Non", "Annuler"},
         "' Icône : Information, bouton(s) : Oui/Non/Annuler, bouton par défaut : 3ème"},
        {"ouinonannuler_3eme_puis_ouinon", {"jOui/Non/Annuler", "dAnnuler", "jOui/Non"},
         "Reponse = MsgBox(\"Texte du message\", 260, \"TITRE\")", {"Oui", "Non", "-"},
         "' Icône : Sans icône, bouton(s) : Oui/Non, bouton par défaut : 2ème"},
        {"abandon_3eme_puis_ok", {"iArrêt", "jAbandon/Réessayer/Ignorer", "dIgnorer", "jOK"},
         "Reponse = MsgBox(\"Texte du message\", 16, \"TITRE\")", {"OK", "-", "-"},
         "' Icône : Stop, bouton(s) : OK, bouton par défaut : 1er"},
        {"okannuler_2eme_puis_reessayer_garde_2eme", {"jOK/Annuler", "dAnnuler", "jRéessayer/Annuler"},
         "Reponse = MsgBox(\"Texte du message\", 261, \"TITRE\")", {"Réessayer", "Annuler", "-"},
         "' Icône : Sans icône, bouton(s) : Réessayer/Annuler, bouton par défaut : 2ème"},
        {"retour_au_1er_et_application_modale",
         {"iExclamation", "jOui/Non/Annuler", "dNon", "mSystème modal", "dOui", "mApplication modale"},
         "Reponse = MsgBox(\"Texte du message\", 51, \"TITRE\")", {"Oui", "Non", "Annuler"},
         "' Icône : Exclamation, bouton(s) : Oui/Non/Annuler, bouton par défaut : 1er"},
        {"retour_sans_icone_et_fonction", {"cInstruction", "iQuestion", "iSans icône", "jOK/Annuler", "cFonction"},
         "Reponse = MsgBox(\"Texte du message\", 1, \"TITRE\")", {"OK", "Annuler", "-"},
         "' Icône : Sans icône, bouton(s) : OK/Annuler, bouton par défaut : 1er"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        FakeServices f;
        FenPrin fen(f);
        fen.show();
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
            if (b == fen.IcoStop)
                QTest::keyClick(b, Qt::Key_Space);
            else if (cadre == fen.Frame5)
                presser(b, Qt::RightButton);
            else
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, 6));
            if (cadre == fen.Frame5) {
                int legendes = 0;
                for (auto* o : cadre->findChildren<QToolButton*>())
                    legendes += !o->text().isEmpty();
                EXPECT_EQ(legendes, 1);
                EXPECT_EQ(b->text(), b == fen.IcoStop ? QStringLiteral("Stop") : b->accessibleName());
                EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);
            }
        }
        EXPECT_EQ(code(fen), c.code);
        EXPECT_EQ(legendesDefaut(fen), c.defauts);
        QRadioButton* defaut = nullptr;
        for (auto* o : fen.OptDefBtn)
            if (o->isChecked() && o->isVisibleTo(fen.Frame3))
                defaut = defaut ? nullptr : o;
        ASSERT_NE(defaut, nullptr);
        // Tab goes through each group on its selected option, the default one included.
        QRadioButton* jeu = nullptr;
        for (auto* o : fen.OptTypBouton)
            if (o->isChecked())
                jeu = o;
        jeu->setFocus(Qt::TabFocusReason);
        QTest::keyClick(jeu, Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), defaut);
        QTest::keyClick(fen.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), fen.OptTypMod[fen.OptTypMod[0]->isChecked() ? 0 : 1]);

        QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
        EXPECT_EQ(f.clipboard.texte, c.commentaire + "\r" + c.code);
        EXPECT_TRUE(fen.isMinimized());
    }
}

TEST(FenPrin, SaisieEffacementCopieEtSautDeLigne)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextTitre->selectAll();
    QTest::keyClicks(fen.TextTitre, "Attention");
    fen.TextMsg->selectAll();
    QTest::keyClicks(fen.TextMsg, "Dites \"oui\"");
    QTest::keyClick(fen.TextMsg, Qt::Key_Return);
    QTest::keyClicks(fen.TextMsg, "ou non");
    // Tab leaves the message box instead of going into the text.
    fen.TextMsg->setFocus();
    QTest::keyClick(fen.TextMsg, Qt::Key_Tab);
    EXPECT_EQ(fen.focusWidget(), fen.TextMsgBox);
    EXPECT_EQ(fen.reglages().TitreBoite, "Attention");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Dites \"oui\"\nou non\", 0, \"Attention\")");
    QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
    // A lone CR between the lines; the message keeps its CR LF.
    EXPECT_EQ(f.clipboard.texte, "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r"
                                 "Reponse = MsgBox(\"Dites \"oui\"\r\nou non\", 0, \"Attention\")");
    EXPECT_TRUE(fen.isMinimized());

    fen.showNormal();
    QTest::mouseClick(fen.CmdEfTitr, Qt::LeftButton);
    QTest::mouseClick(fen.CmdEfTxt, Qt::LeftButton);
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"\", 0, \"\")");
    EXPECT_EQ(fen.reglages().TexteBoite, "");

    // "Saut de ligne" replaces the selection through the clipboard.
    fen.TextMsg->setPlainText("Premier Second");
    QTextCursor c = fen.TextMsg->textCursor();
    c.setPosition(7);
    c.setPosition(8, QTextCursor::KeepAnchor);
    fen.TextMsg->setTextCursor(c);
    QTest::mouseClick(fen.CmdSautLign, Qt::LeftButton);
    EXPECT_EQ(f.clipboard.texte, "\" & Chr$(10) & \"");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Premier\" & Chr$(10) & \"Second\", 0, \"\")");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);
}

TEST(FenPrin, AidePressePapiersEtAPropos)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    QTest::mouseClick(fen.CmdAide, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].style, 64);
    EXPECT_EQ(f.messages.boites[0].titre, "Saut de ligne");
    const QString aide = f.messages.boites[0].texte;
    EXPECT_TRUE(aide.startsWith("   Dans l'éditeur") && aide.contains("dans le code.\n    Le bouton 'Saut de ligne'"));
    EXPECT_TRUE(aide.endsWith("(et surtout de code...).\n\n    >>> Les boutons noirs situés à droite des zones de "
                              "texte de titre et de message servent à l'effacement."));

    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    ASSERT_EQ(f.launcher.lancements.size(), 1u);
    EXPECT_EQ(f.launcher.lancements[0].programme, "clipbrd.exe");
    // A viewer that cannot start is not reported.
    f.launcher.echecs.insert("clipbrd.exe");
    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    EXPECT_EQ(f.messages.boites.size(), 1u);

    QString nom;
    QTimer::singleShot(0, [&] {
        auto* a = qobject_cast<about::Apropos*>(QApplication::activeModalWidget());
        ASSERT_NE(a, nullptr);
        nom = a->Label2->text();
        a->CmdOK->click();
    });
    QTest::mouseClick(fen.CmdApro, Qt::LeftButton);
    EXPECT_EQ(nom, "Brevolet");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);
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
        {"clic_dans_le_message", [](FenPrin& f) { presser(f.TextTitre, Qt::LeftButton);
                                                   QTest::mouseClick(f.TextMsg->viewport(), Qt::LeftButton); },
         "abCé1"},
        {"touche_verrouillage_apres_le_titre", [](FenPrin& f) { presser(f.TextTitre, Qt::LeftButton);
                                                                 QTest::keyClick(f.TextTitre, Qt::Key_CapsLock); },
         "abCé1"},
        {"touche_verrouillage_ailleurs_apres_le_message",
         [](FenPrin& f) { QTest::mouseClick(f.TextMsg->viewport(), Qt::LeftButton);
                          QTest::keyClick(f.BoutonFocus, Qt::Key_CapsLock); },
         "ABcÉ1"},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
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
        EXPECT_EQ(fen.TextTitre->text(), c.attendu) << c.nom;
        EXPECT_EQ(fen.TextMsg->toPlainText(), c.attendu) << c.nom;
    }
}

// What is pasted in the three setting boxes: kept, brought into its range
// (in the box too), or ignored when it is no number.
TEST(FenPrin, BoitesDeReglage)
{
    enum Boite { Temps, X, Y };
    struct Cas {
        const char* nom;
        Boite boite;
        QString tape;
        QString texte;
        int barre;
        double valeur; // milliseconds or pixels
    } cas[] = {
        {"secondes_decimales", Temps, "0.5", "0.5", 0, 500},
        {"secondes_trop", Temps, "75", "60", 60, 60000},
        {"secondes_demesurees", Temps, QString(400, QLatin1Char('9')), "60", 60, 60000},
        {"secondes_pas_un_nombre", Temps, "quatre", "quatre", 4, 4000},
        {"x_trop_grand", X, "2000", "1280", 1280, 1280},
        {"x_demi_pair", X, "100.5", "100.5", 100, 100},
        {"x_negatif", X, "-1e308", "0", 0, 0},
        {"y_pas_un_nombre", Y, "Ωμέγα 🙂", "Ωμέγα 🙂", 80, 80},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        QLineEdit* boite = c.boite == Temps ? fen.AffTemps : c.boite == X ? fen.AffPosX : fen.AffPosY;
        BarreInversee* barre = c.boite == Temps ? fen.ChangeTemps : c.boite == X ? fen.ChangePosX : fen.ChangePosY;
        boite->selectAll();
        boite->insert(c.tape);
        EXPECT_EQ(boite->text(), c.texte) << c.nom;
        EXPECT_EQ(barre->valeur(), c.barre) << c.nom;
        const ReglagesApercu& r = fen.reglages();
        EXPECT_DOUBLE_EQ(c.boite == Temps ? r.TempsAffichage : c.boite == X ? r.PosX : r.PosY, c.valeur) << c.nom;
    }
}

TEST(FenPrin, BarresEtCentrage)
{
    FakeServices f;
    FenPrin fen(f);
    fen.move(150, 120);
    fen.show();
    // The upper arrow adds one, the upper trough the large step.
    QTest::mouseClick(fen.ChangePosY, Qt::LeftButton, {}, QPoint(fen.ChangePosY->width() / 2, 3));
    EXPECT_EQ(fen.AffPosY->text(), "81");
    EXPECT_EQ(fen.reglages().PosY, 81);
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(fen.AffTemps->text(), "14");
    EXPECT_EQ(fen.reglages().TempsAffichage, 14000);

    fen.AffPosY->setText("200");
    QTest::mouseClick(fen.CmdCentrer, Qt::LeftButton);
    EXPECT_EQ(fen.AffPosX->text(), "Cent.");
    EXPECT_EQ(fen.AffPosY->text(), "Cent.");
    EXPECT_EQ(fen.ChangePosY->valeur(), 200);
    fen.AffTemps->setText("0");
    QPoint centre;
    apercu(fen, &FenPrin::CmdVisu_Click, [&](BoiteApercu* b) { centre = b->frameGeometry().center(); });
    EXPECT_LE((centre - fen.frameGeometry().center()).manhattanLength(), 2);
    // A change of X alone ends the centring; Y keeps its last valid value.
    fen.ChangePosX->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_FALSE(fen.reglages().Centrer);
    EXPECT_EQ(fen.AffPosX->text(), "101");
    EXPECT_EQ(fen.AffPosY->text(), "Cent.");
    EXPECT_EQ(fen.creerApercu()->pos(), QPoint(101, 200));
}

// Closed by its default button after the display time, also without a title
// to find it by; with 0 the box stays until closed.
TEST(Apercu, FermetureSelonLeTemps)
{
    struct Cas {
        const char* nom;
        QString temps;
        QString titre;
        QString legende;
        int reponse;
    } cas[] = {
        {"avec_titre", "0.2", "TITRE", "TITRE", velmaro::vbNo},
        {"titre_vide", "0.2", "", "Brevolet", velmaro::vbNo},
        {"sans_temps", "0", "TITRE", "TITRE", velmaro::vbYes},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        fen.OptTypBouton[4]->click();
        fen.OptDefBtn[1]->click();
        fen.TextTitre->setText(c.titre);
        fen.AffTemps->setText(c.temps);
        QString legende;
        bool ouverteApres300 = false;
        QTimer::singleShot(0, &fen, [&] { legende = fen.boiteOuverte()->windowTitle(); });
        QTimer::singleShot(300, &fen, [&] {
            if ((ouverteApres300 = fen.boiteOuverte() != nullptr))
                fen.boiteOuverte()->boutons().first()->click();
        });
        QElapsedTimer montre;
        montre.start();
        QTest::mouseClick(fen.CmdVisu, Qt::LeftButton);
        EXPECT_GE(montre.elapsed(), 150) << c.nom;
        EXPECT_EQ(fen.derniereReponse(), c.reponse) << c.nom;
        EXPECT_EQ(legende, c.legende) << c.nom;
        EXPECT_EQ(ouverteApres300, c.temps == "0") << c.nom;
        EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus) << c.nom;
    }
}

// Also a fault once: the text was measured in the width of a label not yet
// laid out, and words broke across lines.
TEST(Apercu, PoliceAgranditLaBoiteAutourDeSonCentre)
{
    FakeServices f;
    FenPrin fen(f);
    fen.move(200, 200);
    fen.show();
    fen.TextMsg->setPlainText("Un message assez long pour tenir sur plusieurs lignes une fois "
                              "écrit dans une grande police de caractères.");
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold, true);
    BoiteApercu temoin(QString::fromStdString(fen.reglages().TexteBoite), 0, "TITRE", &fen);
    temoin.placerParDefaut();
    const QRect avant(temoin.pos(), temoin.size());
    const int ancienneHauteur = temoin.etiquetteTexte()->height();
    QRect apres, texte;
    int hautBoutons = 0;
    QFont police;
    apercu(fen, &FenPrin::CmdFontes_Click, [&](BoiteApercu* b) {
        apres = QRect(b->pos(), b->size());
        texte = b->etiquetteTexte()->geometry();
        hautBoutons = b->boutons().first()->y();
        police = b->etiquetteTexte()->font();
    });
    ASSERT_EQ(f.dialogs.policesProposees.size(), 1u);
    EXPECT_EQ(f.dialogs.policesProposees[0].family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(f.dialogs.policesProposees[0].pointSizeF(), 10.0);
    EXPECT_EQ(police.family(), "Times New Roman");
    const QFontMetrics mesure(police);
    const int h = mesure.boundingRect(QRect(0, 0, texte.width(), 1 << 20), Qt::TextWordWrap, temoin.etiquetteTexte()->text())
                      .height();
    ASSERT_GT(h, ancienneHauteur);
    EXPECT_EQ(texte.height(), h + 10);
    EXPECT_EQ(apres.height() - avant.height(), h - ancienneHauteur);
    EXPECT_EQ(apres.y(), avant.y() - (h - ancienneHauteur) / 2);
    EXPECT_EQ(apres.x(), avant.x());
    EXPECT_GE(hautBoutons, texte.y() + h);
    EXPECT_GE(texte.width(), apres.width() - 30);
    EXPECT_GE(texte.width(), mesure.horizontalAdvance(QStringLiteral("caractères.")));
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    // Cancelled: no preview; the next dialog keeps the last bold and italic.
    f.dialogs.police.reset();
    fen.CmdFontes_Click();
    ASSERT_EQ(f.dialogs.policesProposees.size(), 2u);
    EXPECT_TRUE(f.dialogs.policesProposees[1].bold() && f.dialogs.policesProposees[1].italic());
}

// Once a fault: the toolkit's own font dialog (not a fake) must open on the
// family that the preview's "MS Sans Serif" 10 really is, and OK at once
// keeps that font plain, at this opening and the next.
TEST(Apercu, LeVraiDialogueSOuvreSurLaPoliceDeLApercu)
{
    FakeServices f;
    velmaro::QtDialogs vrais;
    velmaro::Services services{f.clipboard, f.launcher, f.messages, vrais,          f.power,
                               f.fileTimes, f.tray,     f.registry, f.programFolder, f.clock};
    FenPrin fen(services);
    fen.show();
    std::vector<QFont> polices; // dialog, preview, dialog, preview
    QTimer pilote;
    pilote.callOnTimeout([&] {
        if (BoiteApercu* b = fen.boiteOuverte()) {
            polices.push_back(b->etiquetteTexte()->font());
            b->appuyerBoutonParDefaut();
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFontDialog*>(w); d && d->isVisible()) {
                polices.push_back(d->currentFont());
                d->accept();
            }
    });
    pilote.start(20);
    QTest::mouseClick(fen.CmdFontes, Qt::LeftButton);
    QTest::mouseClick(fen.CmdFontes, Qt::LeftButton);
    ASSERT_EQ(polices.size(), 4u);
    for (const QFont& p : polices) {
        EXPECT_EQ(p.family(), QFontInfo(velmaro::policeVb("MS Sans Serif", 10)).family());
        EXPECT_EQ(p.pointSize(), 10);
        EXPECT_FALSE(p.bold() || p.italic());
    }
}

// What users paste by mistake goes through both text boxes within a couple of
// seconds; the code line and the copy are built from what the boxes hold, and
// the previews (the font one too) stay on the screen with their buttons in reach.
TEST(BrevoletDurci, TexteEtTitreHostiles)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.AffTemps->setText("0");
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold, true);
    const QRect ecran = fen.screen()->availableGeometry();
    const QString mots = QStringLiteral("message ").repeated(1 << 17);
    QString controles;
    for (char16_t c = 0; c < 32; ++c)
        controles += QChar(c);
    // A megabyte of words; control characters, quotes, other scripts and broken UTF-16.
    const QString cas[] = {mots, controles + QStringLiteral("\"Oui\" ou \"\"non\"\" « ça » Ωμέγα 日本語 العربية 🙂👍🏽") +
                                     QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00) + QChar(0xFFFF) +
                                     QChar(0xFEFF) + QChar(0x202E) + QStringLiteral("z")};
    for (const QString& e : cas) {
        for (QWidget* boite : {static_cast<QWidget*>(fen.TextTitre), static_cast<QWidget*>(fen.TextMsg)}) {
            const bool titre = boite == fen.TextTitre;
            SCOPED_TRACE(e.left(12).toStdString() + (titre ? " (titre)" : " (message)"));
            fen.showNormal();
            QElapsedTimer montre;
            montre.start();
            coller(boite, e);
            const QString tenu = titre ? fen.TextTitre->text() : fen.TextMsg->toPlainText();
            EXPECT_LE(tenu.size(), longueurMaximaleTexte);
            // Through UTF-8, with the message's line breaks as CR LF.
            const QString ligne = QString::fromStdString(
                (QStringLiteral("Reponse = MsgBox(\"") + fen.texteMessage() + QStringLiteral("\", 0, \"") +
                 fen.TextTitre->text() + QStringLiteral("\")"))
                    .toStdString());
            EXPECT_TRUE(code(fen) == QString(ligne).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n'));
            EXPECT_EQ(QString::fromStdString(titre ? fen.reglages().TitreBoite : fen.reglages().TexteBoite),
                      QString::fromStdString(tenu.toStdString()));
            for (void (FenPrin::*montrer)() : {&FenPrin::CmdVisu_Click, &FenPrin::CmdFontes_Click}) {
                apercu(fen, montrer, [&](BoiteApercu* b) {
                    EXPECT_LE(b->frameGeometry().height(), ecran.height());
                    EXPECT_GE(b->frameGeometry().top(), ecran.top());
                    EXPECT_LE(b->boutons().first()->mapToGlobal(QPoint(0, b->boutons().first()->height())).y(),
                              ecran.bottom() + 1);
                });
            }
            f.clipboard.texte.clear();
            fen.CmdCopie_Click();
            EXPECT_TRUE(f.clipboard.texte ==
                        QStringLiteral("' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r") + ligne);
            EXPECT_TRUE(fen.isMinimized());
            EXPECT_LT(montre.elapsed(), 2000 * velmaro::testing::lenteurSousAsan);
        }
    }
}

TEST(BrevoletDurci, LeMessageSArreteALaLimite)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    // Words up to n characters, the last one an x.
    auto remplissage = [](int n) { return QStringLiteral("mot ").repeated(n / 4 + 1).left(n - 1) + 'x'; };
    fen.TextMsg->setPlainText(remplissage(longueurMaximaleTexte - 2));
    fen.TextMsg->moveCursor(QTextCursor::End);
    QTest::keyClicks(fen.TextMsg, "abcd");
    EXPECT_EQ(fen.TextMsg->toPlainText().size(), longueurMaximaleTexte);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith("xab"));
    // Deleting and typing again works; a selection makes room.
    QTest::keyClick(fen.TextMsg, Qt::Key_Backspace);
    QTest::keyClick(fen.TextMsg, Qt::Key_Z);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith("xaz"));
    fen.TextMsg->selectAll();
    QTest::keyClicks(fen.TextMsg, "court");
    EXPECT_EQ(fen.TextMsg->toPlainText(), "court");
    // A paste is cut to the room left, never in the middle of a character.
    fen.TextMsg->setPlainText(remplissage(longueurMaximaleTexte - 3));
    fen.TextMsg->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("a🙂🙂"));
    QTest::keyClick(fen.TextMsg, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(fen.TextMsg->toPlainText().endsWith(QStringLiteral("xa🙂")));
    EXPECT_EQ(fen.TextMsg->toPlainText().size(), longueurMaximaleTexte);
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
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextTitre->setText("Titre");
    fen.TextMsg->setPlainText("Message");
    fen.TextMsg->moveCursor(QTextCursor::End);
    f.clipboard.texte = "ce qui y était";
    const QString avant = code(fen);
    f.clipboard.echec = "Le Presse-papiers est utilisé par une autre application.";
    for (QPushButton* bouton : {fen.CmdCopie, fen.CmdSautLign}) {
        SCOPED_TRACE(bouton->text().toStdString());
        f.messages.boites.clear();
        QTest::mouseClick(bouton, Qt::LeftButton);
        ASSERT_EQ(f.messages.boites.size(), 1u);
        EXPECT_EQ(f.messages.boites[0].texte, "Le Presse-papiers est utilisé par une autre application.");
        EXPECT_EQ(f.messages.boites[0].style, 0);
        EXPECT_EQ(f.messages.boites[0].titre, "Brevolet");
        EXPECT_FALSE(fen.isMinimized());
        EXPECT_EQ(fen.TextMsg->toPlainText(), "Message");
        EXPECT_EQ(fen.TextTitre->text(), "Titre");
        EXPECT_EQ(code(fen), avant);
        EXPECT_EQ(f.clipboard.texte, "ce qui y était");
        EXPECT_EQ(f.clipboard.ecritures, 0);
    }
}
