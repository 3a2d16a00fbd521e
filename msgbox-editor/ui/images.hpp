#pragma once
// Pictures drawn in code: the program icon and the faces of the centring and
// font buttons.
#include <QIcon>
#include <QPixmap>

namespace brevolet {

QPixmap imageCentrer();
QPixmap imagePolice();

} // namespace brevolet
