#include "image-copier/ui/controles.hpp"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ostrelle {

QColor couleurFenetre()
{
    return QApplication::palette().color(QPalette::Base);
}

QColor couleurFaceBouton()
{
    return QApplication::palette().color(QPalette::Button);
}

namespace {

// The two picture controls are pictures to a screen reader, not panes.
QAccessibleInterface* accessibleImage(const QString& classe, QObject* objet)
{
    if (objet && objet->isWidgetType() &&
        (classe == QLatin1String("ostrelle::BoiteImage") || classe == QLatin1String("ostrelle::ControleImage")))
        return new QAccessibleWidget(static_cast<QWidget*>(objet), QAccessible::Graphic);
    return nullptr;
}

void declarerImagesAccessibles()
{
    static const bool fait = [] {
        QAccessible::installFactory(accessibleImage);
        return true;
    }();
    (void)fait;
}

} // namespace

BoiteImage::BoiteImage(QWidget* parent) : QWidget(parent), fond_(couleurFenetre())
{
    declarerImagesAccessibles();
    setAttribute(Qt::WA_OpaquePaintEvent);
    recomposer();
}

void BoiteImage::setCouleurFond(const QColor& couleur)
{
    fond_ = couleur;
    recomposer();
}

void BoiteImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    recomposer();
}

void BoiteImage::dessiner(const QImage& dessin)
{
    QPainter p(&image_);
    p.drawImage(0, 0, dessin);
    p.end();
    update();
}

void BoiteImage::recomposer()
{
    const QSize taille = size().isEmpty() ? QSize(1, 1) : size();
    image_ = QImage(taille, QImage::Format_RGB32);
    image_.fill(fond_);
    if (!picture_.isNull()) {
        QPainter p(&image_);
        p.drawImage(0, 0, picture_);
    }
    update();
}

void BoiteImage::resizeEvent(QResizeEvent*)
{
    if (image_.size() != size())
        recomposer();
}

void BoiteImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

ControleImage::ControleImage(QWidget* parent) : QWidget(parent)
{
    declarerImagesAccessibles();
}

void ControleImage::setStretch(bool etire)
{
    stretch_ = etire;
    if (!stretch_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void ControleImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    if (!stretch_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void ControleImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), picture_);
    } else {
        p.drawImage(0, 0, picture_);
    }
}

void BoutonMultiligne::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect zone = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(zone, Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace ostrelle
