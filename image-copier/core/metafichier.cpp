#include "image-copier/core/metafichier.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace ostrelle {

namespace {

// Record function numbers.
enum : std::uint16_t {
    R_SAVEDC = 0x001E,
    R_CREATEPALETTE = 0x00F7,
    R_SETBKMODE = 0x0102,
    R_SETMAPMODE = 0x0103,
    R_SETPOLYFILLMODE = 0x0106,
    R_RESTOREDC = 0x0127,
    R_PAINTREGION = 0x012B,
    R_SELECTCLIPREGION = 0x012C,
    R_SELECTOBJECT = 0x012D,
    R_SETTEXTALIGN = 0x012E,
    R_DIBCREATEPATTERNBRUSH = 0x0142,
    R_DELETEOBJECT = 0x01F0,
    R_CREATEPATTERNBRUSH = 0x01F9,
    R_SETBKCOLOR = 0x0201,
    R_SETTEXTCOLOR = 0x0209,
    R_SETWINDOWORG = 0x020B,
    R_SETWINDOWEXT = 0x020C,
    R_SETVIEWPORTORG = 0x020D,
    R_SETVIEWPORTEXT = 0x020E,
    R_OFFSETWINDOWORG = 0x020F,
    R_OFFSETVIEWPORTORG = 0x0211,
    R_LINETO = 0x0213,
    R_MOVETO = 0x0214,
    R_OFFSETCLIPRGN = 0x0220,
    R_FILLREGION = 0x0228,
    R_CREATEPENINDIRECT = 0x02FA,
    R_CREATEFONTINDIRECT = 0x02FB,
    R_CREATEBRUSHINDIRECT = 0x02FC,
    R_POLYGON = 0x0324,
    R_POLYLINE = 0x0325,
    R_SCALEWINDOWEXT = 0x0410,
    R_SCALEVIEWPORTEXT = 0x0412,
    R_EXCLUDECLIPRECT = 0x0415,
    R_INTERSECTCLIPRECT = 0x0416,
    R_ELLIPSE = 0x0418,
    R_RECTANGLE = 0x041B,
    R_SETPIXEL = 0x041F,
    R_TEXTOUT = 0x0521,
    R_POLYPOLYGON = 0x0538,
    R_ROUNDRECT = 0x061C,
    R_PATBLT = 0x061D,
    R_CREATEREGION = 0x06FF,
    R_ARC = 0x0817,
    R_PIE = 0x081A,
    R_CHORD = 0x0830,
    R_DIBBITBLT = 0x0940,
    R_EXTTEXTOUT = 0x0A32,
    R_DIBSTRETCHBLT = 0x0B41,
    R_SETDIBTODEV = 0x0D33,
    R_STRETCHDIB = 0x0F43,
};

constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;
constexpr std::uint32_t DSTINVERT = 0x00550009;

constexpr std::uint32_t CLE_PLACABLE = 0x9AC6CDD7;
constexpr std::size_t TAILLE_PLACABLE = 22;
constexpr std::size_t TAILLE_ENTETE = 18;

// Far beyond any target: keeps hostile coordinates from reaching the painter
// as numbers it would spend minutes on.
constexpr double LIMITE_COORD = 1.0e6;
constexpr std::size_t PROFONDEUR_MAX = 1024;   // saved states
constexpr std::size_t EXCLUSIONS_MAX = 256;    // excluded clipping rectangles
constexpr std::size_t OBJETS_MAX = 65535;      // handle table
constexpr std::size_t RECTS_REGION_MAX = 1024;  // beyond, a region clips to its bounds

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int16_t s16(const std::uint8_t* p) { return static_cast<std::int16_t>(u16(p)); }
std::uint32_t u32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

// The parameters of one record; every read is checked against its size.
class Params {
public:
    Params(const std::uint8_t* p, std::size_t n) : m_p(p), m_n(n) {}
    std::size_t taille() const { return m_n; }
    bool a(std::size_t octets) const { return m_n >= octets; }
    // Word i (16 bits) from the start; the caller checked a().
    std::int16_t s(std::size_t i) const { return s16(m_p + 2 * i); }
    std::uint16_t u(std::size_t i) const { return u16(m_p + 2 * i); }
    std::uint32_t u32At(std::size_t octet) const { return u32(m_p + octet); }
    const std::uint8_t* octets(std::size_t depuis) const { return m_p + depuis; }

private:
    const std::uint8_t* m_p;
    std::size_t m_n;
};

Couleur couleurRef(std::uint32_t v)
{
    // The high byte says how to pick the colour on a palette device; the
    // colour itself is in the low three bytes.
    return Couleur{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                   static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

double borne(double v) { return std::clamp(v, -LIMITE_COORD, LIMITE_COORD); }

RectD normaliser(const RectD& r)
{
    return RectD{std::min(r.gauche, r.droite), std::min(r.haut, r.bas), std::max(r.gauche, r.droite),
                 std::max(r.haut, r.bas)};
}

// What a handle of the table holds. Sizes stay logical: they are mapped
// when the object is used, with the mapping of that moment.
struct PlumeLogique {
    StylePlume style = StylePlume::Plein;
    int largeur = 0;
    Couleur couleur{};
    BoutPlume bout = BoutPlume::Rond;
    JointurePlume jointure = JointurePlume::Ronde;
};

struct PoliceLogique {
    int hauteur = 0;
    int largeur = 0;
    int echappement = 0;
    int graisse = 400;
    bool italique = false, souligne = false, barre = false;
    std::uint8_t jeu = 0;
    std::string nom = "System";
    bool parDefaut = true;
};

struct RectI {
    int gauche, haut, droite, bas;
};

struct Objet {
    enum Genre { Plume, Brosse, Police, Region, Autre } genre = Autre;
    PlumeLogique plume;
    ostrelle::Brosse brosse;
    PoliceLogique police;
    std::vector<RectI> region;
};

enum ModeMappage {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8,
};

struct EtatDc {
    int mode = MM_ANISOTROPIC;
    double fenOrgX = 0, fenOrgY = 0, fenExtX = 1, fenExtY = 1;
    double vpOrgX = 0, vpOrgY = 0, vpExtX = 1, vpExtY = 1;
    PlumeLogique plume;
    Brosse brosse;
    PoliceLogique police;
    Couleur couleurTexte{0, 0, 0};
    Couleur couleurFond{255, 255, 255};
    bool fondOpaque = true;
    int alignTexte = 0;
    Remplissage remplissage = Remplissage::Alterne;
    double posX = 0, posY = 0;
    // In target pixels: a clip stays where it was put when the mapping
    // changes afterwards, as on a device.
    Decoupe decoupe;
};

// Parses a region object into its rectangles (logical units).
std::vector<RectI> lireRegion(const Params& p)
{
    std::vector<RectI> rects;
    // nextInChain, ObjectType, ObjectCount(4), RegionSize, ScanCount, MaxScan, Bounds(8)
    if (!p.a(22)) return rects;
    std::size_t nbScans = p.u(5);
    std::size_t pos = 22;
    for (std::size_t i = 0; i < nbScans; ++i) {
        if (p.taille() < pos + 6) break;
        std::size_t compte = p.u(pos / 2);
        int haut = p.s(pos / 2 + 1), bas = p.s(pos / 2 + 2);
        std::size_t paires = compte / 2;
        if (p.taille() < pos + 6 + paires * 4 + 2) break;
        for (std::size_t k = 0; k < paires; ++k) {
            std::size_t w = pos / 2 + 3 + 2 * k;
            rects.push_back(RectI{p.s(w), haut, p.s(w + 1), bas});
        }
        pos += 6 + paires * 4 + 2;
    }
    if (rects.size() > RECTS_REGION_MAX) {
        RectI b = rects.front();
        for (const RectI& r : rects) {
            b.gauche = std::min({b.gauche, r.gauche, r.droite});
            b.droite = std::max({b.droite, r.gauche, r.droite});
            b.haut = std::min({b.haut, r.haut, r.bas});
            b.bas = std::max({b.bas, r.haut, r.bas});
        }
        rects.assign(1, b);
    }
    return rects;
}

} // namespace

std::optional<Dib> lireDib(const std::uint8_t* octets, std::size_t taille)
{
    if (taille < 12) return std::nullopt;
    const std::uint32_t tailleEntete = u32(octets);
    std::int64_t largeur = 0, hauteur = 0;
    unsigned bits = 0;
    std::uint32_t compression = 0, tailleImage = 0, couleursUtilisees = 0;
    std::size_t tailleEntree = 4; // bytes per colour table entry
    if (tailleEntete == 12) {
        largeur = u16(octets + 4);
        hauteur = u16(octets + 6);
        bits = u16(octets + 10);
        tailleEntree = 3;
    } else if (tailleEntete >= 40 && tailleEntete <= 124 && tailleEntete <= taille) {
        largeur = s32(octets + 4);
        hauteur = s32(octets + 8);
        bits = u16(octets + 14);
        compression = u32(octets + 16);
        tailleImage = u32(octets + 20);
        couleursUtilisees = u32(octets + 32);
    } else {
        return std::nullopt;
    }
    if (tailleEntete > taille) return std::nullopt;
    if (largeur <= 0 || hauteur == 0 || largeur > 32767 || std::abs(hauteur) > 32767) return std::nullopt;

    std::size_t masques = 0;
    switch (compression) {
    case 0: // BI_RGB
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
        break;
    case 1: // BI_RLE8
        if (bits != 8 || hauteur < 0) return std::nullopt;
        break;
    case 2: // BI_RLE4
        if (bits != 4 || hauteur < 0) return std::nullopt;
        break;
    case 3: // BI_BITFIELDS
    case 6: // BI_ALPHABITFIELDS
        if (bits != 16 && bits != 32) return std::nullopt;
        if (tailleEntete == 40) masques = compression == 3 ? 12 : 16;
        break;
    case 4: // BI_JPEG
    case 5: // BI_PNG
        break;
    default:
        return std::nullopt;
    }
    if (tailleEntete == 12 && bits != 1 && bits != 4 && bits != 8 && bits != 24) return std::nullopt;

    std::uint64_t entrees = couleursUtilisees;
    if (bits <= 8 && bits > 0) {
        if (entrees == 0 || tailleEntete == 12) entrees = 1u << bits;
        if (entrees > (1u << bits)) return std::nullopt;
    }
    if (entrees > 65536) return std::nullopt;

    const std::uint64_t decalage = tailleEntete + masques + entrees * tailleEntree;
    std::uint64_t pixels = 0;
    if (compression == 0 || compression == 3 || compression == 6) {
        const std::uint64_t ligne = ((static_cast<std::uint64_t>(largeur) * bits + 31) / 32) * 4;
        pixels = ligne * static_cast<std::uint64_t>(std::abs(hauteur));
    } else {
        pixels = tailleImage;
        if (pixels == 0) return std::nullopt;
    }
    if (decalage + pixels > taille) return std::nullopt;

    Dib dib;
    dib.octets.assign(octets, octets + decalage + pixels);
    dib.decalagePixels = static_cast<std::uint32_t>(decalage);
    dib.largeur = static_cast<int>(largeur);
    dib.hauteur = static_cast<int>(hauteur);
    return dib;
}

// Plays the records of a metafile onto a canvas.
class Lecteur {
public:
    Lecteur(const Metafichier& mf, Canevas& canevas, double largeur, double hauteur)
        : m_mf(mf), m_c(canevas), m_l(largeur), m_h(hauteur)
    {
        const auto& f = mf.m_fenetreInitiale;
        m_dc.fenOrgX = m_dc.vpOrgX = f.orgX;
        m_dc.fenOrgY = m_dc.vpOrgY = f.orgY;
        m_dc.fenExtX = m_dc.vpExtX = f.extX;
        m_dc.fenExtY = m_dc.vpExtY = f.extY;
        m_objets.resize(static_cast<std::size_t>(mf.m_nombreObjets));
    }

    void jouer()
    {
        m_c.decoupe(m_dc.decoupe);
        for (const auto& e : m_mf.m_enregistrements)
            jouer(e.fonction, Params(m_mf.m_octets.data() + e.debut, e.taille));
    }

private:
    struct Affine {
        double ax, bx, ay, by;
    };

    Affine affine() const
    {
        double sx = 1, sy = 1;
        switch (m_dc.mode) {
        case MM_ISOTROPIC:
        case MM_ANISOTROPIC:
            sx = m_dc.vpExtX / m_dc.fenExtX;
            sy = m_dc.vpExtY / m_dc.fenExtY;
            if (m_dc.mode == MM_ISOTROPIC) {
                const double m = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(m, sx);
                sy = std::copysign(m, sy);
            }
            break;
        case MM_LOMETRIC:
        case MM_HIMETRIC:
        case MM_LOENGLISH:
        case MM_HIENGLISH:
        case MM_TWIPS: {
            static const double parPouce[] = {254, 2540, 100, 1000, 1440};
            const double ppp = m_mf.m_placable ? m_mf.m_pouce : 96.0;
            sx = ppp / parPouce[m_dc.mode - MM_LOMETRIC];
            sy = -sx;
            break;
        }
        default: // MM_TEXT
            break;
        }
        const auto& c = m_mf.m_cadre;
        const double kx = m_l / c.extX, ky = m_h / c.extY;
        return Affine{sx * kx, (m_dc.vpOrgX - m_dc.fenOrgX * sx - c.orgX) * kx, sy * ky,
                      (m_dc.vpOrgY - m_dc.fenOrgY * sy - c.orgY) * ky};
    }

    PointD point(double x, double y) const
    {
        const Affine a = affine();
        return PointD{borne(a.ax * x + a.bx), borne(a.ay * y + a.by)};
    }

    RectD rect(double g, double h, double d, double b) const
    {
        const PointD p1 = point(g, h), p2 = point(d, b);
        return RectD{p1.x, p1.y, p2.x, p2.y};
    }

    double tailleMax() const { return 2 * (m_l + m_h) + 100; }

    Trace trace() const
    {
        Trace t;
        const Affine a = affine();
        t.plume.style = m_dc.plume.style;
        t.plume.couleur = m_dc.plume.couleur;
        t.plume.bout = m_dc.plume.bout;
        t.plume.jointure = m_dc.plume.jointure;
        t.plume.largeur = std::min(std::abs(m_dc.plume.largeur * a.ax), tailleMax());
        t.brosse = m_dc.brosse;
        t.fondOpaque = m_dc.fondOpaque;
        t.fond = m_dc.couleurFond;
        t.remplissage = m_dc.remplissage;
        return t;
    }

    Police police() const
    {
        const Affine a = affine();
        const PoliceLogique& l = m_dc.police;
        Police p;
        if (l.parDefaut || l.hauteur == 0) {
            // The device's default font: 16 pixels at natural size.
            p.hauteur = 16.0 * m_l / m_mf.m_largeur;
            p.hauteurCellule = true;
        } else {
            p.hauteur = std::abs(l.hauteur * a.ay);
            p.hauteurCellule = l.hauteur > 0;
        }
        p.hauteur = std::min(p.hauteur, tailleMax());
        p.largeur = std::min(std::abs(l.largeur * a.ax), tailleMax());
        p.echappement = l.echappement;
        p.graisse = l.graisse == 0 ? 400 : l.graisse;
        p.italique = l.italique;
        p.souligne = l.souligne;
        p.barre = l.barre;
        p.jeu = l.jeu;
        p.nom = l.nom;
        return p;
    }

    // First free handle, as Windows hands them out; the table grows when a
    // file declares fewer objects than it creates.
    void creer(Objet o)
    {
        for (auto& e : m_objets)
            if (!e) {
                e = std::move(o);
                return;
            }
        if (m_objets.size() < OBJETS_MAX) m_objets.emplace_back(std::move(o));
    }

    void nouvelleDecoupe() { m_c.decoupe(m_dc.decoupe); }

    void jouer(std::uint16_t fonction, const Params& p);
    void texte(double x, double y, const std::uint8_t* chaine, std::size_t n, const std::vector<double>& avances,
               std::optional<RectD> opaque, std::optional<RectD> decoupe);
    void arc(const Params& p, GenreArc genre);
    void bitmap(const RectD& dest, const std::uint8_t* dib, std::size_t taille, double sx, double sy, double sl,
                double sh, bool origineEnBas, std::uint32_t rop);
    void remplirRop(const RectD& r, std::uint32_t rop);

    const Metafichier& m_mf;
    Canevas& m_c;
    double m_l, m_h;
    EtatDc m_dc;
    std::vector<EtatDc> m_pile;
    std::vector<std::optional<Objet>> m_objets;
};

void Lecteur::jouer(std::uint16_t fonction, const Params& p)
{
    switch (fonction) {
    case R_SETWINDOWORG:
        if (p.a(4)) {
            m_dc.fenOrgY = p.s(0);
            m_dc.fenOrgX = p.s(1);
        }
        break;
    case R_SETWINDOWEXT:
        if (p.a(4) && p.s(0) != 0 && p.s(1) != 0) {
            m_dc.fenExtY = p.s(0);
            m_dc.fenExtX = p.s(1);
        }
        break;
    case R_SETVIEWPORTORG:
        if (p.a(4)) {
            m_dc.vpOrgY = p.s(0);
            m_dc.vpOrgX = p.s(1);
        }
        break;
    case R_SETVIEWPORTEXT:
        if (p.a(4) && p.s(0) != 0 && p.s(1) != 0) {
            m_dc.vpExtY = p.s(0);
            m_dc.vpExtX = p.s(1);
        }
        break;
    case R_OFFSETWINDOWORG:
        if (p.a(4)) {
            m_dc.fenOrgY += p.s(0);
            m_dc.fenOrgX += p.s(1);
        }
        break;
    case R_OFFSETVIEWPORTORG:
        if (p.a(4)) {
            m_dc.vpOrgY += p.s(0);
            m_dc.vpOrgX += p.s(1);
        }
        break;
    case R_SCALEWINDOWEXT:
    case R_SCALEVIEWPORTEXT:
        if (p.a(8) && p.s(0) != 0 && p.s(2) != 0) {
            double& ex = fonction == R_SCALEWINDOWEXT ? m_dc.fenExtX : m_dc.vpExtX;
            double& ey = fonction == R_SCALEWINDOWEXT ? m_dc.fenExtY : m_dc.vpExtY;
            const double nx = ex * p.s(3) / p.s(2), ny = ey * p.s(1) / p.s(0);
            if (nx != 0 && ny != 0 && std::isfinite(nx) && std::isfinite(ny)) {
                ex = nx;
                ey = ny;
            }
        }
        break;
    case R_SETMAPMODE:
        if (p.a(2) && p.u(0) >= MM_TEXT && p.u(0) <= MM_ANISOTROPIC) m_dc.mode = p.u(0);
        break;
    case R_SETBKCOLOR:
        if (p.a(4)) m_dc.couleurFond = couleurRef(p.u32At(0));
        break;
    case R_SETTEXTCOLOR:
        if (p.a(4)) m_dc.couleurTexte = couleurRef(p.u32At(0));
        break;
    case R_SETBKMODE:
        if (p.a(2) && (p.u(0) == 1 || p.u(0) == 2)) m_dc.fondOpaque = p.u(0) == 2;
        break;
    case R_SETPOLYFILLMODE:
        if (p.a(2) && (p.u(0) == 1 || p.u(0) == 2))
            m_dc.remplissage = p.u(0) == 2 ? Remplissage::Enroulement : Remplissage::Alterne;
        break;
    case R_SETTEXTALIGN:
        if (p.a(2)) m_dc.alignTexte = p.u(0);
        break;
    case R_SAVEDC:
        if (m_pile.size() < PROFONDEUR_MAX) m_pile.push_back(m_dc);
        break;
    case R_RESTOREDC: {
        if (!p.a(2)) break;
        const int n = p.s(0);
        const auto taille = static_cast<std::ptrdiff_t>(m_pile.size());
        // Negative: relative to the latest save; positive: the n-th save.
        std::ptrdiff_t cible = n < 0 ? taille + n : n - 1;
        if (n == 0 || cible < 0 || cible >= taille) break;
        m_dc = m_pile[static_cast<std::size_t>(cible)];
        m_pile.resize(static_cast<std::size_t>(cible));
        nouvelleDecoupe();
        break;
    }
    case R_CREATEPENINDIRECT: {
        if (!p.a(10)) break;
        Objet o;
        o.genre = Objet::Plume;
        const unsigned style = p.u(0);
        static const StylePlume styles[] = {StylePlume::Plein,      StylePlume::Tirets,   StylePlume::Points,
                                            StylePlume::TiretPoint, StylePlume::TiretPointPoint, StylePlume::Nul,
                                            StylePlume::Interieur};
        o.plume.style = (style & 0xF) < 7 ? styles[style & 0xF] : StylePlume::Plein;
        o.plume.bout = (style & 0xF00) == 0x100 ? BoutPlume::Carre
                       : (style & 0xF00) == 0x200 ? BoutPlume::Plat
                                                  : BoutPlume::Rond;
        o.plume.jointure = (style & 0xF000) == 0x1000 ? JointurePlume::Biseau
                           : (style & 0xF000) == 0x2000 ? JointurePlume::Angle
                                                        : JointurePlume::Ronde;
        o.plume.largeur = std::abs(static_cast<int>(p.s(1)));
        o.plume.couleur = couleurRef(p.u32At(6));
        creer(std::move(o));
        break;
    }
    case R_CREATEBRUSHINDIRECT: {
        if (!p.a(8)) break;
        Objet o;
        o.genre = Objet::Brosse;
        o.brosse.couleur = couleurRef(p.u32At(2));
        switch (p.u(0)) {
        case 1: o.brosse.style = StyleBrosse::Nulle; break;
        case 2:
            o.brosse.style = StyleBrosse::Hachuree;
            o.brosse.hachure = p.u(3) <= 5 ? static_cast<Hachure>(p.u(3)) : Hachure::Horizontale;
            break;
        default: o.brosse.style = StyleBrosse::Pleine; break;
        }
        creer(std::move(o));
        break;
    }
    case R_DIBCREATEPATTERNBRUSH: {
        Objet o;
        o.genre = Objet::Brosse;
        std::optional<Dib> dib;
        // A pattern given as a device bitmap or with palette indexes can't be
        // shown faithfully: it paints as solid black.
        if (p.a(4) && p.u(0) != 3 && p.u(1) == 0) dib = lireDib(p.octets(4), p.taille() - 4);
        if (dib) {
            o.brosse.style = StyleBrosse::Motif;
            o.brosse.motif = std::make_shared<const Dib>(std::move(*dib));
        } else {
            o.brosse.style = StyleBrosse::Pleine;
            o.brosse.couleur = Couleur{0, 0, 0};
        }
        creer(std::move(o));
        break;
    }
    case R_CREATEPATTERNBRUSH: {
        Objet o;
        o.genre = Objet::Brosse;
        o.brosse.couleur = Couleur{0, 0, 0};
        creer(std::move(o));
        break;
    }
    case R_CREATEFONTINDIRECT: {
        if (!p.a(18)) break;
        Objet o;
        o.genre = Objet::Police;
        PoliceLogique& f = o.police;
        f.parDefaut = false;
        f.hauteur = p.s(0);
        f.largeur = std::abs(static_cast<int>(p.s(1)));
        f.echappement = p.s(2);
        f.graisse = std::clamp(static_cast<int>(p.s(4)), 0, 1000);
        const std::uint8_t* b = p.octets(10);
        f.italique = b[0] != 0;
        f.souligne = b[1] != 0;
        f.barre = b[2] != 0;
        f.jeu = b[3];
        const std::uint8_t* nom = p.octets(18);
        const std::size_t max = std::min<std::size_t>(32, p.taille() - 18);
        const std::size_t n = static_cast<std::size_t>(std::find(nom, nom + max, 0) - nom);
        f.nom = ansiVersUtf8(std::string_view(reinterpret_cast<const char*>(nom), n));
        creer(std::move(o));
        break;
    }
    case R_CREATEPALETTE:
    case R_CREATEREGION: {
        Objet o;
        if (fonction == R_CREATEREGION) {
            o.genre = Objet::Region;
            o.region = lireRegion(p);
        }
        creer(std::move(o));
        break;
    }
    case R_SELECTOBJECT: {
        if (!p.a(2) || p.u(0) >= m_objets.size() || !m_objets[p.u(0)]) break;
        const Objet& o = *m_objets[p.u(0)];
        if (o.genre == Objet::Plume) m_dc.plume = o.plume;
        else if (o.genre == Objet::Brosse) m_dc.brosse = o.brosse;
        else if (o.genre == Objet::Police) m_dc.police = o.police;
        break;
    }
    case R_DELETEOBJECT:
        // The slot is freed; what is selected keeps drawing, as in Windows
        // where a selected object outlives its handle-table entry.
        if (p.a(2) && p.u(0) < m_objets.size()) m_objets[p.u(0)].reset();
        break;
    case R_INTERSECTCLIPRECT:
    case R_EXCLUDECLIPRECT: {
        if (!p.a(8)) break;
        const RectD r = normaliser(rect(p.s(3), p.s(2), p.s(1), p.s(0)));
        Decoupe& d = m_dc.decoupe;
        if (fonction == R_INTERSECTCLIPRECT) {
            if (d.intersection) {
                RectD& i = *d.intersection;
                i = RectD{std::max(i.gauche, r.gauche), std::max(i.haut, r.haut), std::min(i.droite, r.droite),
                          std::min(i.bas, r.bas)};
                if (i.droite < i.gauche) i.droite = i.gauche;
                if (i.bas < i.haut) i.bas = i.haut;
            } else {
                d.intersection = r;
            }
        } else if (d.exclusions.size() < EXCLUSIONS_MAX) {
            d.exclusions.push_back(r);
        }
        nouvelleDecoupe();
        break;
    }
    case R_SELECTCLIPREGION: {
        if (!p.a(2)) break;
        Decoupe d;
        const std::size_t i = p.u(0);
        if (i < m_objets.size() && m_objets[i] && m_objets[i]->genre == Objet::Region) {
            d.region.emplace();
            for (const RectI& r : m_objets[i]->region)
                d.region->push_back(normaliser(rect(r.gauche, r.haut, r.droite, r.bas)));
        } else if (i < m_objets.size() && m_objets[i]) {
            break; // not a region: the clip stays
        } // an empty handle selects no region: no clipping

        m_dc.decoupe = std::move(d);
        nouvelleDecoupe();
        break;
    }
    case R_OFFSETCLIPRGN: {
        if (!p.a(4)) break;
        const Affine a = affine();
        const double dx = borne(p.s(1) * a.ax), dy = borne(p.s(0) * a.ay);
        auto decaler = [&](RectD& r) {
            r = normaliser(RectD{r.gauche + dx, r.haut + dy, r.droite + dx, r.bas + dy});
        };
        Decoupe& d = m_dc.decoupe;
        if (d.region)
            for (auto& r : *d.region) decaler(r);
        if (d.intersection) decaler(*d.intersection);
        for (auto& r : d.exclusions) decaler(r);
        nouvelleDecoupe();
        break;
    }
    case R_FILLREGION:
    case R_PAINTREGION: {
        if (!p.a(2)) break;
        const std::size_t i = p.u(0);
        if (i >= m_objets.size() || !m_objets[i] || m_objets[i]->genre != Objet::Region) break;
        Trace t = trace();
        t.plume.style = StylePlume::Nul;
        if (fonction == R_FILLREGION) {
            if (!p.a(4)) break;
            const std::size_t b = p.u(1);
            if (b >= m_objets.size() || !m_objets[b] || m_objets[b]->genre != Objet::Brosse) break;
            t.brosse = m_objets[b]->brosse;
        }
        for (const RectI& r : m_objets[i]->region)
            m_c.rectangle(rect(r.gauche, r.haut, r.droite, r.bas), 0, 0, t);
        break;
    }
    case R_MOVETO:
        if (p.a(4)) {
            m_dc.posY = p.s(0);
            m_dc.posX = p.s(1);
        }
        break;
    case R_LINETO:
        if (p.a(4)) {
            const double x = p.s(1), y = p.s(0);
            m_c.ligne({point(m_dc.posX, m_dc.posY), point(x, y)}, trace());
            m_dc.posX = x;
            m_dc.posY = y;
        }
        break;
    case R_POLYLINE:
    case R_POLYGON: {
        if (!p.a(2)) break;
        const std::size_t n = p.u(0);
        if (n < 2 || p.taille() < 2 + n * 4) break;
        std::vector<PointD> pts;
        pts.reserve(n);
        for (std::size_t i = 0; i < n; ++i) pts.push_back(point(p.s(1 + 2 * i), p.s(2 + 2 * i)));
        if (fonction == R_POLYLINE) m_c.ligne(pts, trace());
        else m_c.polygones({std::move(pts)}, trace());
        break;
    }
    case R_POLYPOLYGON: {
        if (!p.a(2)) break;
        const std::size_t nb = p.u(0);
        if (p.taille() < 2 + nb * 2) break;
        std::size_t total = 0;
        for (std::size_t i = 0; i < nb; ++i) total += p.u(1 + i);
        if (p.taille() < 2 + nb * 2 + total * 4) break;
        std::vector<std::vector<PointD>> polys;
        std::size_t mot = 1 + nb;
        for (std::size_t i = 0; i < nb; ++i) {
            std::vector<PointD> pts;
            for (std::size_t k = 0; k < p.u(1 + i); ++k, mot += 2) pts.push_back(point(p.s(mot), p.s(mot + 1)));
            if (pts.size() >= 2) polys.push_back(std::move(pts));
        }
        if (!polys.empty()) m_c.polygones(polys, trace());
        break;
    }
    case R_RECTANGLE:
        if (p.a(8)) m_c.rectangle(rect(p.s(3), p.s(2), p.s(1), p.s(0)), 0, 0, trace());
        break;
    case R_ROUNDRECT:
        if (p.a(12)) {
            const Affine a = affine();
            const double rx = std::min(std::abs(p.s(1) * a.ax) / 2, LIMITE_COORD);
            const double ry = std::min(std::abs(p.s(0) * a.ay) / 2, LIMITE_COORD);
            m_c.rectangle(rect(p.s(5), p.s(4), p.s(3), p.s(2)), rx, ry, trace());
        }
        break;
    case R_ELLIPSE:
        if (p.a(8)) m_c.ellipse(rect(p.s(3), p.s(2), p.s(1), p.s(0)), trace());
        break;
    case R_ARC: arc(p, GenreArc::Arc); break;
    case R_PIE: arc(p, GenreArc::Tarte); break;
    case R_CHORD: arc(p, GenreArc::Corde); break;
    case R_SETPIXEL:
        if (p.a(8)) m_c.pixel(point(p.s(3), p.s(2)), couleurRef(p.u32At(0)));
        break;
    case R_TEXTOUT: {
        if (!p.a(2)) break;
        const std::size_t n = p.u(0);
        const std::size_t place = (n + 1) & ~std::size_t{1};
        if (p.taille() < 2 + place + 4) break;
        const std::size_t apres = (2 + place) / 2;
        texte(p.s(apres + 1), p.s(apres), p.octets(2), n, {}, std::nullopt, std::nullopt);
        break;
    }
    case R_EXTTEXTOUT: {
        if (!p.a(8)) break;
        const double y = p.s(0), x = p.s(1);
        const std::size_t n = p.u(2);
        const unsigned options = p.u(3);
        std::size_t pos = 8;
        std::optional<RectD> r;
        if (options & 0x0006) { // ETO_OPAQUE, ETO_CLIPPED
            if (!p.a(pos + 8)) break;
            r = rect(p.s(4), p.s(5), p.s(6), p.s(7));
            pos += 8;
        }
        const std::size_t place = (n + 1) & ~std::size_t{1};
        if (p.taille() < pos + n) break;
        const std::uint8_t* chaine = p.octets(pos);
        pos += place;
        std::vector<double> avances;
        if (n > 0 && p.taille() >= pos + n * 2) {
            const double ax = std::abs(affine().ax);
            for (std::size_t i = 0; i < n; ++i) avances.push_back(std::min(std::abs(p.s(pos / 2 + i) * ax), LIMITE_COORD));
        }
        std::optional<RectD> opaque, decoupe;
        if (r && (options & 0x0002)) opaque = normaliser(*r);
        if (r && (options & 0x0004)) decoupe = normaliser(*r);
        texte(x, y, chaine, n, avances, opaque, decoupe);
        break;
    }
    case R_PATBLT:
        if (p.a(12)) remplirRop(rect(p.s(5), p.s(4), p.s(5) + p.s(3), p.s(4) + p.s(2)), p.u32At(0));
        break;
    case R_DIBBITBLT:
    case R_DIBSTRETCHBLT: {
        const bool etire = fonction == R_DIBSTRETCHBLT;
        // Without a bitmap the record is a pattern fill with one more word.
        const std::size_t sansImage = etire ? 22 : 18;
        if (p.taille() == sansImage) {
            const std::size_t d = etire ? 7 : 5; // first word of the destination
            const int dh = p.s(d), dw = p.s(d + 1), dy = p.s(d + 2), dx = p.s(d + 3);
            remplirRop(rect(dx, dy, dx + dw, dy + dh), p.u32At(0));
            break;
        }
        const std::size_t entete = etire ? 20 : 16;
        if (!p.a(entete)) break;
        double sl, sh, sy, sx, dh, dw, dy, dx;
        if (etire) {
            sh = p.s(2); sl = p.s(3); sy = p.s(4); sx = p.s(5);
            dh = p.s(6); dw = p.s(7); dy = p.s(8); dx = p.s(9);
        } else {
            sy = p.s(2); sx = p.s(3); dh = sh = p.s(4); dw = sl = p.s(5); dy = p.s(6); dx = p.s(7);
        }
        bitmap(rect(dx, dy, dx + dw, dy + dh), p.octets(entete), p.taille() - entete, sx, sy, sl, sh, false,
               p.u32At(0));
        break;
    }
    case R_STRETCHDIB: {
        if (!p.a(22) || p.u(2) != 0) break; // palette-index colours are not kept
        const double sh = p.s(3), sl = p.s(4), sy = p.s(5), sx = p.s(6);
        const double dh = p.s(7), dw = p.s(8), dy = p.s(9), dx = p.s(10);
        bitmap(rect(dx, dy, dx + dw, dy + dh), p.octets(22), p.taille() - 22, sx, sy, sl, sh, true, p.u32At(0));
        break;
    }
    case R_SETDIBTODEV: {
        if (!p.a(18) || p.u(0) != 0) break;
        const double sy = p.s(3), sx = p.s(4), h = p.s(5), l = p.s(6), dy = p.s(7), dx = p.s(8);
        bitmap(rect(dx, dy, dx + l, dy + h), p.octets(18), p.taille() - 18, sx, sy, l, h, true, SRCCOPY);
        break;
    }
    default:
        break; // palettes, escapes, raster modes and the unknown: nothing to draw
    }
}

void Lecteur::texte(double x, double y, const std::uint8_t* chaine, std::size_t n, const std::vector<double>& avances,
                    std::optional<RectD> opaque, std::optional<RectD> decoupe)
{
    const bool pointCourant = m_dc.alignTexte & 1;
    if (pointCourant) {
        x = m_dc.posX;
        y = m_dc.posY;
    }
    Texte t;
    t.position = point(x, y);
    t.utf8 = ansiVersUtf8(std::string_view(reinterpret_cast<const char*>(chaine), n));
    t.avances = avances;
    const int h = m_dc.alignTexte & 6, v = m_dc.alignTexte & 24;
    t.alignH = h == 6 ? AlignH::Centre : h == 2 ? AlignH::Droite : AlignH::Gauche;
    t.alignV = v == 24 ? AlignV::LigneDeBase : v == 8 ? AlignV::Bas : AlignV::Haut;
    t.couleur = m_dc.couleurTexte;
    t.rectOpaque = opaque;
    t.rectDecoupe = decoupe;
    const double largeur = m_c.texte(t, police(), trace());
    if (pointCourant && std::isfinite(largeur)) {
        const double ax = affine().ax;
        const double dx = largeur / ax;
        if (t.alignH == AlignH::Gauche) m_dc.posX += dx;
        else if (t.alignH == AlignH::Droite) m_dc.posX -= dx;
        m_dc.posX = std::clamp(m_dc.posX, -LIMITE_COORD, LIMITE_COORD);
    }
}

void Lecteur::arc(const Params& p, GenreArc genre)
{
    if (!p.a(16)) return;
    const RectD r = normaliser(rect(p.s(7), p.s(6), p.s(5), p.s(4)));
    const double rx = (r.droite - r.gauche) / 2, ry = (r.bas - r.haut) / 2;
    if (rx <= 0 || ry <= 0) return;
    const double cx = r.gauche + rx, cy = r.haut + ry;
    const PointD debut = point(p.s(3), p.s(2)), fin = point(p.s(1), p.s(0));
    // The arc runs counter-clockwise on the device from where the ray to the
    // start point meets the ellipse to where the ray to the end point does.
    auto angle = [&](const PointD& q) {
        const double a = std::atan2(-(q.y - cy) / ry, (q.x - cx) / rx) * 180.0 / std::numbers::pi;
        return a < 0 ? a + 360 : a;
    };
    const double a0 = angle(debut);
    double balayage = angle(fin) - a0;
    while (balayage <= 0) balayage += 360;
    if (balayage > 360) balayage = 360;
    if (debut == fin) balayage = 360;
    m_c.arc(r, a0, balayage, genre, trace());
}

void Lecteur::remplirRop(const RectD& r, std::uint32_t rop)
{
    Trace t = trace();
    t.plume.style = StylePlume::Nul;
    if (rop == BLACKNESS) t.brosse = Brosse{StyleBrosse::Pleine, Couleur{0, 0, 0}, Hachure::Horizontale, {}};
    else if (rop == WHITENESS) t.brosse = Brosse{StyleBrosse::Pleine, Couleur{255, 255, 255}, Hachure::Horizontale, {}};
    else if (rop == DSTINVERT) return; // reads the device: not kept
    else if (rop != PATCOPY && ((rop >> 16) & 0xFF) == 0xAA) return; // leaves the destination
    m_c.rectangle(r, 0, 0, t);
}

void Lecteur::bitmap(const RectD& dest, const std::uint8_t* octets, std::size_t taille, double sx, double sy, double sl,
                     double sh, bool origineEnBas, std::uint32_t rop)
{
    std::optional<Dib> dib = lireDib(octets, taille);
    if (!dib || sl == 0 || sh == 0) return;
    // A source given with negative extents is the same pixels, mirrored.
    RectD d = dest;
    if (sl < 0) {
        sx += sl;
        sl = -sl;
        std::swap(d.gauche, d.droite);
    }
    if (sh < 0) {
        sy += sh;
        sh = -sh;
        std::swap(d.haut, d.bas);
    }
    // Device-independent calls count rows of a bottom-up bitmap from its
    // last row.
    if (origineEnBas && dib->hauteur > 0) sy = dib->hauteur - sy - sh;
    m_c.image(d, *dib, sx, sy, sl, sh, rop);
}

namespace {

// Collects the extent of everything drawn, for a file that gives no frame.
class CanevasEmprise : public Canevas {
public:
    bool vide = true;
    double g = 0, h = 0, d = 0, b = 0;

    void decoupe(const Decoupe&) override {}
    void ligne(const std::vector<PointD>& pts, const Trace&) override
    {
        for (const auto& p : pts) ajouter(p);
    }
    void polygones(const std::vector<std::vector<PointD>>& polys, const Trace&) override
    {
        for (const auto& pts : polys)
            for (const auto& p : pts) ajouter(p);
    }
    void rectangle(const RectD& r, double, double, const Trace&) override { ajouter(r); }
    void ellipse(const RectD& r, const Trace&) override { ajouter(r); }
    void arc(const RectD& r, double, double, GenreArc, const Trace&) override { ajouter(r); }
    double texte(const Texte& t, const Police&, const Trace&) override
    {
        ajouter(t.position);
        return 0;
    }
    void pixel(const PointD& p, Couleur) override { ajouter(p); }
    void image(const RectD& r, const Dib&, double, double, double, double, std::uint32_t) override { ajouter(r); }

private:
    void ajouter(const PointD& p)
    {
        if (vide) {
            g = d = p.x;
            h = b = p.y;
            vide = false;
        }
        g = std::min(g, p.x);
        d = std::max(d, p.x);
        h = std::min(h, p.y);
        b = std::max(b, p.y);
    }
    void ajouter(const RectD& r)
    {
        ajouter(PointD{r.gauche, r.haut});
        ajouter(PointD{r.droite, r.bas});
    }
};

int pixels(double v)
{
    return static_cast<int>(std::clamp(std::lround(std::abs(v)), 1L, 1000000L));
}

} // namespace

std::optional<Metafichier> Metafichier::lire(std::vector<std::uint8_t> octets, std::string* erreur)
{
    auto echec = [&](const char* texte) -> std::optional<Metafichier> {
        if (erreur) *erreur = texte;
        return std::nullopt;
    };
    Metafichier mf;
    const std::uint8_t* o = octets.data();
    const std::size_t n = octets.size();
    std::size_t pos = 0;
    int bg = 0, bh = 0, bd = 0, bb = 0;
    if (n >= 4 && u32(o) == CLE_PLACABLE) {
        if (n < TAILLE_PLACABLE) return echec("Le fichier est trop court pour être un métafichier.");
        mf.m_placable = true;
        bg = s16(o + 6);
        bh = s16(o + 8);
        bd = s16(o + 10);
        bb = s16(o + 12);
        mf.m_pouce = u16(o + 14);
        std::uint16_t somme = 0;
        for (std::size_t i = 0; i < 10; ++i) somme ^= u16(o + 2 * i);
        // Many writers get the checksum wrong; it is only reported.
        mf.m_sommeJuste = somme == u16(o + 20);
        pos = TAILLE_PLACABLE;
    }
    if (n - pos < TAILLE_ENTETE) return echec("Le fichier est trop court pour être un métafichier.");
    const std::uint16_t type = u16(o + pos), motsEntete = u16(o + pos + 2);
    if ((type != 1 && type != 2) || motsEntete != 9) return echec("Ce fichier n'est pas un métafichier Windows.");
    mf.m_nombreObjets = u16(o + pos + 10);
    pos += TAILLE_ENTETE;

    while (pos < n) {
        if (n - pos < 6) {
            mf.m_avertissement = "Le métafichier est tronqué : son dernier enregistrement est incomplet.";
            break;
        }
        const std::uint64_t octetsEnr = std::uint64_t{u32(o + pos)} * 2;
        const std::uint16_t fonction = u16(o + pos + 4);
        if (octetsEnr < 6) {
            mf.m_avertissement = "Le métafichier est endommagé : un enregistrement a une taille impossible.";
            break;
        }
        if (octetsEnr > n - pos) {
            mf.m_avertissement = "Le métafichier est tronqué : son dernier enregistrement est incomplet.";
            break;
        }
        if (fonction == 0) break; // end of the metafile
        mf.m_enregistrements.push_back(Enregistrement{fonction, pos + 6, static_cast<std::size_t>(octetsEnr - 6)});
        pos += static_cast<std::size_t>(octetsEnr);
    }
    if (mf.m_enregistrements.empty() && !mf.m_avertissement.empty())
        return echec("Ce métafichier est endommagé : aucun de ses enregistrements n'est lisible.");
    mf.m_octets = std::move(octets);

    // The frame: the bounding box of a placeable file, else the first window
    // the records set, else the extent of the drawing (with the origin).
    if (mf.m_placable && mf.m_pouce == 0) mf.m_pouce = 1440;
    const double ppp = mf.m_placable ? mf.m_pouce : 96.0;
    std::optional<Cadre> cadre;
    if (mf.m_placable && bd != bg && bb != bh) {
        cadre = Cadre{double(bg), double(bh), double(bd - bg), double(bb - bh)};
    } else {
        std::optional<double> ox, oy, ex, ey;
        for (const auto& e : mf.m_enregistrements) {
            if (e.taille < 4) continue;
            const std::uint8_t* q = mf.m_octets.data() + e.debut;
            if (e.fonction == R_SETWINDOWORG && !ox) {
                oy = s16(q);
                ox = s16(q + 2);
            } else if (e.fonction == R_SETWINDOWEXT && !ex && s16(q) != 0 && s16(q + 2) != 0) {
                ey = s16(q);
                ex = s16(q + 2);
            }
        }
        if (ex) cadre = Cadre{ox.value_or(0), oy.value_or(0), *ex, *ey};
    }
    const double echelle = mf.m_placable ? 96.0 / ppp : 1.0;
    if (cadre) {
        mf.m_fenetreInitiale = mf.m_cadre = *cadre;
        mf.m_largeur = pixels(cadre->extX * echelle);
        mf.m_hauteur = pixels(cadre->extY * echelle);
    } else {
        mf.m_fenetreInitiale = mf.m_cadre = Cadre{0, 0, 1, 1};
        CanevasEmprise emprise;
        Lecteur(mf, emprise, 1, 1).jouer();
        if (!emprise.vide) {
            const double g = std::min(emprise.g, 0.0), h = std::min(emprise.h, 0.0);
            const double l = std::max(emprise.d - g, 1.0), t = std::max(emprise.b - h, 1.0);
            mf.m_cadre = Cadre{g, h, l, t};
            mf.m_largeur = pixels(l * echelle);
            mf.m_hauteur = pixels(t * echelle);
        }
    }
    return mf;
}

void Metafichier::jouer(Canevas& canevas, double largeur, double hauteur) const
{
    if (!(largeur > 0) || !(hauteur > 0)) return;
    Lecteur(*this, canevas, largeur, hauteur).jouer();
}

} // namespace ostrelle
