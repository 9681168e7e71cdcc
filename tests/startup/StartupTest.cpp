// The start-up routine's good paths: editions, version texts, personalised mode, command lines.
#include "StartupFixture.h"

#include <QDir>

namespace {

class Startup : public StartupFixture {};

TEST_F(Startup, NoConfigurationFileIsTheSingleUserEditionInInteractiveMode)
{
    QFile::remove(program->iniPath());
    ASSERT_TRUE(start());
    EXPECT_EQ(ctx.app.ConnectionString, jetString());
    EXPECT_EQ(ctx.app.VersionText, QStringLiteral("Versione 1.0 - Monoutente"));
    EXPECT_EQ(ctx.app.ReleaseText, QStringLiteral("Release 1.2.7 - 9 Novembre 2012"));
    EXPECT_EQ(ctx.app.FocusColour, QColor(255, 255, 192));
    EXPECT_EQ(ctx.app.FieldColour, QColor(255, 255, 255));
    EXPECT_FALSE(ctx.app.BatchMode);
    EXPECT_TRUE(ctx.app.Arguments.isEmpty());
    EXPECT_TRUE(ctx.app.Connection.isOpen());
    EXPECT_EQ(ctx.helpFile, program->filePath(QStringLiteral("help/index.html")));
    EXPECT_EQ(mainWindowShown, 1);
    EXPECT_EQ(batchRuns, 0);
    EXPECT_TRUE(ownConnectionFileWritten());
    EXPECT_FALSE(program->exists(QStringLiteral("VERIFICA_KIVO.TXT")));
    EXPECT_FALSE(program->exists(QStringLiteral("ALLEGATI.BAT")));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Startup, VersionTexts)
{
    struct Case {
        QString ini;
        QString versionText;
    };
    const Case cases[] = {
        {QStringLiteral("[opzioni]\nTipoDb=N\n"), QStringLiteral("Versione 1.0 - Monoutente")},
        {QStringLiteral("[opzioni]\nPC=P\nPNC=Studio\n"), QStringLiteral("Versione 1.0 - Monoutente")},
        {QStringLiteral("[opzioni]\nPC=Y\nPNC=Studio Rossi\n"), QStringLiteral("Ver 1.0 - Personalizzazione Studio Rossi")},
        // 60 characters: the first 50 ("Studio" + 43 x + one blank), trimmed.
        {QStringLiteral("[opzioni]\nPC=Y\nPNC=Studio") + QString(43, u'x') + QStringLiteral(" abcdefghijk\n"),
         QStringLiteral("Ver 1.0 - Personalizzazione Studio") + QString(43, u'x')},
    };
    for (const Case& c : cases) {
        useProgram(c.ini);
        ASSERT_TRUE(start()) << c.ini.toStdString();
        EXPECT_EQ(ctx.app.VersionText, c.versionText);
    }
}

TEST_F(Startup, PersonalisedModeStartsTheResultFileAndMakesThePdfFolder)
{
    const QString pda = program->filePath(QStringLiteral("Pdf/Batch"));
    program->writeIni(QStringLiteral("[opzioni]\nPC=Y\nPDA=") + pda + u'\n');
    program->writeFile(QStringLiteral("VERIFICA_KIVO.TXT"), "LANCIO=OK\r\nESITO=1\r\nPDF=vecchio.pdf\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(resultFile(), "LANCIO=OK\r\nCreata directory: " + pda.toUtf8() + "\r\n");
    EXPECT_EQ(program->readFile(QStringLiteral("ALLEGATI.BAT")), "MD \"" + pda.toUtf8() + "\"\r\n");
    EXPECT_TRUE(QFileInfo(pda).isDir());
    EXPECT_EQ(mainWindowShown, 1);  // no command line: the main window opens as usual
}

TEST_F(Startup, PersonalisedModeWithAnExistingPdfFolderRunsNoCommand)
{
    useProgram(QStringLiteral("[opzioni]\nPC=Y\nPDA=ALLEGATI\n"));
    ASSERT_TRUE(start());
    EXPECT_EQ(resultFile(), QByteArray("LANCIO=OK\r\n"));
    EXPECT_FALSE(program->exists(QStringLiteral("ALLEGATI.BAT")));
}

TEST_F(Startup, OtherModesWriteNoResultFile)
{
    for (const char* pc : {"P", "y", "N"}) {
        useProgram(QStringLiteral("[opzioni]\nPC=") + QLatin1String(pc) + QStringLiteral("\nPDA=nuova\n"));
        ASSERT_TRUE(start());
        EXPECT_FALSE(program->exists(QStringLiteral("VERIFICA_KIVO.TXT"))) << pc;
        EXPECT_FALSE(program->exists(QStringLiteral("nuova"))) << pc;
    }
}

TEST_F(Startup, ConfiguredResultFileThatCannotBeWrittenFallsBack)
{
    useProgram(QStringLiteral("[opzioni]\nPC=Y\nPNL=manca/RIS.TXT\n"));
    ASSERT_TRUE(start());
    EXPECT_EQ(ctx.app.ResultFilePath, program->filePath(QStringLiteral("VERIFICA_KIVO.TXT")));
    EXPECT_TRUE(resultFile().startsWith("LANCIO=OK\r\nLOG: manca/RIS.TXT - Errore 76 "));
}

TEST_F(Startup, CommandLineChoosesTheMode)
{
    struct Case {
        const char* commandLine;
        int batchRuns;
        int arguments;
    };
    for (const Case& c : {Case{"", 0, 0}, Case{"     ", 0, 0}, Case{"ROSSI", 1, 1}, Case{"A,,B", 1, 3}}) {
        mainWindowShown = batchRuns = 0;
        ASSERT_TRUE(start(QString::fromLatin1(c.commandLine)));
        EXPECT_EQ(batchRuns, c.batchRuns) << c.commandLine;
        EXPECT_EQ(mainWindowShown, 1 - c.batchRuns) << c.commandLine;
        EXPECT_EQ(ctx.app.Arguments.size(), c.arguments) << c.commandLine;
        EXPECT_FALSE(ctx.app.BatchMode);  // the batch mode sets it itself
    }
}

TEST_F(Startup, BatchFindsEverythingReadyAndTheResultFileStarted)
{
    useProgram(QStringLiteral("[opzioni]\nPC=Y\n"));
    batch = [this](AppContext& c) {
        // The database is open, the own connection file written, the first result line on disk.
        EXPECT_TRUE(c.app.Connection.isOpen());
        EXPECT_TRUE(ownConnectionFileWritten());
        EXPECT_EQ(resultFile(), QByteArray("LANCIO=OK\r\n"));
        EXPECT_EQ(c.app.Arguments, (QStringList{QStringLiteral("CF"), QStringLiteral(" RAG"), QStringLiteral("NOME ")}));
    };
    ASSERT_TRUE(start(QStringLiteral("CF, RAG,NOME ")));
    EXPECT_EQ(batchRuns, 1);
}

}  // namespace
