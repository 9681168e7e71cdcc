#pragma once
// The detail of one hit (cerca_dettaglio): its lines stored in DETTAGLIO under a new run identifier.

#include "startup/AppContext.h"

// Sends the request for ctx.search.SelectedList / SelectedId and stores the answer's lines plus the
// closing row "B". Returns false, after showing "Parse error: <reason>", when the answer is not XML
// (nothing stored, RunId unchanged). A transport failure or failing INSERT is thrown as KivoError.
bool FetchDetail(AppContext& ctx);
