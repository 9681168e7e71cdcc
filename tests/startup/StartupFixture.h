#pragma once
// Start-up against a temporary program directory, with hand-overs that record what start-up chose.

#include "siblings/ConnectionFiles.h"
#include "startup/Startup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>
#include <memory>

class StartupFixture : public ::testing::Test {
protected:
    // Writes the ini (when given) and runs start-up with the command line.
    bool start(const QString& commandLine = {})
    {
        ctx = program->context(dialogs);
        ctx.endProgram = [this](int code) { endedWith = code; };
        Handover handover;
        handover.showMainWindow = [this](AppContext&) { ++mainWindowShown; };
        handover.runBatch = [this](AppContext& c) {
            ++batchRuns;
            if (batch)
                batch(c);
        };
        handover.writeOwnConnectionFile = WriteOwnConnectionFile;
        return RunStartup(ctx, commandLine, handover);
    }

    void useProgram(const QString& ini, TempProgramDir::Database database = TempProgramDir::Database::Created)
    {
        program.reset();
        program = std::make_unique<TempProgramDir>(ini, database);
    }

    QString jetString() const
    {
        return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + program->path() +
               QStringLiteral("/DataBase/KIVO_97.mdb");
    }
    bool ownConnectionFileWritten() const { return QFileInfo::exists(program->windowsDir() + "/SYSTEM/FSYSCOK.DLL"); }
    QByteArray resultFile() const { return program->readFile(QStringLiteral("VERIFICA_KIVO.TXT")); }

    std::unique_ptr<TempProgramDir> program = std::make_unique<TempProgramDir>();
    ScriptedDialogs dialogs;
    AppContext ctx;
    std::function<void(AppContext&)> batch;  // what the batch hand-over does besides counting
    int mainWindowShown = 0;
    int batchRuns = 0;
    int endedWith = -1;
};
