#pragma once
// Visual Basic message box style numbers and answer codes.
#include <vector>

namespace velmaro {

enum class IconeVb { Aucune, Stop, Question, Exclamation, Information };

// Answer codes of the MsgBox function.
enum ReponseVb : int {
    vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7
};

struct StyleVb {
    IconeVb icone = IconeVb::Aucune;
    std::vector<ReponseVb> boutons;   // left to right
    int boutonParDefaut = 0;          // index into boutons
    bool systemeModal = false;
    ReponseVb reponseEchap = vbOK;    // answer of Escape / the close box; 0 when they do nothing
    bool echapPossible = true;
};

// Decodes a style number: icon 16..64, set 0..5, default 256/512, 4096 system modal.
// Unknown bits are ignored; an unknown set falls back to OK alone, a default past
// the last button to the first, as the system does.
StyleVb decoderStyle(int style);

} // namespace velmaro
