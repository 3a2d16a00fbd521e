#pragma once
// The 32 x 32 pictures of the six buttons and the window's clock face.
#include <QIcon>
#include <QPixmap>

namespace kalvent {

QPixmap iconeFeuTricolore();   // CmdPareil: traffic light
QPixmap iconeLivreLunettes();  // CmdProprietes: open book with glasses
QPixmap iconeDeuxFenetres();   // CmdExplorer: two windows
QPixmap iconeStop();           // cmdQuitter: raised hand in a red stop sign
QPixmap iconeAmpoule();        // CmdAide: light bulb
QPixmap iconeChronometre();    // cmdModifier: stopwatch over a ruler

} // namespace kalvent
