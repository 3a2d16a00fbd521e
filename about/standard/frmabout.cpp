// Placeholder until the standard box lands.
#include "about/standard/frmabout.hpp"

namespace about {
void montrerFrmAbout(QWidget*, ProgrammeStandard, velmaro::Services&) {}
} // namespace about
