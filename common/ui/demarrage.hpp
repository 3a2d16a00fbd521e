#pragma once
// What every program does first: its name, its icon, the design fonts, Qt's
// own texts in French.
#include <QString>
#include <optional>

namespace velmaro {

// Call right after the QApplication is made. With "--program-folder" the
// program prints the folder it finds its launcher files in, and the caller
// returns the exit code given.
std::optional<int> demarrer(const QString& nom, const QString& identifiant);

// Qt's own dialogs and menus (files, fonts, the edit menu of a text box)
// speak French like the rest of the suite, when Qt's translations are
// installed; English otherwise.
void traduireQt();

} // namespace velmaro
