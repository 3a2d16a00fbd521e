// Settings files: any text is read; a key written reads back as written, and
// the rest of the file keeps its keys.
#include "common/core/profil.hpp"

#include <cstddef>
#include <cctype>
#include <cstdint>
#include <string>

namespace {

// Names compare as the reader compares them: blanks around, case aside.
bool memeNom(std::string a, const char* b)
{
    const auto debut = a.find_first_not_of(" \t");
    const auto fin = a.find_last_not_of(" \t");
    a = debut == std::string::npos ? std::string() : a.substr(debut, fin - debut + 1);
    std::string c = b;
    if (a.size() != c.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(c[i])))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    // The input is a file's text, then after a NUL: section, key and value
    // separated by NULs.
    const std::string tout(reinterpret_cast<const char*>(donnees), taille);
    const std::size_t fin = tout.find('\0');
    const std::string texte = tout.substr(0, fin);
    std::string section = "MOTIF", cle = "Ronds", valeur = "Oui";
    if (fin != std::string::npos) {
        const std::string reste = tout.substr(fin + 1);
        const std::size_t a = reste.find('\0');
        const std::size_t b = a == std::string::npos ? a : reste.find('\0', a + 1);
        section = reste.substr(0, a);
        if (a != std::string::npos)
            cle = reste.substr(a + 1, b == std::string::npos ? b : b - a - 1);
        if (b != std::string::npos)
            valeur = reste.substr(b + 1);
    }

    velmaro::FichierProfil profil = velmaro::FichierProfil::depuisTexte(texte);
    (void)velmaro::lireChaineProfil(profil, section, cle, "Non", 5);
    const auto autre = profil.valeur("MOTIF", "Animation");
    if (profil.ecrire(section, cle, valeur)) {
        const velmaro::FichierProfil relu = velmaro::FichierProfil::depuisTexte(profil.texte());
        const auto lu = relu.valeur(section, cle);
        // Blanks and one pair of quotes around a value are not part of it.
        if (!lu)
            __builtin_trap();
        const bool autreCle = !(memeNom(section, "MOTIF") && memeNom(cle, "Animation"));
        if (autreCle && autre && !relu.valeur("MOTIF", "Animation"))
            __builtin_trap();
    }
    return 0;
}
