#include "msgbox-editor/core/modele.hpp"

#include <gtest/gtest.h>

using namespace brevolet;

// The button sets, defaults, forms and the worked examples are checked
// through the window's table of option clicks; here what no click can send.
TEST(JeuDeBoutons, AucuneOptionOuHorsTableNeChangeRien)
{
    Modele m;
    m.initialiser();
    m.OptTypCode_Click(0);
    m.choisirIcone(Icone::Excl);
    m.OptTypBouton_Click(5);
    m.OptDefBtn_Click(1);
    m.OptTypMod_Click(1);
    m.OptTypCode_Click(-1), m.OptTypBouton_Click(-1), m.OptDefBtn_Click(-1), m.OptTypMod_Click(-1); // none selected
    m.OptTypCode_Click(2), m.OptTypBouton_Click(6), m.OptDefBtn_Click(3), m.OptTypMod_Click(2); // one past each table
    EXPECT_EQ(ComposerCode(m, "M", "T"), "Reponse = MsgBox(\"M\", 4405, \"T\")"); // 48 + 5 + 256 + 4096
    EXPECT_EQ(ligneCommentaire(m), "' Icône : Exclamation, bouton(s) : Réessayer/Annuler, bouton par défaut : 2ème");
}
