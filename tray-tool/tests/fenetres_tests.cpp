// Somnelle's windows on the offscreen platform with the service fakes: the
// icons, their menus and actions, the standby screen and its settings menu,
// and what a drawing step shows and repaints.
#include "common/testing/ecran.hpp"
#include "common/testing/fakes.hpp"
#include "tray-tool/tests/drapeaux.hpp"
#include "tray-tool/ui/fenpopup.hpp"
#include "tray-tool/ui/fentray.hpp"
#include "tray-tool/ui/fond.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPaintEvent>
#include <QPicture>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <numeric>
#include <random>

using namespace somnelle;
using namespace somnelle::essais;
using velmaro::testing::FakeServices;

namespace {

// What a popup menu looked like while it was open: its items, "*text*" for the bold default one.
struct MenuVu { QString nom; QStringList elements; bool pointeurVisible = false; };

// Runs `declencheur`; if it opens popup menus, records each one and walks the
// path of item names (a submenu's item opens it), or closes the menu when the
// path is empty.
std::vector<MenuVu> avecMenu(const std::function<void()>& declencheur, QStringList chemin = {})
{
    std::vector<MenuVu> vus;
    QTimer sonde;
    sonde.setInterval(5);
    QObject::connect(&sonde, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || (!vus.empty() && vus.back().nom == menu->objectName()))
            return;
        MenuVu vu{menu->objectName(), {}, QGuiApplication::overrideCursor() == nullptr};
        for (QAction* a : menu->actions()) {
            const QString texte = a->isSeparator() ? QStringLiteral("-") : a->text();
            vu.elements << (a->font().bold() ? QLatin1Char('*') + texte + QLatin1Char('*') : texte);
        }
        vus.push_back(vu);
        const QString nom = chemin.isEmpty() ? QString() : chemin.takeFirst();
        QAction* a = nullptr;
        for (QAction* x : menu->actions())
            a = !nom.isEmpty() && x->objectName() == nom ? x : a;
        EXPECT_TRUE(a || nom.isEmpty()) << nom.toStdString();
        menu->setActiveAction(a);
        // A separator where an item should be: closed, so that the check fails instead of waiting.
        QTest::keyClick(menu, a && a->menu() ? Qt::Key_Right : a && !a->isSeparator() ? Qt::Key_Return
                                                                                         : Qt::Key_Escape);
    });
    sonde.start();
    declencheur();
    sonde.stop();
    // A menu still open (a submenu) is closed.
    while (QApplication::activePopupWidget())
        QApplication::activePopupWidget()->close();
    return vus;
}

class Somnelle : public ::testing::Test {
public:
    // Also called by table rows that need a fresh program.
    void SetUp() override
    {
        fen.reset();
        f = std::make_unique<FakeServices>();
        terminaisons = 0;
        QFile::remove(ini());
        f->programFolder.dossier = dossier.path();
        fen = std::make_unique<FenTray>(*f);
        fen->module().terminer = [this] { ++terminaisons; };
    }
    void TearDown() override
    {
        finirFond();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == QStringLiteral("À propos de Somnelle"))
                w->close();
        fen.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    ModuleSomnelle& module() { return fen->module(); }
    // The icons' ids: 0 standby, 1 restart, 2 shutdown.
    FenetreTray* fenetre(int i) { return std::array<FenetreTray*, 3>{fen.get(), module().relWin, module().stopWin}[i]; }
    int h(int i) { return static_cast<int>(fenetre(i)->picTray->hWnd); }
    QStringList journal(const char* quoi) { return {QString("%1 %2").arg(quoi).arg(h(0)),
        QString("%1 %2").arg(quoi).arg(h(1)), QString("%1 %2").arg(quoi).arg(h(2))}; }
    QString ini() const { return dossier.filePath(QStringLiteral("Somnelle.ini")); }
    Fond* fond() { return module().fond.data(); }
    void finirFond()
    {
        if (fen && fond())
            QTest::mouseClick(fond(), Qt::MiddleButton); // the left button's is seen on the desktop
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(!fen || !fond()) << "the standby goes";
    }
    // The power requests, then the files launched from the program folder.
    QString demandes()
    {
        QString d = f->power.demandes.join(QLatin1Char(','));
        for (const auto& l : f->launcher.lancements)
            d += QDir(dossier.path()).relativeFilePath(l.programme) + l.arguments.join(QLatin1Char(' '));
        return d;
    }

    QTemporaryDir dossier;
    std::unique_ptr<FakeServices> f;
    std::unique_ptr<FenTray> fen;
    int terminaisons = 0;
};

// Records the region of each paint of the standby.
struct Repeintures : QObject {
    QRegion zone;
    bool eventFilter(QObject*, QEvent* e) override
    {
        zone += e->type() == QEvent::Paint ? static_cast<QPaintEvent*>(e)->region() : QRegion();
        return false;
    }
};

double aire(const QRegion& r)
{
    return std::accumulate(r.begin(), r.end(), 0.0, [](double a, QRect x) { return a + 1.0 * x.width() * x.height(); });
}

// A point and the colour it should show, nR radii plus nr half pens plus px
// pixels from a disc's centre to the right, or across a line's middle.
struct Sonde { double nR, nr, px; QRgb couleur; };
constexpr QRgb noir = qRgb(0, 0, 0), C1 = qRgb(1, 128, 255), C2 = qRgb(255, 1, 128);

} // namespace

TEST_F(Somnelle, LesMenusDesIconesEtLeursElements)
{
    // The right button's press opens the standby icon's menu, its release the
    // others'; the default item is in bold.
    const QStringList communs = {"-", "E&xit Somnelle", "-", "&Oups !", "A &propos..."};
    const QStringList menus[] = {QStringList{"mnuVeille", "*Mise en &veille*"} + communs,
        QStringList{"mnuRelWin", "*Redémarrer l'ordinateur en mode &MS-DOS*", "&Redémarrage de Windows"} + communs,
        QStringList{"mnuStopWin", "&Arrêter l'ordinateur", "*&Redémarrer l'ordinateur*"} + communs};
    // The power request or launched file; the icons after ("" still there, "-" removed, "-+" removed and
    // added back); what fails ("lanceur" or "retraits"); the beginning of what the user is told.
    struct Cas { const char* nom; int icone; QString element, demande; const char* icones; int terminaisons;
                 QString echec = {}, message = {}; } cas[] = {
        {"Mise en veille", 0, "mnuMiseVeille", "", "", 0},
        {"fermé sans choix", 2, "", "", "", 0},
        {"Oups ! ne fait rien", 1, "mnuAnnul", "", "", 0},
        {"A propos", 1, "mnuApropos", "", "", 0},
        {"Redémarrer en MS-DOS", 1, "mnuDOS", "reldos.pif", "-", 0},
        {"Redémarrer l'ordinateur", 2, "mnuRedemar", "reboot", "-", 0},
        {"Exit depuis l'arrêt, même si les retraits échouent", 2, "mnuExit", "", "-", 1, "retraits"},
        {"reldos.pif absent", 1, "mnuDOS", "", "-+", 0, "lanceur",
         "Le redémarrage en mode MS-DOS n'a pas pu être effectué.\n\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        f->launcher.echecTous = c.echec == "lanceur";
        if (c.echec == "retraits")
            f->tray.echecsRetrait = {h(0), h(1), h(2)};
        // The icons are gone before any request reaches the system.
        QStringList journalAuMoment;
        f->power.observateur = [&](const QString&) { journalAuMoment = f->tray.journal; };
        std::vector<MenuVu> vus;
        for (int m : {516, 517})
            for (const MenuVu& vu : avecMenu([&] { f->tray.souris(h(c.icone), m); }, {c.element}))
                vus.push_back(vu);
        ASSERT_EQ(vus.size(), 1u);
        EXPECT_EQ(QStringList{vus[0].nom} + vus[0].elements, menus[c.icone]);
        EXPECT_EQ(demandes(), c.demande);
        EXPECT_EQ(f->power.demandes.isEmpty() ? journal("remove") : journalAuMoment.mid(3), journal("remove"));
        EXPECT_EQ(f->tray.journal.mid(3), (*c.icones ? journal("remove") : QStringList()) +
                                              (std::string(c.icones) == "-+" ? journal("add") : QStringList()));
        EXPECT_EQ(terminaisons, c.terminaisons);
        EXPECT_EQ(fond() != nullptr, c.element == "mnuMiseVeille");
        const QWidgetList w = QApplication::topLevelWidgets();
        const auto apropos = [](QWidget* x) { return x->windowTitle() == "À propos de Somnelle"; };
        EXPECT_EQ(std::count_if(w.cbegin(), w.cend(), apropos), c.element == "mnuApropos");
        QString dit; // title, style and the message's beginning
        for (const auto& b : f->messages.boites)
            dit += QString("%1 %2: %3").arg(b.titre).arg(b.style).arg(b.texte.left(c.message.size()));
        EXPECT_EQ(dit, c.message.isEmpty() ? "" : "Somnelle 16: " + c.message);
        TearDown();
    }
}

TEST_F(Somnelle, LesIconesSansZoneDeNotificationNiDossierDuProgramme)
{
    // Added in order, each with its window's own 32 x 32 picture, three different ones.
    EXPECT_EQ(f->tray.journal, journal("add"));
    QList<QImage> images;
    for (int i = 0; i < 3; ++i) {
        images << f->tray.icones.at(h(i)).icone.pixmap(32, 32).toImage();
        EXPECT_EQ(images.last(), fenetre(i)->windowIcon().pixmap(32, 32).toImage());
        EXPECT_EQ(images.indexOf(images.last()), i);
    }
    // No tray: the user is told.
    EXPECT_TRUE(zoneNotificationPresente(*f));
    f->tray.disponible = false;
    EXPECT_FALSE(zoneNotificationPresente(*f));
    ASSERT_EQ(f->messages.boites.size(), 1u);
    EXPECT_TRUE(f->messages.boites[0].titre == "Somnelle" && f->messages.boites[0].texte.contains("zone de notification"));
    // No program folder to write in: the settings go to the user's configuration.
    QStandardPaths::setTestModeEnabled(true);
    f->programFolder.dossier = dossier.filePath(QStringLiteral("absent"));
    const QString chemin = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/Somnelle.ini";
    QFile::remove(chemin);
    module().montrerFond();
    module().fenPopUp().mnuNoir_Click();
    EXPECT_TRUE(lire(chemin).contains("\r\nNoir=Oui\r\n"));
    QFile::remove(chemin);
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(Somnelle, ChaqueVeilleRelitLeFichierEtLanceLAnimation)
{
    f->tray.souris(h(0), 513);
    Fond* v = fond();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(v->windowFlags().testFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    // No file: discs, with the pen of the load, drawn by the 200 ms timer; nothing written.
    EXPECT_EQ(drapeaux(module().reglagesVeille), "R");
    EXPECT_EQ(v->plume(), v->width() / 20);
    EXPECT_EQ(v->Timer1->interval(), 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return module().reglagesVeille.CompteurTraces >= 2; }, 5000));
    QTest::keyClick(v, Qt::Key_Escape); // a key does not end it
    fen->mnuMiseVeille->trigger();      // nor opens a second one
    EXPECT_TRUE(fond() == v && v->isVisible());
    finirFond();
    EXPECT_FALSE(QFile::exists(ini()));
    // A new standby reads the file again and starts its count anew; the
    // animation that cannot start is told, and the standby goes on.
    module().reglagesVeille.CompteurTraces = 100;
    std::ofstream(ini().toStdString()) << "[MOTIF]\r\nRonds=Non\r\nAnimation=Oui\r\n";
    f->launcher.echecTous = true;
    fen->mnuMiseVeille->trigger();
    ASSERT_TRUE(fond() && fond()->isVisible());
    EXPECT_EQ(drapeaux(module().reglagesVeille), "RA"); // discs still on from the first standby
    EXPECT_EQ(module().reglagesVeille.CompteurTraces, 0);
    ASSERT_EQ(f->messages.boites.size(), 1u);
    EXPECT_TRUE(f->messages.boites[0].texte.startsWith(QStringLiteral("L'animation n'a pas pu être lancée.")));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    finirFond();
    f->launcher.echecTous = false;
    module().montrerFond();
    EXPECT_EQ(demandes(), "anim.pif");
}

TEST_F(Somnelle, LeMenuDeReglagesSurLaVeille)
{
    // The count from 100; the file "<absent>" when nothing is written.
    struct Cas { const char* nom; QStringList chemin; std::string drapeaux; int compteur; QByteArray fichier;
                 QString lance; bool echecLancement = false; } cas[] = {
        {"fermé sans choix", {}, "R", 100, "<absent>", ""},
        {"Animation qui ne peut pas démarrer: rien ne change", {"mnuAnim"}, "R", 100, "<absent>", "", true},
        {"Lignes puis Gros", {"mnuLignes", "mnuGrosL"}, "Lg", 0, "Ronds=non\r\nDoubleFin=Non", ""},
        {"Doubles ouvert puis fermé", {"mnuDoubles"}, "D", 100, "<absent>", ""},
        {"Animation", {"mnuAnim"}, "A", 100, "Noir=Non\r\nAnimation=Oui", "anim.pif"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        module().montrerFond();
        Fond* v = fond();
        v->Timer1_Timer();
        module().reglagesVeille.CompteurTraces = 100;
        f->launcher.echecTous = c.echecLancement;
        const auto vus = avecMenu([&] { QTest::mouseClick(v, Qt::RightButton, {}, QPoint(5, 5)); }, c.chemin);
        ASSERT_FALSE(vus.empty());
        EXPECT_EQ(QStringList{vus[0].nom} + vus[0].elements,
                  (QStringList{"mnuPopUp", "&Ronds", "&Doubles", "&Lignes", "-", "&Noir", "-", "&Animation"}));
        EXPECT_TRUE(vus[0].pointeurVisible);
        if (vus.size() > 1) {
            EXPECT_EQ(vus[1].elements, (QStringList{"&Fin", "&Moyen", "&Ordinaire", "&Gros"}));
        }
        EXPECT_EQ(drapeaux(module().reglagesVeille), c.drapeaux);
        EXPECT_EQ(module().reglagesVeille.CompteurTraces, c.compteur);
        EXPECT_TRUE(lire(ini()).contains(c.fichier) && lire(ini()).count("=Oui") <= 1) << lire(ini()).toStdString();
        EXPECT_EQ(demandes(), c.lance);
        EXPECT_TRUE(f->messages.boites.empty());
        // After the menu: blank screen, pointer hidden, standby still up.
        EXPECT_EQ(fond(), v);
        EXPECT_EQ(velmaro::testing::ecranDe(v).pixel(v->width() / 2, v->height() / 2), qRgb(0, 0, 0));
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        TearDown();
    }
}

// Each step repaints the part of the screen it drew and nothing far beyond,
// adds its own shape alone to what the screen shows, and the first step,
// from fixed draws, shows its shape as it should look.
TEST(Veille, ChaquePasRepeintCeQuIlADessine)
{
    // The first step's draws after C1; radius and half pen in screen widths; the shapes drawn before the
    // steps looked at.
    struct Cas { const char *nom, *etat; std::deque<double> premier; double R, r; std::vector<Sonde> sondes;
                 int deja = 0; } cas[] = {
        // Over 200 grey ones of the same place and size, drawn with the fake clock's 0.5.
        {"discs: C1 to the radius", "R", {0.5, 0.5, 0.5}, 1.0 / 12, 0, {{0, 0, 0, C1}, {1, 0, -3, C1}, {1, 0, 3, noir}},
         200},
        // A ring of C2 from R - r to R + r, C1 inside.
        {"double discs, thick", "Dg", {0.99999994, 0.5, 0.5, 1.0, 1.0 / 255, 0.5}, 1.0 / 6, 1.0 / 20,
         {{0, 0, 0, C1}, {1, -1, -4, C1}, {1, -1, 4, C2}, {1, 0, 0, C2}, {1, 1, -4, C2}, {1, 1, 4, noir}}},
        {"lines, thin", "Lf", {}, 0, 0, {}},
        // From (w/4, h/4) to (w/2 + w/12, h/2 + w/12): a body filled to r either side.
        {"lines, thick", "Lg", {0.5, 0.25, 0.25, 0.5, 0.5}, 0, 1.0 / 20,
         {{0, 0, 0, C1}, {0, 1, -4, C1}, {0, -1, 4, C1}, {0, 1, 4, noir}, {0, -1, -4, noir}}},
        {"black", "N", {}, 0, 0, {}},
    };
    QTemporaryDir dossier;
    FakeServices f;
    f.programFolder.dossier = dossier.path();
    std::mt19937 hasard(7);
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const bool toutEcran = *c.etat == 'N'; // the step paints the whole screen black
        ModuleSomnelle module(f);
        QPointer<Fond> fond = new Fond(f, module);
        fond->Timer1->stop();
        module.reglagesVeille = depuis(c.etat);
        for (int i = 0; i < c.deja; ++i)
            fond->Timer1_Timer();
        QCoreApplication::processEvents();
        Repeintures repeintures;
        fond->installEventFilter(&repeintures);
        const QRect ecran = fond->rect();

        for (int pas = 0; pas < 12; ++pas) {
            SCOPED_TRACE(pas);
            f.clock.tirages = pas == 0 ? c.premier : std::deque<double>{};
            if (!f.clock.tirages.empty())
                f.clock.tirages.insert(f.clock.tirages.begin(), {1.0 / 255, 0.5, 1.0}); // C1
            for (int i = 0; i < 12; ++i)
                f.clock.tirages.push_back(uniforme(hasard));
            if (toutEcran) { // a disc first, so that black shows as a change
                module.reglagesVeille = depuis("R");
                fond->Timer1_Timer();
                module.reglagesVeille = depuis("N");
            }
            const QImage avant = velmaro::testing::ecranDe(fond);
            repeintures.zone = QRegion();
            fond->Timer1_Timer();
            if (pas == 0 && c.deja) {
                // Over a pixel of the new disc, the step's paint draws it alone; the whole picture, all of them.
                QPicture paint, tout;
                const QRegion centre(fond->width() / 2, fond->height() / 2, 1, 1);
                fond->render(&paint, QPoint(), centre);
                fond->render(&tout, QPoint(), centre);
                EXPECT_LT(10 * paint.size(), tout.size()) << "the step drew every shape again";
            }
            const QImage apres = velmaro::testing::ecranDe(fond);
            const double w = apres.width(), h = apres.height();
            const QPointF a(w / 4, h / 4), b(w / 2 + w / 12, h / 2 + w / 12), d = b - a;
            const bool ligne = *c.etat == 'L';
            const QPointF origine = ligne ? (a + b) / 2 : QPointF(w / 2, h / 2);
            const QPointF sens = ligne ? QPointF(-d.y(), d.x()) / std::hypot(d.x(), d.y()) : QPointF(1, 0);
            for (const Sonde& s : pas == 0 ? c.sondes : std::vector<Sonde>{})
                EXPECT_EQ(apres.pixel((origine + sens * (s.nR * c.R * w + s.nr * c.r * w + s.px)).toPoint()), s.couleur)
                    << s.nR << " R " << s.nr << " r " << s.px;
            QRect change;
            int hors = 0;
            for (int y = 0; y < apres.height(); ++y)
                for (int x = 0; x < apres.width(); ++x)
                    if (avant.pixel(x, y) != apres.pixel(x, y)) {
                        change |= QRect(x, y, 1, 1);
                        hors += !repeintures.zone.contains(QPoint(x, y));
                    }
            EXPECT_EQ(hors, 0) << "changed pixels left unpainted";
            ASSERT_FALSE(change.isEmpty()); // black too shows as a change
            if (toutEcran) {
                EXPECT_EQ(repeintures.zone, QRegion(ecran));
                continue;
            }
            // No more than the bounds of what changed, give or take the
            // smoothing and the pen; never the whole screen.
            EXPECT_LE(aire(repeintures.zone), 1.2 * aire(QRegion(change.adjusted(-3, -3, 3, 3))))
                << change.width() << " x " << change.height();
            EXPECT_LT(aire(repeintures.zone), aire(QRegion(ecran)));
        }
        // Shapes painted step by step show what the whole picture drawn again shows.
        EXPECT_EQ(velmaro::testing::ecranDe(fond).convertToFormat(QImage::Format_RGB32),
                  fond->grab().toImage().convertToFormat(QImage::Format_RGB32));
        delete fond.data();
    }
}
