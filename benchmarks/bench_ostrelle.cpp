// Ostrelle: a program file of 2,000 icons indexed and stepped through, a
// 6000 × 4000 JPEG and a metafile of 50,000 records shown fitted, a folder of
// 100,000 files listed; and, on one large program file in the same run,
// every icon counted and written to a file by Ostrelle's reader and by
// icoutils' wrestool.
#include "benchmarks/lancement.hpp"
#include "common/testing/fakes.hpp"
#include "common/ui/listes.hpp"
#include "common/ui/twips.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"
#include "image-copier/ui/fenprin.hpp"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace ostrelle;
using Horloge = std::chrono::steady_clock;

// The files are made once: in VELMARO_DONNEES when set (kept from run to
// run), else in a temporary folder.
QString chemin(const QString& nom)
{
    static QTemporaryDir temporaire;
    static const QString dossier = [] {
        const QString donnees = qEnvironmentVariable("VELMARO_DONNEES");
        if (donnees.isEmpty())
            return temporaire.path();
        QDir().mkpath(donnees);
        return donnees;
    }();
    return QDir(dossier).filePath(nom);
}

void ecrire(const QString& nom, const std::vector<std::uint8_t>& octets)
{
    QSaveFile f(nom); // a run stopped halfway leaves no half file to reuse
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char*>(octets.data()), static_cast<qint64>(octets.size()));
    f.commit();
}

void attendrePeinture()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// --- A program file with n icons ---------------------------------------------

// Each group holds a 16 × 16 and a 32 × 32 image (or the 32 × 32 alone), in
// colours that differ from group to group.
QString fichierIcones(int nombre, bool deuxImages)
{
    const QString nom = chemin(QStringLiteral("icones%1-%2.dll").arg(nombre).arg(deuxImages ? 2 : 1));
    if (QFile::exists(nom))
        return nom;
    std::vector<essais::Groupe> groupes;
    for (int i = 0; i < nombre; ++i) {
        const std::uint32_t couleur = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
        essais::Groupe g{i + 1, {}};
        if (deuxImages)
            g.images.push_back(essais::dib(16, 16, couleur));
        g.images.push_back(essais::dib(32, 32, couleur));
        groupes.push_back(std::move(g));
    }
    ecrire(nom, essais::fichierPe(groupes));
    return nom;
}

void icones_indexer(benchmark::State& etat)
{
    const QString fichier = fichierIcones(2000, true);
    std::size_t nombre = 0;
    for (auto _ : etat) {
        Module1 module;
        module.choisirFichier(fichier);
        nombre = module.icones()->nombre();
        benchmark::DoNotOptimize(nombre);
    }
    etat.counters["icones"] = static_cast<double>(nombre);
    etat.counters["Mo"] = static_cast<double>(QFileInfo(fichier).size()) / 1e6;
}
BENCHMARK(icones_indexer)->Unit(benchmark::kMillisecond);

// One arrow click: the next icon decoded, drawn in the picture box and painted.
// Every click of a run shows an icon not shown before.
void icones_fleche(benchmark::State& etat)
{
    velmaro::testing::FakeServices f;
    f.dialogs.fichierOuvert = fichierIcones(2000, true);
    FenPrin fenetre(f);
    fenetre.show();
    attendrePeinture();
    fenetre.CmdFICHICO_Click();
    attendrePeinture();
    for (auto _ : etat) {
        fenetre.CmdAV_Click();
        fenetre.Picture1->repaint();
    }
    etat.counters["icone"] = fenetre.module1.etat.numeroIcone;
}
BENCHMARK(icones_fleche)->Unit(benchmark::kMicrosecond)->Iterations(1990);

// --- Pictures shown fitted ----------------------------------------------------

QString dossierImage(const QString& nom)
{
    const QString dossier = chemin(QStringLiteral("image-") + nom);
    QDir().mkpath(dossier);
    return dossier;
}

QString photo()
{
    const QString dossier = dossierImage(QStringLiteral("jpeg"));
    const QString nom = dossier + QStringLiteral("/photo.jpg");
    if (QFile::exists(nom))
        return dossier;
    // Smooth shading with fine detail, as a photograph has.
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const unsigned bruit = (static_cast<unsigned>(x) * 7919u ^ static_cast<unsigned>(y) * 104729u) % 23u;
            ligne[x] = qRgb((x / 24 + static_cast<int>(bruit)) & 0xFF, (y / 16 + static_cast<int>(bruit)) & 0xFF,
                            ((x + y) / 40) & 0xFF);
        }
    }
    QSaveFile f(nom);
    f.open(QIODevice::WriteOnly);
    image.save(&f, "JPG", 85);
    f.commit();
    return dossier;
}

// A placeable metafile of n records: pens, brushes, rectangles, ellipses,
// lines, polygons and some text, over a 10000 × 7500 logical window.
QString metafichier(int enregistrements)
{
    const QString dossier = dossierImage(QStringLiteral("wmf"));
    const QString nom = dossier + QStringLiteral("/dessin.wmf");
    if (QFile::exists(nom))
        return dossier;
    using essais::mot;
    using essais::doubleMot;
    std::vector<std::uint8_t> e;
    std::uint32_t plusGrand = 0;
    int compte = 0;
    auto enr = [&](std::uint16_t fonction, std::vector<int> params) {
        const auto taille = static_cast<std::uint32_t>(3 + params.size());
        doubleMot(e, taille);
        mot(e, fonction);
        for (int p : params)
            mot(e, static_cast<std::uint32_t>(p) & 0xFFFF);
        plusGrand = std::max(plusGrand, taille);
        ++compte;
    };
    enr(0x020B, {0, 0});        // SETWINDOWORG y, x
    enr(0x020C, {7500, 10000}); // SETWINDOWEXT y, x
    std::uint32_t graine = 12345;
    auto hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int bloc = 0; compte < enregistrements - 1; ++bloc) {
        const int x = hasard(9000), y = hasard(6800), l = 50 + hasard(900), h = 50 + hasard(600);
        enr(0x02FA, {0, 1 + hasard(40), 0, hasard(256) | (hasard(256) << 8), hasard(256)}); // CREATEPENINDIRECT
        enr(0x012D, {0});                                                                  // SELECTOBJECT
        enr(0x02FC, {0, hasard(256) | (hasard(256) << 8), hasard(256), 0});                // CREATEBRUSHINDIRECT
        enr(0x012D, {1});
        enr(0x041B, {y + h, x + l, y, x}); // RECTANGLE
        enr(0x0418, {y + h / 2, x + l / 2, y, x}); // ELLIPSE
        enr(0x0214, {y, x});                        // MOVETO
        enr(0x0213, {hasard(7500), hasard(10000)}); // LINETO
        std::vector<int> points{5};
        for (int i = 0; i < 5; ++i) {
            points.push_back(x + hasard(l));
            points.push_back(y + hasard(h));
        }
        enr(0x0324, points); // POLYGON
        if (bloc % 4 == 0)
            enr(0x0521, {8, 'V' | ('e' << 8), 'l' | ('m' << 8), 'a' | ('r' << 8), 'o' | (' ' << 8), y, x}); // TEXTOUT
        enr(0x01F0, {0}); // DELETEOBJECT
        enr(0x01F0, {1});
    }
    std::vector<std::uint8_t> o;
    doubleMot(o, 0x9AC6CDD7u);
    for (int v : {0, 0, 0, 10000, 7500, 1440, 0, 0})
        mot(o, static_cast<std::uint32_t>(v));
    std::uint16_t somme = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        somme ^= static_cast<std::uint16_t>(o[i] | (o[i + 1] << 8));
    mot(o, somme);
    mot(o, 1);
    mot(o, 9);
    mot(o, 0x0300);
    doubleMot(o, static_cast<std::uint32_t>(9 + e.size() / 2 + 3));
    mot(o, 2);
    doubleMot(o, plusGrand);
    mot(o, 0);
    o.insert(o.end(), e.begin(), e.end());
    doubleMot(o, 3); // end of file
    mot(o, 0);
    ecrire(nom, o);
    return dossier;
}

// A click on the file in Ostrelle's list, up to the picture painted fitted.
void montrer(benchmark::State& etat, const QString& dossier)
{
    velmaro::testing::FakeServices f;
    FenPrin fenetre(f);
    fenetre.show();
    fenetre.Dir1->setPath(dossier);
    fenetre.File1->setCurrentRow(0);
    attendrePeinture();
    for (auto _ : etat) {
        fenetre.File1_Click();
        fenetre.Image1->repaint();
    }
    if (!f.messages.boites.empty())
        etat.SkipWithError(f.messages.boites.front().texte.toUtf8().constData());
    etat.counters["largeur"] = fenetre.Image1->width();
    etat.counters["hauteur"] = fenetre.Image1->height();
}

void jpeg_6000x4000(benchmark::State& etat)
{
    montrer(etat, photo());
}
BENCHMARK(jpeg_6000x4000)->Unit(benchmark::kMillisecond);

void metafichier_50000(benchmark::State& etat)
{
    montrer(etat, metafichier(50000));
}
BENCHMARK(metafichier_50000)->Unit(benchmark::kMillisecond);

// --- A folder of 100,000 files -------------------------------------------------

QString dossierFichiers(int nombre)
{
    const QString dossier = chemin(QStringLiteral("fichiers%1").arg(nombre));
    const QString complet = dossier + QStringLiteral("/.complet"); // hidden: not listed
    if (QFile::exists(complet))
        return dossier;
    QDir().mkpath(dossier);
    const char* extensions[] = {"bmp", "jpg", "gif", "ico", "wmf", "dib", "rle", "txt"};
    for (int i = 0; i < nombre; ++i) {
        const std::string nom = dossier.toStdString() + "/Image " + std::to_string(i * 7919 % nombre) + "." +
                                extensions[i % 8];
        const int fd = ::open(nom.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    QFile(complet).open(QIODevice::WriteOnly);
    return dossier;
}

// The file list with a pattern, as Ostrelle (seven picture types) or Kalvent
// (every file) has it, read and painted.
void liste(benchmark::State& etat, const QString& motifs)
{
    const QString dossier = dossierFichiers(100000);
    velmaro::ListeFichiers liste;
    liste.setGeometry(velmaro::twips(60, 2280, 1935, 2040));
    liste.setPattern(motifs);
    liste.show();
    attendrePeinture();
    for (auto _ : etat) {
        liste.setPath(dossier);
        liste.repaint();
    }
    etat.counters["lignes"] = liste.nombre();
}

void liste_100000_images(benchmark::State& etat)
{
    liste(etat, QStringLiteral("*.wmf;*.ico;*.rle;*.jpg;*.gif;*.dib;*.bmp"));
}
BENCHMARK(liste_100000_images)->Unit(benchmark::kMillisecond);

void liste_100000_tous(benchmark::State& etat)
{
    liste(etat, QStringLiteral("*.*"));
}
BENCHMARK(liste_100000_tous)->Unit(benchmark::kMillisecond);

// --- Against wrestool ------------------------------------------------------------

// Both write every icon of the same file into an empty folder, one .ico each;
// each group holds one image so that both write the same bytes. The folder is
// in memory where the system has such a file system: the disk's load, the
// same for both, would otherwise hide the programs' own work.
QString sortieVide()
{
    static QTemporaryDir enMemoire(QStringLiteral("/dev/shm/velmaro-extraits-XXXXXX"));
    const QString sortie = enMemoire.isValid() ? enMemoire.filePath(QStringLiteral("extraits"))
                                               : chemin(QStringLiteral("extraits"));
    QDir(sortie).removeRecursively();
    QDir().mkpath(sortie);
    return sortie;
}

// One run of each per iteration, one after the other on the same folder, so
// that both meet the same load of the machine and of its disk.
void pair(benchmark::State& etat)
{
    const QString fichier = fichierIcones(2000, false);
    if (!std::filesystem::exists("/usr/bin/wrestool")) {
        etat.SkipWithError("wrestool is missing (Debian package icoutils)");
        return;
    }
    for (auto _ : etat) {
        const std::string sortie = sortieVide().toStdString();
        const auto debut = Horloge::now();
        const std::clock_t cpuDebut = std::clock();
        Module1 module;
        module.choisirFichier(fichier);
        const RessourcesIcones& icones = *module.icones();
        std::size_t ecrits = 0;
        for (std::size_t i = 0; i < icones.nombre(); ++i) {
            const std::vector<std::uint8_t> ico = icones.icone(i);
            std::ofstream(sortie + "/icone" + std::to_string(i) + ".ico", std::ios::binary)
                .write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
            ++ecrits;
        }
        const double nousMs = std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
        const double nousCpuMs = 1000.0 * static_cast<double>(std::clock() - cpuDebut) / CLOCKS_PER_SEC;

        const std::string sortiePair = sortieVide().toStdString();
        const auto r = velmaro::mesures::lancer("/usr/bin/wrestool",
                                                {"-x", "-t", "14", "-o", sortiePair, fichier.toStdString()}, {}, 120);
        const auto extraits = std::distance(std::filesystem::directory_iterator(sortiePair),
                                            std::filesystem::directory_iterator());
        if (r.code != 0 || extraits != static_cast<long>(ecrits)) {
            etat.SkipWithError("wrestool failed or wrote another number of icons");
            return;
        }
        etat.SetIterationTime(nousMs / 1000.0);
        etat.counters["icones"] = static_cast<double>(ecrits);
        etat.counters["ostrelle_cpu_ms"] = nousCpuMs;
        etat.counters["wrestool_ms"] = r.murMs;
        etat.counters["wrestool_cpu_ms"] = r.cpuMs;
        etat.counters["rapport"] = r.murMs / nousMs;
        etat.counters["rapport_cpu"] = nousCpuMs > 0 ? r.cpuMs / nousCpuMs : 0;
    }
}
BENCHMARK(pair)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(7);

} // namespace
