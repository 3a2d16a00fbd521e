#include "image-copier/core/icones.hpp"

#include "common/core/ansi.hpp"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

namespace ostrelle {

namespace {

constexpr std::uint16_t rtIcone = 3;
constexpr std::uint16_t rtGroupeIcones = 14;

// Little-endian reads that never leave the buffer: a read past the end
// answers 0 and marks the reader as failed, so a run of reads is checked once.
class Lecteur {
public:
    explicit Lecteur(const std::vector<std::uint8_t>& octets) : o_(octets) {}

    bool contient(std::uint64_t debut, std::uint64_t longueur) const
    {
        return debut <= o_.size() && longueur <= o_.size() - debut;
    }
    std::uint8_t u8(std::uint64_t pos)
    {
        if (!contient(pos, 1)) {
            ok = false;
            return 0;
        }
        return o_[static_cast<std::size_t>(pos)];
    }
    std::uint16_t u16(std::uint64_t pos)
    {
        if (!contient(pos, 2)) {
            ok = false;
            return 0;
        }
        const auto p = static_cast<std::size_t>(pos);
        return static_cast<std::uint16_t>(o_[p] | (o_[p + 1] << 8));
    }
    std::uint32_t u32(std::uint64_t pos)
    {
        if (!contient(pos, 4)) {
            ok = false;
            return 0;
        }
        const auto p = static_cast<std::size_t>(pos);
        return static_cast<std::uint32_t>(o_[p]) | (static_cast<std::uint32_t>(o_[p + 1]) << 8) |
               (static_cast<std::uint32_t>(o_[p + 2]) << 16) | (static_cast<std::uint32_t>(o_[p + 3]) << 24);
    }
    std::size_t taille() const { return o_.size(); }

    bool ok = true;

private:
    const std::vector<std::uint8_t>& o_;
};

// Bits per pixel written in the image data itself (PNG header or DIB header).
int bitsDesDonnees(Lecteur& l, std::size_t debut, std::size_t longueur)
{
    static const std::uint8_t signaturePng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (longueur >= 26 && l.contient(debut, 26)) {
        bool png = true;
        for (std::size_t i = 0; i < 8; ++i)
            png = png && l.u8(debut + i) == signaturePng[i];
        if (png) {
            const int profondeur = l.u8(debut + 24);
            switch (l.u8(debut + 25)) {
            case 0: return profondeur;          // grey
            case 2: return profondeur * 3;      // RGB
            case 3: return profondeur;          // palette
            case 4: return profondeur * 2;      // grey and alpha
            case 6: return profondeur * 4;      // RGBA
            default: return 0;
            }
        }
    }
    if (longueur >= 16 && l.contient(debut, 16)) {
        const std::uint32_t entete = l.u32(debut);
        if (entete == 12)
            return l.u16(debut + 10);
        if (entete >= 40)
            return l.u16(debut + 14);
    }
    return 0;
}

int bitsDesCouleurs(int couleurs)
{
    int bits = 0;
    while (bits < 8 && (1 << bits) < couleurs)
        ++bits;
    return couleurs == 0 ? 8 : bits;
}

void completerBits(Lecteur& l, ImageIcone& image)
{
    if (image.bits == 0)
        image.bits = bitsDesDonnees(l, image.debut, image.longueur);
    if (image.bits == 0)
        image.bits = bitsDesCouleurs(image.couleurs);
}

// The start of an icon directory entry, the same in a .ico file and in a
// program's icon group: width, height (0 meaning 256), colours, planes, bits.
ImageIcone lireEntree(Lecteur& l, std::uint64_t e)
{
    ImageIcone image;
    image.largeur = l.u8(e) == 0 ? 256 : l.u8(e);
    image.hauteur = l.u8(e + 1) == 0 ? 256 : l.u8(e + 1);
    image.couleurs = l.u8(e + 2);
    image.plans = l.u16(e + 4);
    image.bits = l.u16(e + 6);
    return image;
}

} // namespace

int choisirImage(const std::vector<ImageIcone>& images)
{
    int meilleure = -1;
    int ecartTaille = 0;
    int ecartBits = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const ImageIcone& im = images[i];
        const int taille = std::abs(tailleGrandeIcone - im.largeur) + std::abs(tailleGrandeIcone - im.hauteur);
        const int bits = std::abs(profondeurEcran - im.bits);
        if (meilleure < 0 || taille < ecartTaille || (taille == ecartTaille && bits < ecartBits)) {
            meilleure = static_cast<int>(i);
            ecartTaille = taille;
            ecartBits = bits;
        }
    }
    return meilleure;
}

RessourcesIcones::RessourcesIcones(std::vector<std::uint8_t> octets) : octets_(std::move(octets))
{
    Lecteur l(octets_);
    if (l.u8(0) == 'M' && l.u8(1) == 'Z') {
        const std::uint32_t entete = l.u32(0x3C);
        if (!l.ok)
            return;
        if (l.u8(entete) == 'P' && l.u8(entete + 1) == 'E' && l.u8(entete + 2) == 0 && l.u8(entete + 3) == 0 && l.ok)
            indexerPe(entete);
        else if (l.u8(entete) == 'N' && l.u8(entete + 1) == 'E' && l.ok)
            indexerNe(entete);
        return;
    }
    if (l.u16(0) == 0 && l.u16(2) == 1 && l.u16(4) > 0 && l.ok)
        indexerIco();
}


void RessourcesIcones::indexerIco()
{
    Lecteur l(octets_);
    const std::uint16_t nombre = l.u16(4);
    std::vector<ImageIcone> images;
    for (std::uint64_t i = 0; i < nombre; ++i) {
        const std::uint64_t e = 6 + 16 * i;
        ImageIcone image = lireEntree(l, e);
        const std::uint32_t longueur = l.u32(e + 8);
        const std::uint32_t debut = l.u32(e + 12);
        if (!l.ok)
            break;
        if (longueur == 0 || !l.contient(debut, longueur))
            continue;
        image.debut = debut;
        image.longueur = longueur;
        completerBits(l, image);
        images.push_back(image);
    }
    format_ = FormatIcones::Ico;
    Groupe groupe;
    groupe.lu = true;
    const int choix = choisirImage(images);
    if (choix >= 0)
        groupe.image = images[static_cast<std::size_t>(choix)];
    groupes_.push_back(groupe);
}

void RessourcesIcones::indexerPe(std::size_t entete)
{
    Lecteur l(octets_);
    const std::uint64_t coff = entete + 4;
    const std::uint16_t sections = l.u16(coff + 2);
    const std::uint16_t tailleOptionnel = l.u16(coff + 16);
    const std::uint64_t optionnel = coff + 20;
    const std::uint16_t magique = l.u16(optionnel);
    if (!l.ok)
        return;
    std::uint64_t repertoires = 0;
    std::uint64_t nombreRepertoires = 0;
    if (magique == 0x10B) {
        format_ = FormatIcones::Pe32;
        nombreRepertoires = l.u32(optionnel + 92);
        repertoires = optionnel + 96;
    } else if (magique == 0x20B) {
        format_ = FormatIcones::Pe32Plus;
        nombreRepertoires = l.u32(optionnel + 108);
        repertoires = optionnel + 112;
    } else {
        return;
    }
    // The resource directory is data directory 2 and lies inside the optional header.
    if (nombreRepertoires < 3 || repertoires + 3 * 8 > optionnel + tailleOptionnel)
        return;
    const std::uint32_t rvaRessources = l.u32(repertoires + 2 * 8);
    if (!l.ok || rvaRessources == 0)
        return;

    struct Section {
        std::uint32_t adresse, tailleVirtuelle, tailleBrute, debutBrut;
    };
    // The loader takes at most 96 sections; more is a damaged or hostile file.
    std::vector<Section> table;
    const std::uint64_t premiere = optionnel + tailleOptionnel;
    for (std::uint64_t i = 0; i < std::min<std::uint64_t>(sections, 96); ++i) {
        const std::uint64_t s = premiere + 40 * i;
        Section sec{l.u32(s + 12), l.u32(s + 8), l.u32(s + 16), l.u32(s + 20)};
        if (!l.ok)
            break;
        table.push_back(sec);
    }
    // A relative virtual address to a file offset, through the section that holds it.
    auto position = [&](std::uint64_t rva) -> std::optional<std::uint64_t> {
        for (const Section& s : table) {
            const std::uint64_t etendue = std::max(s.tailleBrute, s.tailleVirtuelle);
            if (rva >= s.adresse && rva < std::uint64_t(s.adresse) + etendue) {
                const std::uint64_t decalage = rva - s.adresse;
                if (decalage >= s.tailleBrute)
                    return std::nullopt; // zero-filled in memory, absent from the file
                return std::uint64_t(s.debutBrut) + decalage;
            }
        }
        return std::nullopt;
    };
    const std::optional<std::uint64_t> base = position(rvaRessources);
    if (!base)
        return;
    baseNoms_ = *base;

    constexpr std::uint32_t bitHaut = 0x80000000u;
    struct Entree {
        std::uint32_t nom;
        std::uint32_t donnees;
    };
    // The entries of one directory in the stored order: the named ones, then the numbered ones.
    auto entrees = [&](std::uint64_t repertoire) {
        std::vector<Entree> liste;
        Lecteur lr(octets_);
        const std::uint64_t nombre = std::uint64_t(lr.u16(repertoire + 12)) + lr.u16(repertoire + 14);
        if (!lr.ok)
            return liste;
        for (std::uint64_t i = 0; i < nombre; ++i) {
            const std::uint64_t e = repertoire + 16 + 8 * i;
            Entree entree{lr.u32(e), lr.u32(e + 4)};
            if (!lr.ok)
                break;
            liste.push_back(entree);
        }
        return liste;
    };
    // A resource's data: the data entry of its first language.
    auto donnees = [&](const Entree& entree) -> std::optional<std::pair<std::uint64_t, std::uint64_t>> {
        if (!(entree.donnees & bitHaut))
            return std::nullopt;
        Lecteur ld(octets_);
        const std::uint64_t langues = *base + (entree.donnees & ~bitHaut);
        if (std::uint32_t(ld.u16(langues + 12)) + ld.u16(langues + 14) == 0)
            return std::nullopt;
        const std::uint32_t versDonnees = ld.u32(langues + 16 + 4);
        if (!ld.ok || (versDonnees & bitHaut))
            return std::nullopt;
        const std::uint32_t rva = ld.u32(*base + versDonnees);
        const std::uint32_t taille = ld.u32(*base + versDonnees + 4);
        if (!ld.ok || taille == 0)
            return std::nullopt;
        const std::optional<std::uint64_t> debut = position(rva);
        if (!debut || !ld.contient(*debut, taille))
            return std::nullopt;
        return std::make_pair(*debut, std::uint64_t(taille));
    };

    bool vuGroupes = false, vuIcones = false;
    for (const Entree& type : entrees(*base)) {
        if ((type.nom & bitHaut) || !(type.donnees & bitHaut))
            continue;
        const std::uint64_t repertoire = *base + (type.donnees & ~bitHaut);
        if (type.nom == rtGroupeIcones && !vuGroupes) {
            vuGroupes = true;
            for (const Entree& g : entrees(repertoire)) {
                Groupe groupe;
                groupe.nom = g.nom;
                if (auto d = donnees(g)) {
                    groupe.trouve = true;
                    groupe.debut = d->first;
                    groupe.longueur = d->second;
                }
                groupes_.push_back(groupe);
            }
        } else if (type.nom == rtIcone && !vuIcones) {
            vuIcones = true;
            for (const Entree& icone : entrees(repertoire)) {
                if (icone.nom & bitHaut)
                    continue;
                if (auto d = donnees(icone))
                    icones_.emplace(static_cast<std::uint16_t>(icone.nom), *d);
            }
        }
    }
}

void RessourcesIcones::indexerNe(std::size_t entete)
{
    Lecteur l(octets_);
    format_ = FormatIcones::Ne;
    const std::uint16_t decalageTable = l.u16(entete + 0x24);
    const std::uint16_t decalageNoms = l.u16(entete + 0x26);
    if (!l.ok || decalageTable == decalageNoms)
        return; // no resource table
    const std::uint64_t table = entete + decalageTable;
    baseNoms_ = table;
    const std::uint16_t alignement = l.u16(table);
    if (!l.ok || alignement > 24)
        return;

    // Resource lengths are rounded up to the alignment unit; the file may end first.
    auto borner = [&](std::uint64_t debut, std::uint64_t longueur) {
        if (debut < octets_.size())
            longueur = std::min<std::uint64_t>(longueur, octets_.size() - debut);
        return longueur;
    };
    std::uint64_t pos = table + 2;
    bool vuGroupes = false, vuIcones = false;
    for (;;) {
        const std::uint16_t type = l.u16(pos);
        if (!l.ok || type == 0)
            break;
        const std::uint16_t nombre = l.u16(pos + 2);
        pos += 8;
        const bool sontGroupes = type == (0x8000 | rtGroupeIcones) && !vuGroupes;
        const bool sontIcones = type == (0x8000 | rtIcone) && !vuIcones;
        vuGroupes = vuGroupes || sontGroupes;
        vuIcones = vuIcones || sontIcones;
        for (std::uint64_t i = 0; i < nombre; ++i, pos += 12) {
            const std::uint64_t debut = std::uint64_t(l.u16(pos)) << alignement;
            const std::uint64_t longueur = borner(debut, std::uint64_t(l.u16(pos + 2)) << alignement);
            const std::uint16_t id = l.u16(pos + 6);
            if (!l.ok)
                break;
            if (sontGroupes) {
                Groupe groupe;
                groupe.nom = id & 0x8000 ? id & 0x7FFFu : id;
                groupe.nomNe = !(id & 0x8000);
                groupe.debut = debut;
                groupe.longueur = longueur;
                groupe.trouve = longueur > 0 && l.contient(debut, longueur);
                groupes_.push_back(groupe);
            } else if (sontIcones && (id & 0x8000) && longueur > 0 && l.contient(debut, longueur)) {
                icones_.emplace(static_cast<std::uint16_t>(id & 0x7FFF), std::make_pair(debut, longueur));
            }
        }
        if (!l.ok)
            break;
    }
}

// A group icon directory (GRPICONDIR: 14-byte entries that name RT_ICON ids):
// the image chosen among those whose data is in the file.
std::optional<ImageIcone> RessourcesIcones::lireGroupe(const Groupe& groupe) const
{
    if (!groupe.trouve || groupe.longueur < 6)
        return std::nullopt;
    Lecteur l(octets_);
    if (l.u16(groupe.debut) != 0 || l.u16(groupe.debut + 2) != 1)
        return std::nullopt;
    const std::uint16_t nombre = l.u16(groupe.debut + 4);
    std::vector<ImageIcone> images;
    for (std::uint64_t i = 0; i < nombre; ++i) {
        const std::uint64_t e = groupe.debut + 6 + 14 * i;
        if (e + 14 > groupe.debut + groupe.longueur)
            break;
        ImageIcone image = lireEntree(l, e);
        const std::uint16_t id = l.u16(e + 12);
        if (!l.ok)
            break;
        const auto donnees = icones_.find(id);
        if (donnees == icones_.end())
            continue;
        image.debut = static_cast<std::size_t>(donnees->second.first);
        image.longueur = static_cast<std::size_t>(donnees->second.second);
        completerBits(l, image);
        images.push_back(image);
    }
    const int choix = choisirImage(images);
    if (choix < 0)
        return std::nullopt;
    return images[static_cast<std::size_t>(choix)];
}

std::string RessourcesIcones::nomGroupe(std::size_t index) const
{
    if (index >= groupes_.size())
        return {};
    const Groupe& g = groupes_[index];
    Lecteur l(octets_);
    std::string nom;
    if (format_ == FormatIcones::Ne) {
        if (!g.nomNe)
            return "#" + std::to_string(g.nom);
        // A length byte and the characters, at this offset in the resource table.
        const std::uint8_t longueur = l.u8(baseNoms_ + g.nom);
        for (std::uint64_t i = 0; i < longueur && l.ok; ++i) {
            const std::uint8_t c = l.u8(baseNoms_ + g.nom + 1 + i);
            if (l.ok)
                velmaro::ajouterUtf8(nom, c < 0x80 ? c : 0xFFFD);
        }
        return nom;
    }
    if (format_ == FormatIcones::Ico)
        return nom;
    if (!(g.nom & 0x80000000u))
        return "#" + std::to_string(g.nom & 0xFFFF);
    // A count of UTF-16 units and the units, at this offset in the resource directory.
    const std::uint64_t chaine = baseNoms_ + (g.nom & 0x7FFFFFFFu);
    const std::uint16_t longueur = l.u16(chaine);
    for (std::uint64_t i = 0; i < longueur && l.ok; ++i) {
        const std::uint16_t c = l.u16(chaine + 2 + 2 * i);
        if (l.ok)
            velmaro::ajouterUtf8(nom, c >= 0xD800 && c < 0xE000 ? 0xFFFD : c);
    }
    return nom;
}

std::optional<ImageIcone> RessourcesIcones::imageChoisie(std::size_t index) const
{
    if (index >= groupes_.size())
        return std::nullopt;
    const Groupe& g = groupes_[index];
    if (!g.lu) {
        g.image = lireGroupe(g);
        g.lu = true;
    }
    return g.image;
}

std::vector<std::uint8_t> RessourcesIcones::icone(std::size_t index) const
{
    const std::optional<ImageIcone> image = imageChoisie(index);
    if (!image)
        return {};
    std::vector<std::uint8_t> ico;
    ico.reserve(22 + image->longueur);
    auto mot = [&](std::uint32_t v) {
        ico.push_back(static_cast<std::uint8_t>(v));
        ico.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto doubleMot = [&](std::uint32_t v) {
        mot(v & 0xFFFF);
        mot(v >> 16);
    };
    mot(0); // reserved
    mot(1); // icon
    mot(1); // one image
    ico.push_back(static_cast<std::uint8_t>(image->largeur >= 256 ? 0 : image->largeur));
    ico.push_back(static_cast<std::uint8_t>(image->hauteur >= 256 ? 0 : image->hauteur));
    ico.push_back(static_cast<std::uint8_t>(image->couleurs));
    ico.push_back(0);
    mot(static_cast<std::uint32_t>(image->plans));
    mot(static_cast<std::uint32_t>(image->bits));
    doubleMot(static_cast<std::uint32_t>(image->longueur));
    doubleMot(22); // the data follows the one entry
    ico.insert(ico.end(), octets_.begin() + static_cast<std::ptrdiff_t>(image->debut),
               octets_.begin() + static_cast<std::ptrdiff_t>(image->debut + image->longueur));
    return ico;
}

} // namespace ostrelle
