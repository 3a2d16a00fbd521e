#pragma once
// The drive, folder and file lists of the VB toolbox. Each has a path
// property and raises its change signal when the path changes, from the user
// or from code, so a window chains them the usual way:
//   drive changed  -> folders.setPath(drive)     (may throw: show the error)
//   folders changed -> files.setPath(folders.path())
// Paths use the native separator. Setting a path that can't be read throws
// ErreurService with the text to show and leaves the list as it was; a
// failure the user caused with the mouse or keyboard comes out of erreur().
#include <QComboBox>
#include <QList>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace velmaro {

// One volume of the drive list: its root folder (native separators) and name.
struct Volume {
    QString racine;
    QString nom;
};

// Whether a mounted file system is one a user browses: pseudo and system
// file systems (proc, sysfs, cgroup, snap images...) are left out; the root
// folder is always kept.
bool volumeUtilisateur(const QString& racine, const QString& typeFs);

// The volumes of this machine in drive-list order: drive letters on Windows,
// the root folder then the other user volumes elsewhere.
QList<Volume> volumesDuSysteme();

// The text of a drive list entry: "c: [LABEL]" for a drive letter, the root
// folder followed by " [name]" elsewhere, the name left out when empty.
QString libelleVolume(const Volume& volume);

// Whether a file name matches a pattern list such as "*.wmf;*.ico", without
// regard to case; "*.*" and "*" match every name.
bool correspondMotif(const QString& nom, const QString& motifs);

// Drive list (DriveListBox): a drop-down list of the volumes.
class ListeLecteurs : public QComboBox {
    Q_OBJECT
public:
    explicit ListeLecteurs(QWidget* parent = nullptr);

    // Replaces the volumes (tests, or a refresh); keeps the chosen drive when it is still there.
    void setVolumes(const QList<Volume>& volumes);
    const QList<Volume>& volumes() const { return volumes_; }
    void actualiser();

    // The chosen drive's root folder.
    QString drive() const;
    // Chooses the drive that holds a path (a root or any folder below it);
    // raises changed() when the choice changes.
    void setDrive(const QString& chemin);
    // The root of the volume that holds a path: the longest root that contains it.
    QString lecteurDe(const QString& chemin) const;

signals:
    // The chosen drive changed (Drive1_Change).
    void changed();

private:
    void choisir(int index);
    QList<Volume> volumes_;
    int choix_ = -1;
};

// Folder list (DirListBox): the ancestors of the path from its root down to
// the folder itself, then its subfolders in the order of the user's language. A double click (or Enter) on an
// entry opens that folder.
class ListeDossiers : public QListWidget {
    Q_OBJECT
public:
    explicit ListeDossiers(QWidget* parent = nullptr);

    QString path() const { return chemin_; }
    // Opens a folder: throws ErreurService when it doesn't exist or can't be
    // read; raises changed() when the path changes.
    void setPath(const QString& chemin);
    // Reads the folder again.
    void actualiser();

    // The subfolders (ListCount, List(i)), as full paths.
    int nombreSousDossiers() const { return sousDossiers_.size(); }
    QString sousDossier(int i) const { return sousDossiers_.value(i); }
    // Full path of any row of the widget (ancestor, folder or subfolder).
    QString cheminLigne(int ligne) const;

signals:
    void changed();
    // A folder the user tried to open could not be read.
    void erreur(const QString& texte);

protected:
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void ouvrirLigne(int ligne);
    void remplir(const QString& chemin, const QStringList& sousDossiers);
    QString chemin_;
    QStringList lignes_; // full path of each row
    QStringList sousDossiers_;
};

// File list (FileListBox): the files of a folder that match the pattern
// list, in the order of the user's language without regard to case; hidden
// files left out. Each entry keeps its name exactly as the system gave it
// (see nomsnatifs.hpp): the list shows it readably, cheminComplet() gives
// the exact path for the platform's calls.
class ListeFichiers : public QListWidget {
    Q_OBJECT
public:
    explicit ListeFichiers(QWidget* parent = nullptr);

    QString path() const { return chemin_; }
    // Lists a folder: throws ErreurService when it can't be read; raises
    // pathChanged() when the path changes.
    void setPath(const QString& chemin);
    QString pattern() const { return motifs_; }
    void setPattern(const QString& motifs);
    void actualiser();

    // Single (default) or extended selection (Ctrl and Shift).
    void setSelectionEtendue(bool etendue);

    // ListCount, List(i), Selected(i), ListIndex, FileName; names as shown.
    int nombre() const { return count(); }
    QString nom(int i) const;
    bool estSelectionne(int i) const;
    int indexCourant() const { return currentRow(); }
    QString nomCourant() const { return nom(currentRow()); }
    // The folder path joined with the entry's exact name by the path rule.
    QString cheminComplet(int i) const;
    // Names of the selected entries, in list order.
    QStringList selection() const;

signals:
    // Every click or selection change made by the user (File1_Click).
    void clic();
    // A double click on an entry.
    void doubleClic();
    void pathChanged();
    void patternChanged();

private:
    void lire(const QString& chemin);
    QString chemin_;
    QStringList noms_;   // the entries as shown, in list order
    QStringList exacts_; // their names as the system gave them
    QString motifs_ = QStringLiteral("*.*");
    bool remplissage_ = false;
};

} // namespace velmaro
