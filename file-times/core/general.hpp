#pragma once
// Module General: the typed local date and time to the 64-bit file time.
// Text -> calendar fields (the user's date order, the 1930-2029 window for
// two-digit years, optional seconds, AM/PM) -> calendar record -> local file
// time -> UTC file time, with the UTC offset in force at the typed moment.
// What depends on the user's settings comes in as ReglesDate.
#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalvent {

// The platform's SYSTEMTIME, fields in its order.
struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0; // 0 = Sunday
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
    bool operator==(const SystemTime&) const = default;
};

// 100-nanosecond intervals since 1 January 1601 00:00.
using FileTime = std::uint64_t;
constexpr FileTime ticksParSeconde = 10000000;

enum class Champ { Jour, Mois, Annee };
// The order of day, month and year in a short date.
using OrdreDate = std::array<Champ, 3>;
constexpr OrdreDate ordreFrancais{Champ::Jour, Champ::Mois, Champ::Annee};

// The order of a short-date format in the usual pattern letters
// ("dd/MM/yyyy", "M/d/yy", "yyyy-MM-dd"); text in quotes is skipped.
// A format without all three fields gives the French order.
OrdreDate ordreDate(const std::string& formatCourt);

// The words of a date or time format that are not fields ("h", "min" in
// "HH 'h' mm 'min' ss 's'", "г" in "d.MM.yy 'г'."), each a run of letters.
std::vector<std::string> litterauxDuFormat(const std::string& format);

// The separators between the fields of a time format ("HH:mm:ss" gives ":").
std::vector<std::string> separateursDuFormat(const std::string& format);

struct ReglesDate {
    OrdreDate ordre = ordreFrancais;
    // AM and PM designators, compared without regard to case.
    std::vector<std::string> matin{"AM"};
    std::vector<std::string> apresMidi{"PM"};
    // Words of the user's formats, read as separators.
    std::vector<std::string> litterauxDate;
    std::vector<std::string> litterauxHeure;
    // Separators that mark a time when no date is given.
    std::vector<std::string> separateursHeure{":"};
    // Month names of the user's language (full and short forms), January first.
    std::array<std::vector<std::string>, 12> nomsMois;
    // The year of a day and a month typed without one ("10/04 19:32"); 0
    // refuses such a date.
    int anneeCourante = 0;
    // Offset of local time from UTC, in seconds, in force at a local date and
    // time (7200 for a Paris summer date). Empty: local time is UTC.
    std::function<std::int64_t(const SystemTime& local)> decalage;
};

class ErreurDate : public std::runtime_error {
public:
    enum class Genre { Illisible, Avant1601 };
    ErreurDate(Genre genre, const std::string& texte);
    Genre genre() const { return genre_; }

private:
    Genre genre_;
};

struct DateHeure {
    int annee = 1899;
    int mois = 12;
    int jour = 30;
    int heure = 0;
    int minute = 0;
    int seconde = 0;
    bool operator==(const DateHeure&) const = default;
};

// The date and time a text stands for: a date alone gives midnight, a time
// alone 30 December 1899, a day and a month alone the current year. Throws
// ErreurDate (Illisible).
DateHeure lireDateHeure(const std::string& texte, const ReglesDate& regles);

// Calendar record of a date and time, weekday filled, milliseconds 0.
SystemTime versSystemTime(const DateHeure& d);

// SystemTimeToFileTime: no time-zone change. Throws ErreurDate (Avant1601)
// for a date a file time can't hold, (Illisible) for impossible fields.
FileTime SystemTimeToFileTime(const SystemTime& st);

// Local file time to UTC with the offset in force at that local time. Throws
// ErreurDate (Avant1601) for a time at or before 1 January 1601 00:00 UTC:
// a file time of 0 means "leave unchanged" to the write.
FileTime LocalFileTimeToFileTime(FileTime local, const SystemTime& st, const ReglesDate& regles);

// The whole conversion of a "date time" text to the UTC file time.
FileTime DateVersFileTime(const std::string& texte, const ReglesDate& regles);

// Days since 1 January 1970 of a Gregorian date (negative before).
std::int64_t joursDepuis1970(int annee, int mois, int jour);
int joursDansMois(int annee, int mois);

} // namespace kalvent
