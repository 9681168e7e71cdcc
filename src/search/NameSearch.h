#pragma once
// The name search: one search element sent to the list search service (cerca_indice),
// its hits stored in INDICE under the current run identifier, the list dates kept.

#include "startup/AppContext.h"

#include <QString>

// Upper case, then only A-Z, 0-9 and blanks are kept (by their Windows-1252 codes); blanks stay
// where they are.
QString NormaliseSearchText(const QString& text);

// The run identifier of a search started now: "dd/MM/yyyy - HH:mm:ss".
QString NewRunId();

// Searches one element. The caller sets ctx.search.RunId, HitCount and SearchKind first.
// A transport failure or a failing INSERT is thrown as KivoError; an answer that is not XML shows
// "Parse error: <reason>" and stores nothing.
void NameSearch(AppContext& ctx, const QString& text);

// Stores the current record (RecordName, RecordList, RecordListId) as the next hit of the run.
void StoreHit(AppContext& ctx);
