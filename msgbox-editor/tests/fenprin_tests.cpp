#include "msgbox-editor/ui/fenprin.hpp"

#include "common/testing/fakes.hpp"
#include "msgbox-editor/ui/boiteapercu.hpp"
#include "msgbox-editor/ui/barreinversee.hpp"
#include "about/animated/apropos.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QToolButton>
#include <QGroupBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <gtest/gtest.h>

using namespace brevolet;
using velmaro::testing::FakeServices;

// Renders the windows to PNG files in $VELMARO_RENDU, to look at them.
TEST(Rendu, DISABLED_Fenetres)
{
    const QString dossier = qEnvironmentVariable("VELMARO_RENDU", QDir::tempPath());
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.grab().save(dossier + "/fenprin.png");
    fen.IcoQuest_MouseDown();
    fen.OptTypBouton[3]->click();
    fen.TextMsg->setPlainText("Voulez-vous vraiment enregistrer les modifications apportées au document ?");
    fen.grab().save(dossier + "/fenprin2.png");
    auto boite = fen.creerApercu();
    boite->show();
    boite->grab().save(dossier + "/apercu.png");
    boite->close();
    fen.TextMsg->setPlainText("Voulez-vous vraiment enregistrer les modifications apportées au document ? "
                              "Elles seront perdues sinon.");
    f.dialogs.police = QFont("Comic Sans MS", 16, QFont::Bold);
    QTimer::singleShot(0, [&] {
        auto* b = fen.boiteOuverte();
        b->grab().save(dossier + "/apercu-police.png");
        b->appuyerBoutonParDefaut();
    });
    fen.CmdFontes_Click();
}

namespace {

QString code(const FenPrin& f)
{
    return f.TextMsgBox->toPlainText();
}

// Runs `inspecter` on the preview box once it is shown, then lets the test
// close it (or not) from there.
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

} // namespace

TEST(FenPrin, Demarrage)
{
    FakeServices f;
    FenPrin fen(f);
    EXPECT_EQ(fen.windowTitle(), "Brevolet");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")");
    EXPECT_EQ(fen.TextTitre->text(), "TITRE");
    EXPECT_EQ(fen.TextMsg->toPlainText(), "Texte du message");
    EXPECT_EQ(fen.IcoSans->text(), "Sans icône");
    for (auto* b : {fen.IcoStop, fen.IcoQuest, fen.IcoExcl, fen.IcoInfo})
        EXPECT_EQ(b->text(), "");
    EXPECT_TRUE(fen.OptTypCode[0]->isChecked());
    EXPECT_TRUE(fen.OptTypBouton[0]->isChecked());
    EXPECT_TRUE(fen.OptTypMod[0]->isChecked());
    EXPECT_EQ(legendesDefaut(fen), QStringList({"OK", "-", "-"}));
    EXPECT_EQ(fen.AffTemps->text(), "4");
    EXPECT_EQ(fen.AffPosX->text(), "100");
    EXPECT_EQ(fen.AffPosY->text(), "80");
    EXPECT_EQ(fen.ChangeTemps->valeur(), 4);
    EXPECT_EQ(fen.ChangePosX->valeur(), 100);
    EXPECT_EQ(fen.ChangePosY->valeur(), 80);
    EXPECT_EQ(fen.reglages().TempsAffichage, 4000);
    EXPECT_EQ(fen.reglages().PosX, 100);
    EXPECT_EQ(fen.reglages().PosY, 80);
    EXPECT_FALSE(fen.reglages().Centrer);
    EXPECT_EQ(fen.reglages().TitreBoite, "TITRE");
    EXPECT_EQ(fen.reglages().TexteBoite, "Texte du message");
    EXPECT_FALSE(fen.PoliceBoite());
    EXPECT_FALSE(fen.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(fen.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(fen.minimumSize(), fen.maximumSize());
}

TEST(FenPrin, ZoneVisibleEtBoutonFocus)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    // The visible client area ends just below the lower frames; BoutonFocus lies below it.
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(8190, 6015));
    const int basCadres = std::max(fen.Frame6->geometry().bottom(), fen.Frame7->geometry().bottom());
    EXPECT_GT(fen.height(), basCadres);
    EXPECT_LE(fen.height() - basCadres, 10);
    EXPECT_GE(fen.BoutonFocus->y(), fen.height());
    EXPECT_EQ(fen.BoutonFocus->text(), "BoutonFocus");
    fen.IcoInfo_MouseDown();
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);
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
        {"Frame1", fen.Frame1, twips(60, 0, 2595, 855)},
        {"Frame2", fen.Frame2, twips(60, 900, 2595, 2055)},
        {"Frame3", fen.Frame3, twips(60, 3000, 2595, 1155)},
        {"Frame4", fen.Frame4, twips(60, 4200, 2595, 855)},
        {"Frame5", fen.Frame5, twips(2760, 0, 5355, 1275)},
        {"Frame6", fen.Frame6, twips(60, 5100, 3135, 795)},
        {"Frame7", fen.Frame7, twips(3300, 5100, 3435, 795)},
        {"OptDefBtn2", fen.OptDefBtn[2], twips(120, 840, 2295, 195)},
        {"IcoExcl", fen.IcoExcl, twips(3180, 240, 1035, 915)},
        {"TextTitre", fen.TextTitre, twips(2760, 1620, 5055, 285)},
        {"CmdEfTitr", fen.CmdEfTitr, twips(7920, 1620, 195, 315)},
        {"TextMsg", fen.TextMsg, twips(2760, 2220, 5055, 975)},
        {"CmdEfTxt", fen.CmdEfTxt, twips(7920, 2220, 195, 1005)},
        {"CmdVisu", fen.CmdVisu, twips(2760, 3300, 1815, 315)},
        {"CmdCopie", fen.CmdCopie, twips(4560, 3300, 1755, 315)},
        {"CmdApro", fen.CmdApro, twips(6300, 3600, 1815, 315)},
        {"TextMsgBox", fen.TextMsgBox, twips(2760, 4200, 5355, 855)},
        {"AffTemps", fen.AffTemps, twips(180, 240, 615, 435)},
        {"ChangeTemps", fen.ChangeTemps, twips(570, 285, 195, 375)},
        {"AffPosY", fen.AffPosY, twips(1680, 240, 855, 435)},
        {"ChangePosY", fen.ChangePosY, twips(2310, 270, 195, 375)},
        {"CmdCentrer", fen.CmdCentrer, twips(2700, 240, 555, 435)},
        {"CmdFontes", fen.CmdFontes, twips(6900, 5220, 1215, 675)},
        {"BoutonFocus", fen.BoutonFocus, twips(300, 6420, 2175, 435)},
    };
    for (const auto& c : cas)
        EXPECT_EQ(c.w->geometry(), c.attendu) << c.nom;
    // The scroll bars lie over the right part of their boxes.
    EXPECT_TRUE(fen.AffTemps->geometry().contains(fen.ChangeTemps->geometry()));
    EXPECT_GT(fen.Frame6->children().indexOf(fen.ChangeTemps), fen.Frame6->children().indexOf(fen.AffTemps));
}

TEST(FenPrin, LegendesEtPolices)
{
    FakeServices f;
    FenPrin fen(f);
    EXPECT_EQ(fen.Label1->text(), "Titre de la boîte de message :");
    EXPECT_EQ(fen.Label2->text(), "Texte du message :");
    EXPECT_EQ(fen.Label3->text(), "Code :");
    EXPECT_EQ(fen.Label4->text(), "Temps en secondes.           0  (zéro) correspond à l'infini. ");
    EXPECT_EQ(fen.Label5->text(), "X :");
    EXPECT_EQ(fen.Label6->text(), "Y :");
    EXPECT_EQ(fen.Frame6->title(), "Temps d'affichage de la boîte");
    EXPECT_EQ(fen.Frame7->title(), "Position de la boîte de message");
    EXPECT_EQ(fen.CmdCentrer->toolTip(), "Centrer la boîte de message");
    EXPECT_EQ(fen.CmdFontes->toolTip(), "Modifier la police de caractères de la boîte de message");
    const QStringList boutons = {fen.CmdVisu->text(), fen.CmdCopie->text(), fen.CmdAide->text(),
                                 fen.CmdSautLign->text(), fen.CmdPressPap->text(), fen.CmdApro->text()};
    EXPECT_EQ(boutons, QStringList({"Visualisation", "Copier", "Aide", "Saut de ligne", "Presse-papiers", "A propos..."}));
    EXPECT_EQ(fen.AffTemps->font().family(), "Comic Sans MS");
    EXPECT_TRUE(fen.AffPosX->font().bold());
    EXPECT_DOUBLE_EQ(fen.AffPosY->font().pointSizeF(), 11.25);
    EXPECT_DOUBLE_EQ(fen.Label5->font().pointSizeF(), 9.75);
    EXPECT_TRUE(fen.Label6->font().bold());
    EXPECT_DOUBLE_EQ(fen.CmdVisu->font().pointSizeF(), 8.25);
    EXPECT_TRUE(fen.TextMsgBox->isReadOnly());
    EXPECT_FALSE(fen.IcoStop->icon().isNull());
    EXPECT_TRUE(fen.IcoSans->icon().isNull());
}

TEST(FenPrin, OrdreDeTabulation)
{
    FakeServices f;
    FenPrin fen(f);
    const QList<QWidget*> attendu = {fen.BoutonFocus, fen.OptTypCode[0], fen.OptTypCode[1], fen.OptTypBouton[0],
                                     fen.OptTypBouton[5], fen.OptDefBtn[0], fen.OptDefBtn[2], fen.OptTypMod[0],
                                     fen.OptTypMod[1], fen.IcoSans, fen.IcoStop, fen.IcoInfo, fen.TextTitre, fen.TextMsg, fen.TextMsgBox, fen.CmdVisu, fen.CmdCopie,
                                     fen.CmdAide, fen.CmdSautLign, fen.CmdPressPap, fen.CmdApro, fen.CmdEfTitr,
                                     fen.CmdEfTxt, fen.ChangeTemps, fen.AffTemps, fen.AffPosX, fen.ChangePosX,
                                     fen.AffPosY, fen.ChangePosY, fen.CmdCentrer, fen.CmdFontes};
    QList<QWidget*> vu;
    QWidget* w = fen.BoutonFocus;
    for (int pas = 0; pas < 500 && vu.size() < attendu.size(); ++pas) {
        if (attendu.contains(w))
            vu << w;
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(vu, attendu);
}

TEST(FenPrin, ClicsSurLesOptions)
{
    struct Cas {
        const char* nom;
        std::vector<std::function<QAbstractButton*(FenPrin&)>> clics;
        QString code;
        QStringList defauts;
    } cas[] = {
        {"instruction_question_ouinonannuler_2eme_systeme",
         {[](FenPrin& f) { return f.OptTypCode[1]; }, [](FenPrin& f) { return f.OptTypBouton[3]; },
          [](FenPrin& f) { return f.OptDefBtn[1]; }, [](FenPrin& f) { return f.OptTypMod[1]; }},
         "MsgBox \"Texte du message\", 4355, \"TITRE\"",
         {"Oui", "Non", "Annuler"}},
        {"ouinonannuler_3eme_puis_ouinon",
         {[](FenPrin& f) { return f.OptTypBouton[3]; }, [](FenPrin& f) { return f.OptDefBtn[2]; },
          [](FenPrin& f) { return f.OptTypBouton[4]; }},
         "Reponse = MsgBox(\"Texte du message\", 260, \"TITRE\")",
         {"Oui", "Non", "-"}},
        {"abandon_3eme_puis_ok",
         {[](FenPrin& f) { return f.OptTypBouton[2]; }, [](FenPrin& f) { return f.OptDefBtn[2]; },
          [](FenPrin& f) { return f.OptTypBouton[0]; }},
         "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")",
         {"OK", "-", "-"}},
        {"okannuler_garde_legende_3",
         {[](FenPrin& f) { return f.OptTypBouton[3]; }, [](FenPrin& f) { return f.OptTypBouton[1]; }},
         "Reponse = MsgBox(\"Texte du message\", 1, \"TITRE\")",
         {"OK", "Annuler", "-"}},
        {"modal_puis_application",
         {[](FenPrin& f) { return f.OptTypMod[1]; }, [](FenPrin& f) { return f.OptTypMod[0]; },
          [](FenPrin& f) { return f.OptTypBouton[5]; }},
         "Reponse = MsgBox(\"Texte du message\", 5, \"TITRE\")",
         {"Réessayer", "Annuler", "-"}},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        for (const auto& clic : c.clics)
            QTest::mouseClick(clic(fen), Qt::LeftButton, {}, QPoint(6, 6));
        EXPECT_EQ(code(fen), c.code) << c.nom;
        EXPECT_EQ(legendesDefaut(fen), c.defauts) << c.nom;
        int coches = 0;
        for (auto* o : fen.OptDefBtn)
            coches += o->isChecked() && o->isVisibleTo(fen.Frame3);
        EXPECT_EQ(coches, 1) << c.nom;
    }
}

TEST(FenPrin, BoutonsIcones)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    // Any mouse button selects at once.
    QTest::mousePress(fen.IcoQuest, Qt::RightButton);
    QTest::mouseRelease(fen.IcoQuest, Qt::RightButton);
    EXPECT_EQ(fen.IcoQuest->text(), "Question");
    EXPECT_EQ(fen.IcoSans->text(), "");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Texte du message\", 32, \"TITRE\")");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    QTest::mousePress(fen.IcoInfo, Qt::LeftButton);
    EXPECT_EQ(fen.modele().ValIcone, 64);
    QTest::mouseRelease(fen.IcoInfo, Qt::LeftButton);

    // The stop button reacts to a whole click, also from the keyboard.
    QTest::keyClick(fen.IcoStop, Qt::Key_Space);
    EXPECT_EQ(fen.IcoStop->text(), "Stop");
    EXPECT_EQ(fen.IcoInfo->text(), "");
    EXPECT_EQ(fen.modele().ValStyle, 16);
    QTest::mousePress(fen.IcoStop, Qt::RightButton);
    QTest::mouseRelease(fen.IcoStop, Qt::RightButton);
    QTest::mouseClick(fen.IcoExcl, Qt::LeftButton);
    EXPECT_EQ(fen.IcoExcl->text(), "Exclamation");
    // The other keyboard presses do nothing.
    QTest::keyClick(fen.IcoSans, Qt::Key_Space);
    EXPECT_EQ(fen.modele().ValIcone, 48);
    QTest::mouseClick(fen.IcoSans, Qt::LeftButton);
    EXPECT_EQ(fen.IcoSans->text(), "Sans icône");
    EXPECT_EQ(fen.modele().ValStyle, 0);
}

TEST(FenPrin, SaisieDesTextes)
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
    EXPECT_EQ(fen.reglages().TexteBoite, "Dites \"oui\"\nou non");
    EXPECT_EQ(fen.texteMessage(), "Dites \"oui\"\r\nou non");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Dites \"oui\"\nou non\", 0, \"Attention\")");

    QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
    EXPECT_EQ(f.clipboard.texte,
              "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r"
              "Reponse = MsgBox(\"Dites \"oui\"\r\nou non\", 0, \"Attention\")");
}

TEST(FenPrin, BoutonsDEffacement)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextMsgBox->setFocus();
    QTest::mouseClick(fen.CmdEfTitr, Qt::LeftButton);
    EXPECT_EQ(fen.TextTitre->text(), "");
    EXPECT_EQ(fen.reglages().TitreBoite, "");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Texte du message\", 0, \"\")");
    QTest::mouseClick(fen.CmdEfTxt, Qt::LeftButton);
    EXPECT_EQ(fen.TextMsg->toPlainText(), "");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"\", 0, \"\")");
    EXPECT_NE(fen.focusWidget(), fen.BoutonFocus);
}

TEST(FenPrin, CopierPuisReduire)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.OptTypCode[1]->click();
    fen.IcoQuest_MouseDown();
    fen.OptTypBouton[3]->click();
    fen.OptDefBtn[1]->click();
    fen.OptTypMod[1]->click();
    QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
    EXPECT_EQ(f.clipboard.texte,
              "' Icône : Question, bouton(s) : Oui/Non/Annuler, bouton par défaut : 2ème\r"
              "MsgBox \"Texte du message\", 4387, \"TITRE\"");
    EXPECT_EQ(f.clipboard.texte.count('\r'), 1);
    EXPECT_EQ(f.clipboard.texte.count('\n'), 0);
    EXPECT_TRUE(fen.isMinimized());
    EXPECT_TRUE(f.messages.boites.empty());
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
    EXPECT_EQ(fen.TextMsg->toPlainText(), "Premier\" & Chr$(10) & \"Second");
    EXPECT_EQ(code(fen), "Reponse = MsgBox(\"Premier\" & Chr$(10) & \"Second\", 0, \"TITRE\")");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    // Without a selection, at the caret.
    c.setPosition(0);
    fen.TextMsg->setTextCursor(c);
    fen.CmdSautLign_Click();
    EXPECT_TRUE(fen.TextMsg->toPlainText().startsWith("\" & Chr$(10) & \"Premier"));

    f.clipboard.echec = "Presse-papiers occupé";
    fen.CmdSautLign_Click();
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].texte, "Presse-papiers occupé");
    EXPECT_EQ(f.messages.boites[0].style, 0);
    EXPECT_EQ(f.messages.boites[0].titre, "Brevolet");
}

TEST(FenPrin, AideEtPressePapiers)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    QTest::mouseClick(fen.CmdAide, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    const auto& aide = f.messages.boites[0];
    EXPECT_EQ(aide.style, 64);
    EXPECT_EQ(aide.titre, "Saut de ligne");
    const QStringList paragraphes = aide.texte.split('\n');
    ASSERT_EQ(paragraphes.size(), 4);
    EXPECT_TRUE(paragraphes[0].startsWith("   Dans l'éditeur de messages, il est possible"));
    EXPECT_TRUE(paragraphes[0].endsWith("il faut insérer la chaîne ' & Chr$(10) & ' pour faire les sauts de ligne dans le code."));
    EXPECT_TRUE(paragraphes[1].startsWith("    Le bouton 'Saut de ligne' copie donc"));
    EXPECT_TRUE(paragraphes[1].endsWith("les deux parties de texte (et surtout de code...)."));
    EXPECT_EQ(paragraphes[2], "");
    EXPECT_EQ(paragraphes[3], "    >>> Les boutons noirs situés à droite des zones de texte de titre et de message servent à l'effacement.");
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    ASSERT_EQ(f.launcher.lancements.size(), 1u);
    EXPECT_EQ(f.launcher.lancements[0].programme, "clipbrd.exe");
    EXPECT_TRUE(f.launcher.lancements[0].arguments.isEmpty());
    f.launcher.echecs.insert("clipbrd.exe");
    QTest::mouseClick(fen.CmdPressPap, Qt::LeftButton);
    EXPECT_EQ(f.messages.boites.size(), 1u);
}

TEST(FenPrin, MajusculesSelonLaZoneCliquee)
{
    struct Cas {
        const char* nom;
        std::function<void(FenPrin&)> clic;
        bool majuscules;
        QString titre;
        QString message;
    } cas[] = {
        {"gauche_dans_le_titre",
         [](FenPrin& f) { QTest::mousePress(f.TextTitre, Qt::LeftButton); QTest::mouseRelease(f.TextTitre, Qt::LeftButton); },
         true, "ABcÉ1", "ABcÉ1"},
        {"droit_dans_le_titre",
         [](FenPrin& f) { QTest::mousePress(f.TextTitre, Qt::RightButton); QTest::mouseRelease(f.TextTitre, Qt::RightButton); },
         false, "abCé1", "abCé1"},
        {"clic_dans_le_message",
         [](FenPrin& f) {
             QTest::mouseClick(f.TextTitre, Qt::LeftButton);
             QTest::mouseClick(f.TextMsg->viewport(), Qt::LeftButton);
         },
         false, "abCé1", "abCé1"},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        c.clic(fen);
        EXPECT_EQ(fen.majuscules(), c.majuscules) << c.nom;
        for (QWidget* boite : {static_cast<QWidget*>(fen.TextTitre), static_cast<QWidget*>(fen.TextMsg)}) {
            if (boite == fen.TextTitre)
                fen.TextTitre->clear();
            else
                fen.TextMsg->clear();
            QTest::keyClicks(boite, "ab");
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_C, QStringLiteral("C"), Qt::ShiftModifier);
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
            QTest::keyClicks(boite, "1");
        }
        EXPECT_EQ(fen.TextTitre->text(), c.titre) << c.nom;
        EXPECT_EQ(fen.TextMsg->toPlainText(), c.message) << c.nom;
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
        {"secondes_virgule", Temps, "2,5", "2,5", 2, 2500},
        {"trois_et_demi_reste_tape", Temps, "3.5", "3.5", 4, 3500},
        {"secondes_trop", Temps, "75", "60", 60, 60000},
        {"secondes_negatives", Temps, "-3", "0", 0, 0},
        {"secondes_lettres", Temps, "abc", "abc", 4, 4000},
        {"secondes_vide", Temps, "", "", 4, 4000},
        {"x_trop_grand", X, "2000", "1280", 1280, 1280},
        {"x_negatif", X, "-5", "0", 0, 0},
        {"x_demi_pair", X, "100.5", "100.5", 100, 100},
        {"x_lettres", X, "gauche", "gauche", 100, 100},
        {"y_trop_grand", Y, "1025", "1024", 1024, 1024},
        {"y_valide", Y, "300", "300", 300, 300},
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
        const double valeur = c.boite == Temps ? fen.reglages().TempsAffichage
                              : c.boite == X   ? fen.reglages().PosX
                                               : fen.reglages().PosY;
        EXPECT_DOUBLE_EQ(valeur, c.valeur) << c.nom;
    }
}

TEST(FenPrin, BarresAuxValeursEnHaut)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    // The upper arrow increases, the upper trough adds the large step.
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(fen.AffTemps->text(), "5");
    EXPECT_EQ(fen.reglages().TempsAffichage, 5000);
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(fen.AffTemps->text(), "15");
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(fen.AffTemps->text(), "60");
    fen.ChangeTemps->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(fen.AffTemps->text(), "0");
    EXPECT_EQ(fen.reglages().TempsAffichage, 0);
    // Clicking on the upper arrow itself.
    QTest::mouseClick(fen.ChangePosY, Qt::LeftButton, {}, QPoint(fen.ChangePosY->width() / 2, 3));
    EXPECT_EQ(fen.AffPosY->text(), "81");
    EXPECT_EQ(fen.reglages().PosY, 81);
    fen.ChangePosX->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(fen.AffPosX->text(), "1280");
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
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    fen.ChangePosX->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_FALSE(fen.reglages().Centrer);
    EXPECT_EQ(fen.AffPosX->text(), "101");
    EXPECT_EQ(fen.AffPosY->text(), "Cent.");
    EXPECT_EQ(fen.reglages().PosX, 101);
    EXPECT_EQ(fen.reglages().PosY, 200);
    const auto boite = fen.creerApercu();
    EXPECT_EQ(boite->pos(), QPoint(101, 200));
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
        ASSERT_NE(b, nullptr);
        ouverte = b->isVisible();
        vue = b->pos();
        b->appuyerBoutonParDefaut();
    });
    QTest::mouseClick(fen.CmdVisu, Qt::LeftButton);
    EXPECT_TRUE(ouverte);
    EXPECT_EQ(vue, QPoint(333, 44));
    EXPECT_EQ(fen.boiteOuverte(), nullptr);
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

TEST(Apercu, LaBoiteEstCelleDuStyle)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.IcoExcl_MouseDown();
    fen.OptTypBouton[2]->click();
    fen.OptDefBtn[2]->click();
    fen.OptTypMod[1]->click();
    fen.TextTitre->setText("Disque");
    fen.TextMsg->setPlainText("Lecteur A: non prêt");
    const auto b = fen.creerApercu();
    EXPECT_EQ(b->windowTitle(), "Disque");
    EXPECT_EQ(b->etiquetteTexte()->text(), "Lecteur A: non prêt");
    ASSERT_EQ(b->boutons().size(), 3);
    EXPECT_EQ(b->boutonParDefaut()->text(), "Ignorer");
    EXPECT_TRUE(b->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(b->etiquetteIcone()->pixmap().isNull());
}

TEST(Apercu, FermetureAutomatiqueParLeBoutonParDefaut)
{
    struct Cas {
        const char* nom;
        QString titre;
        QString legende;
    } cas[] = {
        {"avec_titre", "TITRE", "TITRE"},
        {"titre_vide", "", "Brevolet"},
    };
    for (const auto& c : cas) {
        FakeServices f;
        FenPrin fen(f);
        fen.show();
        fen.OptTypBouton[4]->click();
        fen.OptDefBtn[1]->click();
        fen.TextTitre->setText(c.titre);
        fen.AffTemps->setText("0.2");
        EXPECT_EQ(fen.reglages().TempsAffichage, 200) << c.nom;
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
        EXPECT_LT(montre.elapsed(), 3000) << c.nom;
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
    EXPECT_EQ(fen.derniereReponse(), velmaro::vbOK);
}

TEST(Apercu, UnNouvelApercuRepartDeZero)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.AffTemps->setText("0.4");
    // The first box is closed by hand after 250 ms; the second must still
    // get its full 400 ms.
    pendantApercu(fen, [](BoiteApercu* b) { QTest::keyClick(b, Qt::Key_Escape); }, 250);
    fen.CmdVisu_Click();
    EXPECT_EQ(fen.derniereReponse(), velmaro::vbOK);
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
    f.dialogs.police = QFont("Times New Roman", 20, QFont::Bold);
    f.dialogs.police->setItalic(true);

    const BoiteApercu normale(QString::fromStdString(fen.reglages().TexteBoite), 0, "TITRE", &fen);
    BoiteApercu temoin(QString::fromStdString(fen.reglages().TexteBoite), 0, "TITRE", &fen);
    temoin.placerParDefaut();
    const QRect avant(temoin.pos(), temoin.size());
    const int hauteurTexte = normale.etiquetteTexte()->height();

    QRect apres;
    QPoint coinApres;
    QRect texte;
    int hautBoutons = 0;
    QFont police;
    pendantApercu(fen, [&](BoiteApercu* b) {
        apres = b->geometry();
        coinApres = b->pos();
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
    EXPECT_TRUE(police.italic());
    ASSERT_TRUE(fen.PoliceBoite());

    const int h = QFontMetrics(police).boundingRect(QRect(0, 0, texte.width(), 1 << 20), Qt::TextWordWrap,
                                                     normale.etiquetteTexte()->text()).height();
    EXPECT_GT(h, hauteurTexte);
    EXPECT_EQ(apres.height() - avant.height(), h - hauteurTexte);
    EXPECT_EQ(texte.height(), h + 10);
    // Moved up by half the growth, so that the centre stays where it was.
    EXPECT_EQ(coinApres.y(), avant.y() - (h - hauteurTexte) / 2);
    EXPECT_EQ(coinApres.x(), avant.x());
    EXPECT_EQ(apres.width(), avant.width());
    EXPECT_GE(hautBoutons, texte.y() + h);
    EXPECT_LE(hautBoutons + 30, apres.height());
    EXPECT_EQ(fen.focusWidget(), fen.BoutonFocus);

    // The dialog starts again from the last bold/italic/strike/underline choice.
    f.dialogs.police.reset();
    fen.CmdFontes_Click();
    ASSERT_EQ(f.dialogs.policesProposees.size(), 2u);
    EXPECT_TRUE(f.dialogs.policesProposees[1].bold());
    EXPECT_TRUE(f.dialogs.policesProposees[1].italic());
    EXPECT_EQ(f.dialogs.policesProposees[1].family(), "MS Sans Serif");
}

TEST(Apercu, PolicePlusPetiteRetrecitLaBoite)
{
    FakeServices f;
    FenPrin fen(f);
    fen.show();
    fen.TextMsg->setPlainText("Deux lignes\nde texte");
    f.dialogs.police = QFont("MS Sans Serif", 5);
    int avant = 0;
    int apres = 0;
    {
        BoiteApercu temoin(QString::fromStdString(fen.reglages().TexteBoite), 0, "TITRE", &fen);
        avant = temoin.height();
    }
    pendantApercu(fen, [&](BoiteApercu* b) {
        apres = b->height();
        b->appuyerBoutonParDefaut();
    });
    fen.CmdFontes_Click();
    EXPECT_LT(apres, avant);
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
