// Somnelle: one standby step on a 3840 × 2160 screen, drawn and painted, for
// each pattern; and the part of the screen each step repaints.
#include "common/testing/ecran.hpp"
#include "common/testing/fakes.hpp"
#include "tray-tool/ui/fond.hpp"
#include "tray-tool/ui/module.hpp"

#include <QApplication>
#include <QPaintEvent>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

// Adds up the area of every paint the standby window gets.
class Repeint : public QObject {
public:
    double pixels = 0;
    QRegion zone;

protected:
    bool eventFilter(QObject*, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Paint) {
            const QRegion& region = static_cast<QPaintEvent*>(evenement)->region();
            zone += region;
            for (const QRect& r : region)
                pixels += static_cast<double>(r.width()) * r.height();
        }
        return false;
    }
};

// The bounds of the pixels that differ; those outside the region are counted.
QRect changement(const QImage& avant, const QImage& apres, const QRegion& repeinte, int& hors)
{
    const int largeur = avant.width(), hauteur = avant.height();
    int gauche = largeur, haut = hauteur, droite = -1, bas = -1;
    for (int y = 0; y < hauteur; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(avant.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(apres.constScanLine(y));
        for (int x = 0; x < largeur; ++x) {
            if (a[x] == b[x])
                continue;
            gauche = std::min(gauche, x);
            droite = std::max(droite, x);
            haut = std::min(haut, y);
            bas = std::max(bas, y);
            if (!repeinte.contains(QPoint(x, y)))
                ++hors;
        }
    }
    return droite < 0 ? QRect() : QRect(QPoint(gauche, haut), QPoint(droite, bas));
}

enum class Motif { Ronds, Doubles, Lignes };

void pas(benchmark::State& etat, Motif motif)
{
    QTemporaryDir dossier; // no settings file: nothing read from the user's
    velmaro::testing::FakeServices f;
    f.programFolder.dossier = dossier.path();
    velmaro::Services services{f.clipboard, f.launcher, f.messages,      f.dialogs,       f.power,
                               f.fileTimes, f.tray,     f.registry,      f.programFolder, velmaro::realServices().clock};
    somnelle::ModuleSomnelle module(services);
    QPointer<somnelle::Fond> fond = new somnelle::Fond(services, module);
    fond->Timer1->stop(); // the steps are driven here
    somnelle::ReglagesVeille& r = module.reglagesVeille;
    r.Ronds = motif == Motif::Ronds;
    r.Doubles = motif == Motif::Doubles;
    r.Lignes = motif == Motif::Lignes;
    r.Ordinaire = motif != Motif::Ronds;
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    Repeint repeint;
    fond->installEventFilter(&repeint);
    const QSize ecran = fond->size();
    double repeintTotal = 0, repeintEchantillons = 0, dessineEchantillons = 0;
    int hors = 0;
    std::int64_t n = 0;
    std::clock_t dessin = 0, peinture = 0; // processor time
    for (auto _ : etat) {
        // One step in eight, the pixels the step changed against what it repainted.
        const bool echantillon = n++ % 8 == 0;
        QImage avant;
        if (echantillon) {
            etat.PauseTiming();
            avant = velmaro::testing::ecranDe(fond);
            repeint.zone = QRegion();
            etat.ResumeTiming();
        }
        const double pixelsAvant = repeint.pixels;
        const std::clock_t t0 = std::clock();
        fond->Timer1_Timer();
        const std::clock_t t1 = std::clock();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        dessin += t1 - t0;
        peinture += std::clock() - t1;
        repeintTotal += repeint.pixels - pixelsAvant;
        if (echantillon) {
            etat.PauseTiming();
            const QRect change = changement(avant, velmaro::testing::ecranDe(fond), repeint.zone, hors);
            if (!change.isEmpty()) {
                repeintEchantillons += repeint.pixels - pixelsAvant;
                dessineEchantillons += static_cast<double>(change.width()) * change.height();
            }
            etat.ResumeTiming();
        }
    }
    const double surface = static_cast<double>(ecran.width()) * ecran.height();
    etat.counters["ecran_px"] = surface;
    // Processor time of a step: the shape drawn on the picture, then the window repainted.
    const double parPas = 1e6 / CLOCKS_PER_SEC / static_cast<double>(etat.iterations());
    etat.counters["dessin_cpu_us"] = static_cast<double>(dessin) * parPas;
    etat.counters["peinture_cpu_us"] = static_cast<double>(peinture) * parPas;
    etat.counters["part_repeinte"] = repeintTotal / (static_cast<double>(etat.iterations()) * surface);
    // Repainted area over the bounds of the changed pixels; and changed pixels
    // left outside the repainted region (a fault if any).
    etat.counters["repeint_sur_dessine"] = dessineEchantillons > 0 ? repeintEchantillons / dessineEchantillons : 0;
    etat.counters["pixels_hors_zone"] = hors;
    delete fond.data();
}

void veille_ronds(benchmark::State& etat) { pas(etat, Motif::Ronds); }
void veille_doubles(benchmark::State& etat) { pas(etat, Motif::Doubles); }
void veille_lignes(benchmark::State& etat) { pas(etat, Motif::Lignes); }
BENCHMARK(veille_ronds)->Unit(benchmark::kMicrosecond)->Iterations(271);
BENCHMARK(veille_doubles)->Unit(benchmark::kMicrosecond)->Iterations(271);
BENCHMARK(veille_lignes)->Unit(benchmark::kMicrosecond)->Iterations(271);

} // namespace
