#include "common/core/profil.hpp"
#include "common/testing/disque_plein.hpp"
#include "common/testing/lenteur.hpp"
#include "common/testing/profil_temoin.hpp"
#include "common/testing/utilisateur.hpp"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <random>
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

TEST_F(Profil, LectureDuFichierTemoin)
{
    // The same answers whatever the line ends; a missing file gives the default.
    std::string sansCr = velmaro::testing::profilTemoin;
    std::erase(sansCr, '\r');
    const fs::path absent = fichier().parent_path() / "absent.ini";
    for (const std::string& texte : {velmaro::testing::profilTemoin, sansCr}) {
        ecrireFichier(fichier(), texte);
        for (const auto& l : velmaro::testing::lecturesTemoin) {
            EXPECT_EQ(lireChaineProfil(l.section, l.cle, l.defaut, l.taille, fichier()), l.attendu) << l.nom;
            EXPECT_EQ(lireChaineProfil(l.section, l.cle, "Def", l.taille, absent),
                      std::string("Def").substr(0, l.taille ? l.taille - 1 : 0))
                << l.nom;
        }
    }
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
        {"clé remplacée, son nom gardé", "; mes réglages\r\n[motif]\r\nronds = Non\r\nNoir=Non\r\n", "MOTIF",
         "Ronds", "Oui", "; mes réglages\r\n[motif]\r\nronds=Oui\r\nNoir=Non\r\n"},
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
    struct Cas { const char* nom; std::string section, cle, valeur; } cas[] = {
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

namespace {

std::string octetsAuHasard(std::size_t n, unsigned graine)
{
    std::mt19937 alea(graine);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(alea() & 0xFF);
    return s;
}

// Every row of the hostile tables must end well within this.
constexpr auto delaiMaximal = std::chrono::seconds(2) * velmaro::testing::lenteurSousAsan;

} // namespace

TEST_F(Profil, FichiersHostilesLusEtEcritsSansPlanterNiTrainer)
{
    const std::size_t max = static_cast<std::size_t>(tailleMaximaleProfil);
    // Long comment lines, then the section at the very end.
    auto grand = [](std::size_t taille) {
        const std::string fin = "[MOTIF]\nRonds=Oui\n";
        std::string s;
        while (s.size() + fin.size() < taille)
            s += std::string(std::min<std::size_t>(999, taille - fin.size() - s.size() - 1), ';') + "\n";
        return s + fin;
    };
    struct Cas {
        const char* nom;
        std::string avant;
        const char* lu; // Ronds read with the default "Def"
        bool ecrit;     // the write of Ronds=Ecrit succeeds
    } cas[] = {
        {"vide", "", "Def", true},
        {"octets au hasard", octetsAuHasard(65536, 7), "Def", true},
        {"rien que des NUL", std::string(4096, '\0'), "Def", true},
        {"un NUL stocké termine la valeur", std::string("[MOTIF]\nRonds=Ou\0i\n", 19), "Ou", true},
        {"clé répétée: la première compte", "[MOTIF]\nRonds=Non\nRonds=Oui\nRonds=Oui\n", "Non", true},
        {"section répétée: la première compte", "[MOTIF]\nNoir=Oui\n[MOTIF]\nRonds=Oui\n", "Def", true},
        {"tout en double", "[MOTIF]\nRonds=Oui\nRonds=Non\n[MOTIF]\nRonds=Non\n[MOTIF]\nRonds=Non\n", "Oui", true},
        {"près d'un Mio, clé à la fin", grand(max - 100), "Oui", true},
        {"un Mio de sauts de ligne", std::string(max - 100, '\n'), "Def", true},
        {"un Mio sur une seule ligne", "[MOTIF]\nRonds=" + std::string(max - 14, 'x'), "xxxx", true},
        {"un Mio tout juste: lu, plus rien n'y entre", grand(max), "Oui", false},
        {"un octet de trop: illisible, gardé", std::string(max + 1, '\n'), "Def", false},
        {"très grand: illisible, gardé", std::string(8 * max, 'A'), "Def", false},
    };
    for (const auto& c : cas) {
        ecrireFichier(fichier(), c.avant);
        const auto debut = std::chrono::steady_clock::now();
        EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Def", 5, fichier()), c.lu) << c.nom;
        EXPECT_EQ(ecrireChaineProfil("MOTIF", "Ronds", "Ecrit", fichier()), c.ecrit) << c.nom;
        const std::string apres = lire(fichier());
        if (c.ecrit) {
            // What was there is kept; the key reads back as written.
            EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Def", 80, fichier()), "Ecrit") << c.nom;
            if (c.avant.find("Ronds") == std::string::npos) {
                EXPECT_EQ(apres.substr(0, c.avant.size()), c.avant) << c.nom;
            }
        } else {
            EXPECT_TRUE(apres == c.avant) << c.nom;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - debut, delaiMaximal) << c.nom;
    }
}

TEST_F(Profil, CeQuiNEstPasUnFichierNEstNiLuNiRemplace)
{
    // A named pipe would block a reader for ever; a link is followed.
    const fs::path tube = fichier().parent_path() / "tube.ini";
    ASSERT_EQ(mkfifo(tube.c_str(), 0644), 0);
    const auto debut = std::chrono::steady_clock::now();
    EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Def", 5, tube), "Def");
    EXPECT_FALSE(ecrireChaineProfil("MOTIF", "Ronds", "Oui", tube));
    EXPECT_TRUE(fs::is_fifo(tube));
    EXPECT_LT(std::chrono::steady_clock::now() - debut, delaiMaximal);

    const fs::path cible = fichier().parent_path() / "cible.ini";
    const fs::path lien = fichier().parent_path() / "lien.ini";
    ecrireFichier(cible, "[MOTIF]\nRonds=Non\n");
    fs::create_symlink("cible.ini", lien);
    EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Def", 5, lien), "Non");
    ASSERT_TRUE(ecrireChaineProfil("MOTIF", "Ronds", "Oui", lien));
    EXPECT_TRUE(fs::is_symlink(lien));
    EXPECT_EQ(lire(cible), "[MOTIF]\nRonds=Oui\n");

    // A link to nowhere: the file it names is created.
    const fs::path perdu = fichier().parent_path() / "perdu.ini";
    fs::create_symlink("nouveau.ini", perdu);
    ASSERT_TRUE(ecrireChaineProfil("MOTIF", "Ronds", "Oui", perdu));
    EXPECT_TRUE(fs::is_symlink(perdu));
    EXPECT_EQ(lire(fichier().parent_path() / "nouveau.ini"), "[MOTIF]\r\nRonds=Oui\r\n");

    // A loop of links is neither read nor written.
    const fs::path boucle = fichier().parent_path() / "boucle.ini";
    fs::create_symlink("boucle.ini", boucle);
    EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Def", 5, boucle), "Def");
    EXPECT_FALSE(ecrireChaineProfil("MOTIF", "Ronds", "Oui", boucle));
}

TEST(ProfilDroits, UneEcritureRefuseeLaisseLAncienFichier)
{
    const std::string avant = "; à garder\n[MOTIF]\nRonds=Non\n";
    struct Cas { const char* nom; fs::perms fichier; fs::perms dossier; const char* lu; } cas[] = {
        {"fichier en lecture seule", fs::perms(0444), fs::perms(0777), "Non"},
        {"dossier en lecture seule", fs::perms(0666), fs::perms(0555), "Non"},
        {"fichier illisible", fs::perms(0), fs::perms(0777), "Def"},
        {"fichier en écriture seule", fs::perms(0222), fs::perms(0777), "Def"},
    };
    for (const auto& c : cas) {
        velmaro::testing::DossierOuvert base;
        const fs::path dossier = fs::path(base.path().toStdString()) / "programme";
        const fs::path ini = dossier / "Somnelle.ini";
        fs::create_directory(dossier);
        ecrireFichier(ini, avant);
        fs::permissions(ini, c.fichier);
        fs::permissions(dossier, c.dossier);
        {
            velmaro::testing::UtilisateurOrdinaire utilisateur;
            ASSERT_TRUE(utilisateur.limite());
            EXPECT_EQ(lireChaineProfil("MOTIF", "Ronds", "Def", 5, ini), c.lu) << c.nom;
            EXPECT_FALSE(ecrireChainesProfil("MOTIF", {{"Ronds", "Oui"}, {"Noir", "Non"}}, ini)) << c.nom;
        }
        fs::permissions(dossier, fs::perms(0777));
        EXPECT_EQ(fs::status(ini).permissions(), c.fichier) << c.nom;
        fs::permissions(ini, fs::perms(0644));
        EXPECT_EQ(lire(ini), avant) << c.nom;
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dossier))
            ++n;
        EXPECT_EQ(n, 1) << c.nom << ": no temporary file left";
    }
}

TEST_F(Profil, DisquePleinAuMilieuDeLEcriture)
{
    const std::string avant = "[MOTIF]\r\nRonds=Non\r\n";
    ecrireFichier(fichier(), avant);
    std::vector<std::pair<std::string, std::string>> valeurs;
    for (const char* cle : {"Ronds", "DoubleFin", "DoubleMoyen", "DoubleOrdinaire", "DoubleGros", "LigneFin"})
        valeurs.emplace_back(cle, "Oui");
    EXPECT_EQ(velmaro::testing::ecrireDisquePlein([&] { return ecrireChainesProfil("MOTIF", valeurs, fichier()); }),
              std::optional<bool>(false))
        << "the failed write must be reported";
    EXPECT_EQ(lire(fichier()), avant);
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(fichier().parent_path()))
        ++n;
    EXPECT_EQ(n, 1) << "no temporary file left";
    // Without the limit the same write goes through.
    ASSERT_TRUE(ecrireChainesProfil("MOTIF", valeurs, fichier()));
    EXPECT_GT(lire(fichier()).size(), 64u);
}
