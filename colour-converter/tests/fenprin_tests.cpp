#include "colour-converter/ui/fenprin.hpp"
#include "colour-converter/ui/pleinecran.hpp"
#include "common/testing/fakes.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tintara;
using velmaro::testing::FakeServices;

namespace {
struct Fenetre {
    FakeServices f;
    FenPrin fen{f};
    Fenetre()
    {
        fen.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fen));
    }
    QStringList textes() const
    {
        return {fen.Text1->text(), fen.Text2->text(), fen.Text3->text(), fen.Text4->text()};
    }
    QList<int> positions() const
    {
        return {fen.ReglageR->value(), fen.ReglageG->value(), fen.ReglageB->value()};
    }
};

// What the picture box really paints in its middle, over its frame.
QColor fond(QWidget* w)
{
    return w->parentWidget()->grab(w->geometry()).toImage().pixelColor(w->width() / 2, w->height() / 2);
}
} // namespace

TEST(FenPrin, Demarrage)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    // The desktop tests find the other controls by their captions.
    EXPECT_EQ(QStringList({fen.Frame1->title(), fen.Frame4->title(), fen.CmdPresPap->text(), fen.CmdGRIS->text()}),
              QStringList({"Composante RGB", "Réglage des couleurs", "Presse-papiers", "Niveaux de gris"}));
    for (QLineEdit* t : {fen.Text1, fen.Text2, fen.Text3, fen.Text4})
        EXPECT_TRUE(t->isReadOnly());
    EXPECT_EQ(w.textes(), QStringList({"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255,255)", "&HFFFFFF", "#FFFFFF"}));
    EXPECT_EQ(QStringList({fond(fen.Picture1).name(), fond(fen.Picture2).name(), fond(fen.Picture3).name(),
                           fond(fen.Picture4).name()}),
              QStringList({"#ffffff", "#ff0000", "#00ff00", "#0000ff"}));
    // Fixed size, no maximise button; a resize request changes nothing.
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(4695, 4500));
    EXPECT_FALSE(fen.windowFlags() & Qt::WindowMaximizeButtonHint);

    const QList<QWidget*> ordre = {fen.Text1, fen.Text2, fen.Text3, fen.Text4, fen.CmdCopie, fen.CmdCopiePic,
                                   fen.CmdPresPap, fen.CmdGRIS, fen.CmdApro, fen.ReglageR, fen.ReglageG, fen.ReglageB};
    fen.activateWindow();
    fen.Text1->setFocus();
    for (int i = 1; i < ordre.size(); ++i) {
        QTest::keyClick(fen.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), ordre[i]) << i;
    }
}

TEST(FenPrin, GlisserSansSuiviMetAJourEnDirect)
{
    // Even a slider that only reports its value on release follows the thumb.
    Fenetre w;
    QScrollBar* s = w.fen.ReglageG;
    s->setTracking(false);
    s->setSliderDown(true);
    s->setSliderPosition(200);
    EXPECT_EQ(s->value(), 0);
    EXPECT_EQ(w.fen.Text4->text(), "#FF37FF");
}

// Grey mode in the window: the sliders and texts follow the state, which has
// its own table (the way back included); a drag carries the other two along.
TEST(FenPrin, ModeGris)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    fen.ReglageR->setValue(50);
    fen.ReglageG->setValue(127);
    QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
    EXPECT_EQ(fen.CmdGRIS->text() + " / " + fen.Frame4->title(), "Couleurs / Réglage des grisages");
    EXPECT_EQ(w.positions(), QList<int>({127, 127, 127}));
    EXPECT_EQ(fen.Text3->text(), "&H808080");
    fen.ReglageB->setSliderDown(true);
    fen.ReglageB->setSliderPosition(240);
    EXPECT_EQ(w.positions(), QList<int>({240, 240, 240}));
}

TEST(FenPrin, VisionneuseDuPressePapiers)
{
    Fenetre w;
    QTest::mouseClick(w.fen.CmdPresPap, Qt::LeftButton);
    w.f.launcher.echecs.insert("clipbrd.exe"); // one that can't start is told
    QTest::mouseClick(w.fen.CmdPresPap, Qt::LeftButton);
    ASSERT_EQ(w.f.launcher.lancements.size(), 1u);
    EXPECT_EQ(w.f.launcher.lancements[0].programme, "clipbrd.exe");
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    EXPECT_EQ(w.f.messages.boites[0].texte + " / " + w.f.messages.boites[0].titre,
              "Fichier introuvable : clipbrd.exe / Tintara");
}

// Only a left click on the swatch opens the full-screen view, in the colour of
// the sliders (the state's table has the white before any move).
TEST(FenPrin, ClicSurLEchantillonOuvreLePleinEcran)
{
    Fenetre w;
    w.fen.ReglageG->setValue(245);
    QStringList vu;
    QTimer::singleShot(0, [&] {
        if (auto* p = qobject_cast<PleinEcran*>(QApplication::activeModalWidget())) {
            vu << p->windowTitle() << QString::number(p->geometry() == w.fen.screen()->geometry())
               << p->grab().toImage().pixelColor(400, 300).name();
            QTest::mouseClick(p->picture1, Qt::LeftButton, {}, QPoint(10, 10));
        }
    });
    QTest::mouseClick(w.fen.Picture1, Qt::RightButton);
    QTest::mousePress(w.fen.Picture1, Qt::LeftButton); // and a press dragged off it is no click
    QTest::mouseRelease(w.fen.Picture1, Qt::LeftButton, {}, QPoint(-3, -3));
    EXPECT_TRUE(vu.isEmpty());
    QTest::mouseClick(w.fen.Picture1, Qt::LeftButton);
    EXPECT_EQ(vu, QStringList({"Plein Ecran", "1", "#ff0aff"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A clipboard that refuses a copy: the description in a box, nothing changes;
// once it is free the same click copies.
TEST(FenPrin, PressePapiersEnPanneRienNeChange)
{
    for (QPushButton* FenPrin::*bouton : {&FenPrin::CmdCopie, &FenPrin::CmdCopiePic}) {
        Fenetre w;
        w.fen.ReglageG->setValue(128);
        QTest::mouseClick(w.fen.CmdGRIS, Qt::LeftButton);
        const QStringList avant = w.textes() << w.fen.CmdGRIS->text();
        w.f.clipboard.texte = "ce qui y était";
        w.f.clipboard.echec = "Le Presse-papiers est utilisé par une autre application.";
        QTest::mouseClick(w.fen.*bouton, Qt::LeftButton);
        ASSERT_EQ(w.f.messages.boites.size(), 1u);
        EXPECT_EQ(w.f.messages.boites[0].texte + " / " + w.f.messages.boites[0].titre + " / " +
                      QString::number(w.f.messages.boites[0].style),
                  "Le Presse-papiers est utilisé par une autre application. / Tintara / 0");
        EXPECT_EQ(w.textes() << w.fen.CmdGRIS->text() << w.f.clipboard.texte, avant + QStringList{"ce qui y était"});
        EXPECT_FALSE(w.fen.isMinimized());
        w.f.clipboard.echec.clear();
        QTest::mouseClick(w.fen.*bouton, Qt::LeftButton);
        EXPECT_TRUE(w.f.clipboard.ecritures == 1 && w.fen.isMinimized());
    }
}
