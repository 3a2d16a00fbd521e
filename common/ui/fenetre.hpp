#pragma once
// Fixed-size main windows and the hidden focus sink.
#include <QSize>
#include <QString>

class QPushButton;
class QWidget;

namespace velmaro {

// Fixes the client area, offers no maximise button and keeps minimise and
// close; on Windows also deletes the Size command of the system menu.
void fixerFenetre(QWidget* fenetre, QSize client);

// Centres a top-level window on the screen it is on (or the primary screen).
void centrerSurEcran(QWidget* fenetre);

// The button "BoutonFocus" that lies below the visible client area and takes
// the keyboard focus so that no visible control shows a focus frame.
QPushButton* creerBoutonFocus(QWidget* parent, int gauche, int haut, int largeur, int hauteur);

} // namespace velmaro
