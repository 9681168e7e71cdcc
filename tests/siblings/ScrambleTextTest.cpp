// ScrambleText: the shift by line constant and position, its inverse, and the promises the line
// constants make about what a printable character can become.
#include "platform/Cp1252.h"
#include "platform/KivoError.h"
#include "siblings/ConnectionFiles.h"

#include <gtest/gtest.h>

namespace {

const QString kWrite = QStringLiteral("Scrivi");
const QString kRead = QStringLiteral("Leggi");

struct ScrambleCase {
    const char* name;
    QString plain;
    int k;
    QByteArray scrambled;  // Windows-1252 codes
};

void PrintTo(const ScrambleCase& c, std::ostream* out)
{
    *out << c.name;
}

class ScrambleTable : public ::testing::TestWithParam<ScrambleCase> {};

TEST_P(ScrambleTable, WritesThenReadsBack)
{
    const ScrambleCase& c = GetParam();
    const QString written = ScrambleText(c.plain, kWrite, c.k);
    EXPECT_EQ(ToCp1252(written), c.scrambled) << c.name;
    EXPECT_EQ(ScrambleText(written, kRead, c.k), c.plain) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrambleTable,
    ::testing::Values(
        ScrambleCase{"empty", QString(), 12, QByteArray()},
        // 'A' (65) at positions 1, 2, 3 with k 12: 78, 79, 80 - the position term at work.
        ScrambleCase{"same letter at three positions", QStringLiteral("AAA"), 12, "NOP"},
        ScrambleCase{"database type letter", QStringLiteral("S"), 13, "a"},
        ScrambleCase{"blank and punctuation", QStringLiteral(" ,\""), 12, "-:1"},
        // 'à' (224) + 14 + 1 = 239 'ï'.
        ScrambleCase{"accented letter", QStringLiteral("à"), 14, "\xEF"},
        // Up to the top of the range: 'z' (122) + 15 + 118 = 255.
        ScrambleCase{"last code of the range", QString(117, u' ') + QStringLiteral("z"), 15,
                     [] {
                         QByteArray b;
                         for (int i = 1; i <= 117; ++i)
                             b.append(static_cast<char>(32 + 15 + i));
                         b.append(static_cast<char>(255));
                         return b;
                     }()}),
    [](const ::testing::TestParamInfo<ScrambleCase>& info) { return "case" + std::to_string(info.index); });

TEST(ScrambleText, OtherModesLeaveTheTextAlone)
{
    for (const QString& mode : {QString(), QStringLiteral("scrivi"), QStringLiteral("LEGGI"), QStringLiteral("x")})
        EXPECT_EQ(ScrambleText(QStringLiteral("dsn=KIVO"), mode, 12), QStringLiteral("dsn=KIVO"));
}

TEST(ScrambleText, CodesOutsideTheRangeAreErrors)
{
    // 'z' + 12 + 122 = 256 at position 122.
    EXPECT_THROW(ScrambleText(QString(121, u'a') + QStringLiteral("z"), kWrite, 12), KivoError);
    EXPECT_NO_THROW(ScrambleText(QString(121, u'a'), kWrite, 12));
    // A damaged file: reading goes below 0.
    EXPECT_THROW(ScrambleText(QStringLiteral("\x01"), kRead, 12), KivoError);
    // A character the single-byte code page has no code for.
    EXPECT_THROW(ScrambleText(QString::fromUtf8("\xCE\xB1"), kWrite, 12), KivoError);
}

// The promise of the line constants: no printable character, at any position where it still fits,
// becomes a control character, a double quote or a comma, and every one reads back.
TEST(ScrambleText, PrintableCharactersNeverBecomeSeparators)
{
    for (int line = 1; line <= 4; ++line) {
        const int k = kConnectionLineConstants[static_cast<size_t>(line - 1)];
        for (int code = 32; code <= 255; ++code) {
            if (code == 127 || (code >= 128 && code < 160 && Cp1252ToChar(static_cast<unsigned char>(code)).unicode() < 160))
                continue;  // not printable
            for (int position = 1; code + k + position <= 255; ++position) {
                const QString plain = QString(position - 1, u' ') + Cp1252ToChar(static_cast<unsigned char>(code));
                const QString written = ScrambleText(plain, kWrite, k);
                const int scrambled = Cp1252Code(written.back());
                ASSERT_GE(scrambled, 32) << "line " << line << " code " << code << " position " << position;
                ASSERT_NE(scrambled, ',');
                ASSERT_NE(scrambled, '"');
                ASSERT_EQ(ScrambleText(written, kRead, k), plain);
            }
        }
    }
}

}  // namespace
