// The services of the platform this program was built for.
#include "common/platform/qt/qtservices.hpp"
#ifdef Q_OS_WIN
#include "common/platform/win32/win32services.hpp"
#else
#include "common/platform/posix/posixservices.hpp"
#endif

namespace velmaro {

Services& realServices()
{
    static QtClipboard clipboard;
    static QtLauncher launcher;
    static QtMessageBoxes messages;
    static QtDialogs dialogs;
    static QtProgramFolder programFolder;
    static QtClock clock;
#ifdef Q_OS_WIN
    static Win32Power power;
    static Win32FileTimes fileTimes;
    static Win32Registry registry;
#else
    static LogindPower power;
    static PosixFileTimes fileTimes;
    static NoRegistry registry;
#endif
    static QtTray tray;
    static Services services{clipboard, launcher, messages, dialogs, power, fileTimes,
                             tray,      registry, programFolder, clock};
    return services;
}

} // namespace velmaro
