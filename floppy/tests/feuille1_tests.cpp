// Feuille1 driven through its real widgets: what it shows, what it starts
// and where the keyboard focus ends.
#include "floppy/ui/feuille1.hpp"

#include "common/testing/fakes.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using merlidan::Feuille1;
using velmaro::twips;
using velmaro::testing::FakeServices;

namespace {

// The folder the program runs from names the launchers, whatever it holds.
const QString dossier = QStringLiteral("/opt/\"mes\" 'outils' & co; rm -rf ~ # 日本語");
const QString copie = dossier + "/copy.pif | ";
const QString format = dossier + "/format.pif | ";

class Feuille1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    // What the last click started, as "program | arg|arg...".
    QString dernier() const
    {
        const auto& l = f.launcher.lancements;
        return l.empty() ? QString() : l.back().programme + " | " + l.back().arguments.join('|');
    }
    QWidget* focus() const { return QApplication::focusWidget(); }

    FakeServices f;
    Feuille1 w{(f.programFolder.dossier = dossier, f)}; // the folder set first
};

} // namespace

TEST_F(Feuille1Test, WindowAsDesigned)
{
    EXPECT_TRUE(w.size() == velmaro::twipsTaille(4935, 3360) && w.minimumSize() == w.maximumSize());
    EXPECT_EQ(w.CmdApro->iconSize(), QSize(313, 33)); // 4 pixels inside the button
    EXPECT_EQ(w.BoutonFocus->geometry(), twips(120, 3480, 1995, 315)); // below the client area
    // Fonts: Times New Roman bold in points; 0: the window's bold MS Sans Serif.
    struct Cas { QWidget* controle; QRect zone; const char* bulle; double points; } cas[] = {
        {w.CmdAA, twips(180, 420, 1095, 735), "Copie de a: sur a:", 14.25},
        {w.CmdBB, twips(1320, 420, 1095, 735), "Copie de b: sur b:", 14.25},
        {w.CmdAB, twips(180, 1200, 1095, 975), "Copie de a: sur b:", 14.25},
        {w.CmdBA, twips(1320, 1200, 1095, 975), "Copie de b: sur a:", 14.25},
        {w.CmdFormatNormal, twips(2760, 1200, 975, 975), "Normal : formatage complet de la disquette", 12},
        {w.CmdFormatRapide, twips(3780, 1200, 975, 975), "Rapide : la disquette est simplement effacée sans vérification", 12},
        {w.CocheVerif, twips(720, 2220, 1635, 315),
         "Cocher la case pour faire une vérification de la copie (prend plus de temps...)", 12},
        {w.CocheSys, twips(2760, 2220, 1215, 285), "Cocher la case pour copier les fichiers système", 12},
        {w.Option1[0], twips(2940, 780, 195, 255), "Formatage disquette DD 720 Ko", 0},
        {w.Option1[1], twips(3600, 780, 195, 195), "Formatage disquette HD 1,44 Mo", 0},
        {w.Option1[2], twips(4320, 780, 195, 255), "Formatage disquette 2.88 Mo", 0},
        {w.CmdApro, twips(60, 2700, 4815, 615), "Infos...", 12},
        {w.Frame1, twips(60, 0, 2475, 2595), "", 18}, {w.Frame2, twips(2640, 0, 2235, 2595), "", 18},
        {w.Label1, twips(240, 420, 375, 255), "", 12}, {w.Label2, twips(840, 420, 495, 255), "", 12},
        {w.Label3, twips(1560, 420, 495, 255), "", 12},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << "control " << (&c - cas));
        EXPECT_EQ(c.controle->geometry(), c.zone);
        EXPECT_EQ(c.controle->toolTip(), QString::fromUtf8(c.bulle));
        EXPECT_EQ(c.controle->font().family(), c.points > 0 ? "Times New Roman" : "MS Sans Serif");
        EXPECT_EQ(c.controle->font().pointSizeF(), c.points > 0 ? c.points : 8.25);
        EXPECT_TRUE(c.controle->font().bold());
    }
    const auto cle = [](QAbstractButton* b) { return b->icon().pixmap(32, 32).toImage(); }; // A/A and B/B share one
    EXPECT_TRUE(cle(w.CmdAA) == cle(w.CmdBB) && cle(w.CmdAB) == cle(w.CmdBA) && cle(w.CmdAA) != cle(w.CmdAB));
    // At start: verified, 1.44 MB (the other two circles empty: they exclude each other), no system files.
    EXPECT_TRUE(w.CocheVerif->isChecked() && w.Option1[1]->isChecked() && !w.CocheSys->isChecked());
    const QWidget* ordre[] = {w.CmdAA, w.CmdBB, w.CmdAB, w.CmdBA, w.CmdFormatNormal, w.CmdFormatRapide, // the tab order
                              w.CocheVerif, w.CmdApro, w.Option1[0], w.Option1[1], w.Option1[2], w.CocheSys};
    QWidget* courant = w.BoutonFocus;
    EXPECT_EQ(focus(), courant);
    for (const QWidget* suivant : ordre) {
        do
            courant = courant->nextInFocusChain();
        while (!(courant->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(courant, suivant);
    }
}

// Each button starts its launcher with the options of the moment, which follow
// the check boxes and option circles as they toggle; the focus goes back to
// the hidden button each time.
TEST_F(Feuille1Test, EachButtonStartsItsLauncherWithItsOwnOptions)
{
    struct Etape { QAbstractButton* option; QPushButton* bouton; QString lance; } etapes[] = { // option: clicked first
        {nullptr, w.CmdAA, copie + "a:|a:|/V"},
        {w.CocheVerif, w.CmdBA, copie + "b:|a:"},
        {w.CocheSys, w.CmdFormatNormal, format + "a:|/F:1440|/S"},
        {w.Option1[2], w.CmdFormatRapide, format + "a:|/F:2880|/Q|/S"},
        {w.CocheSys, w.CmdFormatNormal, format + "a:|/F:2880"},
        {w.CocheVerif, w.CmdBB, copie + "b:|b:|/V"},
    };
    for (const auto& e : etapes) {
        SCOPED_TRACE(e.lance.toStdString());
        if (e.option) {
            QTest::mouseClick(e.option, Qt::LeftButton, {}, QPoint(6, e.option->height() / 2));
            EXPECT_EQ(focus(), w.BoutonFocus);
        }
        QTest::mouseClick(e.bouton, Qt::LeftButton);
        EXPECT_EQ(dernier(), e.lance);
        EXPECT_EQ(focus(), w.BoutonFocus);
    }
    // Toggled from the keyboard or a screen reader, without a click.
    w.CocheSys->setChecked(true);
    w.Option1[1]->setChecked(true);
    w.CmdFormatNormal->click();
    EXPECT_EQ(dernier(), format + "a:|/F:1440|/S");
    EXPECT_TRUE(f.messages.boites.empty());
    // A click on what is no button leaves the focus on the hidden one too.
    for (QWidget* cible : {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.Label2)}) {
        w.CmdBB->setFocus(); // so that the click has something to undo
        QTest::mouseClick(cible, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(focus(), w.BoutonFocus);
    }
}

// A launcher that can't start is named in the message, even when the
// failure's own text doesn't name it, and the program goes on.
TEST_F(Feuille1Test, MissingLauncherIsNamedAndTheProgramGoesOn)
{
    f.launcher.echecs.insert(dossier + "/copy.pif");
    QTest::mouseClick(w.CmdAB, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].titre + QString::number(f.messages.boites[0].style), "Merlidan0");
    EXPECT_TRUE(f.messages.boites[0].texte.contains(dossier + "/copy.pif"));
    QTest::mouseClick(w.CmdFormatNormal, Qt::LeftButton);
    EXPECT_EQ(dernier(), format + "a:|/F:1440");

    struct Muet : velmaro::testing::FakeLauncher {
        void start(const QString&, const QStringList&) override { throw velmaro::ErreurService("Accès refusé"); }
    } muet;
    FakeServices g;
    velmaro::Services s{g.clipboard, muet, g.messages, g.dialogs, g.power, g.fileTimes, g.tray, g.registry,
                        g.programFolder, g.clock};
    Feuille1 autre(s);
    QTest::mouseClick(autre.CmdFormatRapide, Qt::LeftButton);
    ASSERT_EQ(g.messages.boites.size(), 1u);
    EXPECT_EQ(g.messages.boites[0].texte, "Accès refusé\n/opt/velmaro/format.pif");
}
