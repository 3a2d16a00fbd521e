#include "common/core/chemin.hpp"

namespace velmaro {

std::string joindreChemin(const std::string& dossier, const std::string& nom, char separateur)
{
    std::string resultat = dossier;
    // Windows takes '/' for a separator too ("C:/" is a root); elsewhere a
    // backslash is a character of a name.
    const bool finit = !resultat.empty() &&
                       (resultat.back() == separateur || (separateur == '\\' && resultat.back() == '/'));
    if (!finit)
        resultat += separateur;
    resultat += nom;
    return resultat;
}

} // namespace velmaro
