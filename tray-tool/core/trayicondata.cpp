#include "tray-tool/core/trayicondata.hpp"

#include <algorithm>

namespace somnelle {

namespace {

// Code points of the bytes 0x80 to 0x9F of code page 1252; 0 where the page
// has no character.
constexpr std::array<char32_t, 32> cp1252Haut = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void ajouter32(std::array<std::uint8_t, 88>& o, std::size_t pos, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o[pos + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void ajouterUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string versAnsi(std::string_view utf8)
{
    std::string ansi;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t c = 0;
        std::size_t n = 0;
        if (b < 0x80) {
            c = b;
            n = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            n = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            n = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            n = 4;
        }
        bool valide = n > 0 && i + n <= utf8.size();
        for (std::size_t k = 1; valide && k < n; ++k) {
            const auto suite = static_cast<unsigned char>(utf8[i + k]);
            valide = (suite & 0xC0) == 0x80;
            c = (c << 6) | (suite & 0x3F);
        }
        if (!valide) {
            ansi += '?';
            ++i;
            continue;
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            ansi += static_cast<char>(c);
            continue;
        }
        const auto trouve = std::find(cp1252Haut.begin(), cp1252Haut.end(), c);
        ansi += (c != 0 && trouve != cp1252Haut.end())
                    ? static_cast<char>(0x80 + (trouve - cp1252Haut.begin()))
                    : '?';
    }
    return ansi;
}

std::string depuisAnsi(std::string_view ansi)
{
    std::string utf8;
    for (const char ch : ansi) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            ajouterUtf8(utf8, cp1252Haut[b - 0x80] ? cp1252Haut[b - 0x80] : U'?');
        else
            ajouterUtf8(utf8, b);
    }
    return utf8;
}

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
    return depuisAnsi(texte);
}

bool Tray_Functions::AddTrayIcon(std::uint32_t picture, std::string_view bulle, std::uint32_t icone)
{
    // The tip and its NUL, left in a field of blanks, cut at its width.
    std::string champ = versAnsi(bulle);
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
