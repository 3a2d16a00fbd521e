#include "common/platform/win32/win32services.hpp"

#include <QDir>
#include <windows.h>

namespace velmaro {

std::optional<Registry::Valeur> Win32Registry::read(std::uint32_t racine, const QString& cle, const QString& nom)
{
    HKEY h = nullptr;
    const QByteArray c = cle.toLocal8Bit();
    if (RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(racine)), c.constData(), 0, KEY_READ, &h) != 0)
        return std::nullopt;
    const QByteArray n = nom.toLocal8Bit();
    DWORD type = 0;
    char tampon[1024];
    DWORD taille = sizeof tampon;
    const LONG r = RegQueryValueExA(h, n.constData(), nullptr, &type, reinterpret_cast<BYTE*>(tampon), &taille);
    RegCloseKey(h);
    if (r != 0)
        return std::nullopt;
    return Valeur{type, QByteArray(tampon, static_cast<int>(taille))};
}

} // namespace velmaro
