#pragma once
// Connection files: each program of the family publishes how to reach its database in a small
// scrambled text file in the SYSTEM folder of the Windows directory (Windows-1252, CR LF lines).
//
// Line constants k(1)..k(4) = 12, 13, 14, 15. The smallest code a printable character has is 32
// (blank) and the position term adds at least 1, so a scrambled printable character is at least
// 32 + 12 + 1 = 45: never a control character (0-31), a double quote (34) or a comma (44), which the
// reader would take for a field end. The price is a bound on the line: c + k + i must stay <= 255,
// so a line of letters and digits (codes <= 122) holds at most 120 characters on line 1.

#include "startup/AppContext.h"

#include <QString>
#include <array>

inline constexpr std::array<int, 4> kConnectionLineConstants{12, 13, 14, 15};

enum class Sibling { ZARVA, MOVIK, LUTERA };

// Shifts every character's Windows-1252 code: mode "Scrivi" by +k+i, "Leggi" by -k-i (i = position
// from 1); any other mode returns the text unchanged. Throws KivoError (number 5) when a code would
// leave 0..255 or a character has no Windows-1252 code.
QString ScrambleText(const QString& text, const QString& mode, int k);

// WindowsDirectory() + "/SYSTEM/FSYSCOK.DLL" and the siblings' files.
QString OwnConnectionFilePath();
QString SiblingConnectionFilePath(Sibling sibling);

// Writes our three lines (connection string, database type letter, program directory), replacing
// the file; creates the SYSTEM folder when missing. Every line is scrambled before the file is
// touched, so a line that cannot be scrambled leaves the old file intact. Throws KivoError (kind
// AccessDenied when the file or folder cannot be written).
void WriteOwnConnectionFile(const AppContext& ctx);

// Reads the sibling's connection file and opens its database as ctx.sibling. False, silently, when
// the file does not exist. On any other failure shows "Connessione: <connection string>\n Errore:
// <description>" (password masked) and ends the program (ctx.endProgramNow(1)).
bool SiblingConnection(AppContext& ctx, Sibling sibling);
