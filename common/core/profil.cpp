#include "common/core/profil.hpp"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace velmaro {

namespace {

constexpr std::string_view bom = "\xEF\xBB\xBF";

bool blanc(char c) { return c == ' ' || c == '\t'; }

std::string_view rogner(std::string_view s)
{
    while (!s.empty() && blanc(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blanc(s.back()))
        s.remove_suffix(1);
    return s;
}

char minuscule(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool memeNom(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (minuscule(a[i]) != minuscule(b[i]))
            return false;
    return true;
}

bool estSection(std::string_view ligne) { return !ligne.empty() && ligne.front() == '['; }

std::string_view nomSection(std::string_view ligne)
{
    ligne.remove_prefix(1);
    const auto fin = ligne.find(']');
    if (fin != std::string_view::npos)
        ligne = ligne.substr(0, fin);
    return rogner(ligne);
}

// The key name of a "key=value" line, or nothing for comments and other lines.
std::optional<std::string_view> nomCle(std::string_view ligne)
{
    if (ligne.empty() || ligne.front() == ';' || ligne.front() == '[')
        return std::nullopt;
    const auto egal = ligne.find('=');
    if (egal == std::string_view::npos)
        return std::nullopt;
    return rogner(ligne.substr(0, egal));
}

bool sansSautDeLigne(std::string_view s)
{
    return s.find('\n') == std::string_view::npos && s.find('\r') == std::string_view::npos &&
           s.find('\0') == std::string_view::npos;
}

} // namespace

FichierProfil FichierProfil::depuisTexte(std::string_view texte)
{
    FichierProfil f;
    f.lignes_.reserve(static_cast<std::size_t>(std::count(texte.begin(), texte.end(), '\n')) + 1);
    while (!texte.empty()) {
        const auto nl = texte.find('\n');
        if (nl == std::string_view::npos) {
            f.lignes_.push_back({std::string(texte), ""});
            break;
        }
        std::string_view ligne = texte.substr(0, nl);
        std::string_view fin = "\n";
        if (!ligne.empty() && ligne.back() == '\r') {
            ligne.remove_suffix(1);
            fin = "\r\n";
        }
        f.lignes_.push_back({std::string(ligne), fin});
        texte.remove_prefix(nl + 1);
    }
    for (std::size_t i = 0; i < f.lignes_.size(); ++i)
        if (estSection(f.contenu(i)))
            f.sections_.push_back(i);
    return f;
}

FichierProfil FichierProfil::charger(const std::filesystem::path& fichier)
{
    std::error_code ec;
    const auto etat = std::filesystem::status(fichier, ec);
    if (etat.type() == std::filesystem::file_type::not_found)
        return {};
    FichierProfil illisible;
    illisible.lisible_ = false;
    if (ec || !std::filesystem::is_regular_file(etat))
        return illisible;
    const auto taille = std::filesystem::file_size(fichier, ec);
    if (ec || taille > tailleMaximaleProfil)
        return illisible;
    std::ifstream entree(fichier, std::ios::binary);
    if (!entree)
        return illisible;
    // At most one byte more than allowed: a file that grew meanwhile is refused too.
    std::string contenu(static_cast<std::size_t>(tailleMaximaleProfil) + 1, '\0');
    entree.read(contenu.data(), static_cast<std::streamsize>(contenu.size()));
    if (entree.bad())
        return illisible;
    contenu.resize(static_cast<std::size_t>(entree.gcount()));
    if (contenu.size() > tailleMaximaleProfil)
        return illisible;
    return depuisTexte(contenu);
}

std::string_view FichierProfil::contenu(std::size_t i) const
{
    std::string_view s = lignes_[i].texte;
    if (i == 0 && s.substr(0, bom.size()) == bom)
        s.remove_prefix(bom.size());
    return rogner(s);
}

std::optional<std::size_t> FichierProfil::trouverSection(std::string_view section) const
{
    for (std::size_t i : sections_)
        if (memeNom(nomSection(contenu(i)), section))
            return i;
    return std::nullopt;
}

std::optional<std::string> FichierProfil::valeur(std::string_view section, std::string_view cle) const
{
    const auto debut = trouverSection(rogner(section));
    if (!debut)
        return std::nullopt;
    for (std::size_t i = *debut + 1; i < lignes_.size(); ++i) {
        const auto ligne = contenu(i);
        if (estSection(ligne))
            break;
        const auto nom = nomCle(ligne);
        if (!nom || !memeNom(*nom, rogner(cle)))
            continue;
        std::string_view v = rogner(ligne.substr(ligne.find('=') + 1));
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return std::string(v);
    }
    return std::nullopt;
}

std::string_view FichierProfil::finDeLigne() const
{
    for (const auto& l : lignes_)
        if (!l.fin.empty())
            return l.fin;
    return "\r\n";
}

bool FichierProfil::ecrire(std::string_view section, std::string_view cle, std::string_view valeur)
{
    section = rogner(section);
    cle = rogner(cle);
    if (section.empty() || cle.empty() || !sansSautDeLigne(section) || !sansSautDeLigne(cle) ||
        !sansSautDeLigne(valeur) || section.find(']') != std::string_view::npos ||
        cle.find('=') != std::string_view::npos || cle.front() == '[' || cle.front() == ';')
        return false;
    const std::string_view fin = finDeLigne();
    const std::string nouvelle = std::string(cle) + "=" + std::string(valeur);

    const auto debut = trouverSection(section);
    if (!debut) {
        if (!lignes_.empty() && lignes_.back().fin.empty())
            lignes_.back().fin = fin;
        sections_.push_back(lignes_.size());
        lignes_.push_back({"[" + std::string(section) + "]", fin});
        lignes_.push_back({nouvelle, fin});
        return true;
    }
    std::size_t derniere = *debut; // last non-blank line of the section
    for (std::size_t i = *debut + 1; i < lignes_.size(); ++i) {
        const auto ligne = contenu(i);
        if (estSection(ligne))
            break;
        const auto nom = nomCle(ligne);
        if (nom && memeNom(*nom, cle)) {
            // The key keeps the name it was written with, in its own case.
            lignes_[i].texte = std::string(*nom) + "=" + std::string(valeur);
            return true;
        }
        if (!ligne.empty())
            derniere = i;
    }
    if (lignes_[derniere].fin.empty())
        lignes_[derniere].fin = fin;
    lignes_.insert(lignes_.begin() + static_cast<std::ptrdiff_t>(derniere) + 1, Ligne{nouvelle, fin});
    for (std::size_t& i : sections_)
        if (i > derniere)
            ++i;
    return true;
}

std::string FichierProfil::texte() const
{
    std::size_t taille = 0;
    for (const auto& l : lignes_)
        taille += l.texte.size() + l.fin.size();
    std::string s;
    s.reserve(taille);
    for (const auto& l : lignes_) {
        s += l.texte;
        s += l.fin;
    }
    return s;
}

bool FichierProfil::enregistrer(const std::filesystem::path& fichier) const
{
    const std::string t = texte();
    // Never write what would not be read back.
    if (!lisible_ || t.size() > tailleMaximaleProfil)
        return false;
    std::error_code ec;
    // A link stays a link: the file it points to is the one replaced.
    std::filesystem::path cible = fichier;
    for (int sauts = 0; std::filesystem::is_symlink(std::filesystem::symlink_status(cible, ec)); ++sauts) {
        const std::filesystem::path lien = std::filesystem::read_symlink(cible, ec);
        if (ec || sauts == 40)
            return false;
        cible = lien.is_absolute() ? lien : cible.parent_path() / lien;
    }
    const auto ancien = std::filesystem::status(cible, ec);
    if (ancien.type() != std::filesystem::file_type::not_found) {
        if (ec || !std::filesystem::is_regular_file(ancien))
            return false;
        // Without any write permission a file is read-only for everybody, an
        // administrator included, as the read-only attribute is on Windows.
        using std::filesystem::perms;
        if ((ancien.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
            return false;
        // Opened for writing without being changed: a read-only file refuses.
        std::fstream essai(cible, std::ios::in | std::ios::out | std::ios::binary);
        if (!essai)
            return false;
    }

    std::random_device alea;
    std::ostringstream suffixe;
    suffixe << ".~" << std::hex << alea() << alea() << ".tmp";
    std::filesystem::path temporaire = cible;
    temporaire += suffixe.str();
    {
        std::ofstream sortie(temporaire, std::ios::binary | std::ios::trunc);
        if (!sortie)
            return false;
        sortie.write(t.data(), static_cast<std::streamsize>(t.size()));
        sortie.close();
        if (!sortie) {
            // A full disk or a quota: the old file stays as it was.
            std::filesystem::remove(temporaire, ec);
            return false;
        }
    }
    // The replacement keeps the permissions the file had.
    if (std::filesystem::is_regular_file(ancien))
        std::filesystem::permissions(temporaire, ancien.permissions(), ec);
    std::filesystem::rename(temporaire, cible, ec);
    if (ec) {
        std::filesystem::remove(temporaire, ec);
        return false;
    }
    return true;
}

std::string lireChaineProfil(std::string_view section, std::string_view cle, std::string_view defaut,
                             std::size_t taille, const std::filesystem::path& fichier)
{
    return lireChaineProfil(FichierProfil::charger(fichier), section, cle, defaut, taille);
}

std::string lireChaineProfil(const FichierProfil& profil, std::string_view section, std::string_view cle,
                             std::string_view defaut, std::size_t taille)
{
    if (taille == 0)
        return {};
    const auto v = profil.valeur(section, cle);
    std::string resultat;
    if (v) {
        resultat = *v;
    } else {
        while (!defaut.empty() && blanc(defaut.back()))
            defaut.remove_suffix(1);
        resultat = std::string(defaut);
    }
    // The caller's buffer ends with a NUL: a stored NUL ends the text too.
    resultat = resultat.substr(0, resultat.find('\0'));
    if (resultat.size() > taille - 1)
        resultat.resize(taille - 1);
    return resultat;
}

bool ecrireChaineProfil(std::string_view section, std::string_view cle, std::string_view valeur,
                        const std::filesystem::path& fichier)
{
    return ecrireChainesProfil(section, {{std::string(cle), std::string(valeur)}}, fichier);
}

bool ecrireChainesProfil(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& valeurs,
                         const std::filesystem::path& fichier)
{
    FichierProfil f = FichierProfil::charger(fichier);
    if (!f.lisible())
        return false;
    for (const auto& [cle, valeur] : valeurs)
        if (!f.ecrire(section, cle, valeur))
            return false;
    return f.enregistrer(fichier);
}

} // namespace velmaro
