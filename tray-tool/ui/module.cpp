#include "tray-tool/ui/module.hpp"

#include "about/standard/frmabout.hpp"
#include "tray-tool/ui/fenpopup.hpp"
#include "tray-tool/ui/fentray.hpp"
#include "tray-tool/ui/fond.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QStandardPaths>

namespace somnelle {

namespace {

const QString titre = QStringLiteral("Somnelle");
constexpr int vbCritical = 16;

std::filesystem::path cheminNatif(const QString& chemin)
{
    return std::filesystem::path(QDir::toNativeSeparators(chemin).toStdU16String());
}

} // namespace

ModuleSomnelle::ModuleSomnelle(velmaro::Services& s)
    : services(s), notification(s.tray), trayFunctions(notification),
      terminer([] { QCoreApplication::exit(0); })
{
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        dossierTemporaire = std::filesystem::path(u"c:\\windows\\temp");
}

ModuleSomnelle::~ModuleSomnelle()
{
    delete fond.data();
}

std::filesystem::path ModuleSomnelle::cheminReglages() const
{
    const QFileInfo dossier(services.programFolder.path());
    if (dossier.isDir() && dossier.isWritable())
        return cheminNatif(fichierProgramme(fichierReglages));
    const QString configuration = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configuration);
    return cheminNatif(QDir(configuration).filePath(QString::fromLatin1(fichierReglages)));
}

QString ModuleSomnelle::fichierProgramme(const char* nom) const
{
    return velmaro::cheminProgramme(services.programFolder, QString::fromLatin1(nom));
}

FenPopUp& ModuleSomnelle::fenPopUp()
{
    if (!fenPopUp_)
        fenPopUp_ = std::make_unique<FenPopUp>(services, *this);
    return *fenPopUp_;
}

void ModuleSomnelle::montrerFond()
{
    if (fond && fond->isVisible()) {
        fond->raise();
        return;
    }
    new Fond(services, *this); // registers itself in fond before its load runs
}

void ModuleSomnelle::montrerApropos(QWidget* parent)
{
    about::montrerFrmAbout(parent, about::ProgrammeStandard::Somnelle, services);
}

void ModuleSomnelle::ajouterIcones()
{
    fenTray->ajouterIcone();
    relWin->ajouterIcone();
    stopWin->ajouterIcone();
}

void ModuleSomnelle::retirerIcones()
{
    // Results are not looked at: every removal is attempted.
    trayFunctions.RemoveTrayIcon(fenTray->Veille_picTray->hWnd);
    trayFunctions.RemoveTrayIcon(relWin->RelWin_picTray->hWnd);
    trayFunctions.RemoveTrayIcon(stopWin->StopWin_picTray->hWnd);
}

void ModuleSomnelle::actionPuissance(ActionPuissance action)
{
    retirerIcones();
    const DemandePuissance demande = demandePuissance(action);
    try {
        if (demande.exitWindows == 65)
            services.power.shutdown();
        else if (demande.exitWindows == 66)
            services.power.reboot();
        else
            services.launcher.start(fichierProgramme(demande.fichier.c_str()));
        if (iconesApresDemande)
            ajouterIcones();
    } catch (const velmaro::ErreurService& e) {
        // Without this the program would stay with no icon and no window.
        services.messages.show(nullptr,
                               QStringLiteral("%1 n'a pas pu être effectué.\n\n%2")
                                   .arg(QString::fromStdString(demande.description), e.texte()),
                               vbCritical, titre);
        ajouterIcones();
    }
}

void ModuleSomnelle::mnuExit_Click()
{
    retirerIcones();
    terminer();
}

bool zoneNotificationPresente(velmaro::Services& services)
{
    if (services.tray.available())
        return true;
    services.messages.show(nullptr,
                           QStringLiteral("Aucune zone de notification n'est disponible sur ce bureau : "
                                          "Somnelle ne peut pas y placer ses icônes."),
                           vbCritical, titre);
    return false;
}

} // namespace somnelle
