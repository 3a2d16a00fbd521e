#pragma once
// A settings file holding every case of the reading rules, and what each
// read gives. The suite's reader is held to these answers on Linux, and to
// the system's own profile calls under Wine.
#include <cstddef>
#include <string>

namespace velmaro::testing {

inline const std::string profilTemoin =
    "\xEF\xBB\xBF"
    "Avant=rien\r\n"
    "[Autre]\r\n"
    "Ronds=Autre\r\n"
    "; commentaire\r\n"
    "  [ motif ]  \r\n"
    "  RONDS  =   Oui   \r\n"
    "\tTab\t=\tx\t\r\n"
    "zone=z\r\n"
    ";Noir=Oui\r\n"
    "Ronds=Second\r\n"
    "Guillemets=\"Oui \"\r\n"
    "Simples='x'\r\n"
    "Boiteux=\"x'\r\n"
    "Vide=\r\n"
    "SansEgal\r\n"
    "Egal=a=b\r\n"
    "Long=abcdefgh\n"
    "[MOTIF]\n"
    "Double=dans la seconde section\n"
    "Ronds=Non\n"
    "[Ouverte\r\n"
    "Cle=ouverte\r\n"
    "[Fin]\n"
    "Dernier=oui";

struct LectureTemoin {
    const char* nom;
    const char* section;
    const char* cle;
    const char* defaut;
    std::size_t taille;
    const char* attendu;
    bool commeLeSysteme; // Wine reads these the same way
};

inline const LectureTemoin lecturesTemoin[] = {
    {"section et clé sans casse, blancs ôtés", "MOTIF", "Ronds", "Def", 80, "Oui", true},
    {"noms en minuscules", "motif", "ronds", "Def", 80, "Oui", true},
    {"blancs de l'appel", " motif ", " ronds ", "Def", 80, "Oui", true},
    {"tabulations", "MOTIF", "Tab", "Def", 80, "x", true},
    {"Z et z", "MOTIF", "ZONE", "Def", 80, "z", true},
    {"section derrière le BOM", "Autre", "Ronds", "Def", 80, "Autre", true},
    {"commentaire", "MOTIF", "Noir", "Def", 80, "Def", true},
    {"clé d'avant toute section", "MOTIF", "Avant", "Def", 80, "Def", true},
    {"guillemets ôtés", "MOTIF", "Guillemets", "Def", 80, "Oui ", true},
    {"apostrophes ôtées", "MOTIF", "Simples", "Def", 80, "x", true},
    {"guillemets dépareillés", "MOTIF", "Boiteux", "Def", 80, "\"x'", true},
    {"valeur vide", "MOTIF", "Vide", "Def", 80, "", true},
    {"ligne sans égal", "MOTIF", "SansEgal", "Def", 80, "Def", true},
    {"valeur avec égal", "MOTIF", "Egal", "Def", 80, "a=b", true},
    {"valeur coupée à taille - 1", "MOTIF", "Long", "Def", 5, "abcd", true},
    {"valeur dans un tampon juste assez grand", "MOTIF", "Long", "Def", 9, "abcdefgh", true},
    {"section en double", "MOTIF", "Double", "Def", 80, "Def", true},
    {"clé absente", "MOTIF", "Gros", "Def", 80, "Def", true},
    {"défaut sans ses blancs finaux", "MOTIF", "Gros", "Oui  ", 80, "Oui", true},
    {"défaut coupé", "MOTIF", "Gros", "Ouioui", 5, "Ouio", true},
    {"section absente", "Absente", "Ronds", "Def", 80, "Def", true},
    {"dernière ligne sans fin", "Fin", "Dernier", "Def", 80, "oui", true},
    {"clé absente de la dernière section", "Fin", "Gros", "Def", 80, "Def", true},
    {"tampon nul", "MOTIF", "Ronds", "Def", 0, "", false},
    {"section sans crochet fermant", "Ouverte", "Cle", "Def", 80, "ouverte", false},
};

} // namespace velmaro::testing
