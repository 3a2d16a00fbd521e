// The suite's settings-file rules and the system's own profile calls give the
// same answers on the same files, and read each other's files.
#include "common/core/profil.hpp"
#include "windows/tests/aide.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace velmaro;
using velmaro::essais::DossierTemporaire;

namespace {

void ecrireFichier(const std::filesystem::path& p, const std::string& texte)
{
    std::ofstream(p, std::ios::binary) << texte;
}

std::string lire(const std::filesystem::path& p)
{
    std::ifstream e(p, std::ios::binary);
    std::ostringstream s;
    s << e.rdbuf();
    return s.str();
}

std::string lireSysteme(const char* section, const char* cle, const char* defaut, std::size_t taille,
                        const std::filesystem::path& fichier)
{
    std::string tampon(taille + 1, '\x7F');
    const DWORD n = GetPrivateProfileStringA(section, cle, defaut, tampon.data(), static_cast<DWORD>(taille),
                                             fichier.string().c_str());
    return tampon.substr(0, n);
}

const std::string fichierTemoin =
    "\xEF\xBB\xBF"
    "Avant=rien\r\n"
    "[Autre]\r\n"
    "Ronds=Autre\r\n"
    "; commentaire\r\n"
    "  [ motif ]  \r\n"
    "  RONDS  =   Oui   \r\n"
    "\tTab\t=\tx\t\r\n"
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
    "[Fin]\n"
    "Dernier=oui";

struct Lecture {
    const char* nom;
    const char* section;
    const char* cle;
    const char* defaut;
    std::size_t taille;
};

const Lecture lectures[] = {
    {"section et clé sans casse, blancs ôtés", "MOTIF", "Ronds", "Def", 80},
    {"noms en minuscules", "motif", "ronds", "Def", 80},
    {"blancs de l'appel", " motif ", " ronds ", "Def", 80},
    {"tabulations", "MOTIF", "Tab", "Def", 80},
    {"section derrière le BOM", "Autre", "Ronds", "Def", 80},
    {"commentaire", "MOTIF", "Noir", "Def", 80},
    {"clé d'avant toute section", "MOTIF", "Avant", "Def", 80},
    {"guillemets ôtés", "MOTIF", "Guillemets", "Def", 80},
    {"apostrophes ôtées", "MOTIF", "Simples", "Def", 80},
    {"guillemets dépareillés", "MOTIF", "Boiteux", "Def", 80},
    {"valeur vide", "MOTIF", "Vide", "Def", 80},
    {"ligne sans égal", "MOTIF", "SansEgal", "Def", 80},
    {"valeur avec égal", "MOTIF", "Egal", "Def", 80},
    {"valeur coupée à taille - 1", "MOTIF", "Long", "Def", 5},
    {"valeur dans un tampon juste assez grand", "MOTIF", "Long", "Def", 9},
    {"section en double", "MOTIF", "Double", "Def", 80},
    {"clé absente", "MOTIF", "Gros", "Def", 80},
    {"défaut sans ses blancs finaux", "MOTIF", "Gros", "Oui  ", 80},
    {"défaut coupé", "MOTIF", "Gros", "Ouioui", 5},
    {"section absente", "Absente", "Ronds", "Def", 80},
    {"dernière ligne sans fin", "Fin", "Dernier", "Def", 80},
};

} // namespace

TEST(ProfilCommeLeSysteme, MemesReponsesSurLesMemesFichiers)
{
    DossierTemporaire d;
    const auto temoin = d.sous("temoin.ini");
    ecrireFichier(temoin, fichierTemoin);
    const auto lf = d.sous("lf.ini");
    std::string sansCr = fichierTemoin;
    std::erase(sansCr, '\r');
    ecrireFichier(lf, sansCr);
    const auto absent = d.sous("absent.ini");
    for (const auto& fichier : {temoin, lf, absent})
        for (const auto& l : lectures)
            EXPECT_EQ(lireChaineProfil(l.section, l.cle, l.defaut, l.taille, fichier),
                      lireSysteme(l.section, l.cle, l.defaut, l.taille, fichier))
                << l.nom << " (" << fichier.filename().string() << ")";
}

TEST(ProfilCommeLeSysteme, ChacunRelitLesFichiersDeLAutre)
{
    struct Cas {
        const char* nom;
        std::string avant;
        const char* section;
        const char* cle;
        const char* valeur;
        const char* relu;
    } cas[] = {
        {"fichier absent", "", "MOTIF", "Ronds", "Oui", "Oui"},
        {"clé remplacée", "; mes réglages\r\n[motif]\r\nronds = Non\r\nNoir=Non\r\n", "MOTIF", "Ronds", "Oui", "Oui"},
        {"clé ajoutée", "[MOTIF]\r\nRonds=Non\r\n\r\n[Autre]\r\nx=1\r\n", "MOTIF", "Noir", "Oui", "Oui"},
        {"section ajoutée après une ligne sans fin", "[Autre]\r\nx=1", "MOTIF", "Noir", "Oui", "Oui"},
        {"fins de ligne Unix", "[MOTIF]\nRonds=Non\n[Autre]\nx=1\n", "MOTIF", "Ronds", "Oui", "Oui"},
        {"valeur entourée de blancs", "[MOTIF]\r\n", "MOTIF", "Texte", "  été  ", "été"},
    };
    DossierTemporaire d;
    int n = 0;
    for (const auto& c : cas) {
        const auto suite = d.sous("suite" + std::to_string(n) + ".ini");
        const auto systeme = d.sous("systeme" + std::to_string(n++) + ".ini");
        if (!c.avant.empty()) {
            ecrireFichier(suite, c.avant);
            ecrireFichier(systeme, c.avant);
        }
        ASSERT_TRUE(ecrireChaineProfil(c.section, c.cle, c.valeur, suite)) << c.nom;
        ASSERT_TRUE(WritePrivateProfileStringA(c.section, c.cle, c.valeur, systeme.string().c_str())) << c.nom;
        // Each reads what the other wrote, and every other key alike.
        for (const auto& [fichier, auteur] : {std::pair{suite, "la suite"}, std::pair{systeme, "le système"}}) {
            EXPECT_EQ(lireSysteme(c.section, c.cle, "Def", 80, fichier), c.relu) << c.nom << ", écrit par " << auteur;
            for (const char* cle : {c.cle, "Ronds", "Noir", "x"})
                for (const char* section : {c.section, "Autre"})
                    EXPECT_EQ(lireChaineProfil(section, cle, "Def", 80, fichier),
                              lireSysteme(section, cle, "Def", 80, fichier))
                        << c.nom << ", écrit par " << auteur << ": " << section << "/" << cle;
        }
        // Line ends are the file's own: no "\r\r\n" from a text-mode write.
        EXPECT_EQ(lire(suite).find("\r\r"), std::string::npos) << c.nom;
    }
}
