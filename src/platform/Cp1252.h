#pragma once
// The one Windows-1252 codec of the program, used wherever text crosses a single-byte boundary
// (connection files, PDF text, character codes of the search normalisation).

#include <QByteArray>
#include <QString>

// Byte 0x00-0xFF -> its character. The five codes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number, as Windows does.
QChar Cp1252ToChar(unsigned char code);
// The character's Windows-1252 code, or -1 when it has none.
int Cp1252Code(QChar c);

QString FromCp1252(const QByteArray& bytes);
// Characters without a Windows-1252 code (a surrogate pair counts as one) become '?'.
QByteArray ToCp1252(const QString& text);
