#pragma once
// The message box being composed: its style values and names, the state of
// the default-button options, and the code line and clipboard text built
// from it. The window binds each of its controls to one operation here.
#include <array>
#include <string>
#include <string_view>

namespace brevolet {

// Code forms of the option array OptTypCode.
struct FormeCode {
    const char* legende;
    const char* debut;
    const char* fin;
};
extern const std::array<FormeCode, 2> formesCode;

enum class Icone { Sans, Stop, Quest, Excl, Info };
struct ChoixIcone {
    int valeur;
    const char* nom;
};
extern const std::array<ChoixIcone, 5> icones; // indexed by Icone

// Button sets of OptTypBouton; a null caption leaves the default option's caption as it was.
struct JeuBoutons {
    const char* nom;
    int valeur;
    int nombre; // default options shown
    std::array<const char*, 3> legendesDefaut;
};
extern const std::array<JeuBoutons, 6> jeuxBoutons;

struct ChoixDefaut {
    int valeur;
    const char* nom;
};
extern const std::array<ChoixDefaut, 3> defauts;

struct ChoixModal {
    const char* legende;
    int valeur;
};
extern const std::array<ChoixModal, 2> modalites;

// The three default-button options as the window shows them.
struct OptionsDefaut {
    int selection = 0; // -1 when none is selected
    std::array<bool, 3> visible{true, false, false};
    std::array<std::string, 3> legendes{"OK", "", ""};
};

class Modele {
public:
    // Start-up values, except the code form, which the window's selection of
    // code-form option 0 sets through OptTypCode_Click.
    void initialiser();

    // Each operation receives the index of the option now selected in its
    // array (-1 for none), whichever option raised the event.
    void OptTypCode_Click(int selection);
    void choisirIcone(Icone icone);
    void OptTypBouton_Click(int selection);
    void OptDefBtn_Click(int selection);
    void OptTypMod_Click(int selection);

    std::string DebutCode;
    std::string FinCode;
    std::string Guillemet;
    std::string Separateur;
    int ValIcone = 0;
    int ValBoutons = 0;
    int ValDefaut = 0;
    int ValModal = 0;
    int ValStyle = 0;
    std::string NomIcone;
    std::string NomBoutons;
    std::string NomDefaut;
    OptionsDefaut optionsDefaut;

private:
    void calculerStyle();
};

// The line of code: opening, message, quote, separator, style, separator,
// quote, title, quote, closing. Texts go in exactly as typed.
std::string ComposerCode(const Modele& modele, std::string_view message, std::string_view titre);

// The comment line alone ("' Icône : ...").
std::string ligneCommentaire(const Modele& modele);

// What "Copier" puts on the clipboard: the comment line, a lone carriage
// return, and the code line composed afresh.
std::string texteCopie(const Modele& modele, std::string_view message, std::string_view titre);

// What "Saut de ligne" inserts into the message.
std::string texteSautDeLigne(const Modele& modele);

} // namespace brevolet
