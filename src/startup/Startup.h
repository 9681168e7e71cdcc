#pragma once
// The start-up routine: settings, connection string, personalised-mode result file, the database
// connection, the own connection file, program-wide values, the command line, and the hand-over to
// the interactive or the batch mode.

#include "startup/AppContext.h"

#include <QString>
#include <QStringList>
#include <functional>

struct Handover {
    std::function<void(AppContext&)> showMainWindow;  // no arguments on the command line
    std::function<void(AppContext&)> runBatch;        // at least one argument
    // Step 6, publishing the program's own connection file (WriteOwnConnectionFile of the siblings
    // library, which sits above this one). Required: start-up fails when it is missing.
    std::function<void(AppContext&)> writeOwnConnectionFile;
};

// Reads section [opzioni] (and [servizio], [siti]) of the ini file into the context.
void ReadSettings(AppContext& ctx);

// The command line split at every comma, nothing trimmed; empty or blank-only: no arguments.
QStringList SplitCommandLine(const QString& commandLine);

// The texts of the two start-up failure messages.
QString AdministratorMessageText();
QString StartupErrorText(const AppContext& ctx, int number, const QString& description);

// Runs the start-up steps in order. Any failure is reported with one of the two start-up messages
// and false is returned; the caller then ends the program unless a window is showing.
bool RunStartup(AppContext& ctx, const QString& commandLine, const Handover& handover);
