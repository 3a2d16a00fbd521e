#include "msgbox-editor/ui/zonetexte.hpp"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

namespace brevolet {

ZoneTexte::ZoneTexte(const QString& texte, int longueurMaximale, QWidget* parent)
    : QPlainTextEdit(texte, parent), longueurMaximale_(longueurMaximale)
{
}

int ZoneTexte::place() const
{
    // characterCount() counts the closing paragraph separator too.
    const QTextCursor c = textCursor();
    const int longueur = document()->characterCount() - 1;
    return std::max(0, longueurMaximale_ - longueur + (c.selectionEnd() - c.selectionStart()));
}

QString ZoneTexte::couper(QString texte) const
{
    const int reste = place();
    if (texte.size() > reste) {
        texte.truncate(reste);
        // Never half of a character outside the basic plane.
        if (!texte.isEmpty() && texte.back().isHighSurrogate())
            texte.chop(1);
    }
    return texte;
}

void ZoneTexte::inserer(const QString& texte)
{
    insertPlainText(couper(texte));
}

bool ZoneTexte::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void ZoneTexte::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    const QString texte = source->text();
    const QString coupe = couper(texte);
    if (coupe.size() < texte.size())
        QApplication::beep();
    QMimeData permis;
    permis.setText(coupe);
    QPlainTextEdit::insertFromMimeData(&permis);
}

void ZoneTexte::keyPressEvent(QKeyEvent* evenement)
{
    // Typed characters stop at the limit; editing keys still work.
    const QString texte = evenement->text();
    const bool saisie = !texte.isEmpty() && !(evenement->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                        (texte.front().isPrint() || texte.front().isSurrogate() ||
                         evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter);
    if (saisie && !isReadOnly() && place() < texte.size()) {
        QApplication::beep();
        evenement->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(evenement);
}

void ZoneTexte::inputMethodEvent(QInputMethodEvent* evenement)
{
    const QString coupe = couper(evenement->commitString());
    if (coupe.size() == evenement->commitString().size()) {
        QPlainTextEdit::inputMethodEvent(evenement);
        return;
    }
    QInputMethodEvent permis(evenement->preeditString(), evenement->attributes());
    permis.setCommitString(coupe, evenement->replacementStart(), evenement->replacementLength());
    QPlainTextEdit::inputMethodEvent(&permis);
}

} // namespace brevolet
