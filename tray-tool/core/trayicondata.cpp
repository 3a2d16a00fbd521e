#include "tray-tool/core/trayicondata.hpp"

#include "common/core/ansi.hpp"

#include <algorithm>

namespace somnelle {

namespace {

void ajouter32(std::array<std::uint8_t, 88>& o, std::size_t pos, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o[pos + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

std::array<std::uint8_t, 88> TrayIconData::octets() const
{
    std::array<std::uint8_t, 88> o{};
    ajouter32(o, 0, cbSize);
    ajouter32(o, 4, hWnd);
    ajouter32(o, 8, uID);
    ajouter32(o, 12, uFlags);
    ajouter32(o, 16, uCallbackMessage);
    ajouter32(o, 20, hIcon);
    std::copy(szTip.begin(), szTip.end(), o.begin() + 24);
    return o;
}

std::string TrayIconData::bulleAffichee() const
{
    const std::string_view champ(szTip.data(), szTip.size());
    std::string_view texte = champ.substr(0, champ.find('\0'));
    if (texte.size() > tailleTip - 1)
        texte = texte.substr(0, tailleTip - 1);
    return velmaro::ansiVersUtf8(texte);
}

bool Tray_Functions::AddTrayIcon(std::uint32_t picture, std::string_view bulle, std::uint32_t icone)
{
    // The tip and its NUL, left in a field of blanks, cut at its width.
    std::string champ = velmaro::utf8VersAnsi(bulle);
    champ += '\0';
    champ.resize(tailleTip, ' ');
    std::copy(champ.begin(), champ.end(), TrayIconData_.szTip.begin());
    TrayIconData_.uFlags = 7; // NIF_MESSAGE | NIF_ICON | NIF_TIP
    TrayIconData_.uID = 100;
    TrayIconData_.cbSize = 88;
    TrayIconData_.hWnd = picture;
    TrayIconData_.uCallbackMessage = WM_MOUSEMOVE;
    TrayIconData_.hIcon = icone;
    return zone_.Shell_NotifyIcon(NIM_ADD, TrayIconData_);
}

bool Tray_Functions::RemoveTrayIcon(std::uint32_t picture)
{
    TrayIconData_.uID = 100;
    TrayIconData_.cbSize = 88;
    TrayIconData_.hWnd = picture;
    TrayIconData_.uCallbackMessage = WM_MOUSEMOVE;
    return zone_.Shell_NotifyIcon(NIM_DELETE, TrayIconData_);
}

} // namespace somnelle
