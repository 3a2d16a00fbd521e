#pragma once
// Builds small sample files for the tests: .ico files, 32- and 64-bit
// programs (PE) with a resource section, 16-bit programs or icon libraries
// (NE), and metafiles written record by record.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace ostrelle::essais {

using Octets = std::vector<std::uint8_t>;

inline void mot(Octets& o, std::uint32_t v) { o.insert(o.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
inline void doubleMot(Octets& o, std::uint32_t v) { mot(o, v & 0xFFFF), mot(o, v >> 16); }
inline void poserMot(Octets& o, std::size_t pos, std::uint32_t v) { o[pos] = std::uint8_t(v), o[pos + 1] = std::uint8_t(v >> 8); }
inline void poserDoubleMot(Octets& o, std::size_t pos, std::uint32_t v) { poserMot(o, pos, v), poserMot(o, pos + 2, v >> 16); }
inline void aligner(Octets& o, std::size_t unite) { o.resize((o.size() + unite - 1) / unite * unite, 0); }
// 16-bit words, then any bytes.
inline Octets mots(std::initializer_list<int> m, const Octets& suite = {})
{
    Octets o;
    for (int v : m)
        mot(o, static_cast<std::uint32_t>(v));
    return o.insert(o.end(), suite.begin(), suite.end()), o;
}

// An icon image as stored in a file: a 32-bit DIB (colour plane and mask),
// every pixel of one colour 0xAARRGGBB; or any other bytes (a PNG...).
// bits and couleurs are what its directory entry says.
struct Image { int largeur = 32, hauteur = 32, bits = 32; Octets donnees; int couleurs = 0; };

inline Image dib(int largeur, int hauteur, std::uint32_t couleur = 0xFF2040C0u, int bitsAnnonces = 32)
{
    Image im{largeur, hauteur, bitsAnnonces, mots({40, 0, largeur, 0, hauteur * 2, 0, 1, 32})};
    im.donnees.resize(40, 0);
    for (int i = 0; i < largeur * hauteur; ++i)
        doubleMot(im.donnees, couleur);
    im.donnees.resize(im.donnees.size() + static_cast<std::size_t>(((largeur + 31) / 32) * 4 * hauteur), 0);
    return im;
}

// Bytes that start like a PNG of that size (enough for the directory rules).
inline Image enTetePng(int largeur, int hauteur)
{
    Image im{largeur, hauteur, 0, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}};
    for (int v : {largeur, hauteur})
        for (int d = 24; d >= 0; d -= 8)
            im.donnees.push_back(static_cast<std::uint8_t>(v >> d));
    im.donnees.insert(im.donnees.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0}); // 8 bits, RGBA
    return im;
}

inline void entreeRepertoire(Octets& o, const Image& im)
{
    for (int v : {im.largeur >= 256 ? 0 : im.largeur, im.hauteur >= 256 ? 0 : im.hauteur, im.couleurs, 0})
        o.push_back(static_cast<std::uint8_t>(v));
    mot(o, 1);
    mot(o, static_cast<std::uint32_t>(im.bits));
    doubleMot(o, static_cast<std::uint32_t>(im.donnees.size()));
}

inline Octets fichierIco(const std::vector<Image>& images)
{
    Octets o = mots({0, 1, static_cast<int>(images.size())});
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

struct Groupe { NomRessource nom; std::vector<Image> images; };

// A group directory (GRPICONDIR) whose entries name the icon ids premierId, premierId + 1...
inline Octets repertoireGroupe(const Groupe& g, int premierId)
{
    Octets o = mots({0, 1, static_cast<int>(g.images.size())});
    for (const Image& im : g.images) {
        entreeRepertoire(o, im);
        mot(o, static_cast<std::uint32_t>(premierId++));
    }
    return o;
}

inline Octets enTeteMz(std::uint32_t versEnTete)
{
    Octets o = {'M', 'Z'};
    o.resize(64, 0);
    return poserDoubleMot(o, 0x3C, versEnTete), o;
}

// The icons of all groups in order, and the groups' directories.
inline std::vector<const Image*> icones(const std::vector<Groupe>& groupes, std::vector<Octets>& repertoires)
{
    std::vector<const Image*> icones;
    for (const Groupe& g : groupes) {
        repertoires.push_back(repertoireGroupe(g, static_cast<int>(icones.size()) + 1));
        for (const Image& im : g.images)
            icones.push_back(&im);
    }
    return icones;
}

// A PE file with one .rsrc section. The groups are written in the order
// given, which must be the sorted order of a real directory (names before
// numbers) unless a test wants otherwise. Icon ids are numbered from 1.
inline Octets fichierPe(const std::vector<Groupe>& groupes, bool pe32Plus = false)
{
    using u32 = std::uint32_t;
    constexpr u32 adresseSection = 0x1000, debutSection = 0x200, haut = 0x80000000u;
    std::vector<Octets> repertoires;
    const std::vector<const Image*> images = icones(groupes, repertoires);
    // Layout: root, the two type directories, one language directory per
    // resource, one data entry per resource, the names, then the data.
    const std::size_t nIcones = images.size(), nGroupes = groupes.size(), n = nIcones + nGroupes;
    const std::size_t typeIcones = 16 + 2 * 8, typeGroupes = typeIcones + 16 + 8 * nIcones;
    const std::size_t langues = typeGroupes + 16 + 8 * nGroupes, entreesDonnees = langues + 24 * n;
    std::size_t fin = entreesDonnees + 16 * n, nommes = 0;
    std::vector<std::size_t> noms(nGroupes, 0);
    for (std::size_t i = 0; i < nGroupes; ++i)
        if (const auto* s = std::get_if<std::string>(&groupes[i].nom))
            noms[i] = fin, fin += 2 + 2 * s->size(), ++nommes;
    Octets r((fin + 3) & ~std::size_t(3), 0);
    auto repertoire = [&](std::size_t pos, std::size_t nommees, std::size_t numerotees) {
        poserMot(r, pos + 12, u32(nommees)), poserMot(r, pos + 14, u32(numerotees));
    };
    auto entree = [&](std::size_t pos, std::size_t i, u32 nom, std::size_t vers) {
        poserDoubleMot(r, pos + 16 + 8 * i, nom), poserDoubleMot(r, pos + 16 + 8 * i + 4, u32(vers));
    };
    repertoire(0, 0, 2);
    entree(0, 0, 3, haut | typeIcones);
    entree(0, 1, 14, haut | typeGroupes);
    repertoire(typeIcones, 0, nIcones);
    repertoire(typeGroupes, nommes, nGroupes - nommes);
    for (std::size_t k = 0; k < n; ++k) { // resource k: its language directory and data entry
        repertoire(langues + 24 * k, 0, 1);
        entree(langues + 24 * k, 0, 0x040C, entreesDonnees + 16 * k);
        if (k < nIcones)
            entree(typeIcones, k, u32(k + 1), haut | (langues + 24 * k));
    }
    for (std::size_t i = 0; i < nGroupes; ++i) {
        u32 nom = u32(noms[i]) | haut;
        if (const auto* s = std::get_if<std::string>(&groupes[i].nom)) {
            poserMot(r, noms[i], u32(s->size()));
            for (std::size_t c = 0; c < s->size(); ++c)
                poserMot(r, noms[i] + 2 + 2 * c, std::uint8_t((*s)[c]));
        } else {
            nom = u32(std::get<int>(groupes[i].nom));
        }
        entree(typeGroupes, i, nom, haut | (langues + 24 * (nIcones + i)));
    }
    for (std::size_t k = 0; k < n; ++k) {
        const Octets& donnees = k < nIcones ? images[k]->donnees : repertoires[k - nIcones];
        poserDoubleMot(r, entreesDonnees + 16 * k, adresseSection + u32(r.size()));
        poserDoubleMot(r, entreesDonnees + 16 * k + 4, u32(donnees.size()));
        r.insert(r.end(), donnees.begin(), donnees.end());
        aligner(r, 4);
    }
    const u32 tailleOptionnel = pe32Plus ? 240 : 224;
    Octets o = enTeteMz(0x40);
    const Octets coff = mots({'P' | 'E' << 8, 0, pe32Plus ? 0x8664 : 0x14C, 1, 0, 0, 0, 0, 0, 0, int(tailleOptionnel), 0x2102});
    o.insert(o.end(), coff.begin(), coff.end());
    const std::size_t optionnel = o.size(), repertoiresDonnees = optionnel + (pe32Plus ? 112 : 96);
    o.resize(optionnel + tailleOptionnel, 0);
    poserMot(o, optionnel, pe32Plus ? 0x20B : 0x10B);
    poserDoubleMot(o, repertoiresDonnees - 4, 16); // data directories
    poserDoubleMot(o, repertoiresDonnees + 2 * 8, adresseSection);
    poserDoubleMot(o, repertoiresDonnees + 2 * 8 + 4, u32(r.size()));
    const std::size_t section = o.size();
    o.insert(o.end(), {'.', 'r', 's', 'r', 'c', 0, 0, 0});
    for (u32 v : {u32(r.size()), adresseSection, u32(r.size()), debutSection})
        doubleMot(o, v);
    o.resize(section + 40, 0);
    o.resize(debutSection, 0);
    o.insert(o.end(), r.begin(), r.end());
    return o;
}

// A 16-bit NE file (program, library or .icl) with a resource table.
// Icon ids are numbered from 1 in the order of the groups' images.
inline Octets fichierNe(const std::vector<Groupe>& groupes)
{
    using u32 = std::uint32_t;
    constexpr int decalage = 4; // resources aligned on 16 bytes
    constexpr std::size_t enTete = 0x40, table = enTete + 0x40;
    std::vector<Octets> repertoires;
    const std::vector<const Image*> images = icones(groupes, repertoires);
    Octets t = mots({decalage, 0x8003, int(images.size()), 0, 0});
    const std::size_t entreesIcones = t.size(), entreesGroupes = entreesIcones + 12 * images.size() + 8;
    t.resize(entreesIcones + 12 * images.size(), 0);
    const Octets type = mots({0x800E, int(groupes.size()), 0, 0});
    t.insert(t.end(), type.begin(), type.end());
    t.resize(t.size() + 12 * groupes.size() + 2, 0);
    for (std::size_t i = 0; i < groupes.size(); ++i) {
        u32 id = 0;
        if (const auto* s = std::get_if<std::string>(&groupes[i].nom)) {
            id = u32(t.size());
            t.push_back(std::uint8_t(s->size()));
            t.insert(t.end(), s->begin(), s->end());
        } else {
            id = 0x8000u | u32(std::get<int>(groupes[i].nom));
        }
        poserMot(t, entreesGroupes + 12 * i + 6, id);
    }
    t.push_back(0);
    Octets o = enTeteMz(u32(enTete));
    o.resize(enTete + 0x40, 0);
    o[enTete] = 'N', o[enTete + 1] = 'E';
    poserMot(o, enTete + 0x24, u32(table - enTete));
    poserMot(o, enTete + 0x26, u32(table + t.size() - enTete));
    poserMot(o, enTete + 0x36, 2); // Windows
    o.insert(o.end(), t.begin(), t.end());
    auto ajouter = [&](const Octets& donnees, std::size_t entree) {
        aligner(o, 1u << decalage);
        poserMot(o, table + entree, u32(o.size() >> decalage));
        poserMot(o, table + entree + 2, u32((donnees.size() + (1u << decalage) - 1) >> decalage));
        poserMot(o, table + entree + 4, 0x1C30);
        o.insert(o.end(), donnees.begin(), donnees.end());
    };
    for (std::size_t i = 0; i < images.size(); ++i) {
        poserMot(o, table + entreesIcones + 12 * i + 6, 0x8000u | u32(i + 1));
        ajouter(images[i]->donnees, entreesIcones + 12 * i);
    }
    for (std::size_t i = 0; i < groupes.size(); ++i)
        ajouter(repertoires[i], entreesGroupes + 12 * i);
    return o;
}

// A metafile, record by record; the parameters are 16-bit words.
class Ecrivain {
public:
    Ecrivain& enr(std::uint16_t fonction, std::vector<int> m, const std::vector<int>& suite = {})
    {
        m.insert(m.end(), suite.begin(), suite.end());
        Octets p;
        for (int v : m)
            mot(p, std::uint32_t(v));
        return brut(fonction, p);
    }
    Ecrivain& brut(std::uint16_t fonction, const Octets& p)
    {
        return tailleDeclaree(static_cast<std::uint32_t>(3 + (p.size() + 1) / 2), fonction, p);
    }
    // A record that states whatever size it likes.
    Ecrivain& tailleDeclaree(std::uint32_t taille, std::uint16_t fonction, Octets p)
    {
        aligner(p, 2), doubleMot(enr_, taille), mot(enr_, fonction);
        return enr_.insert(enr_.end(), p.begin(), p.end()), *this;
    }
    Octets simple(int objets = 8, bool fin = true) const
    {
        Octets o = mots({1, 9, 0x0300}); // a memory metafile
        doubleMot(o, static_cast<std::uint32_t>(9 + enr_.size() / 2 + 3));
        mot(o, static_cast<std::uint32_t>(objets));
        o.insert(o.end(), {0, 0, 0, 0, 0, 0});
        o.insert(o.end(), enr_.begin(), enr_.end());
        if (fin)
            o.insert(o.end(), {3, 0, 0, 0, 0, 0});
        return o;
    }
    // With the placeable header: the picture's bounds in units of `pouce` an inch.
    Octets placable(int g, int h, int d, int b, int pouce, int objets = 8, bool sommeJuste = true) const
    {
        Octets o = mots({0xCDD7, 0x9AC6, 0, g, h, d, b, pouce, 0, 0});
        std::uint16_t somme = 0;
        for (std::size_t i = 0; i < 20; i += 2)
            somme ^= static_cast<std::uint16_t>(o[i] | (o[i + 1] << 8));
        mot(o, sommeJuste ? somme : somme ^ 0x1234);
        const Octets reste = simple(objets);
        o.insert(o.end(), reste.begin(), reste.end());
        return o;
    }
    // A plain file whose window is (0, 0)–(100, 100): played on 100 × 100,
    // logical units and target pixels coincide.
    Octets carre100(int objets = 8) const
    {
        Ecrivain e;
        e.enr(0x020B, {0, 0}).enr(0x020C, {100, 100});
        e.enr_.insert(e.enr_.end(), enr_.begin(), enr_.end());
        return e.simple(objets);
    }

private:
    Octets enr_;
};

} // namespace ostrelle::essais
