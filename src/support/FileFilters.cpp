#include "support/FileFilters.h"

QStringList FileDialogNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ').trimmed();
        if (patterns.isEmpty())
            continue;
        // Qt reads the patterns from the last parentheses: a description that already shows
        // them is taken as it is.
        if (description.endsWith(QStringLiteral("(") + patterns + u')'))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + patterns + u')');
    }
    return filters;
}
