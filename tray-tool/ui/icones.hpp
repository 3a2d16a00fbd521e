#pragma once
// The pictures of Somnelle's windows, which are the pictures of its tray
// icons: 32 x 32 in the sixteen colours of the standard palette.
#include <QIcon>
#include <QImage>

namespace somnelle {

QImage imageVeille();  // a screen asleep: a moon over a dark screen
QImage imageRelWin();  // a restart arrow around a screen
QImage imageStopWin(); // a red power button

QIcon iconeDepuis(const QImage& image);

} // namespace somnelle
