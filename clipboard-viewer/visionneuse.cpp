#include "clipboard-viewer/visionneuse.hpp"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>

namespace clipbrd {

Visionneuse::Visionneuse(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Presse-papiers"));
    resize(520, 360);
    pile_ = new QStackedWidget(this);
    texte_ = new QPlainTextEdit(pile_);
    texte_->setReadOnly(true);
    texte_->setLineWrapMode(QPlainTextEdit::NoWrap);
    defilement_ = new QScrollArea(pile_);
    image_ = new QLabel(defilement_);
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    defilement_->setWidget(image_);
    vide_ = new QLabel(QStringLiteral("Le Presse-papiers est vide."), pile_);
    vide_->setAlignment(Qt::AlignCenter);
    pile_->addWidget(texte_);
    pile_->addWidget(defilement_);
    pile_->addWidget(vide_);
    setCentralWidget(pile_);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &Visionneuse::actualiser);
    actualiser();
}

void Visionneuse::actualiser()
{
    const QMimeData* donnees = QApplication::clipboard()->mimeData();
    if (donnees && donnees->hasImage()) {
        const QImage image = qvariant_cast<QImage>(donnees->imageData());
        image_->setPixmap(QPixmap::fromImage(image));
        image_->adjustSize();
        pile_->setCurrentWidget(defilement_);
        statusBar()->showMessage(QStringLiteral("Image de %1 × %2 pixels").arg(image.width()).arg(image.height()));
    } else if (donnees && donnees->hasText()) {
        const QString texte = donnees->text();
        texte_->setPlainText(texte);
        pile_->setCurrentWidget(texte_);
        statusBar()->showMessage(QStringLiteral("Texte de %1 caractères").arg(texte.size()));
    } else {
        pile_->setCurrentWidget(vide_);
        statusBar()->showMessage(QString());
    }
}

QString Visionneuse::description() const
{
    if (pile_->currentWidget() == texte_)
        return texte_->toPlainText();
    if (pile_->currentWidget() == defilement_)
        return QStringLiteral("image");
    return vide_->text();
}

} // namespace clipbrd
