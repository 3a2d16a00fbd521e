#pragma once
// Icons stored in Windows files: 32- and 64-bit programs and libraries (PE),
// 16-bit programs, libraries and icon libraries (NE), and .ico files.
//
// A file is read and indexed once; icon n is then the n-th icon group in the
// order the shell's icon extraction counts them, and comes out as a one-image
// .ico holding the group's image closest to the large icon size (32 × 32).
// Every offset and length comes from the file and is checked: a damaged or
// hostile file gives fewer icons or none, never a read outside the bytes.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrelle {

enum class FormatIcones { Inconnu, Pe32, Pe32Plus, Ne, Ico };

// One image of an icon group, as its directory entry and its data describe it.
struct ImageIcone {
    int largeur = 0;    // pixels (0 in the directory means 256)
    int hauteur = 0;
    int couleurs = 0;   // colour count byte of the directory entry
    int plans = 0;
    int bits = 0;       // bits per pixel, from the entry or else the image data
    std::size_t debut = 0;  // where the image data lies in the file
    std::size_t longueur = 0;
};

// The large icon size that the system asks for, and the display depth.
constexpr int tailleGrandeIcone = 32;
constexpr int profondeurEcran = 32;

// Index of the image the system would pick as a large icon: the smallest
// difference |32 − width| + |32 − height|, then among those the colour depth
// closest to the screen's; the first one wins a tie. -1 when the list is empty.
int choisirImage(const std::vector<ImageIcone>& images);

class RessourcesIcones {
public:
    // Never throws on bad data: what can't be read is left out.
    explicit RessourcesIcones(std::vector<std::uint8_t> octets);

    FormatIcones format() const { return format_; }
    // How many icons the shell would count (groups for PE and NE, 1 for .ico).
    std::size_t nombre() const { return groupes_.size(); }
    // The resource name of group n ("#5" for a number), for display and tests.
    std::string nomGroupe(std::size_t index) const;
    // The chosen image of group n, if the group and its image could be read.
    std::optional<ImageIcone> imageChoisie(std::size_t index) const;
    // The bytes of a one-image .ico of icon n; empty when there is no such icon.
    std::vector<std::uint8_t> icone(std::size_t index) const;

private:
    // Where a group's directory lies; its images are read the first time the
    // group is asked for, so that a file lying about its counts costs nothing
    // until then.
    struct Groupe {
        std::uint32_t nom = 0;       // resource id, or where the name lies (PE: high bit set)
        bool nomNe = false;          // NE name: offset in the resource table
        std::uint64_t debut = 0;
        std::uint64_t longueur = 0;
        bool trouve = false;         // the group's data lies in the file
        mutable bool lu = false;
        mutable std::optional<ImageIcone> image;
    };

    void indexerIco();
    void indexerPe(std::size_t entete);
    void indexerNe(std::size_t entete);
    std::optional<ImageIcone> lireGroupe(const Groupe& groupe) const;

    std::vector<std::uint8_t> octets_;
    FormatIcones format_ = FormatIcones::Inconnu;
    std::vector<Groupe> groupes_;
    // RT_ICON id → where its data lies in the file.
    std::map<std::uint16_t, std::pair<std::uint64_t, std::uint64_t>> icones_;
    std::uint64_t baseNoms_ = 0; // PE resource directory, or NE resource table
};

} // namespace ostrelle
