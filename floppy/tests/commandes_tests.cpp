// The option strings and the six command lines.
#include "floppy/core/commandes.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

using namespace merlidan;

TEST(Lignes, WorkedExamplesAndEverySwitch)
{
    // The line's arguments: the words after the program.
    struct Cas { const char* nom; Commande commande; bool verif, sys; std::array<bool, 3> taille; std::string ligne; } cas[] = {
        {"A/B", Commande::CopieAB, true, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif a: b: /V"},
        {"B/A, system files ignored", Commande::CopieBA, true, true, {0, 0, 1}, "C:\\OUTILS\\copy.pif b: a: /V"},
        {"B/B, 720", Commande::CopieBB, true, false, {1, 0, 0}, "C:\\OUTILS\\copy.pif b: b: /V"},
        {"A/B unverified: no trailing blank", Commande::CopieAB, false, false, {0, 1, 0}, "C:\\OUTILS\\copy.pif a: b:"},
        {"normal format", Commande::FormatNormal, true, false, {0, 1, 0}, "C:\\OUTILS\\format.pif a: /F:1440"},
        {"quick, 720, system", Commande::FormatRapide, true, true, {1, 0, 0}, "C:\\OUTILS\\format.pif a: /F:720 /Q /S"},
        {"normal, 2880, system", Commande::FormatNormal, true, true, {0, 0, 1}, "C:\\OUTILS\\format.pif a: /F:2880 /S"},
        {"two sizes: the first wins", Commande::FormatNormal, true, false, {0, 1, 1}, "C:\\OUTILS\\format.pif a: /F:1440"},
        {"no size keeps the last one", Commande::FormatNormal, false, false, {0, 0, 0}, "C:\\OUTILS\\format.pif a: /F:2880"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Options o = optionsDeDepart("C:\\OUTILS", '\\');
        // The opposite first: each setting replaces the one before.
        choisirTaille(o, {0, 0, 1}), cocherVerif(o, !c.verif), cocherSys(o, !c.sys);
        cocherVerif(o, c.verif), cocherSys(o, c.sys), choisirTaille(o, c.taille);
        const LigneCommande l = construire(c.commande, o);
        EXPECT_EQ(l.ligne(), c.ligne);
        std::istringstream mots(c.ligne.substr(c.ligne.find(' ')));
        EXPECT_EQ(l.arguments(), (std::vector<std::string>{std::istream_iterator<std::string>(mots), {}}));
    }
}
