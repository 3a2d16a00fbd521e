#pragma once
// The option strings of the floppy front end and the command lines built
// from them. Every switch string begins with one blank so that the pieces
// join by plain concatenation.
#include <array>
#include <string>
#include <vector>

namespace merlidan {

enum class Commande { CopieAA, CopieAB, CopieBA, CopieBB, FormatNormal, FormatRapide };

struct Options {
    std::string CheminCopie;
    std::string CheminFormat;
    std::string OptVerif;
    std::string OptTaille;
    std::string OptSys;
};

// The state at start: launchers beside the program, verification on,
// 1.44 Mo, no system files.
Options optionsDeDepart(const std::string& dossierProgramme, char separateur);

void cocherVerif(Options& options, bool coche);
void cocherSys(Options& options, bool coche);
// The first selected capacity (720, 1440, 2880) wins; none selected keeps
// the current one.
void choisirTaille(Options& options, const std::array<bool, 3>& selection);

struct LigneCommande {
    std::string programme; // the launcher file
    std::string suite;     // what is appended to it, starting with a blank

    // The command line as concatenated: programme + suite.
    std::string ligne() const;
    // The same switches as an argument list, for a launch without a shell.
    std::vector<std::string> arguments() const;
};

LigneCommande construire(Commande commande, const Options& options);

} // namespace merlidan
