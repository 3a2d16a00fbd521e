#include "common/platform/qt/qtservices.hpp"
#include "common/testing/gtest_qt.hpp"
#include "common/ui/demarrage.hpp"
#include "common/ui/fenetre.hpp"
#include "common/ui/icones.hpp"
#include "common/ui/polices.hpp"
#include "common/ui/twips.hpp"
#include "common/ui/vbmessagebox.hpp"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace velmaro;

TEST(Twips, QuinzeTwipsParPixel)
{
    EXPECT_EQ(twips(2760, 1620, 5055, 285), QRect(184, 108, 337, 19));
    EXPECT_EQ(twipsTaille(8190, 6960), QSize(546, 464));
    EXPECT_EQ(px(7), 0);
    EXPECT_EQ(px(8), 1);
    EXPECT_EQ(px(-8), -1);
}

namespace {
QStringList legendes(const VbMessageBox& b)
{
    QStringList l;
    for (auto* bouton : b.boutons())
        l << bouton->text();
    return l;
}
} // namespace

TEST(VbMessageBox, BoutonsEnFrancaisEtBoutonParDefaut)
{
    struct Cas { int style; QStringList legendes; QString defaut; } cas[] = {
        {0, {"OK"}, "OK"},
        {1 + 256, {"OK", "Annuler"}, "Annuler"},
        {2 + 512, {"Abandonner", "Réessayer", "Ignorer"}, "Ignorer"},
        {3, {"Oui", "Non", "Annuler"}, "Oui"},
        {4 + 256, {"Oui", "Non"}, "Non"},
        {5, {"Réessayer", "Annuler"}, "Réessayer"},
    };
    for (const auto& c : cas) {
        VbMessageBox b(QStringLiteral("Texte"), c.style, QStringLiteral("TITRE"));
        EXPECT_EQ(legendes(b), c.legendes) << c.style;
        EXPECT_EQ(b.boutonParDefaut()->text(), c.defaut) << c.style;
        EXPECT_TRUE(b.boutonParDefaut()->isDefault()) << c.style;
    }
}

TEST(VbMessageBox, ReponsesDesBoutonsEtDEchap)
{
    struct Cas {
        int style;
        int bouton;       // index clicked, or -1 for Escape, -2 for Enter
        int reponse;
    } cas[] = {
        {0, 0, vbOK},       {1, 1, vbCancel}, {2, 0, vbAbort}, {2, 1, vbRetry}, {2, 2, vbIgnore},
        {3, 0, vbYes},      {3, 1, vbNo},     {5, 0, vbRetry}, {1, -1, vbCancel}, {0, -1, vbOK},
        {4 + 256, -2, vbNo}, {3 + 512, -2, vbCancel},
    };
    for (const auto& c : cas) {
        VbMessageBox b(QStringLiteral("Texte"), c.style, QStringLiteral("TITRE"));
        QTimer::singleShot(0, &b, [&] {
            if (c.bouton >= 0)
                b.boutons().at(c.bouton)->click();
            else
                QTest::keyClick(&b, c.bouton == -1 ? Qt::Key_Escape : Qt::Key_Return);
        });
        EXPECT_EQ(b.executer(), c.reponse) << c.style << " " << c.bouton;
    }
}

TEST(VbMessageBox, EchapNeFermePasOuiNonNiAbandon)
{
    for (int style : {2, 4}) {
        VbMessageBox b(QStringLiteral("Texte"), style, QStringLiteral("TITRE"));
        b.show();
        QTest::keyClick(&b, Qt::Key_Escape);
        EXPECT_TRUE(b.isVisible()) << style;
        EXPECT_FALSE(b.windowFlags() & Qt::WindowCloseButtonHint) << style;
        b.boutons().first()->click();
        EXPECT_FALSE(b.isVisible());
    }
}

TEST(VbMessageBox, IconeTitreEtSystemeModal)
{
    VbMessageBox info(QStringLiteral("Texte"), 64 + 4096, QString());
    EXPECT_FALSE(info.etiquetteIcone()->pixmap().isNull());
    EXPECT_TRUE(info.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Tests")); // empty title: the program's name

    VbMessageBox simple(QStringLiteral("Texte"), 0, QStringLiteral("TITRE"));
    EXPECT_TRUE(simple.etiquetteIcone()->isHidden());
    EXPECT_FALSE(simple.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(simple.windowTitle(), QStringLiteral("TITRE"));
    EXPECT_EQ(simple.etiquetteTexte()->text(), QStringLiteral("Texte"));
}

TEST(FenetreFixe, TailleFixeSansAgrandissement)
{
    QWidget w;
    fixerFenetre(&w, QSize(546, 397));
    EXPECT_EQ(w.minimumSize(), QSize(546, 397));
    EXPECT_EQ(w.maximumSize(), QSize(546, 397));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
    w.show();
    w.resize(800, 600);
    EXPECT_EQ(w.size(), QSize(546, 397));
}

TEST(Polices, LesPolicesDeConceptionOntUnSubstitut)
{
    const std::pair<const char*, const char*> cas[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Comic Sans MS", "Comic Neue"},
        {"Times New Roman", "Liberation Serif"},
        {"Verdana", "DejaVu Sans"},
    };
    for (auto [nom, substitut] : cas) {
        const QFontInfo info(policeVb(QString::fromLatin1(nom), 9.75, true));
        EXPECT_EQ(info.family(), QString::fromLatin1(substitut)) << nom;
    }
    EXPECT_EQ(QFontInfo(policeParDefaut()).pixelSize(), 11);
}

TEST(Lanceur, LesNomsWindowsOntLeurEquivalent)
{
    QtLauncher lanceur;
    QStringList args;
    EXPECT_EQ(lanceur.equivalent(QStringLiteral("explorer.exe"), args), QStringLiteral("xdg-open"));
    EXPECT_EQ(args.size(), 1);
    QStringList argsClip;
    EXPECT_TRUE(lanceur.equivalent(QStringLiteral("clipbrd.exe"), argsClip).endsWith(QStringLiteral("clipbrd")));
    QStringList autres{QStringLiteral("a:")};
    EXPECT_EQ(lanceur.equivalent(QStringLiteral("/opt/x/copy.pif"), autres), QStringLiteral("/opt/x/copy.pif"));
    EXPECT_EQ(autres, QStringList{QStringLiteral("a:")});
}

TEST(Lanceur, UnFichierAbsentEstSignale)
{
    QtLauncher lanceur;
    try {
        lanceur.start(QStringLiteral("/nulle/part/copy.pif"), {QStringLiteral("a:")});
        FAIL() << "pas d'erreur";
    } catch (const ErreurService& e) {
        EXPECT_TRUE(e.texte().contains(QStringLiteral("/nulle/part/copy.pif")));
    }
}

TEST(Plateforme, XWaylandQuandLesFenetresSePlacentElles)
{
    struct Cas { const char* nom; std::map<std::string, QString> env; bool sansFenetre; QString attendu; } cas[] = {
        {"X seul : choix de Qt", {{"DISPLAY", ":0"}}, false, {}},
        {"Wayland et XWayland", {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false, "xcb"},
        {"session Wayland et XWayland", {{"DISPLAY", ":1"}, {"XDG_SESSION_TYPE", "wayland"}}, false, "xcb"},
        {"Wayland sans X : choix de Qt", {{"WAYLAND_DISPLAY", "wayland-0"}}, false, {}},
        {"plateforme choisie gardée", {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "w"}, {"QT_QPA_PLATFORM", "wayland"}},
         false, {}},
        {"--program-folder sans écran", {}, true, "offscreen"},
        {"--program-folder avec X", {{"DISPLAY", ":0"}}, true, {}},
    };
    for (const Cas& c : cas) {
        const auto lire = [&](const char* nom) {
            const auto v = c.env.find(nom);
            return v == c.env.end() ? QString() : v->second;
        };
        EXPECT_EQ(plateformeImposee(lire, c.sansFenetre), c.attendu) << c.nom;
    }
}

TEST(Icones, ChaqueProgrammeASonIconeDessinee)
{
    for (const char* nom : {"brevolet", "tintara", "somnelle", "kalvent", "merlidan", "ostrelle", "clipbrd"}) {
        const QImage image = iconeProgramme(QString::fromLatin1(nom)).pixmap(32, 32).toImage();
        ASSERT_FALSE(image.isNull()) << nom;
        EXPECT_EQ(image.size(), QSize(32, 32)) << nom;
        int opaques = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                opaques += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(opaques, 200) << nom; // really drawn, not an empty pixmap
    }
}
