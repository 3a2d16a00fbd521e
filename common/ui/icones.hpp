#pragma once
// The suite's own program icons (scalable), for windows, menus and About boxes.
#include <QIcon>
#include <QString>

namespace velmaro {

// "brevolet", "tintara", "somnelle", "kalvent", "merlidan", "ostrelle", "clipbrd".
QIcon iconeProgramme(const QString& programme);

} // namespace velmaro
