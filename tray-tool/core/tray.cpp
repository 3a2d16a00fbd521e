#include "tray-tool/core/tray.hpp"

#include "tray-tool/core/trayicondata.hpp"

#include <system_error>

namespace somnelle {

const DescriptionIcone& descriptionIcone(IconeTray icone)
{
    static const DescriptionIcone descriptions[] = {
        {"FenTray", "FenTray (Veille)", "Veille_picTray", "mnuVeille", "Mise en veille"},
        {"RelWin", "Relwin", "RelWin_picTray", "mnuRelWin",
         "Redémarrage de Windows / [Redémarrer l'ordinateur en mode MS-DOS]"},
        {"StopWin", "StopWin", "StopWin_picTray", "mnuStopWin", "Arrêter l'ordinateur / [Redémarrer l'ordinateur]"},
    };
    return descriptions[static_cast<int>(icone)];
}

Reaction decoderSouris(IconeTray icone, float x)
{
    // The standby icon opens its menu when the right button goes down, the
    // two others when it comes up.
    if (x == static_cast<float>(WM_LBUTTONDOWN)) {
        switch (icone) {
        case IconeTray::Veille: return Reaction::MontrerVeille;
        case IconeTray::RelWin: return Reaction::RelancerWindows;
        case IconeTray::StopWin: return Reaction::Arreter;
        }
    }
    if (x == static_cast<float>(WM_RBUTTONDOWN) && icone == IconeTray::Veille)
        return Reaction::MenuVeille;
    if (x == static_cast<float>(WM_RBUTTONUP)) {
        if (icone == IconeTray::RelWin)
            return Reaction::MenuRelWin;
        if (icone == IconeTray::StopWin)
            return Reaction::MenuStopWin;
    }
    return Reaction::Rien;
}

DescriptionMenu menuTray(IconeTray icone)
{
    const std::vector<ElementMenu> communs = {
        {"mnuSep1", "-", false, {}},
        {"mnuExit", "E&xit Somnelle", false, {}},
        {"mnuSep2", "-", false, {}},
        {"mnuAnnul", "&Oups !", false, {}},
        {"mnuApropos", "A &propos...", false, {}},
    };
    DescriptionMenu menu;
    switch (icone) {
    case IconeTray::Veille:
        menu = {"mnuVeille", "Veille", {{"mnuMiseVeille", "Mise en &veille", true, {}}}};
        break;
    case IconeTray::RelWin:
        menu = {"mnuRelWin",
                "RelWin",
                {{"mnuDOS", "Redémarrer l'ordinateur en mode &MS-DOS", true, {}},
                 {"mnuRelancer", "&Redémarrage de Windows", false, {}}}};
        break;
    case IconeTray::StopWin:
        menu = {"mnuStopWin",
                "StopWin",
                {{"mnuArret", "&Arrêter l'ordinateur", false, {}},
                 {"mnuRedemar", "&Redémarrer l'ordinateur", true, {}}}};
        break;
    }
    menu.elements.insert(menu.elements.end(), communs.begin(), communs.end());
    return menu;
}

DemandePuissance demandePuissance(ActionPuissance action)
{
    switch (action) {
    case ActionPuissance::Arreter: return {65, "", "L'arrêt de l'ordinateur"};
    case ActionPuissance::Redemarrer: return {66, "", "Le redémarrage de l'ordinateur"};
    case ActionPuissance::RelancerWindows: return {0, "relwin.pif", "Le redémarrage de Windows"};
    case ActionPuissance::RedemarrerDos: return {0, "reldos.pif", "Le redémarrage en mode MS-DOS"};
    }
    return {};
}

bool correspondMotifTmp(std::string_view nom)
{
    auto pareil = [](std::string_view a, std::string_view motif) {
        for (std::size_t i = 0; i < motif.size(); ++i) {
            char c = a[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != motif[i])
                return false;
        }
        return true;
    };
    constexpr std::string_view debut = "~df";
    constexpr std::string_view fin = ".tmp";
    return nom.size() >= debut.size() + fin.size() && pareil(nom.substr(0, debut.size()), debut) &&
           pareil(nom.substr(nom.size() - fin.size()), fin);
}

int Effacer_TMP(const std::optional<std::filesystem::path>& dossier)
{
    if (!dossier)
        return 0;
    std::error_code ec;
    std::filesystem::directory_iterator it(*dossier, ec);
    int effaces = 0;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code ecFichier;
        if (!it->is_regular_file(ecFichier) || it->is_symlink(ecFichier))
            continue;
        const std::u8string nom = it->path().filename().u8string();
        if (!correspondMotifTmp(std::string_view(reinterpret_cast<const char*>(nom.data()), nom.size())))
            continue;
        if (std::filesystem::remove(it->path(), ecFichier))
            ++effaces;
    }
    return effaces;
}

} // namespace somnelle
