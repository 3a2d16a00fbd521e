#pragma once
// Services that call Win32 directly.
#include "common/platform/services.hpp"

namespace velmaro {

class Win32Power : public Power {
public:
    void shutdown() override;
    void reboot() override;
};

class Win32FileTimes : public FileTimes {
public:
    bool setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture) override;
    bool showProperties(QWidget* proprietaire, const QString& chemin) override;
};

class Win32Registry : public Registry {
public:
    bool available() const override { return true; }
    std::optional<Valeur> read(std::uint32_t racine, const QString& cle, const QString& nom) override;
};

} // namespace velmaro
