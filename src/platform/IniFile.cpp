#include "platform/IniFile.h"

#include "platform/Cp1252.h"

#include <QFile>
#include <QStringDecoder>

namespace {

constexpr int kValueCapacity = 127;  // buffer of 128 characters, one kept for the terminator

// Profile files are Windows-1252 on the machines the program came from; a file edited here is
// usually UTF-8. Valid UTF-8 wins, anything else is read as Windows-1252.
QString DecodeIniText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return FromCp1252(bytes);
}

bool IsProfileBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

QString TrimProfileBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsProfileBlank(text[begin]))
        ++begin;
    while (end > begin && IsProfileBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

// "[name]" -> name; the name ends at the last ']' of the line.
bool ParseSectionHeader(const QString& line, QString& name)
{
    if (!line.startsWith(u'['))
        return false;
    const qsizetype close = line.lastIndexOf(u']');
    if (close < 0)
        return false;
    name = TrimProfileBlanks(QStringView(line).sliced(1, close - 1));
    return true;
}

QString StripMatchingQuotes(const QString& value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

QString CutToCapacity(const QString& value)
{
    if (value.size() <= kValueCapacity)
        return value;
    qsizetype length = kValueCapacity;
    if (value[length - 1].isHighSurrogate())
        --length;  // never leave half a character behind
    return value.left(length);
}

}  // namespace

QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key)
{
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString wantedSection = TrimProfileBlanks(section);
    const QString wantedKey = TrimProfileBlanks(key);
    if (wantedKey.isEmpty())
        return {};

    QString text = DecodeIniText(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    bool inWantedSection = false;
    bool sectionSeen = false;
    const QStringList lines = text.split(u'\n');
    for (const QString& rawLine : lines) {
        const QString line = TrimProfileBlanks(rawLine);
        QString sectionName;
        if (ParseSectionHeader(line, sectionName)) {
            if (inWantedSection)
                return {};  // only the first section of that name counts
            inWantedSection = !sectionSeen && sectionName.compare(wantedSection, Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inWantedSection;
            continue;
        }
        if (!inWantedSection || line.isEmpty() || line.startsWith(u';'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString lineKey = TrimProfileBlanks(QStringView(line).left(equals));
        if (lineKey.compare(wantedKey, Qt::CaseInsensitive) != 0)
            continue;
        const QString value = TrimProfileBlanks(QStringView(line).sliced(equals + 1));
        return CutToCapacity(StripMatchingQuotes(value));
    }
    return {};
}
