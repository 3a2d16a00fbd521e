#pragma once
#include <QString>

namespace velmaro {

// The folder of the running executable, native separators, no trailing
// separator except for a root.
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    virtual QString path() const = 0;
};

} // namespace velmaro
