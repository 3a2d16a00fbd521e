#pragma once
// The pictures of Merlidan, drawn in code: the program icon, the two copy
// icons, the two format icons and the wide picture of the About button.
#include <QIcon>
#include <QPixmap>

namespace merlidan {

QPixmap imageCopieMeme();    // A/A and B/B: one drive copying onto itself
QPixmap imageCopieAutre();   // A/B and B/A: one disk onto another
QPixmap imageFormatNormal(); // full format: a disk with its tracks
QPixmap imageFormatRapide(); // quick format: a disk and a flash
QPixmap imageApropos(QSize taille); // the banner of the About button

} // namespace merlidan
