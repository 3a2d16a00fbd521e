#include "common/platform/systemmenu.hpp"

#include <QWidget>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace velmaro {

void supprimerCommandeTaille(QWidget* fenetre)
{
#ifdef Q_OS_WIN
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(fenetre->winId()), FALSE);
    if (menu)
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
#else
    (void)fenetre;
#endif
}

} // namespace velmaro
