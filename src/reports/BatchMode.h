#pragma once
// The batch mode a sibling program starts with a command line (at least one argument):
//   standard      search, then the outcome window for the user, who creates the PDF at the path given;
//                 closing the window ends the program ("P": the arguments are shown first);
//   personalised  ("Y") search, PDF and result file lines without any window, then the program ends.
// A missing argument rises as KivoError to the start-up routine, which reports it.

#include "startup/AppContext.h"

void RunBatch(AppContext& ctx);

// The outcome PDF of the personalised batch, with the "ESITO=" and "PDF=" lines of the result file.
// Any failure is shown as "ERRORE: <number> <description>" and leaves no "PDF=" line.
void WriteBatchReport(AppContext& ctx);
