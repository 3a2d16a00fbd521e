#pragma once
// A command button that shows its picture above its caption, or the picture
// alone centred when there is no caption.
#include <QPushButton>

namespace merlidan {

class BoutonImage : public QPushButton {
    Q_OBJECT
public:
    BoutonImage(const QString& legende, const QPixmap& image, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace merlidan
