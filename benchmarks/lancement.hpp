#pragma once
// What the benchmark programs share: the Qt set-up of the in-process
// benchmarks, a 3840 × 2160 offscreen screen, and the launch of a program
// of the suite as its own process, timed from just before it starts.
#include <map>
#include <string>
#include <vector>

namespace velmaro::mesures {

// The folder the benchmark programs and the suite's programs are built in.
std::string dossierProgrammes();

// A configuration file of the offscreen platform with one screen of that
// size, written once; its QT_QPA_PLATFORM value.
std::string plateformeEcran(int largeur, int hauteur);

struct Lancement {
    double peintureMs = -1;   // from just before the start to the first window painted
    double cpuPeintureMs = -1; // processor time of the process up to then
    double memoireMiB = 0;    // peak resident memory
    double cpuMs = 0;         // user and system time of the whole process
    double murMs = 0;         // wall time of the whole process
    int minuteurs = -1;       // "inactif" measure: timer events counted
    int reveils = -1;         //                    event loop wake-ups counted
    double cpuFenetreMs = -1; //                    processor time in the counted window
    int code = -1;            // exit code, -1 when killed or not started
    std::string sortie;       // what it printed on its standard output
};

// Starts a program with the environment plus `environnement` (QT_QPA_PLATFORM
// offscreen unless given), waits for its end, at most `limiteS` seconds.
Lancement lancer(const std::string& programme, const std::vector<std::string>& arguments,
                 const std::map<std::string, std::string>& environnement, double limiteS = 30);

} // namespace velmaro::mesures
