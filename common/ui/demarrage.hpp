#pragma once
// What every program does first: its name, its icon, the design fonts, Qt's
// own texts in French.
#include <QString>
#include <functional>
#include <optional>

namespace velmaro {

// Call before the QApplication is made. Several windows place themselves
// (centred, at a chosen X and Y), which a Wayland client cannot do: on a
// Wayland session that also offers its X server, the programs run through it
// unless the user has chosen a platform. "--program-folder" needs no screen.
void preparerPlateforme(int argc, char** argv);

// The platform preparerPlateforme sets, from the environment as `lire` reads
// it; empty for Qt's own choice.
QString plateformeImposee(const std::function<QString(const char*)>& lire, bool sansFenetre);

// Call right after the QApplication is made. With "--program-folder" the
// program prints the folder it finds its launcher files in, and the caller
// returns the exit code given.
std::optional<int> demarrer(const QString& nom, const QString& identifiant);

// Qt's own dialogs and menus (files, fonts, the edit menu of a text box)
// speak French like the rest of the suite, when Qt's translations are
// installed; English otherwise.
void traduireQt();

} // namespace velmaro
