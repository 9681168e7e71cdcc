#pragma once
// The program's help: Italian HTML pages in the program directory's help folder, shown in a help
// window of the program's own (no outside viewer needed).

#include "startup/AppContext.h"

class QWidget;

// The first page of the help: the registered help file when it is an HTML page, else
// help/index.html of the program directory.
QString HelpIndexPath(const AppContext& ctx);

// Shows the help's contents in a window owned by `owner` (one window, brought to the front when
// already open); a missing help file is reported.
void OpenHelp(AppContext& ctx, QWidget* owner);
