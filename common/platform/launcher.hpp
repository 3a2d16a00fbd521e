#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>

namespace velmaro {

// Starts programs without waiting for them, always with an argument list and
// never through a shell. The Windows names "clipbrd.exe" and "explorer.exe"
// are mapped where those programs don't exist. Failures throw ErreurService.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void start(const QString& programme, const QStringList& arguments = {}) = 0;
    // Opens a document or address with the desktop's default handler.
    virtual void openUrl(const QUrl& adresse) = 0;
};

} // namespace velmaro
