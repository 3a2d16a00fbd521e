// Icon resources of PE, NE and .ico files that the tests build themselves.
#include "image-copier/core/icones.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace ostrelle;
using namespace ostrelle::essais;

namespace {

std::vector<std::string> noms(const RessourcesIcones& r)
{
    std::vector<std::string> n;
    for (std::size_t i = 0; i < r.nombre(); ++i)
        n.push_back(r.nomGroupe(i));
    return n;
}

// The width of the image each icon comes out with, 0 for no icon.
std::vector<int> largeurs(const RessourcesIcones& r)
{
    std::vector<int> l;
    for (std::size_t i = 0; i < r.nombre(); ++i) {
        const auto im = r.imageChoisie(i);
        l.push_back(im ? im->largeur : 0);
    }
    return l;
}

Groupe groupe(NomRessource nom, int largeur)
{
    return Groupe{std::move(nom), {dib(largeur, largeur)}};
}

} // namespace

TEST(Icones, CountsAndOrderOfEachKindOfFile)
{
    struct Cas {
        const char* nom;
        std::function<Octets()> fichier;
        FormatIcones format;
        std::vector<std::string> noms;
        std::vector<int> largeurs;
    };
    const std::vector<Cas> cas = {
        {"ico file is one icon", [] { return fichierIco({dib(16, 16), dib(32, 32), dib(48, 48)}); },
         FormatIcones::Ico, {""}, {32}},
        {"pe32 numbered groups in id order",
         [] { return fichierPe({groupe(1, 16), groupe(2, 24), groupe(7, 32), groupe(300, 48), groupe(301, 20)}); },
         FormatIcones::Pe32, {"#1", "#2", "#7", "#300", "#301"}, {16, 24, 32, 48, 20}},
        {"pe32 named groups come before numbered ones",
         [] { return fichierPe({groupe("APPICON", 32), groupe("ZDOC", 16), groupe(1, 24), groupe(5, 48)}); },
         FormatIcones::Pe32, {"APPICON", "ZDOC", "#1", "#5"}, {32, 16, 24, 48}},
        {"pe32+ is read like pe32",
         [] { return fichierPe({groupe("MAIN", 48), groupe(2, 16)}, true); },
         FormatIcones::Pe32Plus, {"MAIN", "#2"}, {48, 16}},
        {"pe without icons", [] { return fichierPe({}); }, FormatIcones::Pe32, {}, {}},
        {"ne library in resource table order",
         [] { return fichierNe({groupe(1, 32), groupe("SECOND", 16), groupe(3, 48)}); },
         FormatIcones::Ne, {"#1", "SECOND", "#3"}, {32, 16, 48}},
        {"ne icon library with many icons",
         [] {
             std::vector<Groupe> g;
             for (int i = 1; i <= 40; ++i)
                 g.push_back(groupe(i, i % 2 ? 32 : 16));
             return fichierNe(g);
         },
         FormatIcones::Ne, {}, {}},
        {"plain text", [] { return Octets{'b', 'o', 'n', 'j', 'o', 'u', 'r'}; }, FormatIcones::Inconnu, {}, {}},
        {"empty file", [] { return Octets{}; }, FormatIcones::Inconnu, {}, {}},
        {"dos program without new header", [] { return enTeteMz(0x40); }, FormatIcones::Inconnu, {}, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const RessourcesIcones r(c.fichier());
        EXPECT_EQ(r.format(), c.format);
        if (std::string(c.nom) == "ne icon library with many icons") {
            ASSERT_EQ(r.nombre(), 40u);
            EXPECT_EQ(r.nomGroupe(39), "#40");
            EXPECT_EQ(r.imageChoisie(38)->largeur, 32);
            EXPECT_EQ(r.imageChoisie(39)->largeur, 16);
            continue;
        }
        EXPECT_EQ(noms(r), c.noms);
        EXPECT_EQ(largeurs(r), c.largeurs);
    }
}

TEST(Icones, LargeIconChoiceInAGroup)
{
    struct Cas {
        const char* nom;
        std::vector<Image> images;
        int largeur;
        int bits;
    };
    const std::vector<Cas> cas = {
        {"exact 32", {dib(16, 16), dib(32, 32), dib(48, 48)}, 32, 32},
        {"closest below", {dib(16, 16), dib(24, 24), dib(64, 64)}, 24, 32},
        {"closest above", {dib(16, 16), dib(40, 40)}, 40, 32},
        {"first of equal distance wins", {dib(24, 24), dib(40, 40)}, 24, 32},
        {"deepest colours at the same size", {dib(32, 32, 1, 4), dib(32, 32, 1, 8), dib(32, 32, 1, 32)}, 32, 32},
        {"closer size beats better colours", {dib(48, 48, 1, 32), dib(32, 32, 1, 4)}, 32, 4},
        {"256 written as zero", {dib(16, 16), enTetePng(256, 256)}, 16, 32},
        {"only a 256 png", {enTetePng(256, 256)}, 256, 32},
        {"png among dibs at 32", {dib(32, 32, 1, 8), enTetePng(32, 32)}, 32, 32},
        {"depth read from the data when the entry has none", {dib(32, 32, 1, 0), dib(32, 32, 1, 4)}, 32, 32},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        for (const auto& [genre, octets] : std::vector<std::pair<const char*, Octets>>{
                 {"ico", fichierIco(c.images)},
                 {"pe", fichierPe({Groupe{1, c.images}})},
                 {"ne", fichierNe({Groupe{1, c.images}})}}) {
            SCOPED_TRACE(genre);
            const RessourcesIcones r(octets);
            const auto im = r.imageChoisie(0);
            ASSERT_TRUE(im);
            EXPECT_EQ(im->largeur, c.largeur);
            EXPECT_EQ(im->bits, c.bits);
        }
    }
}

TEST(Icones, OutputIsAOneImageIcoWithTheChosenData)
{
    const Image petite = dib(16, 16, 0xFF00FF00u);
    const Image grande = dib(32, 32, 0xFFFF0000u);
    const Image png = enTetePng(256, 256);
    const RessourcesIcones r(fichierPe({Groupe{1, {petite, grande}}, Groupe{2, {png}}}));
    ASSERT_EQ(r.nombre(), 2u);

    Octets attendu = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
    doubleMot(attendu, static_cast<std::uint32_t>(grande.donnees.size()));
    doubleMot(attendu, 22);
    attendu.insert(attendu.end(), grande.donnees.begin(), grande.donnees.end());
    EXPECT_EQ(r.icone(0), attendu);

    // A 256 × 256 image is written with zero sizes, as in any .ico.
    const Octets ico = r.icone(1);
    ASSERT_EQ(ico.size(), 22 + png.donnees.size());
    EXPECT_EQ(ico[6], 0);
    EXPECT_EQ(ico[7], 0);
    EXPECT_TRUE(std::equal(png.donnees.begin(), png.donnees.end(), ico.begin() + 22));

    EXPECT_TRUE(r.icone(2).empty());
    EXPECT_TRUE(r.icone(static_cast<std::size_t>(-1)).empty());
}

TEST(Icones, DamagedFilesGiveNoIconButNeverReadOutside)
{
    struct Cas {
        const char* nom;
        std::function<Octets()> fichier;
        std::size_t nombre;          // icons counted
        std::vector<bool> presentes; // which of them come out
    };
    auto pe = [] { return fichierPe({groupe(1, 32), groupe(2, 16)}); };
    auto ne = [] { return fichierNe({groupe(1, 32), groupe(2, 16)}); };
    // The first data entry of the PE resource section (the first icon's data).
    // root (32) + icon type (16 + 2×8) + group type (16 + 2×8) + 4 language directories (24 each)
    auto premiereEntreeDonnees = [](const Octets&) { return std::size_t(0x200 + 32 + 32 + 32 + 4 * 24); };
    const std::vector<Cas> cas = {
        {"new header offset past the end",
         [] {
             Octets o = enTeteMz(0x40);
             poserDoubleMot(o, 0x3C, 0xFFFFFFF0u);
             return o;
         },
         0, {}},
        {"pe cut inside the section table", [&] { Octets o = pe(); o.resize(0x150); return o; }, 0, {}},
        {"pe cut inside the resource directory", [&] { Octets o = pe(); o.resize(0x200 + 40); return o; }, 0, {}},
        {"pe cut before the last icon's data",
         [&] { Octets o = pe(); o.resize(o.size() - 1200); return o; }, 2, {false, false}},
        {"icon data entry pointing past the end",
         [&] {
             Octets o = pe();
             poserDoubleMot(o, premiereEntreeDonnees(o), 0x7FFFFFF0u);
             return o;
         },
         2, {false, true}},
        {"icon data size larger than the file",
         [&] {
             Octets o = pe();
             poserDoubleMot(o, premiereEntreeDonnees(o) + 4, 0xFFFFFFFFu);
             return o;
         },
         2, {false, true}},
        {"resource directory rva outside every section",
         [&] {
             Octets o = pe();
             poserDoubleMot(o, 0x40 + 24 + 96 + 16, 0x9000);
             return o;
         },
         0, {}},
        {"group directory naming a missing icon",
         [] { return fichierPe({Groupe{1, {dib(32, 32)}}, Groupe{2, {}}}); }, 2, {true, false}},
        {"ne resource table offset past the end",
         [&] {
             Octets o = ne();
             poserMot(o, 0x40 + 0x24, 0xFFF0);
             return o;
         },
         0, {}},
        {"ne icon offsets past the end",
         [&] {
             Octets o = ne();
             poserMot(o, 0x80 + 2 + 8, 0xFFFF);
             poserMot(o, 0x80 + 2 + 8 + 12, 0xFFFF);
             return o;
         },
         2, {false, false}},
        {"ne cut in the middle of the resource table", [&] { Octets o = ne(); o.resize(0x80 + 30); return o; }, 0, {}},
        {"ico entry past the end",
         [] {
             Octets o = fichierIco({dib(32, 32)});
             poserDoubleMot(o, 6 + 12, 0xFFFFFF00u);
             return o;
         },
         1, {false}},
        {"ico claiming 65535 images keeps its real one", [] {
             Octets o = fichierIco({dib(32, 32)});
             poserMot(o, 4, 0xFFFF);
             return o;
         },
         1, {true}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const RessourcesIcones r(c.fichier());
        EXPECT_EQ(r.nombre(), c.nombre);
        std::vector<bool> presentes;
        for (std::size_t i = 0; i < r.nombre(); ++i)
            presentes.push_back(!r.icone(i).empty());
        EXPECT_EQ(presentes, c.presentes);
    }
}

TEST(Icones, EveryTruncationAndRandomDamageIsSurvived)
{
    const std::vector<std::pair<const char*, Octets>> fichiers = {
        {"pe", fichierPe({groupe("NOM", 32), groupe(1, 16), Groupe{2, {dib(16, 16), enTetePng(48, 48)}}})},
        {"pe32+", fichierPe({groupe(1, 32)}, true)},
        {"ne", fichierNe({groupe("NOM", 32), groupe(1, 16)})},
        {"ico", fichierIco({dib(16, 16), dib(32, 32)})},
    };
    std::mt19937 hasard(1234);
    for (const auto& [genre, complet] : fichiers) {
        SCOPED_TRACE(genre);
        const std::size_t nombreComplet = RessourcesIcones(complet).nombre();
        ASSERT_GT(nombreComplet, 0u);
        auto parcourir = [](const RessourcesIcones& r) {
            for (std::size_t i = 0; i < r.nombre(); ++i) {
                (void)r.nomGroupe(i);
                (void)r.icone(i);
            }
        };
        for (std::size_t longueur = 0; longueur < complet.size(); ++longueur) {
            const RessourcesIcones r(Octets(complet.begin(), complet.begin() + static_cast<std::ptrdiff_t>(longueur)));
            EXPECT_LE(r.nombre(), nombreComplet);
            parcourir(r);
        }
        for (int essai = 0; essai < 3000; ++essai) {
            Octets o = complet;
            const int degats = 1 + static_cast<int>(hasard() % 6);
            for (int d = 0; d < degats; ++d) {
                // Mostly in the headers and directories, where the offsets are.
                const std::size_t borne = hasard() % 4 ? std::min<std::size_t>(o.size(), 0x300) : o.size();
                o[hasard() % borne] = static_cast<std::uint8_t>(hasard());
            }
            parcourir(RessourcesIcones(o));
        }
    }
}
