#pragma once
// Readable GoogleTest output for Qt values.
#include <QRect>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ')';
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << "QSize(" << s.width() << ", " << s.height() << ')'; }
