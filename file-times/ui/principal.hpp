#pragma once
// Principal, Kalvent's only window. The user picks a drive, a folder and one
// or several files, types a creation and a modification date and time, and
// cmdModifier writes both times into every selected file through the
// FileTimes service. The drive list drives the folder list, which drives the
// file list; a click in the file list sets FichierCourant (the properties
// button's file) and the selection counter. The boxes' texts are converted
// by the core (General) with the user's regional rules.
#include "common/platform/services.hpp"
#include "file-times/core/general.hpp"

#include <QPointer>
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QFileDialog;

namespace velmaro {
class ListeDossiers;
class ListeFichiers;
class ListeLecteurs;
} // namespace velmaro

namespace kalvent {

class Principal : public QWidget {
    Q_OBJECT
public:
    explicit Principal(velmaro::Services& services, QWidget* parent = nullptr);

    QGroupBox* Frame4;
    QLabel* Label3;
    QLabel* Label5;
    QLabel* Label1;
    QLineEdit* txtDateCreation;
    QLineEdit* txtHeureCreation;
    QLineEdit* txtDateEcriture;
    QLineEdit* txtHeureEcriture;
    QPushButton* CmdPareil;
    QPushButton* CmdProprietes;
    QPushButton* CmdExplorer;
    QPushButton* cmdQuitter;
    QPushButton* CmdAide;
    QPushButton* cmdModifier;
    velmaro::ListeFichiers* Fichier1;
    velmaro::ListeDossiers* Répertoire1;
    velmaro::ListeLecteurs* Lecteur1;
    QLabel* NbFichiers;
    QListWidget* List1;
    QPushButton* BoutonFocus;

    // Full path of the file list's current entry; empty until the first click.
    QString FichierCourant;

    void Form_Load();
    void Lecteur1_Change();
    void Répertoire1_Change();
    void Fichier1_Click();
    void CmdPareil_Click();
    void CmdProprietes_Click();
    void CmdExplorer_Click();
    void CmdAide_Click();
    void cmdQuitter_Click();
    void cmdModifier_Click();

    // DateVersFileTime with the user's regional settings.
    FileTime DateVersFileTime(const QString& texte) const;

    // Beeps sounded since the window opened (one per file written).
    int bips() const { return bips_; }
    // The check dialog of CmdExplorer, set up but not shown.
    QFileDialog* creerDialogueVerification();
    // The suite's own properties window last shown, if any.
    QWidget* fenetreProprietes() const { return proprietes_; }

    static const QString titre;
    static const QString texteAide;

private:
    // The user's rules, with the current year for a date typed without one.
    ReglesDate regles() const;
    // Both times of the boxes, or the message that says which box is wrong.
    bool convertir(FileTime& creation, FileTime& ecriture, QString& message) const;
    void bip();

    velmaro::Services& services_;
    ReglesDate regles_;
    int bips_ = 0;
    // Cleared by Qt when the window goes, even while this one is being destroyed.
    QPointer<QWidget> proprietes_;
};

} // namespace kalvent
