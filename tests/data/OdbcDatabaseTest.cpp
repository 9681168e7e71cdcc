// The client/server edition: the same statements through ODBC on a PostgreSQL data source.
// Runs when KIVO_ODBC_CONNECTION names one (scripts/start-postgres.sh sets it up).

#include "ProgramStatements.h"
#include "data/Database.h"
#include "data/SqlText.h"
#include "platform/KivoError.h"

#include <QRegularExpression>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

class OdbcDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        connection = qEnvironmentVariable("KIVO_ODBC_CONNECTION");
        if (connection.isEmpty())
            GTEST_SKIP() << "no ODBC data source (KIVO_ODBC_CONNECTION unset)";
    }
    QString connection;
};

TEST_F(OdbcDatabase, RunsTheProgramStatementsUnchanged)
{
    const Database db = Database::Open(connection);
    EXPECT_EQ(db.kind(), DatabaseKind::Odbc);
    ExpectProgramStatementsWork(db);
}

TEST_F(OdbcDatabase, NoValueCanBreakOrExtendAStatement)
{
    const Database db = Database::Open(connection);
    const QString tag = QUuid::createUuid().toString(QUuid::Id128).left(8);
    const QString values[] = {QStringLiteral("O'NEIL"), QStringLiteral("'); DELETE FROM OPE; --"),
                              QStringLiteral("back\\slash\\'"), QStringLiteral("[Ragione Sociale]"),
                              QString::fromUtf8("Nicolò € \u00B4 😀")};
    for (const QString& value : values) {
        const QString code = value + tag;
        db.execute(QStringLiteral("INSERT INTO OPE (ocod, orag) VALUES (") + SqlQuote(code) + u',' + SqlQuote(value) + u')');
        const auto row = db.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + SqlQuote(code));
        ASSERT_TRUE(row.has_value()) << value.toStdString();
        EXPECT_EQ(row->value(QStringLiteral("orag")).toString(), value);
        db.execute(QStringLiteral("DELETE From OPE WHERE OCOD=") + SqlQuote(code));
    }
}

TEST_F(OdbcDatabase, WrongPasswordIsRefusedWithoutShowingIt)
{
    QString wrong = connection;
    wrong.replace(QRegularExpression(QStringLiteral("PWD=[^;]*"), QRegularExpression::CaseInsensitiveOption),
                  QStringLiteral("PWD=sbagliata77"));
    try {
        Database::Open(wrong);
        FAIL() << "opened with a wrong password";
    } catch (const KivoError& error) {
        EXPECT_FALSE(error.description.contains(QStringLiteral("sbagliata77"))) << error.description.toStdString();
    }
}

}  // namespace
