#pragma once

// Lets GoogleTest print a QString as readable text, NULs shown as \0.

#include <QString>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toUtf8().replace('\0', "\\0").toStdString() << '"';
}
