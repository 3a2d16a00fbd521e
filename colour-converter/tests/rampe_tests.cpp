#include "colour-converter/core/rampe.hpp"

#include <gtest/gtest.h>

#include <vector>

using namespace tintara;

namespace {
struct Rect {
    int x, y, l, h;
    Couleur c;
};
class Enregistreur : public Canevas {
public:
    void rectanglePlein(int x, int y, int l, int h, Couleur c) override { rects.push_back({x, y, l, h, c}); }
    std::vector<Rect> rects;
};
} // namespace

TEST(RampeBleue, BandesJointivesSurLaHauteurDUneEchelleDe512)
{
    struct Cas {
        const char* nom;
        int y, largeur, hauteur;
        int bandes;      // bands drawn
        int basDerniere; // row below the last band
    } cas[] = {
        {"depuis le haut, 512 lignes", 0, 640, 512, 256, 512},
        {"depuis le haut, 600 lignes", 0, 800, 600, 256, 600},
        {"depuis le haut, 1080 lignes", 0, 1920, 1080, 256, 1080},
        {"depuis le milieu: la moitie", 300, 800, 600, 128, 600},
        {"sur la rangee du bas", 599, 800, 600, 1, 601},
        {"sous la fenetre", 600, 800, 600, 0, 0},
    };
    for (const auto& c : cas) {
        Enregistreur e;
        dessinerRampeBleue(e, 12, 34, c.y, c.largeur, c.hauteur);
        ASSERT_EQ(static_cast<int>(e.rects.size()), c.bandes) << c.nom;
        if (e.rects.empty())
            continue;
        int attendu = c.y;
        for (std::size_t i = 0; i < e.rects.size(); ++i) {
            const Rect& r = e.rects[i];
            EXPECT_EQ(r.y, attendu) << c.nom << " bande " << i;
            EXPECT_GT(r.h, 0) << c.nom;
            EXPECT_EQ(r.x, 0) << c.nom;
            EXPECT_EQ(r.l, c.largeur) << c.nom;
            EXPECT_EQ(r.c, rgb(12, 34, static_cast<int>(i))) << c.nom;
            attendu = r.y + r.h;
        }
        EXPECT_EQ(attendu, c.basDerniere) << c.nom;
    }
}

TEST(RampeBleue, BandesPlusFinesQueLePixel)
{
    // 100 rows for 256 bands: some bands have no row of their own, the blue still rises.
    Enregistreur e;
    dessinerRampeBleue(e, 0, 0, 0, 10, 100);
    ASSERT_FALSE(e.rects.empty());
    EXPECT_LT(e.rects.size(), 256u);
    int bas = 0;
    int bleuPrecedent = -1;
    for (const Rect& r : e.rects) {
        EXPECT_EQ(r.y, bas);
        EXPECT_GT(bleu(r.c), bleuPrecedent);
        bleuPrecedent = bleu(r.c);
        bas = r.y + r.h;
    }
    EXPECT_EQ(bas, 100);
    EXPECT_GE(bleu(e.rects.back().c), 250);
}

TEST(RampeBleue, FenetreVide)
{
    Enregistreur e;
    dessinerRampeBleue(e, 0, 0, 0, 0, 600);
    dessinerRampeBleue(e, 0, 0, 0, 800, 0);
    EXPECT_TRUE(e.rects.empty());
}
