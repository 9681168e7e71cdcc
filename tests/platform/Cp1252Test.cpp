#include "platform/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int code = 0; code < 256; ++code)
        all.append(static_cast<char>(code));
    const QString text = FromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1252(text), all);
}

TEST(Cp1252, SpecialCharactersOfTheHighRange)
{
    EXPECT_EQ(FromCp1252("\x80\x92\xB4\xE0"), QString::fromUtf8("€’´à"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("€ Š ž Ÿ")), QByteArray("\x80 \x8A \x9E \x9F"));
    EXPECT_EQ(Cp1252Code(QChar(0x00B4)), 180);  // the acute accent that replaces apostrophes
}

TEST(Cp1252, CharactersWithoutCodeBecomeQuestionMarks)
{
    // Greek alpha, a character outside the basic plane (one '?', not two), a Cyrillic letter.
    EXPECT_EQ(ToCp1252(QString::fromUtf8("a\xCE\xB1" "b\xF0\x9F\x98\x80" "c\xD0\x96")), QByteArray("a?b?c?"));
    EXPECT_EQ(Cp1252Code(QChar(0x0391)), -1);
    EXPECT_EQ(Cp1252Code(QChar(0x0080)), -1);  // the C1 control itself is not the euro sign's code
}
