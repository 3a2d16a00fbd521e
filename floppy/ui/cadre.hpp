#pragma once
// A frame drawn the classic way: an etched rectangle whose top line runs
// through the middle of the caption.
#include <QGroupBox>

namespace merlidan {

class Cadre : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace merlidan
