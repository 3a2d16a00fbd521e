#include "floppy/core/commandes.hpp"

#include "common/core/chemin.hpp"

namespace merlidan {

namespace {
const std::string verification = " /V";
const std::string systeme = " /S";
const std::array<std::string, 3> tailles = {" /F:720", " /F:1440", " /F:2880"};
} // namespace

Options optionsDeDepart(const std::string& dossierProgramme, char separateur)
{
    Options o;
    o.CheminCopie = velmaro::joindreChemin(dossierProgramme, "copy.pif", separateur);
    o.CheminFormat = velmaro::joindreChemin(dossierProgramme, "format.pif", separateur);
    o.OptVerif = verification;
    o.OptTaille = tailles[1];
    return o;
}

void cocherVerif(Options& options, bool coche)
{
    options.OptVerif = coche ? verification : std::string();
}

void cocherSys(Options& options, bool coche)
{
    options.OptSys = coche ? systeme : std::string();
}

void choisirTaille(Options& options, const std::array<bool, 3>& selection)
{
    for (std::size_t i = 0; i < selection.size(); ++i) {
        if (selection[i]) {
            options.OptTaille = tailles[i];
            return;
        }
    }
}

std::string LigneCommande::ligne() const
{
    return programme + suite;
}

std::vector<std::string> LigneCommande::arguments() const
{
    // The suffix is made of fixed pieces only, so blanks separate arguments;
    // the program path, which may hold blanks, is kept apart.
    std::vector<std::string> args;
    std::string courant;
    for (char c : suite) {
        if (c == ' ') {
            if (!courant.empty())
                args.push_back(courant);
            courant.clear();
        } else {
            courant += c;
        }
    }
    if (!courant.empty())
        args.push_back(courant);
    return args;
}

LigneCommande construire(Commande commande, const Options& o)
{
    switch (commande) {
    case Commande::CopieAA: return {o.CheminCopie, " a: a:" + o.OptVerif};
    case Commande::CopieAB: return {o.CheminCopie, " a: b:" + o.OptVerif};
    case Commande::CopieBA: return {o.CheminCopie, " b: a:" + o.OptVerif};
    case Commande::CopieBB: return {o.CheminCopie, " b: b:" + o.OptVerif};
    case Commande::FormatNormal: return {o.CheminFormat, " a:" + o.OptTaille + o.OptSys};
    case Commande::FormatRapide: return {o.CheminFormat, " a:" + o.OptTaille + " /Q" + o.OptSys};
    }
    return {};
}

} // namespace merlidan
