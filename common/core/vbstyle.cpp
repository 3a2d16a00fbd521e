#include "common/core/vbstyle.hpp"

namespace velmaro {

StyleVb decoderStyle(int style)
{
    StyleVb s;
    switch (style & 0x70) {
    case 16: s.icone = IconeVb::Stop; break;
    case 32: s.icone = IconeVb::Question; break;
    case 48: s.icone = IconeVb::Exclamation; break;
    case 64: s.icone = IconeVb::Information; break;
    default: s.icone = IconeVb::Aucune; break;
    }
    switch (style & 0x0F) {
    case 1: s.boutons = {vbOK, vbCancel}; s.reponseEchap = vbCancel; break;
    case 2: s.boutons = {vbAbort, vbRetry, vbIgnore}; s.echapPossible = false; break;
    case 3: s.boutons = {vbYes, vbNo, vbCancel}; s.reponseEchap = vbCancel; break;
    case 4: s.boutons = {vbYes, vbNo}; s.echapPossible = false; break;
    case 5: s.boutons = {vbRetry, vbCancel}; s.reponseEchap = vbCancel; break;
    default: s.boutons = {vbOK}; s.reponseEchap = vbOK; break;
    }
    const int defaut = (style & 0x300) >> 8;
    s.boutonParDefaut = defaut < static_cast<int>(s.boutons.size()) ? defaut : 0;
    s.systemeModal = (style & 4096) != 0;
    if (!s.echapPossible)
        s.reponseEchap = static_cast<ReponseVb>(0);
    return s;
}

} // namespace velmaro
