// The text to file time conversion, and the rules read from the user's regional settings.
#include "common/testing/gtest_qt.hpp"
#include "file-times/core/general.hpp"
#include "file-times/ui/regional.hpp"

#include <QDateTime>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace kalvent;

namespace {

// The offsets in force in Paris at each date, from the time-zone database.
ReglesDate reglesParis()
{
    ReglesDate r;
    r.decalage = reglesRegionales(QLocale(QLocale::French, QLocale::France), QTimeZone("Europe/Paris")).decalage;
    return r;
}

constexpr FileTime depuisUnix(std::int64_t secondes) { return static_cast<FileTime>(secondes + 11644473600LL) * ticksParSeconde; }

} // namespace

// Texts typed in French, read on Paris time; a refused one gives the kind of its fault.
TEST(DateVersFileTime, TextesFrancaisVersUtc)
{
    constexpr FileTime illisible = 0, avant1601 = 1; // never a result: the file time 0 is refused
    struct Cas { const char* nom; const char* texte; FileTime attendu; } cas[] = {
        {"exemple de l'aide, heure d'été", "10/04/01 19:32:24", depuisUnix(986923944)},
        {"année sur quatre chiffres", "10/04/2001 19:32:24", depuisUnix(986923944)},
        {"29 donne 2029", "01/01/29 01:00:00", depuisUnix(1861920000)},
        {"30 donne 1930, à l'heure de Greenwich", "01/01/30 01:00:00", depuisUnix(-1262300400)},
        {"sans secondes", "10/04/01 19:32", depuisUnix(986923944 - 24)},
        {"sans heure : minuit", "10/04/01", depuisUnix(986923944 - 19 * 3600 - 32 * 60 - 24)},
        {"blancs autour", "  10/04/01   19:32:24 ", depuisUnix(986923944)},
        {"été tapé en hiver", "14/07/2026 12:00:00", depuisUnix(1784023200)},
        {"hiver tapé en été", "14/01/2026 12:00:00", depuisUnix(1768388400)},
        {"29 février bissextile", "29/02/2024 13:00", depuisUnix(1709208000)},
        {"29 février d'une année séculaire bissextile", "29/02/2000 12:00", depuisUnix(951822000)},
        {"heure avant la date", "19:32:24 10/04/01", depuisUnix(986923944)},
        {"année d'abord", "2001-04-10 19:32:24", depuisUnix(986923944)},
        // Day 0 of the OLE date, on Paris mean time (9 min 21 s ahead of UTC).
        {"heure seule : le 30 décembre 1899", " 19:32:24", depuisUnix(-2209091817)},
        {"dernière seconde de l'heure d'hiver", "29/03/2026 01:59:59", depuisUnix(1774745999)},
        {"première de l'heure d'été", "29/03/2026 03:00:00", depuisUnix(1774746000)},
        {"l'heure d'hiver revenue", "25/10/2026 04:00:00", depuisUnix(1792897200)},
        {"avant 1601", "31/12/1600 23:00:00", avant1601},
        {"1er janvier 1601 à Paris", "01/01/1601 00:05:00", avant1601},
        {"file time 0, qui laisserait la date inchangée", "01/01/1601 00:09:21", avant1601},
        // Unreadable: 31 April, 29 February 2100, month 13, day 0, hour 24, minute and second 60, too many
        // numbers, day and month with no year known, a huge number, a three-digit year, AM and PM, 13 PM.
        {"blanc", " ", illisible}, {"lettres", "demain midi", illisible}, {"", "10/avril/01 19:32:24", illisible},
        {"", "31/04/01 10:00:00", illisible}, {"", "29/02/2100 10:00:00", illisible}, {"", "10/13/01 10:00:00", illisible},
        {"", "00/04/01 10:00:00", illisible}, {"", "10/04/01 24:00:00", illisible}, {"", "10/04/01 10:60:00", illisible},
        {"", "10/04/01 10:00:60", illisible}, {"", "10/04/01 10:00:00:00", illisible}, {"", "10/04 10:00:00", illisible},
        {"", "10/04/01 10:00:0000000000001", illisible}, {"", "10/04/201 10:00", illisible},
        {"", "10/04/01 10:00 AM PM", illisible}, {"", "10/04/01 13:00 PM", illisible},
    };
    const ReglesDate r = reglesParis();
    for (const auto& c : cas) {
        try {
            EXPECT_EQ(DateVersFileTime(c.texte, r), c.attendu) << c.nom << c.texte;
        } catch (const ErreurDate& e) {
            EXPECT_EQ(e.genre() == ErreurDate::Genre::Avant1601 ? avant1601 : illisible, c.attendu) << c.nom << c.texte;
        }
    }
}

// The user's order of the fields, AM/PM, and a day and a month without a year: the clock's year.
TEST(DateVersFileTime, JourEtMoisSansAnnee)
{
    using C = Champ;
    const OrdreDate md{C::Mois, C::Jour, C::Annee}, amj{C::Annee, C::Mois, C::Jour};
    struct Cas { const char* nom; OrdreDate ordre; const char* texte; DateHeure attendu; } cas[] = { // annee 0: refused
        {"avec l'heure", ordreFrancais, "10/04 19:32:24", {2026, 4, 10, 19, 32, 24}},
        {"sans heure", ordreFrancais, "10/04", {2026, 4, 10, 0, 0, 0}},
        {"heure d'abord", ordreFrancais, "19:32 10/04", {2026, 4, 10, 19, 32, 0}},
        {"mois en lettres", ordreFrancais, "10 avril 19:32", {2026, 4, 10, 19, 32, 0}},
        {"mois d'abord et PM", md, "4/10 7:32 PM", {2026, 4, 10, 19, 32, 0}},
        {"année d'abord, sans année", amj, "04-10 19:32", {2026, 4, 10, 19, 32, 0}},
        {"31 avril", ordreFrancais, "31/04 10:00", {0}},
        {"29 février d'une année non bissextile", ordreFrancais, "29/02 10:00", {0}},
        {"mois et année", ordreFrancais, "04/2001 10:00", {0}},
        {"heure d'un seul nombre", ordreFrancais, "10/04 19", {2019, 4, 10, 0, 0, 0}},
        {"heure mal séparée", ordreFrancais, "10/04 19/32", {0}},
        {"minuit AM", md, "4/10/01 12:05:00 am", {2001, 4, 10, 0, 5, 0}},
        {"midi PM", md, "4/10/01 12:05 PM", {2001, 4, 10, 12, 5, 0}},
        {"heure seule avec PM", md, "4/10/01 7 PM", {2001, 4, 10, 19, 0, 0}},
        {"année d'abord", amj, "01/04/10 19:32:24", {2001, 4, 10, 19, 32, 24}},
        {"désignation avant l'heure", amj, "2001/4/10 PM 7:32:24", {2001, 4, 10, 19, 32, 24}},
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

TEST(DateVersFileTime, MotsEtSeparateursDesFormatsRegionaux)
{
    struct Cas {
        const char *nom, *formatDate, *formatHeure;
        std::vector<std::string> matin, apresMidi;
        const char* texte;
        DateHeure attendu;
    } cas[] = {
        // The formats of real locales are read back whole in Regional.ChaqueLocaleRelitSesPropresTextes.
        {"canadien", "y-MM-dd", "HH 'h' mm 'min' ss 's'", {"a.m."}, {"p.m."}, "2001-04-10 19 h 32 min 24 s", {2001, 4, 10, 19, 32, 24}},
        {"danois, l'heure d'abord et « : »", "dd.MM.y", "HH.mm.ss", {}, {}, "19:32:24 10.04.2001", {2001, 4, 10, 19, 32, 24}},
        {"mois en lettres", "d MMM y", "HH:mm:ss", {}, {}, "10 avr. 2001 19:32:24", {2001, 4, 10, 19, 32, 24}},
        {"mois en lettres d'abord", "MMM d, y", "h:mm:ss AP", {"AM"}, {"PM"}, "Apr 10, 2001 7:32:24 PM", {2001, 4, 10, 19, 32, 24}},
        {"espace insécable", "dd/MM/y", "HH:mm:ss", {}, {}, "10/04/2001\xC2\xA0" "19:32:24", {2001, 4, 10, 19, 32, 24}},
        {"marque de lettre arabe", "dd/MM/y", "HH:mm:ss", {}, {}, "10/04/2001\xD8\x9C" "19:32:24", {2001, 4, 10, 19, 32, 24}},
    };
    for (const auto& c : cas) {
        ReglesDate r;
        r.ordre = ordreDate(c.formatDate);
        r.litterauxDate = litterauxDuFormat(c.formatDate);
        r.litterauxHeure = litterauxDuFormat(c.formatHeure);
        r.matin = c.matin, r.apresMidi = c.apresMidi;
        r.separateursHeure = separateursDuFormat(c.formatHeure);
        r.nomsMois[3] = {"avr.", "avril", "Apr", "April"};
        EXPECT_EQ(lireDateHeure(c.texte, r), c.attendu) << c.nom;
    }
    // A word no format of the user holds, a month name where the time stands, or two of them: no date.
    ReglesDate r;
    r.litterauxHeure = litterauxDuFormat("HH 'h' mm 'min' ss 's'");
    r.nomsMois[3] = {"avril"};
    for (const char* texte : {"10/04/01 19 h 32 sec 24", "10/04/01 avril:32:24", "10 avril avril 19:32:24"})
        EXPECT_THROW(lireDateHeure(texte, r), ErreurDate) << texte;
}

// Every locale reads back the date and time the window writes in its boxes.
TEST(Regional, ChaqueLocaleRelitSesPropresTextes)
{
    const QDateTime moments[] = {{QDate(2001, 4, 10), QTime(19, 32, 24)}, {QDate(2026, 12, 6), QTime(9, 5, 7)},
                                 {QDate(2029, 1, 31), QTime(0, 0, 0)}, {QDate(2010, 11, 12), QTime(12, 59, 59)}};
    const QTimeZone utc = QTimeZone::utc();
    QStringList echecs;
    int essais = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const ReglesDate regles = reglesRegionales(locale, utc);
        for (const QDateTime& m : moments) {
            const QString texte = texteDateCourte(locale, m.date()) + ' ' + texteHeureLongue(locale, m.time());
            ++essais;
            const DateHeure attendu{m.date().year(), m.date().month(), m.date().day(),
                                    m.time().hour(), m.time().minute(), m.time().second()};
            try {
                if (!(lireDateHeure(texteAConvertir(texte), regles) == attendu))
                    echecs << locale.name() + ": " + texte + " mal lu";
            } catch (const ErreurDate&) {
                echecs << locale.name() + ": " + texte + " refusé";
            }
        }
    }
    EXPECT_GT(essais, 1000);
    EXPECT_TRUE(echecs.isEmpty()) << echecs.size() << " échecs:\n" << echecs.mid(0, 200).join('\n').toStdString();
}
