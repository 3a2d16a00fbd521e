#pragma once
// What Somnelle's windows share for the whole run: the tray record and its
// procedures, the standby settings, the three tray windows, the standby
// window while it is up and the hidden window of the settings menu. The tray
// windows and the standby window reach each other through it.
#include "common/platform/services.hpp"
#include "tray-tool/core/reglages.hpp"
#include "tray-tool/core/tray.hpp"
#include "tray-tool/core/trayicondata.hpp"
#include "tray-tool/ui/notification.hpp"

#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace somnelle {

class FenTray;
class RelWin;
class StopWin;
class Fond;
class FenPopUp;

class ModuleSomnelle {
public:
    explicit ModuleSomnelle(velmaro::Services& services);
    ~ModuleSomnelle();

    velmaro::Services& services;
    NotificationQt notification;
    Tray_Functions trayFunctions;
    ReglagesVeille reglagesVeille;

    FenTray* fenTray = nullptr;
    RelWin* relWin = nullptr;
    StopWin* stopWin = nullptr;
    QPointer<Fond> fond;

    // The folder the start-up cleanup looks in: "c:\windows\temp" on
    // Windows, none elsewhere.
    std::optional<std::filesystem::path> dossierTemporaire;
    // Ends the process; the exit command calls it once the icons are gone.
    std::function<void()> terminer;
    // A dry run brings nothing down: the icons come back once the request is made.
    bool iconesApresDemande = false;

    // "Somnelle.ini" in the program folder when the program may write there,
    // else in the user's configuration folder.
    std::filesystem::path cheminReglages() const;
    // A file of the program folder.
    QString fichierProgramme(const char* nom) const;

    // The settings menu's window, loaded the first time it is needed.
    FenPopUp& fenPopUp();

    // Shows the standby screen, or brings it forward when it is up.
    void montrerFond();
    void montrerApropos(QWidget* parent);

    // Adds or removes the three icons: standby, restart, shutdown.
    void ajouterIcones();
    void retirerIcones();

    // Icons removed, then the request; when it fails the user is told and
    // the icons come back.
    void actionPuissance(ActionPuissance action);

    // The exit command of the three menus.
    void mnuExit_Click();

private:
    std::unique_ptr<FenPopUp> fenPopUp_;
};

// Tells the user and returns false when the desktop has no notification area.
bool zoneNotificationPresente(velmaro::Services& services);

} // namespace somnelle
