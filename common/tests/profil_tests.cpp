#include "common/core/profil.hpp"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

using namespace velmaro;
namespace fs = std::filesystem;

namespace {

std::string lire(const fs::path& p)
{
    std::ifstream e(p, std::ios::binary);
    std::ostringstream s;
    s << e.rdbuf();
    return s.str();
}

void ecrireFichier(const fs::path& p, const std::string& texte)
{
    std::ofstream s(p, std::ios::binary);
    s << texte;
}

class Profil : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    fs::path fichier() const { return fs::path(dossier.path().toStdString()) / "Somnelle.ini"; }
};

} // namespace

TEST(ProfilLecture, NomsSansCasseValeursRognees)
{
    const std::string texte =
        "\xEF\xBB\xBF[Autre]\r\n"
        "Ronds=Autre\r\n"
        "; commentaire\r\n"
        "  [ motif ]  \r\n"
        "  RONDS  =   Oui   \r\n"
        ";Noir=Oui\r\n"
        "Ronds=Second\r\n"
        "Guillemets=\"Oui \"\r\n"
        "Simples='x'\r\n"
        "Boiteux=\"x'\r\n"
        "Vide=\r\n"
        "SansEgal\r\n"
        "Egal=a=b\n"
        "[MOTIF]\n"
        "Double=ignorée car la première section gagne\n"
        "[Fin\n"
        "Clé=ouverte";
    const FichierProfil f = FichierProfil::depuisTexte(texte);
    struct Cas {
        const char* nom;
        const char* section;
        const char* cle;
        std::optional<std::string> attendu;
    } cas[] = {
        {"première section derrière le BOM", "autre", "ronds", "Autre"},
        {"section et clé sans casse, blancs ôtés", "MOTIF", "Ronds", "Oui"},
        {"la première clé gagne", "motif", "ronds", "Oui"},
        {"commentaire ignoré", "MOTIF", "Noir", std::nullopt},
        {"guillemets ôtés, contenu gardé", "MOTIF", "Guillemets", "Oui "},
        {"apostrophes ôtées", "MOTIF", "Simples", "x"},
        {"guillemets dépareillés gardés", "MOTIF", "Boiteux", "\"x'"},
        {"valeur vide", "MOTIF", "Vide", ""},
        {"ligne sans égal", "MOTIF", "SansEgal", std::nullopt},
        {"valeur avec égal", "MOTIF", "Egal", "a=b"},
        {"section en double", "MOTIF", "Double", std::nullopt},
        {"section sans crochet fermant", "Fin", "Clé", "ouverte"},
        {"section absente", "Absente", "Ronds", std::nullopt},
    };
    for (const auto& c : cas)
        EXPECT_EQ(f.valeur(c.section, c.cle), c.attendu) << c.nom;
}

TEST_F(Profil, LectureAvecDefautEtTaille)
{
    using namespace std::string_literals;
    ecrireFichier(fichier(), "[MOTIF]\nRonds=Ouix\nNoir=Oui\nLong=abcdefgh\nNul=ab\0cd\n"s);
    const fs::path absent = fichier().parent_path() / "absent.ini";
    struct Cas {
        const char* nom;
        const char* cle;
        const char* defaut;
        std::size_t taille;
        fs::path fichier;
        const char* attendu;
    } cas[] = {
        {"valeur coupée à taille - 1", "Long", "Non", 5, fichier(), "abcd"},
        {"valeur courte entière", "Noir", "Non", 5, fichier(), "Oui"},
        {"quatre caractères de Ouix", "Ronds", "Non", 5, fichier(), "Ouix"},
        {"clé absente: défaut", "Gros", "Non", 5, fichier(), "Non"},
        {"défaut sans blancs finaux", "Gros", "Oui  ", 5, fichier(), "Oui"},
        {"défaut coupé aussi", "Gros", "Ouioui", 5, fichier(), "Ouio"},
        {"fichier absent: défaut", "Ronds", "Oui", 5, absent, "Oui"},
        {"tampon nul", "Noir", "Non", 0, fichier(), ""},
        {"un NUL stocké termine le texte", "Nul", "Non", 80, fichier(), "ab"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(lireChaineProfil("MOTIF", c.cle, c.defaut, c.taille, c.fichier), c.attendu) << c.nom;
}

TEST_F(Profil, EcritureGardeLeResteDuFichier)
{
    struct Cas {
        const char* nom;
        std::string avant;
        const char* section;
        const char* cle;
        const char* valeur;
        std::string apres;
    } cas[] = {
        {"fichier absent créé", "", "MOTIF", "Ronds", "Oui", "[MOTIF]\r\nRonds=Oui\r\n"},
        {"clé remplacée, casse de l'appel", "; mes réglages\r\n[motif]\r\nronds = Non\r\nNoir=Non\r\n", "MOTIF",
         "Ronds", "Oui", "; mes réglages\r\n[motif]\r\nRonds=Oui\r\nNoir=Non\r\n"},
        {"clé ajoutée en fin de section, avant la ligne vide",
         "[MOTIF]\nRonds=Non\n\n[Autre]\nx=1\n", "MOTIF", "Noir", "Oui",
         "[MOTIF]\nRonds=Non\nNoir=Oui\n\n[Autre]\nx=1\n"},
        {"section ajoutée à la fin, dernière ligne terminée", "[Autre]\nx=1", "MOTIF", "Noir", "Oui",
         "[Autre]\nx=1\n[MOTIF]\nNoir=Oui\n"},
        {"section vide à la fin", "[MOTIF]", "MOTIF", "Noir", "Oui", "[MOTIF]\r\nNoir=Oui\r\n"},
        {"commentaire homonyme laissé", "[MOTIF]\n;Noir=Non\n", "MOTIF", "Noir", "Oui",
         "[MOTIF]\n;Noir=Non\nNoir=Oui\n"},
        {"fins de ligne mêlées gardées", "[A]\r\na=1\n[MOTIF]\r\nNoir=Non\n", "MOTIF", "Noir", "Oui",
         "[A]\r\na=1\n[MOTIF]\r\nNoir=Oui\n"},
    };
    for (const auto& c : cas) {
        fs::remove(fichier());
        if (!c.avant.empty())
            ecrireFichier(fichier(), c.avant);
        EXPECT_TRUE(ecrireChaineProfil(c.section, c.cle, c.valeur, fichier())) << c.nom;
        EXPECT_EQ(lire(fichier()), c.apres) << c.nom;
    }
    // No temporary file is left beside it.
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(fichier().parent_path()))
        ++n;
    EXPECT_EQ(n, 1);
}

TEST_F(Profil, EcrituresRefuseesSansToucherAuFichier)
{
    const std::string avant = "[MOTIF]\nRonds=Oui\n";
    struct Cas {
        const char* nom;
        std::string section, cle, valeur;
    } cas[] = {
        {"saut de ligne dans la valeur", "MOTIF", "Ronds", "Non\n[Piege]"},
        {"retour chariot dans la clé", "MOTIF", "Ro\rnds", "Non"},
        {"NUL dans la valeur", "MOTIF", "Ronds", std::string("N\0n", 3)},
        {"clé vide", "MOTIF", "  ", "Non"},
        {"section vide", "", "Ronds", "Non"},
        {"égal dans la clé", "MOTIF", "a=b", "Non"},
        {"clé de commentaire", "MOTIF", ";Ronds", "Non"},
        {"crochet dans la section", "MO]TIF", "Ronds", "Non"},
    };
    for (const auto& c : cas) {
        ecrireFichier(fichier(), avant);
        EXPECT_FALSE(ecrireChaineProfil(c.section, c.cle, c.valeur, fichier())) << c.nom;
        EXPECT_EQ(lire(fichier()), avant) << c.nom;
    }
}

TEST_F(Profil, UnFichierIllisibleNEstJamaisRemplace)
{
    // A folder where the file should be cannot be read nor replaced.
    fs::create_directory(fichier());
    EXPECT_FALSE(FichierProfil::charger(fichier()).lisible());
    EXPECT_FALSE(ecrireChaineProfil("MOTIF", "Ronds", "Oui", fichier()));
    EXPECT_TRUE(fs::is_directory(fichier()));
    EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Non", 5, fichier()), "Non");
    // A folder that does not exist: nothing written, no crash.
    EXPECT_FALSE(ecrireChaineProfil("MOTIF", "Ronds", "Oui", fichier().parent_path() / "absent" / "x.ini"));
}

TEST_F(Profil, PlusieursClesEnUnRemplacement)
{
    ecrireFichier(fichier(), "[Autre]\nx=1\n");
    ASSERT_TRUE(ecrireChainesProfil("MOTIF", {{"Ronds", "Non"}, {"Noir", "Oui"}, {"Ronds", "non"}}, fichier()));
    EXPECT_EQ(lire(fichier()), "[Autre]\nx=1\n[MOTIF]\nRonds=non\nNoir=Oui\n");
}

TEST(ProfilHostile, ContenusQuelconquesNePlantentPas)
{
    const std::string cas[] = {
        std::string(1, '\0'), "[", "]", "=", "[[]]=\n=\n", "\r\r\r\n\n", std::string(3, '\xEF'),
        "[MOTIF]\n=Oui\n", std::string("[MOTIF]\0\nRonds=Oui", 18), std::string(100000, '['),
    };
    for (const auto& t : cas) {
        FichierProfil f = FichierProfil::depuisTexte(t);
        (void)f.valeur("MOTIF", "Ronds");
        EXPECT_TRUE(f.ecrire("MOTIF", "Ronds", "Oui"));
        EXPECT_EQ(FichierProfil::depuisTexte(f.texte()).valeur("motif", "RONDS"), "Oui");
    }
}
