#pragma once
// The standby settings: what the standby screen draws, the menu that changes
// it and the settings file "Somnelle.ini" that keeps it between runs.
// The settings belong to the program, not to the standby window: they live
// from start to exit and the file is read again at every standby start.
#include "tray-tool/core/tray.hpp"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace somnelle {

struct ReglagesVeille {
    // Pattern.
    bool Ronds = false;
    bool Doubles = false;
    bool Lignes = false;
    bool Noir = false;
    // Thickness of double discs and lines.
    bool Fin = false;
    bool Moyen = false;
    bool Ordinaire = false;
    bool Gros = false;
    // The external animation "anim.pif".
    bool Animation = false;
    // Drawing steps since the screen was last cleared.
    std::int16_t CompteurTraces = 0;
};

// The items of the settings menu that change something.
enum class ChoixPopUp { Ronds, Doubles, Lignes, Fin, Moyen, Ordinaire, Gros, Noir, Animation };

// Applies a menu choice. Doubles and Lignes are chosen when their submenu
// opens and write nothing; Animation is applied only once "anim.pif" has
// started. Returns true when the file must be written (ProcIni).
bool appliquerChoix(ReglagesVeille& r, ChoixPopUp choix);

// The settings menu mnuPopUp of FenPopUp.
DescriptionMenu menuPopUp();

constexpr const char* sectionMotif = "MOTIF";
constexpr const char* fichierReglages = "Somnelle.ini";
constexpr const char* fichierAnimation = "anim.pif";

// The eleven keys, in file order.
constexpr std::array<const char*, 11> clesMotif = {
    "Ronds",     "DoubleFin",      "DoubleMoyen", "DoubleOrdinaire", "DoubleGros", "LigneFin",
    "LigneMoyen", "LigneOrdinaire", "LigneGros",   "Noir",            "Animation"};

// The eleven key/value pairs ProcIni writes, in file order: "Oui" for the
// first choice that holds, "Non" for the others ("non" for Ronds when the
// choice is thick lines).
std::vector<std::pair<std::string, std::string>> valeursProcIni(const ReglagesVeille& r);

// Writes the settings file; false when it could not be written.
bool ProcIni(const ReglagesVeille& r, const std::filesystem::path& fichier);

// Reads the settings file (defaults: "Oui" for Ronds, "Non" elsewhere) and
// turns on the flags of the keys whose first four characters are exactly
// "Oui". Never turns a flag off, never touches the counter. Returns whether
// "Animation" is "Oui".
bool chargerReglages(ReglagesVeille& r, const std::filesystem::path& fichier);

} // namespace somnelle
