#pragma once
// Windows metafile player. A metafile is read once (Metafichier::lire), then
// played as often as needed onto a Canevas, which draws in its own pixels:
// the player does the window/viewport mapping, keeps the device context
// (objects, colours, clipping, saved states) and hands the canvas shapes in
// target coordinates with everything it needs to draw them.
//
// Files come from anywhere: every size, count and offset is checked against
// its record and the file; a bad record is skipped, a broken record chain
// ends the picture where it breaks.
#include "common/core/ansi.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrelle {

struct Couleur {
    std::uint8_t rouge = 0, vert = 0, bleu = 0;
    bool operator==(const Couleur&) const = default;
};

struct PointD {
    double x = 0, y = 0;
    bool operator==(const PointD&) const = default;
};

// Corners as mapped: gauche may exceed droite (a mirrored picture).
struct RectD {
    double gauche = 0, haut = 0, droite = 0, bas = 0;
    bool operator==(const RectD&) const = default;
};

enum class StylePlume { Plein, Tirets, Points, TiretPoint, TiretPointPoint, Nul, Interieur };
enum class BoutPlume { Rond, Carre, Plat };
enum class JointurePlume { Ronde, Biseau, Angle };

struct Plume {
    StylePlume style = StylePlume::Plein;
    double largeur = 0; // target pixels; 0: the thinnest line the device draws
    Couleur couleur{};
    BoutPlume bout = BoutPlume::Rond;
    JointurePlume jointure = JointurePlume::Ronde;
};

enum class Hachure { Horizontale, Verticale, Descendante, Montante, Croix, CroixDiagonale };
enum class StyleBrosse { Pleine, Nulle, Hachuree, Motif };

// A device-independent bitmap exactly as stored in the file: the info header,
// its colour table or masks, then the pixels from decalagePixels on.
struct Dib {
    std::vector<std::uint8_t> octets;
    std::uint32_t decalagePixels = 0;
    int largeur = 0;
    int hauteur = 0; // as stored: negative for a top-down bitmap
};

struct Brosse {
    StyleBrosse style = StyleBrosse::Pleine;
    Couleur couleur{255, 255, 255};
    Hachure hachure = Hachure::Horizontale;
    std::shared_ptr<const Dib> motif; // StyleBrosse::Motif
};

struct Police {
    double hauteur = 0;            // target pixels, 0: default size
    bool hauteurCellule = false;   // true: hauteur includes the internal leading
    double largeur = 0;            // average character width, 0: natural
    int echappement = 0;           // tenths of a degree, counter-clockwise
    int graisse = 400;             // 0 default, 400 normal, 700 bold
    bool italique = false, souligne = false, barre = false;
    std::uint8_t jeu = 0;          // character set
    std::string nom;               // UTF-8
};

// Text reference point: which point of the text box is at the given position.
enum class AlignH { Gauche, Centre, Droite };
enum class AlignV { Haut, LigneDeBase, Bas };

struct Texte {
    PointD position;
    std::string utf8;
    std::vector<double> avances; // per character, target pixels; empty: natural
    AlignH alignH = AlignH::Gauche;
    AlignV alignV = AlignV::Haut;
    Couleur couleur{};
    std::optional<RectD> rectOpaque;  // filled with the background colour first
    std::optional<RectD> rectDecoupe; // the text is clipped to it
};

enum class Remplissage { Alterne, Enroulement };

// What a shape is drawn with.
struct Trace {
    Plume plume;
    Brosse brosse;
    bool fondOpaque = true; // background of hatches, dashes and text
    Couleur fond{255, 255, 255};
    Remplissage remplissage = Remplissage::Alterne;
};

// The clipping region: the target, within the region's rectangles if there
// is one, within the intersection rectangle if there is one, minus the
// excluded rectangles. Rectangles here are normalised.
struct Decoupe {
    std::optional<std::vector<RectD>> region;
    std::optional<RectD> intersection;
    std::vector<RectD> exclusions;
    bool operator==(const Decoupe&) const = default;
};

enum class GenreArc { Arc, Tarte, Corde };

class Canevas {
public:
    virtual ~Canevas() = default;
    virtual void decoupe(const Decoupe& d) = 0;
    virtual void ligne(const std::vector<PointD>& points, const Trace& t) = 0;
    virtual void polygones(const std::vector<std::vector<PointD>>& polygones, const Trace& t) = 0;
    // rx, ry: radii of the rounded corners (0 for a plain rectangle).
    virtual void rectangle(const RectD& r, double rx, double ry, const Trace& t) = 0;
    virtual void ellipse(const RectD& r, const Trace& t) = 0;
    // Angles in degrees on the ellipse's own parameter, counter-clockwise as
    // seen on the target (y down), like QPainterPath::arcTo.
    virtual void arc(const RectD& r, double debut, double balayage, GenreArc genre, const Trace& t) = 0;
    // Returns the advance width of the text in target pixels.
    virtual double texte(const Texte& texte, const Police& police, const Trace& t) = 0;
    virtual void pixel(const PointD& p, Couleur c) = 0;
    // Draws the part (sx, sy, sl, sh; pixels from the top-left corner) of the
    // bitmap into destination; rop is the ternary raster operation.
    virtual void image(const RectD& destination, const Dib& dib, double sx, double sy, double sl,
                       double sh, std::uint32_t rop) = 0;
};

using velmaro::ansiVersUtf8;

// Checks a DIB at the start of octets (at most taille bytes) and copies it.
std::optional<Dib> lireDib(const std::uint8_t* octets, std::size_t taille);

class Metafichier {
public:
    // Reads a whole file. Fails, with a French message, when it does not
    // start as a metafile or has no record that can be read.
    static std::optional<Metafichier> lire(std::vector<std::uint8_t> octets, std::string* erreur = nullptr);

    bool placable() const { return m_placable; }
    bool sommeControleJuste() const { return m_sommeJuste; }
    int unitesParPouce() const { return m_pouce; }
    // Natural size in pixels at 96 dpi (at least 1 × 1).
    int largeurNaturelle() const { return m_largeur; }
    int hauteurNaturelle() const { return m_hauteur; }
    // Why the picture stops early, if the record chain is broken.
    const std::string& avertissement() const { return m_avertissement; }
    std::size_t nombreEnregistrements() const { return m_enregistrements.size(); }

    // Plays the records, the picture filling (0, 0)–(largeur, hauteur).
    void jouer(Canevas& canevas, double largeur, double hauteur) const;

    struct Enregistrement {
        std::uint16_t fonction;
        std::size_t debut;  // offset of the parameters in the file
        std::size_t taille; // bytes of parameters
    };

private:
    struct Cadre {
        double orgX = 0, orgY = 0, extX = 1, extY = 1;
    };
    Metafichier() = default;

    std::vector<std::uint8_t> m_octets;
    std::vector<Enregistrement> m_enregistrements;
    bool m_placable = false;
    bool m_sommeJuste = true;
    int m_pouce = 0;
    int m_nombreObjets = 0;
    Cadre m_fenetreInitiale; // window and viewport the playback starts with
    Cadre m_cadre;           // device-space rectangle that fills the target
    int m_largeur = 1, m_hauteur = 1;
    std::string m_avertissement;

    friend class Lecteur;
};

} // namespace ostrelle
