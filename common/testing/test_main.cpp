// Test main of every test program: a QApplication on the offscreen platform,
// 96 dots per inch, French locale, a fixed time zone and the font substitutes.
#include "common/ui/polices.hpp"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("TZ", "Europe/Paris", 1);
    setenv("LC_ALL", "fr_FR.UTF-8", 0);
    tzset();
    // Every file a test writes goes below a temporary folder.
    QTemporaryDir temp;
    setenv("TMPDIR", temp.path().toLocal8Bit().constData(), 1);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tests"));
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());
    return RUN_ALL_TESTS();
}
