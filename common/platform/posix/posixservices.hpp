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

// The file is opened for writing, then its modification time is written with
// utimensat (futimens), the access time left alone; Linux file systems keep
// no settable creation time. Properties go to the desktop's file manager
// over D-Bus (org.freedesktop.FileManager1).
class PosixFileTimes : public FileTimes {
public:
    bool setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture) override;
    bool showProperties(QWidget* proprietaire, const QString& chemin) override;
};

class NoRegistry : public Registry {
public:
    bool available() const override { return false; }
    std::optional<Valeur> read(std::uint32_t, const QString&, const QString&) override { return std::nullopt; }
};

} // namespace velmaro
