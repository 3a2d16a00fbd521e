#include "common/ui/vbmessagebox.hpp"

#include <QAccessibleWidget>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velmaro {

namespace {

// A screen reader announces an alert with its text as soon as it opens, as it
// does the system's own message boxes; a plain dialog would only get its title read.
class BoiteAccessible : public QAccessibleWidget {
public:
    explicit BoiteAccessible(VbMessageBox* boite) : QAccessibleWidget(boite, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text quoi) const override
    {
        if (quoi == QAccessible::Description)
            return static_cast<VbMessageBox*>(widget())->etiquetteTexte()->text();
        return QAccessibleWidget::text(quoi);
    }
};

QAccessibleInterface* accessibleDe(const QString& classe, QObject* objet)
{
    if (classe == QLatin1String(VbMessageBox::staticMetaObject.className()))
        return new BoiteAccessible(static_cast<VbMessageBox*>(objet));
    return nullptr;
}

} // namespace

QString VbMessageBox::legende(ReponseVb code)
{
    switch (code) {
    case vbOK: return QStringLiteral("OK");
    case vbCancel: return QStringLiteral("Annuler");
    case vbAbort: return QStringLiteral("Abandonner");
    case vbRetry: return QStringLiteral("Réessayer");
    case vbIgnore: return QStringLiteral("Ignorer");
    case vbYes: return QStringLiteral("Oui");
    case vbNo: return QStringLiteral("Non");
    }
    return QString();
}

VbMessageBox::VbMessageBox(const QString& texte, int numeroStyle, const QString& titre, QWidget* proprietaire)
    : QDialog(proprietaire), vb_(decoderStyle(numeroStyle))
{
    static const bool accessible = (QAccessible::installFactory(accessibleDe), true);
    (void)accessible;
    // An empty title shows the program's name, as the run time does.
    setWindowTitle(titre.isEmpty() ? QApplication::applicationName() : titre);
    Qt::WindowFlags drapeaux = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (vb_.echapPossible)
        drapeaux |= Qt::WindowCloseButtonHint;
    if (vb_.systemeModal)
        drapeaux |= Qt::WindowStaysOnTopHint;
    setWindowFlags(drapeaux);
    setModal(true);
    setWindowModality(vb_.systemeModal ? Qt::ApplicationModal : Qt::WindowModal);
    if (!proprietaire)
        setWindowModality(Qt::ApplicationModal);

    icone_ = new QLabel(this);
    icone_->setObjectName(QStringLiteral("icone"));
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    switch (vb_.icone) {
    case IconeVb::Stop: pixmap = QStyle::SP_MessageBoxCritical; break;
    case IconeVb::Question: pixmap = QStyle::SP_MessageBoxQuestion; break;
    case IconeVb::Exclamation: pixmap = QStyle::SP_MessageBoxWarning; break;
    case IconeVb::Information: pixmap = QStyle::SP_MessageBoxInformation; break;
    case IconeVb::Aucune: break;
    }
    if (pixmap != QStyle::SP_CustomBase)
        icone_->setPixmap(style()->standardIcon(pixmap).pixmap(32, 32));
    else
        icone_->hide();

    texte_ = new QLabel(texte, this);
    texte_->setObjectName(QStringLiteral("texte"));
    texte_->setTextFormat(Qt::PlainText);
    texte_->setWordWrap(true);
    texte_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texte_->setMaximumWidth(600);

    auto* haut = new QHBoxLayout;
    haut->setSpacing(14);
    haut->addWidget(icone_, 0, Qt::AlignTop);
    haut->addWidget(texte_, 1, Qt::AlignVCenter);

    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    for (ReponseVb code : vb_.boutons) {
        auto* bouton = new QPushButton(legende(code), this);
        bouton->setMinimumWidth(75);
        bouton->setAutoDefault(false);
        connect(bouton, &QPushButton::clicked, this, [this, code] { terminer(code); });
        boutons_.append(bouton);
        bas->addWidget(bouton);
    }
    bas->addStretch(1);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(12, 12, 12, 12);
    principal->setSpacing(14);
    principal->addLayout(haut, 1);
    principal->addLayout(bas);

    QPushButton* defaut = boutonParDefaut();
    defaut->setDefault(true);
    defaut->setFocus();
    adjustSize();
}

QPushButton* VbMessageBox::boutonParDefaut() const
{
    return boutons_.value(vb_.boutonParDefaut, boutons_.first());
}

int VbMessageBox::executer()
{
    exec();
    return reponse_;
}

void VbMessageBox::appuyerBoutonParDefaut()
{
    boutonParDefaut()->click();
}

void VbMessageBox::terminer(int code)
{
    reponse_ = code;
    done(code);
}

void VbMessageBox::reject()
{
    // Escape and the close box answer Cancel (or OK alone); sets without
    // either can only be closed by one of their buttons.
    if (vb_.echapPossible)
        terminer(vb_.reponseEchap);
}

void VbMessageBox::keyPressEvent(QKeyEvent* evenement)
{
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        // Enter presses the button that has the focus, else the default one.
        if (auto* bouton = qobject_cast<QPushButton*>(focusWidget()); bouton && boutons_.contains(bouton))
            bouton->click();
        else
            appuyerBoutonParDefaut();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

} // namespace velmaro
