#include "common/core/chemin.hpp"

namespace velmaro {

std::string joindreChemin(const std::string& dossier, const std::string& nom, char separateur)
{
    std::string resultat = dossier;
    if (resultat.empty() || resultat.back() != separateur)
        resultat += separateur;
    resultat += nom;
    return resultat;
}

} // namespace velmaro
