#pragma once
// A program directory with its database, a fake search service and scripted dialogs, wired into
// one context as start-up would wire them.

#include "support/FakeSoapServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

class SearchFixture : public ::testing::Test {
protected:
    SearchFixture();

    // The rows of a table for one run, ordered by idricp, each as its columns joined with "|".
    QStringList indiceRows(const QString& run) const;
    QStringList dettaglioRows(const QString& run) const;
    int rowCount(const QString& table) const;

    // The one request the fake service received (fails the test when there is not exactly one).
    RecordedRequest onlyRequest() const;

    static inline const QString kRun = QStringLiteral("09/11/2012 - 15:30:12");

    TempProgramDir program;
    FakeSoapServer server;
    ScriptedDialogs dialogs;
    AppContext ctx;
};
