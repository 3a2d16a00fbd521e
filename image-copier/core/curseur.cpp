#include "image-copier/core/curseur.hpp"

#include <limits>

namespace ostrelle {

std::optional<int> afficherIcone(EtatIcones& etat, const std::function<bool(int)>& existe)
{
    if (etat.reinitialiser)
        etat.numeroIcone = 0;
    std::optional<int> dessinee;
    if (existe(0) && existe(etat.numeroIcone))
        dessinee = etat.numeroIcone;
    if (etat.sensAvant) {
        // The cursor is a 16-bit number: a file with that many icons starts again at 0
        // instead of overflowing.
        if (!dessinee || etat.numeroIcone == std::numeric_limits<std::int16_t>::max())
            etat.numeroIcone = 0;
        else
            ++etat.numeroIcone;
    } else {
        etat.numeroIcone = etat.numeroIcone > 0 ? static_cast<std::int16_t>(etat.numeroIcone - 1) : 0;
    }
    return dessinee;
}

} // namespace ostrelle
