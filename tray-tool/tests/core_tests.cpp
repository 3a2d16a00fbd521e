#include "common/core/ansi.hpp"
#include "tray-tool/core/dessin.hpp"
#include "tray-tool/core/reglages.hpp"
#include "tray-tool/core/tray.hpp"
#include "tray-tool/core/trayicondata.hpp"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <deque>
#include <fstream>
#include <sstream>

using namespace somnelle;
namespace fs = std::filesystem;

namespace {

struct ZoneEnregistree : ZoneNotification {
    struct Appel {
        std::uint32_t message;
        std::array<std::uint8_t, 88> octets;
    };
    bool Shell_NotifyIcon(std::uint32_t message, const TrayIconData& d) override
    {
        appels.push_back({message, d.octets()});
        return reponse;
    }
    std::vector<Appel> appels;
    bool reponse = true;
};

std::uint32_t mot(const std::array<std::uint8_t, 88>& o, std::size_t pos)
{
    return o[pos] | (o[pos + 1] << 8) | (o[pos + 2] << 16) | (static_cast<std::uint32_t>(o[pos + 3]) << 24);
}

std::string tip(const std::array<std::uint8_t, 88>& o) { return std::string(o.begin() + 24, o.end()); }

} // namespace

TEST(TrayIconData, OctetsDesTroisBulles)
{
    struct Cas {
        IconeTray icone;
        std::string champ;   // the 64 bytes of szTip
        std::string affiche; // what the tray shows
    } cas[] = {
        {IconeTray::Veille, std::string("Mise en veille") + '\0' + std::string(49, ' '), "Mise en veille"},
        // 65 characters: the field keeps 64, without "]" nor NUL; the shell shows 63.
        {IconeTray::RelWin, "Red\xE9marrage de Windows / [Red\xE9marrer l'ordinateur en mode MS-DOS",
         "Redémarrage de Windows / [Redémarrer l'ordinateur en mode MS-DO"},
        {IconeTray::StopWin,
         std::string("Arr\xEAter l'ordinateur / [Red\xE9marrer l'ordinateur]") + '\0' + std::string(15, ' '),
         "Arrêter l'ordinateur / [Redémarrer l'ordinateur]"},
    };
    for (const auto& c : cas) {
        ZoneEnregistree zone;
        Tray_Functions tf(zone);
        const char* bulle = descriptionIcone(c.icone).bulle;
        EXPECT_TRUE(tf.AddTrayIcon(0x1234, bulle, 0xABCD)) << bulle;
        ASSERT_EQ(zone.appels.size(), 1u);
        const auto& o = zone.appels[0].octets;
        EXPECT_EQ(zone.appels[0].message, NIM_ADD);
        EXPECT_EQ(mot(o, 0), 88u);
        EXPECT_EQ(mot(o, 4), 0x1234u);
        EXPECT_EQ(mot(o, 8), 100u);
        EXPECT_EQ(mot(o, 12), 7u);
        EXPECT_EQ(mot(o, 16), 512u);
        EXPECT_EQ(mot(o, 20), 0xABCDu);
        ASSERT_EQ(c.champ.size(), 64u);
        EXPECT_EQ(tip(o), c.champ) << bulle;
        EXPECT_EQ(tf.donnees().bulleAffichee(), c.affiche);
    }
}

TEST(TrayIconData, LeRetraitGardeDrapeauxIconeEtBulleDuDernierAjout)
{
    ZoneEnregistree zone;
    zone.reponse = false; // results are the platform's, passed back
    Tray_Functions tf(zone);
    EXPECT_FALSE(tf.AddTrayIcon(1, "Mise en veille", 11));
    EXPECT_FALSE(tf.AddTrayIcon(2, descriptionIcone(IconeTray::StopWin).bulle, 22));
    EXPECT_FALSE(tf.RemoveTrayIcon(1));
    const auto& o = zone.appels.back().octets;
    EXPECT_EQ(zone.appels.back().message, NIM_DELETE);
    EXPECT_EQ(mot(o, 4), 1u);
    EXPECT_EQ(mot(o, 8), 100u);
    EXPECT_EQ(mot(o, 12), 7u);
    EXPECT_EQ(mot(o, 20), 22u);
    EXPECT_EQ(tip(o), tip(zone.appels[1].octets));
}

TEST(TrayIconData, CodePageAnsi)
{
    struct Cas {
        const char* utf8;
        const char* ansi;
        const char* retour;
    } cas[] = {
        {"é ê à ç", "\xE9 \xEA \xE0 \xE7", "é ê à ç"},
        {"€ œ – …", "\x80 \x9C \x96 \x85", "€ œ – …"},
        {"日本", "??", "??"},
        {"\xC3", "?", "?"},             // cut sequence
        {"a\xFF" "b", "a?b", "a?b"},     // invalid byte
    };
    for (const auto& c : cas) {
        EXPECT_EQ(velmaro::utf8VersAnsi(c.utf8), c.ansi) << c.utf8;
        EXPECT_EQ(velmaro::ansiVersUtf8(velmaro::utf8VersAnsi(c.utf8)), c.retour) << c.utf8;
    }
}

TEST(DecodageSouris, TableDesMessages)
{
    using R = Reaction;
    struct Cas {
        float x;
        Reaction veille, relwin, stopwin;
    } cas[] = {
        {512, R::Rien, R::Rien, R::Rien},
        {513, R::MontrerVeille, R::RelancerWindows, R::Arreter},
        {514, R::Rien, R::Rien, R::Rien},
        {515, R::Rien, R::Rien, R::Rien},
        {516, R::MenuVeille, R::Rien, R::Rien},
        {517, R::Rien, R::MenuRelWin, R::MenuStopWin},
        {519, R::Rien, R::Rien, R::Rien}, // middle button
        {520, R::Rien, R::Rien, R::Rien},
        {513.5f, R::Rien, R::Rien, R::Rien},
        {0, R::Rien, R::Rien, R::Rien},
        {-513, R::Rien, R::Rien, R::Rien},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(decoderSouris(IconeTray::Veille, c.x), c.veille) << c.x;
        EXPECT_EQ(decoderSouris(IconeTray::RelWin, c.x), c.relwin) << c.x;
        EXPECT_EQ(decoderSouris(IconeTray::StopWin, c.x), c.stopwin) << c.x;
    }
}

TEST(MenusTray, ElementsLegendesEtElementParDefaut)
{
    const std::string communs = "mnuSep1|-;mnuExit|E&xit Somnelle;mnuSep2|-;mnuAnnul|&Oups !;"
                                "mnuApropos|A &propos...;";
    struct Cas {
        IconeTray icone;
        const char* nom;
        const char* legende;
        std::string elements;
        const char* parDefaut;
    } cas[] = {
        {IconeTray::Veille, "mnuVeille", "Veille", "mnuMiseVeille|Mise en &veille;" + communs, "mnuMiseVeille"},
        {IconeTray::RelWin, "mnuRelWin", "RelWin",
         "mnuDOS|Redémarrer l'ordinateur en mode &MS-DOS;mnuRelancer|&Redémarrage de Windows;" + communs, "mnuDOS"},
        {IconeTray::StopWin, "mnuStopWin", "StopWin",
         "mnuArret|&Arrêter l'ordinateur;mnuRedemar|&Redémarrer l'ordinateur;" + communs, "mnuRedemar"},
    };
    for (const auto& c : cas) {
        const DescriptionMenu m = menuTray(c.icone);
        EXPECT_EQ(m.nom, c.nom);
        EXPECT_EQ(m.legende, c.legende);
        std::string elements, defauts;
        for (const auto& e : m.elements) {
            elements += e.nom + "|" + e.legende + ";";
            if (e.parDefaut)
                defauts += e.nom;
            EXPECT_TRUE(e.sousMenu.empty());
        }
        EXPECT_EQ(elements, c.elements);
        EXPECT_EQ(defauts, c.parDefaut);
        EXPECT_STREQ(descriptionIcone(c.icone).menu, c.nom);
    }
}

TEST(ActionsPuissance, DemandesAuSysteme)
{
    struct Cas {
        ActionPuissance action;
        std::uint32_t drapeaux;
        const char* fichier;
    } cas[] = {
        {ActionPuissance::Arreter, 65, ""},
        {ActionPuissance::Redemarrer, 66, ""},
        {ActionPuissance::RelancerWindows, 0, "relwin.pif"},
        {ActionPuissance::RedemarrerDos, 0, "reldos.pif"},
    };
    for (const auto& c : cas) {
        const DemandePuissance d = demandePuissance(c.action);
        EXPECT_EQ(d.exitWindows, c.drapeaux);
        EXPECT_EQ(d.fichier, c.fichier);
        EXPECT_FALSE(d.description.empty());
    }
}

TEST(NettoyageTmp, MotifSansCasse)
{
    const std::pair<const char*, bool> cas[] = {
        {"~df1234.tmp", true}, {"~DF1234.TMP", true}, {"~Df.Tmp", true},   {"~dfABCDEFGHIJ.tmp", true},
        {"~df.tm", false},     {"df1.tmp", false},    {"x~df1.tmp", false}, {"~df1.tmp.bak", false},
        {"~df1tmp", false},    {"~dftmp", false},     {"", false},          {"~d.tmp", false},
    };
    for (auto [nom, attendu] : cas)
        EXPECT_EQ(correspondMotifTmp(nom), attendu) << nom;
}

TEST(NettoyageTmp, NEffaceQueDansLeDossier)
{
    QTemporaryDir temp;
    const fs::path d = temp.path().toStdString();
    for (const char* nom : {"~DF01.TMP", "~df02.tmp", "garde.tmp", "~df03.txt"})
        std::ofstream(d / nom) << "x";
    fs::create_directory(d / "~df04.tmp"); // a folder of that name stays
    fs::create_directory(d / "sous");
    std::ofstream(d / "sous" / "~df05.tmp") << "x";
    fs::create_symlink(d / "garde.tmp", d / "~df06.tmp");

    EXPECT_EQ(Effacer_TMP(d), 2);
    for (const char* nom : {"garde.tmp", "~df03.txt", "~df04.tmp", "sous/~df05.tmp"})
        EXPECT_TRUE(fs::exists(d / nom)) << nom;
    EXPECT_FALSE(fs::exists(d / "~DF01.TMP"));
    EXPECT_FALSE(fs::exists(d / "~df02.tmp"));
    EXPECT_EQ(Effacer_TMP(d), 0);                   // nothing left to match
    EXPECT_EQ(Effacer_TMP(d / "absent"), 0);        // missing folder
    EXPECT_EQ(Effacer_TMP(std::nullopt), 0);        // no such folder on this system
}

namespace {

std::string drapeaux(const ReglagesVeille& r)
{
    std::string s;
    const std::pair<bool, const char*> d[] = {{r.Ronds, "R"},     {r.Doubles, "D"},   {r.Lignes, "L"},
                                              {r.Noir, "N"},      {r.Fin, "f"},       {r.Moyen, "m"},
                                              {r.Ordinaire, "o"}, {r.Gros, "g"},      {r.Animation, "A"}};
    for (auto [vrai, lettre] : d)
        if (vrai)
            s += lettre;
    return s;
}

ReglagesVeille depuis(const std::string& s, std::int16_t compteur = 0)
{
    ReglagesVeille r;
    r.Ronds = s.find('R') != std::string::npos;
    r.Doubles = s.find('D') != std::string::npos;
    r.Lignes = s.find('L') != std::string::npos;
    r.Noir = s.find('N') != std::string::npos;
    r.Fin = s.find('f') != std::string::npos;
    r.Moyen = s.find('m') != std::string::npos;
    r.Ordinaire = s.find('o') != std::string::npos;
    r.Gros = s.find('g') != std::string::npos;
    r.Animation = s.find('A') != std::string::npos;
    r.CompteurTraces = compteur;
    return r;
}

} // namespace

TEST(MenuReglages, EffetDesChoix)
{
    using C = ChoixPopUp;
    struct Cas {
        const char* nom;
        const char* avant;
        ChoixPopUp choix;
        const char* apres;
        bool ecrit;
        std::int16_t compteur; // from 100
    } cas[] = {
        {"Ronds", "DLNmA", C::Ronds, "Rm", true, 0},
        {"Doubles à l'ouverture", "RLNoA", C::Doubles, "Do", false, 100},
        {"Lignes à l'ouverture", "RDNgA", C::Lignes, "Lg", false, 100},
        {"Fin garde le motif", "Dmog", C::Fin, "Df", true, 0},
        {"Moyen", "Lfog", C::Moyen, "Lm", true, 0},
        {"Ordinaire", "Lfmg", C::Ordinaire, "Lo", true, 0},
        {"Gros", "Dfmo", C::Gros, "Dg", true, 0},
        {"Noir garde le compteur", "RDLAf", C::Noir, "Nf", true, 100},
        {"Animation garde l'épaisseur", "RDLNg", C::Animation, "gA", true, 100},
    };
    for (const auto& c : cas) {
        ReglagesVeille r = depuis(c.avant, 100);
        EXPECT_EQ(appliquerChoix(r, c.choix), c.ecrit) << c.nom;
        EXPECT_EQ(drapeaux(r), c.apres) << c.nom;
        EXPECT_EQ(r.CompteurTraces, c.compteur) << c.nom;
    }
}

TEST(MenuReglages, ElementsDuMenu)
{
    const DescriptionMenu m = menuPopUp();
    EXPECT_EQ(m.nom, "mnuPopUp");
    EXPECT_EQ(m.legende, "PopUp");
    std::string s;
    for (const auto& e : m.elements) {
        s += e.nom + "|" + e.legende;
        if (!e.sousMenu.empty()) {
            s += "[";
            for (const auto& f : e.sousMenu)
                s += f.nom + "|" + f.legende + ";";
            s += "]";
        }
        s += ";";
        EXPECT_FALSE(e.parDefaut);
    }
    EXPECT_EQ(s, "mnuRonds|&Ronds;"
                 "mnuDoubles|&Doubles[mnuFin|&Fin;mnuMoyen|&Moyen;mnuOrdinaire|&Ordinaire;mnuGros|&Gros;];"
                 "mnuLignes|&Lignes[mnuFinL|&Fin;mnuMoyenL|&Moyen;mnuOrdinaireL|&Ordinaire;mnuGrosL|&Gros;];"
                 "mnuSep1|-;mnuNoir|&Noir;mnuSep2|-;mnuAnim|&Animation;");
}

TEST(ProcIni, ValeursPourChaqueChoix)
{
    // One letter per key in file order: O "Oui", N "Non", n "non".
    struct Cas {
        const char* etat;
        const char* valeurs;
    } cas[] = {
        {"", "NNNNNNNNNNN"},      {"R", "ONNNNNNNNNN"},    {"RDf", "ONNNNNNNNNN"},  {"Df", "NONNNNNNNNN"},
        {"Dm", "NNONNNNNNNN"},    {"Do", "NNNONNNNNNN"},   {"Dg", "NNNNONNNNNN"},   {"Lf", "NNNNNONNNNN"},
        {"Lm", "NNNNNNONNNN"},    {"Lo", "NNNNNNNONNN"},   {"Lg", "nNNNNNNNONN"},   {"N", "NNNNNNNNNON"},
        {"A", "NNNNNNNNNNO"},     {"Afmog", "NNNNNNNNNNO"}, {"D", "NNNNNNNNNNN"},   {"LgN", "nNNNNNNNONN"},
        {"Dfg", "NONNNNNNNNN"},   {"DLg", "NNNNONNNNNN"},
    };
    for (const auto& c : cas) {
        const auto v = valeursProcIni(depuis(c.etat));
        ASSERT_EQ(v.size(), 11u);
        std::string lettres;
        for (std::size_t i = 0; i < v.size(); ++i) {
            EXPECT_EQ(v[i].first, clesMotif[i]);
            lettres += v[i].second == "Oui" ? 'O' : v[i].second == "Non" ? 'N' : v[i].second == "non" ? 'n' : '?';
        }
        EXPECT_EQ(lettres, c.valeurs) << c.etat;
    }
}

namespace {

std::string lireTout(const fs::path& p)
{
    std::ifstream e(p, std::ios::binary);
    std::ostringstream s;
    s << e.rdbuf();
    return s.str();
}

} // namespace

TEST(ProcIni, FichierEcritPuisRelu)
{
    QTemporaryDir temp;
    const fs::path f = fs::path(temp.path().toStdString()) / "Somnelle.ini";
    std::ofstream(f) << "; à moi\n[Autre]\nx=1\n";
    ReglagesVeille r = depuis("Lg");
    ASSERT_TRUE(ProcIni(r, f));
    EXPECT_EQ(lireTout(f), "; à moi\n[Autre]\nx=1\n[MOTIF]\nRonds=non\nDoubleFin=Non\nDoubleMoyen=Non\n"
                           "DoubleOrdinaire=Non\nDoubleGros=Non\nLigneFin=Non\nLigneMoyen=Non\n"
                           "LigneOrdinaire=Non\nLigneGros=Oui\nNoir=Non\nAnimation=Non\n");
    ReglagesVeille relu;
    EXPECT_FALSE(chargerReglages(relu, f));
    EXPECT_EQ(drapeaux(relu), "Lg");
}

TEST(ChargementReglages, FichiersEditesALaMain)
{
    struct Cas {
        const char* nom;
        const char* contenu; // nullptr: no file
        const char* avant;
        const char* apres;
        bool animation;
    } cas[] = {
        {"pas de fichier: des ronds", nullptr, "", "R", false},
        {"section vide: des ronds", "[MOTIF]\n", "", "R", false},
        {"oui en minuscules", "[MOTIF]\nRonds=Non\nNoir=oui\n", "", "", false},
        {"Ouix ne compte pas", "[MOTIF]\nRonds=Non\nNoir=Ouix\n", "", "", false},
        {"Ouiii coupé à Ouii", "[MOTIF]\nRonds=Non\nNoir=Ouiii\n", "", "", false},
        {"blancs et casse des noms", "[motif]\nRONDS=Non\n  noir =  Oui  \n", "", "N", false},
        {"plusieurs Oui", "[MOTIF]\nRonds=Oui\nDoubleFin=Oui\nLigneGros=Oui\nAnimation=Oui\n", "",
         "RDLfgA", true},
        {"jamais éteint", "[MOTIF]\nRonds=Non\nDoubleMoyen=Oui\n", "LNogA", "DLNmogA", false},
        {"non de LigneGros", "[MOTIF]\nRonds=non\nLigneGros=Oui\n", "", "Lg", false},
        {"autre section ignorée", "[AUTRE]\nNoir=Oui\n", "", "R", false},
        {"binaire", "\x01\x02[MOTIF\xFF\n\0=\n", "", "R", false},
    };
    for (const auto& c : cas) {
        QTemporaryDir temp;
        const fs::path f = fs::path(temp.path().toStdString()) / "Somnelle.ini";
        if (c.contenu)
            std::ofstream(f, std::ios::binary) << c.contenu;
        ReglagesVeille r = depuis(c.avant, 42);
        EXPECT_EQ(chargerReglages(r, f), c.animation) << c.nom;
        EXPECT_EQ(drapeaux(r), c.apres) << c.nom;
        EXPECT_EQ(r.CompteurTraces, 42) << c.nom;
    }
}

namespace {

struct CanevasEnregistre : Canevas {
    void effacer() override { traces.push_back("effacer"); }
    void cercle(double x, double y, double rayon, Couleur contour, Couleur remplissage, int plume) override
    {
        std::ostringstream s;
        s << "cercle " << x << ' ' << y << ' ' << rayon << ' ' << std::hex << contour << ' ' << remplissage
          << std::dec << ' ' << plume;
        traces.push_back(s.str());
    }
    void ligne(double x1, double y1, double x2, double y2, Couleur couleur, int plume) override
    {
        std::ostringstream s;
        s << "ligne " << x1 << ' ' << y1 << ' ' << x2 << ' ' << y2 << ' ' << std::hex << couleur << std::dec << ' '
          << plume;
        traces.push_back(s.str());
    }
    std::vector<std::string> traces;
};

// A 1024 x 768 screen: 15360 x 11520 twips.
constexpr float W = 15360;
constexpr float H = 11520;

struct Banc {
    explicit Banc(ReglagesVeille r) : reglages(r), dessin(reglages, [this] {
        if (tirages.empty())
            throw std::logic_error("plus de tirage");
        const double t = tirages.front();
        tirages.pop_front();
        return t;
    })
    {
        dessin.Form_Load(W, H);
    }
    ReglagesVeille reglages;
    std::deque<double> tirages;
    DessinVeille dessin;
    CanevasEnregistre canevas;
};

} // namespace

TEST(DessinVeille, UnPasSelonLeMotif)
{
    // C1 from 0.5, 0.1, 1.0 - 2^-24: N(127.5) = 128, N(25.5) = 26, 255.
    const std::deque<double> couleur = {0.5, 0.1, 0.99999994};
    struct Cas {
        const char* nom;
        const char* etat;
        std::deque<double> suite; // after the colour and the radius
        double rayon;
        std::string trace;
        std::size_t restants;
    } cas[] = {
        {"ronds: disque plein, plume 1", "R", {0.25, 0.75, 9}, 0.5, "cercle 3840 8640 1280 ff1a80 ff1a80 1", 1},
        {"doubles: anneau C2, plume fine", "Df", {0.25, 0.75, 0, 1.0 / 255, 0.2, 9}, 0.5,
         "cercle 3840 8640 1280 330100 ff1a80 2", 1},
        {"lignes: bout décalé du rayon", "Lg", {0.25, 0.75, 0.99, 0.5, 9}, 0.5,
         "ligne 3840 8640 16486.4 7040 ff1a80 102", 1},
        {"noir: l'écran est effacé", "N", {9}, 0.5, "effacer", 1},
        {"rien de choisi: rien", "A", {9}, 0.5, "", 1},
        {"rayon minimal W/18", "R", {0, 0}, 0.1, "cercle 0 0 853.333 ff1a80 ff1a80 1", 0},
        {"rayon juste sous W/6", "R", {0, 0}, 0.99999994, "cercle 0 0 2560 ff1a80 ff1a80 1", 0},
        {"ronds avant doubles", "RDLNg", {0.5, 0.5}, 0.5, "cercle 7680 5760 1280 ff1a80 ff1a80 1", 0},
        {"doubles avant lignes", "DLNm", {0.5, 0.5, 0, 0, 0}, 0.5, "cercle 7680 5760 1280 0 ff1a80 26", 0},
        {"lignes avant noir", "LNo", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 51", 0},
        {"fin avant gros", "Lfmog", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 2", 0},
        {"moyen avant ordinaire", "Lmog", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 26", 0},
        {"sans épaisseur: plume du chargement", "L", {0, 0, 0, 0}, 0.5, "ligne 0 0 1280 1280 ff1a80 51", 0},
    };
    for (const auto& c : cas) {
        Banc b(depuis(c.etat));
        b.tirages = couleur;
        b.tirages.push_back(c.rayon);
        b.tirages.insert(b.tirages.end(), c.suite.begin(), c.suite.end());
        b.dessin.Timer1_Timer(b.canevas, W);
        const std::string trace = b.canevas.traces.empty() ? "" : b.canevas.traces[0];
        EXPECT_EQ(trace, c.trace) << c.nom;
        EXPECT_LE(b.canevas.traces.size(), 1u) << c.nom;
        EXPECT_EQ(b.tirages.size(), c.restants) << c.nom;
        EXPECT_EQ(b.reglages.CompteurTraces, 1) << c.nom;
    }
}

TEST(DessinVeille, LargeurDePlume)
{
    // Half to even at load (W / 300) and for each thickness (S / 600, 300, 150),
    // with S read at every step.
    struct Cas {
        const char* nom;
        float largeurChargement;
        const char* etat;
        float S;
        int plume;
    } cas[] = {
        {"chargement 32,5 -> 32", 9750, "", 0, 32},
        {"chargement 33,5 -> 34", 10050, "", 0, 34},
        {"chargement minuscule: 1", 10, "", 0, 1},
        {"moyen 2,5 -> 2", W, "Lm", 1500, 2},
        {"moyen 3,5 -> 4", W, "Lm", 2100, 4},
        {"ordinaire S/300", W, "Do", 28800, 96},
        {"gros S/150", W, "Lg", 28800, 192},
        {"gros 0,5 -> au moins 1", W, "Lg", 75, 1},
        {"fin toujours 2", W, "Df", 28800, 2},
    };
    for (const auto& c : cas) {
        Banc b(depuis(c.etat));
        b.dessin.Form_Load(c.largeurChargement, H);
        if (std::string(c.etat).empty()) {
            EXPECT_EQ(b.dessin.plume(), c.plume) << c.nom;
            continue;
        }
        b.tirages = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        b.dessin.Timer1_Timer(b.canevas, c.S);
        EXPECT_EQ(b.dessin.plume(), c.plume) << c.nom;
    }
}

TEST(DessinVeille, LaPlumeDesRondsResteSansEpaisseur)
{
    Banc b(depuis("R"));
    b.tirages = {0, 0, 0, 0, 0, 0};
    b.dessin.Timer1_Timer(b.canevas, W);
    b.reglages = depuis("D"); // "&Doubles" opened, no thickness chosen
    b.tirages = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    b.dessin.Timer1_Timer(b.canevas, W);
    EXPECT_EQ(b.canevas.traces.back(), "cercle 0 0 853.333 0 0 1");
}

TEST(DessinVeille, EffacementAu272ePas)
{
    struct Cas {
        const char* nom;
        const char* etat;
        std::int16_t depart;
        int pas;
        int effacements;
        std::int16_t compteur;
    } cas[] = {
        {"271 pas: pas d'effacement", "R", 0, 271, 0, 271},
        {"272 pas: un effacement", "R", 0, 272, 1, 0},
        {"545 pas: deux effacements", "R", 0, 545, 2, 1},
        {"à 271, un pas efface", "R", 271, 1, 1, 0},
        {"noir compte aussi", "N", 0, 272, 273, 0},
        {"rien de choisi: seul l'effacement", "A", 0, 272, 1, 0},
    };
    for (const auto& c : cas) {
        Banc b(depuis(c.etat));
        b.reglages.CompteurTraces = c.depart;
        int effacements = 0;
        for (int i = 0; i < c.pas; ++i) {
            b.tirages = {0.3, 0.3, 0.3, 0.3, 0.3, 0.3};
            b.dessin.Timer1_Timer(b.canevas, W);
        }
        for (const auto& t : b.canevas.traces)
            effacements += t == "effacer";
        EXPECT_EQ(effacements, c.effacements) << c.nom;
        EXPECT_EQ(b.reglages.CompteurTraces, c.compteur) << c.nom;
        if (std::string(c.etat) == "R") {
            EXPECT_EQ(b.canevas.traces.size(), static_cast<std::size_t>(c.pas + c.effacements)) << c.nom;
            if (c.effacements) {
                EXPECT_EQ(b.canevas.traces[272 - c.depart], "effacer") << c.nom; // after the 272nd shape
            }
        }
    }
}
