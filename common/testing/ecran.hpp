#pragma once
// What the screen shows of a window once its pending paints are done: the
// window system's copy, not a fresh rendering of the widget (QWidget::grab),
// so that a widget painting only what changed is seen as the user sees it.
#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace velmaro::testing {

inline QImage ecranDe(QWidget* fenetre)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return fenetre->screen()->grabWindow(fenetre->winId()).toImage();
}

} // namespace velmaro::testing
