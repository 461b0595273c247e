#include "qt/ui/HelpMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "platform/UiPort.h"

namespace hvx {

QString HelpMap::Folder() {
    const QString fromEnvironment = qEnvironmentVariable("HARVEXA_HELP_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral(HARVEXA_HELP_DIR) : fromEnvironment;
}

HelpMap::HelpMap(const QString& folder) : folder_(folder) {
    QFile file(QDir(folder_).filePath("index.map"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const int equals = line.indexOf('=');
        bool isNumber = false;
        const int context = line.left(equals).trimmed().toInt(&isNumber);
        const QString page = line.mid(equals + 1).trimmed();
        if (equals > 0 && isNumber && !page.isEmpty()) pages_.insert(context, page);
    }
}

QString HelpMap::ContentsPage() const { return QDir(folder_).filePath("index.html"); }

QString HelpMap::PageFor(const QString& helpFile, int context) const {
    if (QFileInfo(helpFile).fileName().compare(kHelpFile, Qt::CaseInsensitive) != 0 ||
        !pages_.contains(context))
        return ContentsPage();
    const QString page = pages_.value(context);
    const QString file = page.section('#', 0, 0);
    if (!QFileInfo::exists(QDir(folder_).filePath(file))) return ContentsPage();
    return QDir(folder_).filePath(page);
}

}  // namespace hvx
