#include "common/platform/win32/win32services.hpp"

#include <QDir>
#include <windows.h>
#include <shellapi.h>

namespace velmaro {

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

} // namespace velmaro
