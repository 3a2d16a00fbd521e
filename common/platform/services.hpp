#pragma once
// Everything a window asks of the outside world. Production code passes the
// real implementations (realServices()); tests pass common/testing's fakes.
#include "common/platform/clipboard.hpp"
#include "common/platform/clock.hpp"
#include "common/platform/dialogs.hpp"
#include "common/platform/erreur.hpp"
#include "common/platform/filetimes.hpp"
#include "common/platform/launcher.hpp"
#include "common/platform/messageboxes.hpp"
#include "common/platform/power.hpp"
#include "common/platform/programfolder.hpp"
#include "common/platform/registry.hpp"
#include "common/platform/tray.hpp"

namespace velmaro {

struct Services {
    Clipboard& clipboard;
    Launcher& launcher;
    MessageBoxes& messages;
    Dialogs& dialogs;
    Power& power;
    FileTimes& fileTimes;
    Tray& tray;
    Registry& registry;
    ProgramFolder& programFolder;
    Clock& clock;
};

// The implementations for this platform; created on first use, after the QApplication.
Services& realServices();

// The program folder joined with a file name by the path rule.
QString cheminProgramme(const ProgramFolder& dossier, const QString& nom);

} // namespace velmaro
