#pragma once
// What every program does first: its name, its icon, the design fonts.
#include <QString>
#include <optional>

namespace velmaro {

// Call right after the QApplication is made. With "--program-folder" the
// program prints the folder it finds its launcher files in, and the caller
// returns the exit code given.
std::optional<int> demarrer(const QString& nom, const QString& identifiant);

} // namespace velmaro
