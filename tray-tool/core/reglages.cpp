#include "tray-tool/core/reglages.hpp"

#include "common/core/profil.hpp"

namespace somnelle {

namespace {

void motif(ReglagesVeille& r, bool ronds, bool doubles, bool lignes, bool noir)
{
    r.Ronds = ronds;
    r.Doubles = doubles;
    r.Lignes = lignes;
    r.Noir = noir;
    r.Animation = false;
}

void epaisseur(ReglagesVeille& r, bool fin, bool moyen, bool ordinaire, bool gros)
{
    r.Fin = fin;
    r.Moyen = moyen;
    r.Ordinaire = ordinaire;
    r.Gros = gros;
    r.CompteurTraces = 0;
}

} // namespace

bool appliquerChoix(ReglagesVeille& r, ChoixPopUp choix)
{
    switch (choix) {
    case ChoixPopUp::Ronds:
        motif(r, true, false, false, false);
        r.CompteurTraces = 0;
        return true;
    case ChoixPopUp::Doubles: motif(r, false, true, false, false); return false;
    case ChoixPopUp::Lignes: motif(r, false, false, true, false); return false;
    case ChoixPopUp::Fin: epaisseur(r, true, false, false, false); return true;
    case ChoixPopUp::Moyen: epaisseur(r, false, true, false, false); return true;
    case ChoixPopUp::Ordinaire: epaisseur(r, false, false, true, false); return true;
    case ChoixPopUp::Gros: epaisseur(r, false, false, false, true); return true;
    case ChoixPopUp::Noir: motif(r, false, false, false, true); return true;
    case ChoixPopUp::Animation:
        // The thickness flags keep their values.
        r.Ronds = r.Doubles = r.Lignes = r.Noir = false;
        r.Animation = true;
        return true;
    }
    return false;
}

DescriptionMenu menuPopUp()
{
    auto epaisseurs = [](const char* suffixe) {
        const std::string s = suffixe;
        return std::vector<ElementMenu>{{"mnuFin" + s, "&Fin", false, {}},
                                        {"mnuMoyen" + s, "&Moyen", false, {}},
                                        {"mnuOrdinaire" + s, "&Ordinaire", false, {}},
                                        {"mnuGros" + s, "&Gros", false, {}}};
    };
    return {"mnuPopUp",
            "PopUp",
            {{"mnuRonds", "&Ronds", false, {}},
             {"mnuDoubles", "&Doubles", false, epaisseurs("")},
             {"mnuLignes", "&Lignes", false, epaisseurs("L")},
             {"mnuSep1", "-", false, {}},
             {"mnuNoir", "&Noir", false, {}},
             {"mnuSep2", "-", false, {}},
             {"mnuAnim", "&Animation", false, {}}}};
}

std::vector<std::pair<std::string, std::string>> valeursProcIni(const ReglagesVeille& r)
{
    std::vector<std::pair<std::string, std::string>> valeurs;
    for (const char* cle : clesMotif)
        valeurs.emplace_back(cle, "Non");
    // The first condition that holds, in key order.
    const bool conditions[11] = {
        r.Ronds,
        r.Doubles && r.Fin,
        r.Doubles && r.Moyen,
        r.Doubles && r.Ordinaire,
        r.Doubles && r.Gros,
        r.Lignes && r.Fin,
        r.Lignes && r.Moyen,
        r.Lignes && r.Ordinaire,
        r.Lignes && r.Gros,
        r.Noir,
        r.Animation,
    };
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        if (conditions[i]) {
            valeurs[i].second = "Oui";
            if (i == 8)
                valeurs[0].second = "non";
            break;
        }
    }
    return valeurs;
}

bool ProcIni(const ReglagesVeille& r, const std::filesystem::path& fichier)
{
    // All eleven keys in one replacement of the file.
    return velmaro::ecrireChainesProfil(sectionMotif, valeursProcIni(r), fichier);
}

bool chargerReglages(ReglagesVeille& r, const std::filesystem::path& fichier)
{
    const velmaro::FichierProfil profil = velmaro::FichierProfil::charger(fichier);
    bool* drapeaux[11][2] = {
        {&r.Ronds, nullptr},        {&r.Doubles, &r.Fin},   {&r.Doubles, &r.Moyen},
        {&r.Doubles, &r.Ordinaire}, {&r.Doubles, &r.Gros},  {&r.Lignes, &r.Fin},
        {&r.Lignes, &r.Moyen},      {&r.Lignes, &r.Ordinaire}, {&r.Lignes, &r.Gros},
        {&r.Noir, nullptr},         {&r.Animation, nullptr},
    };
    bool animation = false;
    for (std::size_t i = 0; i < clesMotif.size(); ++i) {
        const char* defaut = i == 0 ? "Oui" : "Non";
        // A five-character buffer: four characters reach the comparison.
        if (velmaro::lireChaineProfil(profil, sectionMotif, clesMotif[i], defaut, 5) != "Oui")
            continue;
        for (bool* d : drapeaux[i])
            if (d)
                *d = true;
        if (i == 10)
            animation = true;
    }
    return animation;
}

} // namespace somnelle
