#pragma once
// Where the Windows directory lives on this system; connection files go to its SYSTEM folder.

#include <QString>

// The value of the environment variable WINDIR when it is set and not empty; otherwise the per-user
// folder "kivo/windows" under $XDG_DATA_HOME (default ~/.local/share). No trailing separator.
// The folder is not created here: whoever writes into it creates what is missing.
QString WindowsDirectory();
