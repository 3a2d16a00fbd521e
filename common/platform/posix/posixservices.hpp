#pragma once
// Services of Linux and other POSIX desktops.
#include "common/platform/services.hpp"


namespace velmaro {

// Power requests go to the login manager over the system bus, non-interactive:
// PowerOff and Reboot with interactive = false. A refusal (no right to do it,
// another session open, no login manager) throws with the manager's text.
class LogindPower : public Power {
public:
    void shutdown() override;
    void reboot() override;
};

// utimensat: the modification time is written, the access time left alone;
// Linux file systems keep no settable creation time.
class PosixFileTimes : public FileTimes {
public:
    void setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture) override;
    void showProperties(const QString& chemin) override;
};

class NoRegistry : public Registry {
public:
    bool available() const override { return false; }
    std::optional<Valeur> read(std::uint32_t, const QString&, const QString&) override { return std::nullopt; }
};

} // namespace velmaro
