#include "data/ConnectionString.h"
#include "data/Database.h"

#include <QRegularExpression>

QMap<QString, QString> ParseConnectionString(const QString& connectionString)
{
    QMap<QString, QString> pairs;
    const QStringList parts = connectionString.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        pairs.insert(part.left(equals).trimmed().toLower(), part.mid(equals + 1).trimmed());
    }
    return pairs;
}

QString MaskPassword(const QString& connectionString)
{
    // The value runs up to the next ";" (or the end); the key may be written in any case.
    static const QRegularExpression password(QStringLiteral("(\\b(?:pwd|password)\\s*=)[^;]*"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString masked = connectionString;
    masked.replace(password, QStringLiteral("\\1****"));
    return masked;
}
