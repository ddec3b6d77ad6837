#include "namefilters.h"

#include "openfilename.h"

#include <algorithm>

namespace mosaikon {
namespace {

QStringList partsOf(const char *list) {
    QStringList parts;
    for (const char *part = list; part != nullptr && *part != '\0'; part += qstrlen(part) + 1)
        parts.append(fromRecordText(part));
    return parts;
}

QString qtPatterns(const QString &patternList) {
    QStringList patterns;
    for (const QString &pattern : patternList.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed.isEmpty()) continue;
        patterns.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return patterns.isEmpty() ? QStringLiteral("*") : patterns.join(QLatin1Char(' '));
}

} // namespace

QStringList nameFiltersFromList(const char *list) {
    const QStringList parts = partsOf(list);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(parts[i] + QStringLiteral(" (") + qtPatterns(parts[i + 1]) +
                       QLatin1Char(')'));
    return filters;
}

qsizetype filterNumber(const QStringList &filters, const QString &shown) {
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString &filter = filters[i];
        const QString details = filter.sliced(std::min(shown.size(), filter.size())).trimmed();
        const bool hidden = details.startsWith(QLatin1Char('(')) &&
                            details.endsWith(QLatin1Char(')')) &&
                            details.count(QLatin1Char('(')) == 1;
        if (filter == shown || (filter.startsWith(shown) && hidden)) return i + 1;
    }
    return 0;
}

} // namespace mosaikon
