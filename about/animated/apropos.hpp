#pragma once
// The animated About box shown by Brevolet, Tintara and Ostrelle: the
// program's name, a panel of credit lines that scrolls up in a loop (a click
// pauses it), the maker's web address as a link, and "Salut !" to close. The
// three programs share the window; a table gives each its own texts.
#include <QColor>
#include <QDialog>
#include <QString>
#include <array>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace velmaro {
struct Services;
}

namespace about {

enum class ProgrammeApropos { Brevolet, Tintara, Ostrelle };

// What differs from one program to the next.
struct TextesApropos {
    const char* nom;
    int largeurNom;           // twips
    const char* ligneVersion; // credit line 0
    const char* ligneDate;    // credit line 1
};
const TextesApropos& textesApropos(ProgrammeApropos programme);

// The maker's web address, shown and opened by the link.
QString adresseSite();

// The nine credit lines of a program, leading blanks included.
std::array<QString, 9> lignesCredits(ProgrammeApropos programme);

class Apropos : public QDialog {
    Q_OBJECT
public:
    Apropos(QWidget* fenPrin, ProgrammeApropos programme, velmaro::Services& services);

    void Form_Load();
    void AfficherCredits();
    void Minuterie1_Timer();
    void Image2_Click();
    void lblDisclaimer_Click();
    void cmdOK_Click();

    QLabel* Label2;
    QGroupBox* Frame1;
    QFrame* Image1;
    QWidget* Image2;
    QLabel* Label1;
    QLabel* lblDisclaimer;
    QPushButton* CmdOK;
    QTimer* Minuterie1;

    double PositionDefil = 0;
    std::array<QString, 9> credits;

    // Each line printed on the panel, in order: which credit line, its top
    // in the panel's pixels, its size in points and its colour.
    struct Impression {
        int ligne;
        int haut;
        double points;
        QColor couleur;
    };
    std::vector<Impression> impressions;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QWidget* fenPrin_;
    ProgrammeApropos programme_;
    velmaro::Services& services_;
};

// Shows the box modally, centred over the main window; returns when it closes.
void montrerApropos(QWidget* fenPrin, ProgrammeApropos programme, velmaro::Services& services);

} // namespace about
