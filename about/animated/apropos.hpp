#pragma once
// The animated About box shown by Brevolet, Tintara and Ostrelle.
class QWidget;

namespace velmaro {
struct Services;
}

namespace about {

enum class ProgrammeApropos { Brevolet, Tintara, Ostrelle };

// Shows the box modally, centred over the main window; returns when it closes.
void montrerApropos(QWidget* fenPrin, ProgrammeApropos programme, velmaro::Services& services);

} // namespace about
