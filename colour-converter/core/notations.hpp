#pragma once
// Tintara's notation rules: from the three slider positions (0 at the top,
// 255 at the bottom) to the four textual forms of the colour and to the
// colour values of the swatch and strips. Pure functions, no state.
#include <cstdint>
#include <string>

namespace tintara {

// A colour value as Windows and VB hold it: 0x00BBGGRR.
using Couleur = std::uint32_t;

constexpr int positionMin = 0;
constexpr int positionMax = 255;

constexpr Couleur rgb(int rouge, int vert, int bleu)
{
    return static_cast<Couleur>(rouge) | static_cast<Couleur>(vert) << 8 | static_cast<Couleur>(bleu) << 16;
}
constexpr int rouge(Couleur c) { return static_cast<int>(c & 0xFF); }
constexpr int vert(Couleur c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int bleu(Couleur c) { return static_cast<int>(c >> 16 & 0xFF); }
// Every pixel turned to its opposite, as a destination-invert blit does.
constexpr Couleur inverse(Couleur c) { return c ^ 0xFFFFFFu; }

// The component a slider position stands for: the top of a slider is full intensity.
constexpr int composante(int position) { return positionMax - position; }

// Upper-case hexadecimal without leading zeros: 0 -> "0", 10 -> "A", 255 -> "FF".
std::string hex(int c);
// Padding is decided on the slider position: below the 240th step the component has two digits already.
bool doitCompleter(int position);
// hex() made two digits long: "00", "0F", "10".
std::string hex2(int c);
// Plain decimal digits.
std::string dec(int c);

// The four notations of one colour.
struct Notations {
    std::string rgbHexa; // Text1: RGB(&HFF, &HA, &H0)
    std::string rgbDeci; // Text2: RGB(255, 10, 0)
    std::string vb;      // Text3: &H000AFF (blue first)
    std::string html;    // Text4: #FF0A00 (red first)
    bool operator==(const Notations&) const = default;
};

// Notations for three slider positions (red, green, blue).
Notations notations(int positionR, int positionG, int positionB);

// What Text1 to Text4 show before any slider has moved; the missing blank in
// the decimal one is how the program has always started.
Notations notationsDeDepart();

// The line "Copie VB" puts on the clipboard, built from the texts as shown.
std::string ligneCopieVb(const std::string& text1, const std::string& text2, const std::string& text3);
// The text "Copie HTML" puts on the clipboard: "#" and the last six characters of Text4.
std::string texteCopieHtml(const std::string& text4);

} // namespace tintara
