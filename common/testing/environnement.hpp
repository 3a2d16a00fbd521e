#pragma once
// What every test and benchmark program runs in, whatever the machine:
// 96 dots per inch without scaling, Paris time, the French locale, and the
// suite's font substitutes and Qt's French texts once the application exists.
#include "common/ui/demarrage.hpp"
#include "common/ui/polices.hpp"

#include <QApplication>
#include <QLocale>

#include <cstdlib>
#include <ctime>

namespace velmaro::testing {

// Before the QApplication is made.
inline void preparerEnvironnement()
{
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("TZ", "Europe/Paris", 1);
    setenv("LC_ALL", "fr_FR.UTF-8", 0);
    tzset();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

// Once the QApplication is made.
inline void preparerApplication(const QString& nom)
{
    QApplication::setApplicationName(nom);
    velmaro::traduireQt();
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());
}

} // namespace velmaro::testing
