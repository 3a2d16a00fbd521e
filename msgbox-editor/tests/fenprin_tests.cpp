#include "msgbox-editor/ui/fenprin.hpp"

#include "about/animated/apropos.hpp"
#include "common/platform/qt/qtservices.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"
#include "msgbox-editor/ui/barreinversee.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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

// Runs `inspecter` on the preview box once it is shown.
template <typename F>
void pendantApercu(FenPrin& fen, F inspecter, int delai = 0)
{
    QTimer::singleShot(delai, &fen, [&fen, inspecter] { inspecter(fen.boiteOuverte()); });
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

} // namespace

TEST(FenPrin, Demarrage)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")");
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
}

TEST(FenPrin, GeometrieEnTwips)
{
    FakeServices f;
    FenPrin fen(f);
    using velmaro::twips;
    const struct {
        const char* nom;
        QWidget* w;
        QRect attendu;
    } cas[] = {
        {"Frame6", fen.Frame6, twips(60, 5100, 3135, 795)},
        {"Frame7", fen.Frame7, twips(3300, 5100, 3435, 795)},
        {"IcoExcl", fen.IcoExcl, twips(3180, 240, 1035, 915)},
        {"TextTitre", fen.TextTitre, twips(2760, 1620, 5055, 285)},
        {"CmdEfTxt", fen.CmdEfTxt, twips(7920, 2220, 195, 1005)},
        {"TextMsgBox", fen.TextMsgBox, twips(2760, 4200, 5355, 855)},
        {"CmdFontes", fen.CmdFontes, twips(6900, 5220, 1215, 675)},
        {"BoutonFocus", fen.BoutonFocus, twips(300, 6420, 2175, 435)},
    };
    for (const auto& c : cas)
        EXPECT_EQ(c.w->geometry(), c.attendu) << c.nom;
    // The scroll bars lie over the right part of their boxes.
    EXPECT_TRUE(fen.AffTemps->geometry().contains(fen.ChangeTemps->geometry()));
    EXPECT_GT(fen.Frame6->children().indexOf(fen.ChangeTemps), fen.Frame6->children().indexOf(fen.AffTemps));
}

TEST(FenPrin, ClicsSurLesOptions)
{
    struct Cas {
        const char* nom;
        QString code;
        QStringList defauts;
    };
    const Cas cas[] = {
        {"instruction_ouinonannuler_2eme_systeme", "MsgBox \"Texte du message\", 4355, \"TITRE\"",
         {"Oui", "Non", "Annuler"}},
        {"ouinonannuler_3eme_puis_ouinon", "Reponse = MsgBox(\"Texte du message\", 260, \"TITRE\")",
         {"Oui", "Non", "-"}},
        {"abandon_3eme_puis_ok", "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")", {"OK", "-", "-"}},
        {"ouinonannuler_3eme_puis_ok", "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")", {"OK", "-", "-"}},
    };
    using Clics = std::vector<std::function<QRadioButton*(FenPrin&)>>;
    const Clics clics[] = {
        {[](FenPrin& f) { return f.OptTypCode[1]; }, [](FenPrin& f) { return f.OptTypBouton[3]; },
         [](FenPrin& f) { return f.OptDefBtn[1]; }, [](FenPrin& f) { return f.OptTypMod[1]; }},
        {[](FenPrin& f) { return f.OptTypBouton[3]; }, [](FenPrin& f) { return f.OptDefBtn[2]; },
         [](FenPrin& f) { return f.OptTypBouton[4]; }},
        {[](FenPrin& f) { return f.OptTypBouton[2]; }, [](FenPrin& f) { return f.OptDefBtn[2]; },
         [](FenPrin& f) { return f.OptTypBouton[0]; }},
        {[](FenPrin& f) { return f.OptTypBouton[3]; }, [](FenPrin& f) { return f.OptDefBtn[2]; },
         [](FenPrin& f) { return f.OptTypBouton[0]; }},
    };
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        fen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fen));
        for (const auto& clic : clics[i])
            QTest::mouseClick(clic(fen), Qt::LeftButton, {}, QPoint(6, 6));
        EXPECT_EQ(code(fen), cas[i].code) << cas[i].nom;
        EXPECT_EQ(legendesDefaut(fen), cas[i].defauts) << cas[i].nom;
        QRadioButton* defaut = nullptr;
        for (auto* o : fen.OptDefBtn)
            if (o->isChecked() && o->isVisibleTo(fen.Frame3))
                defaut = defaut ? nullptr : o;
        ASSERT_NE(defaut, nullptr) << cas[i].nom;
        // Tab goes through each group on its selected option, the default one included.
        QRadioButton* jeu = nullptr;
        for (auto* o : fen.OptTypBouton)
            if (o->isChecked())
                jeu = o;
        jeu->setFocus(Qt::TabFocusReason);
        QTest::keyClick(jeu, Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), defaut) << cas[i].nom;
        QTest::keyClick(fen.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), fen.OptTypMod[fen.OptTypMod[0]->isChecked() ? 0 : 1]) << cas[i].nom;
    }
}

TEST(FenPrin, BoutonsIcones)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    // Any mouse button selects at once; the focus goes to BoutonFocus.
    presser(fen.IcoQuest, Qt::RightButton);
    EXPECT_EQ(fen.IcoQuest->text(), "Question");
    EXPECT_EQ(fen.IcoSans->text(), "");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Texte du message\", 32, \"TITRE\")");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);
    // The stop button reacts to a whole click, also from the keyboard; the others only to the mouse.
    QTest::keyClick(fen.IcoStop, Qt::Key_Space);
    EXPECT_EQ(fen.IcoStop->text(), "Stop");
    EXPECT_EQ(fen.IcoQuest->text(), "");
    QTest::keyClick(fen.IcoInfo, Qt::Key_Space);
    EXPECT_EQ(fen.modele().ValStyle, 16);
    presser(fen.IcoInfo, Qt::MiddleButton);
    EXPECT_EQ(fen.IcoInfo->text(), "Information");
    QTest::mouseClick(fen.IcoSans, Qt::LeftButton);
    EXPECT_EQ(fen.modele().ValStyle, 0);
}

TEST(FenPrin, SaisieEffacementEtCopie)
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
}

TEST(FenPrin, CopierEnEchecGardeLaFenetre)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    f.clipboard.echec = "Impossible d'ouvrir le Presse-papiers";
    QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].texte, "Impossible d'ouvrir le Presse-papiers");
    EXPECT_EQ(f.messages.boites[0].style, 0);
    EXPECT_EQ(f.messages.boites[0].titre, "Brevolet");
    EXPECT_FALSE(fen.isMinimized());
}

TEST(FenPrin, SautDeLigneRemplaceLaSelection)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    f.clipboard.texte = "ancien contenu";
    fen.TextMsg->setPlainText("Premier Second");
    QTextCursor c = fen.TextMsg->textCursor();
    c.setPosition(7);
    c.setPosition(8, QTextCursor::KeepAnchor);
    fen.TextMsg->setTextCursor(c);
    QTest::mouseClick(fen.CmdSautLign, Qt::LeftButton);
    EXPECT_EQ(f.clipboard.texte, "\" & Chr$(10) & \"");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Premier\" & Chr$(10) & \"Second\", 0, \"TITRE\")");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    f.clipboard.echec = "Presse-papiers occupé";
    fen.CmdSautLign_Click();
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].texte, "Presse-papiers occupé");
    EXPECT_EQ(f.messages.boites[0].titre, "Brevolet");
}

TEST(FenPrin, AideEtPressePapiers)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    QTest::mouseClick(fen.CmdAide, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].style, 64);
    EXPECT_EQ(f.messages.boites[0].titre, "Saut de ligne");
    const QStringList p = f.messages.boites[0].texte.split('\n');
    ASSERT_EQ(p.size(), 4);
    EXPECT_TRUE(p[0].startsWith("   Dans l'éditeur") && p[0].endsWith("les sauts de ligne dans le code."));
    EXPECT_TRUE(p[1].startsWith("    Le bouton 'Saut de ligne'") && p[1].endsWith("(et surtout de code...)."));
    EXPECT_EQ(p[2], "");
    EXPECT_EQ(p[3], "    >>> Les boutons noirs situés à droite des zones de texte de titre et de message "
                    "servent à l'effacement.");

    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    ASSERT_EQ(f.launcher.lancements.size(), 1u);
    EXPECT_EQ(f.launcher.lancements[0].programme, "clipbrd.exe");
    // A viewer that cannot start is not reported.
    f.launcher.echecs.insert("clipbrd.exe");
    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    EXPECT_EQ(f.messages.boites.size(), 1u);
}

TEST(FenPrin, MajusculesSelonLaZoneCliquee)
{
    struct Cas {
        const char* nom;
        std::function<void(FenPrin&)> clic;
        QString attendu; // typed: a, b, Shift+C, é, 1
    } cas[] = {
        {"gauche_dans_le_titre", [](FenPrin& f) { presser(f.TextTitre, Qt::LeftButton); }, "ABcÉ1"},
        {"droit_dans_le_titre", [](FenPrin& f) { presser(f.TextTitre, Qt::RightButton); }, "abCé1"},
        {"clic_dans_le_message",
         [](FenPrin& f) {
             presser(f.TextTitre, Qt::LeftButton);
             QTest::mouseClick(f.TextMsg->viewport(), Qt::LeftButton);
         },
         "abCé1"},
        {"touche_verrouillage_apres_le_titre",
         [](FenPrin& f) {
             presser(f.TextTitre, Qt::LeftButton);
             QTest::keyClick(f.TextTitre, Qt::Key_CapsLock);
         },
         "abCé1"},
        {"touche_verrouillage_ailleurs_apres_le_message",
         [](FenPrin& f) {
             QTest::mouseClick(f.TextMsg->viewport(), Qt::LeftButton);
             QTest::keyClick(f.BoutonFocus, Qt::Key_CapsLock);
         },
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
        {"demi_pair_garde_le_texte", Temps, "3.5", "3.5", 4, 3500},
        {"secondes_trop", Temps, "75", "60", 60, 60000},
        {"x_trop_grand", X, "2000", "1280", 1280, 1280},
        {"x_demi_pair", X, "100.5", "100.5", 100, 100},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        QLineEdit* boite = c.boite == Temps ? fen.AffTemps : c.boite == X ? fen.AffPosX : fen.AffPosY;
        BarreInversee* barre = c.boite == Temps ? fen.ChangeTemps : c.boite == X ? fen.ChangePosX : fen.ChangePosY;
        boite->selectAll();
        QTest::keyClick(boite, Qt::Key_Delete);
        QTest::keyClicks(boite, c.tape);
        EXPECT_EQ(boite->text(), c.texte) << c.nom;
        EXPECT_EQ(barre->valeur(), c.barre) << c.nom;
        const ReglagesApercu& r = fen.reglages();
        EXPECT_DOUBLE_EQ(c.boite == Temps ? r.TempsAffichage : c.boite == X ? r.PosX : r.PosY, c.valeur) << c.nom;
    }
}

TEST(FenPrin, BarresAuxValeursEnHaut)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    // The upper arrow adds one, the upper trough the large step.
    QTest::mouseClick(fen.ChangePosY, Qt::LeftButton, {}, QPoint(fen.ChangePosY->width() / 2, 3));
    EXPECT_EQ(fen.AffPosY->text(), "81");
    EXPECT_EQ(fen.reglages().PosY, 81);
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(fen.AffTemps->text(), "14");
    EXPECT_EQ(fen.reglages().TempsAffichage, 14000);
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(fen.AffTemps->text(), "60");
}

TEST(FenPrin, CentragePuisChangementDeX)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.AffPosY->setText("200");
    QTest::mouseClick(fen.CmdCentrer, Qt::LeftButton);
    EXPECT_TRUE(fen.reglages().Centrer);
    EXPECT_EQ(fen.AffPosX->text(), "Cent.");
    EXPECT_EQ(fen.AffPosY->text(), "Cent.");
    EXPECT_EQ(fen.ChangePosY->valeur(), 200);

    fen.ChangePosX->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_FALSE(fen.reglages().Centrer);
    EXPECT_EQ(fen.AffPosX->text(), "101");
    EXPECT_EQ(fen.AffPosY->text(), "Cent.");
    EXPECT_EQ(fen.creerApercu()->pos(), QPoint(101, 200));
}

TEST(Apercu, PlaceALaPositionOuAuCentre)
{
    FakeServices f;
    FenPrin fen(f);
    fen.move(150, 120);
    fen.show();
    fen.AffTemps->setText("0");
    fen.AffPosX->setText("333");
    fen.AffPosY->setText("44");
    QPoint vue;
    bool ouverte = false;
    pendantApercu(fen, [&](BoiteApercu* b) {
        ouverte = b && b->isVisible();
        vue = b->pos();
        b->appuyerBoutonParDefaut();
    });
    QTest::mouseClick(fen.CmdVisu, Qt::LeftButton);
    EXPECT_TRUE(ouverte);
    EXPECT_EQ(vue, QPoint(333, 44));
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    fen.CmdCentrer_Click();
    QPoint centreBoite;
    pendantApercu(fen, [&](BoiteApercu* b) {
        centreBoite = b->frameGeometry().center();
        b->appuyerBoutonParDefaut();
    });
    fen.CmdVisu_Click();
    const QPoint ecart = centreBoite - fen.frameGeometry().center();
    EXPECT_LE(std::abs(ecart.x()), 1);
    EXPECT_LE(std::abs(ecart.y()), 1);
}

TEST(Apercu, FermetureAutomatiqueParLeBoutonParDefaut)
{
    struct Cas {
        const char* nom;
        QString titre;
        QString legende;
    } cas[] = {
        {"avec_titre", "TITRE", "TITRE"},
        {"titre_vide_encore_place_et_ferme", "", "Brevolet"},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        fen.OptTypBouton[4]->click();
        fen.OptDefBtn[1]->click();
        fen.TextTitre->setText(c.titre);
        fen.AffTemps->setText("0.2");
        QString legende;
        QPoint position;
        pendantApercu(fen, [&](BoiteApercu* b) {
            legende = b->windowTitle();
            position = b->pos();
        });
        QElapsedTimer montre;
        montre.start();
        fen.CmdVisu_Click();
        EXPECT_GE(montre.elapsed(), 150) << c.nom;
        EXPECT_EQ(fen.derniereReponse(), velmaro::vbNo) << c.nom;
        EXPECT_EQ(legende, c.legende) << c.nom;
        EXPECT_EQ(position, QPoint(100, 80)) << c.nom;
    }
}

TEST(Apercu, SansTempsLaBoiteResteOuverte)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.AffTemps->setText("0");
    bool encoreOuverte = false;
    pendantApercu(
        fen,
        [&](BoiteApercu* b) {
            encoreOuverte = b && b->isVisible();
            b->boutons().first()->click();
        },
        400);
    fen.CmdVisu_Click();
    EXPECT_TRUE(encoreOuverte);
}

TEST(Apercu, UnNouvelApercuRepartDeZero)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.AffTemps->setText("0.4");
    // The first box is closed by hand after 250 ms; the second still gets its full 400 ms.
    pendantApercu(fen, [](BoiteApercu* b) { QTest::keyClick(b, Qt::Key_Escape); }, 250);
    fen.CmdVisu_Click();
    QElapsedTimer montre;
    montre.start();
    fen.CmdVisu_Click();
    EXPECT_GE(montre.elapsed(), 350);
}

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

    QRect apres;
    QRect texte;
    int hautBoutons = 0;
    QFont police;
    pendantApercu(fen, [&](BoiteApercu* b) {
        apres = QRect(b->pos(), b->size());
        texte = b->etiquetteTexte()->geometry();
        hautBoutons = b->boutons().first()->y();
        police = b->etiquetteTexte()->font();
        b->appuyerBoutonParDefaut();
    });
    QTest::mouseClick(fen.CmdFontes, Qt::LeftButton);

    ASSERT_EQ(f.dialogs.policesProposees.size(), 1u);
    EXPECT_EQ(f.dialogs.policesProposees[0].family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(f.dialogs.policesProposees[0].pointSizeF(), 10.0);
    EXPECT_EQ(police.family(), "Times New Roman");
    const int h = QFontMetrics(police)
                      .boundingRect(QRect(0, 0, texte.width(), 1 << 20), Qt::TextWordWrap,
                                    temoin.etiquetteTexte()->text())
                      .height();
    ASSERT_GT(h, ancienneHauteur);
    EXPECT_EQ(texte.height(), h + 10);
    EXPECT_EQ(apres.height() - avant.height(), h - ancienneHauteur);
    EXPECT_EQ(apres.y(), avant.y() - (h - ancienneHauteur) / 2);
    EXPECT_EQ(apres.x(), avant.x());
    EXPECT_GE(hautBoutons, texte.y() + h);
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    // Cancelled: no preview; the next dialog keeps the last bold and italic.
    f.dialogs.police.reset();
    fen.CmdFontes_Click();
    ASSERT_EQ(f.dialogs.policesProposees.size(), 2u);
    EXPECT_TRUE(f.dialogs.policesProposees[1].bold() && f.dialogs.policesProposees[1].italic());
}

// The toolkit's own font dialog, not a fake: it must open on the family that
// the preview's "MS Sans Serif" 10 really is, and OK at once keeps that font
// plain, at this opening and the next.
TEST(Apercu, LeVraiDialogueSOuvreSurLaPoliceDeLApercu)
{
    FakeServices f;
    velmaro::QtDialogs vrais;
    velmaro::Services services{f.clipboard, f.launcher, f.messages, vrais,          f.power,
                               f.fileTimes, f.tray,     f.registry, f.programFolder, f.clock};
    FenPrin fen(services);
    fen.show();
    std::vector<QFont> departs;
    std::vector<QFont> apercus;
    QTimer pilote;
    pilote.callOnTimeout([&] {
        if (BoiteApercu* b = fen.boiteOuverte()) {
            apercus.push_back(b->etiquetteTexte()->font());
            b->appuyerBoutonParDefaut();
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFontDialog*>(w); d && d->isVisible()) {
                departs.push_back(d->currentFont());
                d->accept();
            }
    });
    pilote.start(20);
    QTest::mouseClick(fen.CmdFontes, Qt::LeftButton);
    QTest::mouseClick(fen.CmdFontes, Qt::LeftButton);
    const QString famille = QFontInfo(velmaro::policeVb("MS Sans Serif", 10)).family();
    ASSERT_EQ(departs.size(), 2u);
    ASSERT_EQ(apercus.size(), 2u);
    for (const QFont& p : {departs[0], departs[1], apercus[0], apercus[1]}) {
        EXPECT_EQ(p.family(), famille);
        EXPECT_EQ(p.pointSize(), 10);
        EXPECT_FALSE(p.bold() || p.italic());
    }
}

TEST(FenPrin, AProposSOuvreEtSeFerme)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
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
