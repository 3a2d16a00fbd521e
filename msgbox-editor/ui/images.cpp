#include "msgbox-editor/ui/images.hpp"

#include <QFont>
#include <QPainter>

namespace brevolet {

namespace {
// A small message box: grey face, blue caption, a yellow sign and a button.
QPixmap boiteMiniature(int cote)
{
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 32.0, cote / 32.0);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRectF(1.5, 3.5, 29, 25));
    p.fillRect(QRectF(2, 4, 28, 6), QColor(0, 0, 128));
    p.setBrush(QColor(255, 215, 0));
    p.drawEllipse(QRectF(5, 12.5, 9, 9));
    p.setPen(QPen(Qt::black, 1.6));
    p.drawLine(QPointF(9.5, 14.5), QPointF(9.5, 18));
    p.drawPoint(QPointF(9.5, 20));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(224, 224, 224));
    p.drawRect(QRectF(17.5, 20.5, 11, 5));
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.drawLine(QPointF(17, 14), QPointF(28, 14));
    p.drawLine(QPointF(17, 17), QPointF(25, 17));
    return image;
}
} // namespace

QIcon iconeBrevolet()
{
    QIcon icone;
    icone.addPixmap(boiteMiniature(16));
    icone.addPixmap(boiteMiniature(32));
    icone.addPixmap(boiteMiniature(48));
    return icone;
}

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
