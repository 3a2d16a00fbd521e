#include "tray-tool/ui/fenpopup.hpp"

#include <QAction>
#include <QMenu>

#include <map>

namespace somnelle {

FenPopUp::FenPopUp(velmaro::Services& services, ModuleSomnelle& module) : services_(services), module_(module)
{
    setObjectName(QStringLiteral("FenPopUp"));
    setWindowTitle(QStringLiteral("PopUp"));

    const DescriptionMenu description = menuPopUp();
    mnuPopUp = new QMenu(QString::fromStdString(description.legende), this);
    mnuPopUp->setObjectName(QString::fromStdString(description.nom));
    std::map<std::string, QAction*> elements;
    auto ajouter = [&elements](QMenu* menu, const ElementMenu& e) {
        QAction* action = e.legende == "-" ? menu->addSeparator() : menu->addAction(QString::fromStdString(e.legende));
        action->setObjectName(QString::fromStdString(e.nom));
        elements[e.nom] = action;
        return action;
    };
    for (const ElementMenu& e : description.elements) {
        if (e.sousMenu.empty()) {
            ajouter(mnuPopUp, e);
            continue;
        }
        QMenu* sousMenu = mnuPopUp->addMenu(QString::fromStdString(e.legende));
        sousMenu->setObjectName(QString::fromStdString(e.nom) + QStringLiteral("Menu"));
        sousMenu->menuAction()->setObjectName(QString::fromStdString(e.nom));
        elements[e.nom] = sousMenu->menuAction();
        for (const ElementMenu& f : e.sousMenu)
            ajouter(sousMenu, f);
    }
    mnuRonds = elements.at("mnuRonds");
    mnuDoubles = elements.at("mnuDoubles");
    mnuFin = elements.at("mnuFin");
    mnuMoyen = elements.at("mnuMoyen");
    mnuOrdinaire = elements.at("mnuOrdinaire");
    mnuGros = elements.at("mnuGros");
    mnuLignes = elements.at("mnuLignes");
    mnuFinL = elements.at("mnuFinL");
    mnuMoyenL = elements.at("mnuMoyenL");
    mnuOrdinaireL = elements.at("mnuOrdinaireL");
    mnuGrosL = elements.at("mnuGrosL");
    mnuSep1 = elements.at("mnuSep1");
    mnuNoir = elements.at("mnuNoir");
    mnuSep2 = elements.at("mnuSep2");
    mnuAnim = elements.at("mnuAnim");

    connect(mnuRonds, &QAction::triggered, this, [this] { mnuRonds_Click(); });
    // The pattern switches as the submenu opens, before any thickness is chosen.
    connect(mnuDoubles->menu(), &QMenu::aboutToShow, this, [this] { mnuDoubles_Click(); });
    connect(mnuLignes->menu(), &QMenu::aboutToShow, this, [this] { mnuLignes_Click(); });
    for (QAction* a : {mnuFin, mnuFinL})
        connect(a, &QAction::triggered, this, [this] { mnuFin_Click(); });
    for (QAction* a : {mnuMoyen, mnuMoyenL})
        connect(a, &QAction::triggered, this, [this] { mnuMoyen_Click(); });
    for (QAction* a : {mnuOrdinaire, mnuOrdinaireL})
        connect(a, &QAction::triggered, this, [this] { mnuOrdinaire_Click(); });
    for (QAction* a : {mnuGros, mnuGrosL})
        connect(a, &QAction::triggered, this, [this] { mnuGros_Click(); });
    connect(mnuNoir, &QAction::triggered, this, [this] { mnuNoir_Click(); });
    connect(mnuAnim, &QAction::triggered, this, [this] { mnuAnim_Click(); });
}

void FenPopUp::PopupMenu(const QPoint& position)
{
    mnuPopUp->exec(position);
}

void FenPopUp::choisir(ChoixPopUp choix)
{
    if (appliquerChoix(module_.reglagesVeille, choix))
        ProcIni();
}

void FenPopUp::mnuRonds_Click() { choisir(ChoixPopUp::Ronds); }
void FenPopUp::mnuDoubles_Click() { choisir(ChoixPopUp::Doubles); }
void FenPopUp::mnuLignes_Click() { choisir(ChoixPopUp::Lignes); }
void FenPopUp::mnuFin_Click() { choisir(ChoixPopUp::Fin); }
void FenPopUp::mnuMoyen_Click() { choisir(ChoixPopUp::Moyen); }
void FenPopUp::mnuOrdinaire_Click() { choisir(ChoixPopUp::Ordinaire); }
void FenPopUp::mnuGros_Click() { choisir(ChoixPopUp::Gros); }
void FenPopUp::mnuNoir_Click() { choisir(ChoixPopUp::Noir); }

void FenPopUp::mnuAnim_Click()
{
    try {
        services_.launcher.start(module_.fichierProgramme(fichierAnimation));
    } catch (const velmaro::ErreurService&) {
        // Not started: the choice is not taken and nothing is written.
        return;
    }
    choisir(ChoixPopUp::Animation);
}

void FenPopUp::ProcIni()
{
    // A failed write leaves the choice for this run only.
    somnelle::ProcIni(module_.reglagesVeille, module_.cheminReglages());
}

} // namespace somnelle
