// Programs and launcher files started as the shell starts them.
#include "common/platform/win32/systeme.hpp"
#include "windows/tests/aide.hpp"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using namespace velmaro;
using velmaro::essais::DossierTemporaire;

TEST(LigneDeCommande, LesArgumentsArriventTelsQuels)
{
    const std::vector<std::vector<std::string>> cas = {
        {"A:", "B:"},
        {"/V", "A:"},
        {"C:\\Mes documents\\image.bmp"},
        {"C:\\Mes documents\\"},
        {""},
        {"a", "", "b"},
        {"dit \"oui\""},
        {"a\\\"b"},
        {"a\\\\b c"},
        {"\\\\serveur\\partage\\"},
        {"tab\tici", "fin\\"},
        {"été Ωμέγα \xF0\x9F\x98\x80"},
    };
    for (const auto& arguments : cas) {
        const std::wstring ligne = L"prog.exe " + win32::ligneDeCommande(arguments);
        int n = 0;
        wchar_t** argv = CommandLineToArgvW(ligne.c_str(), &n);
        ASSERT_NE(argv, nullptr);
        std::vector<std::string> relus;
        for (int i = 1; i < n; ++i)
            relus.push_back(win32::versUtf8(argv[i]));
        LocalFree(argv);
        EXPECT_EQ(relus, arguments) << win32::versUtf8(ligne);
    }
}

TEST(Lancer, FichierDeLancementDansSonDossier)
{
    DossierTemporaire d;
    const auto dossier = d.sous("Lanceurs été");
    std::filesystem::create_directory(dossier);
    // A launcher that writes its working folder and its arguments beside it.
    std::ofstream(dossier / "essai.bat") << "@cd > sortie.tmp\r\n@echo %1 %2>> sortie.tmp\r\n@move sortie.tmp sortie.txt >NUL\r\n";
    const std::string lanceur = d.utf8("Lanceurs été\\essai.bat");
    ASSERT_FALSE(win32::lancer(lanceur, {"A:", "deux mots"}));

    const auto sortie = dossier / "sortie.txt";
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(sortie) && std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(std::filesystem::exists(sortie));
    std::ifstream e(sortie);
    std::string dossierCourant, arguments;
    std::getline(e, dossierCourant);
    std::getline(e, arguments);
    for (std::string* ligne : {&dossierCourant, &arguments})
        while (!ligne->empty() && (ligne->back() == '\r' || ligne->back() == ' '))
            ligne->pop_back();
    // cmd writes in the ANSI code page, which a narrow path is read in.
    EXPECT_TRUE(std::filesystem::equivalent(dossierCourant, dossier)) << dossierCourant;
    EXPECT_EQ(arguments, "A: \"deux mots\"");

    const auto absent = win32::lancer(d.utf8("absent.pif"), {});
    ASSERT_TRUE(absent);
    EXPECT_EQ(absent->code, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}
