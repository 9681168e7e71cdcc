// Quoting of SQL values, the ODBC identifier rewrite and password masking, with a round trip
// through a real database for texts that would break or extend a statement.

#include "TestDatabaseFiles.h"
#include "data/Database.h"
#include "data/SqlText.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* input;
    const char* expected;
};

template <size_t N>
void ExpectEach(QString (*function)(const QString&), const Case (&cases)[N])
{
    for (const Case& c : cases)
        EXPECT_EQ(function(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.input;
}

TEST(SqlQuote, DoublesApostrophesInsideTheQuotes)
{
    const Case cases[] = {
        {"", "''"},
        {"ABC", "'ABC'"},
        {"O'NEIL", "'O''NEIL'"},
        {"'", "''''"},
        {"a''b", "'a''''b'"},
        {"x' OR '1'='1", "'x'' OR ''1''=''1'"},
    };
    ExpectEach(SqlQuote, cases);
}

TEST(ReplaceApostrophes, WritesTheAcuteAccent)
{
    const Case cases[] = {
        {"D'ANGELO", "D\u00B4ANGELO"},
        {"''", "\u00B4\u00B4"},
        {"NO APOSTROPHE", "NO APOSTROPHE"},
        {"", ""},
    };
    ExpectEach(ReplaceApostrophes, cases);
}

TEST(BracketsToDoubleQuotes, RewritesIdentifiersButNotValues)
{
    const Case cases[] = {
        {"SELECT OPE.ORAG as [Ragione Sociale] FROM OPE", "SELECT OPE.ORAG as \"Ragione Sociale\" FROM OPE"},
        {"SELECT db AS [DataBase], dbid as [Id] FROM INDICE", "SELECT db AS \"DataBase\", dbid as \"Id\" FROM INDICE"},
        {"SELECT * FROM OPE WHERE OCOD='[A]'", "SELECT * FROM OPE WHERE OCOD='[A]'"},
        {"SELECT [x] FROM t WHERE a='O''[B]' AND [y]=1", "SELECT \"x\" FROM t WHERE a='O''[B]' AND \"y\"=1"},
        {"no brackets", "no brackets"},
    };
    ExpectEach(BracketsToDoubleQuotes, cases);
}

TEST(MaskPassword, HidesOnlyThePassword)
{
    const Case cases[] = {
        {"dsn=KIVO; UID=kivo; PWD=segreta", "dsn=KIVO; UID=kivo; PWD=****"},
        {"DSN=KIVO;pwd=a b c;UID=u", "DSN=KIVO;pwd=****;UID=u"},
        {"dsn=KIVO;Password=x", "dsn=KIVO;Password=****"},
        {"provider=Microsoft.Jet.OLEDB.4.0;Data Source=/p/KIVO_97.mdb",
         "provider=Microsoft.Jet.OLEDB.4.0;Data Source=/p/KIVO_97.mdb"},
    };
    ExpectEach(MaskPassword, cases);
}

// Every kind of character goes in through SqlQuote and comes back as typed; nothing else changes.
TEST(SqlQuote, NoValueCanBreakOrExtendAStatement)
{
    FreshDatabase file;
    const Database db = Database::Open(file.connectionString());
    const QString values[] = {
        QStringLiteral("O'NEIL"),
        QStringLiteral("'); DELETE FROM OPE; --"),
        QStringLiteral("x'; DROP TABLE INDICE; SELECT '"),
        QStringLiteral("\"quoted\" \\ back"),
        QStringLiteral("[Ragione Sociale]"),
        QStringLiteral("%_*?"),
        QStringLiteral("riga1\nriga2\r\t"),
        QString::fromUtf8("Nicolò € \u00B4 😀 日本"),
    };
    db.execute(QStringLiteral("INSERT INTO OPE (ocod, orag) VALUES ('KEEP', 'kept')"));
    int n = 0;
    for (const QString& value : values) {
        const QString code = QStringLiteral("C%1").arg(++n);
        db.execute(QStringLiteral("INSERT INTO OPE (ocod, orag) VALUES (") + SqlQuote(code) + u',' + SqlQuote(value) + u')');
        const auto row = db.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + SqlQuote(code));
        ASSERT_TRUE(row.has_value());
        EXPECT_EQ(row->value(QStringLiteral("orag")).toString(), value);
        // The value as an operator code, the way the register stores codes typed by the user.
        db.execute(QStringLiteral("INSERT INTO OPE (ocod) VALUES (") + SqlQuote(value) + u')');
        EXPECT_TRUE(db.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + SqlQuote(value)).has_value());
    }
    RawConnection raw(file.path());
    EXPECT_EQ(raw.count(QStringLiteral("ope")), 1 + 2 * n);
    EXPECT_EQ(raw.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table'")), QStringLiteral("3"));
}

}  // namespace
