// Icon resources of programs, libraries and .ico files: every icon of any
// file is indexed, chosen and written out without reading out of bounds.
#include "image-copier/core/icones.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    ostrelle::RessourcesIcones ressources(std::vector<std::uint8_t>(donnees, donnees + taille));
    const std::size_t n = ressources.nombre();
    for (std::size_t i = 0; i < n && i < 64; ++i) {
        (void)ressources.nomGroupe(i);
        const std::vector<std::uint8_t> ico = ressources.icone(i);
        if (!ico.empty()) {
            // What comes out is itself a readable one-icon file.
            ostrelle::RessourcesIcones relu(ico);
            if (relu.nombre() != 1)
                __builtin_trap();
        }
    }
    (void)ressources.icone(n);
    return 0;
}
