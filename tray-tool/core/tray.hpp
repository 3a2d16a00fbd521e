#pragma once
// The three tray icons of Somnelle: what each one is, what its mouse
// messages mean, its menu, and the power actions behind them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace somnelle {

enum class IconeTray { Veille, RelWin, StopWin };

// The order in which the icons are added at start and removed at the end.
constexpr std::array<IconeTray, 3> ordreIcones = {IconeTray::Veille, IconeTray::RelWin, IconeTray::StopWin};

struct DescriptionIcone {
    const char* fenetre; // the hidden window that owns the icon
    const char* legende; // its caption, never seen
    const char* picture; // the picture box that receives the callbacks
    const char* menu;
    const char* bulle;
};
const DescriptionIcone& descriptionIcone(IconeTray icone);

// What a mouse message on an icon leads to.
enum class Reaction {
    Rien,
    MontrerVeille,   // the standby screen
    RelancerWindows, // icons removed, then "relwin.pif"
    Arreter,         // icons removed, then shutdown
    MenuVeille,      // popup of mnuVeille, shown through FenTray
    MenuRelWin,      // popup of mnuRelWin, shown through RelWin
    MenuStopWin,     // popup of mnuStopWin, shown through FenTray
};

// X is the mouse-move X of the icon's picture box: the mouse message number.
Reaction decoderSouris(IconeTray icone, float x);

// A menu item: "-" is a separator; '&' marks the access key.
struct ElementMenu {
    std::string nom;
    std::string legende;
    bool parDefaut = false;
    std::vector<ElementMenu> sousMenu;
};

struct DescriptionMenu {
    std::string nom;
    std::string legende;
    std::vector<ElementMenu> elements;
};

DescriptionMenu menuTray(IconeTray icone);

enum class ActionPuissance { Arreter, Redemarrer, RelancerWindows, RedemarrerDos };

// What an action asks of the platform once the icons are gone: an
// ExitWindowsEx request with its flags, or a launcher file of the program
// folder.
struct DemandePuissance {
    std::uint32_t exitWindows = 0; // 0 when the action launches a file
    std::string fichier;
    std::string description; // what failed, for the user
};
DemandePuissance demandePuissance(ActionPuissance action);

// True for the names "~df*.tmp" compared without regard to case.
bool correspondMotifTmp(std::string_view nom);

// Deletes the "~df*.tmp" files of the folder, only there and not below; a
// file that can't be deleted is left and the others still go. No folder
// means nothing to do. Returns how many files went; never fails.
int Effacer_TMP(const std::optional<std::filesystem::path>& dossier);

} // namespace somnelle
