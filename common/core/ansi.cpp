#include "common/core/ansi.hpp"

#include <algorithm>
#include <array>

namespace velmaro {

namespace {

// Code points of the bytes 0x80 to 0x9F; the unassigned ones keep their value.
constexpr std::array<char32_t, 32> haut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

void ajouterUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string ansiVersUtf8(std::string_view ansi)
{
    std::string sortie;
    sortie.reserve(ansi.size());
    for (const char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        ajouterUtf8(sortie, (b >= 0x80 && b < 0xA0) ? haut[b - 0x80] : b);
    }
    return sortie;
}

std::string utf8VersAnsi(std::string_view utf8)
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
        // The bytes 0x80-0x9F: the characters they stand for, and the five
        // unassigned ones back to themselves, as Windows converts them.
        const auto trouve = std::find(haut.begin(), haut.end(), c);
        ansi += trouve != haut.end() ? static_cast<char>(0x80 + (trouve - haut.begin())) : '?';
    }
    return ansi;
}

} // namespace velmaro
