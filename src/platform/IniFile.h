#pragma once
// Reading configurazione.ini the way the Windows profile API reads it.

#include <QString>

// The value of `key` in `section` of the ini file at iniPath:
// - section and key names are matched without regard to case, blanks around them ignored;
// - only the first section of a name is searched, and in it the first line of the key;
// - a line whose first non-blank character is ';' is a comment (it can never match a key);
//   text after the value, a ';' included, belongs to the value;
// - blanks around the value are dropped, and one pair of matching quotes (' or ") around it;
// - the value is cut to 127 characters (the 128-character buffer of the API);
// - a missing file, section or key, or a line without '=', reads as empty text.
// The file may be UTF-8 or Windows-1252.
QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key);
