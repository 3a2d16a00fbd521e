#pragma once
#include <QIcon>

namespace tintara {

// The program icon, 32 x 32 in the 16 standard colours: a white swatch above
// a red, a green and a blue bar.
QImage imageIcone();
QIcon iconeTintara();

} // namespace tintara
