#include "common/platform/win32/win32services.hpp"

#include <windows.h>

namespace velmaro {

std::optional<Registry::Valeur> Win32Registry::read(std::uint32_t racine, const QString& cle, const QString& nom)
{
    // Root handles are negative 32-bit numbers, sign-extended on 64-bit Windows.
    const HKEY base = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(racine)));
    HKEY h = nullptr;
    const QByteArray c = cle.toLocal8Bit();
    // Read access only: full access to HKEY_LOCAL_MACHINE is refused to
    // ordinary users.
    if (RegOpenKeyExA(base, c.constData(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return std::nullopt;
    const QByteArray n = nom.toLocal8Bit();
    DWORD type = 0;
    char tampon[1024] = {};
    DWORD taille = sizeof tampon;
    const LONG r = RegQueryValueExA(h, n.constData(), nullptr, &type, reinterpret_cast<BYTE*>(tampon), &taille);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS || taille > sizeof tampon)
        return std::nullopt;
    return Valeur{type, QByteArray(tampon, static_cast<int>(taille))};
}

} // namespace velmaro
