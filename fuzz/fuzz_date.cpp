// Date and time texts as typed in Kalvent's boxes, under three sets of
// regional rules: any text gives a file time or a clear error.
#include "file-times/core/general.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

kalvent::ReglesDate regles(std::uint8_t choix)
{
    kalvent::ReglesDate r;
    switch (choix % 3) {
    case 0: // French, Paris time
        r.decalage = [](const kalvent::SystemTime& st) -> std::int64_t {
            return (st.wMonth > 3 && st.wMonth < 11) ? 7200 : 3600;
        };
        r.nomsMois[0] = {"janvier", "janv."};
        r.nomsMois[7] = {"août"};
        break;
    case 1: // month first, AM/PM, UTC
        r.ordre = kalvent::ordreDate("M/d/yyyy");
        r.litterauxHeure = {"h"};
        break;
    default: // year first, far offsets
        r.ordre = kalvent::ordreDate("yyyy-MM-dd");
        r.matin = {"a.m.", "vorm."};
        r.apresMidi = {"p.m.", "nachm."};
        r.decalage = [](const kalvent::SystemTime&) -> std::int64_t { return -14 * 3600; };
        break;
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    if (taille == 0)
        return 0;
    const kalvent::ReglesDate r = regles(donnees[0]);
    const std::string texte(reinterpret_cast<const char*>(donnees + 1), taille - 1);
    try {
        (void)kalvent::DateVersFileTime(texte, r);
    } catch (const kalvent::ErreurDate&) {
    }
    return 0;
}
