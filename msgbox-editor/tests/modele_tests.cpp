#include "msgbox-editor/core/modele.hpp"

#include <gtest/gtest.h>


using namespace brevolet;

namespace {

// The model as the window leaves it after start-up.
Modele demarre()
{
    Modele m;
    m.initialiser();
    m.OptTypCode_Click(0);
    return m;
}

} // namespace

// The worked examples and the window's typing are checked through the window;
// here the statement form with quotes, which are not doubled.
TEST(ComposerCode, GuillemetsNonDoublesDansLInstruction)
{
    Modele m = demarre();
    m.OptTypCode_Click(1);
    EXPECT_EQ(ComposerCode(m, "Dites \"oui\"", "TITRE"), "MsgBox \"Dites \"oui\"\", 0, \"TITRE\"");
    EXPECT_EQ(texteCopie(m, "Un\r\nDeux", ""), "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er\r"
                                                 "MsgBox \"Un\r\nDeux\", 0, \"\"");
}

TEST(JeuDeBoutons, OptionsParDefautApresChaqueJeu)
{
    struct Cas {
        const char* nom;
        int jeuAvant;
        int defautAvant;
        int jeu;
        std::string nomJeu;
        int selection;
        std::array<bool, 3> visible;
        std::array<std::string, 3> legendes;
        int valDefaut;
        std::string nomDefaut;
    } cas[] = {
        {"ok_depuis_2eme", 1, 1, 0, "OK", 0, {true, false, false}, {"OK", "Annuler", ""}, 0, "1er"},
        {"okannuler_garde_2eme", 4, 1, 1, "OK/Annuler", 1, {true, true, false}, {"OK", "Annuler", ""}, 256, "2ème"},
        {"reessayer_depuis_3eme", 2, 2, 5, "Réessayer/Annuler", 1, {true, true, false},
         {"Réessayer", "Annuler", "Ignorer"}, 256, "2ème"},
        {"abandon_garde_selection", 1, 1, 2, "Abandon/Réessayer/Ignorer", 1, {true, true, true},
         {"Abandon", "Réessayer", "Ignorer"}, 256, "2ème"},
        {"ouinonannuler_garde_1er", 0, 0, 3, "Oui/Non/Annuler", 0, {true, true, true}, {"Oui", "Non", "Annuler"}, 0,
         "1er"},
        {"ouinonannuler_garde_3eme", 2, 2, 3, "Oui/Non/Annuler", 2, {true, true, true}, {"Oui", "Non", "Annuler"},
         512, "3ème"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Modele m = demarre();
        m.OptTypBouton_Click(c.jeuAvant);
        m.OptDefBtn_Click(c.defautAvant);
        m.OptTypBouton_Click(c.jeu);
        EXPECT_EQ(m.optionsDefaut.selection, c.selection);
        EXPECT_EQ(m.optionsDefaut.visible, c.visible);
        EXPECT_EQ(m.optionsDefaut.legendes, c.legendes);
        EXPECT_EQ(m.NomBoutons + " " + m.NomDefaut, c.nomJeu + " " + c.nomDefaut);
        EXPECT_EQ(std::vector({m.ValBoutons, m.ValDefaut, m.ValStyle}), std::vector({c.jeu, c.valDefaut, c.jeu + c.valDefaut}));
    }
}

TEST(JeuDeBoutons, AucuneOptionOuHorsTableNeChangeRien)
{
    Modele m = demarre();
    m.choisirIcone(Icone::Excl);
    m.OptTypBouton_Click(5);
    m.OptDefBtn_Click(1);
    m.OptTypMod_Click(1);
    m.OptTypCode_Click(-1), m.OptTypBouton_Click(-1), m.OptDefBtn_Click(-1), m.OptTypMod_Click(-1); // none selected
    m.OptTypCode_Click(2), m.OptTypBouton_Click(6), m.OptDefBtn_Click(3), m.OptTypMod_Click(2); // one past each table
    EXPECT_EQ(ComposerCode(m, "M", "T"), "Reponse = MsgBox(\"M\", 4405, \"T\")"); // 48 + 5 + 256 + 4096
    EXPECT_EQ(ligneCommentaire(m), "' Icône : Exclamation, bouton(s) : Réessayer/Annuler, bouton par défaut : 2ème");
}
