// The result file of the personalised batch.
#include "platform/KivoError.h"
#include "startup/ResultFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

namespace {

class ResultFile : public ::testing::Test {
protected:
    ResultFile() : program(QStringLiteral("[opzioni]\n"), TempProgramDir::Database::Missing), ctx(program.context(dialogs)) {}
    TempProgramDir program;
    ScriptedDialogs dialogs;
    AppContext ctx;
};

TEST_F(ResultFile, StartsANewFileAndAppendsLines)
{
    program.writeFile(QStringLiteral("VERIFICA_KIVO.TXT"), "ESITO=1\r\nPDF=old.pdf\r\n");
    StartResultFile(ctx);
    EXPECT_EQ(ctx.app.ResultFilePath, program.filePath(QStringLiteral("VERIFICA_KIVO.TXT")));
    AppendLog(ctx, QString::fromUtf8("PARAMETRI PASSATI: 1=À 2=x 3=y"));
    EXPECT_EQ(program.readFile(QStringLiteral("VERIFICA_KIVO.TXT")),
              QByteArray("LANCIO=OK\r\nPARAMETRI PASSATI: 1=\xC0 2=x 3=y\r\n"));
}

TEST_F(ResultFile, ConfiguredPathRelativeToTheProgramDirectory)
{
    ctx.settings.PNL = QStringLiteral("ESITO.TXT");
    StartResultFile(ctx);
    EXPECT_EQ(ctx.app.ResultFilePath, program.filePath(QStringLiteral("ESITO.TXT")));
    EXPECT_EQ(program.readFile(QStringLiteral("ESITO.TXT")), QByteArray("LANCIO=OK\r\n"));
    EXPECT_FALSE(program.exists(QStringLiteral("VERIFICA_KIVO.TXT")));
}

TEST_F(ResultFile, UnwritablePathFallsBackAndSaysWhy)
{
    ctx.settings.PNL = QStringLiteral("nessuna/ESITO.TXT");
    StartResultFile(ctx);
    EXPECT_EQ(ctx.app.ResultFilePath, program.filePath(QStringLiteral("VERIFICA_KIVO.TXT")));
    EXPECT_EQ(program.readFile(QStringLiteral("VERIFICA_KIVO.TXT")),
              "LANCIO=OK\r\nLOG: nessuna/ESITO.TXT - Errore 76 Impossibile trovare il percorso " +
                  program.filePath(QStringLiteral("nessuna/ESITO.TXT")).toUtf8() + "\r\n");
}

TEST_F(ResultFile, AppendFailureRises)
{
    ctx.app.ResultFilePath = program.filePath(QStringLiteral("nessuna/ESITO.TXT"));
    EXPECT_THROW(AppendLog(ctx, QStringLiteral("ESITO=0")), KivoError);
    // A missing file in an existing folder is created.
    ctx.app.ResultFilePath = program.filePath(QStringLiteral("nuovo.txt"));
    AppendLog(ctx, QStringLiteral("ESITO=0"));
    EXPECT_EQ(program.readFile(QStringLiteral("nuovo.txt")), QByteArray("ESITO=0\r\n"));
}

}  // namespace
