#include "floppy/ui/cadre.hpp"

#include <QPainter>

namespace merlidan {

void Cadre::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    const QRect bord = rect().adjusted(0, fm.height() / 2, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(bord.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(bord.adjusted(1, 1, 0, 0));
    if (title().isEmpty())
        return;
    const QRect legende(6, 0, fm.horizontalAdvance(title()) + 4, fm.height());
    p.fillRect(legende, palette().window());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(legende, Qt::AlignCenter, title());
}

} // namespace merlidan
