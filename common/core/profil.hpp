#pragma once
// Initialisation files ("[section]" then "key=value" lines) read and written
// with the rules of the Windows profile calls: section and key names compare
// without regard to letter case, values lose their surrounding blanks and
// quotes, everything else in the file (other sections, keys, comments, line
// ends) is kept as it was. Files are replaced atomically: a temporary copy is
// written beside the file and renamed over it. A file that is not a regular
// file, that cannot be read or written, or that is larger than
// tailleMaximaleProfil is read as empty and never replaced.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmaro {

// Settings files are a few hundred bytes; anything much larger is not one,
// and reading it whole would cost memory without bound.
constexpr std::uintmax_t tailleMaximaleProfil = std::uintmax_t{1} << 20;

class FichierProfil {
public:
    // Reads the file. A missing file reads as empty; a file that exists but
    // cannot be read (or is too large) leaves the object unreadable
    // (lisible() false), and enregistrer() then refuses to replace it.
    static FichierProfil charger(const std::filesystem::path& fichier);
    // Parses a text as a file's content.
    static FichierProfil depuisTexte(std::string_view texte);

    bool lisible() const { return lisible_; }

    // The value of the first key of that name in the first section of that
    // name, blanks and one pair of enclosing quotes removed.
    std::optional<std::string> valeur(std::string_view section, std::string_view cle) const;

    // Replaces the key's line or adds it at the end of its section; adds the
    // section at the end of the file when missing. Names or values holding a
    // line break or a NUL, empty names and keys that would read back as
    // something else (a leading '[' or ';', an '=') are refused.
    bool ecrire(std::string_view section, std::string_view cle, std::string_view valeur);

    // The whole content, as it would be written.
    std::string texte() const;

    // Writes the content to a temporary file in the same folder, then renames
    // it over the file. The file is either the old one or the new one, never
    // a mix. A read-only file is left alone, as the platform's profile calls
    // leave it; a symbolic link is followed and its target replaced.
    bool enregistrer(const std::filesystem::path& fichier) const;

private:
    struct Ligne {
        std::string texte; // without its line end
        std::string_view fin; // "\r\n", "\n" or "" for a last line without one (literals)
    };
    std::vector<Ligne> lignes_;
    std::vector<std::size_t> sections_; // the lines that open a section, in order
    bool lisible_ = true;

    std::string_view contenu(std::size_t i) const;
    std::optional<std::size_t> trouverSection(std::string_view section) const;
    std::string_view finDeLigne() const;
};

// GetPrivateProfileStringA: the value, or the default (trailing blanks
// removed) when the file, the section or the key is missing; cut to
// taille - 1 characters as the caller's buffer would hold it.
std::string lireChaineProfil(std::string_view section, std::string_view cle, std::string_view defaut,
                             std::size_t taille, const std::filesystem::path& fichier);

// The same rule on a file already read.
std::string lireChaineProfil(const FichierProfil& profil, std::string_view section, std::string_view cle,
                             std::string_view defaut, std::size_t taille);

// WritePrivateProfileStringA for one key; creates the file and the section.
bool ecrireChaineProfil(std::string_view section, std::string_view cle, std::string_view valeur,
                        const std::filesystem::path& fichier);

// Several keys of one section written in one replacement of the file.
bool ecrireChainesProfil(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& valeurs,
                         const std::filesystem::path& fichier);

} // namespace velmaro
