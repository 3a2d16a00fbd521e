#pragma once
#include <QImage>
#include <QString>

namespace velmaro {

// The system clipboard. Writers replace what was there; a failure throws ErreurService.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& texte) = 0;
    virtual QString text() const = 0;
    virtual void setImage(const QImage& image) = 0;
    virtual QImage image() const = 0;
    virtual void clear() = 0;
};

} // namespace velmaro
