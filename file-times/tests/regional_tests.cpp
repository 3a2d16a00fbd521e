// The user's regional formats: what the window writes, the rules read back.
#include "common/testing/gtest_qt.hpp"
#include "file-times/ui/regional.hpp"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace kalvent;

TEST(Regional, HeureLongueSansNomDeFuseau)
{
    struct Cas {
        const char* format;
        const char* attendu;
    } cas[] = {
        {"HH:mm:ss t", "HH:mm:ss"},
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"t HH:mm:ss", "HH:mm:ss"},
        {"HH 'h' mm 'min' ss 's' t", "HH 'h' mm 'min' ss 's'"},
        {"HH:mm:ss 'at' t", "HH:mm:ss 'at'"},
        {"HH:mm:ss", "HH:mm:ss"},
        {"Bh:mm:ss [t]", "APh:mm:ss"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(formatHeureSansFuseau(QString::fromUtf8(c.format)), QString::fromUtf8(c.attendu)) << c.format;
}

TEST(Regional, ChiffresDeToutesLesEcritures)
{
    EXPECT_EQ(texteAConvertir(QStringLiteral("١٠/٠٤/٢٠٠١")), "10/04/2001");
    EXPECT_EQ(texteAConvertir(QStringLiteral("१९:३२")), "19:32");
    EXPECT_EQ(texteAConvertir(QStringLiteral("10/04/01 19:32:24")), "10/04/01 19:32:24");
}

// Every locale reads back the date and time the window writes in its boxes.
TEST(Regional, ChaqueLocaleRelitSesPropresTextes)
{
    const QDateTime moments[] = {
        QDateTime(QDate(2001, 4, 10), QTime(19, 32, 24)),
        QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)),
        QDateTime(QDate(2029, 1, 31), QTime(0, 0, 0)),
        QDateTime(QDate(2010, 11, 12), QTime(12, 59, 59)),
    };
    const QTimeZone utc = QTimeZone::utc();
    QStringList echecs;
    int essais = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const ReglesDate regles = reglesRegionales(locale, utc);
        for (const QDateTime& m : moments) {
            const QString texte = texteDateCourte(locale, m.date()) + ' ' + texteHeureLongue(locale, m.time());
            ++essais;
            try {
                const DateHeure lu = lireDateHeure(texteAConvertir(texte), regles);
                const DateHeure attendu{m.date().year(), m.date().month(), m.date().day(),
                                        m.time().hour(), m.time().minute(), m.time().second()};
                if (!(lu == attendu))
                    echecs << locale.name() + ": " + texte + " (lu " + QString::number(lu.annee) + "-" +
                                  QString::number(lu.mois) + "-" + QString::number(lu.jour) + " " +
                                  QString::number(lu.heure) + ":" + QString::number(lu.minute) + ")";
            } catch (const ErreurDate&) {
                echecs << locale.name() + ": " + texte + " [" + locale.dateFormat(QLocale::ShortFormat) + " | " +
                              locale.timeFormat(QLocale::LongFormat) + "] refusé";
            }
        }
    }
    EXPECT_GT(essais, 1000);
    EXPECT_TRUE(echecs.isEmpty()) << echecs.size() << " échecs:\n" << echecs.mid(0, 200).join('\n').toStdString();
}

TEST(Regional, DecalageEnVigueurALaDateTapee)
{
    const ReglesDate paris = reglesRegionales(QLocale(QLocale::French, QLocale::France), QTimeZone("Europe/Paris"));
    auto utc = [](int a, int mo, int j, int h, int mi, int s) {
        const QDateTime d(QDate(a, mo, j), QTime(h, mi, s), QTimeZone::utc());
        return static_cast<FileTime>(d.toSecsSinceEpoch() + 11644473600LL) * ticksParSeconde;
    };
    struct Cas {
        const char* texte;
        FileTime attendu;
    } cas[] = {
        {"10/04/01 19:32:24", utc(2001, 4, 10, 17, 32, 24)},
        {"14/01/2026 12:00:00", utc(2026, 1, 14, 11, 0, 0)},
        {"14/07/2026 12:00:00", utc(2026, 7, 14, 10, 0, 0)},
        {"29/03/2026 01:59:59", utc(2026, 3, 29, 0, 59, 59)},  // last second of winter time
        {"29/03/2026 03:00:00", utc(2026, 3, 29, 1, 0, 0)},    // first of summer time
        {"25/10/2026 04:00:00", utc(2026, 10, 25, 3, 0, 0)},   // winter again
    };
    for (const auto& c : cas)
        EXPECT_EQ(DateVersFileTime(c.texte, paris), c.attendu) << c.texte;
}
