#include "file-times/ui/fenproprietes.hpp"

#include "file-times/ui/regional.hpp"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kalvent {

namespace {

QString texteMoment(const QDateTime& moment)
{
    if (!moment.isValid())
        return QStringLiteral("non enregistrée par ce système de fichiers");
    const QDateTime local = moment.toLocalTime();
    const QLocale locale;
    return texteDateCourte(locale, local.date()) + QStringLiteral(" ") + texteHeureLongue(locale, local.time());
}

} // namespace

FenProprietes::FenProprietes(const QString& chemin, QWidget* parent) : QDialog(parent)
{
    const QFileInfo info(chemin);
    setWindowTitle(QStringLiteral("Propriétés de %1").arg(info.fileName()));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* formulaire = new QFormLayout;
    auto ligne = [&](const QString& titre, const QString& valeur) {
        auto* etiquette = new QLabel(valeur, this);
        // A file named "<b>x</b>" is shown as named.
        etiquette->setTextFormat(Qt::PlainText);
        etiquette->setTextInteractionFlags(Qt::TextSelectableByMouse);
        formulaire->addRow(titre, etiquette);
        valeurs_ << etiquette;
    };
    const QLocale locale;
    ligne(QStringLiteral("Nom :"), info.fileName());
    ligne(QStringLiteral("Dossier :"), QDir::toNativeSeparators(info.absolutePath()));
    ligne(QStringLiteral("Taille :"),
          !info.exists()         ? QStringLiteral("fichier introuvable")
          : info.size() < 2 ? QStringLiteral("%1 octet").arg(info.size())
                            : QStringLiteral("%1 octets").arg(locale.toString(info.size())));
    ligne(QStringLiteral("Créé le :"), texteMoment(info.birthTime()));
    ligne(QStringLiteral("Modifié le :"), texteMoment(info.lastModified()));
    ligne(QStringLiteral("Dernier accès le :"), texteMoment(info.lastRead()));

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* mise = new QVBoxLayout(this);
    mise->addLayout(formulaire);
    mise->addWidget(boutons);
}

QStringList FenProprietes::valeurs() const
{
    QStringList texte;
    for (const QLabel* l : valeurs_)
        texte << l->text();
    return texte;
}

} // namespace kalvent
