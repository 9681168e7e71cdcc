// Start-up failures: the two messages, exact, and nothing damaged on the way.
#include "StartupFixture.h"

#include "platform/KivoError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <unistd.h>

namespace {

const QString kAdministratorText = QString::fromUtf8(
    "Errore KIVO: è necessario ESEGUIRE COME AMMINISTRATORE\n \n"
    "Seleziona l'icona del programma con il TASTO DESTRO e poi scegli la voce\n \nEsegui come Amministratore");

class StartupFailure : public StartupFixture {
protected:
    // The one message shown, which must be the general start-up error ending with the connection
    // string and the database type.
    void expectGeneralError(int number, const QString& connectionString, const QString& tipoDb)
    {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const MessageRequest& shown = dialogs.messages[0];
        EXPECT_TRUE(shown.title.isEmpty());
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Errore KIVO Dichiarazioni num. ") + QString::number(number) + u' '))
            << shown.text.toStdString();
        EXPECT_TRUE(shown.text.endsWith(QStringLiteral("\n  \n StrConn ") + connectionString +
                                        QStringLiteral("\n TipoDb ") + tipoDb))
            << shown.text.toStdString();
        EXPECT_EQ(mainWindowShown + batchRuns, 0);
    }
    void expectAdministratorMessage()
    {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Esegui come Amministratore"));
        EXPECT_EQ(dialogs.messages[0].text, kAdministratorText);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    }
    // One operator row, to show that a failed start leaves the data alone.
    void addOperatorRow()
    {
        Database::Open(program->connectionString()).execute(QStringLiteral("INSERT INTO OPE (OCOD, ORAG) VALUES ('1', 'ROSSI')"));
    }
    void expectOperatorRowIntact()
    {
        const auto row = Database::Open(program->connectionString()).firstRow(QStringLiteral("SELECT COUNT(*), MAX(ORAG) FROM OPE"));
        ASSERT_TRUE(row.has_value());
        EXPECT_EQ(row->value(0).toInt(), 1);
        EXPECT_EQ(row->value(1).toString(), QStringLiteral("ROSSI"));
    }
};

TEST_F(StartupFailure, MissingDatabaseFile)
{
    useProgram(QStringLiteral("[opzioni]\nTipoDb=N\n"), TempProgramDir::Database::Missing);
    EXPECT_FALSE(start());
    expectGeneralError(ErrorNumber::DatabaseOpen, jetString(), QStringLiteral("N"));
    EXPECT_FALSE(program->exists(QStringLiteral("DataBase/KIVO_97.mdb")));  // never created by the program
    EXPECT_FALSE(ownConnectionFileWritten());
}

TEST_F(StartupFailure, FileThatIsNotADatabase)
{
    useProgram(QStringLiteral("[opzioni]\n"), TempProgramDir::Database::Missing);
    const QByteArray content = "Standard Jet DB\0 not really"_qba;
    program->writeFile(QStringLiteral("DataBase/KIVO_97.mdb"), content);
    EXPECT_FALSE(start());
    expectGeneralError(ErrorNumber::DatabaseOpen, jetString(), QString());
    EXPECT_EQ(program->readFile(QStringLiteral("DataBase/KIVO_97.mdb")), content);
}

TEST_F(StartupFailure, ReadOnlyDatabaseFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop root from writing";
    addOperatorRow();
    QFile::setPermissions(program->databasePath(), QFile::ReadOwner);
    EXPECT_FALSE(start());
    expectGeneralError(ErrorNumber::DatabaseOpen, jetString(), QString());
    QFile::setPermissions(program->databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    expectOperatorRowIntact();
}

TEST_F(StartupFailure, DatabaseLockedByAnotherProgram)
{
    addOperatorRow();
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        locker.setDatabaseName(program->databasePath());
        ASSERT_TRUE(locker.open());
        QSqlQuery query(locker);
        ASSERT_TRUE(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(query.exec(QStringLiteral("UPDATE OPE SET ORAG = 'IN CORSO'")));
        EXPECT_FALSE(start());
        expectGeneralError(ErrorNumber::DatabaseOpen, jetString(), QString());
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("bloccato"))) << dialogs.messages[0].text.toStdString();
        ASSERT_TRUE(query.exec(QStringLiteral("ROLLBACK")));
        query.finish();
        locker.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    expectOperatorRowIntact();
}

TEST_F(StartupFailure, ClientServerMessageMasksThePassword)
{
    // A user of 16 characters: the connection string carries the first 10.
    useProgram(QStringLiteral("[opzioni]\nTipoDb=Si\nServer_Utente=abcdefghijklmnop\nServer_Password=segreto\n"),
               TempProgramDir::Database::Missing);
    EXPECT_FALSE(start());
    EXPECT_EQ(ctx.app.ConnectionString, QStringLiteral("dsn=KIVO; UID=abcdefghij; PWD=segreto"));
    EXPECT_EQ(ctx.app.VersionText, QStringLiteral("Versione 1.0 - Client/Server"));
    expectGeneralError(ErrorNumber::DatabaseOpen, QStringLiteral("dsn=KIVO; UID=abcdefghij; PWD=****"), QStringLiteral("S"));
    EXPECT_FALSE(dialogs.messages[0].text.contains(QStringLiteral("segreto")));
}

TEST_F(StartupFailure, UnwritableWindowsDirectory)
{
    addOperatorRow();
    program->writeFile(QStringLiteral("notafolder"), "keep");
    qputenv("WINDIR", program->filePath(QStringLiteral("notafolder")).toLocal8Bit());
    EXPECT_FALSE(start());
    expectAdministratorMessage();
    EXPECT_EQ(mainWindowShown + batchRuns, 0);
    EXPECT_EQ(program->readFile(QStringLiteral("notafolder")), QByteArray("keep"));
    expectOperatorRowIntact();
}

TEST_F(StartupFailure, PdfFolderThatCannotBeMade)
{
    program->writeFile(QStringLiteral("blocco"), "x");
    program->writeIni(QStringLiteral("[opzioni]\nPC=Y\nPDA=blocco/pdf\n"));
    EXPECT_FALSE(start());
    expectAdministratorMessage();
    // Nothing logged as created.
    EXPECT_EQ(resultFile(), QByteArray("LANCIO=OK\r\n"));
}

TEST_F(StartupFailure, BadConfigurationIsNamedAndLeftAsItWas)
{
    const QByteArray ini = "[opzioni]\r\nPC=Y\r\n[servizio]\r\nTimeoutRisposta=sessanta\r\n";
    program->writeFile(QStringLiteral("configurazione.ini"), ini);
    EXPECT_FALSE(start());
    expectGeneralError(ErrorNumber::InvalidProcedureCall, QString(), QString());
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("TimeoutRisposta=sessanta")));
    EXPECT_EQ(program->readFile(QStringLiteral("configurazione.ini")), ini);
    EXPECT_FALSE(program->exists(QStringLiteral("VERIFICA_KIVO.TXT")));
}

TEST_F(StartupFailure, UnreadableConfiguration)
{
    QFile::remove(program->iniPath());
    QDir().mkpath(program->iniPath());  // a folder where the file should be
    EXPECT_FALSE(start());
    expectGeneralError(ErrorNumber::PermissionDenied, QString(), QString());
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("configurazione.ini")));
}

TEST_F(StartupFailure, FailuresOfTheBatchGoThroughTheSameHandler)
{
    struct Case {
        std::function<void()> fail;
        QString expectedStart;
    };
    const Case cases[] = {
        {[] { throw KivoError(ErrorNumber::Transport, QStringLiteral("Servizio non raggiungibile")); },
         QStringLiteral("Errore KIVO Dichiarazioni num. 440 Servizio non raggiungibile\n")},
        {[] { throw std::runtime_error("guasto"); }, QStringLiteral("Errore KIVO Dichiarazioni num. 51 guasto\n")},
    };
    for (const Case& c : cases) {
        dialogs.messages.clear();
        batch = [&c](AppContext&) { c.fail(); };
        EXPECT_FALSE(start(QStringLiteral("A,B,C")));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(c.expectedStart)) << dialogs.messages[0].text.toStdString();
    }
    // A file that cannot be written during the batch is the administrator message.
    dialogs.messages.clear();
    batch = [](AppContext&) {
        throw KivoError(ErrorNumber::PermissionDenied, QStringLiteral("x"), {}, ErrorKind::AccessDenied);
    };
    EXPECT_FALSE(start(QStringLiteral("A")));
    expectAdministratorMessage();
}

TEST_F(StartupFailure, HandoverWithoutConnectionFileWriterIsRefused)
{
    ctx = program->context(dialogs);
    bool shown = false;
    Handover handover;
    handover.showMainWindow = [&shown](AppContext&) { shown = true; };
    EXPECT_FALSE(RunStartup(ctx, QString(), handover));
    EXPECT_FALSE(shown);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Errore KIVO Dichiarazioni num. 51 ")));
}

}  // namespace
