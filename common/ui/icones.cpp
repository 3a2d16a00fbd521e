#include "common/ui/icones.hpp"

namespace velmaro {

QIcon iconeProgramme(const QString& programme)
{
    return QIcon(QStringLiteral(":/icones/%1.svg").arg(programme));
}

} // namespace velmaro
