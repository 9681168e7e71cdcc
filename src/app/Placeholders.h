#pragma once
// INTERIM stand-ins for the main window (ui) and the batch mode (reports) while those libraries
// are being written. main.cpp uses them only when the real ones are not built; delete this file
// and Placeholders.cpp once both exist.

#include "startup/AppContext.h"

void InterimShowMainWindow(AppContext& ctx);
void InterimRunBatch(AppContext& ctx);
