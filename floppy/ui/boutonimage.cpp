#include "floppy/ui/boutonimage.hpp"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace merlidan {

BoutonImage::BoutonImage(const QString& legende, const QPixmap& image, QWidget* parent)
    : QPushButton(legende, parent)
{
    setIcon(QIcon(image));
    setIconSize(image.size());
}

void BoutonImage::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString legende = opt.text;
    const QIcon image = opt.icon;
    opt.text.clear();
    opt.icon = QIcon();
    p.drawControl(QStyle::CE_PushButton, opt);

    QRect zone = rect().adjusted(3, 3, -3, -3);
    if (isDown())
        zone.translate(1, 1);
    if (!legende.isEmpty()) {
        const int hauteur = fontMetrics().height();
        const QRect ligne(zone.left(), zone.bottom() - hauteur + 1, zone.width(), hauteur);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        // The blanks at the front of the captions are part of the design.
        p.drawText(ligne, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic, legende);
        zone.setBottom(ligne.top() - 1);
    }
    QSize taille = iconSize().scaled(zone.size().boundedTo(iconSize()), Qt::KeepAspectRatio);
    QRect cadre(QPoint(0, 0), taille);
    cadre.moveCenter(zone.center());
    image.paint(&p, cadre, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

} // namespace merlidan
