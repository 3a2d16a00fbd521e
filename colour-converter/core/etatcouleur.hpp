#pragma once
// The colour state of Tintara's main window: the three slider positions, the
// grey mode, the record of the slider moved last, and every display derived
// from them (notation texts, swatch and strip colours, captions), plus the
// positions published for the full-screen view. The window forwards its
// slider and button events here and copies the displays back to its widgets.
#include "colour-converter/core/notations.hpp"

#include <array>
#include <optional>
#include <string>

namespace tintara {

enum class Reglage { R = 0, G = 1, B = 2 };

// What the main window shows; every field is written by the handlers below.
struct Affichage {
    std::string text1, text2, text3, text4;
    Couleur picture1 = rgb(255, 255, 255); // swatch
    Couleur picture2 = rgb(255, 0, 0);     // red strip
    Couleur picture3 = rgb(0, 255, 0);     // green strip
    Couleur picture4 = rgb(0, 0, 255);     // blue strip
    std::string legendeCmdGris;
    std::string legendeFrame4;
    bool operator==(const Affichage&) const = default;
};

// Slider positions read by the full-screen view; unset ones count as 0.
struct PositionsPubliees {
    std::optional<int> r, g, b;
    // The colour the view shows: the swatch's colour, white while nothing was published.
    Couleur couleur() const;
};

class EtatCouleur {
public:
    // The state after the window's load: start texts, colour mode, sliders at the top.
    EtatCouleur();

    // Change or Scroll of a slider: it now stands at `position`.
    void reglageChange(Reglage x, int position);
    // The grey-mode button.
    void cmdGrisClick();

    int position(Reglage x) const { return positions_[indice(x)]; }
    bool modeGris() const { return modeGris_; }
    // The slider whose change was handled last, if any has moved.
    std::optional<Reglage> dernier() const;
    const Affichage& affichage() const { return affichage_; }
    const PositionsPubliees& publiees() const { return publiees_; }

private:
    static int indice(Reglage x) { return static_cast<int>(x); }

    // A position set by the program; a real change raises that slider's handling at once.
    void definirPosition(Reglage x, int position);
    void procedureChangement(Reglage x);
    // Steps shared by a slider change and the switch to grey mode: texts,
    // padding, swatch and strips (only x's strip unless all are asked), publication.
    void calculer(std::optional<Reglage> seulBandeau);
    void ajoutZeros();

    std::array<int, 3> positions_{0, 0, 0};
    bool modeGris_ = false;
    bool dernierR_ = false, dernierG_ = false, dernierB_ = false;
    std::string hexR_, hexG_, hexB_;
    Affichage affichage_;
    PositionsPubliees publiees_;
};

} // namespace tintara
