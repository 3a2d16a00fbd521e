#include "about/animated/apropos.hpp"
#include "colour-converter/ui/fenprin.hpp"
#include "colour-converter/ui/pleinecran.hpp"
#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tintara;
using velmaro::twips;
using velmaro::testing::FakeServices;

namespace {
struct Fenetre {
    FakeServices f;
    FenPrin fen{f};
    Fenetre()
    {
        fen.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fen));
    }
    QStringList textes() const
    {
        return {fen.Text1->text(), fen.Text2->text(), fen.Text3->text(), fen.Text4->text()};
    }
    QList<int> positions() const
    {
        return {fen.ReglageR->value(), fen.ReglageG->value(), fen.ReglageB->value()};
    }
};

QStringList attendus(int r, int g, int b)
{
    const Notations n = notations(r, g, b);
    return {QString::fromStdString(n.rgbHexa), QString::fromStdString(n.rgbDeci), QString::fromStdString(n.vb),
            QString::fromStdString(n.html)};
}

// What the picture box really paints in its middle.
QColor fond(QWidget* w)
{
    return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
}
} // namespace

TEST(FenPrin, DispositionEnTwips)
{
    FakeServices f;
    FenPrin fen(f);
    struct Cas {
        QWidget* controle;
        QWidget* conteneur;
        QRect geometrie;
    } cas[] = {
        {fen.Frame1, &fen, twips(60, 60, 2535, 3555)},      {fen.Picture1, fen.Frame1, twips(120, 240, 2295, 1035)},
        {fen.Frame2, fen.Frame1, twips(120, 1320, 2295, 675)}, {fen.Text1, fen.Frame2, twips(120, 240, 2055, 315)},
        {fen.Frame3, fen.Frame1, twips(120, 2040, 2295, 675)}, {fen.Text2, fen.Frame3, twips(120, 240, 2055, 315)},
        {fen.Frame5, &fen, twips(180, 2820, 1155, 675)},    {fen.Text3, fen.Frame5, twips(90, 240, 975, 315)},
        {fen.Frame6, &fen, twips(1380, 2820, 1095, 675)},   {fen.Text4, fen.Frame6, twips(90, 240, 915, 315)},
        {fen.CmdCopie, &fen, twips(60, 3720, 1275, 375)},   {fen.CmdCopiePic, &fen, twips(1320, 3720, 1275, 375)},
        {fen.CmdPresPap, &fen, twips(60, 4080, 2535, 375)}, {fen.Frame4, &fen, twips(2700, 60, 1935, 3555)},
        {fen.Picture2, fen.Frame4, twips(120, 240, 495, 435)}, {fen.Picture3, fen.Frame4, twips(720, 240, 495, 435)},
        {fen.Picture4, fen.Frame4, twips(1320, 240, 495, 435)}, {fen.Label1, fen.Frame4, twips(120, 780, 495, 2655)},
        {fen.Label2, fen.Frame4, twips(720, 780, 495, 2655)}, {fen.Label3, fen.Frame4, twips(1320, 780, 495, 2655)},
        {fen.ReglageR, fen.Frame4, twips(180, 840, 375, 2535)}, {fen.ReglageG, fen.Frame4, twips(780, 840, 375, 2535)},
        {fen.ReglageB, fen.Frame4, twips(1380, 840, 375, 2535)}, {fen.CmdGRIS, &fen, twips(2700, 3720, 1935, 375)},
        {fen.CmdApro, &fen, twips(2700, 4080, 1935, 375)},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(c.controle->parentWidget(), c.conteneur) << c.controle->objectName().toStdString();
        EXPECT_EQ(c.controle->geometry(), c.geometrie) << c.controle->objectName().toStdString();
    }
    // The VB and HTML frames lie over Frame1, the sliders over their labels.
    const auto freres = fen.children();
    EXPECT_GT(freres.indexOf(fen.Frame5), freres.indexOf(fen.Frame1));
    EXPECT_GT(freres.indexOf(fen.Frame6), freres.indexOf(fen.Frame1));
    const auto dansFrame4 = fen.Frame4->children();
    EXPECT_GT(dansFrame4.indexOf(fen.ReglageR), dansFrame4.indexOf(fen.Label1));
    EXPECT_GT(dansFrame4.indexOf(fen.ReglageB), dansFrame4.indexOf(fen.Label3));
}

TEST(FenPrin, Demarrage)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    EXPECT_EQ(fen.windowTitle(), "Tintara");
    EXPECT_FALSE(fen.windowIcon().isNull());
    const QStringList legendes = {fen.Frame1->title(),  fen.Frame2->title(),     fen.Frame3->title(),
                                  fen.Frame5->title(),  fen.Frame6->title(),     fen.Frame4->title(),
                                  fen.CmdCopie->text(), fen.CmdCopiePic->text(), fen.CmdPresPap->text(),
                                  fen.CmdGRIS->text(),  fen.CmdApro->text()};
    EXPECT_EQ(legendes, QStringList({"Composante RGB", "RGB (hexa)", "RGB (déci)", "VB", "HTML",
                                     "Réglage des couleurs", "Copie VB", "Copie HTML", "Presse-papiers",
                                     "Niveaux de gris", "A propos..."}));
    EXPECT_EQ(fen.Picture1->cursor().shape(), Qt::SizeAllCursor);
    for (QLineEdit* t : {fen.Text1, fen.Text2, fen.Text3, fen.Text4})
        EXPECT_TRUE(t->isReadOnly());
    EXPECT_EQ(w.textes(), QStringList({"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255,255)", "&HFFFFFF", "#FFFFFF"}));
    EXPECT_EQ(w.positions(), QList<int>({0, 0, 0}));
    EXPECT_EQ(fond(fen.Picture1), QColor(255, 255, 255));
    EXPECT_EQ(fond(fen.Picture2), QColor(255, 0, 0));
    EXPECT_EQ(fond(fen.Picture3), QColor(0, 255, 0));
    EXPECT_EQ(fond(fen.Picture4), QColor(0, 0, 255));
    QTest::mouseClick(fen.CmdCopie, Qt::LeftButton);
    EXPECT_EQ(w.f.clipboard.texte, "'Valeur RGB(hexa) : RGB(&HFF, &HFF, &HFF) - Valeur RGB(dec) : RGB(255, 255,255)"
                                   " - Valeur directe VB : &HFFFFFF");
    EXPECT_TRUE(fen.isMinimized());
    fen.showNormal();

    // Fixed size, no maximise button; a resize request changes nothing.
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(4695, 4500));
    EXPECT_FALSE(fen.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(fen.windowFlags() & Qt::WindowMinimizeButtonHint);
    fen.resize(500, 500);
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(4695, 4500));

    const QList<QWidget*> ordre = {fen.Text1, fen.Text2, fen.Text3, fen.Text4, fen.CmdCopie, fen.CmdCopiePic,
                                   fen.CmdPresPap, fen.CmdGRIS, fen.CmdApro, fen.ReglageR, fen.ReglageG, fen.ReglageB};
    fen.activateWindow();
    fen.Text1->setFocus();
    for (int i = 1; i < ordre.size(); ++i) {
        QTest::keyClick(fen.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), ordre[i]) << i;
    }
}

TEST(FenPrin, GlisserSansSuiviMetAJourEnDirect)
{
    // Even a slider that only reports its value on release follows the thumb.
    Fenetre w;
    QScrollBar* s = w.fen.ReglageG;
    s->setTracking(false);
    s->setSliderDown(true);
    s->setSliderPosition(200);
    EXPECT_EQ(s->value(), 0);
    EXPECT_EQ(w.textes(), attendus(0, 200, 0));
    s->setSliderPosition(30);
    EXPECT_EQ(w.textes(), attendus(0, 30, 0));
    s->setSliderDown(false);
    EXPECT_EQ(s->value(), 30);
    EXPECT_EQ(w.textes(), attendus(0, 30, 0));
}

// Grey mode in the window: the other sliders follow the last moved one, the
// captions change, and going back changes the captions only.
TEST(FenPrin, ModeGris)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    fen.ReglageR->setValue(50);
    fen.ReglageG->setValue(127); // level 128
    QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
    EXPECT_EQ(fen.CmdGRIS->text(), "Couleurs");
    EXPECT_EQ(fen.Frame4->title(), "Réglage des grisages");
    EXPECT_EQ(w.positions(), QList<int>({127, 127, 127}));
    EXPECT_EQ(w.textes(), attendus(127, 127, 127));
    EXPECT_EQ(fond(fen.Picture2), QColor(128, 0, 0));
    // A drag carries the other two along.
    fen.ReglageB->setSliderDown(true);
    fen.ReglageB->setSliderPosition(240);
    fen.ReglageB->setSliderDown(false);
    EXPECT_EQ(w.positions(), QList<int>({240, 240, 240}));
    EXPECT_EQ(fen.Text3->text(), "&H0F0F0F");
    QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
    EXPECT_EQ(fen.CmdGRIS->text(), "Niveaux de gris");
    EXPECT_EQ(fen.Frame4->title(), "Réglage des couleurs");
    fen.ReglageB->setValue(0);
    EXPECT_EQ(w.positions(), QList<int>({240, 240, 0}));
    EXPECT_EQ(fen.Text4->text(), "#0F0FFF");
}

TEST(FenPrin, VisionneuseDuPressePapiersEtAPropos)
{
    Fenetre w;
    QTest::mouseClick(w.fen.CmdPresPap, Qt::LeftButton);
    ASSERT_EQ(w.f.launcher.lancements.size(), 1u);
    EXPECT_EQ(w.f.launcher.lancements[0].programme, "clipbrd.exe");
    EXPECT_TRUE(w.f.launcher.lancements[0].arguments.isEmpty());
    EXPECT_TRUE(w.f.messages.boites.empty());
    EXPECT_FALSE(w.fen.isMinimized());

    // A viewer that can't start is told, and the window goes on working.
    w.f.launcher.echecs.insert("clipbrd.exe");
    QTest::mouseClick(w.fen.CmdPresPap, Qt::LeftButton);
    ASSERT_EQ(w.f.messages.boites.size(), 1u);
    EXPECT_EQ(w.f.messages.boites[0].texte, "Fichier introuvable : clipbrd.exe");
    EXPECT_EQ(w.f.messages.boites[0].style, 0);
    EXPECT_EQ(w.f.messages.boites[0].titre, "Tintara");
    w.fen.ReglageR->setValue(255);
    EXPECT_EQ(w.fen.Text4->text(), "#00FFFF");

    QString nom;
    QTimer::singleShot(0, [&] {
        auto* a = qobject_cast<about::Apropos*>(QApplication::activeModalWidget());
        ASSERT_NE(a, nullptr);
        nom = a->Label2->text();
        a->CmdOK->click();
    });
    QTest::mouseClick(w.fen.CmdApro, Qt::LeftButton);
    EXPECT_EQ(nom, QStringLiteral("Tintara"));
    EXPECT_TRUE(w.fen.isVisible());
}

TEST(FenPrin, ClicSurLEchantillonOuvreLePleinEcran)
{
    struct Cas {
        const char* nom;
        bool bouger;
        QColor couleur;
    } cas[] = {{"avant tout mouvement", false, QColor(255, 255, 255)}, {"apres", true, QColor(255, 10, 0)}};
    for (const auto& c : cas) {
        Fenetre w;
        if (c.bouger) {
            w.fen.ReglageG->setValue(245);
            w.fen.ReglageB->setValue(255);
        }
        bool vue = false;
        QRect geometrie;
        QColor couleur;
        QString titre;
        QTimer::singleShot(0, [&] {
            auto* p = qobject_cast<PleinEcran*>(QApplication::activeModalWidget());
            if (!p)
                return;
            vue = true;
            geometrie = p->geometry();
            titre = p->windowTitle();
            couleur = p->grab().toImage().pixelColor(400, 300);
            QTest::mouseClick(p->picture1, Qt::LeftButton, {}, QPoint(10, 10));
        });
        // Only a left click on the swatch opens the view.
        QTest::mouseClick(w.fen.Picture1, Qt::RightButton);
        EXPECT_FALSE(vue) << c.nom;
        QTest::mouseClick(w.fen.Picture1, Qt::LeftButton);
        EXPECT_TRUE(vue) << c.nom;
        EXPECT_EQ(titre, "Plein Ecran") << c.nom;
        EXPECT_EQ(geometrie, w.fen.screen()->geometry()) << c.nom;
        EXPECT_EQ(couleur, c.couleur) << c.nom;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.nom;
        EXPECT_TRUE(w.fen.isVisible()) << c.nom;
    }
}

// A clipboard that refuses a copy: the description in a box, nothing changes;
// once it is free the same click copies.
TEST(FenPrin, PressePapiersEnPanneRienNeChange)
{
    for (QPushButton* FenPrin::*bouton : {&FenPrin::CmdCopie, &FenPrin::CmdCopiePic}) {
        Fenetre w;
        w.fen.ReglageG->setValue(128);
        QTest::mouseClick(w.fen.CmdGRIS, Qt::LeftButton);
        const QStringList avant = w.textes() << w.fen.CmdGRIS->text();
        w.f.clipboard.texte = "ce qui y était";
        w.f.clipboard.echec = "Le Presse-papiers est utilisé par une autre application.";
        QTest::mouseClick(w.fen.*bouton, Qt::LeftButton);
        ASSERT_EQ(w.f.messages.boites.size(), 1u);
        EXPECT_EQ(w.f.messages.boites[0].texte, "Le Presse-papiers est utilisé par une autre application.");
        EXPECT_EQ(w.f.messages.boites[0].style, 0);
        EXPECT_EQ(w.f.messages.boites[0].titre, "Tintara");
        EXPECT_FALSE(w.fen.isMinimized());
        EXPECT_EQ(w.textes() << w.fen.CmdGRIS->text(), avant);
        EXPECT_EQ(w.positions(), QList<int>({128, 128, 128}));
        EXPECT_EQ(w.f.clipboard.texte, "ce qui y était");
        w.f.clipboard.echec.clear();
        QTest::mouseClick(w.fen.*bouton, Qt::LeftButton);
        EXPECT_EQ(w.f.clipboard.ecritures, 1);
        EXPECT_TRUE(w.fen.isMinimized());
    }
}

// The full-screen view beyond what the real desktop test presses: Escape and
// the left and other buttons close it; a right press on the strip below the
// picture paints the blue ramp from that row down; the picture shown again
// by any other press has forgotten its inversion.
TEST(PleinEcran, FermetureEtRampeBleue)
{
    QWidget parent;
    PositionsPubliees p;
    for (int bouton : {int(Qt::Key_Escape), int(Qt::LeftButton), int(Qt::BackButton)}) {
        PleinEcran v(p, &parent);
        v.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        EXPECT_EQ(v.grab().toImage().pixelColor(400, 300), QColor(255, 255, 255)); // nothing published: white
        if (bouton == Qt::Key_Escape)
            QTest::keyClick(&v, Qt::Key_Escape);
        else
            QTest::mousePress(v.picture1, Qt::MouseButton(bouton), {}, {700, 20});
        EXPECT_FALSE(v.isVisible()) << bouton;
    }
    p.r = 0;
    p.g = 245;
    p.b = 255; // red 255, green 10
    PleinEcran v(p, &parent);
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    const int h = v.height();
    auto pixel = [&v](int x, int y) { return v.grab().toImage().pixelColor(x, y); };
    QTest::mousePress(v.picture1, Qt::RightButton, {}, {50, 50});
    EXPECT_EQ(pixel(400, 300), QColor(0, 245, 255));
    QTest::mousePress(&v, Qt::RightButton, {}, {100, h - 1});
    EXPECT_FALSE(v.picture1->isVisible());
    EXPECT_EQ(pixel(400, 10), QColor(0, 0, 0));
    EXPECT_EQ(pixel(400, h - 1), QColor(255, 10, 0));
    QTest::mousePress(&v, Qt::RightButton, {}, {300, 0});
    EXPECT_EQ(pixel(v.width() - 1, h / 2), QColor(255, 10, 128));
    EXPECT_EQ(pixel(200, h - 1), QColor(255, 10, 255));
    // The drawing stays under the picture.
    QTest::mousePress(&v, Qt::MiddleButton, {}, {300, 300});
    EXPECT_EQ(pixel(400, 300), QColor(255, 10, 0));
    EXPECT_EQ(v.dessin().pixelColor(0, h - 1), QColor(255, 10, 255));
}
