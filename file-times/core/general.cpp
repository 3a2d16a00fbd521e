#include "file-times/core/general.hpp"

#include <algorithm>

namespace kalvent {

namespace {

constexpr char marqueMatin = '\x01';
constexpr char marqueApresMidi = '\x02';

bool lettreAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char minuscule(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string minuscules(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), minuscule);
    return s;
}

// Length of a Unicode blank or direction mark at position i (UTF-8), 0 if none.
// Locales put no-break spaces and direction marks in their dates.
std::size_t blancUnicode(const std::string& s, std::size_t i)
{
    auto octet = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned a = octet(i), b = octet(i + 1), c = octet(i + 2);
    if (a == 0xC2 && b == 0xA0)
        return 2; // no-break space
    if (a == 0xD8 && b == 0x9C)
        return 2; // Arabic letter mark
    if (a == 0xE2 && b == 0x80 && ((c >= 0x80 && c <= 0x8F) || (c >= 0xA8 && c <= 0xAF)))
        return 3; // spaces, zero-width marks, embeddings, narrow no-break space
    if (a == 0xE2 && b == 0x81 && (c == 0xA0 || (c >= 0xA6 && c <= 0xA9)))
        return 3; // word joiner, isolates
    if (a == 0xE3 && b == 0x80 && c == 0x80)
        return 3; // ideographic space
    if (a == 0xEF && b == 0xBB && c == 0xBF)
        return 3; // zero-width no-break space
    return 0;
}

bool debutMot(const std::string& s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    return lettreAscii(c) || (c >= 0x80 && blancUnicode(s, i) == 0);
}

// A run of letters: ASCII letters and other characters that are no blank.
// In a format the two kinds make separate words ("H" and "時" in "H時mm").
std::size_t finMot(const std::string& s, std::size_t i, bool separerAscii = false)
{
    const bool ascii = lettreAscii(static_cast<unsigned char>(s[i]));
    while (i < s.size() && debutMot(s, i) &&
           (!separerAscii || lettreAscii(static_cast<unsigned char>(s[i])) == ascii))
        ++i;
    return i;
}

// A word of a time format between two numbers: it marks a time, like ":".
constexpr char motDHeure = '\x03';

// AM/PM designators become one marker byte; the longest designator wins and
// it may not be part of a longer ASCII word.
std::string marquerMeridiens(const std::string& texte, const ReglesDate& regles)
{
    std::vector<std::pair<std::string, char>> designations;
    for (const auto& m : regles.matin)
        if (!m.empty())
            designations.emplace_back(minuscules(m), marqueMatin);
    for (const auto& m : regles.apresMidi)
        if (!m.empty())
            designations.emplace_back(minuscules(m), marqueApresMidi);
    std::stable_sort(designations.begin(), designations.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });

    const std::string bas = minuscules(texte);
    std::string resultat;
    std::size_t i = 0;
    while (i < texte.size()) {
        bool trouve = false;
        for (const auto& [mot, marque] : designations) {
            if (bas.compare(i, mot.size(), mot) != 0)
                continue;
            const bool libreAvant = i == 0 || !lettreAscii(static_cast<unsigned char>(texte[i - 1]));
            const std::size_t fin = i + mot.size();
            const bool libreApres = fin >= texte.size() || !lettreAscii(static_cast<unsigned char>(texte[fin]));
            if (libreAvant && libreApres) {
                resultat += ' ';
                resultat += marque;
                resultat += ' ';
                i = fin;
                trouve = true;
                break;
            }
        }
        if (!trouve)
            resultat += texte[i++];
    }
    return resultat;
}

bool contientMot(const std::vector<std::string>& mots, const std::string& mot)
{
    const std::string bas = minuscules(mot);
    return std::any_of(mots.begin(), mots.end(), [&](const std::string& m) { return minuscules(m) == bas; });
}

struct Nombre {
    int valeur;
    std::size_t chiffres;
    std::string separateurAvant; // what lies between the previous number and this one
    bool moisEnLettres = false;  // a month name ("avr.", "April")
};

std::string sansPointFinal(std::string nom)
{
    while (!nom.empty() && nom.back() == '.')
        nom.pop_back();
    return minuscules(nom);
}

// 1 to 12 for a month name of the user's language, 0 otherwise.
int moisNomme(const ReglesDate& regles, const std::string& mot)
{
    const std::string bas = minuscules(mot);
    for (std::size_t m = 0; m < regles.nomsMois.size(); ++m) {
        for (const std::string& nom : regles.nomsMois[m])
            if (!nom.empty() && sansPointFinal(nom) == bas)
                return static_cast<int>(m) + 1;
    }
    return 0;
}

[[noreturn]] void illisible(const std::string& texte)
{
    throw ErreurDate(ErreurDate::Genre::Illisible, "Texte qui n'est pas une date et une heure : \"" + texte + "\"");
}

// Whether a separator marks a time; a word of a time format counts only
// where it stands between two numbers of the time, not at its edge.
bool estSeparateurHeure(const std::string& sep, const ReglesDate& regles, bool motsCompris = true)
{
    if (sep.find(':') != std::string::npos || (motsCompris && sep.find(motDHeure) != std::string::npos))
        return true;
    return std::any_of(regles.separateursHeure.begin(), regles.separateursHeure.end(),
                       [&](const std::string& s) { return !s.empty() && sep.find(s) != std::string::npos; });
}

int anneeSur4(const Nombre& n)
{
    if (n.chiffres <= 2)
        return n.valeur < 30 ? 2000 + n.valeur : 1900 + n.valeur;
    return n.valeur;
}

void lireDate(const Nombre* n, const ReglesDate& regles, DateHeure& d, const std::string& texte)
{
    OrdreDate ordre = regles.ordre;
    // A year written first with three or four digits is read year, month, day.
    if (ordre[0] != Champ::Annee && n[0].chiffres >= 3)
        ordre = {Champ::Annee, Champ::Mois, Champ::Jour};
    // A month in letters is the month wherever it stands; the other two keep their order.
    for (int i = 0; i < 3; ++i) {
        if (!n[i].moisEnLettres)
            continue;
        std::vector<Champ> autres;
        for (Champ c : ordre)
            if (c != Champ::Mois)
                autres.push_back(c);
        std::size_t k = 0;
        for (int j = 0; j < 3; ++j)
            ordre[static_cast<std::size_t>(j)] = j == i ? Champ::Mois : autres[k++];
        break;
    }
    for (int i = 0; i < 3; ++i)
        if (n[i].moisEnLettres && ordre[static_cast<std::size_t>(i)] != Champ::Mois)
            illisible(texte);
    int jour = 0, mois = 0, annee = 0;
    for (int i = 0; i < 3; ++i) {
        switch (ordre[static_cast<std::size_t>(i)]) {
        case Champ::Jour: jour = n[i].valeur; break;
        case Champ::Mois: mois = n[i].valeur; break;
        case Champ::Annee:
            if (n[i].chiffres == 3 || n[i].chiffres > 4)
                illisible(texte);
            annee = anneeSur4(n[i]);
            break;
        }
    }
    if (mois < 1 || mois > 12 || annee < 100 || annee > 9999 || jour < 1 || jour > joursDansMois(annee, mois))
        illisible(texte);
    d.annee = annee;
    d.mois = mois;
    d.jour = jour;
}

void lireHeure(const Nombre* n, std::size_t combien, char meridien, DateHeure& d, const std::string& texte)
{
    for (std::size_t k = 0; k < combien; ++k)
        if (n[k].moisEnLettres)
            illisible(texte);
    int h = n[0].valeur;
    const int m = combien > 1 ? n[1].valeur : 0;
    const int s = combien > 2 ? n[2].valeur : 0;
    if (meridien != 0) {
        if (h > 12)
            illisible(texte);
        if (meridien == marqueMatin && h == 12)
            h = 0;
        else if (meridien == marqueApresMidi && h < 12)
            h += 12;
    }
    if (h > 23 || m > 59 || s > 59)
        illisible(texte);
    d.heure = h;
    d.minute = m;
    d.seconde = s;
}

// A day and a month without a year ("10/04", "10/04 19:32", "19:32 10/04",
// "10 avr. 19:32"): the two numbers in the user's order, the current year.
// A time takes two or three numbers joined by time separators, or one with
// AM/PM. False when the numbers are not laid out that way.
bool lireSansAnnee(const std::vector<Nombre>& nombres, char meridien, const ReglesDate& regles, DateHeure& d,
                   const std::string& texte)
{
    const std::size_t n = nombres.size();
    if (regles.anneeCourante == 0 || n < 2 || n > 5)
        return false;
    const std::size_t tailleHeure = n - 2;
    if ((tailleHeure == 0 && meridien != 0) || (tailleHeure == 1 && meridien == 0))
        return false;
    auto jourMois = [&](std::size_t debut) {
        const Nombre& a = nombres[debut];
        const Nombre& b = nombres[debut + 1];
        if (estSeparateurHeure(b.separateurAvant, regles) || (a.moisEnLettres && b.moisEnLettres) ||
            (!a.moisEnLettres && a.chiffres > 2) || (!b.moisEnLettres && b.chiffres > 2))
            return false;
        const auto position = [&](Champ c) { return std::find(regles.ordre.begin(), regles.ordre.end(), c); };
        const bool jourDAbord = a.moisEnLettres ? false : b.moisEnLettres || position(Champ::Jour) < position(Champ::Mois);
        const int jour = jourDAbord ? a.valeur : b.valeur;
        const int mois = jourDAbord ? b.valeur : a.valeur;
        if (mois < 1 || mois > 12 || jour < 1 || jour > joursDansMois(regles.anneeCourante, mois))
            illisible(texte);
        d.annee = regles.anneeCourante;
        d.mois = mois;
        d.jour = jour;
        return true;
    };
    auto heure = [&](std::size_t debut) {
        for (std::size_t k = debut + 1; k < debut + tailleHeure; ++k)
            if (!estSeparateurHeure(nombres[k].separateurAvant, regles))
                return false;
        if (tailleHeure > 0)
            lireHeure(nombres.data() + debut, tailleHeure, meridien, d, texte);
        return true;
    };
    // The date first, or the time first; they meet at a blank.
    if ((tailleHeure == 0 || !estSeparateurHeure(nombres[2].separateurAvant, regles, false)) && jourMois(0) &&
        heure(2))
        return true;
    d = DateHeure{};
    return tailleHeure > 0 && !estSeparateurHeure(nombres[tailleHeure].separateurAvant, regles, false) &&
           heure(0) && jourMois(tailleHeure);
}

} // namespace

ErreurDate::ErreurDate(Genre genre, const std::string& texte) : std::runtime_error(texte), genre_(genre) {}

std::int64_t joursDepuis1970(int annee, int mois, int jour)
{
    // Days from civil, proleptic Gregorian calendar.
    const std::int64_t y = annee - (mois <= 2 ? 1 : 0);
    const std::int64_t ere = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t anneeDansEre = y - ere * 400;
    const std::int64_t jourDansAnnee = (153 * (mois + (mois > 2 ? -3 : 9)) + 2) / 5 + jour - 1;
    const std::int64_t jourDansEre = anneeDansEre * 365 + anneeDansEre / 4 - anneeDansEre / 100 + jourDansAnnee;
    return ere * 146097 + jourDansEre - 719468;
}

int joursDansMois(int annee, int mois)
{
    static constexpr int jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12)
        return 0;
    const bool bissextile = (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
    return jours[mois - 1] + (mois == 2 && bissextile ? 1 : 0);
}

OrdreDate ordreDate(const std::string& format)
{
    std::vector<std::pair<std::size_t, Champ>> vus;
    bool cite = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '\'') {
            cite = !cite;
            continue;
        }
        if (cite)
            continue;
        const Champ* champ = nullptr;
        static constexpr Champ j = Champ::Jour, m = Champ::Mois, a = Champ::Annee;
        if (c == 'd')
            champ = &j;
        else if (c == 'M' || c == 'L')
            champ = &m;
        else if (c == 'y')
            champ = &a;
        if (champ && std::none_of(vus.begin(), vus.end(), [&](const auto& v) { return v.second == *champ; }))
            vus.emplace_back(i, *champ);
    }
    if (vus.size() != 3)
        return ordreFrancais;
    return {vus[0].second, vus[1].second, vus[2].second};
}

std::vector<std::string> litterauxDuFormat(const std::string& format)
{
    static const std::string lettresDeChamp = "dMLyhHmszaApPtTgGuUwWqQEe";
    std::vector<std::string> mots;
    bool cite = false;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] == '\'') {
            cite = !cite;
            ++i;
            continue;
        }
        if (debutMot(format, i)) {
            const std::size_t fin = finMot(format, i, true);
            std::size_t arret = fin;
            if (cite) {
                // A quote closes inside the run only if the run contains one.
                arret = format.find('\'', i);
                arret = std::min(arret == std::string::npos ? format.size() : arret, fin);
            }
            const std::string mot = format.substr(i, arret - i);
            const bool champ = !cite && mot.find_first_not_of(lettresDeChamp) == std::string::npos;
            if (!champ && std::find(mots.begin(), mots.end(), mot) == mots.end())
                mots.push_back(mot);
            i = arret;
            continue;
        }
        ++i;
    }
    return mots;
}

std::vector<std::string> separateursDuFormat(const std::string& format)
{
    static const std::string lettresDHeure = "hHmsz";
    std::vector<std::string> seps;
    std::string courant;
    bool apresChamp = false;
    bool cite = false;
    for (char c : format) {
        if (c == '\'') {
            cite = !cite;
            continue;
        }
        if (!cite && lettresDHeure.find(c) != std::string::npos) {
            // Blanks alone never tell a time from a date.
            const bool blanc = courant.find_first_not_of(" ") == std::string::npos;
            if (apresChamp && !blanc && std::find(seps.begin(), seps.end(), courant) == seps.end())
                seps.push_back(courant);
            courant.clear();
            apresChamp = true;
        } else if (apresChamp) {
            courant += c;
        }
    }
    return seps;
}

DateHeure lireDateHeure(const std::string& texte, const ReglesDate& regles)
{
    const std::string marque = marquerMeridiens(texte, regles);
    std::vector<Nombre> nombres;
    std::string separateur;
    char meridien = 0;
    std::size_t i = 0;
    while (i < marque.size()) {
        const char c = marque[i];
        if (c >= '0' && c <= '9') {
            std::size_t fin = i;
            long long valeur = 0;
            while (fin < marque.size() && marque[fin] >= '0' && marque[fin] <= '9') {
                valeur = valeur * 10 + (marque[fin] - '0');
                if (fin - i >= 9)
                    illisible(texte);
                ++fin;
            }
            nombres.push_back({static_cast<int>(valeur), fin - i, separateur});
            separateur.clear();
            i = fin;
        } else if (c == marqueMatin || c == marqueApresMidi) {
            if (meridien != 0)
                illisible(texte);
            meridien = c;
            separateur += ' ';
            ++i;
        } else if (const std::size_t blanc = blancUnicode(marque, i)) {
            separateur += ' ';
            i += blanc;
        } else if (debutMot(marque, i)) {
            const std::size_t fin = finMot(marque, i);
            const std::string mot = marque.substr(i, fin - i);
            if (const int mois = moisNomme(regles, mot)) {
                nombres.push_back({mois, 0, separateur, true});
                separateur.clear();
            } else if (contientMot(regles.litterauxHeure, mot) && !contientMot(regles.litterauxDate, mot))
                separateur += motDHeure;
            else if (contientMot(regles.litterauxDate, mot) || contientMot(regles.litterauxHeure, mot))
                separateur += ' ';
            else
                illisible(texte);
            i = fin;
        } else {
            separateur += c;
            ++i;
        }
    }

    const std::size_t n = nombres.size();
    const bool heureDAbord = n >= 2 && estSeparateurHeure(nombres[1].separateurAvant, regles);
    // A date is three numbers never joined by ":".
    auto date = [&](std::size_t debut, DateHeure& d) {
        for (std::size_t k = debut + 1; k < debut + 3; ++k)
            if (nombres[k].separateurAvant.find(':') != std::string::npos)
                illisible(texte);
        lireDate(nombres.data() + debut, regles, d, texte);
    };
    // Reads the date first, else (when the text starts like a time) the time first.
    auto lire = [&](auto dateDAbord, auto heureDabord) {
        DateHeure d;
        try {
            dateDAbord(d);
            return d;
        } catch (const ErreurDate&) {
            if (!heureDAbord)
                throw;
        }
        d = DateHeure{};
        heureDabord(d);
        return d;
    };
    auto lireAvecAnnee = [&]() -> DateHeure {
        switch (n) {
        case 6:
        case 5:
        case 4: {
            // A date of three numbers and a time of the rest, either way round;
            // they meet at a blank, never at a time separator.
            const std::size_t tailleHeure = n - 3;
            if (tailleHeure == 1 && meridien == 0)
                illisible(texte);
            return lire(
                [&](DateHeure& d) {
                    if (estSeparateurHeure(nombres[3].separateurAvant, regles, false))
                        illisible(texte);
                    date(0, d);
                    lireHeure(nombres.data() + 3, tailleHeure, meridien, d, texte);
                },
                [&](DateHeure& d) {
                    if (tailleHeure == 1 || estSeparateurHeure(nombres[tailleHeure].separateurAvant, regles, false))
                        illisible(texte);
                    lireHeure(nombres.data(), tailleHeure, meridien, d, texte);
                    date(tailleHeure, d);
                });
        }
        case 3:
            if (meridien != 0) {
                DateHeure d;
                lireHeure(nombres.data(), 3, meridien, d, texte);
                return d;
            }
            return lire([&](DateHeure& d) { date(0, d); },
                        [&](DateHeure& d) { lireHeure(nombres.data(), 3, meridien, d, texte); });
        case 2:
        case 1: {
            if (meridien == 0 && !heureDAbord)
                illisible(texte);
            DateHeure d;
            lireHeure(nombres.data(), n, meridien, d, texte);
            return d;
        }
        default:
            illisible(texte);
        }
    };
    try {
        return lireAvecAnnee();
    } catch (const ErreurDate&) {
        DateHeure d;
        if (!lireSansAnnee(nombres, meridien, regles, d, texte))
            throw;
        return d;
    }
}

SystemTime versSystemTime(const DateHeure& d)
{
    SystemTime st{};
    st.wYear = static_cast<std::uint16_t>(d.annee);
    st.wMonth = static_cast<std::uint16_t>(d.mois);
    // 1 January 1970 was a Thursday (4).
    const std::int64_t jours = joursDepuis1970(d.annee, d.mois, d.jour);
    st.wDayOfWeek = static_cast<std::uint16_t>(((jours % 7) + 7 + 4) % 7);
    st.wDay = static_cast<std::uint16_t>(d.jour);
    st.wHour = static_cast<std::uint16_t>(d.heure);
    st.wMinute = static_cast<std::uint16_t>(d.minute);
    st.wSecond = static_cast<std::uint16_t>(d.seconde);
    return st;
}

FileTime SystemTimeToFileTime(const SystemTime& st)
{
    if (st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 || st.wDay > joursDansMois(st.wYear, st.wMonth) ||
        st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999)
        throw ErreurDate(ErreurDate::Genre::Illisible, "Date ou heure impossible");
    if (st.wYear < 1601 || st.wYear > 30827)
        throw ErreurDate(ErreurDate::Genre::Avant1601, "Date antérieure à 1601");
    const std::int64_t jours = joursDepuis1970(st.wYear, st.wMonth, st.wDay) - joursDepuis1970(1601, 1, 1);
    const std::int64_t secondes = jours * 86400 + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
    return static_cast<FileTime>(secondes) * ticksParSeconde + static_cast<FileTime>(st.wMilliseconds) * 10000;
}

FileTime LocalFileTimeToFileTime(FileTime local, const SystemTime& st, const ReglesDate& regles)
{
    const std::int64_t decalage = regles.decalage ? regles.decalage(st) : 0;
    const std::int64_t utc = static_cast<std::int64_t>(local) - decalage * static_cast<std::int64_t>(ticksParSeconde);
    if (utc <= 0)
        throw ErreurDate(ErreurDate::Genre::Avant1601, "Date antérieure à 1601");
    return static_cast<FileTime>(utc);
}

FileTime DateVersFileTime(const std::string& texte, const ReglesDate& regles)
{
    const SystemTime st = versSystemTime(lireDateHeure(texte, regles));
    return LocalFileTimeToFileTime(SystemTimeToFileTime(st), st, regles);
}

} // namespace kalvent
