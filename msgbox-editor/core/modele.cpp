#include "msgbox-editor/core/modele.hpp"

namespace brevolet {

const std::array<FormeCode, 2> formesCode{{
    {"Fonction", "Reponse = MsgBox(\"", ")"},
    {"Instruction", "MsgBox \"", ""},
}};

const std::array<ChoixIcone, 5> icones{{
    {0, "Sans icône"},
    {16, "Stop"},
    {32, "Question"},
    {48, "Exclamation"},
    {64, "Information"},
}};

const std::array<JeuBoutons, 6> jeuxBoutons{{
    {"OK", 0, 1, {"OK", nullptr, nullptr}},
    {"OK/Annuler", 1, 2, {"OK", "Annuler", nullptr}},
    {"Abandon/Réessayer/Ignorer", 2, 3, {"Abandon", "Réessayer", "Ignorer"}},
    {"Oui/Non/Annuler", 3, 3, {"Oui", "Non", "Annuler"}},
    {"Oui/Non", 4, 2, {"Oui", "Non", nullptr}},
    {"Réessayer/Annuler", 5, 2, {"Réessayer", "Annuler", nullptr}},
}};

const std::array<ChoixDefaut, 3> defauts{{
    {0, "1er"},
    {256, "2ème"},
    {512, "3ème"},
}};

const std::array<ChoixModal, 2> modalites{{
    {"Application modale", 0},
    {"Système modal", 4096},
}};

namespace {
bool dansTable(int selection, std::size_t taille)
{
    return selection >= 0 && static_cast<std::size_t>(selection) < taille;
}
} // namespace

void Modele::initialiser()
{
    ValIcone = ValBoutons = ValDefaut = ValModal = ValStyle = 0;
    NomIcone = icones[0].nom;
    NomBoutons = jeuxBoutons[0].nom;
    NomDefaut = defauts[0].nom;
    Guillemet = "\"";
    Separateur = ", ";
}

void Modele::calculerStyle()
{
    ValStyle = ValIcone + ValBoutons + ValDefaut + ValModal;
}

void Modele::OptTypCode_Click(int selection)
{
    Guillemet = "\"";
    Separateur = ", ";
    if (dansTable(selection, formesCode.size())) {
        DebutCode = formesCode[selection].debut;
        FinCode = formesCode[selection].fin;
    }
}

void Modele::choisirIcone(Icone icone)
{
    const ChoixIcone& choix = icones[static_cast<std::size_t>(icone)];
    ValIcone = choix.valeur;
    NomIcone = choix.nom;
    calculerStyle();
}

void Modele::OptTypBouton_Click(int selection)
{
    if (!dansTable(selection, jeuxBoutons.size()))
        return;
    const JeuBoutons& jeu = jeuxBoutons[selection];
    OptionsDefaut& o = optionsDefaut;
    // Selecting a default option raises its own click, as the window's would.
    if (jeu.nombre == 1) {
        if (o.selection != 0) {
            o.selection = 0;
            OptDefBtn_Click(0);
        }
        o.visible = {true, false, false};
    } else if (jeu.nombre == 2) {
        // A hidden option cannot stay selected.
        if (o.selection == 2) {
            o.selection = 1;
            OptDefBtn_Click(1);
        }
        o.visible = {true, true, false};
    } else {
        o.visible = {true, true, true};
    }
    for (std::size_t i = 0; i < 3; ++i)
        if (jeu.legendesDefaut[i])
            o.legendes[i] = jeu.legendesDefaut[i];
    ValBoutons = jeu.valeur;
    NomBoutons = jeu.nom;
    calculerStyle();
}

void Modele::OptDefBtn_Click(int selection)
{
    if (!dansTable(selection, defauts.size()))
        return;
    optionsDefaut.selection = selection;
    ValDefaut = defauts[selection].valeur;
    NomDefaut = defauts[selection].nom;
    calculerStyle();
}

void Modele::OptTypMod_Click(int selection)
{
    if (dansTable(selection, modalites.size()))
        ValModal = modalites[selection].valeur;
    calculerStyle();
}

std::string ComposerCode(const Modele& m, std::string_view message, std::string_view titre)
{
    std::string ligne = m.DebutCode;
    ligne += message;
    ligne += m.Guillemet;
    ligne += m.Separateur;
    ligne += std::to_string(m.ValStyle);
    ligne += m.Separateur;
    ligne += m.Guillemet;
    ligne += titre;
    ligne += m.Guillemet;
    ligne += m.FinCode;
    return ligne;
}

std::string ligneCommentaire(const Modele& m)
{
    return "' Icône : " + m.NomIcone + ", bouton(s) : " + m.NomBoutons + ", bouton par défaut : " + m.NomDefaut;
}

std::string texteCopie(const Modele& m, std::string_view message, std::string_view titre)
{
    return ligneCommentaire(m) + '\r' + ComposerCode(m, message, titre);
}

std::string texteSautDeLigne(const Modele& m)
{
    return m.Guillemet + " & Chr$(10) & " + m.Guillemet;
}

} // namespace brevolet
