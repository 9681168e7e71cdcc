#pragma once
// The one-line command file ALLEGATI.BAT through which the program creates folders.

#include <QString>

// Writes `text` as the only line (CR LF, Windows-1252) of "ALLEGATI.BAT" in programDir, replacing
// any file of that name. Unless `text` is exactly "NULLA" it then carries the command out itself;
// nothing is ever handed to a shell. The one command known is MD (or MKDIR) followed by one folder,
// quoted or not: the folder is created with its missing parents.
// Throws KivoError: AccessDenied when the file or the folder cannot be written, General for a
// command that is not understood.
void RunBatchCommand(const QString& programDir, const QString& text);
