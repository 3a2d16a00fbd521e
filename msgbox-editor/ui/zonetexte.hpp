#pragma once
// The message box of the editor: a text box of several lines that holds at
// most a given number of characters, as the one-line title box does. A paste
// or a drop is cut to the room left and typing stops at the limit; without it
// a pasted megabyte would take minutes to lay out, twice (the message and the
// code line).
#include <QPlainTextEdit>

namespace brevolet {

// What the title and message boxes hold at most.
constexpr int longueurMaximaleTexte = 32767;

class ZoneTexte : public QPlainTextEdit {
    Q_OBJECT
public:
    ZoneTexte(const QString& texte, int longueurMaximale, QWidget* parent);

    int longueurMaximale() const { return longueurMaximale_; }
    // The characters that may still come in, the selection being replaced.
    int place() const;
    // Puts the text in place of the selection, cut to the room left.
    void inserer(const QString& texte);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void inputMethodEvent(QInputMethodEvent* evenement) override;

private:
    QString couper(QString texte) const;

    int longueurMaximale_;
};

} // namespace brevolet
