#include "common/platform/win32/win32services.hpp"

#include <QDir>
#include <QWidget>
#include <windows.h>
#include <shellapi.h>

namespace velmaro {

namespace {

QString raisonSysteme(DWORD code)
{
    wchar_t* texte = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&texte), 0, nullptr);
    QString resultat = n ? QString::fromWCharArray(texte, static_cast<int>(n)).trimmed()
                         : QStringLiteral("Erreur %1").arg(code);
    if (texte)
        LocalFree(texte);
    return resultat;
}

} // namespace

bool Win32FileTimes::setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture)
{
    const QByteArray nom = QDir::toNativeSeparators(chemin).toLocal8Bit();
    HANDLE h = CreateFileA(nom.constData(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw ErreurService(raisonSysteme(GetLastError()));
    FILETIME c{static_cast<DWORD>(creation), static_cast<DWORD>(creation >> 32)};
    FILETIME e{static_cast<DWORD>(ecriture), static_cast<DWORD>(ecriture >> 32)};
    // A null pointer leaves a time as it is: the access time always, the others when 0.
    const BOOL ok = SetFileTime(h, creation ? &c : nullptr, nullptr, ecriture ? &e : nullptr);
    const DWORD erreur = GetLastError();
    CloseHandle(h);
    if (!ok)
        throw ErreurService(raisonSysteme(erreur));
    return true;
}

bool Win32FileTimes::showProperties(QWidget* proprietaire, const QString& chemin)
{
    const QByteArray nom = QDir::toNativeSeparators(chemin).toLocal8Bit();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = proprietaire ? reinterpret_cast<HWND>(proprietaire->window()->winId()) : nullptr;
    info.lpVerb = "properties";
    info.lpFile = nom.constData();
    // The sheet is the system's; a failure to show it is not reported.
    ShellExecuteExA(&info);
    return true;
}

} // namespace velmaro
