// The standby screen left running: twenty thousand drawing steps through
// every pattern, menus opened and closed, standbys ended and started again,
// with the process's memory and the windows' objects steady.
#include "common/testing/endurance.hpp"
#include "common/testing/fakes.hpp"
#include "tray-tool/ui/fenpopup.hpp"
#include "tray-tool/ui/fentray.hpp"
#include "tray-tool/ui/fond.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <random>

using namespace somnelle;

TEST(SomnelleEndurance, VeilleDeVingtMillePas)
{
    const int pas = 20000;
    QTemporaryDir dossier;
    velmaro::testing::FakeServices f;
    f.programFolder.dossier = dossier.path();
    FenTray fen(f);
    ModuleSomnelle& module = fen.module();
    FenPopUp& popUp = module.fenPopUp();
    std::mt19937 alea(3);
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);

    // The pattern changes every 500 steps, as the menu would change it.
    void (FenPopUp::*const choix[])() = {
        &FenPopUp::mnuRonds_Click, &FenPopUp::mnuDoubles_Click, &FenPopUp::mnuFin_Click,
        &FenPopUp::mnuGros_Click,  &FenPopUp::mnuLignes_Click,  &FenPopUp::mnuMoyen_Click,
        &FenPopUp::mnuOrdinaire_Click, &FenPopUp::mnuNoir_Click,
    };
    std::size_t prochainChoix = 0;
    int standbys = 0;
    auto unPas = [&](int i) {
        if (!module.fond) {
            module.montrerFond();
            ++standbys;
        }
        Fond* v = module.fond.data();
        for (int k = 0; k < 10; ++k)
            f.clock.tirages.push_back(uniforme(alea));
        v->Timer1_Timer();
        f.clock.tirages.clear();
        if (i % 500 == 499)
            (popUp.*choix[prochainChoix++ % std::size(choix)])();
        if (i % 2000 == 1999) {
            // The settings menu over the standby, closed without a choice.
            QTimer::singleShot(0, v, [] {
                if (QWidget* menu = QApplication::activePopupWidget())
                    menu->close();
            });
            v->Form_MouseDown(2, 0, 10, 10);
        }
        if (i % 5000 == 4999) {
            // The standby ends; the next step starts a new one.
            v->Form_MouseDown(1, 0, 0, 0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        // Each step is painted before the next, as the 200 ms timer leaves time to.
        QCoreApplication::processEvents();
        ASSERT_GE(module.reglagesVeille.CompteurTraces, 0);
        ASSERT_LT(module.reglagesVeille.CompteurTraces, 272);
    };

    QElapsedTimer montre;
    montre.start();
    const int echauffement = pas / 10;
    for (int i = 0; i < echauffement; ++i)
        unPas(i);
    QCoreApplication::processEvents();
    const std::size_t memoireAvant = velmaro::testing::memoireOccupee();
    const auto enfantsAvant = module.fond->findChildren<QObject*>().size();
    const auto fenetresAvant = QApplication::topLevelWidgets().size();
    const auto popUpAvant = popUp.findChildren<QObject*>().size();

    for (int i = echauffement; i < echauffement + pas; ++i)
        unPas(i);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::size_t memoireApres = velmaro::testing::memoireOccupee();

    EXPECT_GE(standbys, 1 + pas / 5000);
    EXPECT_EQ(module.fond->findChildren<QObject*>().size(), enfantsAvant);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), fenetresAvant);
    EXPECT_EQ(popUp.findChildren<QObject*>().size(), popUpAvant);
    const double croissanceMio =
        (static_cast<double>(memoireApres) - static_cast<double>(memoireAvant)) / (1024.0 * 1024.0);
    EXPECT_LT(croissanceMio, 4.0) << "memory grew from " << memoireAvant << " to " << memoireApres;
    EXPECT_LT(montre.elapsed(), 60000) << "a soak of this size takes a few seconds";
    RecordProperty("pas", pas);
    RecordProperty("croissance_kio", static_cast<int>(croissanceMio * 1024));
    module.fond->Form_MouseDown(1, 0, 0, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
