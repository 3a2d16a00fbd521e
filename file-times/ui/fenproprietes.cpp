#include "file-times/ui/fenproprietes.hpp"

#include "common/platform/nomsnatifs.hpp"
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
    // The name and folder from the path itself, the rest from the system by the exact name.
    const QFileInfo info(chemin);
    const velmaro::EtatFichier etat = velmaro::etatFichier(chemin);
    const QString nom = velmaro::nomLisible(info.fileName());
    setWindowTitle(QStringLiteral("Propriétés de %1").arg(nom));
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
    ligne(QStringLiteral("Nom :"), nom);
    ligne(QStringLiteral("Dossier :"), velmaro::nomLisible(QDir::toNativeSeparators(info.absolutePath())));
    ligne(QStringLiteral("Taille :"),
          !etat.existe      ? QStringLiteral("fichier introuvable")
          : etat.taille < 2 ? QStringLiteral("%1 octet").arg(etat.taille)
                            : QStringLiteral("%1 octets").arg(locale.toString(etat.taille)));
    ligne(QStringLiteral("Créé le :"), texteMoment(etat.creation));
    ligne(QStringLiteral("Modifié le :"), texteMoment(etat.modification));
    ligne(QStringLiteral("Dernier accès le :"), texteMoment(etat.acces));

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
