#pragma once
#include <QString>

class QWidget;

namespace velmaro {

// Modal message boxes in the Visual Basic style (see common/core/vbstyle.hpp);
// answers are the VB codes 1 to 7.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual int show(QWidget* proprietaire, const QString& texte, int style, const QString& titre) = 0;
};

} // namespace velmaro
