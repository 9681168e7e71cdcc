// ReadIniValue against the profile API's rules.
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct IniCase {
    const char* name;
    QByteArray content;
    const char* section;
    const char* key;
    QString expected;
};

QString ReadFrom(const QByteArray& content, const char* section, const char* key)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("configurazione.ini"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    return ReadIniValue(path, QString::fromUtf8(section), QString::fromUtf8(key));
}

void PrintTo(const IniCase& c, std::ostream* out)
{
    *out << c.name;
}

class IniFileTable : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniFileTable, ReadsAsTheProfileApi)
{
    const IniCase& c = GetParam();
    EXPECT_EQ(ReadFrom(c.content, c.section, c.key), c.expected) << c.name;
}

const QByteArray kLong130 = QByteArray("K=") + QByteArray(130, 'x') + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileTable,
    ::testing::Values(
        IniCase{"plain", "[opzioni]\r\nPC=Y\r\n", "opzioni", "PC", "Y"},
        IniCase{"section and key in any case", "[OPZIONI]\r\npc=Y\r\n", "Opzioni", "Pc", "Y"},
        IniCase{"blanks around names and value", "  [ opzioni ]  \r\n\t PNC  =  Studio Rossi  \r\n", "opzioni",
                "PNC", "Studio Rossi"},
        IniCase{"LF line ends", "[opzioni]\nPC=P\n", "opzioni", "PC", "P"},
        IniCase{"last line without line end", "[opzioni]\r\nPC=Y", "opzioni", "PC", "Y"},
        IniCase{"missing key", "[opzioni]\r\nPC=Y\r\n", "opzioni", "PNC", ""},
        IniCase{"missing section", "[altro]\r\nPC=Y\r\n", "opzioni", "PC", ""},
        IniCase{"key of another section", "[altro]\r\nPC=Y\r\n[opzioni]\r\nPNC=x\r\n", "opzioni", "PC", ""},
        IniCase{"key before any section", "PC=Y\r\n[opzioni]\r\n", "opzioni", "PC", ""},
        IniCase{"empty value", "[opzioni]\r\nPC=\r\n", "opzioni", "PC", ""},
        IniCase{"line without equals sign", "[opzioni]\r\nPC\r\n", "opzioni", "PC", ""},
        IniCase{"comment line is no key", "[opzioni]\r\n;PC=Y\r\n", "opzioni", "PC", ""},
        IniCase{"commented key then the real one", "[opzioni]\r\n; PC=N\r\nPC=Y\r\n", "opzioni", "PC", "Y"},
        IniCase{"text after the value belongs to it", "[opzioni]\r\nPC=Y ; yes\r\n", "opzioni", "PC", "Y ; yes"},
        IniCase{"first of two keys wins", "[opzioni]\r\nPC=A\r\nPC=B\r\n", "opzioni", "PC", "A"},
        IniCase{"only the first section of a name", "[opzioni]\r\nPC=A\r\n[opzioni]\r\nPNC=B\r\n", "opzioni",
                "PNC", ""},
        IniCase{"equals sign inside the value", "[servizio]\r\nHost=a=b\r\n", "servizio", "Host", "a=b"},
        IniCase{"matching double quotes dropped", "[opzioni]\r\nPDA=\"/tmp/a b\"\r\n", "opzioni", "PDA", "/tmp/a b"},
        IniCase{"matching single quotes dropped", "[opzioni]\r\nPDA='x'\r\n", "opzioni", "PDA", "x"},
        IniCase{"unmatched quote kept", "[opzioni]\r\nPDA=\"x\r\n", "opzioni", "PDA", "\"x"},
        IniCase{"value cut to 127 characters", QByteArray("[s]\r\n") + kLong130, "s", "K", QString(127, u'x')},
        IniCase{"header up to the last bracket", "[a]b]\r\nK=1\r\n", "a]b", "K", "1"},
        IniCase{"header without closing bracket is no section", "[opzioni\r\nPC=Y\r\n", "opzioni", "PC", ""},
        IniCase{"Windows-1252 bytes", "[opzioni]\r\nPNC=Citt\xE0\r\n", "opzioni", "PNC", QStringLiteral("Città")},
        IniCase{"UTF-8 with byte order mark", "\xEF\xBB\xBF[opzioni]\r\nPNC=Citt\xC3\xA0\r\n", "opzioni", "PNC",
                QStringLiteral("Città")},
        IniCase{"empty key name asks for nothing", "[opzioni]\r\n=x\r\n", "opzioni", "", ""}),
    [](const ::testing::TestParamInfo<IniCase>& info) { return "case" + std::to_string(info.index); });

TEST(IniFile, MissingFileReadsEmpty)
{
    QTemporaryDir dir;
    EXPECT_EQ(ReadIniValue(dir.filePath(QStringLiteral("none.ini")), QStringLiteral("opzioni"), QStringLiteral("PC")),
              QString());
    // A folder where the file should be reads as a missing file.
    EXPECT_EQ(ReadIniValue(dir.path(), QStringLiteral("opzioni"), QStringLiteral("PC")), QString());
}

TEST(IniFile, CutNeverSplitsACharacter)
{
    // 126 letters and then a character outside the basic plane: the cut keeps 126.
    const QString value = QString(126, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("zz");
    const QString read = ReadFrom("[s]\nK=" + value.toUtf8() + "\n", "s", "K");
    EXPECT_EQ(read, QString(126, u'a'));
}

}  // namespace
