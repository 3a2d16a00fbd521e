// Test main of every test program: a QApplication on the offscreen platform,
// 96 dots per inch, French locale, a fixed time zone and the font substitutes.
#include "common/testing/environnement.hpp"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    velmaro::testing::preparerEnvironnement();
    // Every file a test writes goes below a temporary folder.
    QTemporaryDir temp;
    setenv("TMPDIR", temp.path().toLocal8Bit().constData(), 1);
    // Settings Qt keeps for itself (its file dialog's columns...) too, so that no run sees another's.
    setenv("XDG_CONFIG_HOME", temp.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    velmaro::testing::preparerApplication(QStringLiteral("Tests"));
    return RUN_ALL_TESTS();
}
