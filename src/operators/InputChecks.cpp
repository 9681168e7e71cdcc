#include "operators/InputChecks.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

namespace {

const QString kEvenLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kEvenDigits = QStringLiteral("0123456789");
const QString kOddLetters = QStringLiteral("BAKPLCQDREVOSFTGUHMINJWZYX");
const QString kOddDigits = QStringLiteral("10   2 3 4   5 6 7 8 9    ");
const char* const kMonthLengths[12] = {"31", "29", "31", "30", "31", "30", "31", "31", "30", "31", "30", "31"};

bool IsAsciiLetter(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }
bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// 1-based position of the character in the table that fits its kind, 0 for anything else.
int TaxCodeValue(QChar c, const QString& letters, const QString& digits)
{
    if (IsAsciiLetter(c))
        return letters.indexOf(c) + 1;
    if (IsAsciiDigit(c))
        return digits.indexOf(c) + 1;
    return 0;
}

// Reads a run of digits; false for blanks or anything else.
bool ReadNumber(const QString& text, int* value)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (!IsAsciiDigit(c))
            return false;
    }
    *value = text.toInt();
    return true;
}

}  // namespace

QString CentreErrorMessage(const QString& message)
{
    const int length = message.size();
    if (length >= 50)
        return message;
    // 50 - length/2 with halves rounded to the even whole number.
    const int twice = 100 - length;
    int blanks = twice / 2;
    if (twice % 2 != 0 && blanks % 2 != 0)
        ++blanks;
    const QString pad(blanks, QLatin1Char(' '));
    return pad + message + pad;
}

void SetFieldColours(QWidget* field, const QColor& background, const QColor& text)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    field->setPalette(palette);
}

void ShowFieldError(AppContext& ctx, QWidget* field, const QString& message)
{
    if (field) {
        SetFieldColours(field, QColor(255, 0, 0), QColor(255, 255, 255));
        field->setFocus();
    }
    MessageRequest request;
    request.text = CentreErrorMessage(message);
    request.title = QStringLiteral("Errore");
    ctx.dialogs->message(request);
    if (field) {
        SetFieldColours(field, ctx.app.FocusColour, QApplication::palette().color(QPalette::Text));
        field->setFocus();
    }
}

int CheckTaxCode(const QString& text)
{
    if (text.size() == 11) {
        for (QChar c : text.toUpper()) {
            if (IsAsciiLetter(c))
                return 1;
        }
        return 0;
    }
    const QString code = (text.toUpper() + QString(16, QLatin1Char(' '))).left(16);
    int sum = 0;
    for (int position = 2; position <= 14; position += 2)
        sum += TaxCodeValue(code[position - 1], kEvenLetters, kEvenDigits);
    for (int position = 1; position <= 15; position += 2)
        sum += TaxCodeValue(code[position - 1], kOddLetters, kOddDigits);
    // Each lookup counted one more than the published value: take the fifteen back. C++ keeps the
    // sign of the dividend, so a sum below 15 gives no letter and the code is refused.
    const int expected = (sum - 15) % 26 + 65;
    return code[15].unicode() == expected ? 0 : expected;
}

void CheckVatNumber(AppContext& ctx, QLineEdit* field)
{
    SetFieldColours(field, ctx.app.FieldColour, QApplication::palette().color(QPalette::Text));
    field->setText(field->text().trimmed());
    const int length = field->text().size();
    if (length == 0 || length == 11)
        return;
    ShowFieldError(ctx, field, QStringLiteral("Partita Iva errata"));
}

void CheckTaxCodeField(AppContext& ctx, QLineEdit* field)
{
    SetFieldColours(field, ctx.app.FieldColour, QApplication::palette().color(QPalette::Text));
    if (field->text().isEmpty())
        return;
    field->setText(field->text().trimmed());
    if (CheckTaxCode(field->text()) != 0)
        ShowFieldError(ctx, field, QStringLiteral("Codice Fiscale errato"));
}

TypedDate NormaliseTypedDate(const QString& text, QString* normalised)
{
    if (normalised)
        normalised->clear();
    if (text.isEmpty() || text == QLatin1String("0.00.00") || text == QLatin1String("00:00:00"))
        return TypedDate::Missing;
    if (text.size() < 6 || text.size() > 10)
        return TypedDate::Invalid;

    QString buffer(8, QLatin1Char(' '));
    int filled = 0;
    for (QChar c : text) {
        if (!IsAsciiDigit(c))
            continue;
        if (filled == 8)
            return TypedDate::Invalid;
        buffer[filled++] = c;
    }
    if (buffer.mid(6, 2) == QLatin1String("  ")) {
        int yy = 0;
        if (!ReadNumber(buffer.mid(4, 2), &yy))
            return TypedDate::Invalid;
        const QString typed = buffer.mid(4, 2);
        buffer = buffer.left(4) + (yy < 10 ? QStringLiteral("20") : QStringLiteral("19")) + typed;
    }
    const QString day = buffer.mid(0, 2);
    const QString month = buffer.mid(2, 2);
    int monthNumber = 0;
    int dayNumber = 0;
    if (!ReadNumber(month, &monthNumber) || monthNumber < 1 || monthNumber > 12)
        return TypedDate::Invalid;
    // Day against the month's length: the two-character texts are compared, as typed.
    if (!ReadNumber(day, &dayNumber) || dayNumber < 1 || day > QLatin1String(kMonthLengths[monthNumber - 1]))
        return TypedDate::Invalid;
    if (buffer.mid(4, 4).contains(QLatin1Char(' ')))
        return TypedDate::Invalid;
    if (normalised)
        *normalised = day + QLatin1Char('/') + month + QLatin1Char('/') + buffer.mid(4, 4);
    return TypedDate::Valid;
}

QString CheckDate(AppContext& ctx, QLineEdit* field)
{
    QString normalised;
    if (NormaliseTypedDate(field->text(), &normalised) == TypedDate::Valid) {
        field->setText(normalised);
        return normalised;
    }
    ShowFieldError(ctx, field, QStringLiteral("Data non valida"));
    return {};
}
