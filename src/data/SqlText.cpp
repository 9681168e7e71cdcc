#include "data/SqlText.h"

QString SqlQuote(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString ReplaceApostrophes(const QString& text)
{
    QString replaced = text;
    replaced.replace(QLatin1Char('\''), QChar(0x00B4));
    return replaced;
}

QString BracketsToDoubleQuotes(const QString& sql)
{
    QString out;
    out.reserve(sql.size());
    bool inLiteral = false;
    bool inBracket = false;
    for (QChar c : sql) {
        if (inLiteral) {
            // A doubled apostrophe closes and reopens the literal, which this toggling handles too.
            if (c == QLatin1Char('\''))
                inLiteral = false;
            out += c;
        } else if (inBracket) {
            if (c == QLatin1Char(']')) {
                inBracket = false;
                out += QLatin1Char('"');
            } else {
                out += c;
            }
        } else if (c == QLatin1Char('\'')) {
            inLiteral = true;
            out += c;
        } else if (c == QLatin1Char('[')) {
            inBracket = true;
            out += QLatin1Char('"');
        } else {
            out += c;
        }
    }
    return out;
}
