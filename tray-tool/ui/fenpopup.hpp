#pragma once
// The hidden window that owns the standby settings menu. The standby screen
// shows mnuPopUp at the mouse position; each item changes the program's
// standby settings and most write them to the settings file (ProcIni).
// Opening "&Doubles" or "&Lignes" already switches the pattern.
#include "common/platform/services.hpp"
#include "tray-tool/ui/module.hpp"

#include <QPoint>
#include <QWidget>

class QAction;
class QMenu;

namespace somnelle {

class FenPopUp : public QWidget {
    Q_OBJECT
public:
    FenPopUp(velmaro::Services& services, ModuleSomnelle& module);

    QMenu* mnuPopUp;
    QAction* mnuRonds;
    QAction* mnuDoubles;
    QAction* mnuFin;
    QAction* mnuMoyen;
    QAction* mnuOrdinaire;
    QAction* mnuGros;
    QAction* mnuLignes;
    QAction* mnuFinL;
    QAction* mnuMoyenL;
    QAction* mnuOrdinaireL;
    QAction* mnuGrosL;
    QAction* mnuSep1;
    QAction* mnuNoir;
    QAction* mnuSep2;
    QAction* mnuAnim;

    // Shows mnuPopUp; returns when it has closed.
    void PopupMenu(const QPoint& position);

    void mnuRonds_Click();
    void mnuDoubles_Click();
    void mnuLignes_Click();
    void mnuFin_Click();
    void mnuMoyen_Click();
    void mnuOrdinaire_Click();
    void mnuGros_Click();
    void mnuNoir_Click();
    void mnuAnim_Click();
    void ProcIni();

private:
    void choisir(ChoixPopUp choix);

    velmaro::Services& services_;
    ModuleSomnelle& module_;
};

} // namespace somnelle
