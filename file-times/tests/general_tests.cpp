// The text to file time conversion, without any window or platform.
#include "file-times/core/general.hpp"

#include <gtest/gtest.h>

using namespace kalvent;

namespace {

// Paris: UTC+1, UTC+2 from the last Sunday of March 02:00 to the last Sunday of October 03:00.
std::int64_t decalageParis(const SystemTime& st)
{
    auto dernierDimanche = [&](int mois) {
        const int dernier = joursDansMois(st.wYear, mois);
        const std::int64_t j = joursDepuis1970(st.wYear, mois, dernier);
        return dernier - static_cast<int>(((j % 7) + 7 + 4) % 7);
    };
    const int mars = dernierDimanche(3), octobre = dernierDimanche(10);
    const int cle = st.wMonth * 10000 + st.wDay * 100 + st.wHour;
    const bool ete = cle >= 3 * 10000 + mars * 100 + 2 && cle < 10 * 10000 + octobre * 100 + 3;
    return ete ? 7200 : 3600;
}

ReglesDate reglesParis()
{
    ReglesDate r;
    r.decalage = decalageParis;
    return r;
}

constexpr FileTime depuisUnix(std::int64_t secondes)
{
    return static_cast<FileTime>(secondes + 11644473600LL) * ticksParSeconde;
}

} // namespace

TEST(DateVersFileTime, TextesFrancaisVersUtc)
{
    struct Cas {
        const char* nom;
        const char* texte;
        FileTime attendu;
    } cas[] = {
        {"exemple de l'aide, heure d'été", "10/04/01 19:32:24", depuisUnix(986923944)},
        {"année sur quatre chiffres", "10/04/2001 19:32:24", depuisUnix(986923944)},
        {"29 donne 2029", "01/01/29 01:00:00", depuisUnix(1861920000)},
        {"30 donne 1930", "01/01/30 01:00:00", depuisUnix(-1262304000)},
        {"sans secondes", "10/04/01 19:32", depuisUnix(986923944 - 24)},
        {"sans heure : minuit", "10/04/01", depuisUnix(986923944 - 19 * 3600 - 32 * 60 - 24)},
        {"blancs autour", "  10/04/01   19:32:24 ", depuisUnix(986923944)},
        {"été tapé en hiver", "14/07/2026 12:00:00", depuisUnix(1784023200)},
        {"hiver tapé en été", "14/01/2026 12:00:00", depuisUnix(1768388400)},
        {"29 février bissextile", "29/02/2024 13:00", depuisUnix(1709208000)},
        {"heure avant la date", "19:32:24 10/04/01", depuisUnix(986923944)},
        {"année d'abord", "2001-04-10 19:32:24", depuisUnix(986923944)},
    };
    const ReglesDate r = reglesParis();
    for (const auto& c : cas)
        EXPECT_EQ(DateVersFileTime(c.texte, r), c.attendu) << c.nom;
}

TEST(DateVersFileTime, HeureSeuleLe30Decembre1899)
{
    // Day 0 of the OLE date: 30 December 1899 19:32:24 local, UTC+1 in winter.
    const ReglesDate r = reglesParis();
    EXPECT_EQ(lireDateHeure(" 19:32:24", r), (DateHeure{1899, 12, 30, 19, 32, 24}));
    EXPECT_EQ(DateVersFileTime(" 19:32:24", r), depuisUnix(-2209094856));
}

TEST(DateVersFileTime, TextesRefuses)
{
    struct Cas {
        const char* nom;
        const char* texte;
        ErreurDate::Genre genre;
    } cas[] = {
        {"vide", " ", ErreurDate::Genre::Illisible},
        {"lettres", "demain midi", ErreurDate::Genre::Illisible},
        {"lettres dans la date", "10/avril/01 19:32:24", ErreurDate::Genre::Illisible},
        {"31 avril", "31/04/01 10:00:00", ErreurDate::Genre::Illisible},
        {"29 février non bissextile", "29/02/2100 10:00:00", ErreurDate::Genre::Illisible},
        {"mois 13", "10/13/01 10:00:00", ErreurDate::Genre::Illisible},
        {"jour 0", "00/04/01 10:00:00", ErreurDate::Genre::Illisible},
        {"heure 24", "10/04/01 24:00:00", ErreurDate::Genre::Illisible},
        {"minute 60", "10/04/01 10:60:00", ErreurDate::Genre::Illisible},
        {"seconde 60", "10/04/01 10:00:60", ErreurDate::Genre::Illisible},
        {"trop de nombres", "10/04/01 10:00:00:00", ErreurDate::Genre::Illisible},
        {"jour et mois sans année connue", "10/04 10:00:00", ErreurDate::Genre::Illisible},
        {"nombre démesuré", "10/04/01 10:00:0000000000001", ErreurDate::Genre::Illisible},
        {"année sur trois chiffres", "10/04/201 10:00", ErreurDate::Genre::Illisible},
        {"deux AM", "10/04/01 10:00 AM PM", ErreurDate::Genre::Illisible},
        {"13 PM", "10/04/01 13:00 PM", ErreurDate::Genre::Illisible},
        {"avant 1601", "31/12/1600 23:00:00", ErreurDate::Genre::Avant1601},
        {"1er janvier 1601 en UTC+1", "01/01/1601 00:30:00", ErreurDate::Genre::Avant1601},
        {"file time 0, qui laisserait la date inchangée", "01/01/1601 01:00:00", ErreurDate::Genre::Avant1601},
    };
    const ReglesDate r = reglesParis();
    for (const auto& c : cas) {
        try {
            DateVersFileTime(c.texte, r);
            ADD_FAILURE() << c.nom << " accepté";
        } catch (const ErreurDate& e) {
            EXPECT_EQ(e.genre(), c.genre) << c.nom;
        }
    }
}

// A day and a month without a year fall in the current year.
TEST(DateVersFileTime, JourEtMoisSansAnnee)
{
    struct Cas {
        const char* nom;
        OrdreDate ordre;
        const char* texte;
        DateHeure attendu; // annee 0: refused
    } cas[] = {
        {"avec l'heure", ordreFrancais, "10/04 19:32:24", {2026, 4, 10, 19, 32, 24}},
        {"sans secondes", ordreFrancais, "10/04 19:32", {2026, 4, 10, 19, 32, 0}},
        {"sans heure", ordreFrancais, "10/04", {2026, 4, 10, 0, 0, 0}},
        {"heure d'abord", ordreFrancais, "19:32 10/04", {2026, 4, 10, 19, 32, 0}},
        {"mois en lettres", ordreFrancais, "10 avril 19:32", {2026, 4, 10, 19, 32, 0}},
        {"mois d'abord et PM", {Champ::Mois, Champ::Jour, Champ::Annee}, "4/10 7:32 PM", {2026, 4, 10, 19, 32, 0}},
        {"année d'abord", {Champ::Annee, Champ::Mois, Champ::Jour}, "04-10 19:32", {2026, 4, 10, 19, 32, 0}},
        {"31 avril", ordreFrancais, "31/04 10:00", {0}},
        {"29 février d'une année non bissextile", ordreFrancais, "29/02 10:00", {0}},
        {"mois et année", ordreFrancais, "04/2001 10:00", {0}},
        {"heure d'un seul nombre", ordreFrancais, "10/04 19", {2019, 4, 10, 0, 0, 0}},
        {"heure mal séparée", ordreFrancais, "10/04 19/32", {0}},
    };
    for (const auto& c : cas) {
        ReglesDate r;
        r.ordre = c.ordre;
        r.anneeCourante = 2026;
        r.nomsMois[3] = {"avril"};
        try {
            EXPECT_EQ(lireDateHeure(c.texte, r), c.attendu) << c.nom;
        } catch (const ErreurDate&) {
            EXPECT_EQ(c.attendu.annee, 0) << c.nom << " refusé";
        }
    }
}

TEST(DateVersFileTime, OrdreEtMeridiens)
{
    struct Cas {
        const char* nom;
        OrdreDate ordre;
        const char* texte;
        DateHeure attendu;
    } cas[] = {
        {"mois d'abord", {Champ::Mois, Champ::Jour, Champ::Annee}, "4/10/01 7:32:24 PM", {2001, 4, 10, 19, 32, 24}},
        {"minuit AM", {Champ::Mois, Champ::Jour, Champ::Annee}, "4/10/01 12:05:00 am", {2001, 4, 10, 0, 5, 0}},
        {"midi PM", {Champ::Mois, Champ::Jour, Champ::Annee}, "4/10/01 12:05 PM", {2001, 4, 10, 12, 5, 0}},
        {"heure seule avec PM", {Champ::Mois, Champ::Jour, Champ::Annee}, "4/10/01 7 PM", {2001, 4, 10, 19, 0, 0}},
        {"année d'abord", {Champ::Annee, Champ::Mois, Champ::Jour}, "01/04/10 19:32:24", {2001, 4, 10, 19, 32, 24}},
        {"désignation avant l'heure", {Champ::Annee, Champ::Mois, Champ::Jour}, "2001/4/10 PM 7:32:24", {2001, 4, 10, 19, 32, 24}},
    };
    for (const auto& c : cas) {
        ReglesDate r;
        r.ordre = c.ordre;
        EXPECT_EQ(lireDateHeure(c.texte, r), c.attendu) << c.nom;
    }
}

TEST(DateVersFileTime, MotsEtSeparateursDesFormatsRegionaux)
{
    struct Cas {
        const char* nom;
        const char* formatDate;
        const char* formatHeure;
        std::vector<std::string> matin, apresMidi;
        const char* texte;
        DateHeure attendu;
    } cas[] = {
        {"canadien", "y-MM-dd", "HH 'h' mm 'min' ss 's'", {"a.m."}, {"p.m."}, "2001-04-10 19 h 32 min 24 s", {2001, 4, 10, 19, 32, 24}},
        {"bulgare", "d.MM.yy 'г'.", "H:mm:ss", {}, {}, "10.04.01 г. 19:32:24", {2001, 4, 10, 19, 32, 24}},
        {"japonais", "y/MM/dd", "H時mm分ss秒", {}, {}, "2001/04/10 19時32分24秒", {2001, 4, 10, 19, 32, 24}},
        {"coréen", "yy. M. d.", "a h:mm:ss", {"오전"}, {"오후"}, "01. 4. 10. 오후 7:32:24", {2001, 4, 10, 19, 32, 24}},
        {"espagnol 12 h", "d/M/yy", "h:mm:ss a", {"a. m."}, {"p. m."}, "10/4/01 7:32:24 p. m.", {2001, 4, 10, 19, 32, 24}},
        {"danois", "dd.MM.y", "HH.mm.ss", {}, {}, "10.04.2001 19.32.24", {2001, 4, 10, 19, 32, 24}},
        {"mois en lettres", "d MMM y", "HH:mm:ss", {}, {}, "10 avr. 2001 19:32:24", {2001, 4, 10, 19, 32, 24}},
        {"mois en lettres d'abord", "MMM d, y", "h:mm:ss AP", {"AM"}, {"PM"}, "Apr 10, 2001 7:32:24 PM", {2001, 4, 10, 19, 32, 24}},
        {"espace insécable", "dd/MM/y", "HH:mm:ss", {}, {}, "10/04/2001\xC2\xA0" "19:32:24", {2001, 4, 10, 19, 32, 24}},
    };
    for (const auto& c : cas) {
        ReglesDate r;
        r.ordre = ordreDate(c.formatDate);
        r.litterauxDate = litterauxDuFormat(c.formatDate);
        r.litterauxHeure = litterauxDuFormat(c.formatHeure);
        r.matin = c.matin;
        r.apresMidi = c.apresMidi;
        r.separateursHeure = separateursDuFormat(c.formatHeure);
        r.nomsMois[3] = {"avr.", "avril", "Apr", "April"};
        EXPECT_EQ(lireDateHeure(c.texte, r), c.attendu) << c.nom;
    }
    // A word that no format of the user holds is still refused.
    ReglesDate canadien;
    canadien.litterauxHeure = litterauxDuFormat("HH 'h' mm 'min' ss 's'");
    EXPECT_THROW(lireDateHeure("10/04/01 19 h 32 sec 24", canadien), ErreurDate);
    // A month name where the time stands, or two of them, is no date.
    ReglesDate noms;
    noms.nomsMois[3] = {"avril"};
    EXPECT_THROW(lireDateHeure("10/04/01 avril:32:24", noms), ErreurDate);
    EXPECT_THROW(lireDateHeure("10 avril avril 19:32:24", noms), ErreurDate);
}

TEST(OrdreDate, OrdreDesFormatsCourts)
{
    using C = Champ;
    struct Cas {
        const char* format;
        OrdreDate attendu;
    } cas[] = {
        {"dd/MM/yyyy", {C::Jour, C::Mois, C::Annee}},   // fr_FR
        {"M/d/yy", {C::Mois, C::Jour, C::Annee}},       // en_US
        {"dd.MM.yy", {C::Jour, C::Mois, C::Annee}},     // de_DE
        {"y-MM-dd", {C::Annee, C::Mois, C::Jour}},      // sv_SE, fr_CA
        {"yyyy/MM/dd", {C::Annee, C::Mois, C::Jour}},   // ja_JP
        {"yy. M. d.", {C::Annee, C::Mois, C::Jour}},    // ko_KR
        {"d.MM.yy 'г'.", {C::Jour, C::Mois, C::Annee}}, // bg_BG
        {"'day' d 'month' M 'year' y", {C::Jour, C::Mois, C::Annee}},
        {"y-dd-MM", {C::Annee, C::Jour, C::Mois}},
        {"HH:mm", {C::Jour, C::Mois, C::Annee}},        // no date fields: French order
    };
    for (const auto& c : cas)
        EXPECT_EQ(ordreDate(c.format), c.attendu) << c.format;
}

TEST(SystemTime, EnregistrementEtJourDeLaSemaine)
{
    struct Cas {
        DateHeure date;
        std::uint16_t jourSemaine;
    } cas[] = {
        {{2001, 4, 10, 19, 32, 24}, 2}, // Tuesday
        {{1899, 12, 30, 0, 0, 0}, 6},   // Saturday
        {{1601, 1, 1, 0, 0, 0}, 1},     // Monday
        {{2024, 2, 29, 0, 0, 0}, 4},    // Thursday
        {{2026, 12, 6, 0, 0, 0}, 0},    // Sunday
    };
    for (const auto& c : cas) {
        const SystemTime st = versSystemTime(c.date);
        EXPECT_EQ(st.wDayOfWeek, c.jourSemaine) << c.date.annee;
        EXPECT_EQ(st.wYear, c.date.annee);
        EXPECT_EQ(st.wMilliseconds, 0);
    }
    EXPECT_EQ(SystemTimeToFileTime(versSystemTime({1601, 1, 1, 0, 0, 0})), 0u);
    EXPECT_EQ(SystemTimeToFileTime(versSystemTime({2001, 4, 10, 17, 32, 24})), depuisUnix(986923944));
}
