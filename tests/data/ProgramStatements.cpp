#include "ProgramStatements.h"

#include "data/SqlText.h"

#include <QSqlRecord>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

QStringList Column(QSqlQuery& query, const QString& name)
{
    QStringList values;
    while (query.next())
        values << query.record().value(name).toString();
    return values;
}

int Count(const Database& db, const QString& sql)
{
    return db.firstRow(sql)->value(0).toInt();
}

void AddOperator(const Database& db, const QString& code, const QString& name)
{
    db.execute(QStringLiteral("INSERT INTO OPE (ocod, orag, ocf, oloca) VALUES (") + SqlQuote(code) + u',' +
               SqlQuote(name) + QStringLiteral(", 'X', 'ROMA')"));
}

}  // namespace

void ExpectProgramStatementsWork(const Database& db)
{
    const QString tag = QUuid::createUuid().toString(QUuid::Id128).left(8).toUpper();
    const QString codeA = QStringLiteral("A") + tag;
    AddOperator(db, QStringLiteral("B") + tag, QStringLiteral("BETA ") + tag);
    AddOperator(db, codeA, QStringLiteral("ALFA ") + tag);
    QSqlQuery list = db.select(QStringLiteral(
        "SELECT OPE.OCOD AS Codice,  OPE.ORAG as [Ragione Sociale], OPE.OCF as [Codice Fiscale], OPE.OLOCA as Localita  FROM OPE order bY OPE.ORAG"));
    EXPECT_EQ(Column(list, QStringLiteral("Ragione Sociale")).filter(tag),
              (QStringList{QStringLiteral("ALFA ") + tag, QStringLiteral("BETA ") + tag}));
    EXPECT_TRUE(db.firstRow(QStringLiteral("SELECT * From OPE WHERE OCOD=") + SqlQuote(codeA)).has_value());

    const QString run = QStringLiteral("09/11/2012 - 15:30:12 ") + tag;
    for (int i = 1; i <= 12; ++i) {
        db.execute(QStringLiteral("INSERT INTO INDICE (idric, idricp, db, nome, dbid) VALUES (") + SqlQuote(run) + u',' +
                   SqlQuote(QString::number(i)) + QStringLiteral(",'UE',") +
                   SqlQuote(QStringLiteral("N%1").arg(i, 2, 10, QLatin1Char('0'))) + QStringLiteral(",'7')"));
        db.execute(QStringLiteral("INSERT INTO DETTAGLIO (idric, idricp, tr, testo) VALUES (") + SqlQuote(run) + u',' +
                   SqlQuote(QString::number(i)) + QStringLiteral(",'H',") + SqlQuote(QStringLiteral("riga %1").arg(i)) + u')');
    }
    db.execute(QStringLiteral("INSERT INTO DETTAGLIO (idric, idricp, tr, testo) VALUES (") + SqlQuote(run) +
               QStringLiteral(",'13','B',' ')"));

    QSqlQuery hits = db.select(QStringLiteral("SELECT db AS [DataBase], nome as Nominativo, dbid as [Id] FROM INDICE WHERE IDRIC= ") +
                               SqlQuote(run) + QStringLiteral(" ORDER BY NOME"));
    EXPECT_EQ(Column(hits, QStringLiteral("DataBase")).size(), 12);
    // The mass verification reads hits by "Db", "Nome" and "DBID", in any case.
    const auto hit = db.firstRow(QStringLiteral("SELECT * FROM INDICE WHERE IDRIC= ") + SqlQuote(run) + QStringLiteral(" ORDER BY NOME"));
    EXPECT_EQ(hit->value(QStringLiteral("Nome")).toString(), QStringLiteral("N01"));
    EXPECT_EQ(hit->value(QStringLiteral("DBID")).toString(), QStringLiteral("7"));

    // idricp is a number: line 10 comes after line 9, and the closing line last.
    QSqlQuery lines = db.select(QStringLiteral("SELECT tr AS [TR], testo AS [Riga di dettaglio] FROM DETTAGLIO WHERE IDRIC= ") +
                                SqlQuote(run) + QStringLiteral(" ORDER BY IDRICP"));
    QStringList expected;
    for (int i = 1; i <= 12; ++i)
        expected << QStringLiteral("riga %1").arg(i);
    expected << QStringLiteral(" ");
    EXPECT_EQ(Column(lines, QStringLiteral("Riga di dettaglio")), expected);
    QSqlQuery report = db.select(QStringLiteral("SELECT * FROM DETTAGLIO WHERE IDRIC= ") + SqlQuote(run) + QStringLiteral(" ORDER BY IDRICP"));
    EXPECT_EQ(Column(report, QStringLiteral("idricp")).last(), QStringLiteral("13"));

    db.execute(QStringLiteral("DELETE FROM INDICE WHERE IDRIC=") + SqlQuote(run));
    db.execute(QStringLiteral("DELETE From OPE WHERE OCOD=") + SqlQuote(codeA));
    EXPECT_EQ(Count(db, QStringLiteral("SELECT count(*) FROM INDICE WHERE IDRIC=") + SqlQuote(run)), 0);
    // Detail lines are keyed by run, not by operator: deleting the operator leaves them.
    EXPECT_EQ(Count(db, QStringLiteral("SELECT count(*) FROM DETTAGLIO WHERE IDRIC=") + SqlQuote(run)), 13);
    EXPECT_EQ(Count(db, QStringLiteral("SELECT count(*) FROM OPE WHERE OCOD LIKE ") + SqlQuote(QStringLiteral("%") + tag)), 1);

    db.execute(QStringLiteral("DELETE FROM DETTAGLIO WHERE IDRIC=") + SqlQuote(run));
    db.execute(QStringLiteral("DELETE From OPE WHERE OCOD=") + SqlQuote(QStringLiteral("B") + tag));
}
