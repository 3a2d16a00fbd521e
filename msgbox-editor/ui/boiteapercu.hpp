#pragma once
// The preview: the message box being composed, built from its style number
// and shown at once in its final place and form (at PosX, PosY, centred over
// the editor, or enlarged for a chosen font).
#include "common/ui/vbmessagebox.hpp"
#include "msgbox-editor/core/apercu.hpp"

#include <QFont>
#include <memory>

namespace brevolet {

class BoiteApercu : public velmaro::VbMessageBox {
    Q_OBJECT
public:
    // An empty title shows the program's name, like the run time's boxes.
    BoiteApercu(const QString& texte, int style, const QString& titre, QWidget* fenPrin);

    // Where the system would put it: centred over the owner, kept on screen.
    void placerParDefaut();

    // At (PosX, PosY) or centred over the owner's outer rectangle.
    void placer(const ReglagesApercu& reglages);

    // The outer size, frame included, the window manager's frame being
    // estimated from the owner's own.
    QSize tailleCadre() const;

    // Applies the font to the text and enlarges (or shrinks) the box by the
    // difference in the text's height, keeping its centre; the buttons go
    // below the text. The box grows no taller than the screen and stays on it.
    void appliquerPolice(const QFont& police);

private:
    // The owner's screen, without the panels.
    QRect ecran() const;
    // The tallest the box may be with its frame on that screen.
    int hauteurPermise() const;
};

} // namespace brevolet
