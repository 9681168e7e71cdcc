// The field checks: tax code and VAT number rules, typed dates, the centred error message and the
// colours of a field in error.

#include "operators/InputChecks.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TaxCodeCase {
    const char* code;
    int expected;
};

TEST(CheckTaxCode, AcceptsAndRejectsByTheCheckCharacter)
{
    const TaxCodeCase cases[] = {
        {"AAAAAA00A00A000I", 0},
        {"aaaaaa00a00a000i", 0},           // lower case is read as upper case
        {"AAAAAA00A00A000J", 'I'},         // any other last letter: the code of the expected one
        {"AAAAAA00A00A000A", 'I'},
        {"RSSMRA85T10A562S", 0},           // a published example
        {"RSSMRA85T10A562T", 'S'},
        {"MRTMTT25D09F205Z", 0},           // published check letters, computed independently
        {"MRTMTT25D09F205A", 'Z'},
        {"12345678901", 0},                // eleven characters: letters are the only fault
        {"1234567890A", 1},
        {"12345-78901", 0},
        {"AAAAAA00A00A000", 'I'},          // fifteen characters: the blank 16th is no check letter
        {"AAAAAA00A00A000I0", 0},          // longer codes are cut to sixteen characters
    };
    for (const TaxCodeCase& c : cases) {
        EXPECT_EQ(CheckTaxCode(QString::fromLatin1(c.code)), c.expected) << c.code;
    }
}

TEST(CheckTaxCode, CodesOfOtherLengthsAreRejected)
{
    for (const char* code : {"", "A", "AAAAAA00A00A0", "1234567890", "123456789012"})
        EXPECT_NE(CheckTaxCode(QString::fromLatin1(code)), 0) << code;
}

TEST(CheckTaxCode, BlanksOnlyGiveNoLetter)
{
    // Nothing counts, the remainder is negative and the expected code falls below "A".
    const int result = CheckTaxCode(QString(16, QLatin1Char(' ')));
    EXPECT_NE(result, 0);
    EXPECT_LT(result, 'A');
}

struct DateCase {
    const char* typed;
    TypedDate result;
    const char* normalised;
};

TEST(NormaliseTypedDate, TableOfTypedDates)
{
    const DateCase cases[] = {
        {"25/05/2012", TypedDate::Valid, "25/05/2012"},
        {"25052012", TypedDate::Valid, "25/05/2012"},
        {"250512", TypedDate::Valid, "25/05/1912"},
        {"250505", TypedDate::Valid, "25/05/2005"},
        {"25-05-12", TypedDate::Valid, "25/05/1912"},
        {"29/02/2011", TypedDate::Valid, "29/02/2011"},  // February always has 29 days
        {"31/12/1999", TypedDate::Valid, "31/12/1999"},
        {"25.5.12", TypedDate::Invalid, ""},
        {"31/04/2012", TypedDate::Invalid, ""},
        {"30/02/2012", TypedDate::Invalid, ""},
        {"1/1/2012", TypedDate::Invalid, ""},            // day 11, month 20
        {"00/05/2012", TypedDate::Invalid, ""},
        {"12/13/2012", TypedDate::Invalid, ""},
        {"12/00/2012", TypedDate::Invalid, ""},
        {"123456789", TypedDate::Invalid, ""},           // a ninth digit
        {"12345", TypedDate::Invalid, ""},               // too short
        {"25/05/2012 10:00", TypedDate::Invalid, ""},    // too long
        {"25/05/201", TypedDate::Invalid, ""},           // seven digits: no whole year
        {"aa/bb/cccc", TypedDate::Invalid, ""},
        {"", TypedDate::Missing, ""},
        {"0.00.00", TypedDate::Missing, ""},
        {"00:00:00", TypedDate::Missing, ""},
    };
    for (const DateCase& c : cases) {
        QString normalised = QStringLiteral("untouched");
        EXPECT_EQ(NormaliseTypedDate(QString::fromLatin1(c.typed), &normalised), c.result) << c.typed;
        EXPECT_EQ(normalised, QString::fromLatin1(c.normalised)) << c.typed;
    }
}

TEST(CentreErrorMessage, PadsShortMessagesWithHalvesRoundedToEven)
{
    const std::pair<int, int> lengthToBlanks[] = {{20, 40}, {21, 40}, {23, 38}, {1, 50}, {49, 26}};
    for (const auto& [length, blanks] : lengthToBlanks) {
        const QString message(length, QLatin1Char('x'));
        const QString pad(blanks, QLatin1Char(' '));
        EXPECT_EQ(CentreErrorMessage(message), pad + message + pad) << length;
    }
    const QString sixty(60, QLatin1Char('x'));
    EXPECT_EQ(CentreErrorMessage(sixty), sixty);
    const QString fifty(50, QLatin1Char('x'));
    EXPECT_EQ(CentreErrorMessage(fifty), fifty);
}

class FieldChecks : public ::testing::Test {
protected:
    FieldChecks()
    {
        ctx.dialogs = &dialogs;
        window.resize(200, 100);
        field = new QLineEdit(&window);
        other = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        dialogs.onMessage = [this](const MessageRequest&) {
            backgroundDuringMessage = field->palette().color(QPalette::Base);
            textDuringMessage = field->palette().color(QPalette::Text);
        };
    }

    ScriptedDialogs dialogs;
    AppContext ctx;
    QWidget window;
    QLineEdit* field = nullptr;
    QLineEdit* other = nullptr;
    QColor backgroundDuringMessage;
    QColor textDuringMessage;
};

TEST_F(FieldChecks, ShowFieldErrorShowsRedThenFocusColour)
{
    other->setFocus();
    ShowFieldError(ctx, field, QStringLiteral("Partita Iva errata"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& shown = dialogs.messages[0];
    EXPECT_EQ(shown.title, QStringLiteral("Errore"));
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.text, QString(41, QLatin1Char(' ')) + QStringLiteral("Partita Iva errata") + QString(41, QLatin1Char(' ')));
    EXPECT_EQ(backgroundDuringMessage, QColor(255, 0, 0));
    EXPECT_EQ(textDuringMessage, QColor(255, 255, 255));
    EXPECT_EQ(field->palette().color(QPalette::Base), ctx.app.FocusColour);
    EXPECT_EQ(field->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(FieldChecks, VatNumberIsTrimmedAndNeedsElevenCharacters)
{
    const std::pair<const char*, const char*> acceptedToText[] = {
        {"12345678901", "12345678901"},
        {"ABCDEFGHIJK", "ABCDEFGHIJK"},
        {"  12345678901  ", "12345678901"},
        {"    ", ""},
        {"", ""},
    };
    for (const auto& [typed, kept] : acceptedToText) {
        field->setText(QString::fromLatin1(typed));
        CheckVatNumber(ctx, field);
        EXPECT_EQ(field->text(), QString::fromLatin1(kept)) << typed;
    }
    EXPECT_TRUE(dialogs.messages.empty());

    for (const char* wrong : {"1234567890", "123456789012", "12 45678901x"}) {
        field->setText(QString::fromLatin1(wrong));
        CheckVatNumber(ctx, field);
    }
    ASSERT_EQ(dialogs.messages.size(), 3u);
    for (const MessageRequest& message : dialogs.messages)
        EXPECT_EQ(message.text.trimmed(), QStringLiteral("Partita Iva errata"));
}

TEST_F(FieldChecks, TaxCodeFieldLeavesEmptyTextAloneButReportsBlanks)
{
    field->setText(QString());
    CheckTaxCodeField(ctx, field);
    EXPECT_TRUE(dialogs.messages.empty());

    field->setText(QStringLiteral("  AAAAAA00A00A000I "));
    CheckTaxCodeField(ctx, field);
    EXPECT_EQ(field->text(), QStringLiteral("AAAAAA00A00A000I"));
    EXPECT_TRUE(dialogs.messages.empty());

    field->setText(QStringLiteral("   "));
    CheckTaxCodeField(ctx, field);
    EXPECT_EQ(field->text(), QString());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.trimmed(), QStringLiteral("Codice Fiscale errato"));
}

TEST_F(FieldChecks, CheckDateWritesTheNormalisedDateOrReportsIt)
{
    field->setText(QStringLiteral("25052012"));
    EXPECT_EQ(CheckDate(ctx, field), QStringLiteral("25/05/2012"));
    EXPECT_EQ(field->text(), QStringLiteral("25/05/2012"));
    EXPECT_TRUE(dialogs.messages.empty());

    for (const char* rejected : {"", "31/04/2012"}) {
        field->setText(QString::fromLatin1(rejected));
        EXPECT_EQ(CheckDate(ctx, field), QString()) << rejected;
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text.trimmed(), QStringLiteral("Data non valida"));
    EXPECT_EQ(dialogs.messages[1].text.trimmed(), QStringLiteral("Data non valida"));
}

}  // namespace
