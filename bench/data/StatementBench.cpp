// The mass verification stores and deletes its hits one statement at a time, each its own
// transaction. This measures that pattern on the program's database (write-ahead journal, normal
// synchronisation) against the same file with SQLite's defaults (rollback journal, full
// synchronisation), measured in the same run.
// Usage: kivo_statement_bench [statements]   (default 2000)

#include "data/Database.h"
#include "data/SqlText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Inserts `count` hits one statement at a time, then deletes the run: milliseconds taken.
double InsertAndDelete(const Database& db, int count)
{
    const QString run = QStringLiteral("MASSA 000001 - 11/12/2026 - 06:30:12");
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= count; ++i)
        db.execute(QStringLiteral("INSERT INTO INDICE (idric, idricp, db, nome, dbid) VALUES (") + SqlQuote(run) + u',' +
                   SqlQuote(QString::number(i)) + QStringLiteral(",'UE',") +
                   SqlQuote(QStringLiteral("MOHAMMED ABDUL RAHMAN %1").arg(i)) + QStringLiteral(",'EU.1.2')"));
    db.execute(QStringLiteral("DELETE FROM INDICE WHERE IDRIC=") + SqlQuote(run));
    return double(timer.nsecsElapsed()) / 1e6;
}

Database FreshDatabase(const QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.path() + u'/' + name;
    CreateDatabaseFile(path, QStringLiteral(KIVO_SCHEMA_FILE));
    return Database::Open(QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    QTemporaryDir dir;

    const Database ours = FreshDatabase(dir, QStringLiteral("ours.mdb"));
    const Database peer = FreshDatabase(dir, QStringLiteral("peer.mdb"));
    peer.execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
    peer.execute(QStringLiteral("PRAGMA synchronous=FULL"));

    InsertAndDelete(ours, 50);  // warm-up
    InsertAndDelete(peer, 50);
    const double oursMs = InsertAndDelete(ours, count);
    const double peerMs = InsertAndDelete(peer, count);
    std::printf("%d INSERT statements + 1 DELETE, one transaction each\n", count);
    std::printf("  ours (WAL, synchronous=NORMAL):     %8.1f ms  %7.1f us/statement\n", oursMs, oursMs * 1000 / count);
    std::printf("  SQLite defaults (DELETE, FULL):     %8.1f ms  %7.1f us/statement\n", peerMs, peerMs * 1000 / count);
    std::printf("  ratio defaults/ours: %.1fx\n", peerMs / oursMs);
    return 0;
}
