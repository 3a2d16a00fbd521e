// Main of the in-process benchmarks: a QApplication on the offscreen platform
// set up as the tests set it up (96 dpi, French locale, Paris time, the font
// substitutes), on a 3840 × 2160 screen, then Google Benchmark.
#include "benchmarks/lancement.hpp"
#include "common/ui/polices.hpp"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", velmaro::mesures::plateformeEcran(3840, 2160).c_str(), 1);
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("TZ", "Europe/Paris", 1);
    setenv("LC_ALL", "fr_FR.UTF-8", 0);
    tzset();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mesures"));
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
