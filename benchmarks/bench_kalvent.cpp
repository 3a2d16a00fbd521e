// Kalvent: the times written on 10,000 selected files by the traffic light
// button, through the real file times service.
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "file-times/ui/principal.hpp"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

void ecrire_10000(benchmark::State& etat)
{
    constexpr int nombre = 10000;
    QTemporaryDir dossier;
    for (int i = 0; i < nombre; ++i) {
        const std::string nom = dossier.path().toStdString() + "/fichier" + std::to_string(i) + ".txt";
        const int fd = ::open(nom.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    velmaro::testing::FakeServices f;
    velmaro::Services& reels = velmaro::realServices();
    velmaro::Services services{f.clipboard, f.launcher, f.messages,      f.dialogs,       f.power,
                               reels.fileTimes, f.tray,  f.registry,      f.programFolder, f.clock};
    kalvent::Principal fenetre(services);
    fenetre.show();
    fenetre.Répertoire1->setPath(dossier.path());
    // A click on the first file, then every file selected.
    fenetre.Fichier1->setCurrentRow(0);
    fenetre.Fichier1->selectAll();
    if (fenetre.FichierCourant.isEmpty()) {
        etat.SkipWithError("no file selected");
        return;
    }
    QApplication::processEvents();
    for (auto _ : etat)
        fenetre.cmdModifier_Click();
    // Linux keeps no settable creation time: that is the one message expected.
    for (const auto& boite : f.messages.boites) {
        if (boite.texte.contains(QStringLiteral("n'ont pas pu"))) {
            etat.SkipWithError(boite.texte.toUtf8().constData());
            break;
        }
    }
    etat.counters["fichiers"] = fenetre.Fichier1->selection().size();
}
BENCHMARK(ecrire_10000)->Unit(benchmark::kMillisecond);

} // namespace
