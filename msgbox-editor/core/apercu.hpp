#pragma once
// The preview settings (display time, position, centring) and the rules of
// their setting boxes, and the arithmetic that places and enlarges the box.
#include <optional>
#include <string>
#include <string_view>

namespace brevolet {

constexpr int tempsMaximum = 60;   // seconds
constexpr int posXMaximum = 1280;  // pixels
constexpr int posYMaximum = 1024;

// Shared by the editor window and the preview it shows.
struct ReglagesApercu {
    double TempsAffichage = 4000; // milliseconds; 0: the box stays until closed
    int PosX = 100;
    int PosY = 80;
    bool Centrer = false;
    std::string TitreBoite = "TITRE";
    std::string TexteBoite = "Texte du message";
};

// A number as typed: blanks around, a sign, digits with a point or a comma,
// an exponent. Anything else (empty, letters, "Cent.") is not a number.
std::optional<double> lireNombre(std::string_view texte);

// A setting box's text once read: its value kept within 0..maximum, the text
// to write back when it had to be brought within, and the scroll bar's
// position (the value rounded half to even).
struct Saisie {
    double valeur;
    std::optional<std::string> texteCorrige;
    int positionBarre;
};
std::optional<Saisie> lireSaisie(std::string_view texte, int maximum);

// A whole number of pixels or milliseconds from a value, half to even.
int entierPair(double valeur);

struct Rectangle {
    int gauche;
    int haut;
    int largeur;
    int hauteur;
};

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

// Top-left of a box of the given size centred over a window, with the
// halves of the sizes truncated toward zero.
Point positionCentree(const Rectangle& fenetre, int largeurBoite, int hauteurBoite);

// How the font preview enlarges the box once the text is measured at h
// pixels where it took oldH: the text gets h + 10, the box grows by h - oldH
// (shrinks when negative) and moves up by half of that to keep its centre.
struct Agrandissement {
    int hauteurTexte;
    int croissance;
    int decalageHaut;
};
Agrandissement agrandir(int ancienneHauteur, int hauteurMesuree);

} // namespace brevolet
