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
        {"demarrage", [](Modele&) {}, "Texte du message", "TITRE", 0,
         "Reponse = MsgBox(\"Texte du message\", 0, \"TITRE\")",
         "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er"},
        {"instruction_question_ouinonannuler_2eme_systeme",
         [](Modele& m) {
             m.OptTypCode_Click(1);
             m.choisirIcone(Icone::Quest);
             m.OptTypBouton_Click(3);
             m.OptDefBtn_Click(1);
             m.OptTypMod_Click(1);
         },
         "Texte du message", "TITRE", 4387, "MsgBox \"Texte du message\", 4387, \"TITRE\"",
         "' Icône : Question, bouton(s) : Oui/Non/Annuler, bouton par défaut : 2ème"},
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
        {"deux_lignes_gardent_cr_lf", [](Modele&) {}, "Un\r\nDeux", "TITRE", 0,
         "Reponse = MsgBox(\"Un\r\nDeux\", 0, \"TITRE\")",
         "' Icône : Sans icône, bouton(s) : OK, bouton par défaut : 1er"},
        {"titre_et_message_vides", [](Modele&) {}, "", "", 0, "Reponse = MsgBox(\"\", 0, \"\")",
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
        int selection;
        std::array<bool, 3> visible;
        std::array<std::string, 3> legendes;
        int valDefaut;
        std::string nomDefaut;
    } cas[] = {
        {"ok_depuis_3eme", 3, 2, 0, 0, {true, false, false}, {"OK", "Non", "Annuler"}, 0, "1er"},
        {"ok_depuis_2eme", 1, 1, 0, 0, {true, false, false}, {"OK", "Annuler", ""}, 0, "1er"},
        {"ouinon_depuis_3eme", 3, 2, 4, 1, {true, true, false}, {"Oui", "Non", "Annuler"}, 256, "2ème"},
        {"okannuler_garde_2eme", 4, 1, 1, 1, {true, true, false}, {"OK", "Annuler", ""}, 256, "2ème"},
        {"reessayer_depuis_3eme", 2, 2, 5, 1, {true, true, false}, {"Réessayer", "Annuler", "Ignorer"}, 256,
         "2ème"},
        {"abandon_garde_selection", 1, 1, 2, 1, {true, true, true}, {"Abandon", "Réessayer", "Ignorer"}, 256,
         "2ème"},
        {"ouinonannuler_garde_1er", 0, 0, 3, 0, {true, true, true}, {"Oui", "Non", "Annuler"}, 0, "1er"},
        {"ouinonannuler_garde_3eme", 2, 2, 3, 2, {true, true, true}, {"Oui", "Non", "Annuler"}, 512, "3ème"},
    };
    for (const auto& c : cas) {
        Modele m = demarre();
        m.OptTypBouton_Click(c.jeuAvant);
        m.OptDefBtn_Click(c.defautAvant);
        m.OptTypBouton_Click(c.jeu);
        EXPECT_EQ(m.optionsDefaut.selection, c.selection) << c.nom;
        EXPECT_EQ(m.optionsDefaut.visible, c.visible) << c.nom;
        EXPECT_EQ(m.optionsDefaut.legendes, c.legendes) << c.nom;
        EXPECT_EQ(m.ValDefaut, c.valDefaut) << c.nom;
        EXPECT_EQ(m.NomDefaut, c.nomDefaut) << c.nom;
        EXPECT_EQ(m.ValBoutons, c.jeu) << c.nom;
        EXPECT_EQ(m.NomBoutons, jeuxBoutons[c.jeu].nom) << c.nom;
        EXPECT_EQ(m.ValStyle, c.jeu + c.valDefaut) << c.nom;
    }
}

