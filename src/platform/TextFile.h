#pragma once
// Text files as the program writes them: Windows-1252 bytes, every line ended by CR LF, the file
// opened and closed for each line so that it is complete on disk at any moment.

#include <QString>

// Creates the file (replacing any file of that name) with `line` as its only line.
// Throws KivoError (see FileWriteError) when it cannot be written.
void WriteTextLine(const QString& path, const QString& line, const QString& source);
// Appends `line` to the file, creating it when missing. Throws KivoError like WriteTextLine.
void AppendTextLine(const QString& path, const QString& line, const QString& source);
