#pragma once
// Tintara's main window: three upside-down sliders (top = full intensity) set
// a colour; every Change or Scroll goes to the colour state (EtatCouleur),
// whose displays are copied back to the boxes, swatch, strips and captions.
// The buttons copy the notations through the clipboard service, start the
// clipboard viewer, switch grey mode and open the About box; a click on the
// swatch opens the full-screen view with the published positions.
#include "colour-converter/core/etatcouleur.hpp"

#include <QFrame>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace velmaro {
struct Services;
}

namespace tintara {

// A picture box that shows one background colour; the swatch also reports clicks.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    void setCouleur(Couleur couleur);
    Couleur couleur() const { return couleur_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    Couleur couleur_ = 0;
    bool appuye_ = false;
};

class FenPrin : public QWidget {
    Q_OBJECT
public:
    explicit FenPrin(velmaro::Services& services, QWidget* parent = nullptr);

    const EtatCouleur& etat() const { return etat_; }

    QGroupBox* Frame1;
    PictureBox* Picture1;
    QGroupBox* Frame2;
    QLineEdit* Text1;
    QGroupBox* Frame3;
    QLineEdit* Text2;
    QGroupBox* Frame5;
    QLineEdit* Text3;
    QGroupBox* Frame6;
    QLineEdit* Text4;
    QPushButton* CmdCopie;
    QPushButton* CmdCopiePic;
    QPushButton* CmdPresPap;
    QGroupBox* Frame4;
    PictureBox* Picture2;
    PictureBox* Picture3;
    PictureBox* Picture4;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QScrollBar* ReglageR;
    QScrollBar* ReglageG;
    QScrollBar* ReglageB;
    QPushButton* CmdGRIS;
    QPushButton* CmdApro;

    void Form_Load();
    void ReglageR_Change();
    void ReglageR_Scroll();
    void ReglageG_Change();
    void ReglageG_Scroll();
    void ReglageB_Change();
    void ReglageB_Scroll();
    void CmdGRIS_Click();
    void CmdCopie_Click();
    void CmdCopiePic_Click();
    void CmdPresPap_Click();
    void CmdApro_Click();
    void Picture1_Click();

private:
    QScrollBar* reglage(Reglage x) const;
    void reglageBouge(Reglage x);
    // Copies the state's displays and slider positions to the widgets.
    void afficher();
    // Puts a text on the clipboard and minimises; a failure is shown and the window stays.
    void copier(const QString& texte);

    velmaro::Services& services_;
    EtatCouleur etat_;
};

} // namespace tintara
