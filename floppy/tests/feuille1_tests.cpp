// Feuille1 driven through its real widgets: what it shows, what it starts
// and where the keyboard focus ends.
#include "floppy/ui/feuille1.hpp"

#include "about/standard/frmabout.hpp"
#include "common/testing/fakes.hpp"
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

class Feuille1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.programFolder.dossier = QStringLiteral("/opt/mes outils");
        w = std::make_unique<Feuille1>(f);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void TearDown() override
    {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (qobject_cast<about::frmAbout*>(t))
                t->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // What the last click started, as "program | arg arg...".
    QString dernier() const
    {
        if (f.launcher.lancements.empty())
            return QString();
        const auto& l = f.launcher.lancements.back();
        return l.programme + QStringLiteral(" | ") + l.arguments.join(QLatin1Char(' '));
    }
    QWidget* focus() const { return QApplication::focusWidget(); }

    FakeServices f;
    std::unique_ptr<Feuille1> w;
};

const QString copie = QStringLiteral("/opt/mes outils/copy.pif | ");
const QString format = QStringLiteral("/opt/mes outils/format.pif | ");

} // namespace

TEST_F(Feuille1Test, WindowAsDesigned)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Merlidan"));
    EXPECT_FALSE(w->windowIcon().isNull());
    EXPECT_EQ(w->size(), velmaro::twipsTaille(4935, 3360));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(w->font().bold());
    // The focus sink lies below the visible client area.
    EXPECT_EQ(w->BoutonFocus->geometry(), twips(120, 3480, 1995, 315));
    EXPECT_GE(w->BoutonFocus->y(), w->height());
    EXPECT_EQ(focus(), w->BoutonFocus);

    struct Cas {
        const char* nom;
        QWidget* controle;
        QRect zone;
        QString texte;
        QString bulle;
        double points; // Times New Roman bold; 0: the window font
    } cas[] = {
        {"CmdAA", w->CmdAA, twips(180, 420, 1095, 735), QStringLiteral("      A/A"), QStringLiteral("Copie de a: sur a:"), 14.25},
        {"CmdBB", w->CmdBB, twips(1320, 420, 1095, 735), QStringLiteral("      B/B"), QStringLiteral("Copie de b: sur b:"), 14.25},
        {"CmdAB", w->CmdAB, twips(180, 1200, 1095, 975), QStringLiteral("      A/B"), QStringLiteral("Copie de a: sur b:"), 14.25},
        {"CmdBA", w->CmdBA, twips(1320, 1200, 1095, 975), QStringLiteral("      B/A"), QStringLiteral("Copie de b: sur a:"), 14.25},
        {"CmdFormatNormal", w->CmdFormatNormal, twips(2760, 1200, 975, 975), QString(),
         QStringLiteral("Normal : formatage complet de la disquette"), 12},
        {"CmdFormatRapide", w->CmdFormatRapide, twips(3780, 1200, 975, 975), QString(),
         QStringLiteral("Rapide : la disquette est simplement effacée sans vérification"), 12},
        {"CocheVerif", w->CocheVerif, twips(720, 2220, 1635, 315), QStringLiteral("Vérification :"),
         QStringLiteral("Cocher la case pour faire une vérification de la copie (prend plus de temps...)"), 12},
        {"CocheSys", w->CocheSys, twips(2760, 2220, 1215, 285), QStringLiteral("Système"),
         QStringLiteral("Cocher la case pour copier les fichiers système"), 12},
        {"Option1(0)", w->Option1[0], twips(2940, 780, 195, 255), QStringLiteral("Option1"),
         QStringLiteral("Formatage disquette DD 720 Ko"), 0},
        {"Option1(1)", w->Option1[1], twips(3600, 780, 195, 195), QStringLiteral("Option1"),
         QStringLiteral("Formatage disquette HD 1,44 Mo"), 0},
        {"Option1(2)", w->Option1[2], twips(4320, 780, 195, 255), QStringLiteral("Option1"),
         QStringLiteral("Formatage disquette 2.88 Mo"), 0},
        {"CmdApro", w->CmdApro, twips(60, 2700, 4815, 615), QString(), QStringLiteral("Infos..."), 12},
        {"Frame1", w->Frame1, twips(60, 0, 2475, 2595), QStringLiteral("Copie"), QString(), 18},
        {"Frame2", w->Frame2, twips(2640, 0, 2235, 2595), QStringLiteral("Formate"), QString(), 18},
        {"Label1", w->Label1, twips(240, 420, 375, 255), QStringLiteral("720"), QString(), 12},
        {"Label2", w->Label2, twips(840, 420, 495, 255), QStringLiteral("1440"), QString(), 12},
        {"Label3", w->Label3, twips(1560, 420, 495, 255), QStringLiteral("2880"), QString(), 12},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(c.controle->geometry(), c.zone);
        EXPECT_TRUE(c.controle->isVisible());
        QString texte;
        if (auto* b = qobject_cast<QAbstractButton*>(c.controle))
            texte = b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(c.controle))
            texte = g->title();
        else if (auto* l = qobject_cast<QLabel*>(c.controle))
            texte = l->text();
        EXPECT_EQ(texte, c.texte);
        EXPECT_EQ(c.controle->toolTip(), c.bulle);
        if (c.points > 0) {
            EXPECT_EQ(c.controle->font().family(), QStringLiteral("Times New Roman"));
            EXPECT_EQ(c.controle->font().pointSizeF(), c.points);
        } else {
            EXPECT_EQ(c.controle->font().family(), QStringLiteral("MS Sans Serif"));
        }
        EXPECT_TRUE(c.controle->font().bold());
        // Only the capacity labels belong to a frame; the rest lies over them.
        const bool dansFrame2 = c.controle == w->Label1 || c.controle == w->Label2 || c.controle == w->Label3;
        EXPECT_EQ(c.controle->parentWidget(), dansFrame2 ? static_cast<QWidget*>(w->Frame2) : w.get());
    }
    // The icons: A/A and B/B share one, A/B and B/A another, every picture button has one.
    const auto cle = [](QAbstractButton* b) { return b->icon().pixmap(32, 32).toImage(); };
    EXPECT_EQ(cle(w->CmdAA), cle(w->CmdBB));
    EXPECT_EQ(cle(w->CmdAB), cle(w->CmdBA));
    EXPECT_NE(cle(w->CmdAA), cle(w->CmdAB));
    EXPECT_NE(cle(w->CmdFormatNormal), cle(w->CmdFormatRapide));
    EXPECT_FALSE(w->CmdApro->icon().isNull());
    // Start values.
    EXPECT_TRUE(w->CocheVerif->isChecked());
    EXPECT_FALSE(w->CocheSys->isChecked());
    EXPECT_TRUE(w->Option1[1]->isChecked());
    EXPECT_FALSE(w->Option1[0]->isChecked() || w->Option1[2]->isChecked());
}

TEST_F(Feuille1Test, TabOrderFollowsTheDesign)
{
    const QWidget* attendu[] = {w->BoutonFocus, w->CmdAA,      w->CmdBB,      w->CmdAB,      w->CmdBA,
                                w->CmdFormatNormal, w->CmdFormatRapide, w->CocheVerif, w->CmdApro,
                                w->Option1[0], w->Option1[1], w->Option1[2], w->CocheSys};
    QWidget* courant = w->BoutonFocus;
    for (std::size_t i = 1; i < std::size(attendu); ++i) {
        do
            courant = courant->nextInFocusChain();
        while (!(courant->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(courant, attendu[i]) << "position " << i;
    }
}

TEST_F(Feuille1Test, EachButtonStartsItsLauncherAndGivesBackTheFocus)
{
    struct Cas {
        const char* nom;
        QPushButton* bouton;
        QString lance;
    } cas[] = {
        {"A/A", w->CmdAA, copie + QStringLiteral("a: a: /V")},
        {"A/B", w->CmdAB, copie + QStringLiteral("a: b: /V")},
        {"B/A", w->CmdBA, copie + QStringLiteral("b: a: /V")},
        {"B/B", w->CmdBB, copie + QStringLiteral("b: b: /V")},
        {"normal format", w->CmdFormatNormal, format + QStringLiteral("a: /F:1440")},
        {"quick format", w->CmdFormatRapide, format + QStringLiteral("a: /F:1440 /Q")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::size_t avant = f.launcher.lancements.size();
        QTest::mouseClick(c.bouton, Qt::LeftButton);
        ASSERT_EQ(f.launcher.lancements.size(), avant + 1);
        EXPECT_EQ(dernier(), c.lance);
        EXPECT_EQ(focus(), w->BoutonFocus);
        // Space now reaches the hidden button, not the one just clicked.
        QTest::keyClick(focus(), Qt::Key_Space);
        EXPECT_EQ(f.launcher.lancements.size(), avant + 1);
    }
    EXPECT_TRUE(f.messages.boites.empty());
}

TEST_F(Feuille1Test, OptionsApplyToTheirOwnCommandsOnly)
{
    struct Etape {
        const char* nom;
        QAbstractButton* option; // clicked first, may be null
        QPushButton* bouton;
        QString lance;
    } etapes[] = {
        {"verification cleared", w->CocheVerif, w->CmdAA, copie + QStringLiteral("a: a:")},
        {"system files on", w->CocheSys, w->CmdFormatNormal, format + QStringLiteral("a: /F:1440 /S")},
        {"copies ignore system files", nullptr, w->CmdBB, copie + QStringLiteral("b: b:")},
        {"2880 then quick", w->Option1[2], w->CmdFormatRapide, format + QStringLiteral("a: /F:2880 /Q /S")},
        {"system files off again", w->CocheSys, w->CmdFormatRapide, format + QStringLiteral("a: /F:2880 /Q")},
        {"720", w->Option1[0], w->CmdFormatNormal, format + QStringLiteral("a: /F:720")},
        {"1440 again", w->Option1[1], w->CmdFormatNormal, format + QStringLiteral("a: /F:1440")},
        {"verification back on", w->CocheVerif, w->CmdBA, copie + QStringLiteral("b: a: /V")},
    };
    for (const auto& e : etapes) {
        SCOPED_TRACE(e.nom);
        if (e.option) {
            QTest::mouseClick(e.option, Qt::LeftButton, {}, QPoint(6, e.option->height() / 2));
            EXPECT_EQ(focus(), w->BoutonFocus);
        }
        QTest::mouseClick(e.bouton, Qt::LeftButton);
        EXPECT_EQ(dernier(), e.lance);
    }
    // Exactly one capacity is selected at a time.
    int choisies = 0;
    for (QRadioButton* o : w->Option1)
        choisies += o->isChecked();
    EXPECT_EQ(choisies, 1);
}

TEST_F(Feuille1Test, MissingLauncherIsToldAndTheProgramGoesOn)
{
    f.launcher.echecs.insert(QStringLiteral("/opt/mes outils/copy.pif"));
    QTest::mouseClick(w->CmdAB, Qt::LeftButton);
    ASSERT_EQ(f.messages.boites.size(), 1u);
    EXPECT_EQ(f.messages.boites[0].titre, QStringLiteral("Merlidan"));
    EXPECT_TRUE(f.messages.boites[0].texte.contains(QStringLiteral("/opt/mes outils/copy.pif")));
    EXPECT_EQ(f.messages.boites[0].style, 0);
    EXPECT_EQ(focus(), w->BoutonFocus);

    // A failure whose text doesn't name the file still gets it named.
    f.launcher.echecs.clear();
    struct Muet : velmaro::testing::FakeLauncher {
        void start(const QString&, const QStringList&) override { throw velmaro::ErreurService("Accès refusé"); }
    } muet;
    FakeServices g;
    velmaro::Services s{g.clipboard, muet, g.messages, g.dialogs, g.power, g.fileTimes, g.tray, g.registry,
                        g.programFolder, g.clock};
    Feuille1 autre(s);
    QTest::mouseClick(autre.CmdFormatRapide, Qt::LeftButton);
    ASSERT_EQ(g.messages.boites.size(), 1u);
    EXPECT_EQ(g.messages.boites[0].texte, QStringLiteral("Accès refusé\n/opt/velmaro/format.pif"));

    // The other launcher still works, and so does the first once it is there.
    QTest::mouseClick(w->CmdFormatNormal, Qt::LeftButton);
    EXPECT_EQ(dernier(), format + QStringLiteral("a: /F:1440"));
    QTest::mouseClick(w->CmdAB, Qt::LeftButton);
    EXPECT_EQ(dernier(), copie + QStringLiteral("a: b: /V"));
    EXPECT_EQ(f.messages.boites.size(), 1u);
}

TEST_F(Feuille1Test, ClicksAnywhereLeaveTheFocusOnTheHiddenButton)
{
    struct Cas {
        const char* nom;
        QWidget* cible;
        QPoint ou;
    } cas[] = {
        {"window background", w.get(), QPoint(w->width() - 2, w->height() - 2)},
        {"copy frame", w->Frame1, QPoint(5, w->Frame1->height() - 5)},
        {"capacity label", w->Label2, QPoint(3, 3)},
        {"check box", w->CocheSys, QPoint(6, w->CocheSys->height() / 2)},
        {"option", w->Option1[0], QPoint(6, w->Option1[0]->height() / 2)},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        // Tab away first so the click has something to undo.
        w->CmdBB->setFocus();
        ASSERT_EQ(focus(), w->CmdBB);
        QTest::mouseClick(c.cible, Qt::LeftButton, {}, c.ou);
        EXPECT_EQ(focus(), w->BoutonFocus);
        QTest::keyClick(focus(), Qt::Key_Return);
        QTest::keyClick(focus(), Qt::Key_Space);
    }
    EXPECT_TRUE(f.launcher.lancements.empty());
}

TEST_F(Feuille1Test, AboutButtonShowsTheMerlidanBoxModeless)
{
    QTest::mouseClick(w->CmdApro, Qt::LeftButton);
    EXPECT_EQ(w->focusWidget(), w->BoutonFocus);
    about::frmAbout* a = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<about::frmAbout*>(t))
            a = b;
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->isVisible());
    EXPECT_FALSE(a->isModal());
    EXPECT_EQ(a->windowTitle(), QStringLiteral("A propos de Merlidan"));
    EXPECT_EQ(a->parentWidget(), w.get());
    // The main window still answers while the box is open.
    QTest::mouseClick(w->CmdAA, Qt::LeftButton);
    EXPECT_EQ(dernier(), copie + QStringLiteral("a: a: /V"));
}
