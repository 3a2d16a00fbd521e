#include "common/testing/ecran.hpp"
#include "common/testing/fakes.hpp"
#include "tray-tool/ui/essai.hpp"
#include "tray-tool/ui/fenpopup.hpp"
#include "tray-tool/ui/fentray.hpp"
#include "tray-tool/ui/fond.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace somnelle;

namespace {

// What a popup menu looked like while it was open.
struct MenuVu {
    QString nom;
    QStringList elements; // "text" or "*text*" for the bold default item
    bool pointeurVisible = false;
};

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
        if (chemin.isEmpty()) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        const QString nom = chemin.takeFirst();
        for (QAction* a : menu->actions()) {
            if (a->objectName() == nom) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, a->menu() ? Qt::Key_Right : Qt::Key_Return);
                return;
            }
        }
        ADD_FAILURE() << "pas d'élément " << nom.toStdString();
        QTest::keyClick(menu, Qt::Key_Escape);
    });
    sonde.start();
    declencheur();
    sonde.stop();
    // A menu still open (a submenu) is closed.
    while (QApplication::activePopupWidget())
        QApplication::activePopupWidget()->close();
    return vus;
}

QString lireFichier(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return QStringLiteral("<absent>");
    return QString::fromUtf8(fichier.readAll());
}

class Somnelle : public ::testing::Test {
public:
    // Also called by table rows that need a fresh program.
    void SetUp() override
    {
        fen.reset();
        f = std::make_unique<velmaro::testing::FakeServices>();
        terminaisons = 0;
        QFile::remove(ini());
        f->programFolder.dossier = dossier.path();
        fen = std::make_unique<FenTray>(*f);
        fen->module().terminer = [this] { ++terminaisons; };
    }
    void TearDown() override
    {
        fen.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }

    ModuleSomnelle& module() { return fen->module(); }
    int hVeille() const { return static_cast<int>(fen->Veille_picTray->hWnd); }
    int hRelWin() { return static_cast<int>(module().relWin->RelWin_picTray->hWnd); }
    int hStopWin() { return static_cast<int>(module().stopWin->StopWin_picTray->hWnd); }
    QString ini() const { return dossier.filePath(QStringLiteral("Somnelle.ini")); }
    QStringList ajouts() { return {QStringLiteral("add %1").arg(hVeille()), QStringLiteral("add %1").arg(hRelWin()),
                                   QStringLiteral("add %1").arg(hStopWin())}; }
    QStringList retraits()
    {
        return {QStringLiteral("remove %1").arg(hVeille()), QStringLiteral("remove %1").arg(hRelWin()),
                QStringLiteral("remove %1").arg(hStopWin())};
    }
    Fond* fond() { return module().fond.data(); }
    void finirFond()
    {
        if (fond())
            fond()->Form_MouseDown(1, 0, 0, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir dossier;
    std::unique_ptr<velmaro::testing::FakeServices> f;
    std::unique_ptr<FenTray> fen;
    int terminaisons = 0;
};

} // namespace

TEST_F(Somnelle, DemarrageAjouteLesTroisIconesDansLOrdre)
{
    EXPECT_EQ(f->tray.journal, ajouts());
    struct Cas {
        FenetreTray* fenetre;
        const char* nom;
        QString legende;
        QString picture;
        QString bulle;
    } cas[] = {
        {fen.get(), "FenTray", "FenTray (Veille)", "Veille_picTray", "Mise en veille"},
        {module().relWin, "RelWin", "Relwin", "RelWin_picTray",
         "Redémarrage de Windows / [Redémarrer l'ordinateur en mode MS-DO"},
        {module().stopWin, "StopWin", "StopWin", "StopWin_picTray",
         "Arrêter l'ordinateur / [Redémarrer l'ordinateur]"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(c.fenetre->objectName(), c.nom);
        EXPECT_EQ(c.fenetre->windowTitle(), c.legende) << c.nom;
        EXPECT_FALSE(c.fenetre->isVisible()) << c.nom;
        EXPECT_EQ(c.fenetre->picTray->objectName(), c.picture) << c.nom;
        const auto& icone = f->tray.icones.at(static_cast<int>(c.fenetre->picTray->hWnd));
        EXPECT_EQ(icone.bulle, c.bulle) << c.nom;
        // The tray shows the window's own 32 x 32 icon.
        EXPECT_EQ(icone.icone.cacheKey(), c.fenetre->windowIcon().cacheKey()) << c.nom;
        EXPECT_EQ(icone.icone.pixmap(32, 32).toImage(), c.fenetre->windowIcon().pixmap(32, 32).toImage()) << c.nom;
    }
    // Three distinct pictures.
    EXPECT_NE(fen->windowIcon().pixmap(32).toImage(), module().relWin->windowIcon().pixmap(32).toImage());
    EXPECT_NE(fen->windowIcon().pixmap(32).toImage(), module().stopWin->windowIcon().pixmap(32).toImage());
    EXPECT_TRUE(f->launcher.lancements.empty());
    EXPECT_TRUE(f->power.demandes.isEmpty());
}

TEST_F(Somnelle, MessagesDeLaSourisSurLesIcones)
{
    struct Cas {
        const char* nom;
        int icone; // 0 standby, 1 restart, 2 shutdown
        std::vector<int> messages;
        QStringList menus;
        bool veille;
        QString demande;
    } cas[] = {
        {"mouvement sur la veille", 0, {512}, {}, false, ""},
        {"mouvement sur l'arrêt", 2, {512}, {}, false, ""},
        {"droit enfoncé sur la veille: menu", 0, {516}, {"mnuVeille"}, false, ""},
        {"droit relâché sur la veille: rien", 0, {517}, {}, false, ""},
        {"droit enfoncé sur le redémarrage: rien", 1, {516}, {}, false, ""},
        {"droit relâché sur le redémarrage: menu", 1, {517}, {"mnuRelWin"}, false, ""},
        {"clic droit complet sur l'arrêt: un menu", 2, {516, 517}, {"mnuStopWin"}, false, ""},
        {"clic droit complet sur la veille: un menu", 0, {516, 517}, {"mnuVeille"}, false, ""},
        {"double clic sur la veille: une veille", 0, {513, 514, 515, 514}, {}, true, ""},
        {"gauche relâché, double clic seuls: rien", 0, {514, 515}, {}, false, ""},
        {"bouton du milieu: rien", 2, {519}, {}, false, ""},
        {"gauche enfoncé sur l'arrêt: arrêt", 2, {513, 514}, {}, false, "shutdown"},
        {"double clic sur le redémarrage: un lancement", 1, {513, 514, 515, 514}, {}, false, "relwin.pif"},
    };
    for (const auto& c : cas) {
        SetUp();
        const int h[] = {hVeille(), hRelWin(), hStopWin()};
        QStringList menus;
        for (int m : c.messages) {
            if (!f->tray.icones.count(h[c.icone]))
                break; // an action removed the icons: no more messages
            for (const MenuVu& vu : avecMenu([&] { f->tray.souris(h[c.icone], m); }))
                menus << vu.nom;
        }
        EXPECT_EQ(menus, c.menus) << c.nom;
        EXPECT_EQ(fond() != nullptr, c.veille) << c.nom;
        QString demande = f->power.demandes.join(QLatin1Char(','));
        for (const auto& l : f->launcher.lancements)
            demande += QFileInfo(l.programme).fileName();
        EXPECT_EQ(demande, c.demande) << c.nom;
        const QWidgetList fenetres = QApplication::topLevelWidgets();
        const int veilles = static_cast<int>(std::count_if(
            fenetres.cbegin(), fenetres.cend(),
            [](QWidget* w) { return w->objectName() == QLatin1String("Fond") && w->isVisible(); }));
        EXPECT_EQ(veilles, c.veille ? 1 : 0) << c.nom;
        finirFond();
        TearDown();
    }
}

TEST_F(Somnelle, MenusDesIconesEtLeurElementParDefautEnGras)
{
    const QStringList communs = {"-", "E&xit Somnelle", "-", "&Oups !", "A &propos..."};
    struct Cas {
        int icone;
        int message;
        QString nom;
        QStringList elements;
    } cas[] = {
        {0, 516, "mnuVeille", QStringList{"*Mise en &veille*"} + communs},
        {1, 517, "mnuRelWin",
         QStringList{"*Redémarrer l'ordinateur en mode &MS-DOS*", "&Redémarrage de Windows"} + communs},
        {2, 517, "mnuStopWin", QStringList{"&Arrêter l'ordinateur", "*&Redémarrer l'ordinateur*"} + communs},
    };
    for (const auto& c : cas) {
        const int h[] = {hVeille(), hRelWin(), hStopWin()};
        const auto vus = avecMenu([&] { f->tray.souris(h[c.icone], c.message); });
        ASSERT_EQ(vus.size(), 1u) << c.nom.toStdString();
        EXPECT_EQ(vus[0].nom, c.nom);
        EXPECT_EQ(vus[0].elements, c.elements);
    }
    // Nothing was chosen: nothing happened.
    EXPECT_EQ(f->tray.journal, ajouts());
    EXPECT_EQ(fond(), nullptr);
}

TEST_F(Somnelle, ElementsDesMenusDesIcones)
{
    struct Cas {
        const char* nom;
        int icone;
        int message;
        QString element;
        QString demande; // power request or launched file
        bool veille;
        bool icones;     // the three icons still there
        int terminaisons;
    } cas[] = {
        {"Mise en veille", 0, 516, "mnuMiseVeille", "", true, true, 0},
        {"Oups ! ne fait rien", 0, 516, "mnuAnnul", "", false, true, 0},
        {"Oups ! du redémarrage", 1, 517, "mnuAnnul", "", false, true, 0},
        {"Redémarrer en MS-DOS", 1, 517, "mnuDOS", "reldos.pif", false, false, 0},
        {"Redémarrage de Windows", 1, 517, "mnuRelancer", "relwin.pif", false, false, 0},
        {"Arrêter l'ordinateur", 2, 517, "mnuArret", "shutdown", false, false, 0},
        {"Redémarrer l'ordinateur", 2, 517, "mnuRedemar", "reboot", false, false, 0},
        {"Exit depuis la veille", 0, 516, "mnuExit", "", false, false, 1},
        {"Exit depuis l'arrêt", 2, 517, "mnuExit", "", false, false, 1},
        {"A propos", 1, 517, "mnuApropos", "", false, true, 0},
    };
    for (const auto& c : cas) {
        SetUp();
        const int h[] = {hVeille(), hRelWin(), hStopWin()};
        avecMenu([&] { f->tray.souris(h[c.icone], c.message); }, {c.element});
        QString demande = f->power.demandes.join(QLatin1Char(','));
        for (const auto& l : f->launcher.lancements)
            demande += QFileInfo(l.programme).fileName();
        EXPECT_EQ(demande, c.demande) << c.nom;
        EXPECT_EQ(fond() != nullptr, c.veille) << c.nom;
        EXPECT_EQ(f->tray.icones.size(), c.icones ? 3u : 0u) << c.nom;
        EXPECT_EQ(terminaisons, c.terminaisons) << c.nom;
        if (!c.icones) {
            EXPECT_EQ(f->tray.journal.mid(3), retraits()) << c.nom;
        }
        EXPECT_TRUE(f->messages.boites.empty()) << c.nom;
        finirFond();
        TearDown();
    }
}

TEST_F(Somnelle, ExitRetireToutMemeApresUnEchec)
{
    f->tray.echecsRetrait.insert(hVeille());
    f->tray.echecsRetrait.insert(hRelWin());
    module().relWin->mnuExit->trigger();
    EXPECT_EQ(f->tray.journal.mid(3), retraits());
    EXPECT_EQ(terminaisons, 1);
}

TEST_F(Somnelle, ActionsDePuissanceApresLesRetraits)
{
    struct Cas {
        const char* nom;
        std::function<void(Somnelle&)> action;
        QString demande;
        QString lance;
    } cas[] = {
        {"gauche sur l'arrêt", [](Somnelle& t) { t.f->tray.souris(t.hStopWin(), 513); }, "shutdown", ""},
        {"mnuArret", [](Somnelle& t) { t.module().stopWin->mnuArret->trigger(); }, "shutdown", ""},
        {"mnuRedemar", [](Somnelle& t) { t.module().stopWin->mnuRedemar->trigger(); }, "reboot", ""},
        {"gauche sur le redémarrage", [](Somnelle& t) { t.f->tray.souris(t.hRelWin(), 513); }, "", "relwin.pif"},
        {"mnuRelancer", [](Somnelle& t) { t.module().relWin->mnuRelancer->trigger(); }, "", "relwin.pif"},
        {"mnuDOS", [](Somnelle& t) { t.module().relWin->mnuDOS->trigger(); }, "", "reldos.pif"},
    };
    for (const auto& c : cas) {
        SetUp();
        QStringList journalAuMoment;
        f->power.observateur = [&](const QString&) { journalAuMoment = f->tray.journal; };
        c.action(*this);
        EXPECT_EQ(f->power.demandes.join(QLatin1Char(',')), c.demande) << c.nom;
        if (!c.demande.isEmpty()) {
            EXPECT_EQ(journalAuMoment.mid(3), retraits()) << c.nom;
        }
        if (c.lance.isEmpty()) {
            EXPECT_TRUE(f->launcher.lancements.empty()) << c.nom;
        } else {
            ASSERT_EQ(f->launcher.lancements.size(), 1u) << c.nom;
            // Absolute, from the program folder.
            EXPECT_EQ(f->launcher.lancements[0].programme, dossier.filePath(c.lance)) << c.nom;
            EXPECT_TRUE(f->launcher.lancements[0].arguments.isEmpty()) << c.nom;
        }
        EXPECT_EQ(f->tray.journal.mid(3), retraits()) << c.nom;
        EXPECT_TRUE(f->tray.icones.empty()) << c.nom;
        EXPECT_TRUE(f->messages.boites.empty()) << c.nom;
        EXPECT_EQ(terminaisons, 0) << c.nom;
        TearDown();
    }
}

TEST_F(Somnelle, UneDemandeRefuseeEstDiteEtLesIconesReviennent)
{
    struct Cas {
        const char* nom;
        std::function<void(Somnelle&)> preparer;
        std::function<void(Somnelle&)> action;
        QString texte;
    } cas[] = {
        {"arrêt refusé", [](Somnelle& t) { t.f->power.echec = "Accès refusé."; },
         [](Somnelle& t) { t.f->tray.souris(t.hStopWin(), 513); },
         "L'arrêt de l'ordinateur n'a pas pu être effectué.\n\nAccès refusé."},
        {"redémarrage refusé", [](Somnelle& t) { t.f->power.echec = "Une autre session est ouverte."; },
         [](Somnelle& t) { t.module().stopWin->mnuRedemar->trigger(); },
         "Le redémarrage de l'ordinateur n'a pas pu être effectué.\n\nUne autre session est ouverte."},
        {"relwin.pif absent", [](Somnelle& t) { t.f->launcher.echecTous = true; },
         [](Somnelle& t) { t.f->tray.souris(t.hRelWin(), 513); }, ""},
        {"reldos.pif absent", [](Somnelle& t) { t.f->launcher.echecTous = true; },
         [](Somnelle& t) { t.module().relWin->mnuDOS->trigger(); }, ""},
    };
    for (const auto& c : cas) {
        SetUp();
        c.preparer(*this);
        c.action(*this);
        ASSERT_EQ(f->messages.boites.size(), 1u) << c.nom;
        const auto& boite = f->messages.boites[0];
        if (!c.texte.isEmpty())
            EXPECT_EQ(boite.texte, c.texte) << c.nom;
        else
            EXPECT_TRUE(boite.texte.contains(QStringLiteral(".pif"))) << boite.texte.toStdString();
        EXPECT_EQ(boite.titre, "Somnelle");
        EXPECT_EQ(boite.style, 16);
        EXPECT_EQ(f->tray.journal.mid(3), retraits() + ajouts()) << c.nom;
        EXPECT_EQ(f->tray.icones.size(), 3u) << c.nom;
        // The icons work again.
        f->power.echec.clear();
        f->launcher.echecTous = false;
        f->tray.souris(hStopWin(), 513);
        EXPECT_EQ(f->power.demandes.last(), "shutdown") << c.nom;
        TearDown();
    }
}

TEST_F(Somnelle, SansZoneDeNotificationLeProgrammeLeDit)
{
    EXPECT_TRUE(zoneNotificationPresente(*f));
    f->tray.disponible = false;
    EXPECT_FALSE(zoneNotificationPresente(*f));
    ASSERT_EQ(f->messages.boites.size(), 1u);
    EXPECT_EQ(f->messages.boites[0].titre, "Somnelle");
    EXPECT_TRUE(f->messages.boites[0].texte.contains(QStringLiteral("zone de notification")));
}

TEST_F(Somnelle, UneVeilleComplete)
{
    f->tray.souris(hVeille(), 513);
    Fond* v = fond();
    ASSERT_NE(v, nullptr);
    QScreen* ecran = QGuiApplication::primaryScreen();
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->geometry(), ecran->geometry());
    EXPECT_TRUE(v->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(v->windowFlags() & Qt::FramelessWindowHint);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    EXPECT_EQ(v->Timer1->interval(), 200);
    EXPECT_TRUE(v->Timer1->isActive());
    // No file: discs, nothing written at load.
    EXPECT_TRUE(module().reglagesVeille.Ronds);
    EXPECT_FALSE(QFile::exists(ini()));
    EXPECT_EQ(v->plume(), ecran->geometry().width() / 20);
    EXPECT_EQ(velmaro::testing::ecranDe(v).pixel(10, 10), qRgb(0, 0, 0));

    // One step: a disc of C1 at (W/2, H/2) with the radius W/12.
    f->clock.tirages = {1.0 / 255, 0.5, 1.0, 0.5, 0.5, 0.5};
    v->Timer1_Timer();
    const QPoint centre(ecran->geometry().width() / 2, ecran->geometry().height() / 2);
    const QImage apres = velmaro::testing::ecranDe(v);
    EXPECT_EQ(apres.pixel(centre), qRgb(1, 128, 255));
    EXPECT_EQ(apres.pixel(centre + QPoint(ecran->geometry().width() / 12 - 3, 0)), qRgb(1, 128, 255));
    EXPECT_EQ(apres.pixel(centre + QPoint(ecran->geometry().width() / 12 + 3, 0)), qRgb(0, 0, 0));
    EXPECT_EQ(module().reglagesVeille.CompteurTraces, 1);
    // A repaint shows the picture without drawing again.
    EXPECT_EQ(v->grab().toImage().pixel(centre), qRgb(1, 128, 255));
    EXPECT_EQ(module().reglagesVeille.CompteurTraces, 1);

    // The timer draws by itself.
    const int avant = module().reglagesVeille.CompteurTraces;
    for (int i = 0; i < 100 && module().reglagesVeille.CompteurTraces < avant + 2; ++i)
        QTest::qWait(50);
    EXPECT_GE(module().reglagesVeille.CompteurTraces, avant + 2);

    // A key does not end it; the left button does.
    QTest::keyClick(v, Qt::Key_Escape);
    QTest::keyClick(v, Qt::Key_Space);
    EXPECT_TRUE(v->isVisible());
    QTest::mouseClick(v, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fond(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // The settings outlive the standby, and nothing was written.
    EXPECT_TRUE(module().reglagesVeille.Ronds);
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(Somnelle, LesBoutonsQuiFinissentLaVeille)
{
    struct Cas {
        Qt::MouseButton bouton;
        bool fin;
    } cas[] = {{Qt::LeftButton, true}, {Qt::MiddleButton, true}, {Qt::RightButton, false}};
    for (const auto& c : cas) {
        module().montrerFond();
        Fond* v = fond();
        avecMenu([&] { QTest::mouseClick(v, c.bouton); });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(fond() == nullptr, c.fin) << c.bouton;
        EXPECT_EQ(QGuiApplication::overrideCursor() == nullptr, c.fin) << c.bouton;
        finirFond();
    }
}

TEST_F(Somnelle, UneSecondeDemandeNOuvrePasUneSecondeVeille)
{
    f->tray.souris(hVeille(), 513);
    Fond* premier = fond();
    fen->mnuMiseVeille->trigger();
    EXPECT_EQ(fond(), premier);
    finirFond();
    // A new standby loads anew: the file is read again and the counter reset.
    module().reglagesVeille.CompteurTraces = 100;
    QFile fichier(ini());
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write("[MOTIF]\r\nRonds=Non\r\nNoir=Oui\r\n");
    fichier.close();
    fen->mnuMiseVeille->trigger();
    ASSERT_NE(fond(), nullptr);
    EXPECT_TRUE(module().reglagesVeille.Noir);
    EXPECT_TRUE(module().reglagesVeille.Ronds); // still on from the first standby
    EXPECT_EQ(module().reglagesVeille.CompteurTraces, 0);
    finirFond();
}

TEST_F(Somnelle, LeMenuDeReglagesSurLaVeille)
{
    struct Cas {
        const char* nom;
        QStringList chemin;
        QString drapeaux; // R D L N f m o g A
        int compteur;     // from 100
        QString fichier;  // "<absent>" when nothing is written
        QString lance;
    } cas[] = {
        {"fermé sans choix", {}, "R", 100, "<absent>", ""},
        {"Ronds", {"mnuRonds"}, "R", 0, "Ronds=Oui", ""},
        {"Noir garde le compteur", {"mnuNoir"}, "N", 100, "Noir=Oui", ""},
        {"Lignes puis Gros", {"mnuLignes", "mnuGrosL"}, "Lg", 0, "Ronds=non LigneGros=Oui", ""},
        {"Doubles puis Fin", {"mnuDoubles", "mnuFin"}, "Df", 0, "DoubleFin=Oui", ""},
        {"Doubles ouvert puis fermé", {"mnuDoubles"}, "D", 100, "<absent>", ""},
        {"Animation", {"mnuAnim"}, "A", 100, "Animation=Oui", "anim.pif"},
    };
    for (const auto& c : cas) {
        SetUp();
        module().montrerFond();
        Fond* v = fond();
        f->clock.tirages = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
        v->Timer1_Timer();
        module().reglagesVeille.CompteurTraces = 100;
        const auto vus = avecMenu([&] { QTest::mouseClick(v, Qt::RightButton, {}, QPoint(5, 5)); }, c.chemin);
        ASSERT_FALSE(vus.empty()) << c.nom;
        EXPECT_EQ(vus[0].nom, "mnuPopUp");
        EXPECT_EQ(vus[0].elements,
                  (QStringList{"&Ronds", "&Doubles", "&Lignes", "-", "&Noir", "-", "&Animation"}));
        EXPECT_TRUE(vus[0].pointeurVisible) << c.nom;
        if (vus.size() > 1) {
            EXPECT_EQ(vus[1].elements, (QStringList{"&Fin", "&Moyen", "&Ordinaire", "&Gros"})) << c.nom;
        }

        const ReglagesVeille& r = module().reglagesVeille;
        QString drapeaux;
        const std::pair<bool, char> d[] = {{r.Ronds, 'R'}, {r.Doubles, 'D'}, {r.Lignes, 'L'},
                                           {r.Noir, 'N'},  {r.Fin, 'f'},     {r.Moyen, 'm'},
                                           {r.Ordinaire, 'o'}, {r.Gros, 'g'}, {r.Animation, 'A'}};
        for (auto [vrai, lettre] : d)
            if (vrai)
                drapeaux += QLatin1Char(lettre);
        EXPECT_EQ(drapeaux, c.drapeaux) << c.nom;
        EXPECT_EQ(r.CompteurTraces, c.compteur) << c.nom;
        const QString contenu = lireFichier(ini());
        if (c.fichier == "<absent>") {
            EXPECT_EQ(contenu, c.fichier) << c.nom;
        } else {
            int oui = 0;
            for (const QString& attendu : c.fichier.split(QLatin1Char(' ')))
                EXPECT_TRUE(contenu.contains(attendu)) << c.nom << contenu.toStdString();
            for (const QString& ligne : contenu.split(QStringLiteral("\r\n")))
                oui += ligne.endsWith(QLatin1String("=Oui"));
            EXPECT_EQ(oui, 1) << c.nom;
        }
        if (c.lance.isEmpty()) {
            EXPECT_TRUE(f->launcher.lancements.empty()) << c.nom;
        } else {
            EXPECT_EQ(f->launcher.lancements.at(0).programme, dossier.filePath(c.lance)) << c.nom;
        }
        // After the menu: blank screen, pointer hidden, standby still up.
        EXPECT_EQ(fond(), v) << c.nom;
        EXPECT_TRUE(v->isVisible()) << c.nom;
        EXPECT_EQ(velmaro::testing::ecranDe(v).pixel(v->width() / 2, v->height() / 2), qRgb(0, 0, 0)) << c.nom;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr) << c.nom;
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor) << c.nom;
        finirFond();
        TearDown();
    }
}

TEST_F(Somnelle, AnimationQuiNePeutPasDemarrer)
{
    // From the menu: nothing changes, nothing is said.
    module().montrerFond();
    f->launcher.echecTous = true;
    avecMenu([&] { QTest::mouseClick(fond(), Qt::RightButton); }, {"mnuAnim"});
    EXPECT_TRUE(module().reglagesVeille.Ronds);
    EXPECT_FALSE(module().reglagesVeille.Animation);
    EXPECT_FALSE(QFile::exists(ini()));
    EXPECT_TRUE(f->messages.boites.empty());
    finirFond();

    // At load, chosen in the file: the user is told and the standby goes on.
    QFile fichier(ini());
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write("[MOTIF]\nRonds=Non\nAnimation=Oui\n");
    fichier.close();
    module().reglagesVeille = {};
    module().montrerFond();
    ASSERT_EQ(f->messages.boites.size(), 1u);
    EXPECT_TRUE(f->messages.boites[0].texte.startsWith(QStringLiteral("L'animation n'a pas pu être lancée.")));
    ASSERT_NE(fond(), nullptr);
    EXPECT_TRUE(fond()->isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    finirFond();

    // And when it starts, at every standby.
    f->launcher.echecTous = false;
    module().montrerFond();
    finirFond();
    module().montrerFond();
    finirFond();
    ASSERT_EQ(f->launcher.lancements.size(), 2u);
    EXPECT_EQ(f->launcher.lancements[1].programme, dossier.filePath("anim.pif"));
}

TEST_F(Somnelle, FichierDeReglagesHorsDuDossierProtege)
{
    EXPECT_EQ(QString::fromStdU16String(module().cheminReglages().u16string()), ini());
    QStandardPaths::setTestModeEnabled(true);
    f->programFolder.dossier = dossier.filePath(QStringLiteral("absent"));
    const QString chemin = QString::fromStdU16String(module().cheminReglages().u16string());
    EXPECT_TRUE(chemin.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))) << chemin.toStdString();
    EXPECT_TRUE(chemin.endsWith(QStringLiteral("/Somnelle.ini")));
    module().montrerFond();
    avecMenu([&] { QTest::mouseClick(fond(), Qt::RightButton); }, {"mnuNoir"});
    EXPECT_TRUE(lireFichier(chemin).contains(QStringLiteral("Noir=Oui")));
    finirFond();
    QFile::remove(chemin);
    QStandardPaths::setTestModeEnabled(false);
}

TEST(Essai, DemandesImprimeesSansRienFaire)
{
    std::FILE* sortie = std::tmpfile();
    ASSERT_NE(sortie, nullptr);
    PuissanceEssai puissance(sortie);
    LanceurEssai lanceur(sortie);
    puissance.shutdown();
    puissance.reboot();
    lanceur.start(QStringLiteral("/opt/velmaro/relwin.pif"));
    lanceur.start(QStringLiteral("x"), {QStringLiteral("a b")});
    lanceur.openUrl(QUrl(QStringLiteral("https://www.example.com/")));
    std::rewind(sortie);
    char tampon[1024] = {};
    const std::size_t n = std::fread(tampon, 1, sizeof tampon - 1, sortie);
    std::fclose(sortie);
    EXPECT_EQ(std::string(tampon, n), "somnelle --dry-run: shutdown (ExitWindowsEx 65)\n"
                                      "somnelle --dry-run: reboot (ExitWindowsEx 66)\n"
                                      "somnelle --dry-run: start \"/opt/velmaro/relwin.pif\"\n"
                                      "somnelle --dry-run: start \"x\" \"a b\"\n"
                                      "somnelle --dry-run: open https://www.example.com/\n");
}

// Pictures to look at: SOMNELLE_APERCUS=<folder> writes the icons, the menus
// and the standby screen after some steps as PNG files.
TEST_F(Somnelle, Apercus)
{
    const QString sortie = qEnvironmentVariable("SOMNELLE_APERCUS");
    if (sortie.isEmpty())
        GTEST_SKIP() << "SOMNELLE_APERCUS not set";
    QDir().mkpath(sortie);
    QImage icones(3 * 40, 40, QImage::Format_ARGB32);
    icones.fill(QColor(0, 128, 128));
    QPainter p(&icones);
    FenetreTray* fenetres[] = {fen.get(), module().relWin, module().stopWin};
    for (int i = 0; i < 3; ++i)
        p.drawPixmap(4 + 40 * i, 4, fenetres[i]->windowIcon().pixmap(32, 32));
    p.end();
    icones.scaled(icones.size() * 4).save(sortie + "/icones.png");
    for (int i = 0; i < 3; ++i) {
        fenetres[i]->menu->popup(QPoint(0, 0));
        fenetres[i]->menu->grab().save(sortie + QStringLiteral("/menu%1.png").arg(i));
        fenetres[i]->menu->close();
    }
    QMenu* popUp = module().fenPopUp().mnuPopUp;
    popUp->popup(QPoint(0, 0));
    popUp->grab().save(sortie + "/popup.png");
    popUp->close();
    const char* motifs[] = {"mnuRonds", "mnuFin", "mnuGrosL"};
    for (int i = 0; i < 3; ++i) {
        module().montrerFond();
        FenPopUp& popup = module().fenPopUp();
        if (i == 1)
            popup.mnuDoubles_Click();
        if (i == 2)
            popup.mnuLignes_Click();
        popup.findChild<QAction*>(motifs[i])->trigger();
        f->clock.tirages.clear();
        QRandomGenerator alea(42 + i);
        for (int n = 0; n < 60 * 9; ++n)
            f->clock.tirages.push_back(alea.generateDouble());
        for (int n = 0; n < 60; ++n)
            fond()->Timer1_Timer();
        fond()->grab().save(sortie + QStringLiteral("/fond%1.png").arg(i));
        finirFond();
    }
}
