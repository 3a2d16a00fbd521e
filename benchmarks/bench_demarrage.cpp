// The programs as the user starts them, each in its own process on the
// offscreen platform: time from just before the start to the first window
// painted, peak memory, timers that fire while the program sits idle, and
// the processor time of Somnelle's standby screen.
#include "benchmarks/lancement.hpp"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using velmaro::mesures::lancer;
using velmaro::mesures::Lancement;

std::string programme(const std::string& nom)
{
    return velmaro::mesures::dossierProgrammes() + "/" + nom;
}

// The standby screen at 3840 × 2160 rather than the platform's 800 × 600.
std::map<std::string, std::string> ecran4k()
{
    return {{"QT_QPA_PLATFORM", velmaro::mesures::plateformeEcran(3840, 2160)}};
}

void demarrage(benchmark::State& etat, const std::string& nom, std::vector<std::string> arguments,
               std::map<std::string, std::string> environnement)
{
    environnement["VELMARO_MESURE"] = "peinture";
    for (auto _ : etat) {
        const Lancement r = lancer(programme(nom), arguments, environnement);
        if (r.peintureMs < 0) {
            etat.SkipWithError(("no window painted: " + nom).c_str());
            return;
        }
        etat.SetIterationTime(r.peintureMs / 1000.0);
        etat.counters["memoire_MiB"] = r.memoireMiB;
        // Less sensitive to other processes than the wall time.
        etat.counters["cpu_ms"] = r.cpuPeintureMs;
    }
}

#define DEMARRAGE(nom, ...)                                                                                  \
    BENCHMARK_CAPTURE(demarrage, nom, __VA_ARGS__)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond)->Repetitions(15)

DEMARRAGE(brevolet, "brevolet", {}, {});
DEMARRAGE(tintara, "tintara", {}, {});
DEMARRAGE(kalvent, "kalvent", {}, {});
DEMARRAGE(merlidan, "merlidan", {}, {});
DEMARRAGE(ostrelle, "ostrelle", {}, {});
DEMARRAGE(somnelle_veille, "somnelle_mesure", {"--veille"}, {});
DEMARRAGE(somnelle_veille_4k, "somnelle_mesure", {"--veille"}, ecran4k());

// Timer events and wake-ups over a few idle seconds (after one to settle).
void inactif(benchmark::State& etat, const std::string& nom, std::vector<std::string> arguments,
             std::map<std::string, std::string> environnement, int millisecondes)
{
    environnement["VELMARO_MESURE"] = "inactif:" + std::to_string(millisecondes);
    for (auto _ : etat) {
        const Lancement r = lancer(programme(nom), arguments, environnement, millisecondes / 1000.0 + 30);
        if (r.minuteurs < 0) {
            etat.SkipWithError(("no idle count: " + nom).c_str());
            return;
        }
        etat.SetIterationTime(millisecondes / 1000.0);
        etat.counters["minuteurs"] = r.minuteurs;
        etat.counters["reveils"] = r.reveils;
        etat.counters["cpu_pourcent"] = 100.0 * r.cpuFenetreMs / millisecondes;
    }
}

#define INACTIF(nom, ...)                                                                                    \
    BENCHMARK_CAPTURE(inactif, nom, __VA_ARGS__)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond)->Repetitions(3)

INACTIF(brevolet, "brevolet", {}, {}, 3000);
INACTIF(tintara, "tintara", {}, {}, 3000);
INACTIF(kalvent, "kalvent", {}, {}, 3000);
INACTIF(merlidan, "merlidan", {}, {}, 3000);
INACTIF(ostrelle, "ostrelle", {}, {}, 3000);
INACTIF(somnelle_icones, "somnelle_mesure", {}, {}, 3000);
// The standby's own timer runs while it is open: its processor use over ten
// seconds, the rate a minute of standby has too.
INACTIF(somnelle_veille_4k, "somnelle_mesure", {"--veille"}, ecran4k(), 10000);

} // namespace
