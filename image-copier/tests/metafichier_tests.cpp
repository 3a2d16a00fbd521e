// Metafile playback, on metafiles written here record by record and played
// onto a canvas that writes down what it is asked to draw.
#include "image-copier/core/metafichier.hpp"
#include "image-copier/tests/ecrivain_icones.hpp"
#include "image-copier/ui/metafichierqt.hpp"

#include "common/testing/gtest_qt.hpp"

#include <QElapsedTimer>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace ostrelle {
namespace {

using essais::Ecrivain;
using essais::mot;
using essais::mots;
using essais::Octets;

enum : std::uint16_t {
    SAVEDC = 0x001E, SETBKMODE = 0x0102, SETMAPMODE = 0x0103, RESTOREDC = 0x0127, SELECTCLIPREGION = 0x012C,
    SELECTOBJECT = 0x012D, SETTEXTALIGN = 0x012E, DIBCREATEPATTERNBRUSH = 0x0142, DELETEOBJECT = 0x01F0,
    SETBKCOLOR = 0x0201, SETTEXTCOLOR = 0x0209, SETWINDOWORG = 0x020B, SETWINDOWEXT = 0x020C,
    SETVIEWPORTORG = 0x020D, SETVIEWPORTEXT = 0x020E, LINETO = 0x0213, MOVETO = 0x0214, OFFSETCLIPRGN = 0x0220,
    CREATEPEN = 0x02FA, CREATEFONT = 0x02FB, CREATEBRUSH = 0x02FC, POLYGON = 0x0324, POLYLINE = 0x0325,
    EXCLUDECLIPRECT = 0x0415, INTERSECTCLIPRECT = 0x0416, ELLIPSE = 0x0418, RECTANGLE = 0x041B, SETPIXEL = 0x041F,
    TEXTOUT = 0x0521, POLYPOLYGON = 0x0538, ROUNDRECT = 0x061C, PATBLT = 0x061D, CREATEREGION = 0x06FF, ARC = 0x0817,
    PIE = 0x081A, CHORD = 0x0830, DIBBITBLT = 0x0940, EXTTEXTOUT = 0x0A32, DIBSTRETCHBLT = 0x0B41,
    SETDIBTODEV = 0x0D33, STRETCHDIB = 0x0F43,
};

// Words of a COLORREF.
std::vector<int> rgb(int r, int v, int b) { return {r | (v << 8), b}; }

// TextOut's parameters: the length, the characters padded to a word, y, x.
Octets textOut(int x, int y, const std::string& s)
{
    Octets p = mots({int(s.size())}, Octets(s.begin(), s.end()));
    essais::aligner(p, 2);
    return mot(p, std::uint32_t(y)), mot(p, std::uint32_t(x)), p;
}

Octets police(int hauteur, int echappement, int graisse, bool italique, bool souligne, bool barre, const std::string& nom)
{
    Octets p = mots({hauteur, 0, echappement, 0, graisse}, {italique, souligne, barre, 0, 0, 0, 0, 0});
    p.insert(p.end(), nom.begin(), nom.end());
    return p.push_back(0), p;
}

// A 2 × 2 bottom-up 24-bit DIB: bottom row blue, green; top row red, white.
Octets dib2x2()
{
    return mots({40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0});
}

// --- The recording canvas ----------------------------------------------------

std::string nb(double v)
{
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.2f", std::abs(v) < 0.005 ? 0.0 : v);
    std::string s = tampon;
    s.erase(s.find_last_not_of('0') + 1);
    return s.back() == '.' ? s.substr(0, s.size() - 1) : s;
}
std::string pt(const PointD& p) { return nb(p.x) + "," + nb(p.y); }
std::string rc(const RectD& r) { return nb(r.gauche) + "," + nb(r.haut) + "," + nb(r.droite) + "," + nb(r.bas); }
std::string hex(Couleur c)
{
    char s[16];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", c.rouge, c.vert, c.bleu);
    return s;
}
// A pen and a brush in a few words: "tirets 0 #000000 / hachuree #000000 croix".
std::string decrire(const Trace& t)
{
    static const char* plumes[] = {"plein", "tirets", "points", "tp", "tpp", "nul", "interieur"};
    static const char* brosses[] = {"pleine", "nulle", "hachuree", "motif"};
    static const char* hachures[] = {"horizontale", "verticale", "descendante", "montante", "croix", "xcroix"};
    std::string s = std::string(plumes[int(t.plume.style)]) + " " + nb(t.plume.largeur) + " " + hex(t.plume.couleur) +
                    " / " + brosses[int(t.brosse.style)] + " " + hex(t.brosse.couleur);
    return t.brosse.style == StyleBrosse::Hachuree ? s + " " + hachures[int(t.brosse.hachure)] : s;
}
// A font: "height[c: cell] escapement weight [i][s][b] name".
std::string decrire(const Police& p)
{
    return nb(p.hauteur) + (p.hauteurCellule ? "c " : " ") + std::to_string(p.echappement) + " " +
           std::to_string(p.graisse) + " " + (p.italique ? "i" : "") + (p.souligne ? "s" : "") + (p.barre ? "b" : "") +
           " " + p.nom;
}

class Enregistreur : public Canevas {
public:
    std::vector<std::string> appels;
    std::vector<Trace> traces;
    std::vector<Police> polices;
    std::vector<Texte> textes;
    std::vector<Dib> dibs;
    std::vector<Decoupe> decoupes;

    void decoupe(const Decoupe& d) override { decoupes.push_back(d); }
    void ligne(const std::vector<PointD>& pts, const Trace& t) override { noter("ligne " + points(pts), t); }
    void polygones(const std::vector<std::vector<PointD>>& polys, const Trace& t) override
    {
        std::string s = "polygones";
        for (const auto& pts : polys) s += " [" + points(pts) + "]";
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
    // "texte X,Y "abc"", then what differs from plain text: alignment, advances, rectangles.
    double texte(const Texte& x, const Police& p, const Trace& t) override
    {
        textes.push_back(x);
        polices.push_back(p);
        std::string s = "texte " + pt(x.position) + " \"" + x.utf8 + "\"";
        if (x.alignH != AlignH::Gauche || x.alignV != AlignV::Haut)
            s += std::string(" align ") + "GCD"[int(x.alignH)] + "HLB"[int(x.alignV)];
        if (!x.avances.empty()) s += " avances";
        for (double a : x.avances) s += " " + nb(a);
        if (x.rectOpaque) s += " opaque " + rc(*x.rectOpaque);
        if (x.rectDecoupe) s += " decoupe " + rc(*x.rectDecoupe);
        noter(s, t);
        return 10.0 * double(x.utf8.size()); // ASCII in these tests: 10 pixels a character
    }
    void pixel(const PointD& p, Couleur c) override { noter("pixel " + pt(p) + " " + hex(c), Trace{}); }
    void image(const RectD& d, const Dib& dib, double sx, double sy, double sl, double sh, std::uint32_t rop) override
    {
        dibs.push_back(dib);
        char r[16];
        std::snprintf(r, sizeof r, "%06x", rop);
        noter("image " + rc(d) + " depuis " + nb(sx) + "," + nb(sy) + "," + nb(sl) + "," + nb(sh) + " rop " + r, {});
    }

private:
    static std::string points(const std::vector<PointD>& pts)
    {
        std::string s;
        for (const auto& p : pts) s += (s.empty() ? "" : " ") + pt(p);
        return s;
    }
    void noter(const std::string& s, const Trace& t) { appels.push_back(s), traces.push_back(t); }
};

struct Jeu { std::optional<Metafichier> mf; std::string erreur; Enregistreur c; };

Jeu jouer(const Octets& fichier, double l = 100, double h = 100)
{
    Jeu j;
    j.mf = Metafichier::lire(fichier, &j.erreur);
    if (j.mf) j.mf->jouer(j.c, l, h);
    return j;
}

// --- What each record draws --------------------------------------------------

TEST(Metafichier, CeQueChaqueEnregistrementDessine)
{
    // Played on l × h; averti: the file is damaged and the user is told.
    struct Cas { const char* nom; Octets fichier; std::vector<std::string> attendu; double l = 100, h = 100; bool averti = false; };
    auto c100 = [](auto&& e) { return e.carre100(); };
    // Where LineTo (10,20)-(30,40) lands.
    auto trait = [](auto&& e) -> Ecrivain& { return e.enr(MOVETO, {20, 10}).enr(LINETO, {40, 30}); };
    // Ellipse (0,0)-(200,100); start and end points off the ellipse, on rays.
    auto arc = [](int xd, int yd, int xa, int ya) {
        return Ecrivain().enr(SETWINDOWEXT, {100, 200}).enr(ARC, {ya, xa, yd, xd, 100, 200, 0, 0}).simple();
    };
    auto bitmap = [](std::uint16_t f, std::initializer_list<int> m) { return Ecrivain().brut(f, mots(m, dib2x2())).carre100(); };
    // A record that is skipped: the ellipse after it is still drawn.
    auto saute = [](auto&& e) { return e.enr(ELLIPSE, {2, 2, 0, 0}).carre100(); };
    const std::vector<std::string> ellipse = {"ellipse 0,0,2,2"}, rect1 = {"rectangle 0,0,1,1"},
                                   lesDeux = {"rectangle 0,0,1,1", "ellipse 0,0,2,2"};
    Ecrivain deux;
    deux.enr(SETWINDOWEXT, {100, 100}).enr(RECTANGLE, {1, 1, 0, 0}).enr(ELLIPSE, {2, 2, 0, 0});
    Octets tronque = deux.simple(), finCoupee = deux.simple(8, false);
    tronque.resize(tronque.size() - 8); // the EOF record and half the ellipse
    finCoupee.insert(finCoupee.end(), {3, 0, 0});
    const Octets region = mots({0, 6, 1, 0, 0, 50, 0, 0, 0, 10, 10, 9999, 0, 10}); // lying scan count
    std::vector<Cas> cas = {
        {"MoveTo puis LineTo", c100(trait(Ecrivain())), {"ligne 10,20 30,40"}},
        {"Polyline", c100(Ecrivain().enr(POLYLINE, {3, 1, 2, 3, 4, 5, 6})), {"ligne 1,2 3,4 5,6"}},
        {"Polygon", c100(Ecrivain().enr(POLYGON, {3, 0, 0, 10, 0, 5, 8})), {"polygones [0,0 10,0 5,8]"}},
        {"PolyPolygon", c100(Ecrivain().enr(POLYPOLYGON, {2, 3, 2, 0, 0, 10, 0, 10, 10, 20, 20, 30, 20, 30, 30})),
         {"polygones [0,0 10,0 10,10] [20,20 30,20]"}},
        {"Rectangle", c100(Ecrivain().enr(RECTANGLE, {40, 30, 20, 10})), {"rectangle 10,20,30,40"}},
        {"RoundRect", c100(Ecrivain().enr(ROUNDRECT, {6, 8, 40, 30, 20, 10})), {"rectangle 10,20,30,40 arrondi 4,3"}},
        {"Ellipse", c100(Ecrivain().enr(ELLIPSE, {60, 80, 20, 0})), {"ellipse 0,20,80,60"}},
        {"Arc", c100(Ecrivain().enr(ARC, {0, 50, 50, 100, 100, 100, 0, 0})), {"arc 0,0,100,100 0+90"}},
        {"Pie", c100(Ecrivain().enr(PIE, {0, 50, 50, 100, 100, 100, 0, 0})), {"tarte 0,0,100,100 0+90"}},
        {"Chord", c100(Ecrivain().enr(CHORD, {0, 50, 50, 100, 100, 100, 0, 0})), {"corde 0,0,100,100 0+90"}},
        {"SetPixel", c100(Ecrivain().enr(SETPIXEL, {0x00FF, 0x0000, 7, 5})), {"pixel 5,7 #ff0000"}},
        {"TextOut, ANSI", c100(Ecrivain().brut(TEXTOUT, textOut(3, 4, "\xC9t\xE9 \x80"))), {"texte 3,4 \"Été €\""}},
        {"PatBlt en motif", c100(Ecrivain().enr(PATBLT, {0x0021, 0x00F0, 10, 20, 5, 4})), {"rectangle 4,5,24,15"}},
        // Arcs go from the start ray to the end ray, counter-clockwise.
        {"arc haut vers droite", arc(100, 0, 200, 50), {"arc 0,0,200,100 90+270"}, 200},
        {"arc, rayon a 45 degres a l'ecran", arc(150, 0, 0, 50), {"arc 0,0,200,100 63.43+116.57"}, 200},
        {"arc, depart et arrivee confondus", arc(10, 10, 10, 10), {"arc 0,0,200,100 138.37+360"}, 200},
        // Window and viewport to the picture's pixels.
        {"placable, image double", trait(Ecrivain()).placable(0, 0, 100, 50, 1440), {"ligne 20,40 60,80"}, 200},
        {"placable decale", trait(Ecrivain()).placable(10, 20, 110, 120, 96), {"ligne 0,0 20,20"}},
        {"placable, fenetre double", trait(Ecrivain().enr(SETWINDOWEXT, {200, 200})).placable(0, 0, 100, 100, 96),
         {"ligne 5,10 15,20"}},
        {"simple, y vers le haut", trait(Ecrivain().enr(SETWINDOWORG, {100, 0}).enr(SETWINDOWEXT, {-100, 100})).simple(),
         {"ligne 10,80 30,60"}},
        {"origine de vue", c100(trait(Ecrivain().enr(SETVIEWPORTORG, {5, 5}))), {"ligne 15,25 35,45"}},
        {"etendue de vue", c100(trait(Ecrivain().enr(SETMAPMODE, {8}).enr(SETVIEWPORTEXT, {50, 50}))), {"ligne 5,10 15,20"}},
        {"isotrope", c100(trait(Ecrivain().enr(SETMAPMODE, {7}).enr(SETWINDOWEXT, {50, 200}))), {"ligne 5,10 15,20"}},
        {"mode texte", c100(trait(Ecrivain().enr(SETMAPMODE, {1}).enr(SETWINDOWEXT, {1000, 1000}))), {"ligne 10,20 30,40"}},
        {"twips, y vers le haut",
         Ecrivain().enr(SETMAPMODE, {6}).enr(MOVETO, {-20, 10}).enr(LINETO, {-40, 30}).placable(0, 0, 100, 100, 1440),
         {"ligne 10,20 30,40"}},
        {"himetrique a 96 par pouce", c100(Ecrivain().enr(SETMAPMODE, {3}).enr(MOVETO, {0, 0}).enr(LINETO, {-2540, 2540})),
         {"ligne 0,0 96,96"}},
        {"SaveDC/RestoreDC", c100(trait(Ecrivain().enr(SAVEDC, {}).enr(SETWINDOWEXT, {1, 1}).enr(RESTOREDC, {0xFFFF}))),
         {"ligne 10,20 30,40"}},
        {"RestoreDC absolu",
         c100(trait(Ecrivain().enr(SAVEDC, {}).enr(SETWINDOWORG, {0, 5}).enr(SAVEDC, {}).enr(SETWINDOWORG, {0, 50})
                        .enr(RESTOREDC, {1}))),
         {"ligne 10,20 30,40"}},
        {"RestoreDC hors pile", c100(trait(Ecrivain().enr(SETWINDOWORG, {0, 5}).enr(SAVEDC, {}).enr(RESTOREDC, {0xFFFE}))),
         {"ligne 5,20 25,40"}},
        {"etendue nulle ignoree", c100(trait(Ecrivain().enr(SETWINDOWEXT, {0, 50}))), {"ligne 10,20 30,40"}},
        // Text: alignment, the current position, ExtTextOut's rectangle and advances.
        {"droite bas", c100(Ecrivain().enr(SETTEXTALIGN, {2 | 8}).brut(TEXTOUT, textOut(1, 2, "x"))),
         {"texte 1,2 \"x\" align DB"}},
        {"centre ligne de base", c100(Ecrivain().enr(SETTEXTALIGN, {6 | 24}).brut(TEXTOUT, textOut(1, 2, "x"))),
         {"texte 1,2 \"x\" align CL"}},
        {"TA_UPDATECP: au point courant, qui avance",
         c100(Ecrivain().enr(SETTEXTALIGN, {1}).enr(MOVETO, {7, 5}).brut(TEXTOUT, textOut(90, 90, "ab"))
                  .brut(TEXTOUT, textOut(90, 90, "c"))),
         {"texte 10,14 \"ab\"", "texte 30,14 \"c\""}, 200, 200},
        {"ExtTextOut opaque et decoupe",
         c100(Ecrivain().brut(EXTTEXTOUT, mots({20, 10, 3, 0x0006, 1, 2, 50, 60}, mots({0x6261, 0x63, 4, 5, 6})))),
         {"texte 20,20 \"abc\" avances 8 10 12 opaque 2,2,100,60 decoupe 2,2,100,60"}, 200},
        {"ExtTextOut simple", c100(Ecrivain().brut(EXTTEXTOUT, mots({20, 10, 2, 0, 0x6B6F}))), {"texte 10,20 \"ok\""}},
        // Bitmaps go to the canvas as they are.
        {"StretchDIB, ligne du bas", bitmap(STRETCHDIB, {0x0020, 0x00CC, 0, 1, 2, 0, 0, 20, 40, 5, 10}),
         {"image 10,5,50,25 depuis 0,1,2,1 rop cc0020"}},
        {"DIBStretchBlt, ligne du haut", bitmap(DIBSTRETCHBLT, {0x0020, 0x00CC, 1, 2, 0, 0, 20, 40, 5, 10}),
         {"image 10,5,50,25 depuis 0,0,2,1 rop cc0020"}},
        {"DIBBitBlt", bitmap(DIBBITBLT, {0x00C6, 0x0088, 0, 1, 2, 1, 3, 4}), {"image 4,3,5,5 depuis 1,0,1,2 rop 8800c6"}},
        {"SetDIBitsToDevice", bitmap(SETDIBTODEV, {0, 2, 0, 0, 0, 2, 2, 30, 20}),
         {"image 20,30,22,32 depuis 0,0,2,2 rop cc0020"}},
        {"destination en miroir", bitmap(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 20, -40, 5, 50}),
         {"image 50,5,10,25 depuis 0,0,2,2 rop cc0020"}},
        {"source en miroir", bitmap(STRETCHDIB, {0x0020, 0x00CC, 0, 2, -2, 0, 2, 20, 40, 5, 10}),
         {"image 50,5,10,25 depuis 0,0,2,2 rop cc0020"}},
        // Damaged files draw what comes before the damage.
        {"fichier tronque", tronque, rect1, 100, 100, true},
        {"enregistrement final coupe", finCoupee, lesDeux, 100, 100, true},
        {"sans fin de fichier", deux.simple(8, false), lesDeux},
        // Lying counts and unknown records are skipped.
        {"polyligne a 1000 points dans 3", saute(Ecrivain().enr(POLYLINE, {1000, 0, 0, 5, 5})), ellipse},
        {"polygone a un point", saute(Ecrivain().enr(POLYGON, {1, 0, 0})), ellipse},
        {"polypolygone menteur", saute(Ecrivain().enr(POLYPOLYGON, {3, 1000, 1000, 0, 0, 1, 1})), ellipse},
        {"polypolygone a 60000 polygones", saute(Ecrivain().enr(POLYPOLYGON, {60000, 1})), ellipse},
        {"TextOut plus long que l'enregistrement", saute(Ecrivain().enr(TEXTOUT, {500, 0x6261, 0, 0})), ellipse},
        {"ExtTextOut plus long que l'enregistrement", saute(Ecrivain().enr(EXTTEXTOUT, {0, 0, 400, 0, 0x6261})), ellipse},
        {"ExtTextOut decoupe sans rectangle", saute(Ecrivain().enr(EXTTEXTOUT, {0, 0, 2, 0x0004, 0})), ellipse},
        {"rectangle a trois coordonnees", saute(Ecrivain().enr(RECTANGLE, {1, 2, 3})), ellipse},
        {"arc incomplet", saute(Ecrivain().enr(ARC, {1, 2, 3, 4, 5, 6, 7})), ellipse},
        {"arc dans un rectangle plat", saute(Ecrivain().enr(ARC, {0, 0, 0, 0, 10, 10, 10, 0})), ellipse},
        {"police courte puis choisie",
         saute(Ecrivain().enr(CREATEFONT, {12, 0, 0, 0}).enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {0xFFFF})), ellipse},
        {"region menteuse choisie", saute(Ecrivain().brut(CREATEREGION, region).enr(0x0228, {0, 0})), ellipse},
        {"enregistrement inconnu", saute(Ecrivain().enr(0x0999, {1, 2, 3}).enr(0x7777, {})), ellipse},
        {"RestoreDC sans sauvegarde", saute(Ecrivain().enr(RESTOREDC, {0xFFFF}).enr(RESTOREDC, {5})), ellipse},
        {"bitmap sans bitmap", saute(Ecrivain().enr(STRETCHDIB, {0x20, 0xCC, 0, 2, 2, 0, 0, 2, 2, 0, 0})), ellipse},
    };
    // A record stating a size it can't have: what precedes is drawn; 3 words is a record without parameters.
    for (std::uint32_t taille : {0u, 1u, 2u, 3u, 100000u, 0xFFFFFFFFu})
        cas.push_back({"taille declaree", Ecrivain().enr(SETWINDOWEXT, {100, 100}).enr(RECTANGLE, {1, 1, 0, 0})
                                              .tailleDeclaree(taille, RECTANGLE, {}).enr(ELLIPSE, {2, 2, 0, 0}).simple(),
                       taille == 3 ? lesDeux : rect1, 100, 100, taille != 3});
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Jeu j = jouer(c.fichier, c.l, c.h);
        ASSERT_TRUE(j.mf) << j.erreur;
        EXPECT_EQ(j.c.appels, c.attendu);
        EXPECT_EQ(!j.mf->avertissement().empty(), c.averti);
        for (const Dib& d : j.c.dibs) {
            EXPECT_EQ(d.octets, dib2x2());
            EXPECT_EQ(d.decalagePixels, 40u);
        }
    }
}

// --- Objects -----------------------------------------------------------------

TEST(Metafichier, PlumesBrossesEtPlacesDesObjets)
{
    struct Cas { const char* nom; Ecrivain e; std::vector<std::string> traces; int objets = 8; }; // traces of each rectangle, played at twice the size
    auto rect = [](Ecrivain& e) -> Ecrivain& { return e.enr(RECTANGLE, {10, 10, 0, 0}); };
    auto avec = [&](std::vector<int> plume, std::vector<int> brosse) {
        return rect(Ecrivain().enr(CREATEPEN, plume).enr(CREATEBRUSH, brosse).enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {1}));
    };
    Ecrivain places, quatre, motif, ancien, court;
    places.enr(CREATEPEN, {0, 3, 0}, rgb(255, 0, 0)).enr(CREATEBRUSH, {0, 0, 0xFF, 0}) // slots 0 and 1
        .enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {1});
    rect(places).enr(DELETEOBJECT, {0}); // frees slot 0, the pen stays selected
    rect(places).enr(CREATEPEN, {5, 0, 0, 0, 0}).enr(CREATEBRUSH, {1, 0, 0, 0}) // slot 0 again, then 2
        .enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {2});
    rect(places).enr(DELETEOBJECT, {1}).enr(SELECTOBJECT, {1}).enr(SELECTOBJECT, {77}); // empty, out of the table
    rect(places);
    for (int i = 0; i < 4; ++i) quatre.enr(CREATEBRUSH, {0, 10 * i, 0, 0}); // more than the header announces
    rect(quatre.enr(SELECTOBJECT, {3}));
    rect(motif.brut(DIBCREATEPATTERNBRUSH, mots({5, 0}, dib2x2())).enr(SELECTOBJECT, {0}));
    // A device pattern brush takes one slot however long its record.
    rect(ancien.enr(0x01F9, std::vector<int>(20, 0)).enr(CREATEBRUSH, {0, 0xFF, 0, 0}).enr(SELECTOBJECT, {1}));
    // A SelectObject without its parameter selects nothing (the next record's words are no index).
    for (int i = 0; i < 8; ++i) court.enr(CREATEBRUSH, {0, i == 7 ? 0xFF : 0, 0, 0});
    rect(court.enr(SELECTOBJECT, {}));
    const std::vector<Cas> cas = {
        {"tirets fins, hachures en croix", avec({1, 0, 0, 0, 0}, {2, 0, 0, 4}), {"tirets 0 #000000 / hachuree #000000 croix"}},
        {"plume large, brosse pleine", avec({0, 4, 0, 0, 0}, {0, 0, 0, 0}), {"plein 8 #000000 / pleine #000000"}},
        {"plume nulle, brosse nulle", avec({5, 1, 0, 0, 0}, {1, 0, 0, 0}), {"nul 2 #000000 / nulle #000000"}},
        {"cadre interieur, hachure inconnue", avec({6, 1, 0, 0x00FF, 0}, {2, 0x00FF, 0, 9}),
         {"interieur 2 #ff0000 / hachuree #ff0000 horizontale"}},
        {"premiere place libre", places,
         {"plein 6 #ff0000 / pleine #0000ff", "plein 6 #ff0000 / pleine #0000ff", "nul 0 #000000 / nulle #000000",
          "nul 0 #000000 / nulle #000000"}, 3},
        {"plus d'objets qu'annonce", quatre, {"plein 0 #000000 / pleine #1e0000"}, 1},
        {"brosse a motif", motif, {"plein 0 #000000 / motif #ffffff"}},
        {"ancienne brosse a motif", ancien, {"plein 0 #000000 / pleine #ff0000"}},
        {"SelectObject sans parametre", court, {"plein 0 #000000 / pleine #ffffff"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Jeu j = jouer(c.e.carre100(c.objets), 200, 200);
        std::vector<std::string> traces;
        for (const Trace& t : j.c.traces) traces.push_back(decrire(t));
        EXPECT_EQ(traces, c.traces);
        const auto& motifLu = j.c.traces.empty() ? nullptr : j.c.traces[0].brosse.motif;
        EXPECT_TRUE(std::string(c.nom) != "brosse a motif" || (motifLu && motifLu->octets == dib2x2()));
    }

    // Fonts keep all they were made with; the text its colours.
    Ecrivain e;
    e.brut(CREATEFONT, police(-20, 900, 700, true, true, true, "Times New Roman"))
        .brut(CREATEFONT, police(30, 0, 0, false, false, false, "Caf\xE9"))
        .enr(SETTEXTCOLOR, rgb(0, 128, 0)).enr(SETBKMODE, {1}).enr(SETBKCOLOR, rgb(1, 2, 3))
        .enr(SELECTOBJECT, {0}).brut(TEXTOUT, textOut(0, 0, "a")).enr(SELECTOBJECT, {1}).brut(TEXTOUT, textOut(0, 0, "b"));
    Jeu j = jouer(e.carre100(), 200, 50); // x doubled, y halved
    ASSERT_EQ(j.c.polices.size(), 2u);
    EXPECT_EQ(decrire(j.c.polices[0]), "10 900 700 isb Times New Roman");
    EXPECT_EQ(decrire(j.c.polices[1]), "15c 0 400  Café") << "weight 0 is the normal weight";
    EXPECT_TRUE(j.c.textes[1].couleur == (Couleur{0, 128, 0}) && !j.c.traces[1].fondOpaque && j.c.traces[1].fond == (Couleur{1, 2, 3}));
}

TEST(Metafichier, TailleNaturelle)
{
    const std::tuple<const char*, Octets, int, int, bool> cas[] = { // name, file, natural size, checksum right
        {"placable a l'envers", Ecrivain().placable(0, 720, 2880, 0, 1440), 192, 48, true},
        {"placable sans unite: 1440", Ecrivain().placable(0, 0, 2880, 1440, 0), 192, 96, true},
        {"placable a somme fausse", Ecrivain().placable(0, 0, 96, 96, 96, 8, false), 96, 96, false},
        {"simple: etendue de la fenetre", Ecrivain().enr(SETWINDOWEXT, {240, 320}).simple(), 320, 240, true},
        {"simple sans fenetre: ce qui est dessine", Ecrivain().enr(RECTANGLE, {60, 150, 10, 20}).simple(), 150, 60, true},
        {"vide", Ecrivain().simple(), 1, 1, true},
    };
    for (const auto& [nom, fichier, l, h, sommeJuste] : cas) {
        SCOPED_TRACE(nom);
        auto mf = Metafichier::lire(fichier);
        ASSERT_TRUE(mf);
        EXPECT_TRUE(mf->largeurNaturelle() == l && mf->hauteurNaturelle() == h && mf->sommeControleJuste() == sommeJuste);
    }
}

TEST(Metafichier, DecoupageParRectanglesEtRegionsAvecSauvegarde)
{
    Ecrivain e;
    e.enr(SAVEDC, {}).enr(INTERSECTCLIPRECT, {50, 60, 10, 20}).enr(INTERSECTCLIPRECT, {100, 40, 0, 0})
        .enr(EXCLUDECLIPRECT, {30, 30, 25, 25}).enr(OFFSETCLIPRGN, {-3, 2}).enr(RESTOREDC, {0xFFFF})
        .brut(CREATEREGION, mots({0, 6, 1, 0, 0, 1, 0, 0, 0, 10, 10, 2, 0, 10, 0, 10, 2})) // one scan: (0,0)-(10,10)
        .enr(SELECTCLIPREGION, {0}).enr(DELETEOBJECT, {0}).enr(SELECTCLIPREGION, {0});
    Jeu j = jouer(e.carre100(), 200, 200);
    auto decrire = [](const Decoupe& d) {
        std::string s = d.intersection ? "dans " + rc(*d.intersection) : "";
        for (const RectD& r : d.exclusions) s += " hors " + rc(r);
        if (d.region) s += " region";
        for (const RectD& r : d.region.value_or(std::vector<RectD>{})) s += " " + rc(r);
        return s;
    };
    std::vector<std::string> decoupes;
    for (const Decoupe& d : j.c.decoupes) decoupes.push_back(decrire(d));
    // Offset by (2, -3) logical units; RestoreDC brings back no clip; an empty handle removes it.
    EXPECT_EQ(decoupes, (std::vector<std::string>{"", "dans 40,20,120,100", "dans 40,20,80,100",
                                                  "dans 40,20,80,100 hors 50,50,60,60",
                                                  "dans 44,14,84,94 hors 54,44,64,54", "", " region 0,0,20,20", ""}));

    // Saved states copy the clip: a region of 1100 rectangles must not multiply.
    Octets grande = mots({0, 6, 1, 0, 0, 1, 0, 0, 0, 0, 0, 2200, 0, 10});
    for (int i = 0; i < 1100; ++i) mot(grande, std::uint32_t(2 * i)), mot(grande, std::uint32_t(2 * i + 1));
    mot(grande, 2200);
    Ecrivain f;
    f.brut(CREATEREGION, grande).enr(SELECTCLIPREGION, {0});
    for (int i = 0; i < 2000; ++i) f.enr(SAVEDC, {});
    Jeu k = jouer(f.carre100());
    ASSERT_EQ(k.c.decoupes.size(), 2u);
    EXPECT_EQ(decrire(k.c.decoupes[1]), " region 0,0,2199,10");
}

// --- Damaged bitmaps and files ---------------------------------------------

TEST(Metafichier, BitmapsEtFichiersMalFormesSontRefuses)
{
    auto modifie = [](std::initializer_list<std::pair<std::size_t, std::uint8_t>> octets) {
        Octets d = dib2x2();
        for (auto [i, v] : octets) d[i] = v;
        return d;
    };
    // 8 bits, 4 pixels a row (4 bytes, no padding), 2 colours; 1 bit, 32767 pixels a row (4096 bytes).
    const Octets huitBits = mots({40, 0, 4, 0, 2, 0, 1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}, Octets(16, 0x01));
    Octets large = mots({40, 0, 32767, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0});
    large.resize(large.size() + 8 + 4096, 0xFF);
    const std::vector<std::pair<const char*, Octets>> bitmaps = {
        {"pixels tronques", [] { Octets d = dib2x2(); return d.resize(d.size() - 2), d; }()},
        {"entete inconnue", modifie({{0, 20}})}, {"profondeur impossible", modifie({{14, 7}})},
        {"largeur nulle", modifie({{4, 0}})}, {"largeur enorme", modifie({{7, 0x40}})},
        {"compression inconnue", modifie({{16, 9}})},
        {"RLE de haut en bas", modifie({{14, 8}, {16, 1}, {8, 0xFE}, {9, 0xFF}, {10, 0xFF}, {11, 0xFF}})},
        {"palette de 300 couleurs a 8 bits", modifie({{14, 8}, {32, 0x2C}, {33, 0x01}})},
        {"correcte", dib2x2()},
        {"correcte: 8 bits, rangees de 4 octets", huitBits},
        {"correcte: 32767 de large", large},
    };
    for (const auto& [nom, dib] : bitmaps) {
        SCOPED_TRACE(nom);
        const bool valide = std::string(nom).starts_with("correcte");
        EXPECT_EQ(lireDib(dib.data(), dib.size()).has_value(), valide);
        Jeu j = jouer(Ecrivain().brut(STRETCHDIB, mots({0x20, 0xCC, 0, 2, 2, 0, 0, 2, 2, 0, 0}, dib)).carre100());
        EXPECT_EQ(j.c.appels.size(), valide ? 1u : 0u);
    }

    const Octets bon = Ecrivain().enr(RECTANGLE, {1, 1, 0, 0}).simple();
    auto change = [&](std::size_t i, std::uint8_t v) { Octets o = bon; return o[i] = v, o; };
    Octets placableCourt = Ecrivain().placable(0, 0, 1, 1, 96), sansEnregistrement(bon.begin(), bon.begin() + 18);
    placableCourt.resize(20);
    sansEnregistrement.push_back(9);
    const std::string court = "Le fichier est trop court pour être un métafichier.",
                      pasUn = "Ce fichier n'est pas un métafichier Windows.";
    const std::vector<std::tuple<const char*, Octets, std::string>> fichiers = {
        {"vide", {}, court},
        {"tronque", Octets(bon.begin(), bon.begin() + 17), court},
        {"placable tronque", placableCourt, court},
        {"mauvais type", change(0, 3), pasUn},
        {"mauvaise taille d'en-tete", change(2, 10), pasUn},
        {"premier enregistrement illisible", sansEnregistrement,
         "Ce métafichier est endommagé : aucun de ses enregistrements n'est lisible."},
    };
    for (const auto& [nom, fichier, erreur] : fichiers) {
        SCOPED_TRACE(nom);
        Jeu j = jouer(fichier);
        EXPECT_FALSE(j.mf);
        EXPECT_EQ(j.erreur, erreur);
    }
}

// --- Drawing with Qt ---------------------------------------------------------

QByteArray enQt(const Octets& o) { return QByteArray(reinterpret_cast<const char*>(o.data()), qsizetype(o.size())); }

TEST(MetafichierQt, DessineUnMetafichierALaTailleDemandee)
{
    // Left half red, a blue square in the right half, a 2 × 2 bitmap in the
    // bottom left corner, yellow text; (0,0)-(200,100) at 1440 units per inch.
    Ecrivain e;
    e.enr(CREATEPEN, {5, 0, 0, 0, 0}).enr(CREATEBRUSH, {0}, {0x00FF, 0, 0}).enr(CREATEBRUSH, {0}, {0x0000, 0x00FF, 0})
        .enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {1}).enr(RECTANGLE, {100, 100, 0, 0})
        .enr(SELECTOBJECT, {2}).enr(RECTANGLE, {60, 180, 20, 140})
        .brut(STRETCHDIB, mots({0x20, 0xCC, 0, 2, 2, 0, 0, 20, 20, 80, 0}, dib2x2()))
        .enr(CREATEPEN, {0, 3, 0}, rgb(0, 128, 0)).enr(SELECTOBJECT, {3})
        .enr(CREATEBRUSH, {2, 0, 0, 5}).enr(SELECTOBJECT, {4}) // hatched, black
        .enr(PIE, {5, 150, 50, 195, 95, 195, 65, 105}).enr(SETTEXTCOLOR, rgb(255, 255, 0)).enr(SETBKMODE, {1})
        .brut(CREATEFONT, police(-14, 0, 700, false, false, false, "Arial")).enr(SELECTOBJECT, {5})
        .brut(TEXTOUT, textOut(10, 10, "M\xE9tafichier"));
    MetafichierQt mf;
    QString erreur;
    ASSERT_TRUE(mf.chargerOctets(enQt(e.placable(0, 0, 200, 100, 1440, 8)), &erreur)) << erreur.toStdString();
    EXPECT_EQ(mf.tailleNaturelle(), QSize(13, 7)); // 200 × 100 twips
    const QImage img = mf.image(QSize(400, 200));
    ASSERT_EQ(img.size(), QSize(400, 200));
    // The left half, the square, outside the shapes, then the bitmap's four pixels.
    const std::vector<std::tuple<int, int, QColor>> points = {
        {100, 100, Qt::red}, {320, 80, Qt::blue},  {380, 190, Qt::white},         {10, 170, Qt::red},
        {30, 170, Qt::white}, {10, 190, Qt::blue}, {30, 190, QColor(0, 255, 0)},
    };
    for (const auto& [x, y, couleur] : points) EXPECT_EQ(img.pixelColor(x, y), couleur) << x << "," << y;
    int jaunes = 0; // the text, near its reference point
    for (int y = 20; y < 60; ++y)
        for (int x = 20; x < 200; ++x)
            jaunes += qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) < 80;
    EXPECT_GT(jaunes, 50);
}

TEST(MetafichierQt, RectanglesEtEllipsesSelonLaPlumeEtLaBrosse)
{
    // The square (20, 20)-(80, 80) drawn twice its size: what its middle and
    // its left edge show for each pen and brush (invalid: hatches, or dashes).
    const QColor vert(0, 128, 0), bleu(Qt::blue), blanc(Qt::white);
    const std::vector<int> plein3Vert = {0, 3, 0, 128 << 8, 0}, brosseBleue = {0, 0, 0xFF, 0};
    struct Cas { const char* nom; std::vector<int> plume, brosse; QColor milieu, bord; } cas[] = {
        {"plume pleine, brosse pleine", plein3Vert, brosseBleue, bleu, vert},
        {"sans plume, brosse pleine", {5, 0, 0, 0, 0}, brosseBleue, bleu, bleu},
        {"plume pleine, sans brosse", plein3Vert, {1, 0, 0, 0}, blanc, vert},
        {"tirets, brosse pleine", {1, 0, 0, 0xFF, 0}, brosseBleue, bleu, QColor()},
        {"plume pleine, hachures", plein3Vert, {2, 0, 0, 5}, QColor(), vert},
    };
    for (const Cas& c : cas)
        for (const std::uint16_t forme : {std::uint16_t(RECTANGLE), std::uint16_t(ELLIPSE)}) {
            SCOPED_TRACE(std::string(c.nom) + (forme == RECTANGLE ? ", rectangle" : ", ellipse"));
            MetafichierQt mf;
            ASSERT_TRUE(mf.chargerOctets(enQt(Ecrivain().enr(CREATEPEN, c.plume).enr(CREATEBRUSH, c.brosse).enr(SELECTOBJECT, {0})
                                                  .enr(SELECTOBJECT, {1}).enr(forme, {80, 80, 20, 20}).carre100())));
            const QImage img = mf.image(QSize(200, 200));
            EXPECT_EQ(img.pixelColor(10, 100).name(), blanc.name());
            QSet<QRgb> milieu; // across the middle
            QSet<int> bord;    // down the left edge, where dashes are half on column 40: red dashes, blue gaps
            for (int i = 0; i < 40; ++i) {
                const QRgb p = img.pixel(40, 90 + i / 2);
                milieu.insert(img.pixel(80 + i, 100)), bord.insert((qRed(p) > qBlue(p)) - (qRed(p) < qBlue(p)));
            }
            EXPECT_TRUE(c.milieu.isValid() ? img.pixelColor(100, 100) == c.milieu
                                           : milieu.contains(qRgb(0, 0, 0)) && milieu.contains(qRgb(255, 255, 255)));
            EXPECT_TRUE(c.bord.isValid() ? img.pixelColor(41, 100) == c.bord : bord.contains(1) && bord.contains(-1));
        }
}

TEST(MetafichierQt, DesFormesGigantesquesSeDessinentViteEtLesTaillesFolles)
{
    // Shapes a million pixels wide, wide pens and huge fonts, as a damaged
    // file may ask for: drawn in well under a second each.
    Ecrivain e;
    e.enr(SETWINDOWEXT, {1, 1}).enr(CREATEPEN, {0, 32767, 0, 0, 0}).enr(CREATEBRUSH, {2, 0, 0, 3})
        .brut(CREATEFONT, police(-32768, 450, 700, true, false, false, "Arial"))
        .brut(DIBCREATEPATTERNBRUSH, mots({5, 0}, dib2x2()))
        .enr(SELECTOBJECT, {0}).enr(SELECTOBJECT, {1}).enr(SELECTOBJECT, {2}).enr(EXCLUDECLIPRECT, {32767, 32767, 1, 1});
    for (int i = 0; i < 5; ++i) // many at once: each must be quick
        e.enr(ELLIPSE, {32767, 32767, -32768, -32768}).enr(ROUNDRECT, {32767, 32767, 32767, 32767, -32768, -32768})
            .enr(PIE, {0, 0, 0, 1, 32767, 32767, -32768, -32768})
            .enr(POLYLINE, {3, -32768, -32768, 32767, 32767, -32768, 32767}).brut(TEXTOUT, textOut(0, 0, "Wwwwwwwwww"))
            .brut(STRETCHDIB, mots({0x20, 0xCC, 0, 2, 2, 0, 0, 32767, 32767, -32768, -32768}, dib2x2()));
    e.enr(SELECTOBJECT, {3}).enr(RECTANGLE, {32767, 32767, -32768, -32768});
    MetafichierQt mf;
    ASSERT_TRUE(mf.chargerOctets(enQt(e.carre100())));
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_FALSE(mf.image(QSize(800, 600)).isNull());
    EXPECT_LT(chrono.elapsed(), 20000);
    // Sizes no picture is drawn at; a failed load drops the picture.
    EXPECT_TRUE(mf.image(QSize(0, 10)).isNull() && mf.image(QSize(100000, 100000)).isNull());
    QString erreur;
    EXPECT_FALSE(mf.chargerOctets(QByteArray("GIF89a, pas un metafichier"), &erreur));
    EXPECT_EQ(erreur, QStringLiteral("Ce fichier n'est pas un métafichier Windows."));
    EXPECT_TRUE(!mf.estCharge() && mf.image(QSize(10, 10)).isNull());
}

} // namespace
} // namespace ostrelle
