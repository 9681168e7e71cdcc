#pragma once
// How values are written into SQL text.

#include <QString>

// The value between apostrophes, with every apostrophe inside doubled so that no text can end
// the quoted value early or add to the statement.
QString SqlQuote(const QString& value);

// Every apostrophe replaced by the acute accent U+00B4 (character 180 of Windows-1252):
// texts from the search service are stored that way.
QString ReplaceApostrophes(const QString& text);

// The statement with every bracketed identifier ([Ragione Sociale]) written in the standard form
// ("Ragione Sociale") that ODBC servers expect; brackets inside quoted values are left alone.
QString BracketsToDoubleQuotes(const QString& sql);
