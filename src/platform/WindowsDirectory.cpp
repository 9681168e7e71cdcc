#include "platform/WindowsDirectory.h"

#include <QDir>

namespace {

QString WithoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

}  // namespace

QString WindowsDirectory()
{
    const QString windir = qEnvironmentVariable("WINDIR");
    if (!windir.isEmpty())
        return WithoutTrailingSeparator(windir);
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return WithoutTrailingSeparator(dataHome) + QStringLiteral("/kivo/windows");
}
