#pragma once
// The user's regional settings as the conversion needs them: the texts the
// window writes in its boxes, and the rules that read them back.
#include "file-times/core/general.hpp"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QTimeZone>

namespace kalvent {

// A long time format without its time-zone name ("HH:mm:ss t" -> "HH:mm:ss").
QString formatHeureSansFuseau(const QString& formatLong);

// The short date and the long time (no time-zone name), as in the boxes.
QString texteDateCourte(const QLocale& locale, const QDate& date);
QString texteHeureLongue(const QLocale& locale, const QTime& heure);

// The conversion rules of a locale and a time zone: date order, AM/PM,
// the words of its formats, and the offset in force at the typed moment.
ReglesDate reglesRegionales(const QLocale& locale, const QTimeZone& fuseau);

// A box's text for the conversion: digits of any script as ASCII digits, UTF-8.
std::string texteAConvertir(const QString& texte);

} // namespace kalvent
