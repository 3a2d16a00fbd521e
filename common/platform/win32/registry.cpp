#include "common/platform/win32/win32services.hpp"

#include "common/platform/win32/systeme.hpp"

namespace velmaro {

std::optional<Registry::Valeur> Win32Registry::read(std::uint32_t racine, const QString& cle, const QString& nom)
{
    // Names and strings in the ANSI code page, which is what Qt's local 8-bit text is on Windows.
    const auto v = win32::lireRegistre(racine, cle.toLocal8Bit().toStdString(), nom.toLocal8Bit().toStdString());
    if (!v)
        return std::nullopt;
    return Valeur{v->type, QByteArray(v->donnees.data(), static_cast<qsizetype>(v->donnees.size()))};
}

} // namespace velmaro
