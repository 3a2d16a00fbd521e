#include "about/animated/apropos.hpp"
#include "colour-converter/ui/fenprin.hpp"
#include "colour-converter/ui/pleinecran.hpp"
#include "common/testing/fakes.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/twips.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
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

QColor fond(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}

QRect poignee(QScrollBar* s)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = s->sliderPosition();
    opt.sliderValue = s->value();
    opt.singleStep = s->singleStep();
    opt.pageStep = s->pageStep();
    opt.upsideDown = s->invertedAppearance();
    return s->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, s);
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

TEST(FenPrin, LegendesEtFenetre)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    EXPECT_EQ(fen.windowTitle(), "Tintara");
    EXPECT_FALSE(fen.windowIcon().isNull());
    EXPECT_EQ(fen.Frame1->title(), "Composante RGB");
    EXPECT_EQ(fen.Frame2->title(), "RGB (hexa)");
    EXPECT_EQ(fen.Frame3->title(), "RGB (déci)");
    EXPECT_EQ(fen.Frame5->title(), "VB");
    EXPECT_EQ(fen.Frame6->title(), "HTML");
    EXPECT_EQ(fen.Frame4->title(), "Réglage des couleurs");
    EXPECT_EQ(fen.CmdCopie->text(), "Copie VB");
    EXPECT_EQ(fen.CmdCopiePic->text(), "Copie HTML");
    EXPECT_EQ(fen.CmdPresPap->text(), "Presse-papiers");
    EXPECT_EQ(fen.CmdGRIS->text(), "Niveaux de gris");
    EXPECT_EQ(fen.CmdApro->text(), "A propos...");
    EXPECT_EQ(fen.Picture1->cursor().shape(), Qt::SizeAllCursor);
    for (QLineEdit* t : {fen.Text1, fen.Text2, fen.Text3, fen.Text4})
        EXPECT_TRUE(t->isReadOnly());

    // Fixed size, no maximise button; a resize request changes nothing.
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(4695, 4500));
    EXPECT_FALSE(fen.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(fen.windowFlags() & Qt::WindowMinimizeButtonHint);
    fen.resize(500, 500);
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(4695, 4500));
    fen.showMinimized();
    fen.showNormal();
    EXPECT_EQ(fen.size(), velmaro::twipsTaille(4695, 4500));
}

TEST(FenPrin, OrdreDeTabulation)
{
    Fenetre w;
    FenPrin& fen = w.fen;
    const QList<QWidget*> ordre = {fen.Text1, fen.Text2, fen.Text3, fen.Text4, fen.CmdCopie, fen.CmdCopiePic,
                                   fen.CmdPresPap, fen.CmdGRIS, fen.CmdApro, fen.ReglageR, fen.ReglageG, fen.ReglageB};
    fen.activateWindow();
    fen.Text1->setFocus();
    for (int i = 1; i < ordre.size(); ++i) {
        QTest::keyClick(fen.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(fen.focusWidget(), ordre[i]) << i;
    }
}

TEST(FenPrin, TextesDeDepart)
{
    Fenetre w;
    EXPECT_EQ(w.textes(), QStringList({"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255,255)", "&HFFFFFF", "#FFFFFF"}));
    EXPECT_EQ(w.positions(), QList<int>({0, 0, 0}));
    EXPECT_EQ(fond(w.fen.Picture1), QColor(255, 255, 255));
    EXPECT_EQ(fond(w.fen.Picture2), QColor(255, 0, 0));
    EXPECT_EQ(fond(w.fen.Picture3), QColor(0, 255, 0));
    EXPECT_EQ(fond(w.fen.Picture4), QColor(0, 0, 255));
}

TEST(FenPrin, ClavierSurLesReglages)
{
    // A slider's top is full intensity: Up raises the component, Down lowers it.
    struct Cas {
        const char* nom;
        QList<Qt::Key> touches;
        int position;
    } cas[] = {
        {"haut en butee", {Qt::Key_Up}, 0},
        {"bas", {Qt::Key_Down}, 1},
        {"la fleche haut remonte d'un cran", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, 1},
        {"page", {Qt::Key_PageDown}, 10},
        {"page puis fleche", {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Up}, 19},
        {"fin", {Qt::Key_End}, 255},
        {"fin puis page haut", {Qt::Key_End, Qt::Key_PageUp}, 245},
        {"debut", {Qt::Key_End, Qt::Key_Home}, 0},
    };
    for (const auto& c : cas) {
        Fenetre w;
        w.fen.activateWindow();
        w.fen.ReglageG->setFocus();
        for (Qt::Key k : c.touches)
            QTest::keyClick(w.fen.ReglageG, k);
        EXPECT_EQ(w.positions(), QList<int>({0, c.position, 0})) << c.nom;
        if (c.touches == QList<Qt::Key>{Qt::Key_Up}) {
            // No change, no handler: the start texts stay.
            EXPECT_EQ(w.textes()[1], "RGB(255, 255,255)") << c.nom;
        } else {
            EXPECT_EQ(w.textes(), attendus(0, c.position, 0)) << c.nom;
            EXPECT_EQ(fond(w.fen.Picture3), QColor(0, 255 - c.position, 0)) << c.nom;
            EXPECT_EQ(fond(w.fen.Picture1), QColor(255, 255 - c.position, 255)) << c.nom;
        }
        EXPECT_EQ(fond(w.fen.Picture2), QColor(255, 0, 0)) << c.nom;
    }
}

TEST(FenPrin, ClicsSurLaGlissiere)
{
    Fenetre w;
    QScrollBar* s = w.fen.ReglageB;
    const QRect p = poignee(s);
    // A click in the track below the thumb moves one page down.
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() / 2, s->height() - 40));
    EXPECT_EQ(s->value(), 10);
    EXPECT_EQ(w.textes(), attendus(0, 0, 10));
    // The lower arrow steps by one.
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() / 2, s->height() - 3));
    EXPECT_EQ(s->value(), 11);
    // A click above the thumb goes back a page.
    const QRect q = poignee(s);
    ASSERT_GT(q.top(), p.top());
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() / 2, q.top() - 2));
    EXPECT_EQ(s->value(), 1);
    EXPECT_EQ(w.textes(), attendus(0, 0, 1));
}

TEST(FenPrin, GlisserMetAJourEnDirect)
{
    Fenetre w;
    QScrollBar* s = w.fen.ReglageR;
    const QPoint depart = poignee(s).center();
    QTest::mousePress(s, Qt::LeftButton, {}, depart);
    ASSERT_TRUE(s->isSliderDown());
    QStringList pendant;
    for (int dy : {20, 60, 100}) {
        QTest::mouseMove(s, depart + QPoint(0, dy));
        pendant << w.fen.Text2->text();
    }
    const int avantRelache = s->sliderPosition();
    QTest::mouseRelease(s, Qt::LeftButton, {}, depart + QPoint(0, 100));
    EXPECT_GT(avantRelache, 0);
    // Every move showed a new colour before the thumb was released.
    EXPECT_EQ(pendant.size(), 3);
    EXPECT_NE(pendant[0], "RGB(255, 255,255)");
    EXPECT_NE(pendant[0], pendant[1]);
    EXPECT_NE(pendant[1], pendant[2]);
    EXPECT_EQ(pendant[2], attendus(avantRelache, 0, 0)[1]);
    EXPECT_EQ(w.textes(), attendus(s->value(), 0, 0));
    EXPECT_EQ(s->value(), avantRelache);
}

TEST(FenPrin, ScrollSansSuivi)
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

TEST(FenPrin, ModeGrisDansLesDeuxOrdres)
{
    struct Cas {
        const char* nom;
        bool grisDAbord; // grey mode on before moving, or after
    } cas[] = {{"gris puis reglage", true}, {"reglage puis gris", false}};
    for (const auto& c : cas) {
        Fenetre w;
        FenPrin& fen = w.fen;
        fen.ReglageR->setValue(50);
        if (c.grisDAbord)
            QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
        fen.ReglageG->setFocus();
        QTest::keyClick(fen.ReglageG, Qt::Key_End);
        QTest::keyClick(fen.ReglageG, Qt::Key_PageUp); // 245
        for (int i = 0; i < 118; ++i)
            QTest::keyClick(fen.ReglageG, Qt::Key_Up); // 127: level 128
        if (!c.grisDAbord) {
            EXPECT_EQ(w.positions(), QList<int>({50, 127, 0})) << c.nom;
            QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
        }
        EXPECT_EQ(fen.CmdGRIS->text(), "Couleurs") << c.nom;
        EXPECT_EQ(fen.Frame4->title(), "Réglage des grisages") << c.nom;
        EXPECT_EQ(w.positions(), QList<int>({127, 127, 127})) << c.nom;
        EXPECT_EQ(w.textes(), attendus(127, 127, 127)) << c.nom;
        EXPECT_EQ(fond(fen.Picture1), QColor(128, 128, 128)) << c.nom;
        EXPECT_EQ(fond(fen.Picture2), QColor(128, 0, 0)) << c.nom;
        EXPECT_EQ(fond(fen.Picture3), QColor(0, 128, 0)) << c.nom;
        EXPECT_EQ(fond(fen.Picture4), QColor(0, 0, 128)) << c.nom;

        QTest::mouseClick(fen.CmdCopiePic, Qt::LeftButton);
        EXPECT_EQ(w.f.clipboard.texte, "#808080") << c.nom;
        fen.showNormal();

        QTest::mouseClick(fen.CmdGRIS, Qt::LeftButton);
        EXPECT_EQ(fen.CmdGRIS->text(), "Niveaux de gris") << c.nom;
        EXPECT_EQ(fen.Frame4->title(), "Réglage des couleurs") << c.nom;
        EXPECT_EQ(w.positions(), QList<int>({127, 127, 127})) << c.nom;
        EXPECT_EQ(w.textes(), attendus(127, 127, 127)) << c.nom;
        // Colour mode again: one slider moves alone.
        fen.ReglageB->setFocus();
        QTest::keyClick(fen.ReglageB, Qt::Key_Home);
        EXPECT_EQ(w.positions(), QList<int>({127, 127, 0})) << c.nom;
        EXPECT_EQ(fen.Text4->text(), "#8080FF") << c.nom;
        EXPECT_EQ(fond(fen.Picture2), QColor(128, 0, 0)) << c.nom;
    }
}

TEST(FenPrin, GrisAvantToutMouvementResteBlanc)
{
    Fenetre w;
    QTest::mouseClick(w.fen.CmdGRIS, Qt::LeftButton);
    EXPECT_EQ(w.positions(), QList<int>({0, 0, 0}));
    EXPECT_EQ(w.textes(), QStringList({"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255, 255)", "&HFFFFFF", "#FFFFFF"}));
    // A drag in grey mode carries the other two along.
    w.fen.ReglageB->setSliderDown(true);
    w.fen.ReglageB->setSliderPosition(240);
    EXPECT_EQ(w.positions(), QList<int>({240, 240, 240}));
    EXPECT_EQ(w.textes(), attendus(240, 240, 240));
    w.fen.ReglageB->setSliderDown(false);
    EXPECT_EQ(w.fen.Text3->text(), "&H0F0F0F");
}

TEST(FenPrin, CopieVb)
{
    struct Cas {
        const char* nom;
        int r, g, b;
        bool bouger;
        QString ligne;
    } cas[] = {
        {"au depart", 0, 0, 0, false,
         "'Valeur RGB(hexa) : RGB(&HFF, &HFF, &HFF) - Valeur RGB(dec) : RGB(255, 255,255) - Valeur directe VB : &HFFFFFF"},
        {"exemple", 0, 245, 255, true,
         "'Valeur RGB(hexa) : RGB(&HFF, &HA, &H0) - Valeur RGB(dec) : RGB(255, 10, 0) - Valeur directe VB : &H000AFF"},
        {"limite", 240, 239, 0, true,
         "'Valeur RGB(hexa) : RGB(&HF, &H10, &HFF) - Valeur RGB(dec) : RGB(15, 16, 255) - Valeur directe VB : &HFF100F"},
    };
    for (const auto& c : cas) {
        Fenetre w;
        if (c.bouger) {
            w.fen.ReglageR->setValue(c.r);
            w.fen.ReglageG->setValue(c.g);
            w.fen.ReglageB->setValue(c.b);
        }
        w.f.clipboard.texte = "ancien";
        QTest::mouseClick(w.fen.CmdCopie, Qt::LeftButton);
        EXPECT_EQ(w.f.clipboard.texte, c.ligne) << c.nom;
        EXPECT_TRUE(w.fen.isMinimized()) << c.nom;
        EXPECT_TRUE(w.f.messages.boites.empty()) << c.nom;
    }
}

TEST(FenPrin, CopieHtml)
{
    Fenetre w;
    QTest::mouseClick(w.fen.CmdCopiePic, Qt::LeftButton);
    EXPECT_EQ(w.f.clipboard.texte, "#FFFFFF");
    EXPECT_TRUE(w.fen.isMinimized());
}

TEST(FenPrin, PressePapiersOccupe)
{
    for (QPushButton* FenPrin::*bouton : {&FenPrin::CmdCopie, &FenPrin::CmdCopiePic}) {
        Fenetre w;
        w.f.clipboard.echec = "Impossible d'ouvrir le Presse-papiers";
        QTest::mouseClick(w.fen.*bouton, Qt::LeftButton);
        ASSERT_EQ(w.f.messages.boites.size(), 1u);
        EXPECT_EQ(w.f.messages.boites[0].texte, "Impossible d'ouvrir le Presse-papiers");
        EXPECT_EQ(w.f.messages.boites[0].style, 0);
        EXPECT_EQ(w.f.messages.boites[0].titre, "Tintara");
        EXPECT_FALSE(w.fen.isMinimized());
        EXPECT_TRUE(w.fen.isVisible());
    }
}

TEST(FenPrin, VisionneuseDuPressePapiers)
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
}

TEST(FenPrin, AProposMontreLaLigneDeTintara)
{
    Fenetre w;
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
    EXPECT_TRUE(w.f.messages.boites.empty());
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
