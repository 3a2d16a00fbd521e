// The suite's settings-file rules and the system's own profile calls give the
// same answers on the same files, and read each other's files.
#include "common/core/profil.hpp"
#include "common/testing/profil_temoin.hpp"
#include "windows/tests/aide.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
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

} // namespace

TEST(ProfilCommeLeSysteme, MemesReponsesSurLesMemesFichiers)
{
    DossierTemporaire d;
    const auto temoin = d.sous("temoin.ini");
    ecrireFichier(temoin, velmaro::testing::profilTemoin);
    const auto lf = d.sous("lf.ini");
    std::string sansCr = velmaro::testing::profilTemoin;
    std::erase(sansCr, '\r');
    ecrireFichier(lf, sansCr);
    const auto absent = d.sous("absent.ini");
    for (const auto& fichier : {temoin, lf, absent})
        for (const auto& l : velmaro::testing::lecturesTemoin) {
            if (l.commeLeSysteme) {
                EXPECT_EQ(lireChaineProfil(l.section, l.cle, l.defaut, l.taille, fichier),
                          lireSysteme(l.section, l.cle, l.defaut, l.taille, fichier))
                    << l.nom << " (" << fichier.filename().string() << ")";
            }
        }
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

TEST(ProfilCommeLeSysteme, UnFichierQueWindowsProtegeEstGarde)
{
    const std::string avant = "; à garder\r\n[MOTIF]\r\nRonds=Non\r\n";
    enum class Etat { Normal, LectureSeule, Cache, OuvertSansPartage, OuvertEnPartage };
    struct Cas {
        const char* nom;
        Etat etat;
        std::optional<bool> ecrit; // nothing: either, as long as nothing is lost
    } cas[] = {
        {"fichier ordinaire", Etat::Normal, true},
        {"attribut lecture seule", Etat::LectureSeule, false},
        {"fichier caché", Etat::Cache, true},
        {"ouvert ailleurs sans partage", Etat::OuvertSansPartage, false},
        // Whether a file open elsewhere can be replaced depends on the
        // Windows version and its file system.
        {"ouvert ailleurs, suppression partagée", Etat::OuvertEnPartage, std::nullopt},
    };
    for (const auto& c : cas) {
        DossierTemporaire d;
        const auto ini = d.sous("Somnelle.ini");
        ecrireFichier(ini, avant);
        if (c.etat == Etat::LectureSeule)
            SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
        if (c.etat == Etat::Cache)
            SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN);
        const DWORD partage = c.etat == Etat::OuvertEnPartage ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                                              : FILE_SHARE_READ;
        HANDLE h = c.etat == Etat::OuvertSansPartage || c.etat == Etat::OuvertEnPartage
                       ? CreateFileW(ini.c_str(), GENERIC_READ, partage, nullptr, OPEN_EXISTING, 0, nullptr)
                       : INVALID_HANDLE_VALUE;
        const bool ecrit = ecrireChainesProfil("MOTIF", {{"Ronds", "Oui"}, {"Noir", "Non"}}, ini);
        if (c.ecrit) {
            EXPECT_EQ(ecrit, *c.ecrit) << c.nom;
        }
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        EXPECT_EQ(lireSysteme("MOTIF", "Ronds", "Def", 80, ini), ecrit ? "Oui" : "Non") << c.nom;
        if (!ecrit) {
            EXPECT_EQ(lire(ini), avant) << c.nom;
        }
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(d.chemin()))
            ++n;
        EXPECT_EQ(n, 1) << c.nom << ": no temporary file left";
    }
}
