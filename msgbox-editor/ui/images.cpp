#include "msgbox-editor/ui/images.hpp"

#include <QFont>
#include <QPainter>

namespace brevolet {

QPixmap imageCentrer()
{
    // A screen with a box in its middle and arrows pointing at it.
    QPixmap image(28, 22);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 27, 21);
    p.fillRect(9, 7, 10, 8, QColor(0, 0, 128));
    p.fillRect(10, 10, 8, 4, QColor(192, 192, 192));
    p.setPen(QPen(QColor(160, 0, 0), 1));
    const QPoint centre(14, 11);
    p.drawLine(2, 2, 7, 6);
    p.drawLine(25, 2, 20, 6);
    p.drawLine(2, 19, 7, 16);
    p.drawLine(25, 19, 20, 16);
    p.drawPoint(centre);
    return image;
}

QPixmap imagePolice()
{
    // "Aa" in two faces over a pen stroke.
    QPixmap image(64, 36);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setPixelSize(28);
    serif.setBold(true);
    p.setFont(serif);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRect(2, 0, 34, 34), Qt::AlignCenter, QStringLiteral("A"));
    QFont script(QStringLiteral("Comic Sans MS"));
    script.setPixelSize(24);
    script.setItalic(true);
    p.setFont(script);
    p.setPen(QColor(160, 0, 0));
    p.drawText(QRect(30, 4, 32, 30), Qt::AlignCenter, QStringLiteral("a"));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(4, 33, 60, 33);
    return image;
}

} // namespace brevolet
