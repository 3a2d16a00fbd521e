// Icon resources of PE, NE and .ico files that the tests build themselves.
#include "image-copier/core/icones.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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
        l.push_back(im && !r.icone(i).empty() ? im->largeur : 0);
    }
    return l;
}

Groupe groupe(NomRessource nom, int largeur)
{
    return Groupe{std::move(nom), {dib(largeur, largeur)}};
}

} // namespace

TEST(Icones, CountsNamesAndOrderOfEachKindOfFile)
{
    struct Cas { const char* nom; std::function<Octets()> fichier; FormatIcones format; std::vector<std::string> noms; std::vector<int> largeurs; };
    std::vector<Groupe> quarante;
    std::vector<std::string> noms40;
    std::vector<int> largeurs40;
    for (int i = 1; i <= 40; ++i)
        quarante.push_back(groupe(i, i % 2 ? 32 : 16)), noms40.push_back("#" + std::to_string(i)), largeurs40.push_back(i % 2 ? 32 : 16);
    const std::vector<Cas> cas = {
        {"ico file is one icon", [] { return fichierIco({dib(16, 16), dib(32, 32), dib(48, 48)}); },
         FormatIcones::Ico, {""}, {32}},
        {"pe32 numbered groups in id order",
         [] { return fichierPe({groupe(1, 16), groupe(2, 24), groupe(7, 32), groupe(300, 48), groupe(301, 20)}); },
         FormatIcones::Pe32, {"#1", "#2", "#7", "#300", "#301"}, {16, 24, 32, 48, 20}},
        {"pe32 named groups come before numbered ones",
         [] { return fichierPe({groupe("APPICON", 32), groupe("ZDOC", 16), groupe(1, 24), groupe(5, 48)}); },
         FormatIcones::Pe32, {"APPICON", "ZDOC", "#1", "#5"}, {32, 16, 24, 48}},
        {"pe32+ is read like pe32", [] { return fichierPe({groupe("MAIN", 48), groupe(2, 16)}, true); },
         FormatIcones::Pe32Plus, {"MAIN", "#2"}, {48, 16}},
        {"pe without icons", [] { return fichierPe({}); }, FormatIcones::Pe32, {}, {}},
        {"ne library in resource table order",
         [] { return fichierNe({groupe(1, 32), groupe("SECOND", 16), groupe(3, 48)}); }, FormatIcones::Ne,
         {"#1", "SECOND", "#3"}, {32, 16, 48}},
        {"ne icon library with many icons", [&] { return fichierNe(quarante); }, FormatIcones::Ne, noms40, largeurs40},
        {"plain text", [] { return Octets{'b', 'o', 'n', 'j', 'o', 'u', 'r'}; }, FormatIcones::Inconnu, {}, {}},
        {"empty file", [] { return Octets{}; }, FormatIcones::Inconnu, {}, {}},
        {"dos program without new header", [] { return enTeteMz(0x40); }, FormatIcones::Inconnu, {}, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const RessourcesIcones r(c.fichier());
        EXPECT_EQ(r.format(), c.format);
        EXPECT_EQ(noms(r), c.noms);
        EXPECT_EQ(largeurs(r), c.largeurs);
        EXPECT_EQ(r.nomGroupe(r.nombre()), "");
        EXPECT_FALSE(r.imageChoisie(r.nombre()));
    }
}

TEST(Icones, LargeIconChoiceInAGroup)
{
    struct Cas { const char* nom; std::vector<Image> images; int largeur; int bits; };
    const Image png32 = enTetePng(32, 32);
    const Image png26{32, 32, 0, Octets(png32.donnees.begin(), png32.donnees.begin() + 26)};
    const Octets inconnues(40, 0); // neither a PNG nor a bitmap header
    const std::vector<Cas> cas = {
        {"exact 32", {dib(16, 16), dib(32, 32), dib(48, 48)}, 32, 32},
        {"closest below", {dib(16, 16), dib(24, 24), dib(64, 64)}, 24, 32},
        {"closest above", {dib(16, 16), dib(40, 40)}, 40, 32},
        {"first of equal distance wins", {dib(24, 24), dib(40, 40)}, 24, 32},
        {"deepest colours at the same size", {dib(32, 32, 1, 4), dib(32, 32, 1, 8), dib(32, 32, 1, 32)}, 32, 32},
        {"closer size beats better colours", {dib(48, 48, 1, 32), dib(32, 32, 1, 4)}, 32, 4},
        {"256 written as zero", {dib(16, 16), enTetePng(256, 256)}, 16, 32},
        {"only a 256 png", {enTetePng(256, 256)}, 256, 32},
        {"png among dibs at 32", {dib(32, 32, 1, 8), png32}, 32, 32},
        {"png header of just 26 bytes", {png26}, 32, 32},
        {"depth read from the data when the entry has none", {dib(32, 32, 1, 0), dib(32, 32, 1, 4)}, 32, 32},
        {"depth from 16 colours when neither entry nor data has one", {Image{32, 32, 0, inconnues, 16}}, 32, 4},
        {"no colour count and no depth: 256 colours", {Image{32, 32, 0, inconnues, 0}}, 32, 8},
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
    const Image grande = dib(32, 32, 0xFFFF0000u), png = enTetePng(256, 256);
    const RessourcesIcones r(fichierPe({Groupe{1, {dib(16, 16, 0xFF00FF00u), grande}}, Groupe{2, {png}}}));
    EXPECT_EQ(r.icone(0), fichierIco({grande}));
    const Octets ico = r.icone(1); // a 256 × 256 image is written with zero sizes, as in any .ico
    ASSERT_EQ(ico.size(), 22 + png.donnees.size());
    EXPECT_TRUE(ico[6] == 0 && ico[7] == 0 && std::equal(png.donnees.begin(), png.donnees.end(), ico.begin() + 22));
    EXPECT_TRUE(r.icone(2).empty() && r.icone(static_cast<std::size_t>(-1)).empty());
}

TEST(Icones, DamagedFilesGiveWhatTheyHoldButNeverReadOutside)
{
    struct Cas { const char* nom; Octets fichier; std::vector<std::string> noms; std::vector<int> largeurs; }; // largeurs: 0 for no icon
    auto avec = [](Octets o, const std::function<void(Octets&)>& changer) { return changer(o), o; };
    auto coupe = [](Octets o, std::size_t longueur) { return o.resize(longueur), o; };
    const Octets pe = fichierPe({groupe(1, 32), groupe(2, 16)}), ne = fichierNe({groupe(1, 32), groupe(2, 16)});
    const Octets nomme = fichierPe({groupe("APPICON", 32), groupe(1, 16)});
    const Octets utf16 = {'A', 0, 'P', 0, 'P', 0, 'I', 0};
    // In the writer's PE: the optional header, and the first data entry of the
    // resource section (root, two type directories, four language directories).
    constexpr std::size_t optionnel = 0x40 + 24, premiereEntreeDonnees = 0x200 + 32 + 32 + 32 + 4 * 24;
    const std::vector<Cas> cas = {
        {"new header offset past the end", avec(enTeteMz(0x40), [](Octets& o) { poserDoubleMot(o, 0x3C, 0xFFFFFFF0u); }),
         {}, {}},
        {"pe cut inside the section table", coupe(pe, 0x150), {}, {}},
        {"pe cut inside the group directory's entries", coupe(pe, 0x200 + 84), {}, {}},
        {"pe cut before the last icon's data", coupe(pe, pe.size() - 1200), {"#1", "#2"}, {0, 0}},
        {"icon data entry pointing past the end",
         avec(pe, [&](Octets& o) { poserDoubleMot(o, premiereEntreeDonnees, 0x7FFFFFF0u); }), {"#1", "#2"}, {0, 16}},
        {"icon data size larger than the file",
         avec(pe, [&](Octets& o) { poserDoubleMot(o, premiereEntreeDonnees + 4, 0xFFFFFFFFu); }), {"#1", "#2"}, {0, 16}},
        {"resource directory rva outside every section",
         avec(pe, [&](Octets& o) { poserDoubleMot(o, optionnel + 96 + 16, 0x9000); }), {}, {}},
        // The resource table is data directory 2: with two, there is none,
        // whatever the bytes after them say.
        {"pe32+ declaring two data directories",
         avec(fichierPe({groupe(1, 32)}, true), [&](Octets& o) { poserDoubleMot(o, optionnel + 108, 2); }), {}, {}},
        // Three characters and half of the fourth are left.
        {"resource name cut by the end of the file",
         coupe(nomme, std::size_t(std::search(nomme.begin(), nomme.end(), utf16.begin(), utf16.end()) - nomme.begin()) + 7),
         {"APP", "#1"}, {0, 0}},
        {"group directory naming a missing icon", fichierPe({Groupe{1, {dib(32, 32)}}, Groupe{2, {}}}), {"#1", "#2"},
         {32, 0}},
        {"ne resource table offset past the end", avec(ne, [](Octets& o) { poserMot(o, 0x40 + 0x24, 0xFFF0); }), {}, {}},
        {"ne icon offsets past the end",
         avec(ne, [](Octets& o) { poserMot(o, 0x80 + 2 + 8, 0xFFFF), poserMot(o, 0x80 + 2 + 8 + 12, 0xFFFF); }),
         {"#1", "#2"}, {0, 0}},
        {"ne cut in the middle of the resource table", coupe(ne, 0x80 + 30), {}, {}},
        {"ico entry past the end",
         avec(fichierIco({dib(32, 32)}), [](Octets& o) { poserDoubleMot(o, 6 + 12, 0xFFFFFF00u); }), {""}, {0}},
        {"ico claiming 65535 images keeps its real one",
         avec(fichierIco({dib(32, 32)}), [](Octets& o) { poserMot(o, 4, 0xFFFF); }), {""}, {32}},
        // Only the declared entries count, even where more follow before the data.
        {"ico holding three entries but declaring one",
         avec(fichierIco({dib(16, 16), dib(32, 32), dib(48, 48)}), [](Octets& o) { poserMot(o, 4, 1); }), {""}, {16}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const RessourcesIcones r(c.fichier);
        EXPECT_EQ(noms(r), c.noms);
        EXPECT_EQ(largeurs(r), c.largeurs);
    }
}
