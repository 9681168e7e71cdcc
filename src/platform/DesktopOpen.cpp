#include "platform/DesktopOpen.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

namespace {

bool HasScheme(const QString& target)
{
    // Two letters at least, so that "C:/..." stays a file name.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

}  // namespace

bool DesktopOpen(const QString& target)
{
    if (target.isEmpty())
        return false;
    const QUrl url = HasScheme(target) ? QUrl(target) : QUrl::fromLocalFile(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}
