#pragma once
// Interim outcome of a search, used until the outcome window of the reports library is built in:
// a plain list of the run's hits.

#include "startup/AppContext.h"

void ShowInterimOutcome(AppContext& ctx, const QString& searchedText);
