#include "msgbox-editor/core/apercu.hpp"

#include "common/core/arrondi.hpp"

#include <charconv>
#include <cmath>
#include <limits>

namespace brevolet {

namespace {
bool blanc(char c)
{
    return c == ' ' || c == '\t';
}
bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<double> lireNombre(std::string_view texte)
{
    while (!texte.empty() && blanc(texte.front()))
        texte.remove_prefix(1);
    while (!texte.empty() && blanc(texte.back()))
        texte.remove_suffix(1);

    // Check the shape first, then let from_chars convert a normalised copy.
    std::string copie;
    std::size_t i = 0;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-'))
        negatif = texte[i++] == '-';
    int chiffres = 0;
    while (i < texte.size() && chiffre(texte[i])) {
        copie += texte[i++];
        ++chiffres;
    }
    if (i < texte.size() && (texte[i] == '.' || texte[i] == ',')) {
        copie += '.';
        ++i;
        while (i < texte.size() && chiffre(texte[i])) {
            copie += texte[i++];
            ++chiffres;
        }
    }
    if (chiffres == 0)
        return std::nullopt;
    if (i < texte.size() && (texte[i] == 'e' || texte[i] == 'E')) {
        copie += texte[i++];
        if (i < texte.size() && (texte[i] == '+' || texte[i] == '-'))
            copie += texte[i++];
        int exposant = 0;
        while (i < texte.size() && chiffre(texte[i])) {
            copie += texte[i++];
            ++exposant;
        }
        if (exposant == 0)
            return std::nullopt;
    }
    if (i != texte.size())
        return std::nullopt;

    double valeur = 0;
    const auto [fin, erreur] = std::from_chars(copie.data(), copie.data() + copie.size(), valeur);
    if (erreur == std::errc::result_out_of_range)
        valeur = std::numeric_limits<double>::infinity(); // too large; tiny values come back as 0
    else if (erreur != std::errc() || fin != copie.data() + copie.size())
        return std::nullopt;
    return negatif ? -valeur : valeur;
}

std::optional<Saisie> lireSaisie(std::string_view texte, int maximum)
{
    const std::optional<double> nombre = lireNombre(texte);
    if (!nombre)
        return std::nullopt;
    Saisie s{*nombre, std::nullopt, 0};
    if (s.valeur < 0) {
        s.valeur = 0;
        s.texteCorrige = "0";
    } else if (s.valeur > maximum) {
        s.valeur = maximum;
        s.texteCorrige = std::to_string(maximum);
    }
    s.positionBarre = entierPair(s.valeur);
    return s;
}

int entierPair(double valeur)
{
    const double r = velmaro::arrondiPair(valeur);
    if (!(r >= std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (r > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

Point positionCentree(const Rectangle& f, int largeurBoite, int hauteurBoite)
{
    return {f.gauche + f.largeur / 2 - largeurBoite / 2, f.haut + f.hauteur / 2 - hauteurBoite / 2};
}

Agrandissement agrandir(int ancienneHauteur, int hauteurMesuree)
{
    const int nouvelle = hauteurMesuree + 10;
    const int croissance = nouvelle - ancienneHauteur - 10;
    return {nouvelle, croissance, -(croissance / 2)};
}

} // namespace brevolet
