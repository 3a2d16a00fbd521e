#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace velmaro {

// Read access to the system registry, where there is one.
class Registry {
public:
    struct Valeur {
        std::uint32_t type = 0; // REG_SZ 1, REG_DWORD 4...
        QByteArray donnees;
    };
    virtual ~Registry() = default;
    virtual bool available() const = 0;
    // Root keys by their Win32 numbers (HKEY_LOCAL_MACHINE = 0x80000002).
    virtual std::optional<Valeur> read(std::uint32_t racine, const QString& cle, const QString& nom) = 0;
};

} // namespace velmaro
