#include "common/ui/polices.hpp"

#include <QFontDatabase>
#include <QStringList>

namespace velmaro {

void enregistrerSubstituts()
{
    const struct {
        const char* original;
        const char* substitut;
    } table[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Comic Sans MS", "Comic Neue"},
        {"Times New Roman", "Liberation Serif"},
        {"Verdana", "DejaVu Sans"},
    };
    const QStringList familles = QFontDatabase::families();
    for (const auto& ligne : table) {
        const QString original = QString::fromLatin1(ligne.original);
        if (!familles.contains(original, Qt::CaseInsensitive))
            QFont::insertSubstitution(original, QString::fromLatin1(ligne.substitut));
    }
}

QFont policeVb(const QString& nom, double points, bool gras, bool italique)
{
    QFont police(nom);
    police.setPointSizeF(points);
    police.setBold(gras);
    police.setItalic(italique);
    return police;
}

QFont policeParDefaut()
{
    return policeVb(QStringLiteral("MS Sans Serif"), 8.25);
}

} // namespace velmaro
