// Metafile playback, on metafiles written here record by record and played
// onto a canvas that writes down what it is asked to draw.
#include "image-copier/core/metafichier.hpp"
#include "image-copier/ui/metafichierqt.hpp"

#include "common/testing/gtest_qt.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

namespace ostrelle {
namespace {

using Octets = std::vector<std::uint8_t>;

// --- Writing metafiles -------------------------------------------------------

void mot(Octets& o, int v)
{
    o.push_back(std::uint8_t(v & 0xFF));
    o.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void dmot(Octets& o, std::uint32_t v)
{
    mot(o, int(v & 0xFFFF));
    mot(o, int(v >> 16));
}

// Words of a COLORREF.
std::vector<int> rgb(int r, int v, int b) { return {r | (v << 8), b}; }

class Ecrivain {
public:
    // A record whose parameters are 16-bit words.
    Ecrivain& enr(std::uint16_t fonction, std::vector<int> mots)
    {
        Octets p;
        for (int m : mots) mot(p, m);
        return brut(fonction, p);
    }
    Ecrivain& enr(std::uint16_t fonction, std::vector<int> debut, const std::vector<int>& suite)
    {
        debut.insert(debut.end(), suite.begin(), suite.end());
        return enr(fonction, debut);
    }
    Ecrivain& brut(std::uint16_t fonction, const Octets& params)
    {
        return tailleDeclaree(std::uint32_t(3 + (params.size() + 1) / 2), fonction, params);
    }
    // A record that states whatever size it likes.
    Ecrivain& tailleDeclaree(std::uint32_t mots, std::uint16_t fonction, Octets params)
    {
        if (params.size() % 2) params.push_back(0);
        dmot(m_enr, mots);
        mot(m_enr, fonction);
        m_enr.insert(m_enr.end(), params.begin(), params.end());
        return *this;
    }
    Ecrivain& octets(const Octets& o)
    {
        m_enr.insert(m_enr.end(), o.begin(), o.end());
        return *this;
    }

    Octets simple(int objets = 8, bool fin = true) const
    {
        Octets o;
        mot(o, 1); // memory metafile
        mot(o, 9);
        mot(o, 0x0300);
        dmot(o, std::uint32_t(9 + m_enr.size() / 2 + 3));
        mot(o, objets);
        dmot(o, 0);
        mot(o, 0);
        o.insert(o.end(), m_enr.begin(), m_enr.end());
        if (fin) {
            dmot(o, 3);
            mot(o, 0);
        }
        return o;
    }

    Octets placable(int g, int h, int d, int b, int pouce, int objets = 8, bool sommeJuste = true) const
    {
        Octets o;
        dmot(o, 0x9AC6CDD7);
        for (int v : {0, g, h, d, b, pouce, 0, 0}) mot(o, v);
        std::uint16_t somme = 0;
        for (std::size_t i = 0; i < 20; i += 2) somme ^= std::uint16_t(o[i] | (o[i + 1] << 8));
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
        e.octets(m_enr);
        return e.simple(objets);
    }

private:
    Octets m_enr;
};

// Record numbers used below.
enum : std::uint16_t {
    SAVEDC = 0x001E, SETBKMODE = 0x0102, SETMAPMODE = 0x0103, SETPOLYFILLMODE = 0x0106,
    RESTOREDC = 0x0127, SELECTCLIPREGION = 0x012C, SELECTOBJECT = 0x012D, SETTEXTALIGN = 0x012E,
    DIBCREATEPATTERNBRUSH = 0x0142, DELETEOBJECT = 0x01F0, SETBKCOLOR = 0x0201, SETTEXTCOLOR = 0x0209,
    SETWINDOWORG = 0x020B, SETWINDOWEXT = 0x020C, SETVIEWPORTORG = 0x020D, SETVIEWPORTEXT = 0x020E,
    LINETO = 0x0213, MOVETO = 0x0214, CREATEPEN = 0x02FA, CREATEFONT = 0x02FB, CREATEBRUSH = 0x02FC,
    POLYGON = 0x0324, POLYLINE = 0x0325, EXCLUDECLIPRECT = 0x0415, INTERSECTCLIPRECT = 0x0416,
    ELLIPSE = 0x0418, RECTANGLE = 0x041B, SETPIXEL = 0x041F, TEXTOUT = 0x0521, POLYPOLYGON = 0x0538,
    ROUNDRECT = 0x061C, PATBLT = 0x061D, CREATEREGION = 0x06FF, ARC = 0x0817, PIE = 0x081A, CHORD = 0x0830,
    DIBBITBLT = 0x0940, EXTTEXTOUT = 0x0A32, DIBSTRETCHBLT = 0x0B41, SETDIBTODEV = 0x0D33, STRETCHDIB = 0x0F43,
};

Octets chaine(const std::string& s)
{
    Octets o(s.begin(), s.end());
    if (o.size() % 2) o.push_back(0);
    return o;
}

Octets textOut(int x, int y, const std::string& s)
{
    Octets p;
    mot(p, int(s.size()));
    const Octets c = chaine(s);
    p.insert(p.end(), c.begin(), c.end());
    mot(p, y);
    mot(p, x);
    return p;
}

Octets police(int hauteur, int echappement, int graisse, bool italique, bool souligne, bool barre,
              const std::string& nom)
{
    Octets p;
    for (int v : {hauteur, 0, echappement, 0, graisse}) mot(p, v);
    for (int v : {italique ? 1 : 0, souligne ? 1 : 0, barre ? 1 : 0, 0, 0, 0, 0, 0}) p.push_back(std::uint8_t(v));
    p.insert(p.end(), nom.begin(), nom.end());
    p.push_back(0);
    return p;
}

// A 2 × 2 bottom-up 24-bit DIB: bottom row blue, green; top row red, white.
Octets dib2x2()
{
    Octets d;
    dmot(d, 40);
    dmot(d, 2);
    dmot(d, 2);
    mot(d, 1);
    mot(d, 24);
    for (int i = 0; i < 6; ++i) dmot(d, 0);
    const std::uint8_t pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, // blue, green (BGR), padding
                                   0, 0, 255, 255, 255, 255, 0, 0};
    d.insert(d.end(), std::begin(pixels), std::end(pixels));
    return d;
}

Octets avecDib(std::vector<int> mots, const Octets& dib)
{
    Octets p;
    for (int m : mots) mot(p, m);
    p.insert(p.end(), dib.begin(), dib.end());
    return p;
}

// --- The recording canvas ----------------------------------------------------

std::string nb(double v)
{
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.2f", std::abs(v) < 0.005 ? 0.0 : v);
    std::string s = tampon;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}
std::string pt(const PointD& p) { return nb(p.x) + "," + nb(p.y); }
std::string rc(const RectD& r) { return nb(r.gauche) + "," + nb(r.haut) + "," + nb(r.droite) + "," + nb(r.bas); }

class Enregistreur : public Canevas {
public:
    std::vector<std::string> appels;
    std::vector<Trace> traces;
    std::vector<Police> polices;
    std::vector<Texte> textes;
    std::vector<Dib> dibs;
    std::vector<Decoupe> decoupes;

    void decoupe(const Decoupe& d) override { decoupes.push_back(d); }
    void ligne(const std::vector<PointD>& pts, const Trace& t) override
    {
        std::string s = "ligne";
        for (const auto& p : pts) s += " " + pt(p);
        noter(s, t);
    }
    void polygones(const std::vector<std::vector<PointD>>& polys, const Trace& t) override
    {
        std::string s = "polygones";
        for (const auto& pts : polys) {
            s += " [";
            for (std::size_t i = 0; i < pts.size(); ++i) s += (i ? " " : "") + pt(pts[i]);
            s += "]";
        }
        noter(s, t);
    }
    void rectangle(const RectD& r, double rx, double ry, const Trace& t) override
    {
        noter("rectangle " + rc(r) + (rx || ry ? " arrondi " + nb(rx) + "," + nb(ry) : ""), t);
    }
    void ellipse(const RectD& r, const Trace& t) override { noter("ellipse " + rc(r), t); }
    void arc(const RectD& r, double debut, double balayage, GenreArc g, const Trace& t) override
    {
        const char* nom = g == GenreArc::Arc ? "arc " : g == GenreArc::Tarte ? "tarte " : "corde ";
        noter(nom + rc(r) + " " + nb(debut) + "+" + nb(balayage), t);
    }
    double texte(const Texte& x, const Police& p, const Trace& t) override
    {
        textes.push_back(x);
        polices.push_back(p);
        noter("texte " + pt(x.position) + " \"" + x.utf8 + "\"", t);
        return 10.0 * double(x.utf8.size()); // ASCII in these tests: 10 pixels a character
    }
    void pixel(const PointD& p, Couleur c) override
    {
        char s[16];
        std::snprintf(s, sizeof s, "#%02x%02x%02x", c.rouge, c.vert, c.bleu);
        noter("pixel " + pt(p) + " " + s, Trace{});
    }
    void image(const RectD& d, const Dib& dib, double sx, double sy, double sl, double sh,
               std::uint32_t rop) override
    {
        dibs.push_back(dib);
        char r[16];
        std::snprintf(r, sizeof r, "%06x", rop);
        noter("image " + rc(d) + " depuis " + nb(sx) + "," + nb(sy) + "," + nb(sl) + "," + nb(sh) + " rop " + r,
              Trace{});
    }

private:
    void noter(const std::string& s, const Trace& t)
    {
        appels.push_back(s);
        traces.push_back(t);
    }
};

struct Jeu {
    std::optional<Metafichier> mf;
    std::string erreur;
    Enregistreur c;
};

Jeu jouer(const Octets& fichier, double l = 100, double h = 100)
{
    Jeu j;
    j.mf = Metafichier::lire(fichier, &j.erreur);
    if (j.mf) j.mf->jouer(j.c, l, h);
    return j;
}

// --- Drawing records ---------------------------------------------------------

TEST(Metafichier, ChaqueEnregistrementDeTraceArriveAuCanevas)
{
    Octets poly;
    for (int v : {2, 3, 2, 0, 0, 10, 0, 10, 10, 20, 20, 30, 20, 30, 30}) mot(poly, v);
    struct Cas {
        const char* nom;
        Ecrivain e;
        std::string attendu;
    };
    std::vector<Cas> cas = {
        {"MoveTo puis LineTo", Ecrivain().enr(MOVETO, {20, 10}).enr(LINETO, {40, 30}), "ligne 10,20 30,40"},
        {"Polyline", Ecrivain().enr(POLYLINE, {3, 1, 2, 3, 4, 5, 6}), "ligne 1,2 3,4 5,6"},
        {"Polygon", Ecrivain().enr(POLYGON, {3, 0, 0, 10, 0, 5, 8}), "polygones [0,0 10,0 5,8]"},
        {"PolyPolygon", Ecrivain().brut(POLYPOLYGON, poly), "polygones [0,0 10,0 10,10] [20,20 30,20]"},
        {"Rectangle", Ecrivain().enr(RECTANGLE, {40, 30, 20, 10}), "rectangle 10,20,30,40"},
        {"RoundRect", Ecrivain().enr(ROUNDRECT, {6, 8, 40, 30, 20, 10}), "rectangle 10,20,30,40 arrondi 4,3"},
        {"Ellipse", Ecrivain().enr(ELLIPSE, {60, 80, 20, 0}), "ellipse 0,20,80,60"},
        {"Arc", Ecrivain().enr(ARC, {0, 50, 50, 100, 100, 100, 0, 0}), "arc 0,0,100,100 0+90"},
        {"Pie", Ecrivain().enr(PIE, {0, 50, 50, 100, 100, 100, 0, 0}), "tarte 0,0,100,100 0+90"},
        {"Chord", Ecrivain().enr(CHORD, {0, 50, 50, 100, 100, 100, 0, 0}), "corde 0,0,100,100 0+90"},
        {"SetPixel", Ecrivain().enr(SETPIXEL, {0x00FF, 0x0000, 7, 5}), "pixel 5,7 #ff0000"},
        {"TextOut", Ecrivain().brut(TEXTOUT, textOut(3, 4, "Abc")), "texte 3,4 \"Abc\""},
        {"PatBlt en motif", Ecrivain().enr(PATBLT, {0x0021, 0x00F0, 10, 20, 5, 4}), "rectangle 4,5,24,15"},
    };
    for (auto& c : cas) {
        Jeu j = jouer(c.e.carre100());
        ASSERT_TRUE(j.mf) << c.nom << ": " << j.erreur;
        ASSERT_EQ(j.c.appels.size(), 1u) << c.nom;
        EXPECT_EQ(j.c.appels[0], c.attendu) << c.nom;
    }
}

TEST(Metafichier, UnArcVaDuRayonDeDepartAuRayonDArriveeDansLeSensDirect)
{
    // Ellipse (0,0)-(200,100): start and end points off the ellipse, on rays.
    struct Cas {
        const char* nom;
        int xd, yd, xa, ya;
        std::string attendu;
    };
    const Cas cas[] = {
        {"droite vers haut", 300, 50, 100, -40, "0+90"},
        {"haut vers droite", 100, 0, 200, 50, "90+270"},
        {"gauche vers bas", 0, 50, 100, 100, "180+90"},
        {"rayon a 45 degres sur l'ecran", 150, 0, 0, 50, "63.43+116.57"},
        {"depart et arrivee confondus", 10, 10, 10, 10, "138.37+360"},
    };
    for (const auto& c : cas) {
        Ecrivain e;
        e.enr(SETWINDOWEXT, {100, 200}).enr(ARC, {c.ya, c.xa, c.yd, c.xd, 100, 200, 0, 0});
        Jeu j = jouer(e.simple(), 200, 100);
        ASSERT_EQ(j.c.appels.size(), 1u) << c.nom;
        EXPECT_EQ(j.c.appels[0], "arc 0,0,200,100 " + c.attendu) << c.nom;
    }
}

// --- Objects -----------------------------------------------------------------

TEST(Metafichier, LesObjetsPrennentLaPremierePlaceLibre)
{
    Ecrivain f;
    f.enr(CREATEPEN, {0, 3, 0}, rgb(255, 0, 0))                                // 0: red pen
        .enr(CREATEBRUSH, {0}, {0x0000, 0x00FF, 0})                             // 1: blue brush
        .enr(SELECTOBJECT, {0})
        .enr(SELECTOBJECT, {1})
        .enr(RECTANGLE, {10, 10, 0, 0})                                         // red on blue
        .enr(DELETEOBJECT, {0})                                                 // frees 0, pen stays selected
        .enr(RECTANGLE, {10, 10, 0, 0})
        .enr(CREATEPEN, {5, 0, 0, 0, 0})                                        // null pen: takes 0 again
        .enr(CREATEBRUSH, {1, 0, 0, 0})                                         // null brush: slot 2
        .enr(SELECTOBJECT, {0})
        .enr(SELECTOBJECT, {2})
        .enr(RECTANGLE, {10, 10, 0, 0})
        .enr(DELETEOBJECT, {2})
        .enr(SELECTOBJECT, {2})                                                 // empty: nothing changes
        .enr(SELECTOBJECT, {77})                                                // out of the table
        .enr(RECTANGLE, {10, 10, 0, 0});
    Jeu j = jouer(f.carre100(3));
    ASSERT_EQ(j.c.traces.size(), 4u);
    const Couleur rouge{255, 0, 0}, bleu{0, 0, 255};
    EXPECT_EQ(j.c.traces[0].plume.couleur, rouge);
    EXPECT_EQ(j.c.traces[0].plume.largeur, 3);
    EXPECT_EQ(j.c.traces[0].brosse.couleur, bleu);
    EXPECT_EQ(j.c.traces[1].plume.couleur, rouge) << "a deleted pen keeps drawing while selected";
    EXPECT_EQ(j.c.traces[2].plume.style, StylePlume::Nul) << "the new pen reused slot 0";
    EXPECT_EQ(j.c.traces[2].brosse.style, StyleBrosse::Nulle);
    EXPECT_EQ(j.c.traces[3].brosse.style, StyleBrosse::Nulle);
}

TEST(Metafichier, UnFichierQuiAnnonceTropPeuDObjetsLesGardeTous)
{
    Ecrivain e;
    for (int i = 0; i < 4; ++i) e.enr(CREATEBRUSH, {0, 10 * i, 0, 0});
    e.enr(SELECTOBJECT, {3}).enr(RECTANGLE, {1, 1, 0, 0});
    Jeu j = jouer(e.carre100(1));
    ASSERT_EQ(j.c.traces.size(), 1u);
    EXPECT_EQ(j.c.traces[0].brosse.couleur, (Couleur{30, 0, 0}));
}

TEST(Metafichier, PlumesEtBrossesSontRenduesTellesQueCreees)
{
    struct Cas {
        const char* nom;
        std::vector<int> plume, brosse;
        StylePlume style;
        double largeur;
        StyleBrosse styleBrosse;
        Hachure hachure;
    };
    const Cas cas[] = {
        {"tirets fins, hachures en croix", {1, 0, 0, 0, 0}, {2, 0, 0, 4}, StylePlume::Tirets, 0, StyleBrosse::Hachuree,
         Hachure::Croix},
        {"plume large, brosse pleine", {0, 4, 0, 0, 0}, {0, 0, 0, 0}, StylePlume::Plein, 8, StyleBrosse::Pleine,
         Hachure::Horizontale},
        {"plume nulle, brosse nulle", {5, 1, 0, 0, 0}, {1, 0, 0, 0}, StylePlume::Nul, 2, StyleBrosse::Nulle,
         Hachure::Horizontale},
        {"cadre interieur, hachure inconnue", {6, 1, 0, 0, 0}, {2, 0, 0, 9}, StylePlume::Interieur, 2,
         StyleBrosse::Hachuree, Hachure::Horizontale},
    };
    for (const auto& c : cas) {
        Ecrivain e;
        e.enr(CREATEPEN, c.plume).enr(CREATEBRUSH, c.brosse).enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {1});
        e.enr(RECTANGLE, {10, 10, 0, 0});
        Jeu j = jouer(e.carre100(), 200, 200); // twice the logical size
        ASSERT_EQ(j.c.traces.size(), 1u) << c.nom;
        const Trace& t = j.c.traces[0];
        EXPECT_EQ(t.plume.style, c.style) << c.nom;
        EXPECT_EQ(t.plume.largeur, c.largeur) << c.nom;
        EXPECT_EQ(t.brosse.style, c.styleBrosse) << c.nom;
        if (c.styleBrosse == StyleBrosse::Hachuree) {
            EXPECT_EQ(t.brosse.hachure, c.hachure) << c.nom;
        }
    }
}

TEST(Metafichier, LesPolicesGardentTousLeursAttributs)
{
    Ecrivain e;
    e.brut(CREATEFONT, police(-20, 900, 700, true, true, true, "Times New Roman"))
        .brut(CREATEFONT, police(30, 0, 0, false, false, false, "Caf\xE9"))
        .enr(SELECTOBJECT, {0})
        .brut(TEXTOUT, textOut(0, 0, "a"))
        .enr(SELECTOBJECT, {1})
        .brut(TEXTOUT, textOut(0, 0, "b"));
    Jeu j = jouer(e.carre100(), 200, 50); // x doubled, y halved
    ASSERT_EQ(j.c.polices.size(), 2u);
    const Police& p = j.c.polices[0];
    EXPECT_EQ(p.hauteur, 10);
    EXPECT_FALSE(p.hauteurCellule);
    EXPECT_EQ(p.echappement, 900);
    EXPECT_EQ(p.graisse, 700);
    EXPECT_TRUE(p.italique && p.souligne && p.barre);
    EXPECT_EQ(p.nom, "Times New Roman");
    const Police& q = j.c.polices[1];
    EXPECT_EQ(q.hauteur, 15);
    EXPECT_TRUE(q.hauteurCellule);
    EXPECT_EQ(q.graisse, 400) << "weight 0 is the normal weight";
    EXPECT_EQ(q.nom, "Café");
}

// --- Mapping -----------------------------------------------------------------

TEST(Metafichier, LaFenetreEtLaVueMenentAuxPixelsDeLImage)
{
    struct Cas {
        const char* nom;
        Octets fichier;
        double l, h;
        std::string attendu; // where LineTo (10,20)-(30,40) lands
    };
    auto trait = [](Ecrivain e) { return e.enr(MOVETO, {20, 10}).enr(LINETO, {40, 30}); };
    const Cas cas[] = {
        {"placable, image double", trait(Ecrivain()).placable(0, 0, 100, 50, 1440), 200, 100, "ligne 20,40 60,80"},
        {"placable decale", trait(Ecrivain()).placable(10, 20, 110, 120, 96), 100, 100, "ligne 0,0 20,20"},
        {"placable, fenetre deux fois plus grande",
         trait(Ecrivain().enr(SETWINDOWEXT, {200, 200})).placable(0, 0, 100, 100, 96), 100, 100, "ligne 5,10 15,20"},
        {"simple, y vers le haut",
         trait(Ecrivain().enr(SETWINDOWORG, {100, 0}).enr(SETWINDOWEXT, {-100, 100})).simple(), 100, 100,
         "ligne 10,80 30,60"},
        {"origine de vue", trait(Ecrivain().enr(SETVIEWPORTORG, {5, 5})).carre100(), 100, 100, "ligne 15,25 35,45"},
        {"etendue de vue",
         trait(Ecrivain().enr(SETMAPMODE, {8}).enr(SETVIEWPORTEXT, {50, 50})).carre100(), 100, 100,
         "ligne 5,10 15,20"},
        {"isotrope: la plus petite echelle",
         trait(Ecrivain().enr(SETMAPMODE, {7}).enr(SETWINDOWEXT, {50, 200})).carre100(), 100, 100,
         "ligne 5,10 15,20"},
        {"texte: les etendues ne comptent pas",
         trait(Ecrivain().enr(SETMAPMODE, {1}).enr(SETWINDOWEXT, {1000, 1000})).carre100(), 100, 100,
         "ligne 10,20 30,40"},
        {"twips: y vers le haut",
         Ecrivain().enr(SETMAPMODE, {6}).enr(MOVETO, {-20, 10}).enr(LINETO, {-40, 30}).placable(0, 0, 100, 100, 1440),
         100, 100, "ligne 10,20 30,40"},
        {"himetrique a 96 points par pouce",
         Ecrivain().enr(SETMAPMODE, {3}).enr(MOVETO, {0, 0}).enr(LINETO, {-2540, 2540}).carre100(), 100, 100,
         "ligne 0,0 96,96"},
        {"SaveDC/RestoreDC rend la fenetre",
         trait(Ecrivain().enr(SAVEDC, {}).enr(SETWINDOWEXT, {1, 1}).enr(RESTOREDC, {0xFFFF})).carre100(), 100, 100,
         "ligne 10,20 30,40"},
        {"RestoreDC absolu",
         trait(Ecrivain()
                   .enr(SAVEDC, {})
                   .enr(SETWINDOWORG, {0, 5})
                   .enr(SAVEDC, {})
                   .enr(SETWINDOWORG, {0, 50})
                   .enr(RESTOREDC, {1}))
             .carre100(),
         100, 100, "ligne 10,20 30,40"},
        {"RestoreDC hors pile ignore",
         trait(Ecrivain().enr(SETWINDOWORG, {0, 5}).enr(SAVEDC, {}).enr(RESTOREDC, {0xFFFE})).carre100(), 100, 100,
         "ligne 5,20 25,40"},
        {"etendue nulle ignoree", trait(Ecrivain().enr(SETWINDOWEXT, {0, 50})).carre100(), 100, 100,
         "ligne 10,20 30,40"},
    };
    for (const auto& c : cas) {
        Jeu j = jouer(c.fichier, c.l, c.h);
        ASSERT_TRUE(j.mf) << c.nom << ": " << j.erreur;
        ASSERT_EQ(j.c.appels.size(), 1u) << c.nom;
        EXPECT_EQ(j.c.appels[0], c.attendu) << c.nom;
    }
}

TEST(Metafichier, TailleNaturelle)
{
    struct Cas {
        const char* nom;
        Octets fichier;
        int l, h;
    };
    const Cas cas[] = {
        {"placable a 1440 par pouce", Ecrivain().placable(0, 0, 1440, 720, 1440), 96, 48},
        {"placable a l'envers", Ecrivain().placable(0, 720, 2880, 0, 1440), 192, 48},
        {"placable sans unite: 1440", Ecrivain().placable(0, 0, 2880, 1440, 0), 192, 96},
        {"placable a somme fausse", Ecrivain().placable(0, 0, 96, 96, 96, 8, false), 96, 96},
        {"simple: etendue de la fenetre", Ecrivain().enr(SETWINDOWEXT, {240, 320}).simple(), 320, 240},
        {"simple sans fenetre: ce qui est dessine",
         Ecrivain().enr(RECTANGLE, {60, 150, 10, 20}).simple(), 150, 60},
        {"vide", Ecrivain().simple(), 1, 1},
    };
    for (const auto& c : cas) {
        auto mf = Metafichier::lire(c.fichier);
        ASSERT_TRUE(mf) << c.nom;
        EXPECT_EQ(mf->largeurNaturelle(), c.l) << c.nom;
        EXPECT_EQ(mf->hauteurNaturelle(), c.h) << c.nom;
    }
    EXPECT_FALSE(Metafichier::lire(Ecrivain().placable(0, 0, 96, 96, 96, 8, false))->sommeControleJuste());
}

// --- Text --------------------------------------------------------------------

TEST(Metafichier, LeTexteAnsiDevientUtf8)
{
    struct Cas {
        const char* nom;
        std::string ansi, utf8;
    };
    const Cas cas[] = {
        {"ASCII", "Abc 123", "Abc 123"},
        {"lettres accentuees", "\xE9t\xE9 \xC0 \xFF", "été À ÿ"},
        {"euro et guillemets", "\x80 \x93x\x94 \x92", "€ “x” ’"},
        {"tiret et oe", "\x96\x97\x9C\x8C", "–—œŒ"},
        {"octet sans caractere", "\x81", "\xC2\x81"},
        {"espace insecable", "\xA0", "\xC2\xA0"},
    };
    for (const auto& c : cas) EXPECT_EQ(ansiVersUtf8(c.ansi), c.utf8) << c.nom;

    Jeu j = jouer(Ecrivain().brut(TEXTOUT, textOut(0, 0, "\xC9t\xE9")).carre100());
    ASSERT_EQ(j.c.textes.size(), 1u);
    EXPECT_EQ(j.c.textes[0].utf8, "Été");
}

TEST(Metafichier, AlignementCouleursEtPointCourantDuTexte)
{
    struct Cas {
        const char* nom;
        int align;
        AlignH h;
        AlignV v;
    };
    const Cas cas[] = {
        {"haut gauche", 0, AlignH::Gauche, AlignV::Haut},
        {"droite bas", 2 | 8, AlignH::Droite, AlignV::Bas},
        {"centre ligne de base", 6 | 24, AlignH::Centre, AlignV::LigneDeBase},
    };
    for (const auto& c : cas) {
        Ecrivain e;
        e.enr(SETTEXTALIGN, {c.align}).brut(TEXTOUT, textOut(1, 2, "x"));
        Jeu j = jouer(e.carre100());
        ASSERT_EQ(j.c.textes.size(), 1u) << c.nom;
        EXPECT_EQ(j.c.textes[0].alignH, c.h) << c.nom;
        EXPECT_EQ(j.c.textes[0].alignV, c.v) << c.nom;
    }

    // TA_UPDATECP: text starts at the current position and moves it on.
    Ecrivain e;
    e.enr(SETTEXTCOLOR, rgb(0, 128, 0)).enr(SETBKMODE, {1}).enr(SETBKCOLOR, rgb(1, 2, 3));
    e.enr(SETTEXTALIGN, {1}).enr(MOVETO, {7, 5}).brut(TEXTOUT, textOut(90, 90, "ab")).brut(TEXTOUT, textOut(90, 90, "c"));
    Jeu j = jouer(e.carre100(), 200, 200);
    ASSERT_EQ(j.c.appels.size(), 2u);
    EXPECT_EQ(j.c.appels[0], "texte 10,14 \"ab\"");
    EXPECT_EQ(j.c.appels[1], "texte 30,14 \"c\"");
    EXPECT_EQ(j.c.textes[0].couleur, (Couleur{0, 128, 0}));
    EXPECT_FALSE(j.c.traces[0].fondOpaque);
    EXPECT_EQ(j.c.traces[0].fond, (Couleur{1, 2, 3}));
}

TEST(Metafichier, ExtTextOutAvecRectangleEtAvances)
{
    Octets p;
    for (int v : {20, 10, 3, 0x0006, 1, 2, 50, 60}) mot(p, v); // opaque and clipped
    const Octets c = chaine("abc");
    p.insert(p.end(), c.begin(), c.end());
    for (int v : {4, 5, 6}) mot(p, v);
    Jeu j = jouer(Ecrivain().brut(EXTTEXTOUT, p).carre100(), 200, 100);
    ASSERT_EQ(j.c.textes.size(), 1u);
    const Texte& t = j.c.textes[0];
    EXPECT_EQ(pt(t.position), "20,20");
    EXPECT_EQ(t.utf8, "abc");
    EXPECT_EQ(t.avances, (std::vector<double>{8, 10, 12}));
    ASSERT_TRUE(t.rectOpaque && t.rectDecoupe);
    EXPECT_EQ(rc(*t.rectOpaque), "2,2,100,60");

    // Without the options there is no rectangle, and no advances is fine.
    Octets q;
    for (int v : {20, 10, 2, 0}) mot(q, v);
    const Octets d = chaine("ok");
    q.insert(q.end(), d.begin(), d.end());
    Jeu k = jouer(Ecrivain().brut(EXTTEXTOUT, q).carre100());
    ASSERT_EQ(k.c.textes.size(), 1u);
    EXPECT_EQ(k.c.textes[0].utf8, "ok");
    EXPECT_FALSE(k.c.textes[0].rectOpaque);
    EXPECT_TRUE(k.c.textes[0].avances.empty());
}

// --- Clipping ----------------------------------------------------------------

TEST(Metafichier, DecoupageParRectanglesEtRegionsAvecSauvegarde)
{
    Octets region;
    for (int v : {0, 6, 1, 0, 0, 1, 0, 0, 0, 10, 10}) mot(region, v);
    for (int v : {2, 0, 10, 0, 10, 2}) mot(region, v); // one scan: (0,0)-(10,10)
    Ecrivain e;
    e.enr(SAVEDC, {})
        .enr(INTERSECTCLIPRECT, {50, 60, 10, 20})
        .enr(INTERSECTCLIPRECT, {100, 40, 0, 0})
        .enr(EXCLUDECLIPRECT, {30, 30, 25, 25})
        .enr(RESTOREDC, {0xFFFF})
        .brut(CREATEREGION, region)
        .enr(SELECTCLIPREGION, {0})
        .enr(DELETEOBJECT, {0})
        .enr(SELECTCLIPREGION, {0});
    Jeu j = jouer(e.carre100());
    ASSERT_EQ(j.c.decoupes.size(), 7u);
    EXPECT_EQ(j.c.decoupes[0], Decoupe{});
    EXPECT_EQ(rc(*j.c.decoupes[2].intersection), "20,10,40,50");
    ASSERT_EQ(j.c.decoupes[3].exclusions.size(), 1u);
    EXPECT_EQ(rc(j.c.decoupes[3].exclusions[0]), "25,25,30,30");
    EXPECT_EQ(j.c.decoupes[4], Decoupe{}) << "RestoreDC brings back the clip";
    ASSERT_TRUE(j.c.decoupes[5].region);
    ASSERT_EQ(j.c.decoupes[5].region->size(), 1u);
    EXPECT_EQ(rc((*j.c.decoupes[5].region)[0]), "0,0,10,10");
    EXPECT_EQ(j.c.decoupes[6], Decoupe{}) << "an empty handle removes the clip";
}

TEST(Metafichier, UneRegionDeMilleRectanglesDecoupeSurSesBornes)
{
    // Saved states copy the clip: a huge region must not multiply.
    Octets region;
    for (int v : {0, 6, 1, 0, 0, 1, 0, 0, 0, 0, 0}) mot(region, v);
    for (int v : {2200, 0, 10}) mot(region, v);
    for (int i = 0; i < 1100; ++i) {
        mot(region, 2 * i);
        mot(region, 2 * i + 1);
    }
    mot(region, 2200);
    Ecrivain e;
    e.brut(CREATEREGION, region).enr(SELECTCLIPREGION, {0});
    for (int i = 0; i < 2000; ++i) e.enr(SAVEDC, {});
    Jeu j = jouer(e.carre100());
    ASSERT_EQ(j.c.decoupes.size(), 2u);
    ASSERT_TRUE(j.c.decoupes[1].region);
    ASSERT_EQ(j.c.decoupes[1].region->size(), 1u);
    EXPECT_EQ(rc((*j.c.decoupes[1].region)[0]), "0,0,2199,10");
}

// --- Bitmaps -----------------------------------------------------------------

TEST(Metafichier, LesBitmapsPassentTellesQuellesAuCanevas)
{
    const Octets dib = dib2x2();
    struct Cas {
        const char* nom;
        std::uint16_t fonction;
        std::vector<int> mots;
        std::string attendu;
    };
    const Cas cas[] = {
        {"StretchDIB, ligne du bas", STRETCHDIB, {0x0020, 0x00CC, 0, 1, 2, 0, 0, 20, 40, 5, 10},
         "image 10,5,50,25 depuis 0,1,2,1 rop cc0020"},
        {"DIBStretchBlt, ligne du haut", DIBSTRETCHBLT, {0x0020, 0x00CC, 1, 2, 0, 0, 20, 40, 5, 10},
         "image 10,5,50,25 depuis 0,0,2,1 rop cc0020"},
        {"DIBBitBlt", DIBBITBLT, {0x00C6, 0x0088, 0, 1, 2, 1, 3, 4}, "image 4,3,5,5 depuis 1,0,1,2 rop 8800c6"},
        {"SetDIBitsToDevice", SETDIBTODEV, {0, 2, 0, 0, 0, 2, 2, 30, 20}, "image 20,30,22,32 depuis 0,0,2,2 rop cc0020"},
        {"largeur negative: miroir", STRETCHDIB, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 20, -40, 5, 50},
         "image 50,5,10,25 depuis 0,0,2,2 rop cc0020"},
    };
    for (const auto& c : cas) {
        Jeu j = jouer(Ecrivain().brut(c.fonction, avecDib(c.mots, dib)).carre100());
        ASSERT_EQ(j.c.appels.size(), 1u) << c.nom;
        EXPECT_EQ(j.c.appels[0], c.attendu) << c.nom;
        EXPECT_EQ(j.c.dibs[0].octets, dib) << c.nom;
        EXPECT_EQ(j.c.dibs[0].decalagePixels, 40u) << c.nom;
    }

    // A pattern brush carries its bitmap too.
    Jeu j = jouer(Ecrivain()
                      .brut(DIBCREATEPATTERNBRUSH, avecDib({5, 0}, dib))
                      .enr(SELECTOBJECT, {0})
                      .enr(RECTANGLE, {8, 8, 0, 0})
                      .carre100());
    ASSERT_EQ(j.c.traces.size(), 1u);
    EXPECT_EQ(j.c.traces[0].brosse.style, StyleBrosse::Motif);
    ASSERT_TRUE(j.c.traces[0].brosse.motif);
    EXPECT_EQ(j.c.traces[0].brosse.motif->octets, dib);
}

TEST(Metafichier, UneBitmapMalFormeeEstRefusee)
{
    auto modifie = [](std::size_t octet, std::uint8_t v) {
        Octets d = dib2x2();
        d[octet] = v;
        return d;
    };
    Octets courte = dib2x2();
    courte.resize(courte.size() - 2);
    Octets palette = dib2x2(); // 8 bits a pixel announcing 300 colours
    palette[14] = 8;
    palette[32] = 0x2C;
    palette[33] = 0x01;
    struct Cas {
        const char* nom;
        Octets dib;
        bool valide;
    };
    const Cas cas[] = {
        {"correcte", dib2x2(), true},
        {"pixels tronques", courte, false},
        {"entete inconnue", modifie(0, 20), false},
        {"profondeur impossible", modifie(14, 7), false},
        {"largeur nulle", modifie(4, 0), false},
        {"largeur enorme", modifie(7, 0x40), false},
        {"compression inconnue", modifie(16, 9), false},
        {"RLE de haut en bas", [] {
             Octets d = dib2x2();
             d[14] = 8;
             d[16] = 1;
             d[8] = 0xFE;
             for (int i = 9; i < 12; ++i) d[std::size_t(i)] = 0xFF;
             return d;
         }(), false},
        {"palette trop longue", palette, false},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(lireDib(c.dib.data(), c.dib.size()).has_value(), c.valide) << c.nom;
        Jeu j = jouer(Ecrivain().brut(STRETCHDIB, avecDib({0x20, 0xCC, 0, 2, 2, 0, 0, 2, 2, 0, 0}, c.dib)).carre100());
        EXPECT_EQ(j.c.appels.size(), c.valide ? 1u : 0u) << c.nom;
    }
}

// --- Damaged files -----------------------------------------------------------

TEST(Metafichier, UnFichierQuiNEstPasUnMetafichierEstRefuse)
{
    const Octets bon = Ecrivain().enr(RECTANGLE, {1, 1, 0, 0}).simple();
    auto change = [&](std::size_t i, std::uint8_t v) {
        Octets o = bon;
        o[i] = v;
        return o;
    };
    Octets tronque(bon.begin(), bon.begin() + 17);
    Octets placableCourt = Ecrivain().placable(0, 0, 1, 1, 96);
    placableCourt.resize(20);
    Octets sansEnregistrement(bon.begin(), bon.begin() + 18);
    sansEnregistrement.push_back(9);
    struct Cas {
        const char* nom;
        Octets fichier;
        std::string erreur;
    };
    const Cas cas[] = {
        {"vide", {}, "Le fichier est trop court pour être un métafichier."},
        {"en-tete tronque", tronque, "Le fichier est trop court pour être un métafichier."},
        {"placable tronque", placableCourt, "Le fichier est trop court pour être un métafichier."},
        {"mauvais type", change(0, 3), "Ce fichier n'est pas un métafichier Windows."},
        {"mauvaise taille d'en-tete", change(2, 10), "Ce fichier n'est pas un métafichier Windows."},
        {"premier enregistrement illisible", sansEnregistrement,
         "Ce métafichier est endommagé : aucun de ses enregistrements n'est lisible."},
    };
    for (const auto& c : cas) {
        Jeu j = jouer(c.fichier);
        EXPECT_FALSE(j.mf) << c.nom;
        EXPECT_EQ(j.erreur, c.erreur) << c.nom;
    }
}

TEST(Metafichier, UnFichierEndommageDessineCeQuiPrecede)
{
    const Ecrivain deux = Ecrivain().enr(SETWINDOWEXT, {100, 100}).enr(RECTANGLE, {1, 1, 0, 0}).enr(ELLIPSE, {2, 2, 0, 0});
    Octets tronque = deux.simple();
    tronque.resize(tronque.size() - 8); // the EOF record and half the ellipse
    Octets finCoupee = deux.simple(8, false);
    finCoupee.insert(finCoupee.end(), {3, 0, 0});
    struct Cas {
        const char* nom;
        Octets fichier;
        std::vector<std::string> attendu;
        bool averti;
    };
    auto apres = [](std::uint32_t mots) {
        return Ecrivain()
            .enr(SETWINDOWEXT, {100, 100})
            .enr(RECTANGLE, {1, 1, 0, 0}).tailleDeclaree(mots, RECTANGLE, {}).enr(ELLIPSE, {2, 2, 0, 0}).simple();
    };
    const Cas cas[] = {
        {"taille 0", apres(0), {"rectangle 0,0,1,1"}, true},
        {"taille 1", apres(1), {"rectangle 0,0,1,1"}, true},
        {"taille 2", apres(2), {"rectangle 0,0,1,1"}, true},
        {"taille au-dela du fichier", apres(100000), {"rectangle 0,0,1,1"}, true},
        {"taille 0xFFFFFFFF", apres(0xFFFFFFFFu), {"rectangle 0,0,1,1"}, true},
        {"fichier tronque", tronque, {"rectangle 0,0,1,1"}, true},
        {"enregistrement final coupe", finCoupee, {"rectangle 0,0,1,1", "ellipse 0,0,2,2"}, true},
        {"sans fin de fichier", deux.simple(8, false), {"rectangle 0,0,1,1", "ellipse 0,0,2,2"}, false},
        {"taille 3: enregistrement sans parametre", apres(3), {"rectangle 0,0,1,1", "ellipse 0,0,2,2"}, false},
    };
    for (const auto& c : cas) {
        Jeu j = jouer(c.fichier);
        ASSERT_TRUE(j.mf) << c.nom << ": " << j.erreur;
        EXPECT_EQ(j.c.appels, c.attendu) << c.nom;
        EXPECT_EQ(!j.mf->avertissement().empty(), c.averti) << c.nom;
    }
}

TEST(Metafichier, LesComptesMenteursEtLesInconnusSontSautes)
{
    Octets polyMenteur;
    for (int v : {3, 1000, 1000, 0, 0, 1, 1}) mot(polyMenteur, v); // 2000 points announced
    Octets texteMenteur;
    mot(texteMenteur, 500);
    for (int v : {0x6261, 0, 0}) mot(texteMenteur, v);
    Octets extMenteur;
    for (int v : {0, 0, 400, 0, 0x6261}) mot(extMenteur, v);
    Octets extSansRect;
    for (int v : {0, 0, 2, 0x0004, 0}) mot(extSansRect, v);
    Octets policeCourte;
    for (int v : {12, 0, 0, 0}) mot(policeCourte, v);
    Octets regionMenteuse;
    for (int v : {0, 6, 1, 0, 0, 50, 0, 0, 0, 10, 10, 9999, 0, 10}) mot(regionMenteuse, v);
    struct Cas {
        const char* nom;
        Ecrivain e;
    };
    std::vector<Cas> cas = {
        {"polyligne a 1000 points dans 3", Ecrivain().enr(POLYLINE, {1000, 0, 0, 5, 5})},
        {"polygone a un point", Ecrivain().enr(POLYGON, {1, 0, 0})},
        {"polygone sans compte", Ecrivain().enr(POLYGON, {})},
        {"polypolygone menteur", Ecrivain().brut(POLYPOLYGON, polyMenteur)},
        {"polypolygone a 60000 polygones", Ecrivain().enr(POLYPOLYGON, {60000, 1})},
        {"TextOut plus long que l'enregistrement", Ecrivain().brut(TEXTOUT, texteMenteur)},
        {"ExtTextOut plus long que l'enregistrement", Ecrivain().brut(EXTTEXTOUT, extMenteur)},
        {"ExtTextOut decoupe sans rectangle", Ecrivain().brut(EXTTEXTOUT, extSansRect)},
        {"rectangle a trois coordonnees", Ecrivain().enr(RECTANGLE, {1, 2, 3})},
        {"arc incomplet", Ecrivain().enr(ARC, {1, 2, 3, 4, 5, 6, 7})},
        {"arc dans un rectangle plat", Ecrivain().enr(ARC, {0, 0, 0, 0, 10, 10, 10, 0})},
        {"police courte puis choisie",
         Ecrivain().brut(CREATEFONT, policeCourte).enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {0xFFFF})},
        {"region menteuse choisie", Ecrivain().brut(CREATEREGION, regionMenteuse).enr(0x0228, {0, 0})},
        {"enregistrement inconnu", Ecrivain().enr(0x0999, {1, 2, 3}).enr(0x7777, {})},
        {"RestoreDC sans sauvegarde", Ecrivain().enr(RESTOREDC, {0xFFFF}).enr(RESTOREDC, {5})},
        {"bitmap sans bitmap", Ecrivain().enr(STRETCHDIB, {0x20, 0xCC, 0, 2, 2, 0, 0, 2, 2, 0, 0})},
    };
    for (auto& c : cas) {
        c.e.enr(ELLIPSE, {2, 2, 0, 0}); // what follows is still drawn
        Jeu j = jouer(c.e.carre100());
        ASSERT_TRUE(j.mf) << c.nom;
        EXPECT_TRUE(j.mf->avertissement().empty()) << c.nom;
        EXPECT_EQ(j.c.appels.back(), "ellipse 0,0,2,2") << c.nom;
        EXPECT_EQ(j.c.appels.size(), 1u) << c.nom;
    }
}

TEST(Metafichier, DesOctetsAuHasardNeFontNiPlanterNiBoucler)
{
    // A file with a bit of everything, damaged at random many times; played
    // to the recording canvas and to Qt. Run under the sanitizers.
    Ecrivain e;
    e.enr(CREATEPEN, {0, 2, 0}, rgb(1, 2, 3))
        .brut(CREATEFONT, police(-12, 450, 700, true, false, false, "Arial"))
        .brut(DIBCREATEPATTERNBRUSH, avecDib({5, 0}, dib2x2()))
        .enr(SELECTOBJECT, {0})
        .enr(SELECTOBJECT, {1})
        .enr(SELECTOBJECT, {2})
        .enr(SAVEDC, {})
        .enr(INTERSECTCLIPRECT, {90, 90, 5, 5})
        .enr(POLYGON, {3, 0, 0, 50, 0, 25, 40})
        .enr(PIE, {0, 50, 50, 100, 100, 100, 0, 0})
        .brut(TEXTOUT, textOut(5, 5, "Texte"))
        .brut(STRETCHDIB, avecDib({0x20, 0xCC, 0, 2, 2, 0, 0, 20, 20, 0, 0}, dib2x2()))
        .enr(RESTOREDC, {0xFFFF});
    const Octets base = e.placable(0, 0, 100, 100, 96);
    std::mt19937 alea(12345);
    for (int essai = 0; essai < 600; ++essai) {
        Octets o = base;
        const int changements = 1 + int(alea() % 8);
        for (int k = 0; k < changements; ++k) {
            if (essai % 2) {
                o[alea() % o.size()] = std::uint8_t(alea());
                continue;
            }
            // A word set to a value that sizes, counts and coordinates get wrong.
            static const int extremes[] = {0, 1, -1, 32767, -32768, 2, 3, 255, 0x7F00};
            const std::size_t i = (alea() % (o.size() / 2)) * 2;
            const int v = extremes[alea() % 9];
            o[i] = std::uint8_t(v & 0xFF);
            o[i + 1] = std::uint8_t((v >> 8) & 0xFF);
        }
        if (essai % 5 == 0) o.resize(alea() % o.size());
        Jeu j = jouer(o);
        if (essai % 10 == 0) {
            MetafichierQt q;
            if (q.chargerOctets(QByteArray(reinterpret_cast<const char*>(o.data()), qsizetype(o.size())))) {
                EXPECT_FALSE(q.image(QSize(60, 60)).isNull());
            }
        }
    }
}

// --- Drawing with Qt ---------------------------------------------------------

// Left half red, a blue square in the right half, a 2 × 2 bitmap in the
// bottom left corner, some text; (0,0)-(200,100) at 1440 units per inch.
Octets exemple()
{
    Ecrivain e;
    e.enr(CREATEPEN, {5, 0, 0, 0, 0})
        .enr(CREATEBRUSH, {0}, {0x00FF, 0, 0})
        .enr(CREATEBRUSH, {0}, {0x0000, 0x00FF, 0})
        .enr(SELECTOBJECT, {0})
        .enr(SELECTOBJECT, {1})
        .enr(RECTANGLE, {100, 100, 0, 0})
        .enr(SELECTOBJECT, {2})
        .enr(RECTANGLE, {60, 180, 20, 140})
        .brut(STRETCHDIB, avecDib({0x20, 0xCC, 0, 2, 2, 0, 0, 20, 20, 80, 0}, dib2x2()))
        .enr(CREATEPEN, {0, 3, 0}, rgb(0, 128, 0))
        .enr(SELECTOBJECT, {3})
        .enr(CREATEBRUSH, {2, 0, 0, 5}) // hatched, black
        .enr(SELECTOBJECT, {4})
        .enr(PIE, {5, 150, 50, 195, 95, 195, 65, 105})
        .enr(SETTEXTCOLOR, rgb(255, 255, 0))
        .enr(SETBKMODE, {1})
        .brut(CREATEFONT, police(-14, 0, 700, false, false, false, "Arial"))
        .enr(SELECTOBJECT, {5})
        .brut(TEXTOUT, textOut(10, 10, "M\xE9tafichier"));
    return e.placable(0, 0, 200, 100, 1440, 8);
}

QByteArray enQt(const Octets& o) { return QByteArray(reinterpret_cast<const char*>(o.data()), qsizetype(o.size())); }

TEST(MetafichierQt, DessineUnMetafichierALaTailleDemandee)
{
    MetafichierQt mf;
    QString erreur;
    ASSERT_TRUE(mf.chargerOctets(enQt(exemple()), &erreur)) << erreur.toStdString();
    EXPECT_EQ(mf.tailleNaturelle(), QSize(13, 7)); // 200 × 100 twips
    const QImage img = mf.image(QSize(400, 200));
    ASSERT_EQ(img.size(), QSize(400, 200));
    if (qEnvironmentVariableIsSet("OSTRELLE_APERCU")) img.save(qEnvironmentVariable("OSTRELLE_APERCU"));
    struct Cas {
        const char* nom;
        int x, y;
        QColor couleur;
    };
    const Cas cas[] = {
        {"moitie gauche rouge", 100, 100, Qt::red},
        {"carre bleu", 320, 80, Qt::blue},
        {"hors des formes: blanc", 380, 190, Qt::white},
        {"bitmap: haut gauche rouge", 10, 170, Qt::red},
        {"bitmap: haut droit blanc", 30, 170, Qt::white},
        {"bitmap: bas gauche bleu", 10, 190, Qt::blue},
        {"bitmap: bas droit vert", 30, 190, QColor(0, 255, 0)},
    };
    for (const auto& c : cas) EXPECT_EQ(img.pixelColor(c.x, c.y), c.couleur) << c.nom;

    // The text is drawn in yellow somewhere near its reference point.
    int jaunes = 0;
    for (int y = 20; y < 60; ++y)
        for (int x = 20; x < 200; ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.red() > 200 && p.green() > 200 && p.blue() < 80) ++jaunes;
        }
    EXPECT_GT(jaunes, 50);
}

TEST(MetafichierQt, RectanglesEtEllipsesSelonLaPlumeEtLaBrosse)
{
    // The square (20, 20)-(80, 80) drawn twice its size: what its middle, its
    // left edge and the outside show for each pen and brush.
    const QColor vert(0, 128, 0), bleu(Qt::blue), blanc(Qt::white);
    const std::vector<int> plein3Vert = {0, 3, 0, 0 | (128 << 8), 0}, nulle = {5, 0, 0, 0, 0},
                           tiretsRouges = {1, 0, 0, 0x00FF, 0};
    const std::vector<int> brosseBleue = {0, 0, 0xFF, 0}, sansBrosse = {1, 0, 0, 0}, hachuresNoires = {2, 0, 0, 5};
    struct Cas {
        const char* nom;
        std::vector<int> plume, brosse;
        QColor milieu, bord; // invalid: hatches, or dashes
    } cas[] = {
        {"plume pleine, brosse pleine", plein3Vert, brosseBleue, bleu, vert},
        {"sans plume, brosse pleine", nulle, brosseBleue, bleu, bleu},
        {"plume pleine, sans brosse", plein3Vert, sansBrosse, blanc, vert},
        {"tirets, brosse pleine", tiretsRouges, brosseBleue, bleu, QColor()},
        {"plume pleine, hachures", plein3Vert, hachuresNoires, QColor(), vert},
    };
    for (const Cas& c : cas) {
        for (const std::uint16_t forme : {std::uint16_t(RECTANGLE), std::uint16_t(ELLIPSE)}) {
            SCOPED_TRACE(std::string(c.nom) + (forme == RECTANGLE ? ", rectangle" : ", ellipse"));
            Ecrivain e;
            e.enr(CREATEPEN, c.plume).enr(CREATEBRUSH, c.brosse).enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {1});
            e.enr(forme, {80, 80, 20, 20});
            MetafichierQt mf;
            ASSERT_TRUE(mf.chargerOctets(enQt(e.carre100())));
            const QImage img = mf.image(QSize(200, 200));
            EXPECT_EQ(img.pixelColor(10, 100).name(), blanc.name());
            if (c.milieu.isValid()) {
                EXPECT_EQ(img.pixelColor(100, 100).name(), c.milieu.name());
            } else {
                QSet<QRgb> couleurs;
                for (int x = 80; x < 120; ++x)
                    couleurs.insert(img.pixel(x, 100));
                EXPECT_TRUE(couleurs.contains(qRgb(0, 0, 0)) && couleurs.contains(qRgb(255, 255, 255)));
            }
            if (c.bord.isValid()) {
                EXPECT_EQ(img.pixelColor(41, 100).name(), c.bord.name());
            } else {
                // Dashes (the thinnest pen, half on this column) and gaps along the edge.
                bool rouge = false, autre = false;
                for (int y = 90; y < 110; ++y) {
                    const QColor p = img.pixelColor(40, y);
                    rouge |= p.red() > p.blue();
                    autre |= p.red() < p.blue();
                }
                EXPECT_TRUE(rouge && autre);
            }
        }
    }
}

TEST(MetafichierQt, ErreursDeChargementEtTaillesRefusees)
{
    MetafichierQt mf;
    QString erreur;
    EXPECT_FALSE(mf.chargerOctets(QByteArray("GIF89a, pas un metafichier"), &erreur));
    EXPECT_EQ(erreur, QStringLiteral("Ce fichier n'est pas un métafichier Windows."));
    EXPECT_FALSE(mf.estCharge());
    EXPECT_TRUE(mf.image(QSize(10, 10)).isNull());
    EXPECT_EQ(mf.tailleNaturelle(), QSize());

    EXPECT_FALSE(mf.charger(QDir::temp().filePath("absent.wmf"), &erreur));
    EXPECT_TRUE(erreur.startsWith(QStringLiteral("Impossible d'ouvrir le fichier")));

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("dessin.wmf");
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(enQt(exemple()));
    f.close();
    ASSERT_TRUE(mf.charger(chemin, &erreur));
    EXPECT_TRUE(mf.image(QSize(0, 10)).isNull());
    EXPECT_TRUE(mf.image(QSize(100000, 100000)).isNull());
    EXPECT_FALSE(mf.image(QSize(13, 7)).isNull());

    // A failed load drops the previous picture.
    EXPECT_FALSE(mf.chargerOctets(QByteArray(), &erreur));
    EXPECT_FALSE(mf.estCharge());
}

TEST(MetafichierQt, DesFormesGigantesquesSeDessinentVite)
{
    // Shapes a million pixels wide, wide pens and huge fonts, as a damaged
    // file may ask for: drawn in well under a second each.
    Ecrivain e;
    e.enr(SETWINDOWEXT, {1, 1})
        .enr(CREATEPEN, {0, 32767, 0, 0, 0})
        .enr(CREATEBRUSH, {2, 0, 0, 3})
        .brut(CREATEFONT, police(-32768, 450, 700, true, false, false, "Arial"))
        .brut(DIBCREATEPATTERNBRUSH, avecDib({5, 0}, dib2x2()))
        .enr(SELECTOBJECT, {0})
        .enr(SELECTOBJECT, {1})
        .enr(SELECTOBJECT, {2})
        .enr(EXCLUDECLIPRECT, {32767, 32767, 1, 1});
    for (int i = 0; i < 5; ++i) {
        e.enr(ELLIPSE, {32767, 32767, -32768, -32768})
            .enr(ROUNDRECT, {32767, 32767, 32767, 32767, -32768, -32768})
            .enr(PIE, {0, 0, 0, 1, 32767, 32767, -32768, -32768})
            .enr(POLYLINE, {3, -32768, -32768, 32767, 32767, -32768, 32767})
            .brut(TEXTOUT, textOut(0, 0, "Wwwwwwwwww"))
            .brut(STRETCHDIB, avecDib({0x20, 0xCC, 0, 2, 2, 0, 0, 32767, 32767, -32768, -32768}, dib2x2()));
    }
    e.enr(SELECTOBJECT, {3}).enr(RECTANGLE, {32767, 32767, -32768, -32768});
    MetafichierQt mf;
    ASSERT_TRUE(mf.chargerOctets(enQt(e.carre100())));
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_FALSE(mf.image(QSize(800, 600)).isNull());
    EXPECT_LT(chrono.elapsed(), 20000);
}

} // namespace
} // namespace ostrelle
