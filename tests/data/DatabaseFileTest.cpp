// The set-up step that creates the single-user database from the schema script.

#include "TestDatabaseFiles.h"
#include "data/Database.h"
#include "platform/KivoError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CreateDatabaseFile, MakesTheThreeTablesWithANumericSequence)
{
    FreshDatabase file;
    RawConnection raw(file.path());
    EXPECT_EQ(raw.scalar(QStringLiteral("SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master WHERE type='table' ORDER BY name)")),
              QStringLiteral("dettaglio,indice,ope"));
    EXPECT_EQ(raw.scalar(QStringLiteral("SELECT type FROM pragma_table_info('indice') WHERE name='idricp'")), QStringLiteral("INTEGER"));
    EXPECT_EQ(raw.scalar(QStringLiteral("SELECT type FROM pragma_table_info('dettaglio') WHERE name='idricp'")), QStringLiteral("INTEGER"));
    EXPECT_EQ(raw.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='index' AND sql LIKE '%idric)%'")), QStringLiteral("2"));
    EXPECT_EQ(raw.scalar(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
    EXPECT_FALSE(QFile::exists(file.path() + QStringLiteral(".nuovo")));
}

TEST(CreateDatabaseFile, NeverOverwritesAnExistingDatabase)
{
    FreshDatabase file;
    {
        RawConnection raw(file.path());
        raw.run(QStringLiteral("INSERT INTO ope (ocod) VALUES ('MIO')"));
    }
    const QByteArray before = file.bytes();
    EXPECT_THROW(CreateDatabaseFile(file.path(), QStringLiteral(KIVO_SCHEMA_PATH)), KivoError);
    EXPECT_EQ(file.bytes(), before);
}

// A failed set-up leaves nothing behind that start-up could take for a database.
TEST(CreateDatabaseFile, LeavesNoFileWhenTheSchemaCannotBeUsed)
{
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/DataBase/KIVO_97.mdb");
    EXPECT_THROW(CreateDatabaseFile(target, dir.path() + QStringLiteral("/manca.sql")), KivoError);
    EXPECT_FALSE(QFile::exists(target));

    const QString broken = dir.path() + QStringLiteral("/rotto.sql");
    QFile script(broken);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("CREATE TABLE ope (ocod TEXT);\nCREATE TABEL indice (x);\n");
    script.close();
    EXPECT_THROW(CreateDatabaseFile(target, broken), KivoError);
    EXPECT_TRUE(QDir(dir.path() + QStringLiteral("/DataBase")).entryList(QDir::Files).isEmpty());
}

}  // namespace
