#pragma once
// Builds small icon files for the tests: .ico files, 32- and 64-bit programs
// (PE) with a resource section, and 16-bit programs or icon libraries (NE).
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace ostrelle::essais {

using Octets = std::vector<std::uint8_t>;

inline void mot(Octets& o, std::uint32_t v)
{
    o.push_back(static_cast<std::uint8_t>(v));
    o.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void doubleMot(Octets& o, std::uint32_t v)
{
    mot(o, v & 0xFFFF);
    mot(o, v >> 16);
}
inline void poserMot(Octets& o, std::size_t pos, std::uint32_t v)
{
    o[pos] = static_cast<std::uint8_t>(v);
    o[pos + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void poserDoubleMot(Octets& o, std::size_t pos, std::uint32_t v)
{
    poserMot(o, pos, v & 0xFFFF);
    poserMot(o, pos + 2, v >> 16);
}
inline void aligner(Octets& o, std::size_t unite)
{
    while (o.size() % unite)
        o.push_back(0);
}

// An icon image as stored in a file: a 32-bit DIB (colour plane and mask),
// every pixel of one colour 0xAARRGGBB; or any other bytes (a PNG...).
struct Image {
    int largeur = 32;
    int hauteur = 32;
    int bits = 32;
    Octets donnees;
};

inline Image dib(int largeur, int hauteur, std::uint32_t couleur = 0xFF2040C0u, int bitsAnnonces = 32)
{
    Image im{largeur, hauteur, bitsAnnonces, {}};
    Octets& o = im.donnees;
    doubleMot(o, 40);
    doubleMot(o, static_cast<std::uint32_t>(largeur));
    doubleMot(o, static_cast<std::uint32_t>(hauteur * 2));
    mot(o, 1);
    mot(o, 32);
    doubleMot(o, 0);
    for (int i = 0; i < 5; ++i)
        doubleMot(o, 0);
    for (int i = 0; i < largeur * hauteur; ++i)
        doubleMot(o, couleur);
    const int ligneMasque = ((largeur + 31) / 32) * 4;
    o.insert(o.end(), static_cast<std::size_t>(ligneMasque * hauteur), 0);
    return im;
}

// Bytes that start like a PNG of that size (enough for the directory rules).
inline Image enTetePng(int largeur, int hauteur)
{
    Image im{largeur, hauteur, 0, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}};
    for (int v : {largeur, hauteur})
        for (int d = 24; d >= 0; d -= 8)
            im.donnees.push_back(static_cast<std::uint8_t>(v >> d));
    im.donnees.push_back(8); // bit depth
    im.donnees.push_back(6); // RGBA
    im.donnees.insert(im.donnees.end(), {0, 0, 0, 0, 0, 0, 0});
    return im;
}

inline void entreeRepertoire(Octets& o, const Image& im)
{
    o.push_back(static_cast<std::uint8_t>(im.largeur >= 256 ? 0 : im.largeur));
    o.push_back(static_cast<std::uint8_t>(im.hauteur >= 256 ? 0 : im.hauteur));
    o.push_back(0);
    o.push_back(0);
    mot(o, 1);
    mot(o, static_cast<std::uint32_t>(im.bits));
    doubleMot(o, static_cast<std::uint32_t>(im.donnees.size()));
}

inline Octets fichierIco(const std::vector<Image>& images)
{
    Octets o;
    mot(o, 0);
    mot(o, 1);
    mot(o, static_cast<std::uint32_t>(images.size()));
    std::size_t debut = 6 + 16 * images.size();
    for (const Image& im : images) {
        entreeRepertoire(o, im);
        doubleMot(o, static_cast<std::uint32_t>(debut));
        debut += im.donnees.size();
    }
    for (const Image& im : images)
        o.insert(o.end(), im.donnees.begin(), im.donnees.end());
    return o;
}

// A resource name: a number or a string.
using NomRessource = std::variant<int, std::string>;

struct Groupe {
    NomRessource nom;
    std::vector<Image> images;
};

// A group directory (GRPICONDIR) whose entries name the icon ids premierId, premierId + 1...
inline Octets repertoireGroupe(const Groupe& g, int premierId)
{
    Octets o;
    mot(o, 0);
    mot(o, 1);
    mot(o, static_cast<std::uint32_t>(g.images.size()));
    int id = premierId;
    for (const Image& im : g.images) {
        entreeRepertoire(o, im);
        mot(o, static_cast<std::uint32_t>(id++));
    }
    return o;
}

inline Octets enTeteMz(std::uint32_t versEnTete)
{
    Octets o(64, 0);
    o[0] = 'M';
    o[1] = 'Z';
    poserDoubleMot(o, 0x3C, versEnTete);
    return o;
}

// A PE file with one .rsrc section. The groups are written in the order
// given, which must be the sorted order of a real directory (names before
// numbers) unless a test wants otherwise. Icon ids are numbered from 1.
inline Octets fichierPe(const std::vector<Groupe>& groupes, bool pe32Plus = false)
{
    constexpr std::uint32_t adresseSection = 0x1000;
    constexpr std::uint32_t debutSection = 0x200;

    std::vector<const Image*> icones;
    std::vector<Octets> repertoires;
    for (const Groupe& g : groupes) {
        repertoires.push_back(repertoireGroupe(g, static_cast<int>(icones.size()) + 1));
        for (const Image& im : g.images)
            icones.push_back(&im);
    }
    // Layout: root, the two type directories, one language directory per
    // resource, one data entry per resource, the names, then the data.
    const std::size_t nIcones = icones.size(), nGroupes = groupes.size();
    const std::size_t racine = 0;
    const std::size_t typeIcones = racine + 16 + 2 * 8;
    const std::size_t typeGroupes = typeIcones + 16 + 8 * nIcones;
    const std::size_t langues = typeGroupes + 16 + 8 * nGroupes;
    const std::size_t entreesDonnees = langues + (16 + 8) * (nIcones + nGroupes);
    std::size_t fin = entreesDonnees + 16 * (nIcones + nGroupes);
    std::vector<std::size_t> noms(nGroupes, 0);
    for (std::size_t i = 0; i < nGroupes; ++i)
        if (const auto* s = std::get_if<std::string>(&groupes[i].nom)) {
            noms[i] = fin;
            fin += 2 + 2 * s->size();
        }
    fin = (fin + 3) & ~std::size_t(3);

    Octets r(fin, 0);
    auto repertoire = [&](std::size_t pos, std::size_t nommees, std::size_t numerotees) {
        poserMot(r, pos + 12, static_cast<std::uint32_t>(nommees));
        poserMot(r, pos + 14, static_cast<std::uint32_t>(numerotees));
    };
    auto entree = [&](std::size_t repertoirePos, std::size_t i, std::uint32_t nom, std::uint32_t donnees) {
        poserDoubleMot(r, repertoirePos + 16 + 8 * i, nom);
        poserDoubleMot(r, repertoirePos + 16 + 8 * i + 4, donnees);
    };
    repertoire(racine, 0, 2);
    entree(racine, 0, 3, 0x80000000u | static_cast<std::uint32_t>(typeIcones));
    entree(racine, 1, 14, 0x80000000u | static_cast<std::uint32_t>(typeGroupes));

    std::size_t nommes = 0;
    for (const Groupe& g : groupes)
        nommes += std::holds_alternative<std::string>(g.nom);
    repertoire(typeIcones, 0, nIcones);
    repertoire(typeGroupes, nommes, nGroupes - nommes);

    std::vector<Octets> donnees;
    auto ressource = [&](std::size_t n, const Octets& octets) {
        const std::size_t langue = langues + (16 + 8) * n;
        const std::size_t entreeDonnees = entreesDonnees + 16 * n;
        repertoire(langue, 0, 1);
        entree(langue, 0, 0x040C, static_cast<std::uint32_t>(entreeDonnees));
        donnees.push_back(octets);
        return std::pair<std::size_t, std::size_t>(langue, entreeDonnees);
    };
    std::vector<std::size_t> versDonnees;
    for (std::size_t i = 0; i < nIcones; ++i) {
        auto [langue, e] = ressource(i, icones[i]->donnees);
        entree(typeIcones, i, static_cast<std::uint32_t>(i + 1), 0x80000000u | static_cast<std::uint32_t>(langue));
        versDonnees.push_back(e);
    }
    for (std::size_t i = 0; i < nGroupes; ++i) {
        auto [langue, e] = ressource(nIcones + i, repertoires[i]);
        std::uint32_t nom = 0;
        if (const auto* s = std::get_if<std::string>(&groupes[i].nom)) {
            nom = 0x80000000u | static_cast<std::uint32_t>(noms[i]);
            poserMot(r, noms[i], static_cast<std::uint32_t>(s->size()));
            for (std::size_t c = 0; c < s->size(); ++c)
                poserMot(r, noms[i] + 2 + 2 * c, static_cast<std::uint8_t>((*s)[c]));
        } else {
            nom = static_cast<std::uint32_t>(std::get<int>(groupes[i].nom));
        }
        entree(typeGroupes, i, nom, 0x80000000u | static_cast<std::uint32_t>(langue));
        versDonnees.push_back(e);
    }
    for (std::size_t n = 0; n < donnees.size(); ++n) {
        poserDoubleMot(r, versDonnees[n], adresseSection + static_cast<std::uint32_t>(r.size()));
        poserDoubleMot(r, versDonnees[n] + 4, static_cast<std::uint32_t>(donnees[n].size()));
        r.insert(r.end(), donnees[n].begin(), donnees[n].end());
        aligner(r, 4);
    }

    Octets o = enTeteMz(0x40);
    o.insert(o.end(), {'P', 'E', 0, 0});
    const std::size_t coff = o.size();
    const std::uint32_t tailleOptionnel = pe32Plus ? 240 : 224;
    mot(o, pe32Plus ? 0x8664 : 0x14C);
    mot(o, 1); // sections
    doubleMot(o, 0);
    doubleMot(o, 0);
    doubleMot(o, 0);
    mot(o, tailleOptionnel);
    mot(o, 0x2102);
    const std::size_t optionnel = o.size();
    o.resize(optionnel + tailleOptionnel, 0);
    poserMot(o, optionnel, pe32Plus ? 0x20B : 0x10B);
    const std::size_t repertoires2 = optionnel + (pe32Plus ? 112 : 96);
    poserDoubleMot(o, optionnel + (pe32Plus ? 108 : 92), 16);
    poserDoubleMot(o, repertoires2 + 2 * 8, adresseSection);
    poserDoubleMot(o, repertoires2 + 2 * 8 + 4, static_cast<std::uint32_t>(r.size()));
    const std::size_t section = o.size();
    o.resize(section + 40, 0);
    const char nomSection[] = ".rsrc";
    for (std::size_t c = 0; c < 5; ++c)
        o[section + c] = static_cast<std::uint8_t>(nomSection[c]);
    poserDoubleMot(o, section + 8, static_cast<std::uint32_t>(r.size()));
    poserDoubleMot(o, section + 12, adresseSection);
    poserDoubleMot(o, section + 16, static_cast<std::uint32_t>(r.size()));
    poserDoubleMot(o, section + 20, debutSection);
    (void)coff;
    o.resize(debutSection, 0);
    o.insert(o.end(), r.begin(), r.end());
    return o;
}

// A 16-bit NE file (program, library or .icl) with a resource table.
// Icon ids are numbered from 1 in the order of the groups' images.
inline Octets fichierNe(const std::vector<Groupe>& groupes)
{
    constexpr int decalage = 4; // resources aligned on 16 bytes
    constexpr std::size_t enTete = 0x40;
    constexpr std::size_t table = enTete + 0x40;

    std::vector<const Image*> icones;
    std::vector<Octets> repertoires;
    for (const Groupe& g : groupes) {
        repertoires.push_back(repertoireGroupe(g, static_cast<int>(icones.size()) + 1));
        for (const Image& im : g.images)
            icones.push_back(&im);
    }
    Octets t;
    mot(t, decalage);
    mot(t, 0x8003);
    mot(t, static_cast<std::uint32_t>(icones.size()));
    doubleMot(t, 0);
    const std::size_t entreesIcones = t.size();
    t.resize(t.size() + 12 * icones.size(), 0);
    mot(t, 0x800E);
    mot(t, static_cast<std::uint32_t>(groupes.size()));
    doubleMot(t, 0);
    const std::size_t entreesGroupes = t.size();
    t.resize(t.size() + 12 * groupes.size(), 0);
    mot(t, 0);
    for (std::size_t i = 0; i < groupes.size(); ++i) {
        std::uint32_t id = 0;
        if (const auto* s = std::get_if<std::string>(&groupes[i].nom)) {
            id = static_cast<std::uint32_t>(t.size());
            t.push_back(static_cast<std::uint8_t>(s->size()));
            t.insert(t.end(), s->begin(), s->end());
        } else {
            id = 0x8000u | static_cast<std::uint32_t>(std::get<int>(groupes[i].nom));
        }
        poserMot(t, entreesGroupes + 12 * i + 6, id);
    }
    t.push_back(0);
    const std::size_t finTable = table + t.size();

    Octets o = enTeteMz(static_cast<std::uint32_t>(enTete));
    o.resize(enTete + 0x40, 0);
    o[enTete] = 'N';
    o[enTete + 1] = 'E';
    poserMot(o, enTete + 0x24, static_cast<std::uint32_t>(table - enTete));
    poserMot(o, enTete + 0x26, static_cast<std::uint32_t>(finTable - enTete));
    poserMot(o, enTete + 0x36, 2); // Windows
    o.insert(o.end(), t.begin(), t.end());
    auto ajouter = [&](const Octets& donnees, std::size_t entree) {
        aligner(o, 1u << decalage);
        const std::size_t pos = table + entree;
        poserMot(o, pos, static_cast<std::uint32_t>(o.size() >> decalage));
        poserMot(o, pos + 2, static_cast<std::uint32_t>((donnees.size() + (1u << decalage) - 1) >> decalage));
        poserMot(o, pos + 4, 0x1C30);
        o.insert(o.end(), donnees.begin(), donnees.end());
    };
    for (std::size_t i = 0; i < icones.size(); ++i) {
        poserMot(o, table + entreesIcones + 12 * i + 6, 0x8000u | static_cast<std::uint32_t>(i + 1));
        ajouter(icones[i]->donnees, entreesIcones + 12 * i);
    }
    for (std::size_t i = 0; i < groupes.size(); ++i)
        ajouter(repertoires[i], entreesGroupes + 12 * i);
    return o;
}

} // namespace ostrelle::essais
