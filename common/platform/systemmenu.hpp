#pragma once
class QWidget;

namespace velmaro {

// Deletes the Size command from a window's system menu (Windows); elsewhere
// the fixed size alone keeps the window from being resized.
void supprimerCommandeTaille(QWidget* fenetre);

} // namespace velmaro
