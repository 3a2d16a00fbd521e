#pragma once
// File names exactly as the system gives them. A POSIX name is a string of
// bytes, mostly UTF-8 but not always (a disk written by an older system); a
// byte that is not part of valid UTF-8 is kept in the QString as the lone
// surrogate U+DC00 + byte, so that the name goes back to the system byte for
// byte. Every call that takes a listed path goes through here. On Windows a
// name is UTF-16 already and passes unchanged.
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

namespace velmaro {

QString depuisNomNatif(const QByteArray& octets);
QByteArray versNomNatif(const QString& nom);

// A name for the eyes (lists, messages, clipboard): each kept byte is written
// as \xE9; any other name is returned as it is.
QString nomLisible(const QString& nom);

// Opens a file by its exact name; false with the system's reason otherwise.
// Never blocks on a pipe or a device.
bool ouvrirFichier(QFile& fichier, const QString& chemin, QIODevice::OpenMode mode, QString* raison = nullptr);

// What the system tells of a path, links followed.
struct EtatFichier {
    bool existe = false;
    bool ordinaire = false;
    bool dossier = false;
    qint64 taille = 0;
    QDateTime creation; // invalid where the file system keeps none
    QDateTime modification;
    QDateTime acces;
};
EtatFichier etatFichier(const QString& chemin);

// The path with links and "." / ".." resolved; empty when it doesn't exist.
QString cheminCanonique(const QString& chemin);

// A file: URL that names the file exactly (bytes that are not UTF-8 percent-encoded).
QString urlDeFichier(const QString& chemin);

} // namespace velmaro
