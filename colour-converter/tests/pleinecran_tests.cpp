#include "colour-converter/ui/pleinecran.hpp"
#include "common/testing/gtest_qt.hpp"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace tintara;

namespace {
PositionsPubliees publiees(int r, int g, int b)
{
    PositionsPubliees p;
    p.r = r;
    p.g = g;
    p.b = b;
    return p;
}

QColor pixel(QWidget& w, QPoint p)
{
    return w.grab().toImage().pixelColor(p);
}

struct Vue {
    QWidget fen;
    PleinEcran vue;
    explicit Vue(const PositionsPubliees& p)
        : vue(p, &fen)
    {
        vue.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&vue));
    }
};
} // namespace

TEST(PleinEcran, CouvreLEcran)
{
    Vue v(publiees(0, 245, 255));
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(v.vue.windowTitle(), "Plein Ecran");
    EXPECT_TRUE(v.vue.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(v.vue.geometry(), ecran);
    // Eight twips left at the bottom: one row of pixels.
    EXPECT_EQ(v.vue.picture1->geometry(), QRect(0, 0, ecran.width(), ecran.height() - 1));
    EXPECT_EQ(pixel(v.vue, {0, 0}), QColor(255, 10, 0));
    EXPECT_EQ(pixel(v.vue, {ecran.width() - 1, ecran.height() - 2}), QColor(255, 10, 0));
    EXPECT_EQ(pixel(v.vue, {ecran.width() / 2, ecran.height() - 1}), QColor(0, 0, 0));
}

TEST(PleinEcran, SansPositionsPublieesBlanc)
{
    Vue v(PositionsPubliees{});
    EXPECT_EQ(pixel(v.vue, {400, 300}), QColor(255, 255, 255));
}

TEST(PleinEcran, ClicDroitInverseEtRetablit)
{
    Vue v(publiees(0, 245, 255));
    QTest::mousePress(v.vue.picture1, Qt::RightButton, {}, {50, 50});
    EXPECT_EQ(pixel(v.vue, {400, 300}), QColor(0, 245, 255));
    EXPECT_TRUE(v.vue.isVisible());
    QTest::mousePress(v.vue.picture1, Qt::RightButton, {}, {50, 50});
    EXPECT_EQ(pixel(v.vue, {400, 300}), QColor(255, 10, 0));
    EXPECT_TRUE(v.vue.isVisible());
}

TEST(PleinEcran, AutreBoutonFerme)
{
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::MiddleButton, Qt::BackButton}) {
        Vue v(publiees(1, 2, 3));
        QTest::mousePress(v.vue.picture1, b, {}, {700, 20});
        EXPECT_FALSE(v.vue.isVisible()) << b;
        EXPECT_EQ(v.vue.result(), QDialog::Accepted) << b;
    }
}

TEST(PleinEcran, RampeBleueDepuisLaBandeDuBas)
{
    Vue v(publiees(0, 245, 255)); // red 255, green 10
    const int h = v.vue.height();
    // A left press on the strip below the picture only shows the picture again.
    QTest::mousePress(&v.vue, Qt::LeftButton, {}, {100, h - 1});
    EXPECT_TRUE(v.vue.picture1->isVisible());

    // A right press there hides the picture: the window's black shows, with
    // the first band of the ramp on the bottom row.
    QTest::mousePress(&v.vue, Qt::RightButton, {}, {100, h - 1});
    EXPECT_FALSE(v.vue.picture1->isVisible());
    EXPECT_TRUE(v.vue.isVisible());
    EXPECT_EQ(pixel(v.vue, {400, 10}), QColor(0, 0, 0));
    EXPECT_EQ(pixel(v.vue, {400, h - 1}), QColor(255, 10, 0));

    // Now the whole window takes presses: a right press at the top paints the full ramp.
    QTest::mousePress(&v.vue, Qt::RightButton, {}, {300, 0});
    EXPECT_EQ(pixel(v.vue, {0, 0}), QColor(255, 10, 0));
    EXPECT_EQ(pixel(v.vue, {v.vue.width() - 1, h / 2}), QColor(255, 10, 128));
    EXPECT_EQ(pixel(v.vue, {200, h - 1}), QColor(255, 10, 255));
    const QImage ecran = v.vue.grab().toImage();
    for (int y = 1; y < h; ++y)
        EXPECT_GE(ecran.pixelColor(5, y).blue(), ecran.pixelColor(5, y - 1).blue()) << y;

    // Any other press brings the picture back, in its colour; the drawing stays under it.
    QTest::mousePress(&v.vue, Qt::MiddleButton, {}, {300, 300});
    EXPECT_TRUE(v.vue.picture1->isVisible());
    EXPECT_EQ(pixel(v.vue, {400, 300}), QColor(255, 10, 0));
    EXPECT_EQ(v.vue.dessin().pixelColor(0, h - 1), QColor(255, 10, 255));
}

TEST(PleinEcran, PictureCacheeOublieLInversion)
{
    Vue v(publiees(0, 0, 0));
    QTest::mousePress(v.vue.picture1, Qt::RightButton, {}, {50, 50});
    ASSERT_EQ(pixel(v.vue, {400, 300}), QColor(0, 0, 0));
    QTest::mousePress(&v.vue, Qt::RightButton, {}, {5, v.vue.height() - 1});
    QTest::mousePress(&v.vue, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(pixel(v.vue, {400, 300}), QColor(255, 255, 255));
}

TEST(PleinEcran, EchapFerme)
{
    Vue v(publiees(0, 0, 0));
    QTest::keyClick(&v.vue, Qt::Key_Escape);
    EXPECT_FALSE(v.vue.isVisible());
}
