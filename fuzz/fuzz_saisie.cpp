// The numbers typed in Brevolet's display time and position boxes.
#include "msgbox-editor/core/apercu.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    for (int maximum : {60, 1280, 1024}) {
        const auto saisie = brevolet::lireSaisie(texte, maximum);
        (void)saisie;
    }
    if (const auto n = brevolet::lireNombre(texte))
        (void)brevolet::entierPair(*n);
    return 0;
}
