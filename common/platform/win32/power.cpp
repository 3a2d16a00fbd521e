#include "common/platform/win32/win32services.hpp"

#include <QDir>
#include <windows.h>

namespace velmaro {

void Win32Power::shutdown() { ExitWindowsEx(65, 0); }
void Win32Power::reboot() { ExitWindowsEx(66, 0); }

} // namespace velmaro
