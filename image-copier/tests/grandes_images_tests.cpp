// Large pictures are decoded at the size they are shown at: what the window
// shows and what the copy button puts on the clipboard stay as they were.
#include "common/testing/fakes.hpp"
#include "common/ui/twips.hpp"
#include "image-copier/core/affichage.hpp"
#include "image-copier/ui/fenprin.hpp"
#include "image-copier/ui/fichiers.hpp"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

using namespace ostrelle;
using velmaro::twips;

namespace {

// A picture in four coloured quarters, so that a misplaced or mirrored
// reduction shows.
void ecrireQuartiers(const QString& fichier, int largeur, int hauteur, const char* format)
{
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x) {
            const bool droite = x >= largeur / 2, bas = y >= hauteur / 2;
            image.setPixel(x, y, droite ? (bas ? qRgb(0, 0, 200) : qRgb(0, 160, 0)) : (bas ? qRgb(220, 220, 0) : qRgb(200, 0, 0)));
        }
    ASSERT_TRUE(image.save(fichier, format, 95));
}

bool proche(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 && std::abs(a.blue() - b.blue()) < 24;
}

// Where the window puts a picture of this own size, by the placement rule.
QRect placement(QSize propre)
{
    const QSize t = propre * velmaro::twipsParPixel;
    const PlacementImage p = placerImage(t.width(), t.height());
    return twips(static_cast<int>(std::lround(p.gauche)), static_cast<int>(std::lround(p.haut)),
                 static_cast<int>(std::lround(p.largeur)), static_cast<int>(std::lround(p.hauteur)));
}

} // namespace

TEST(GrandesImages, MontreesALeurTailleAffichee)
{
    QTemporaryDir dossier;
    struct Cas {
        const char* nom;
        const char* format;
        QSize propre;
        bool etire;
    } cas[] = {
        {"photo.jpg", "JPG", QSize(1600, 1200), true},    // decoded smaller by the JPEG decoder
        {"bande.bmp", "BMP", QSize(1200, 240), true},     // read whole, reduced once
        {"haute.jpg", "JPG", QSize(300, 900), true},
        {"petite.jpg", "JPG", QSize(200, 134), false},    // shown at its own size
    };
    for (const Cas& c : cas)
        ecrireQuartiers(dossier.filePath(c.nom), c.propre.width(), c.propre.height(), c.format);

    velmaro::testing::FakeServices services;
    FenPrin f(services);
    f.show();
    f.Dir1->setPath(dossier.path());
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const auto trouves = f.File1->findItems(c.nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1);
        QTest::mouseClick(f.File1->viewport(), Qt::LeftButton, {}, f.File1->visualItemRect(trouves.front()).center());
        ASSERT_TRUE(services.messages.boites.empty()) << services.messages.boites.front().texte.toStdString();

        EXPECT_EQ(f.Image1->geometry(), placement(c.propre));
        EXPECT_EQ(f.Image1->stretch(), c.etire);
        const QImage montree = f.Image1->picture();
        EXPECT_EQ(montree.size(), f.Image1->size()) << "the picture is held at the size shown";
        const int l = montree.width(), h = montree.height();
        EXPECT_TRUE(proche(montree.pixelColor(l / 4, h / 4), QColor(200, 0, 0)));
        EXPECT_TRUE(proche(montree.pixelColor(3 * l / 4, h / 4), QColor(0, 160, 0)));
        EXPECT_TRUE(proche(montree.pixelColor(l / 4, 3 * h / 4), QColor(220, 220, 0)));
        EXPECT_TRUE(proche(montree.pixelColor(3 * l / 4, 3 * h / 4), QColor(0, 0, 200)));
        const QImage peinte = f.Image1->grab().toImage();
        EXPECT_TRUE(proche(peinte.pixelColor(3 * l / 4, 3 * h / 4), QColor(0, 0, 200)));

        // The copy is the picture at its own size, read again.
        QTest::mouseClick(f.CmdCOPIER, Qt::LeftButton);
        EXPECT_EQ(services.clipboard.image().size(), c.propre);
        f.setWindowState(Qt::WindowNoState);
    }
}

TEST(GrandesImages, ChargementALaTailleDemandee)
{
    QTemporaryDir dossier;
    const QString photo = dossier.filePath("photo.jpg");
    ecrireQuartiers(photo, 640, 480, "JPG");
    struct Cas {
        const char* nom;
        std::function<QSize(QSize)> affichage;
        QSize decodee;
    } cas[] = {
        {"no display size: its own", {}, QSize(640, 480)},
        {"a quarter", [](QSize s) { return s / 4; }, QSize(160, 120)},
        {"not stretched out of shape", [](QSize) { return QSize(100, 20); }, QSize(100, 20)},
        {"never enlarged", [](QSize s) { return s * 2; }, QSize(640, 480)},
        {"an empty size is ignored", [](QSize) { return QSize(); }, QSize(640, 480)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const ImageFichier fichier = ImageFichier::charger(photo, c.affichage);
        EXPECT_EQ(fichier.taille(), QSize(640, 480)) << "its own size whatever it was decoded at";
        const QImage image = fichier.image(c.decodee);
        ASSERT_EQ(image.size(), c.decodee);
        const int l = image.width(), h = image.height();
        EXPECT_TRUE(proche(image.pixelColor(l / 4, h / 4), QColor(200, 0, 0)));
        EXPECT_TRUE(proche(image.pixelColor(3 * l / 4, 3 * h / 4), QColor(0, 0, 200)));
        EXPECT_FALSE(fichier.estMetafichier());
    }
}
