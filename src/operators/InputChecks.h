#pragma once
// The checks on typed input (tax code, VAT number, free-form dates) and the one way a bad field is
// reported: red field, centred message titled "Errore", focus back in the focus colour.

#include "startup/AppContext.h"

#include <QString>

class QLineEdit;
class QWidget;

// The message with as many blanks on each side as centre it in about 100 characters
// (50 - length/2, halves rounded to even); messages of 50 or more characters are left alone.
QString CentreErrorMessage(const QString& message);

// Turns the field red with white text, shows the centred message, then gives the field the focus
// back in ctx.app.FocusColour.
void ShowFieldError(AppContext& ctx, QWidget* field, const QString& message);

// 0 when the code is accepted. Eleven characters (a company's numeric code): 1 when it holds a
// letter. Otherwise the code of the check character that the first fifteen characters call for.
int CheckTaxCode(const QString& text);

// Trims the field in place; empty text and any eleven characters pass, anything else is reported
// "Partita Iva errata".
void CheckVatNumber(AppContext& ctx, QLineEdit* field);

// The tax code field's lost-focus step: empty text passes, otherwise the trimmed text is checked and
// a wrong code is reported "Codice Fiscale errato".
void CheckTaxCodeField(AppContext& ctx, QLineEdit* field);

enum class TypedDate { Missing = 0, Invalid = 1, Valid = 2 };

// Reads a date typed as dd/mm/yyyy, ddmmyyyy, ddmmyy and the like; on Valid, normalised is
// "dd/mm/yyyy". Two-digit years below 10 are 20yy, the others 19yy; February has 29 days.
TypedDate NormaliseTypedDate(const QString& text, QString* normalised);

// The normalised date, also written into the field; empty text after reporting "Data non valida".
QString CheckDate(AppContext& ctx, QLineEdit* field);

// Background colours of a field: base (background) and text.
void SetFieldColours(QWidget* field, const QColor& background, const QColor& text);
