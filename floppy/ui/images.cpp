#include "floppy/ui/images.hpp"

#include "common/ui/polices.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace merlidan {

namespace {

const QColor bleuDisque(0, 0, 128);
const QColor gris(192, 192, 192);
const QColor grisFonce(128, 128, 128);

QPixmap vierge(int largeur, int hauteur)
{
    QPixmap p(largeur, hauteur);
    p.fill(Qt::transparent);
    return p;
}

// A 3½-inch disk in the given square: body with a cut corner, metal
// shutter at the top, white label at the bottom.
void disquette(QPainter& p, const QRectF& r, const QColor& corps = bleuDisque)
{
    const qreal u = r.width() / 16.0;
    QPainterPath contour;
    contour.moveTo(r.left(), r.top());
    contour.lineTo(r.right() - 2 * u, r.top());
    contour.lineTo(r.right(), r.top() + 2 * u);
    contour.lineTo(r.right(), r.bottom());
    contour.lineTo(r.left(), r.bottom());
    contour.closeSubpath();
    p.setPen(QPen(Qt::black, std::max<qreal>(1.0, u / 2)));
    p.setBrush(corps);
    p.drawPath(contour);
    p.setPen(Qt::NoPen);
    p.setBrush(gris);
    p.drawRect(QRectF(r.left() + 4 * u, r.top() + 0.5 * u, 7 * u, 5 * u));
    p.setBrush(bleuDisque);
    p.drawRect(QRectF(r.left() + 8 * u, r.top() + 1.5 * u, 1.5 * u, 3 * u));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + 2.5 * u, r.top() + 8 * u, 11 * u, 7 * u));
    p.setPen(QPen(grisFonce, std::max<qreal>(1.0, u / 3)));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(r.left() + 3.5 * u, r.top() + (10 + 2 * i) * u),
                   QPointF(r.left() + 12.5 * u, r.top() + (10 + 2 * i) * u));
}

void fleche(QPainter& p, QPointF de, QPointF a, const QColor& couleur)
{
    p.setPen(QPen(couleur, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(de, a);
    const QPointF d = a - de;
    const qreal longueur = std::hypot(d.x(), d.y());
    if (longueur <= 0)
        return;
    const QPointF u = d / longueur;
    const QPointF n(-u.y(), u.x());
    QPolygonF pointe;
    pointe << a + u * 2 << a - u * 5 + n * 4 << a - u * 5 - n * 4;
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    p.drawPolygon(pointe);
}

} // namespace

QPixmap imageCopieMeme()
{
    QPixmap pix = vierge(32, 32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    disquette(p, QRectF(4.5, 6.5, 22, 22));
    // A turning arrow: the same drive reads then writes.
    p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(16, 1, 14, 14), 200 * 16, -250 * 16);
    QPolygonF pointe;
    pointe << QPointF(15, 6) << QPointF(21, 10) << QPointF(14, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawPolygon(pointe);
    return pix;
}

QPixmap imageCopieAutre()
{
    QPixmap pix = vierge(32, 32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    disquette(p, QRectF(0.5, 0.5, 15, 15));
    disquette(p, QRectF(15.5, 15.5, 16, 16), QColor(128, 0, 0));
    fleche(p, QPointF(10, 20), QPointF(12, 28), QColor(0, 128, 0));
    fleche(p, QPointF(18, 5), QPointF(26, 11), QColor(0, 128, 0));
    return pix;
}

QPixmap imageFormatNormal()
{
    QPixmap pix = vierge(32, 32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    disquette(p, QRectF(0.5, 0.5, 31, 31));
    // The tracks written one by one.
    p.setPen(QPen(QColor(0, 128, 128), 1.2));
    p.setBrush(Qt::NoBrush);
    for (int r = 2; r <= 6; r += 2)
        p.drawEllipse(QPointF(16, 23), r * 1.2, r * 0.9);
    return pix;
}

QPixmap imageFormatRapide()
{
    QPixmap pix = vierge(32, 32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    disquette(p, QRectF(0.5, 0.5, 31, 31));
    QPolygonF eclair;
    eclair << QPointF(19, 15) << QPointF(11, 24) << QPointF(16, 24) << QPointF(13, 31) << QPointF(22, 21)
           << QPointF(17, 21) << QPointF(20, 15);
    p.setPen(QPen(QColor(128, 64, 0), 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(eclair);
    return pix;
}

QPixmap imageApropos(QSize taille)
{
    QPixmap pix(taille);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(0, 0, taille.width(), taille.height());
    QLinearGradient degrade(r.topLeft(), r.topRight());
    degrade.setColorAt(0, QColor(0, 0, 128));
    degrade.setColorAt(1, QColor(0, 128, 192));
    p.setPen(Qt::NoPen);
    p.setBrush(degrade);
    p.drawRect(r);
    const qreal cote = taille.height() - 8;
    disquette(p, QRectF(6, 4, cote, cote), QColor(0, 0, 64));
    p.setPen(Qt::white);
    p.setFont(velmaro::policeVb(QStringLiteral("Times New Roman"), 16, true, true));
    const QRectF texte = r.adjusted(cote + 16, 0, -8, 0);
    p.drawText(texte, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Merlidan"));
    p.setFont(velmaro::policeVb(QStringLiteral("Times New Roman"), 10, true));
    p.setPen(QColor(255, 255, 160));
    p.drawText(texte, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Velmaro"));
    return pix;
}

} // namespace merlidan
