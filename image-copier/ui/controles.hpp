#pragma once
// The picture-holding controls of the main window and its two-line button.
#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QWidget>

namespace ostrelle {

// A picture box (PictureBox with a persistent image): a background colour, a
// loaded picture at its top-left corner, and what was drawn over them. image()
// is all three as one picture, the one that is saved and copied.
class BoiteImage : public QWidget {
    Q_OBJECT
public:
    explicit BoiteImage(QWidget* parent = nullptr);

    QColor couleurFond() const { return fond_; }
    // Setting the background clears what was drawn; the loaded picture stays.
    void setCouleurFond(const QColor& couleur);
    // Replaces the loaded picture and clears what was drawn (a null image empties it).
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // Draws an image at the top-left corner, over what is there.
    void dessiner(const QImage& dessin);

    // The box's own image, at its size.
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void recomposer();
    QColor fond_;
    QImage picture_;
    QImage image_;
};

// An image control: shows a picture at its own size (the control takes that
// size) or, stretched, at the control's size.
class ControleImage : public QWidget {
    Q_OBJECT
public:
    explicit ControleImage(QWidget* parent = nullptr);

    bool stretch() const { return stretch_; }
    void setStretch(bool etire);
    const QImage& picture() const { return picture_; }
    // Unstretched, the control takes the picture's size.
    void setPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage picture_;
    bool stretch_ = false;
};

// A push button whose caption wraps onto several lines like the system's
// buttons do, with text() unchanged.
class BoutonMultiligne : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override;
};

// The colours of the system's window background and button faces.
QColor couleurFenetre();
QColor couleurFaceBouton();

} // namespace ostrelle
