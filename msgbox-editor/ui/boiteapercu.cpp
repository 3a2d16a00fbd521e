#include "msgbox-editor/ui/boiteapercu.hpp"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace brevolet {

BoiteApercu::BoiteApercu(const QString& texte, int style, const QString& titre, QWidget* fenPrin)
    : VbMessageBox(texte, style, titre.isEmpty() ? QStringLiteral("Brevolet") : titre, fenPrin)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The controls get their places in the box's final size now, not when it
    // is shown: the font preview measures the text in the width it has.
    layout()->invalidate();
    layout()->activate();
    // A message taller than the screen is cut, as the system's boxes cut
    // it: the buttons stay in reach.
    const int permise = hauteurPermise();
    if (height() > permise) {
        QLabel* texte = etiquetteTexte();
        texte->setMaximumHeight(std::max(0, texte->height() - (height() - permise)));
        resize(width(), permise);
        layout()->invalidate();
        layout()->activate();
    }
}

QRect BoiteApercu::ecran() const
{
    const QWidget* fen = parentWidget();
    const QScreen* s = fen ? fen->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 640, 480);
}

int BoiteApercu::hauteurPermise() const
{
    return ecran().height() - (tailleCadre().height() - height());
}

void BoiteApercu::placerParDefaut()
{
    adjustPosition(parentWidget());
}

QSize BoiteApercu::tailleCadre() const
{
    QSize taille = size();
    if (const QWidget* fen = parentWidget() ? parentWidget()->window() : nullptr)
        taille += fen->frameGeometry().size() - fen->size();
    return taille;
}

void BoiteApercu::placer(const ReglagesApercu& r)
{
    if (!r.Centrer || !parentWidget()) {
        move(r.PosX, r.PosY);
        return;
    }
    const QRect o = parentWidget()->window()->frameGeometry();
    const QSize d = tailleCadre();
    const Point p = positionCentree({o.x(), o.y(), o.width(), o.height()}, d.width(), d.height());
    move(p.x, p.y);
}

void BoiteApercu::appliquerPolice(const QFont& police)
{
    QLabel* texte = etiquetteTexte();
    const QRect t = texte->geometry();
    const QRect d = geometry();
    const QPoint coin = pos();

    texte->setFont(police);
    texte->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    int h = QFontMetrics(police)
                .boundingRect(QRect(0, 0, t.width(), 1 << 20), Qt::TextWordWrap, texte->text())
                .height();
    // Grown no taller than the screen, the rest of the text cut.
    h = std::min(h, t.height() + std::max(0, hauteurPermise() - d.height()));
    const Agrandissement a = agrandir(t.height(), h);

    // From here on the geometry is ours, not the layout's.
    layout()->setEnabled(false);
    texte->setGeometry(t.x(), t.y(), t.width(), a.hauteurTexte);
    for (QPushButton* bouton : boutons())
        bouton->move(bouton->x(), bouton->y() + a.croissance);
    setMinimumSize(0, 0);
    setFixedSize(d.width(), d.height() + a.croissance);
    const QRect zone = ecran();
    const int cadreHaut = tailleCadre().height() - height();
    move(coin.x(), std::clamp(coin.y() + a.decalageHaut, zone.top(), std::max(zone.top(), zone.bottom() + 1 - height() - cadreHaut)));
}

} // namespace brevolet
