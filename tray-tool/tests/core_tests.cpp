#include "common/testing/disque_plein.hpp"
#include "tray-tool/core/dessin.hpp"
#include "tray-tool/core/reglages.hpp"
#include "tray-tool/core/tray.hpp"
#include "tray-tool/core/trayicondata.hpp"
#include "tray-tool/tests/drapeaux.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <deque>
#include <fstream>
#include <iomanip>
#include <sstream>

using namespace somnelle;
using namespace somnelle::essais;
namespace fs = std::filesystem;

namespace {

// Each request as the platform receives it: the message, the six words of
// the record's head and its 64-byte tip.
struct ZoneEnregistree : ZoneNotification {
    bool Shell_NotifyIcon(std::uint32_t message, const TrayIconData& d) override
    {
        const auto o = d.octets();
        std::vector<std::uint32_t> mots{message};
        for (std::size_t p = 0; p < 24; p += 4)
            mots.push_back(o[p] | o[p + 1] << 8 | o[p + 2] << 16 | static_cast<std::uint32_t>(o[p + 3]) << 24);
        appels.push_back({mots, std::string(o.begin() + 24, o.end())});
        return reponse;
    }
    std::vector<std::pair<std::vector<std::uint32_t>, std::string>> appels;
    bool reponse = true;
};

struct CanevasEnregistre : Canevas {
    void effacer() override { traces.push_back("effacer"); }
    void cercle(double x, double y, double rayon, Couleur contour, Couleur remplissage, int plume) override
    {
        std::ostringstream t;
        t << std::setprecision(9) << "cercle " << x << ' ' << y << ' ' << rayon << std::hex << ' ' << contour << ' '
          << remplissage << std::dec << ' ' << plume;
        traces.push_back(t.str());
    }
    void ligne(double x1, double y1, double x2, double y2, Couleur couleur, int plume) override
    {
        std::ostringstream t;
        t << std::setprecision(9) << "ligne " << x1 << ' ' << y1 << ' ' << x2 << ' ' << y2 << std::hex << ' ' << couleur
          << std::dec << ' ' << plume;
        traces.push_back(t.str());
    }
    std::vector<std::string> traces;
};

// A 1024 x 768 screen: 15360 x 11520 twips.
constexpr float W = 15360, H = 11520;

struct Banc {
    explicit Banc(const char* etat) : reglages(depuis(etat)), dessin(reglages, [this] {
        const double t = tirages.empty() ? throw std::logic_error("plus de tirage") : tirages.front();
        tirages.pop_front();
        return t;
    }) { dessin.Form_Load(W, H); }
    std::string pas(std::deque<double> t, float S = W)
    {
        tirages = std::move(t);
        canevas.traces.clear();
        dessin.Timer1_Timer(canevas, S);
        return canevas.traces.empty() ? "" : canevas.traces.back();
    }
    ReglagesVeille reglages;
    std::deque<double> tirages;
    DessinVeille dessin;
    CanevasEnregistre canevas;
};

} // namespace

TEST(TrayIconData, OctetsDesAjoutsPuisDuRetrait)
{
    struct Cas { IconeTray icone; std::string champ, affiche; } cas[] = { // szTip's 64 bytes, what the tray shows
        {IconeTray::Veille, std::string("Mise en veille") + '\0' + std::string(49, ' '), "Mise en veille"},
        // 65 characters: the field keeps 64, without "]" nor NUL; the shell shows 63.
        {IconeTray::RelWin, "Red\xE9marrage de Windows / [Red\xE9marrer l'ordinateur en mode MS-DOS",
         "Redémarrage de Windows / [Redémarrer l'ordinateur en mode MS-DO"},
        {IconeTray::StopWin,
         std::string("Arr\xEAter l'ordinateur / [Red\xE9marrer l'ordinateur]") + '\0' + std::string(15, ' '),
         "Arrêter l'ordinateur / [Redémarrer l'ordinateur]"},
    };
    ZoneEnregistree zone;
    Tray_Functions tf(zone);
    for (const auto& c : cas) {
        SCOPED_TRACE(c.affiche);
        const std::uint32_t icone = 0xAB00 + static_cast<std::uint32_t>(c.icone);
        EXPECT_TRUE(tf.AddTrayIcon(0x1234, descriptionIcone(c.icone).bulle, icone));
        EXPECT_EQ(zone.appels.back().first, (std::vector<std::uint32_t>{NIM_ADD, 88, 0x1234, 100, 7, 512, icone}));
        EXPECT_EQ(zone.appels.back().second, c.champ);
        EXPECT_EQ(tf.donnees().bulleAffichee(), c.affiche);
    }
    // The removal keeps the flags, icon and tip of the last addition; the
    // platform's answer is passed back.
    zone.reponse = false;
    EXPECT_FALSE(tf.RemoveTrayIcon(1));
    EXPECT_EQ(zone.appels.back().first, (std::vector<std::uint32_t>{NIM_DELETE, 88, 1, 100, 7, 512, 0xAB02}));
    EXPECT_EQ(zone.appels.back().second, zone.appels[2].second);
}

TEST(DecodageSouris, TableDesMessages)
{
    using R = Reaction;
    struct Cas { float x; Reaction veille, relwin, stopwin; } cas[] = {
        {513, R::MontrerVeille, R::RelancerWindows, R::Arreter}, {516, R::MenuVeille, R::Rien, R::Rien},
        {517, R::Rien, R::MenuRelWin, R::MenuStopWin}};
    for (const auto& c : cas)
        EXPECT_EQ(std::vector({decoderSouris(IconeTray::Veille, c.x), decoderSouris(IconeTray::RelWin, c.x),
                               decoderSouris(IconeTray::StopWin, c.x)}),
                  std::vector({c.veille, c.relwin, c.stopwin})) << c.x;
    for (float x : {512.f, 514.f, 515.f, 519.f, 513.5f, -513.f})
        for (IconeTray i : {IconeTray::Veille, IconeTray::RelWin, IconeTray::StopWin})
            EXPECT_EQ(decoderSouris(i, x), R::Rien) << x;
}

TEST(NettoyageTmp, MotifSansCasseEtSeulementDansLeDossier)
{
    const std::pair<const char*, bool> cas[] = {
        {"~df1234.tmp", true}, {"~DF1234.TMP", true}, {"~Df.Tmp", true},    {"~dfABCDEFGHIJ.tmp", true},
        {"~df.tm", false},     {"df1.tmp", false},    {"x~df1.tmp", false}, {"~df1.tmp.bak", false},
        {"~df1tmp", false},    {"~dftmp", false},     {"", false},          {"~d.tmp", false},
    };
    for (auto [nom, attendu] : cas)
        EXPECT_EQ(correspondMotifTmp(nom), attendu) << nom;

    QTemporaryDir temp;
    const fs::path d = temp.path().toStdString();
    fs::create_directories(d / "~df04.tmp"); // a folder of that name stays, and one below
    fs::create_directories(d / "sous");
    for (const char* nom : {"~DF01.TMP", "~df02.tmp", "garde.tmp", "~df03.txt", "sous/~df05.tmp"})
        std::ofstream(d / nom) << "x";
    fs::create_symlink(d / "garde.tmp", d / "~df06.tmp");
    EXPECT_EQ(Effacer_TMP(d), 2);
    for (const char* nom : {"garde.tmp", "~df03.txt", "~df04.tmp", "sous/~df05.tmp"})
        EXPECT_TRUE(fs::exists(d / nom)) << nom;
    EXPECT_FALSE(fs::exists(d / "~DF01.TMP") || fs::exists(d / "~df02.tmp"));
    EXPECT_EQ(Effacer_TMP(d) + Effacer_TMP(d / "absent") + Effacer_TMP(std::nullopt), 0); // none left, no folder
}

TEST(MenuReglages, EffetDesChoix)
{
    using C = ChoixPopUp;
    // The count starts at 100.
    struct Cas { const char *nom, *avant; ChoixPopUp choix; const char* apres; bool ecrit; std::int16_t compteur; }
    cas[] = {
        {"Ronds", "DLNmA", C::Ronds, "Rm", true, 0},     {"Doubles, ouvert", "RLNoA", C::Doubles, "Do", false, 100},
        {"Lignes, ouvert", "RDNgA", C::Lignes, "Lg", false, 100}, {"Fin garde le motif", "Dmog", C::Fin, "Df", true, 0},
        {"Moyen", "Lfog", C::Moyen, "Lm", true, 0},      {"Ordinaire", "Lfmg", C::Ordinaire, "Lo", true, 0},
        {"Gros", "Dfmo", C::Gros, "Dg", true, 0},        {"Noir garde le compteur", "RDLAf", C::Noir, "Nf", true, 100},
        {"Animation garde l'épaisseur", "RDLNg", C::Animation, "gA", true, 100},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        ReglagesVeille r = depuis(c.avant, 100);
        EXPECT_EQ(appliquerChoix(r, c.choix), c.ecrit);
        EXPECT_EQ(drapeaux(r), c.apres);
        EXPECT_EQ(r.CompteurTraces, c.compteur);
    }
}

TEST(ProcIni, ValeursPourChaqueChoix)
{
    // One letter per key in file order: O "Oui", N "Non", n "non".
    const std::pair<const char*, const char*> cas[] = {
        {"", "NNNNNNNNNNN"},    {"R", "ONNNNNNNNNN"},    {"RDf", "ONNNNNNNNNN"}, {"Df", "NONNNNNNNNN"},
        {"Dm", "NNONNNNNNNN"},  {"Do", "NNNONNNNNNN"},   {"Dg", "NNNNONNNNNN"},  {"Lf", "NNNNNONNNNN"},
        {"Lm", "NNNNNNONNNN"},  {"Lo", "NNNNNNNONNN"},   {"Lg", "nNNNNNNNONN"},  {"N", "NNNNNNNNNON"},
        {"A", "NNNNNNNNNNO"},   {"Afmog", "NNNNNNNNNNO"}, {"D", "NNNNNNNNNNN"},  {"LgN", "nNNNNNNNONN"},
        {"Dfg", "NONNNNNNNNN"}, {"DLg", "NNNNONNNNNN"},
    };
    for (auto [etat, attendu] : cas) {
        std::string lettres;
        for (const auto& [cle, valeur] : valeursProcIni(depuis(etat)))
            lettres += valeur == "Oui" ? 'O' : valeur == "Non" ? 'N' : valeur == "non" ? 'n' : '?';
        EXPECT_EQ(lettres, attendu) << etat;
    }
}

TEST(ProcIni, FichierEcritPuisRelu)
{
    QTemporaryDir temp;
    const fs::path f = fs::path(temp.path().toStdString()) / "Somnelle.ini";
    std::ofstream(f) << "; à moi\n[Autre]\nx=1\n";
    ASSERT_TRUE(ProcIni(depuis("Lg"), f));
    EXPECT_EQ(lire(temp.filePath("Somnelle.ini")),
              "; à moi\n[Autre]\nx=1\n[MOTIF]\nRonds=non\nDoubleFin=Non\nDoubleMoyen=Non\n"
              "DoubleOrdinaire=Non\nDoubleGros=Non\nLigneFin=Non\nLigneMoyen=Non\n"
              "LigneOrdinaire=Non\nLigneGros=Oui\nNoir=Non\nAnimation=Non\n");
    ReglagesVeille relu;
    EXPECT_FALSE(chargerReglages(relu, f));
    EXPECT_EQ(drapeaux(relu), "Lg");
    // A write cut short by a full disk leaves the previous choice (the
    // writer's other refusals are tested with it), and no temporary file.
    const QByteArray avant = lire(temp.filePath("Somnelle.ini"));
    EXPECT_EQ(velmaro::testing::ecrireDisquePlein([&] { return ProcIni(depuis("Dm"), f); }), std::optional(false));
    EXPECT_EQ(lire(temp.filePath("Somnelle.ini")), avant);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a temporary file left";
}

TEST(ChargementReglages, FichiersEditesALaMain)
{
    // No content: no file.
    struct Cas { const char *nom, *contenu, *avant, *apres; bool animation, enorme = false; } cas[] = {
        {"pas de fichier: des ronds", nullptr, "", "R", false}, {"section vide", "[MOTIF]\n", "", "R", false},
        {"oui en minuscules", "[MOTIF]\nRonds=Non\nNoir=oui\n", "", "", false},
        {"Ouiii coupé à Ouii", "[MOTIF]\nRonds=Non\nNoir=Ouiii\n", "", "", false},
        {"plusieurs Oui", "[MOTIF]\nRonds=Oui\nDoubleFin=Oui\nLigneGros=Oui\nAnimation=Oui\n", "", "RDLfgA", true},
        {"jamais éteint", "[MOTIF]\nRonds=Non\nDoubleMoyen=Oui\n", "LNogA", "DLNmogA", false},
        {"non de LigneGros", "[MOTIF]\nRonds=non\nLigneGros=Oui\n", "", "Lg", false},
        // The shared reader's guard: its own table is with it.
        {"5 Mio: pas un fichier de réglages", "[MOTIF]\nRonds=Non\nNoir=Oui\n", "", "R", false, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        QTemporaryDir temp;
        const fs::path f = fs::path(temp.path().toStdString()) / "Somnelle.ini";
        if (c.contenu)
            std::ofstream(f, std::ios::binary) << c.contenu << std::string(c.enorme ? 5 << 20 : 0, 'x');
        ReglagesVeille r = depuis(c.avant, 42);
        EXPECT_EQ(chargerReglages(r, f), c.animation);
        EXPECT_EQ(drapeaux(r), c.apres);
        EXPECT_EQ(r.CompteurTraces, 42);
    }
}

TEST(DessinVeille, UnPasSelonLeMotif)
{
    // C1 from 0.5, 0.1, 1.0 - 2^-24: N(127.5) = 128, N(25.5) = 26, 255.
    const std::deque<double> couleur = {0.5, 0.1, 0.99999994};
    // The draws after the colour and the radius, the shape drawn and the draws left.
    struct Cas { const char *nom, *etat; std::deque<double> suite; double rayon; std::string trace; size_t restants; }
    cas[] = {
        {"ronds: disque plein, plume 1", "R", {0.25, 0.75, 9}, 0.5, "cercle 3840 8640 1280 ff1a80 ff1a80 1", 1},
        {"doubles: anneau C2, plume fine", "Df", {0.25, 0.75, 0, 1.0 / 255, 0.2, 9}, 0.5,
         "cercle 3840 8640 1280 330100 ff1a80 2", 1},
        {"lignes, bout + R", "Lg", {0.25, 0.75, 0.99, 0.5, 9}, 0.5, "ligne 3840 8640 16486.4004 7040 ff1a80 102", 1},
        {"noir: l'écran est effacé", "N", {9}, 0.5, "effacer", 1},
        {"rien de choisi: rien", "A", {9}, 0.5, "", 1},
        {"rayon minimal W/18", "R", {0, 0}, 0.1, "cercle 0 0 853.333313 ff1a80 ff1a80 1", 0},
        {"rayon juste sous W/6", "R", {0, 0}, 0.99999994, "cercle 0 0 2559.99976 ff1a80 ff1a80 1", 0},
        {"tirage arrondi à 1: juste sous 1", "R", {0, 0}, 0.99999999, "cercle 0 0 2559.99976 ff1a80 ff1a80 1", 0},
        {"ronds avant doubles", "RDLNg", {0.5, 0.5}, 0.5, "cercle 7680 5760 1280 ff1a80 ff1a80 1", 0},
        {"doubles avant lignes", "DLNm", {0.5, 0.5, 0, 0, 0}, 0.5, "cercle 7680 5760 1280 0 ff1a80 26", 0},
        {"lignes avant noir", "LNo", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 51", 0},
        {"fin avant gros", "Lfmog", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 2", 0},
        {"moyen avant ordinaire", "Lmog", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 26", 0},
        {"sans épaisseur: plume du chargement", "L", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 51", 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b(c.etat);
        std::deque<double> tirages = couleur;
        tirages.push_back(c.rayon);
        tirages.insert(tirages.end(), c.suite.begin(), c.suite.end());
        EXPECT_EQ(b.pas(tirages), c.trace);
        EXPECT_LE(b.canevas.traces.size(), 1u);
        EXPECT_EQ(b.tirages.size(), c.restants);
        EXPECT_EQ(b.reglages.CompteurTraces, 1);
    }
}

TEST(DessinVeille, LargeurDePlume)
{
    // Half to even at load (W / 300) and for each thickness (S / 600, 300, 150),
    // with S read at every step.
    struct Cas { const char* nom; float largeurChargement; const char* etat; float S; int plume; } cas[] = {
        {"chargement 32,5 -> 32", 9750, "", 0, 32}, {"chargement 33,5 -> 34", 10050, "", 0, 34},
        {"chargement minuscule: 1", 10, "", 0, 1},  {"moyen 2,5 -> 2", W, "Lm", 1500, 2},
        {"moyen 3,5 -> 4", W, "Lm", 2100, 4},       {"ordinaire S/300", W, "Do", 28800, 96},
        {"gros S/150", W, "Lg", 28800, 192},        {"gros 0,5 -> au moins 1", W, "Lg", 75, 1},
        {"fin toujours 2", W, "Df", 28800, 2},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b(c.etat);
        b.dessin.Form_Load(c.largeurChargement, H);
        if (*c.etat)
            b.pas(std::deque<double>(10, 0.0), c.S);
        EXPECT_EQ(b.dessin.plume(), c.plume);
    }
    // The discs' pen stays when "&Doubles" is opened with no thickness chosen.
    Banc b("R");
    b.pas(std::deque<double>(6, 0.0));
    b.reglages = depuis("D");
    EXPECT_EQ(b.pas(std::deque<double>(9, 0.0)), "cercle 0 0 853.333313 0 0 1");
}

TEST(DessinVeille, EffacementAu272ePas)
{
    struct Cas { const char *nom, *etat; std::int16_t depart; int pas, effacements; std::int16_t compteur; } cas[] = {
        {"271 pas: pas d'effacement", "R", 0, 271, 0, 271},  {"272 pas: un effacement, le dernier", "R", 0, 272, 1, 0},
        {"545 pas: deux effacements", "R", 0, 545, 2, 1},   {"à 271, un pas efface", "R", 271, 1, 1, 0},
        {"noir compte aussi", "N", 0, 272, 273, 0},         {"rien de choisi: seul l'effacement", "A", 0, 272, 1, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b(c.etat);
        b.reglages.CompteurTraces = c.depart;
        std::vector<std::string> traces;
        for (int i = 0; i < c.pas; ++i) {
            b.pas(std::deque<double>(6, 0.3));
            traces.insert(traces.end(), b.canevas.traces.begin(), b.canevas.traces.end());
        }
        EXPECT_EQ(std::count(traces.begin(), traces.end(), "effacer"), c.effacements);
        EXPECT_EQ(b.reglages.CompteurTraces, c.compteur);
        // With discs, the erasing step draws nothing else.
        EXPECT_TRUE(*c.etat != 'R' || (traces.size() == static_cast<std::size_t>(c.pas + c.effacements) &&
                                       (!c.effacements || traces[272 - c.depart] == "effacer")));
    }
}
