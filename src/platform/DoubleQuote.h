#pragma once

#include <QString>

// The text between two double quotation marks, nothing escaped.
QString DoubleQuote(const QString& text);
