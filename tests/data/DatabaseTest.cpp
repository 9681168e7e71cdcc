// Opening a database by connection string and running the program's statements on it, with the
// files and connection strings that must be refused clearly and left as they were.

#include "ProgramStatements.h"
#include "TestDatabaseFiles.h"
#include "data/Database.h"
#include "data/SqlText.h"
#include "platform/KivoError.h"

#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString DescriptionOfOpenFailure(const QString& connectionString)
{
    try {
        Database::Open(connectionString);
    } catch (const KivoError& error) {
        EXPECT_EQ(error.number, ErrorNumber::DatabaseOpen);
        return error.description;
    }
    ADD_FAILURE() << "opened: " << connectionString.toStdString();
    return {};
}

TEST(Database, OpensTheSingleUserFileInWalModeWithNormalSync)
{
    FreshDatabase file;
    const Database db = Database::Open(file.connectionString());
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(db.kind(), DatabaseKind::SQLite);
    EXPECT_EQ(db.connectionString(), file.connectionString());
    EXPECT_EQ(db.firstRow(QStringLiteral("PRAGMA journal_mode"))->value(0).toString(), QStringLiteral("wal"));
    EXPECT_EQ(db.firstRow(QStringLiteral("PRAGMA synchronous"))->value(0).toInt(), 1);  // NORMAL
}

// Folder names with blanks, "#", "?" and "%" must not be read as parts of an address.
TEST(Database, OpensAFileWhosePathHasAddressCharacters)
{
    FreshDatabase file(QStringLiteral("Dati KIVO #1 ?%20 ò"));
    const Database db = Database::Open(QStringLiteral(" Provider = Microsoft.Jet.OLEDB.4.0 ; data source = ") + file.path());
    db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('A')"));
    RawConnection raw(file.path());
    EXPECT_EQ(raw.count(QStringLiteral("ope")), 1);
    EXPECT_EQ(QDir(file.folder()).entryList(QStringList{QStringLiteral("*.mdb")}).size(), 1);
}

TEST(Database, RunsTheProgramStatementsUnchanged)
{
    FreshDatabase file;
    ExpectProgramStatementsWork(Database::Open(file.connectionString()));
}

TEST(Database, AFailingStatementIsReportedAndChangesNothing)
{
    FreshDatabase file;
    const Database db = Database::Open(file.connectionString());
    db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('A')"));
    try {
        db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('A')"));  // duplicate code
        FAIL() << "duplicate operator code accepted";
    } catch (const KivoError& error) {
        EXPECT_EQ(error.number, ErrorNumber::DatabaseStatement);
        EXPECT_FALSE(error.description.isEmpty());
    }
    EXPECT_THROW(db.select(QStringLiteral("SELECT * FROM NOTABLE")), KivoError);
    EXPECT_FALSE(db.firstRow(QStringLiteral("SELECT * FROM OPE WHERE OCOD='Z'")).has_value());
    EXPECT_THROW(Database().execute(QStringLiteral("DELETE FROM OPE")), KivoError);
    RawConnection raw(file.path());
    EXPECT_EQ(raw.count(QStringLiteral("ope")), 1);
}

// Several connections at once, each with its own name; closing one leaves the others working.
TEST(Database, ConnectionsAreIndependent)
{
    FreshDatabase file;
    const Database first = Database::Open(file.connectionString());
    {
        const Database second = Database::Open(file.connectionString());
        second.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('S')"));
    }
    EXPECT_TRUE(first.firstRow(QStringLiteral("SELECT * FROM OPE WHERE OCOD='S'")).has_value());
}

struct BadFile {
    const char* what;
    std::function<void(const QString& path)> prepare;
    const char* message;
};

// Each bad file is refused with a message naming the fault; the file stays as it was.
TEST(Database, RefusesBadFilesAndLeavesThemAlone)
{
    const BadFile cases[] = {
        {"missing", [](const QString& p) { QFile::remove(p); }, "non esiste"},
        {"text file",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write("Microsoft Jet database? no, just text\r\n");
         },
         "non è un database SQLite"},
        {"empty file",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
         },
         "non è un database SQLite"},
        {"folder", [](const QString& p) { QFile::remove(p); QDir().mkpath(p); }, "non è un file"},
        {"other SQLite database",
         [](const QString& p) {
             QFile::remove(p);
             RawConnection raw(p);
             raw.run(QStringLiteral("CREATE TABLE clienti (id INTEGER)"));
         },
         "non contiene le tabelle OPE, INDICE e DETTAGLIO"},
    };
    for (const BadFile& c : cases) {
        FreshDatabase file;
        c.prepare(file.path());
        const QByteArray before = file.bytes();
        const QString description = DescriptionOfOpenFailure(file.connectionString());
        EXPECT_TRUE(description.contains(QString::fromUtf8(c.message))) << c.what << ": " << description.toStdString();
        EXPECT_EQ(file.bytes(), before) << c.what;
        EXPECT_FALSE(QFile::exists(file.path() + QStringLiteral("-wal"))) << c.what;
    }
    FreshDatabase missing;
    QFile::remove(missing.path());
    DescriptionOfOpenFailure(missing.connectionString());
    EXPECT_FALSE(QFile::exists(missing.path())) << "a missing database must never be created";
}

TEST(Database, RefusesAReadOnlyFile)
{
    FreshDatabase file;
    const QByteArray before = file.bytes();
    {
        ReadOnlyFile readOnly(file.path());
        EXPECT_TRUE(DescriptionOfOpenFailure(file.connectionString()).contains(QStringLiteral("sola lettura")));
    }
    EXPECT_EQ(file.bytes(), before);
}

// Another program holding the write lock: opening and writing fail with a clear message once the
// busy time-out has passed; the other program's work and the rows already there survive.
TEST(Database, ReportsALockedDatabase)
{
    FreshDatabase file;
    const Database db = Database::Open(file.connectionString());
    db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('PRIMA')"));
    RawConnection other(file.path());
    other.run(QStringLiteral("BEGIN IMMEDIATE"));
    other.run(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('ALTRO')"));

    try {
        db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('DOPO')"));
        ADD_FAILURE() << "wrote through another program's lock";
    } catch (const KivoError& error) {
        EXPECT_TRUE(error.description.contains(QStringLiteral("bloccato"))) << error.description.toStdString();
    }
    EXPECT_TRUE(DescriptionOfOpenFailure(file.connectionString()).contains(QStringLiteral("bloccato")));

    other.run(QStringLiteral("COMMIT"));
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT group_concat(ocod, ',') FROM (SELECT ocod FROM ope ORDER BY ocod)")),
              QStringLiteral("ALTRO,PRIMA"));
    db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES ('DOPO')"));  // works again once released
}

// A sibling's database has tables of its own and may be read-only: it opens for reading as it is,
// its journal mode untouched.
TEST(Database, OpensASiblingDatabaseAsItIs)
{
    FreshDatabase file;
    QFile::remove(file.path());
    {
        RawConnection raw(file.path());
        raw.run(QStringLiteral("CREATE TABLE clienti (cognome TEXT)"));
        raw.run(QStringLiteral("INSERT INTO clienti VALUES ('D''ANGELO')"));
    }
    const QByteArray before = file.bytes();
    ReadOnlyFile readOnly(file.path());
    const Database sibling = Database::Open(file.connectionString(), DatabaseUse::Sibling);
    EXPECT_EQ(sibling.firstRow(QStringLiteral("SELECT cognome FROM clienti"))->value(0).toString(), QStringLiteral("D'ANGELO"));
    EXPECT_EQ(sibling.firstRow(QStringLiteral("PRAGMA journal_mode"))->value(0).toString(), QStringLiteral("delete"));
    EXPECT_THROW(sibling.execute(QStringLiteral("DELETE FROM clienti")), KivoError);
    EXPECT_EQ(file.bytes(), before);
}

TEST(Database, RefusesAnUnknownConnectionString)
{
    EXPECT_TRUE(DescriptionOfOpenFailure(QStringLiteral("server=x;user=y")).contains(QStringLiteral("non riconosciuta")));
}

TEST(Database, OdbcFailureNamesTheSourceButNotThePassword)
{
    const QString description = DescriptionOfOpenFailure(QStringLiteral("dsn=KIVO_NON_ESISTE; UID=kivo; PWD=segreta99"));
    EXPECT_TRUE(description.contains(QStringLiteral("KIVO_NON_ESISTE"))) << description.toStdString();
    EXPECT_FALSE(description.contains(QStringLiteral("segreta99"))) << description.toStdString();
}

}  // namespace
