#pragma once
// The standby settings as letters, for short table rows: R D L N for the
// pattern, f m o g for the thickness, A for the animation.
#include "tray-tool/core/reglages.hpp"

#include <QFile>

#include <string>

namespace somnelle::essais {

inline constexpr bool ReglagesVeille::*champs[] = {&ReglagesVeille::Ronds,  &ReglagesVeille::Doubles,
    &ReglagesVeille::Lignes, &ReglagesVeille::Noir, &ReglagesVeille::Fin, &ReglagesVeille::Moyen,
    &ReglagesVeille::Ordinaire, &ReglagesVeille::Gros, &ReglagesVeille::Animation};

inline std::string drapeaux(const ReglagesVeille& r)
{
    std::string s;
    for (int i = 0; i < 9; ++i)
        s += r.*champs[i] ? std::string(1, "RDLNfmogA"[i]) : "";
    return s;
}

inline ReglagesVeille depuis(const std::string& s, std::int16_t compteur = 0)
{
    ReglagesVeille r;
    for (int i = 0; i < 9; ++i)
        r.*champs[i] = s.find("RDLNfmogA"[i]) != std::string::npos;
    r.CompteurTraces = compteur;
    return r;
}

inline QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

} // namespace somnelle::essais
