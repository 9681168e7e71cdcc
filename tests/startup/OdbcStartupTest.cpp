// The client/server edition: start-up with TipoDb=S against the PostgreSQL data source "KIVO"
// reached through ODBC (scripts/start-postgres.sh sets it up and exports KIVO_ODBC_TESTS=1).
#include "StartupFixture.h"

#include "platform/Cp1252.h"

#include <QUuid>

namespace {

class OdbcStartup : public StartupFixture {};

TEST_F(OdbcStartup, ClientServerEditionRunsTheProgramsStatements)
{
    if (qEnvironmentVariable("KIVO_ODBC_TESTS") != QStringLiteral("1"))
        GTEST_SKIP() << "KIVO_ODBC_TESTS is not 1: no PostgreSQL data source KIVO (see scripts/start-postgres.sh)";
    const QString user = qEnvironmentVariable("KIVO_ODBC_USER", QStringLiteral("kivo"));
    const QString password = qEnvironmentVariable("KIVO_ODBC_PASSWORD", QStringLiteral("kivo"));
    useProgram(QStringLiteral("[opzioni]\nTipoDb=S\nServer_Utente=") + user + QStringLiteral("\nServer_Password=") +
                   password + u'\n',
               TempProgramDir::Database::Missing);
    ASSERT_TRUE(start()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(ctx.app.ConnectionString, QStringLiteral("dsn=KIVO; UID=") + user + QStringLiteral("; PWD=") + password);
    EXPECT_EQ(ctx.app.VersionText, QStringLiteral("Versione 1.0 - Client/Server"));
    ASSERT_EQ(ctx.app.Connection.kind(), DatabaseKind::Odbc);

    // The statements the program runs, as it writes them.
    const QString runId = QStringLiteral("odbc ") + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
    const Database& db = ctx.app.Connection;
    db.execute(QStringLiteral("INSERT INTO INDICE (IDRIC, IDRICP, DB, NOME, DBID) VALUES ('") + runId +
               QStringLiteral("', 1, 'UE', 'ROSSI MARIO', '42')"));
    db.execute(QStringLiteral("INSERT INTO INDICE (IDRIC, IDRICP, DB, NOME, DBID) VALUES ('") + runId +
               QStringLiteral("', 2, 'USA', 'D\u00B4ANGELO', '7')"));
    QSqlQuery rows = db.select(QStringLiteral("SELECT NOME FROM INDICE WHERE IDRIC = '") + runId +
                               QStringLiteral("' ORDER BY IDRICP"));
    QStringList names;
    while (rows.next())
        names << rows.value(0).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("ROSSI MARIO"), QString::fromUtf8("D´ANGELO")}));
    db.execute(QStringLiteral("DELETE FROM INDICE WHERE IDRIC = '") + runId + u'\'');
    EXPECT_FALSE(db.firstRow(QStringLiteral("SELECT NOME FROM INDICE WHERE IDRIC = '") + runId + u'\'').has_value());

    // The own connection file names the client/server edition.
    QFile file(program->windowsDir() + QStringLiteral("/SYSTEM/FSYSCOK.DLL"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(ScrambleText(FromCp1252(lines[1].trimmed()), QStringLiteral("Leggi"), kConnectionLineConstants[1]),
              QStringLiteral("S"));
}

}  // namespace
