#include "file-times/ui/icones.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace kalvent {

namespace {

constexpr int cote = 32;

QPixmap toile()
{
    QPixmap p(cote, cote);
    p.fill(Qt::transparent);
    return p;
}

void preparer(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
}

} // namespace

QPixmap iconeFeuTricolore()
{
    QPixmap image = toile();
    QPainter p(&image);
    preparer(p);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(9.5, 1.5, 13, 27), 3, 3);
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(14.5, 28.5, 3, 3));
    const QColor feux[] = {QColor(230, 30, 30), QColor(245, 190, 20), QColor(40, 200, 60)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(feux[i]);
        p.drawEllipse(QPointF(16, 6.5 + i * 8.5), 3.6, 3.6);
    }
    return image;
}

QPixmap iconeLivreLunettes()
{
    QPixmap image = toile();
    QPainter p(&image);
    preparer(p);
    // Open book: two pages meeting at the spine.
    p.setPen(QPen(QColor(60, 40, 20), 1));
    p.setBrush(QColor(150, 70, 30));
    p.drawRect(QRectF(1.5, 12.5, 29, 17));
    p.setBrush(Qt::white);
    QPolygonF gauche{{2.5, 11.5}, {15.5, 13.5}, {15.5, 28.5}, {2.5, 26.5}};
    QPolygonF droite{{29.5, 11.5}, {16.5, 13.5}, {16.5, 28.5}, {29.5, 26.5}};
    p.drawPolygon(gauche);
    p.drawPolygon(droite);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(5, 17.5 + i * 2.5), QPointF(13, 18.5 + i * 2.5));
        p.drawLine(QPointF(19, 18.5 + i * 2.5), QPointF(27, 17.5 + i * 2.5));
    }
    // Glasses lying above the pages.
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(QColor(180, 220, 255, 160));
    p.drawEllipse(QPointF(10, 7), 5, 4);
    p.drawEllipse(QPointF(22, 7), 5, 4);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 4, 4, 4), 0, 180 * 16);
    p.drawLine(QPointF(5, 6), QPointF(1.5, 4));
    p.drawLine(QPointF(27, 6), QPointF(30.5, 4));
    return image;
}

QPixmap iconeDeuxFenetres()
{
    QPixmap image = toile();
    QPainter p(&image);
    auto fenetre = [&](QRectF r) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 1, 4));
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(QRectF(r.right() - 4, r.top() + 2, 2.5, 2.5));
        p.setPen(QPen(QColor(128, 128, 128), 1));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(r.left() + 3, r.top() + 9 + i * 3), QPointF(r.right() - 4, r.top() + 9 + i * 3));
    };
    fenetre(QRectF(1.5, 2.5, 19, 16));
    fenetre(QRectF(11.5, 13.5, 19, 16));
    return image;
}

QPixmap iconeStop()
{
    QPixmap image = toile();
    QPainter p(&image);
    preparer(p);
    QPolygonF octogone;
    for (int i = 0; i < 8; ++i) {
        const double a = qDegreesToRadians(22.5 + 45.0 * i);
        octogone << QPointF(16 + 15 * std::cos(a), 16 + 15 * std::sin(a));
    }
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(210, 20, 20));
    p.drawPolygon(octogone);
    // A raised open hand: palm, four fingers and the thumb.
    p.setPen(QPen(QColor(120, 60, 30), 0.8));
    p.setBrush(QColor(255, 220, 180));
    p.drawRoundedRect(QRectF(10.5, 14, 11, 11), 3, 3);
    const double doigts[][2] = {{10.7, 9}, {13.5, 6.5}, {16.3, 6}, {19.1, 8}};
    for (const auto& d : doigts)
        p.drawRoundedRect(QRectF(d[0], d[1], 2.6, 17 - d[1]), 1.3, 1.3);
    QPainterPath pouce;
    pouce.moveTo(21, 20);
    pouce.lineTo(25, 14.5);
    pouce.lineTo(26.5, 16);
    pouce.lineTo(21.5, 24);
    pouce.closeSubpath();
    p.drawPath(pouce);
    return image;
}

QPixmap iconeAmpoule()
{
    QPixmap image = toile();
    QPainter p(&image);
    preparer(p);
    // Rays, glass, filament and screw base.
    p.setPen(QPen(QColor(240, 200, 0), 1.5));
    for (int i = 0; i < 7; ++i) {
        const double a = qDegreesToRadians(180.0 + 30.0 * i);
        p.drawLine(QPointF(16 + 12 * std::cos(a), 12 + 12 * std::sin(a)),
                   QPointF(16 + 15 * std::cos(a), 12 + 15 * std::sin(a)));
    }
    QRadialGradient lueur(QPointF(14, 9), 10);
    lueur.setColorAt(0, Qt::white);
    lueur.setColorAt(1, QColor(255, 235, 80));
    p.setPen(QPen(QColor(150, 120, 0), 1));
    p.setBrush(lueur);
    QPainterPath verre;
    verre.moveTo(12, 22);
    verre.cubicTo(12, 17, 7, 16, 7, 11);
    verre.arcTo(QRectF(7, 2, 18, 18), 180, -180);
    verre.cubicTo(25, 16, 20, 17, 20, 22);
    verre.closeSubpath();
    p.drawPath(verre);
    p.setPen(QPen(QColor(200, 100, 0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{13, 21}, {14, 13}, {15.5, 15}, {16.5, 13}, {18, 15}, {19, 13}, {19, 21}});
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(11.5, 22.5, 9, 6));
    p.drawLine(QPointF(11.5, 24.5), QPointF(20.5, 24.5));
    p.drawLine(QPointF(11.5, 26.5), QPointF(20.5, 26.5));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(14, 28.5, 4, 2.5));
    return image;
}

QPixmap iconeChronometre()
{
    QPixmap image = toile();
    QPainter p(&image);
    preparer(p);
    // Ruler along the bottom, graduated.
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(240, 210, 90));
    p.drawRect(QRectF(0.5, 24.5, 31, 7));
    for (int x = 2; x < 31; x += 2)
        p.drawLine(QPointF(x + 0.5, 24.5), QPointF(x + 0.5, x % 10 == 2 ? 29.5 : 27));
    // Stopwatch: crown, case, dial and hands.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(160, 160, 170));
    p.drawRect(QRectF(14.5, 0.5, 3, 3));
    p.drawRect(QRectF(13, 2.5, 6, 2));
    p.setBrush(QColor(170, 170, 180));
    p.drawEllipse(QPointF(16, 13.5), 10, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 13.5), 8, 8);
    for (int i = 0; i < 12; ++i) {
        const double a = qDegreesToRadians(30.0 * i);
        p.drawLine(QPointF(16 + 6.5 * std::cos(a), 13.5 + 6.5 * std::sin(a)),
                   QPointF(16 + 7.7 * std::cos(a), 13.5 + 7.7 * std::sin(a)));
    }
    p.setPen(QPen(QColor(200, 0, 0), 1.4));
    p.drawLine(QPointF(16, 13.5), QPointF(20.5, 9));
    p.setPen(QPen(Qt::black, 1.4));
    p.drawLine(QPointF(16, 13.5), QPointF(16, 8));
    return image;
}

} // namespace kalvent
