// The Qt implementations of the services that Qt covers on every platform.
#include "common/platform/qt/qtservices.hpp"

#include "common/core/chemin.hpp"
#include "common/ui/vbmessagebox.hpp"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#ifdef Q_OS_WIN
#include "common/platform/win32/systeme.hpp"
#endif

namespace velmaro {

void QtClipboard::setText(const QString& texte)
{
    QClipboard* presse = QGuiApplication::clipboard();
    if (!presse)
        throw ErreurService(QStringLiteral("Impossible d'ouvrir le Presse-papiers"));
    presse->clear();
    presse->setText(texte);
}

QString QtClipboard::text() const
{
    QClipboard* presse = QGuiApplication::clipboard();
    return presse ? presse->text() : QString();
}

void QtClipboard::setImage(const QImage& image)
{
    QClipboard* presse = QGuiApplication::clipboard();
    if (!presse)
        throw ErreurService(QStringLiteral("Impossible d'ouvrir le Presse-papiers"));
    presse->clear();
    presse->setImage(image);
}

QImage QtClipboard::image() const
{
    QClipboard* presse = QGuiApplication::clipboard();
    return presse ? presse->image() : QImage();
}

void QtClipboard::clear()
{
    if (QClipboard* presse = QGuiApplication::clipboard())
        presse->clear();
}

QString QtLauncher::equivalent(const QString& programme, QStringList& arguments) const
{
    const QString nom = QFileInfo(programme).fileName().toLower();
#ifndef Q_OS_WIN
    if (nom == QLatin1String("clipbrd.exe") || nom == QLatin1String("clipbrd")) {
        const QString voisin = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("clipbrd"));
        if (QFileInfo(voisin).isExecutable())
            return voisin;
        const QString surChemin = QStandardPaths::findExecutable(QStringLiteral("clipbrd"));
        return surChemin.isEmpty() ? voisin : surChemin;
    }
    if (nom == QLatin1String("explorer.exe") || nom == QLatin1String("explorer")) {
        // The desktop's file manager is reached through the default handler of folders.
        if (arguments.isEmpty())
            arguments << QDir::homePath();
        return QStringLiteral("xdg-open");
    }
#else
    (void)nom;
    (void)arguments;
#endif
    return programme;
}

void QtLauncher::start(const QString& programme, const QStringList& arguments)
{
    QStringList args = arguments;
    const QString cible = equivalent(programme, args);
    QString executable = cible;
    if (!QFileInfo(cible).isAbsolute() && !cible.contains(QLatin1Char('/'))) {
#ifdef Q_OS_WIN
        // Windows looks beside the running program first: the suite's own
        // clipbrd.exe is there, and no longer in the system's folders.
        const QString voisin = QDir(QCoreApplication::applicationDirPath()).filePath(cible);
        executable = QFileInfo::exists(voisin) ? voisin : QStandardPaths::findExecutable(cible);
#else
        executable = QStandardPaths::findExecutable(cible);
#endif
        if (executable.isEmpty())
            throw ErreurService(QStringLiteral("Fichier introuvable : %1").arg(programme));
    } else if (!QFileInfo::exists(cible)) {
        throw ErreurService(QStringLiteral("Fichier introuvable : %1").arg(QDir::toNativeSeparators(cible)));
    }
#ifdef Q_OS_WIN
    // Through the shell: it starts launcher files (.pif) as well as programs,
    // where CreateProcess, which QProcess calls, starts programs only.
    std::vector<std::string> liste;
    for (const QString& a : args)
        liste.push_back(a.toStdString());
    const bool demarre = !win32::lancer(QDir::toNativeSeparators(executable).toStdString(), liste);
#else
    const bool demarre = QProcess::startDetached(executable, args, QFileInfo(executable).absolutePath());
#endif
    if (!demarre)
        throw ErreurService(QStringLiteral("Impossible de démarrer le programme : %1")
                                .arg(QDir::toNativeSeparators(cible)));
}

void QtLauncher::openUrl(const QUrl& adresse)
{
    if (!QDesktopServices::openUrl(adresse))
        throw ErreurService(QStringLiteral("Impossible d'ouvrir %1").arg(adresse.toString()));
}

int QtMessageBoxes::show(QWidget* proprietaire, const QString& texte, int style, const QString& titre)
{
    VbMessageBox boite(texte, style, titre, proprietaire);
    return boite.executer();
}

std::optional<QFont> QtDialogs::chooseFont(QWidget* parent, const QFont& initiale)
{
    bool ok = false;
    const QFont police = QFontDialog::getFont(&ok, initiale, parent);
    if (!ok)
        return std::nullopt;
    return police;
}

QString QtDialogs::openFile(QWidget* parent, const QString& titre, const QString& dossier, const QString& filtre)
{
    return QFileDialog::getOpenFileName(parent, titre, dossier, filtre);
}

QString QtDialogs::saveFile(QWidget* parent, const QString& titre, const QString& cheminPropose,
                            const QString& filtre)
{
    return QFileDialog::getSaveFileName(parent, titre, cheminPropose, filtre);
}

QString QtProgramFolder::path() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QDateTime QtClock::now() const
{
    return QDateTime::currentDateTime();
}

double QtClock::random()
{
    return QRandomGenerator::global()->generateDouble();
}

QtTray::QtTray() = default;

QtTray::~QtTray()
{
    qDeleteAll(icones_);
}

bool QtTray::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTray::add(int id, const QIcon& icone, const QString& bulle, std::function<void(int)> souris)
{
    if (icones_.contains(id) || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    auto* icon = new QSystemTrayIcon(icone);
    icon->setToolTip(bulle);
    QObject::connect(icon, &QSystemTrayIcon::activated, icon, [souris](QSystemTrayIcon::ActivationReason r) {
        // Handled once the activation has returned: what follows may run a menu
        // and remove this very icon, and Qt would go on delivering the mouse
        // event to the icon window it has just deleted.
        QMetaObject::invokeMethod(
            qApp,
            [souris, r] {
                switch (r) {
                case QSystemTrayIcon::Trigger: souris(513); break;
                case QSystemTrayIcon::DoubleClick: souris(515); break;
                case QSystemTrayIcon::Context: souris(516); souris(517); break;
                case QSystemTrayIcon::MiddleClick: souris(519); break;
                default: break;
                }
            },
            Qt::QueuedConnection);
    });
    icon->show();
    icones_.insert(id, icon);
    return true;
}

bool QtTray::remove(int id)
{
    QSystemTrayIcon* icon = icones_.take(id);
    if (!icon)
        return false;
    icon->hide();
    icon->deleteLater();
    return true;
}

QString cheminProgramme(const ProgramFolder& dossier, const QString& nom)
{
    return QString::fromStdString(
        joindreChemin(dossier.path().toStdString(), nom.toStdString(), QDir::separator().toLatin1()));
}

} // namespace velmaro
