#pragma once
// The full-screen colour view opened by a click on the main window's swatch:
// a borderless black window over the whole screen the main window is on,
// covered but for its bottom row by picture1 in the colour of the positions
// published when the view opened. A right press on picture1 inverts it (and
// back); any other press closes the view. A right press on the window itself
// hides picture1 and paints the blue ramp from the press row down; any other
// press there shows picture1 again.
#include "colour-converter/core/etatcouleur.hpp"

#include <QDialog>
#include <QImage>

namespace tintara {

// The picture of the view: one colour, or its inverse after a right press.
class PictureVue : public QWidget {
    Q_OBJECT
public:
    explicit PictureVue(QWidget* parent);
    void setCouleur(Couleur couleur);
    Couleur couleur() const { return couleur_; }
    // Inverts what is shown, as a destination-invert blit of the whole picture does.
    void inverser();
    bool inversee() const { return inversee_; }
    // The colour on screen.
    Couleur couleurAffichee() const { return inversee_ ? inverse(couleur_) : couleur_; }
    void effacerInversion() { inversee_ = false; update(); }

signals:
    void presse(Qt::MouseButton bouton);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* evenement) override;

private:
    Couleur couleur_ = 0;
    bool inversee_ = false;
};

class PleinEcran : public QDialog {
    Q_OBJECT
public:
    // Reads the published positions once; covers the screen `fenPrin` is on.
    PleinEcran(const PositionsPubliees& positions, QWidget* fenPrin);

    PictureVue* picture1;

    void Form_Load(const PositionsPubliees& positions);
    void picture1_MouseDown(Qt::MouseButton bouton);
    void Form_MouseDown(Qt::MouseButton bouton, int y);

    // What the window has drawn on its background (the ramps), persistent.
    const QImage& dessin() const { return dessin_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void placerPicture();

    QImage dessin_;
};

} // namespace tintara
