#include "colour-converter/ui/icone.hpp"

#include <QPainter>

namespace tintara {

QImage imageIcone()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::black);
    // Swatch
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 27, 11);
    // Component bars, shortest to tallest as if three sliders stood apart.
    const QColor barres[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    const int hauts[] = {18, 16, 20};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(3 + i * 9, 15, 7, 15);
        p.setBrush(barres[i]);
        p.drawRect(3 + i * 9, hauts[i], 7, 30 - hauts[i]);
    }
    return image;
}

QIcon iconeTintara()
{
    return QIcon(QPixmap::fromImage(imageIcone()));
}

} // namespace tintara
