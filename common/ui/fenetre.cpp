#include "common/ui/fenetre.hpp"

#include "common/platform/systemmenu.hpp"
#include "common/ui/twips.hpp"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace velmaro {

void fixerFenetre(QWidget* fenetre, QSize client)
{
    fenetre->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint);
    fenetre->setFixedSize(client);
    fenetre->winId(); // the native window must exist for its system menu
    supprimerCommandeTaille(fenetre);
}

void centrerSurEcran(QWidget* fenetre)
{
    QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize cadre = fenetre->frameGeometry().size().expandedTo(fenetre->size());
    fenetre->move(zone.x() + (zone.width() - cadre.width()) / 2, zone.y() + (zone.height() - cadre.height()) / 2);
}

QPushButton* creerBoutonFocus(QWidget* parent, int gauche, int haut, int largeur, int hauteur)
{
    auto* bouton = new QPushButton(QStringLiteral("BoutonFocus"), parent);
    bouton->setObjectName(QStringLiteral("BoutonFocus"));
    bouton->setGeometry(twips(gauche, haut, largeur, hauteur));
    return bouton;
}

} // namespace velmaro
