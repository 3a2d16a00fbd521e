#pragma once
// The standby settings as letters, for short table rows: R D L N for the
// pattern, f m o g for the thickness, A for the animation.
#include "tray-tool/core/reglages.hpp"

#include <string>

namespace somnelle::essais {

inline std::string drapeaux(const ReglagesVeille& r)
{
    const bool d[] = {r.Ronds, r.Doubles, r.Lignes, r.Noir, r.Fin, r.Moyen, r.Ordinaire, r.Gros, r.Animation};
    std::string s;
    for (int i = 0; i < 9; ++i)
        if (d[i])
            s += "RDLNfmogA"[i];
    return s;
}

inline ReglagesVeille depuis(const std::string& s, std::int16_t compteur = 0)
{
    auto a = [&](char c) { return s.find(c) != std::string::npos; };
    ReglagesVeille r;
    r.Ronds = a('R'), r.Doubles = a('D'), r.Lignes = a('L'), r.Noir = a('N');
    r.Fin = a('f'), r.Moyen = a('m'), r.Ordinaire = a('o'), r.Gros = a('g'), r.Animation = a('A');
    r.CompteurTraces = compteur;
    return r;
}

} // namespace somnelle::essais
