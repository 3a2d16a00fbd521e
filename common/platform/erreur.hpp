#pragma once
// A platform call that failed, with the text the user is shown.
#include <QString>
#include <stdexcept>

namespace velmaro {

class ErreurService : public std::runtime_error {
public:
    explicit ErreurService(const QString& texte)
        : std::runtime_error(texte.toStdString()), texte_(texte) {}
    const QString& texte() const { return texte_; }

private:
    QString texte_;
};

} // namespace velmaro
