#include "tray-tool/ui/fentray.hpp"

#include "tray-tool/ui/icones.hpp"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace somnelle {

namespace {

QImage imageDe(IconeTray icone)
{
    switch (icone) {
    case IconeTray::Veille: return imageVeille();
    case IconeTray::RelWin: return imageRelWin();
    case IconeTray::StopWin: return imageStopWin();
    }
    return {};
}

} // namespace

FenetreTray::FenetreTray(velmaro::Services& services, ModuleSomnelle& module, IconeTray icone)
    : services_(services), module_(module), icone_(icone)
{
    const DescriptionIcone& d = descriptionIcone(icone);
    setObjectName(QString::fromLatin1(d.fenetre));
    setWindowTitle(QString::fromUtf8(d.legende));
    setWindowIcon(iconeDepuis(imageDe(icone)));
    hIcon_ = module.notification.enregistrerIcone(windowIcon());

    picTray = new PictureTray(this, QString::fromLatin1(d.picture));
    module.notification.enregistrer(picTray);

    const DescriptionMenu description = menuTray(icone);
    menu = new QMenu(QString::fromUtf8(description.legende), this);
    menu->setObjectName(QString::fromStdString(description.nom));
    for (const ElementMenu& e : description.elements) {
        QAction* action = e.legende == "-" ? menu->addSeparator()
                                           : menu->addAction(QString::fromStdString(e.legende));
        action->setObjectName(QString::fromStdString(e.nom));
        if (e.parDefaut) {
            QFont gras = action->font();
            gras.setBold(true);
            action->setFont(gras);
            menu->setDefaultAction(action);
        }
        elements_[e.nom] = action;
    }
    mnuSep1 = element("mnuSep1");
    mnuExit = element("mnuExit");
    mnuSep2 = element("mnuSep2");
    mnuAnnul = element("mnuAnnul");
    mnuApropos = element("mnuApropos");

    // "&Oups !" only closes the menu.
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    connect(mnuApropos, &QAction::triggered, this, [this] { mnuApropos_Click(); });
}

bool FenetreTray::ajouterIcone()
{
    return module_.trayFunctions.AddTrayIcon(picTray->hWnd, descriptionIcone(icone_).bulle, hIcon_);
}

bool FenetreTray::retirerIcone()
{
    return module_.trayFunctions.RemoveTrayIcon(picTray->hWnd);
}

void FenetreTray::PopupMenu(QMenu* m, QAction* parDefaut)
{
    m->setDefaultAction(parDefaut);
    m->exec(QCursor::pos());
}

void FenetreTray::mnuExit_Click()
{
    module_.mnuExit_Click();
}

void FenetreTray::mnuApropos_Click()
{
    module_.montrerApropos(this);
}

void FenetreTray::reagir(Reaction reaction)
{
    switch (reaction) {
    case Reaction::Rien: break;
    case Reaction::MontrerVeille: module_.montrerFond(); break;
    case Reaction::RelancerWindows: module_.actionPuissance(ActionPuissance::RelancerWindows); break;
    case Reaction::Arreter: module_.actionPuissance(ActionPuissance::Arreter); break;
    // The standby and shutdown popups are shown through FenTray, the restart
    // popup through RelWin.
    case Reaction::MenuVeille:
        module_.fenTray->PopupMenu(module_.fenTray->mnuVeille, module_.fenTray->mnuMiseVeille);
        break;
    case Reaction::MenuRelWin: module_.relWin->PopupMenu(module_.relWin->mnuRelWin, module_.relWin->mnuDOS); break;
    case Reaction::MenuStopWin:
        module_.fenTray->PopupMenu(module_.stopWin->mnuStopWin, module_.stopWin->mnuRedemar);
        break;
    }
}

RelWin::RelWin(velmaro::Services& services, ModuleSomnelle& module)
    : FenetreTray(services, module, IconeTray::RelWin), RelWin_picTray(picTray), mnuRelWin(menu),
      mnuDOS(element("mnuDOS")), mnuRelancer(element("mnuRelancer"))
{
    connect(RelWin_picTray, &PictureTray::MouseMove, this, &RelWin::RelWin_picTray_MouseMove);
    connect(mnuDOS, &QAction::triggered, this, [this] { mnuDOS_Click(); });
    connect(mnuRelancer, &QAction::triggered, this, [this] { mnuRelancer_Click(); });
    Form_Load();
}

void RelWin::Form_Load()
{
    ajouterIcone();
}

void RelWin::RelWin_picTray_MouseMove(int, int, float x, float)
{
    reagir(decoderSouris(IconeTray::RelWin, x));
}

void RelWin::mnuDOS_Click() { module_.actionPuissance(ActionPuissance::RedemarrerDos); }
void RelWin::mnuRelancer_Click() { module_.actionPuissance(ActionPuissance::RelancerWindows); }

StopWin::StopWin(velmaro::Services& services, ModuleSomnelle& module)
    : FenetreTray(services, module, IconeTray::StopWin), StopWin_picTray(picTray), mnuStopWin(menu),
      mnuArret(element("mnuArret")), mnuRedemar(element("mnuRedemar"))
{
    connect(StopWin_picTray, &PictureTray::MouseMove, this, &StopWin::StopWin_picTray_MouseMove);
    connect(mnuArret, &QAction::triggered, this, [this] { mnuArret_Click(); });
    connect(mnuRedemar, &QAction::triggered, this, [this] { mnuRedemar_Click(); });
    Form_Load();
}

void StopWin::Form_Load()
{
    ajouterIcone();
}

void StopWin::StopWin_picTray_MouseMove(int, int, float x, float)
{
    reagir(decoderSouris(IconeTray::StopWin, x));
}

void StopWin::mnuArret_Click() { module_.actionPuissance(ActionPuissance::Arreter); }
void StopWin::mnuRedemar_Click() { module_.actionPuissance(ActionPuissance::Redemarrer); }

FenTray::FenTray(velmaro::Services& services) : FenTray(services, std::make_unique<ModuleSomnelle>(services)) {}

FenTray::FenTray(velmaro::Services& services, std::unique_ptr<ModuleSomnelle> module)
    : FenetreTray(services, *module, IconeTray::Veille), Veille_picTray(picTray), mnuVeille(menu),
      mnuMiseVeille(element("mnuMiseVeille")), moduleProprietaire_(std::move(module))
{
    module_.fenTray = this;
    connect(Veille_picTray, &PictureTray::MouseMove, this, &FenTray::Veille_picTray_MouseMove);
    connect(mnuMiseVeille, &QAction::triggered, this, [this] { mnuMiseVeille_Click(); });
    Form_Load();
}

FenTray::~FenTray() = default;

void FenTray::Form_Load()
{
    Effacer_TMP(module_.dossierTemporaire);
    ajouterIcone();
    relWin_ = std::make_unique<RelWin>(services_, module_);
    module_.relWin = relWin_.get();
    stopWin_ = std::make_unique<StopWin>(services_, module_);
    module_.stopWin = stopWin_.get();
}

void FenTray::Veille_picTray_MouseMove(int, int, float x, float)
{
    reagir(decoderSouris(IconeTray::Veille, x));
}

void FenTray::mnuMiseVeille_Click()
{
    module_.montrerFond();
}

} // namespace somnelle
