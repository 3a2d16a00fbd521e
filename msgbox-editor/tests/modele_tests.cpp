#include "msgbox-editor/core/modele.hpp"

#include <gtest/gtest.h>

#include <functional>

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

// The worked examples and the quotes and line breaks typed in the window are
// checked through it; here the rows the window cannot reach as easily.
TEST(ComposerCode, LignesDeCodeEtCommentaires)
{
    struct Cas {
        const char* nom;
        std::function<void(Modele&)> actions;
        std::string message;
        std::string titre;
        int style;
        std::string code;
        std::string commentaire;
    } cas[] = {
        {"style_le_plus_grand",
         [](Modele& m) {
             m.choisirIcone(Icone::Info);
             m.OptTypBouton_Click(3);
             m.OptDefBtn_Click(2);
             m.OptTypMod_Click(1);
         },
         "M", "T", 4675, "Reponse = MsgBox(\"M\", 4675, \"T\")",
         "' Icône : Information, bouton(s) : Oui/Non/Annuler, bouton par défaut : 3ème"},
        {"guillemets_non_doubles", [](Modele& m) { m.OptTypCode_Click(1); }, "Dites \"oui\"", "TITRE", 0,
         "MsgBox \"Dites \"oui\"\", 0, \"TITRE\"",
         "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er"},
    };
    for (const auto& c : cas) {
        Modele m = demarre();
        c.actions(m);
        EXPECT_EQ(m.ValStyle, c.style) << c.nom;
        EXPECT_EQ(ComposerCode(m, c.message, c.titre), c.code) << c.nom;
        EXPECT_EQ(ligneCommentaire(m), c.commentaire) << c.nom;
        EXPECT_EQ(texteCopie(m, c.message, c.titre), c.commentaire + "\r" + c.code) << c.nom;
    }
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
        {"ok_depuis_3eme", 3, 2, 0, "OK", 0, {true, false, false}, {"OK", "Non", "Annuler"}, 0, "1er"},
        {"ok_depuis_2eme", 1, 1, 0, "OK", 0, {true, false, false}, {"OK", "Annuler", ""}, 0, "1er"},
        {"ouinon_depuis_3eme", 3, 2, 4, "Oui/Non", 1, {true, true, false}, {"Oui", "Non", "Annuler"}, 256, "2ème"},
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
        EXPECT_EQ(m.ValDefaut, c.valDefaut);
        EXPECT_EQ(m.NomDefaut, c.nomDefaut);
        EXPECT_EQ(m.ValBoutons, c.jeu);
        EXPECT_EQ(m.NomBoutons, c.nomJeu);
        EXPECT_EQ(m.ValStyle, c.jeu + c.valDefaut);
    }
}

TEST(JeuDeBoutons, AucuneOptionOuHorsTableNeChangeRien)
{
    Modele m = demarre();
    m.choisirIcone(Icone::Excl);
    m.OptTypBouton_Click(5);
    m.OptDefBtn_Click(1);
    m.OptTypMod_Click(1);
    // No option selected (-1), or one past each table.
    for (int i : {-1, 0}) {
        m.OptTypCode_Click(i < 0 ? i : 2);
        m.OptTypBouton_Click(i < 0 ? i : 6);
        m.OptDefBtn_Click(i < 0 ? i : 3);
        m.OptTypMod_Click(i < 0 ? i : 2);
    }
    EXPECT_EQ(m.ValStyle, 48 + 5 + 256 + 4096);
    EXPECT_EQ(ComposerCode(m, "M", "T"), "Reponse = MsgBox(\"M\", 4405, \"T\")");
    EXPECT_EQ(ligneCommentaire(m), "' Icône : Exclamation, bouton(s) : Réessayer/Annuler, bouton par défaut : 2ème");
}
