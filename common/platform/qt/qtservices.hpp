#pragma once
// Services that Qt provides the same way on every platform.
#include "common/platform/services.hpp"

#include <QMap>

class QSystemTrayIcon;

namespace velmaro {

class QtClipboard : public Clipboard {
public:
    void setText(const QString& texte) override;
    QString text() const override;
    void setImage(const QImage& image) override;
    QImage image() const override;
    void clear() override;
};

class QtLauncher : public Launcher {
public:
    void start(const QString& programme, const QStringList& arguments = {}) override;
    void openUrl(const QUrl& adresse) override;
    // What actually runs for a program name, arguments adjusted (public for tests).
    QString equivalent(const QString& programme, QStringList& arguments) const;
};

class QtMessageBoxes : public MessageBoxes {
public:
    int show(QWidget* proprietaire, const QString& texte, int style, const QString& titre) override;
};

class QtDialogs : public Dialogs {
public:
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initiale) override;
    QString openFile(QWidget* parent, const QString& titre, const QString& dossier, const QString& filtre) override;
    QString saveFile(QWidget* parent, const QString& titre, const QString& cheminPropose, const QString& filtre,
                     Remplacement remplacement) override;
};

class QtProgramFolder : public ProgramFolder {
public:
    QString path() const override;
};

class QtClock : public Clock {
public:
    QDateTime now() const override;
    double random() override;
};

class QtTray : public Tray {
public:
    QtTray();
    ~QtTray() override;
    bool available() const override;
    bool add(int id, const QIcon& icone, const QString& bulle, std::function<void(int)> souris) override;
    bool remove(int id) override;

private:
    QMap<int, QSystemTrayIcon*> icones_;
};

} // namespace velmaro
