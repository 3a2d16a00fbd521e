// The animated About box left open: twenty thousand ticks of its scrolling
// timer, paused and resumed now and then, repainted as it goes, with the
// process's memory and the box's objects steady.
#include "about/animated/apropos.hpp"

#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace about;

TEST(AproposEndurance, VingtMilleTops)
{
    const int tops = 20000;
    velmaro::testing::FakeServices f;
    QWidget principale;
    principale.setFixedSize(546, 401);
    principale.show();
    Apropos a(&principale, ProgrammeApropos::Brevolet, f);
    a.show();
    // The ticks are driven here, one after the other.
    a.Minuterie1->stop();
    const double bas = (-145.0 / 500.0) * a.Image2->height();

    auto unTop = [&](int i) {
        a.Minuterie1_Timer();
        ASSERT_LE(a.PositionDefil, 0) << i;
        ASSERT_GE(a.PositionDefil, bas - 1) << i;
        if (i % 1000 == 999) {
            // Paused and resumed by two clicks on the panel.
            a.Image2_Click();
            a.Image2_Click();
            a.Minuterie1->stop();
        }
        if (i % 10 == 0)
            QCoreApplication::processEvents();
    };

    QElapsedTimer montre;
    montre.start();
    const int echauffement = tops / 10;
    for (int i = 0; i < echauffement; ++i)
        unTop(i);
    const std::size_t memoireAvant = velmaro::testing::memoireOccupee();
    const auto enfantsAvant = a.findChildren<QObject*>().size();
    const auto impressionsAvant = a.impressions.size();
    const auto fenetresAvant = QApplication::topLevelWidgets().size();

    for (int i = echauffement; i < echauffement + tops; ++i)
        unTop(i);
    QCoreApplication::processEvents();
    const std::size_t memoireApres = velmaro::testing::memoireOccupee();

    EXPECT_EQ(a.findChildren<QObject*>().size(), enfantsAvant);
    EXPECT_EQ(a.impressions.size(), impressionsAvant);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), fenetresAvant);
    const double croissanceMio =
        (static_cast<double>(memoireApres) - static_cast<double>(memoireAvant)) / (1024.0 * 1024.0);
    EXPECT_LT(croissanceMio, 4.0) << "memory grew from " << memoireAvant << " to " << memoireApres;
    EXPECT_LT(montre.elapsed(), 60000) << "a soak of this size takes a few seconds";
    RecordProperty("tops", tops);
    RecordProperty("croissance_kio", static_cast<int>(croissanceMio * 1024));
}
