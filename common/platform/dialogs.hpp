#pragma once
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace velmaro {

// Whether a save dialog asks before a name that exists is chosen.
enum class Remplacement { Demander, SansDemander };

// The system's common dialogs. An empty optional / empty string means cancelled.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initiale) = 0;
    virtual QString openFile(QWidget* parent, const QString& titre, const QString& dossier,
                             const QString& filtre) = 0;
    virtual QString saveFile(QWidget* parent, const QString& titre, const QString& cheminPropose,
                             const QString& filtre, Remplacement remplacement) = 0;
};

} // namespace velmaro
