#pragma once
// The main window FA: the multiple-document frame with the toolbar TB2 and the menus.

#include "startup/AppContext.h"

// Shows the main window with the welcome window in front (interactive mode).
void ShowMainWindow(AppContext& ctx);
