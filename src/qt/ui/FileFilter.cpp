#include "qt/ui/FileFilter.h"

#include <QStringList>

namespace hvx {

QtFileFilter ToQtFileFilter(const QString& filter) {
    QtFileFilter out;
    QStringList patterns;
    if (!filter.contains('|')) {
        out.filters = filter;
        const int open = filter.indexOf('('), close = filter.indexOf(')', open + 1);
        if (open >= 0 && close > open)
            patterns = filter.mid(open + 1, close - open - 1).split(' ', Qt::SkipEmptyParts);
    } else {
        const QStringList parts = filter.split('|');
        QStringList filters;
        for (int i = 0; i + 1 < parts.size(); i += 2) {
            const QString description = parts[i].trimmed();
            // Windows separates the patterns of one filter with ';', Qt with blanks.
            const QStringList own = parts[i + 1].split(';', Qt::SkipEmptyParts);
            if (description.isEmpty() || own.isEmpty()) continue;
            const QString joined = own.join(' ').trimmed();
            // "Grain Search Set (*.gss)" already shows its patterns; Qt reads
            // them from the parentheses, so they are not repeated.
            filters << (description.contains('(') ? description
                                                  : description + " (" + joined + ")");
            patterns << own;
        }
        out.filters = filters.join(";;");
    }
    if (!patterns.isEmpty()) {
        const QString first = patterns.first().trimmed();
        if (first.startsWith("*.") && first.indexOf('*', 2) < 0 && !first.contains('?'))
            out.defaultSuffix = first.mid(2);
    }
    return out;
}

}  // namespace hvx
