#pragma once
#include <QString>
#include <QStringList>

namespace velmaro {

// The names of the files of a folder as QDir::Files lists them: regular files
// and links to them, hidden ones left out, in no particular order; empty when
// the folder can't be read. Much quicker than QDir on a folder of many
// thousand files, where the system tells the kind of an entry with its name.
QStringList nomsDeFichiers(const QString& dossier);

} // namespace velmaro
