#include "colour-converter/core/notations.hpp"

namespace tintara {

std::string hex(int c)
{
    static const char chiffres[] = "0123456789ABCDEF";
    if (c == 0)
        return "0";
    std::string s;
    for (unsigned v = static_cast<unsigned>(c); v != 0; v >>= 4)
        s.insert(s.begin(), chiffres[v & 0xF]);
    return s;
}

bool doitCompleter(int position)
{
    return position > 239;
}

std::string hex2(int c)
{
    std::string s = hex(c);
    return s.size() < 2 ? "0" + s : s;
}

std::string dec(int c)
{
    return std::to_string(c);
}

Notations notations(int positionR, int positionG, int positionB)
{
    const int r = composante(positionR);
    const int g = composante(positionG);
    const int b = composante(positionB);
    auto pair = [](int position) {
        const std::string h = hex(composante(position));
        return doitCompleter(position) ? "0" + h : h;
    };
    Notations n;
    n.rgbHexa = "RGB(&H" + hex(r) + ", &H" + hex(g) + ", &H" + hex(b) + ")";
    n.rgbDeci = "RGB(" + dec(r) + ", " + dec(g) + ", " + dec(b) + ")";
    n.vb = "&H" + pair(positionB) + pair(positionG) + pair(positionR);
    n.html = "#" + pair(positionR) + pair(positionG) + pair(positionB);
    return n;
}

Notations notationsDeDepart()
{
    return {"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255,255)", "&HFFFFFF", "#FFFFFF"};
}

std::string ligneCopieVb(const std::string& text1, const std::string& text2, const std::string& text3)
{
    return "'Valeur RGB(hexa) : " + text1 + " - Valeur RGB(dec) : " + text2 + " - Valeur directe VB : " + text3;
}

std::string texteCopieHtml(const std::string& text4)
{
    const std::size_t n = text4.size() < 6 ? text4.size() : 6;
    return "#" + text4.substr(text4.size() - n);
}

} // namespace tintara
