#pragma once
#include <QIcon>
#include <QString>
#include <functional>

namespace velmaro {

// Icons in the notification area. Each icon reports the mouse message numbers
// of the Windows tray (512 move, 513 left press, 514 left release, 515 left
// double click, 516 right press, 517 right release...).
class Tray {
public:
    virtual ~Tray() = default;
    virtual bool add(int id, const QIcon& icone, const QString& bulle, std::function<void(int)> souris) = 0;
    virtual bool remove(int id) = 0;
};

} // namespace velmaro
