#pragma once
// The tray icon record of Somnelle and the two procedures that add and remove
// an icon with it. One record serves every call for the three icons: a
// removal only sets the fields it needs and leaves the flags, the icon and
// the tip of the last addition in place.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace somnelle {

// Shell_NotifyIcon messages.
constexpr std::uint32_t NIM_ADD = 0;
constexpr std::uint32_t NIM_DELETE = 2;

// Mouse message numbers the tray sends back.
constexpr std::uint32_t WM_MOUSEMOVE = 0x200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x201;
constexpr std::uint32_t WM_LBUTTONUP = 0x202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x204;
constexpr std::uint32_t WM_RBUTTONUP = 0x205;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x207;

constexpr std::size_t tailleTip = 64;

// NOTIFYICONDATA in its first, 88-byte form, with an ANSI tip.
struct TrayIconData {
    std::uint32_t cbSize = 0;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uint32_t hIcon = 0;
    std::array<char, tailleTip> szTip{};

    // The record as the platform reads it, little-endian.
    std::array<std::uint8_t, 88> octets() const;
    // The tip the notification area shows (UTF-8): the field up to its first
    // NUL, at most 63 characters, as the shell copies it.
    std::string bulleAffichee() const;
};

// The notification area: Shell_NotifyIconA and whatever stands for it.
class ZoneNotification {
public:
    virtual ~ZoneNotification() = default;
    virtual bool Shell_NotifyIcon(std::uint32_t message, const TrayIconData& donnees) = 0;
};

class Tray_Functions {
public:
    explicit Tray_Functions(ZoneNotification& zone) : zone_(zone) {}

    // picture: the handle of the window that receives the callbacks; icone:
    // the handle of the owning window's icon. The result is the platform's.
    bool AddTrayIcon(std::uint32_t picture, std::string_view bulle, std::uint32_t icone);
    bool RemoveTrayIcon(std::uint32_t picture);

    const TrayIconData& donnees() const { return TrayIconData_; }

private:
    ZoneNotification& zone_;
    TrayIconData TrayIconData_;
};

} // namespace somnelle
