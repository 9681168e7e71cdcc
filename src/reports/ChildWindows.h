#pragma once
// Where the outcome and detail windows live: inside the main window when it is open, on their own
// otherwise (the standard batch, tests).

#include <QString>

class QWidget;

// Shows the window (or brings it to the front) and tells the main window which one loaded last.
void ShowChildWindow(QWidget* window, const QString& key);
// The main window's toolbar set for the window `key` ("FOPC", "FESITO", "FDETT"); nothing without it.
void SetToolbarFor(const QString& key);
// Brings back the window named `objectName` (e.g. "FOPC") when it is open; false when it is not.
bool BringBackWindow(const QString& objectName);
