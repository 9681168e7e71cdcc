// What the name search sends for a typed text: upper case, only A-Z, 0-9 and blanks.

#include "search/NameSearch.h"

#include <gtest/gtest.h>

namespace {

TEST(NormaliseSearchText, KeepsOnlyLettersDigitsAndBlanks)
{
    const struct {
        const char* typed;
        const char* sent;
    } cases[] = {
        {"d'Angelo-Rossi, Mario", "DANGELOROSSI MARIO"},
        {"Nicolò", "NICOL"},
        {"  due  blank ", "  DUE  BLANK "},
        {"abc123xyz", "ABC123XYZ"},
        {"'-.,;:!?", ""},
        {"", ""},
        {"Straße", "STRAE"},                  // one letter at a time: ß does not become SS
        {"Ünal Çelik", "NAL ELIK"},
        {"tab\there\r\n", "TABHERE"},
        {"non\u00A0separabile", "NONSEPARABILE"},  // no-break space is code 160, not 32
        {"ＡＢＣ", ""},                          // full-width letters have no Windows-1252 code
        {"😀x", "X"},
        {"<b>&amp;\"q\"</b>", "BAMPQB"},
        {"EU.12/34_5", "EU12345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseSearchText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.sent)) << c.typed;
}

}  // namespace
