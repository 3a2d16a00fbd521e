#pragma once
// The icon cursor shared by the icon file button and the two arrows: which
// icon the next click draws, and how a click moves it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ostrelle {

struct EtatIcones {
    std::string fichierIcones; // the program or library file whose icons are shown
    bool sensAvant = false;    // direction of the last click (true: forward)
    bool reinitialiser = false; // the next display starts again at the first icon
    std::int16_t numeroIcone = 0; // the icon the next display draws
};

// One display: the index of the icon to draw (nullopt: nothing is drawn),
// and the cursor moved in the direction of the click. `existe(n)` tells
// whether the file has an icon n. Nothing is drawn when icon 0 is missing.
// Past the last icon the forward cursor starts again at 0; backward it stops at 0.
std::optional<int> afficherIcone(EtatIcones& etat, const std::function<bool(int)>& existe);

} // namespace ostrelle
