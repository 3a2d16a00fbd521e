#pragma once
#include <QIcon>
#include <QString>
#include <functional>

namespace velmaro {

// Icons in the notification area. Each icon reports the mouse message numbers
// of the Windows tray (512 move, 513 left press, 514 left release, 515 left
// double click, 516 right press, 517 right release...): a left click is the
// press 513, a right click the press 516 then the release 517, a double click
// 515. The tip is shown as given.
class Tray {
public:
    virtual ~Tray() = default;
    // False when the desktop has no notification area at all.
    virtual bool available() const = 0;
    virtual bool add(int id, const QIcon& icone, const QString& bulle, std::function<void(int)> souris) = 0;
    virtual bool remove(int id) = 0;
};

} // namespace velmaro
