// Main of the in-process benchmarks: a QApplication on the offscreen platform
// set up as the tests set it up (96 dpi, French locale, Paris time, the font
// substitutes), on a 3840 × 2160 screen, then Google Benchmark.
#include "benchmarks/lancement.hpp"
#include "common/testing/environnement.hpp"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", velmaro::mesures::plateformeEcran(3840, 2160).c_str(), 1);
    velmaro::testing::preparerEnvironnement();
    QApplication app(argc, argv);
    velmaro::testing::preparerApplication(QStringLiteral("Mesures"));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
