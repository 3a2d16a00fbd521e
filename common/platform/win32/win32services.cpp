#include "common/platform/win32/win32services.hpp"

#include <QDir>
#include <windows.h>
#include <shellapi.h>

namespace velmaro {

void Win32Power::shutdown() { ExitWindowsEx(65, 0); }
void Win32Power::reboot() { ExitWindowsEx(66, 0); }

void Win32FileTimes::setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture)
{
    const QByteArray nom = QDir::toNativeSeparators(chemin).toLocal8Bit();
    HANDLE h = CreateFileA(nom.constData(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw ErreurService(QStringLiteral("Impossible d'ouvrir %1").arg(chemin));
    FILETIME c{static_cast<DWORD>(creation), static_cast<DWORD>(creation >> 32)};
    FILETIME e{static_cast<DWORD>(ecriture), static_cast<DWORD>(ecriture >> 32)};
    const BOOL ok = SetFileTime(h, &c, nullptr, &e);
    CloseHandle(h);
    if (!ok)
        throw ErreurService(QStringLiteral("Impossible d'écrire les dates de %1").arg(chemin));
}

void Win32FileTimes::showProperties(const QString& chemin)
{
    const QByteArray nom = QDir::toNativeSeparators(chemin).toLocal8Bit();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = "properties";
    info.lpFile = nom.constData();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

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
