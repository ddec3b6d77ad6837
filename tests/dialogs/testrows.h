#pragma once

// Names and printing for the rows of the dialog tests' parameterised tables.

#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// A QString in failure messages: its UTF-8 text, a NUL shown as \0.
inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << QString(text).replace(QChar(0), QStringLiteral("\\0")).toStdString() << '"';
}

namespace mosaikon {

// A row names its test.
template<typename Row> std::string nameOf(const ::testing::TestParamInfo<Row> &row) {
    return row.param.name;
}

} // namespace mosaikon
