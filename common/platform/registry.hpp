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
        QByteArray donnees; // as stored, terminating NUL included when there is one (1024 bytes at most)
    };
    virtual ~Registry() = default;
    virtual bool available() const = 0;
    // Root keys by their Win32 numbers (HKEY_LOCAL_MACHINE = 0x80000002).
    // Nothing when the key or the value is missing or can't be read.
    virtual std::optional<Valeur> read(std::uint32_t racine, const QString& cle, const QString& nom) = 0;
};

} // namespace velmaro
