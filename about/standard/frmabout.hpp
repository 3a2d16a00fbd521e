#pragma once
// The standard About box shown by Somnelle and Merlidan.
class QWidget;

namespace velmaro {
struct Services;
}

namespace about {

enum class ProgrammeStandard { Somnelle, Merlidan };

// Shows the box modally; returns when it closes.
void montrerFrmAbout(QWidget* parent, ProgrammeStandard programme, velmaro::Services& services);

} // namespace about
