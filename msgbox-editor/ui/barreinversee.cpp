#include "msgbox-editor/ui/barreinversee.hpp"

namespace brevolet {

// The bar runs from -maximum (top) to 0 (bottom): its own order, upside down.
BarreInversee::BarreInversee(int maximum, int valeur, QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setRange(-maximum, 0);
    setSingleStep(1);
    setPageStep(10);
    setValue(-valeur);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QScrollBar::valueChanged, this, [this](int v) { emit valeurChangee(-v); });
}

} // namespace brevolet
