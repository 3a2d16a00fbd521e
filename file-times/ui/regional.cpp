#include "file-times/ui/regional.hpp"

#include <QDateTime>
#include <QRegularExpression>

namespace kalvent {

QString formatHeureSansFuseau(const QString& formatLong)
{
    // Drops the unquoted "t" fields, with the brackets and blanks around them,
    // and writes the day period "B", which QLocale can't format, as AM/PM.
    QString resultat;
    bool cite = false;
    for (int i = 0; i < formatLong.size(); ++i) {
        const QChar c = formatLong.at(i);
        if (c == QLatin1Char('\''))
            cite = !cite;
        if (!cite && c == QLatin1Char('t')) {
            while (!resultat.isEmpty() && (resultat.back().isSpace() || resultat.back() == QLatin1Char('[')))
                resultat.chop(1);
            while (i + 1 < formatLong.size() && formatLong.at(i + 1) == QLatin1Char(']'))
                ++i;
            continue;
        }
        if (!cite && c == QLatin1Char('B')) {
            while (i + 1 < formatLong.size() && formatLong.at(i + 1) == QLatin1Char('B'))
                ++i;
            resultat += QStringLiteral("AP");
            continue;
        }
        resultat += c;
    }
    return resultat.trimmed();
}

QString texteDateCourte(const QLocale& locale, const QDate& date)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString texteHeureLongue(const QLocale& locale, const QTime& heure)
{
    return locale.toString(heure, formatHeureSansFuseau(locale.timeFormat(QLocale::LongFormat)));
}

ReglesDate reglesRegionales(const QLocale& locale, const QTimeZone& fuseau)
{
    const std::string formatDate = locale.dateFormat(QLocale::ShortFormat).toStdString();
    const std::string formatHeure = formatHeureSansFuseau(locale.timeFormat(QLocale::LongFormat)).toStdString();
    ReglesDate r;
    r.ordre = ordreDate(formatDate);
    // The designators as written, and in capitals as "AP" writes them.
    auto variantes = [](const QString& texte, const char* anglais) {
        return std::vector<std::string>{texte.toStdString(), texte.toUpper().toStdString(),
                                        texte.toLower().toStdString(), anglais};
    };
    r.matin = variantes(locale.amText(), "AM");
    r.apresMidi = variantes(locale.pmText(), "PM");
    for (int m = 1; m <= 12; ++m) {
        auto& noms = r.nomsMois[static_cast<std::size_t>(m - 1)];
        for (const QString& nom : {locale.monthName(m, QLocale::LongFormat), locale.monthName(m, QLocale::ShortFormat),
                                   locale.standaloneMonthName(m, QLocale::LongFormat),
                                   locale.standaloneMonthName(m, QLocale::ShortFormat)}) {
            for (const QString& forme : {nom, nom.toLower(), nom.toUpper()})
                noms.push_back(forme.toStdString());
        }
    }
    r.litterauxDate = litterauxDuFormat(formatDate);
    r.litterauxHeure = litterauxDuFormat(formatHeure);
    // Only separators that no date uses tell a time alone from a date.
    r.separateursHeure.clear();
    for (const std::string& s : separateursDuFormat(formatHeure)) {
        if (formatDate.find(s) == std::string::npos)
            r.separateursHeure.push_back(s);
    }
    r.decalage = [fuseau](const SystemTime& st) -> std::int64_t {
        const QDateTime local(QDate(st.wYear, st.wMonth, st.wDay), QTime(st.wHour, st.wMinute, st.wSecond), fuseau);
        return local.offsetFromUtc();
    };
    return r;
}

std::string texteAConvertir(const QString& texte)
{
    QString ascii;
    ascii.reserve(texte.size());
    for (const char32_t c : texte.toUcs4()) {
        const int chiffre = QChar::digitValue(c);
        if (chiffre >= 0 && c > 127 && QChar::category(c) == QChar::Number_DecimalDigit)
            ascii += QChar(u'0' + chiffre);
        else
            ascii += QString::fromUcs4(&c, 1);
    }
    return ascii.toStdString();
}

} // namespace kalvent
