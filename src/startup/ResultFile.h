#pragma once
// The result file of the personalised batch: a sibling program reads it after we end.

#include "startup/AppContext.h"

// Sets ctx.app.ResultFilePath (PNL, else VERIFICA_KIVO.TXT in the program directory) and writes
// "LANCIO=OK" into a new file; falls back to the program directory and logs why.
void StartResultFile(AppContext& ctx);

// Appends one line (CR LF) to the result file, opening and closing it; throws KivoError on failure.
void AppendLog(const AppContext& ctx, const QString& line);
