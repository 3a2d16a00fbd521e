#include "common/platform/win32/win32services.hpp"

#include "common/platform/win32/systeme.hpp"

#include <QDir>
#include <QWidget>
#include <windows.h>
#include <shellapi.h>

namespace velmaro {

bool Win32FileTimes::setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture)
{
    if (const auto e = win32::ecrireTempsFichier(QDir::toNativeSeparators(chemin).toStdString(), creation, ecriture))
        throw ErreurService(QString::fromStdString(e->texte));
    return true;
}

bool Win32FileTimes::showProperties(QWidget* proprietaire, const QString& chemin)
{
    const std::wstring nom = QDir::toNativeSeparators(chemin).toStdWString();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = proprietaire ? reinterpret_cast<HWND>(proprietaire->window()->winId()) : nullptr;
    info.lpVerb = L"properties";
    info.lpFile = nom.c_str();
    // The sheet is the system's; a failure to show it is not reported.
    ShellExecuteExW(&info);
    return true;
}

} // namespace velmaro
