#pragma once
// Paths built the way every list and program folder of the suite builds them.
#include <string>

namespace velmaro {

// "folder, separator unless it already ends with one, name".
// An empty folder gives the name alone after the separator, as a root would.
// With the backslash, a folder ending with '/' already ends with one.
std::string joindreChemin(const std::string& dossier, const std::string& nom, char separateur);

} // namespace velmaro
