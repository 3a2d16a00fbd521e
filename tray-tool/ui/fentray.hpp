#pragma once
// The three hidden windows behind Somnelle's tray icons. Each one owns an
// icon picture (its window icon, shown in the tray), the picture box that
// receives the icon's mouse messages and the menu shown as the icon's popup.
// FenTray is the start-up window: its load cleans the temporary files, adds
// the standby icon and loads RelWin and StopWin, which add theirs. A message
// from the tray arrives as <picture>_MouseMove with X the message number; the
// core's table says what follows (standby screen, power action, popup).
#include "common/platform/services.hpp"
#include "tray-tool/core/tray.hpp"
#include "tray-tool/ui/module.hpp"
#include "tray-tool/ui/notification.hpp"

#include <QWidget>

#include <map>
#include <memory>
#include <string>

class QAction;
class QMenu;

namespace somnelle {

// What the three windows have in common: the picture box, the popup menu
// built from its description, and the items shared by the three menus.
class FenetreTray : public QWidget {
    Q_OBJECT
public:
    FenetreTray(velmaro::Services& services, ModuleSomnelle& module, IconeTray icone);

    // The icon of this window: added with its tip, removed.
    bool ajouterIcone();
    bool retirerIcone();

    // Shows a menu at the mouse position with its default item in bold;
    // returns when it has closed and the chosen item's handler has run.
    void PopupMenu(QMenu* menu, QAction* parDefaut);

    PictureTray* picTray;
    QMenu* menu;
    QAction* mnuSep1;
    QAction* mnuExit;
    QAction* mnuSep2;
    QAction* mnuAnnul;
    QAction* mnuApropos;

    void mnuExit_Click();
    void mnuApropos_Click();

protected:
    QAction* element(const std::string& nom) const { return elements_.at(nom); }
    // Runs what a mouse message on the icon leads to.
    void reagir(Reaction reaction);

    velmaro::Services& services_;
    ModuleSomnelle& module_;
    const IconeTray icone_;

private:
    std::map<std::string, QAction*> elements_;
    std::uint32_t hIcon_ = 0;
};

class RelWin : public FenetreTray {
    Q_OBJECT
public:
    RelWin(velmaro::Services& services, ModuleSomnelle& module);

    PictureTray* RelWin_picTray;
    QMenu* mnuRelWin;
    QAction* mnuDOS;
    QAction* mnuRelancer;

    void Form_Load();
    void RelWin_picTray_MouseMove(int button, int shift, float x, float y);
    void mnuDOS_Click();
    void mnuRelancer_Click();
};

class StopWin : public FenetreTray {
    Q_OBJECT
public:
    StopWin(velmaro::Services& services, ModuleSomnelle& module);

    PictureTray* StopWin_picTray;
    QMenu* mnuStopWin;
    QAction* mnuArret;
    QAction* mnuRedemar;

    void Form_Load();
    void StopWin_picTray_MouseMove(int button, int shift, float x, float y);
    void mnuArret_Click();
    void mnuRedemar_Click();
};

class FenTray : public FenetreTray {
    Q_OBJECT
public:
    explicit FenTray(velmaro::Services& services);
    ~FenTray() override;

    PictureTray* Veille_picTray;
    QMenu* mnuVeille;
    QAction* mnuMiseVeille;

    void Form_Load();
    void Veille_picTray_MouseMove(int button, int shift, float x, float y);
    void mnuMiseVeille_Click();

    ModuleSomnelle& module() { return *moduleProprietaire_; }

private:
    FenTray(velmaro::Services& services, std::unique_ptr<ModuleSomnelle> module);

    std::unique_ptr<ModuleSomnelle> moduleProprietaire_;
    std::unique_ptr<RelWin> relWin_;
    std::unique_ptr<StopWin> stopWin_;
};

} // namespace somnelle
