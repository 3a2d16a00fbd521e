#pragma once
// The one window of Merlidan. Its controls set the option strings of the
// core (verification, capacity, system files); each copy or format button
// has the core build its command line from them and starts the launcher
// file beside the program with that line's switches as arguments. The
// keyboard focus always goes back to the hidden BoutonFocus.
#include "floppy/core/commandes.hpp"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velmaro {
struct Services;
}

namespace merlidan {

class Feuille1 : public QWidget {
    Q_OBJECT
public:
    explicit Feuille1(velmaro::Services& services, QWidget* parent = nullptr);

    const Options& options() const { return options_; }

    QPushButton* BoutonFocus;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* CmdAA;
    QPushButton* CmdBB;
    QPushButton* CmdAB;
    QPushButton* CmdBA;
    QPushButton* CmdFormatNormal;
    QPushButton* CmdFormatRapide;
    QCheckBox* CocheVerif;
    QCheckBox* CocheSys;
    QRadioButton* Option1[3];
    QPushButton* CmdApro;

    void Form_Load();
    void Form_Click();
    void CmdAA_Click();
    void CmdAB_Click();
    void CmdBA_Click();
    void CmdBB_Click();
    void CmdFormatNormal_Click();
    void CmdFormatRapide_Click();
    void CocheVerif_Click();
    void CocheSys_Click();
    void Option1_Click(int Index);
    void CmdApro_Click();

protected:
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    void lancer(Commande commande);

    velmaro::Services& services_;
    Options options_;
};

} // namespace merlidan
