// Placeholder until the animated box lands.
#include "about/animated/apropos.hpp"

namespace about {
void montrerApropos(QWidget*, ProgrammeApropos, velmaro::Services&) {}
} // namespace about
