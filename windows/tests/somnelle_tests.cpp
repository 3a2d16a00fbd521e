// Somnelle's file work where Windows differs from Linux: a file in use can't
// be deleted, and the program folder may be named outside the ANSI code page.
#include "tray-tool/core/reglages.hpp"
#include "tray-tool/core/tray.hpp"
#include "windows/tests/aide.hpp"

#include <gtest/gtest.h>

#include <fstream>

using velmaro::essais::DossierTemporaire;

TEST(EffacerTmp, CeQuiNePeutPartirResteEtLesAutresPartent)
{
    DossierTemporaire d;
    enum class Etat { Normal, Cache, Ouvert, LectureSeule };
    struct Cas { const char* nom; Etat etat; bool efface; } cas[] = {
        {"~df01.tmp", Etat::Normal, true},
        {"~DF02.TMP", Etat::Normal, true},
        {"~df03.tmp", Etat::Cache, true},
        {"~df04.tmp", Etat::Ouvert, false},
        {"~df05.tmp", Etat::LectureSeule, false},
        {"~df06 été Ω.tmp", Etat::Normal, true},
        {"garde.tmp", Etat::Normal, false},
    };
    std::vector<HANDLE> ouverts;
    int attendus = 0;
    for (const auto& c : cas) {
        const auto p = d.sous(c.nom);
        std::ofstream(p) << "x";
        if (c.etat == Etat::Cache)
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_HIDDEN);
        if (c.etat == Etat::LectureSeule)
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY);
        // Held by another program that doesn't share deletion.
        if (c.etat == Etat::Ouvert)
            ouverts.push_back(CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        attendus += c.efface;
    }
    EXPECT_EQ(somnelle::Effacer_TMP(d.chemin()), attendus);
    for (HANDLE h : ouverts)
        CloseHandle(h);
    for (const auto& c : cas)
        EXPECT_EQ(std::filesystem::exists(d.sous(c.nom)), !c.efface) << c.nom;
}

TEST(ReglagesVeille, FichierDansUnDossierHorsDeLaPageDeCode)
{
    DossierTemporaire base;
    // The program folder as Somnelle's window side passes it: a UTF-16 path.
    const std::filesystem::path dossier = base.chemin() / L"Réglages Ωμέγα \U0001F600";
    std::filesystem::create_directory(dossier);
    const auto fichier = dossier / somnelle::fichierReglages;
    struct Cas { const char* nom; somnelle::ReglagesVeille etat; } cas[] = {
        {"ronds", {.Ronds = true}},
        {"lignes grosses", {.Lignes = true, .Gros = true}},
        {"doubles moyens", {.Doubles = true, .Moyen = true}},
        {"animation", {.Animation = true}},
        {"noir", {.Noir = true}},
    };
    for (const auto& c : cas) {
        ASSERT_TRUE(somnelle::ProcIni(c.etat, fichier)) << c.nom;
        // The system reads every key as written.
        for (const auto& [cle, valeur] : somnelle::valeursProcIni(c.etat)) {
            wchar_t tampon[16] = {};
            const std::wstring cleW(cle.begin(), cle.end());
            GetPrivateProfileStringW(L"MOTIF", cleW.c_str(), L"", tampon, 16, fichier.c_str());
            EXPECT_EQ(std::wstring(tampon), std::wstring(valeur.begin(), valeur.end())) << c.nom << " " << cle;
        }
        somnelle::ReglagesVeille relu;
        EXPECT_EQ(somnelle::chargerReglages(relu, fichier), c.etat.Animation) << c.nom;
        EXPECT_EQ(somnelle::valeursProcIni(relu), somnelle::valeursProcIni(c.etat)) << c.nom;
    }
}
