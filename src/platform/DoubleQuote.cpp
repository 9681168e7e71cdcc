#include "platform/DoubleQuote.h"

QString DoubleQuote(const QString& text)
{
    return QStringLiteral("\"") + text + QStringLiteral("\"");
}
