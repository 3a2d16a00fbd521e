#include "common/platform/win32/win32services.hpp"

#include "common/platform/win32/systeme.hpp"

#include <windows.h>

namespace velmaro {

namespace {

// Windows NT and later refuse ExitWindowsEx to a process that has not enabled
// its shutdown privilege; a process that cannot enable it gets the refusal.
void activerPrivilegeArret()
{
    HANDLE jeton = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &jeton))
        return;
    TOKEN_PRIVILEGES privileges{};
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(jeton, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(jeton);
}

void sortirDeWindows(UINT drapeaux)
{
    activerPrivilegeArret();
    if (!ExitWindowsEx(drapeaux, 0))
        throw ErreurService(QString::fromStdString(win32::texteErreur(GetLastError())));
}

} // namespace

// EWX_SHUTDOWN and EWX_REBOOT, each with the bit 0x40.
void Win32Power::shutdown() { sortirDeWindows(65); }
void Win32Power::reboot() { sortirDeWindows(66); }

} // namespace velmaro
