#include "tray-tool/ui/icones.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>

namespace somnelle {

namespace {

// The standard sixteen colours.
const QColor noir(0, 0, 0);
const QColor marine(0, 0, 128);
const QColor vert(0, 128, 0);
const QColor bordeaux(128, 0, 0);
const QColor gris(128, 128, 128);
const QColor argent(192, 192, 192);
const QColor rouge(255, 0, 0);
const QColor citron(0, 255, 0);
const QColor jaune(255, 255, 0);
const QColor blanc(255, 255, 255);

QImage vide()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A shape filled with one colour and outlined in black, pixel-sharp.
void forme(QPainter& p, const QPainterPath& chemin, const QColor& couleur)
{
    p.setPen(QPen(noir, 1));
    p.setBrush(couleur);
    p.drawPath(chemin);
}

void ecran(QPainter& p, const QColor& fond)
{
    p.setPen(QPen(noir, 1));
    p.setBrush(argent);
    p.drawRect(2, 3, 27, 20);   // frame
    p.setBrush(fond);
    p.setPen(QPen(gris, 1));
    p.drawRect(5, 6, 21, 14);   // glass
    p.setPen(QPen(noir, 1));
    p.setBrush(gris);
    p.drawRect(13, 24, 5, 2);   // neck
    p.setBrush(argent);
    p.drawRect(7, 27, 17, 3);   // foot
}

} // namespace

QImage imageVeille()
{
    QImage image = vide();
    QPainter p(&image);
    ecran(p, marine);
    // A crescent: a yellow disc with a bite of the screen's colour.
    QPainterPath lune;
    lune.addEllipse(QRectF(10, 7, 12, 12));
    QPainterPath morsure;
    morsure.addEllipse(QRectF(14, 5, 11, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(jaune);
    p.drawPath(lune.subtracted(morsure));
    p.setPen(blanc);
    for (const QPoint& etoile : {QPoint(8, 9), QPoint(23, 16), QPoint(21, 8), QPoint(8, 17)})
        p.drawPoint(etoile);
    return image;
}

QImage imageRelWin()
{
    QImage image = vide();
    QPainter p(&image);
    ecran(p, QColor(0, 128, 128));
    // Three quarters of a thick circle ending in an arrow head.
    QPainterPath arc;
    arc.arcMoveTo(QRectF(8, 6, 15, 15), 100);
    arc.arcTo(QRectF(8, 6, 15, 15), 100, 270);
    QPainterPathStroker trait;
    trait.setWidth(4);
    trait.setCapStyle(Qt::FlatCap);
    QPainterPath fleche = trait.createStroke(arc);
    QPainterPath pointe;
    pointe.moveTo(17.5, 3);
    pointe.lineTo(24.5, 8.5);
    pointe.lineTo(16.5, 12);
    pointe.closeSubpath();
    forme(p, fleche.united(pointe).simplified(), citron);
    return image;
}

QImage imageStopWin()
{
    QImage image = vide();
    QPainter p(&image);
    QPainterPath bouton;
    bouton.addEllipse(QRectF(1, 1, 29, 29));
    forme(p, bouton, rouge);
    p.setPen(QPen(bordeaux, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 25, 25), 200 * 16, 140 * 16);
    // The power sign: an open ring and a bar through its gap.
    QPainterPath anneau;
    anneau.arcMoveTo(QRectF(8, 9, 15, 15), 125);
    anneau.arcTo(QRectF(8, 9, 15, 15), 125, 290);
    QPainterPathStroker trait;
    trait.setWidth(3);
    trait.setCapStyle(Qt::FlatCap);
    p.setPen(Qt::NoPen);
    p.setBrush(blanc);
    p.drawPath(trait.createStroke(anneau));
    p.drawRect(14, 5, 3, 11);
    return image;
}

QIcon iconeDepuis(const QImage& image)
{
    return QIcon(QPixmap::fromImage(image));
}

} // namespace somnelle
