#pragma once
// The fonts the windows were designed with, and their substitutes on Linux.
#include <QFont>
#include <QString>

namespace velmaro {

// Maps "MS Sans Serif", "Comic Sans MS", "Times New Roman" and "Verdana" to
// Liberation Sans, Comic Neue, Liberation Serif and DejaVu Sans where the
// originals are missing. Call once after the QApplication exists.
void enregistrerSubstituts();

// A font by name and point size (8.25, 9.75... as designed).
QFont policeVb(const QString& nom, double points, bool gras = false, bool italique = false);

// The window font of every form: MS Sans Serif 8.25 points.
QFont policeParDefaut();

} // namespace velmaro
