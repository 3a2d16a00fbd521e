// The option strings and the six command lines.
#include "floppy/core/commandes.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace merlidan;

namespace {

const std::array<Commande, 6> toutes = {Commande::CopieAA,      Commande::CopieAB,     Commande::CopieBA,
                                        Commande::CopieBB,      Commande::FormatNormal, Commande::FormatRapide};

bool estCopie(Commande c)
{
    return c != Commande::FormatNormal && c != Commande::FormatRapide;
}

using Args = std::vector<std::string>;

} // namespace

TEST(Depart, LaunchersBesideTheProgramAndDefaultSwitches)
{
    struct Cas {
        const char* nom;
        std::string dossier;
        char sep;
        std::string copie, format;
    } cas[] = {
        {"windows folder", "C:\\OUTILS", '\\', "C:\\OUTILS\\copy.pif", "C:\\OUTILS\\format.pif"},
        {"drive root", "C:\\", '\\', "C:\\copy.pif", "C:\\format.pif"},
        {"folder with blanks", "C:\\Program Files\\Velmaro", '\\', "C:\\Program Files\\Velmaro\\copy.pif",
         "C:\\Program Files\\Velmaro\\format.pif"},
        {"posix folder", "/opt/velmaro", '/', "/opt/velmaro/copy.pif", "/opt/velmaro/format.pif"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Options o = optionsDeDepart(c.dossier, c.sep);
        EXPECT_EQ(o.CheminCopie, c.copie);
        EXPECT_EQ(o.CheminFormat, c.format);
        EXPECT_EQ(o.OptVerif, " /V");
        EXPECT_EQ(o.OptTaille, " /F:1440");
        EXPECT_EQ(o.OptSys, "");
    }
}

TEST(Lignes, WorkedExamplesAndEveryButtonAtStart)
{
    struct Cas {
        const char* nom;
        Commande commande;
        bool verif, sys;
        std::array<bool, 3> taille;
        std::string ligne;
        Args arguments;
    } cas[] = {
        {"A/A at start", Commande::CopieAA, true, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif a: a: /V", {"a:", "a:", "/V"}},
        {"A/B at start", Commande::CopieAB, true, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif a: b: /V", {"a:", "b:", "/V"}},
        {"B/A at start", Commande::CopieBA, true, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif b: a: /V", {"b:", "a:", "/V"}},
        {"B/B at start", Commande::CopieBB, true, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif b: b: /V", {"b:", "b:", "/V"}},
        {"A/B unverified: no trailing blank", Commande::CopieAB, false, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif a: b:",
         {"a:", "b:"}},
        {"normal format at start", Commande::FormatNormal, true, false, {0, 1, 0}, "C:\\OUTILS\\format.pif a: /F:1440",
         {"a:", "/F:1440"}},
        {"quick format at start", Commande::FormatRapide, true, false, {0, 1, 0},
         "C:\\OUTILS\\format.pif a: /F:1440 /Q", {"a:", "/F:1440", "/Q"}},
        {"quick, 720, system", Commande::FormatRapide, true, true, {1, 0, 0}, "C:\\OUTILS\\format.pif a: /F:720 /Q /S",
         {"a:", "/F:720", "/Q", "/S"}},
        {"quick, 2880", Commande::FormatRapide, false, false, {0, 0, 1}, "C:\\OUTILS\\format.pif a: /F:2880 /Q",
         {"a:", "/F:2880", "/Q"}},
        {"quick, 2880, system", Commande::FormatRapide, false, true, {0, 0, 1},
         "C:\\OUTILS\\format.pif a: /F:2880 /Q /S", {"a:", "/F:2880", "/Q", "/S"}},
        {"normal, 2880, system", Commande::FormatNormal, true, true, {0, 0, 1}, "C:\\OUTILS\\format.pif a: /F:2880 /S",
         {"a:", "/F:2880", "/S"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Options o = optionsDeDepart("C:\\OUTILS", '\\');
        cocherVerif(o, c.verif);
        cocherSys(o, c.sys);
        choisirTaille(o, c.taille);
        const LigneCommande l = construire(c.commande, o);
        EXPECT_EQ(l.ligne(), c.ligne);
        EXPECT_EQ(l.arguments(), c.arguments);
    }
}

// Each option reaches only its own kind of line, in every state of the others.
TEST(Lignes, EachSwitchTouchesOnlyItsOwnCommands)
{
    const std::array<std::string, 3> capacites = {"/F:720", "/F:1440", "/F:2880"};
    for (Commande c : toutes)
        for (bool verif : {false, true})
            for (bool sys : {false, true})
                for (int t = 0; t < 3; ++t) {
                    SCOPED_TRACE(testing::Message() << "command " << static_cast<int>(c) << " verif " << verif
                                                    << " sys " << sys << " size " << t);
                    Options o = optionsDeDepart("/opt/dossier avec blancs", '/');
                    std::array<bool, 3> selection{};
                    selection[static_cast<std::size_t>(t)] = true;
                    choisirTaille(o, selection);
                    cocherVerif(o, verif);
                    cocherSys(o, sys);
                    const LigneCommande l = construire(c, o);
                    const Args a = l.arguments();
                    const auto a_ = [&](const std::string& s) { return std::count(a.begin(), a.end(), s); };
                    EXPECT_EQ(l.ligne(), l.programme + l.suite);
                    EXPECT_NE(l.ligne().back(), ' ');
                    if (estCopie(c)) {
                        EXPECT_EQ(l.programme, "/opt/dossier avec blancs/copy.pif");
                        EXPECT_EQ(a.size(), verif ? 3u : 2u);
                        EXPECT_EQ(a_("/V"), verif ? 1 : 0);
                        EXPECT_EQ(a_("/S") + a_("/Q") + a_(capacites[0]) + a_(capacites[1]) + a_(capacites[2]), 0);
                    } else {
                        EXPECT_EQ(l.programme, "/opt/dossier avec blancs/format.pif");
                        ASSERT_GE(a.size(), 2u);
                        EXPECT_EQ(a[0], "a:");
                        EXPECT_EQ(a[1], capacites[static_cast<std::size_t>(t)]);
                        EXPECT_EQ(a_("b:"), 0);
                        EXPECT_EQ(a_("/V"), 0);
                        EXPECT_EQ(a_("/Q"), c == Commande::FormatRapide ? 1 : 0);
                        // The system switch always comes last.
                        EXPECT_EQ(a.back() == "/S", sys);
                    }
                }
}

TEST(Interrupteurs, CapacityFollowsTheFirstSelectedOption)
{
    struct Cas {
        const char* nom;
        std::array<bool, 3> selection;
        std::string avant, apres;
    } cas[] = {
        {"720", {1, 0, 0}, " /F:1440", " /F:720"},
        {"1440", {0, 1, 0}, " /F:2880", " /F:1440"},
        {"2880", {0, 0, 1}, " /F:1440", " /F:2880"},
        {"two selected: lowest index wins", {0, 1, 1}, " /F:720", " /F:1440"},
        {"none selected keeps the value", {0, 0, 0}, " /F:2880", " /F:2880"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Options o;
        o.OptTaille = c.avant;
        choisirTaille(o, c.selection);
        EXPECT_EQ(o.OptTaille, c.apres);
    }
}
