#pragma once
// The notification area as the tray record sees it. Picture boxes and window
// icons get small handles; an addition puts the record's icon and tip in the
// tray service, and every mouse message of the icon comes back as a
// mouse-move event of its picture box whose X is the message number.
#include "common/platform/tray.hpp"
#include "tray-tool/core/trayicondata.hpp"

#include <QIcon>
#include <QPointer>
#include <QWidget>

#include <map>

namespace somnelle {

// The hidden picture box that receives an icon's callbacks; it measures in
// pixels, so X is the mouse message number and Y is 0.
class PictureTray : public QWidget {
    Q_OBJECT
public:
    PictureTray(QWidget* parent, const QString& nom);
    std::uint32_t hWnd = 0;

signals:
    void MouseMove(int button, int shift, float x, float y);
};

class NotificationQt : public ZoneNotification {
public:
    explicit NotificationQt(velmaro::Tray& tray) : tray_(tray) {}

    std::uint32_t enregistrer(PictureTray* picture);
    std::uint32_t enregistrerIcone(const QIcon& icone);

    bool Shell_NotifyIcon(std::uint32_t message, const TrayIconData& donnees) override;

private:
    velmaro::Tray& tray_;
    std::map<std::uint32_t, QPointer<PictureTray>> pictures_;
    std::map<std::uint32_t, QIcon> icones_;
    std::uint32_t prochainHwnd_ = 0x100;
    std::uint32_t prochaineIcone_ = 0x2000;
};

} // namespace somnelle
