#include "tray-tool/ui/notification.hpp"

namespace somnelle {

PictureTray::PictureTray(QWidget* parent, const QString& nom) : QWidget(parent)
{
    setObjectName(nom);
    hide();
}

std::uint32_t NotificationQt::enregistrer(PictureTray* picture)
{
    picture->hWnd = prochainHwnd_++;
    pictures_[picture->hWnd] = picture;
    return picture->hWnd;
}

std::uint32_t NotificationQt::enregistrerIcone(const QIcon& icone)
{
    const std::uint32_t h = prochaineIcone_++;
    icones_[h] = icone;
    return h;
}

bool NotificationQt::Shell_NotifyIcon(std::uint32_t message, const TrayIconData& donnees)
{
    const int id = static_cast<int>(donnees.hWnd);
    if (message == NIM_DELETE)
        return tray_.remove(id);
    if (message != NIM_ADD)
        return false;
    const auto picture = pictures_.find(donnees.hWnd);
    if (picture == pictures_.end() || !picture->second)
        return false;
    const auto icone = icones_.find(donnees.hIcon);
    QPointer<PictureTray> cible = picture->second;
    return tray_.add(id, icone == icones_.end() ? QIcon() : icone->second,
                     QString::fromStdString(donnees.bulleAffichee()), [cible](int souris) {
                         if (cible)
                             emit cible->MouseMove(0, 0, static_cast<float>(souris), 0.0f);
                     });
}

} // namespace somnelle
