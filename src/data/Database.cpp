#include "data/Database.h"

#include "data/ConnectionString.h"
#include "data/SqlConnectionName.h"
#include "data/SqlText.h"
#include "platform/KivoError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>
#include <QUrl>

namespace {

const QString kSource = QStringLiteral("Database");
// How long a statement waits for another program's write to finish before it fails as "locked".
constexpr int kBusyTimeoutMs = 5000;

// SQLite result codes (the primary code is the low byte of an extended one).
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, NotADatabase = 26 };

int SqlitePrimaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xFF) : -1;
}

QString DriverReason(const QSqlError& error)
{
    const QString reason = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return reason.trimmed();
}

// The description of a failed SQLite operation, in words the user can act on.
QString DescribeSqliteError(const QSqlError& error, const QString& path)
{
    const QString reason = DriverReason(error);
    switch (SqlitePrimaryCode(error)) {
    case Busy:
    case Locked:
        return QStringLiteral("Il database %1 è bloccato da un altro programma (%2).").arg(path, reason);
    case ReadOnly:
        return QStringLiteral("Il database %1 è di sola lettura (%2).").arg(path, reason);
    case Corrupt:
    case NotADatabase:
        return QStringLiteral("Il file %1 non è un database SQLite valido (%2).").arg(path, reason);
    default:
        return QStringLiteral("Errore del database %1: %2").arg(path, reason);
    }
}

bool HasSqliteHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray magic("SQLite format 3\0", 16);
    return file.read(magic.size()) == magic;
}

[[noreturn]] void FailOpen(const QString& description)
{
    throw KivoError(ErrorNumber::DatabaseOpen, description, kSource);
}

// Everything that can be told from the file system before SQLite touches the file. The program
// writes its own database; a sibling's is mostly read, so a read-only one will do.
void CheckSqliteFile(const QString& path, DatabaseUse use)
{
    const QFileInfo info(path);
    if (!info.exists())
        FailOpen(QStringLiteral("Il database %1 non esiste.").arg(path));
    if (!info.isFile())
        FailOpen(QStringLiteral("Il database %1 non è un file.").arg(path));
    if (!info.isReadable())
        FailOpen(QStringLiteral("Il database %1 non è leggibile.").arg(path));
    if (!HasSqliteHeader(path))
        FailOpen(QStringLiteral("Il file %1 non è un database SQLite.").arg(path));
    if (use == DatabaseUse::Sibling)
        return;
    if (!info.isWritable())
        FailOpen(QStringLiteral("Il database %1 è di sola lettura.").arg(path));
    // The write-ahead log lives beside the file.
    if (!QFileInfo(info.absolutePath()).isWritable())
        FailOpen(QStringLiteral("La cartella del database %1 non è scrivibile.").arg(info.absolutePath()));
}

// A "file:" address with mode=rw (or ro for a read-only file): SQLite never creates the file.
QString NoCreateUri(const QString& path)
{
    const QFileInfo info(path);
    return QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (info.isWritable() ? QStringLiteral("?mode=rw") : QStringLiteral("?mode=ro"));
}

void RunSetupStatement(QSqlDatabase& db, const QString& sql, const QString& path)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        FailOpen(DescribeSqliteError(query.lastError(), path));
}

void CheckOurTables(QSqlDatabase& db, const QString& path)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type = 'table'")))
        FailOpen(DescribeSqliteError(query.lastError(), path));
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    for (const char* required : {"ope", "indice", "dettaglio"}) {
        if (!tables.contains(QLatin1String(required)))
            FailOpen(QStringLiteral("Il database %1 non contiene le tabelle OPE, INDICE e DETTAGLIO.").arg(path));
    }
}

// Write-ahead logging with normal synchronisation keeps the thousands of small statements of a mass
// verification fast; the file stays consistent after a crash (a power cut may lose the last ones).
void PrepareSqliteConnection(QSqlDatabase& db, const QString& path, DatabaseUse use)
{
    RunSetupStatement(db, QStringLiteral("PRAGMA synchronous=NORMAL"), path);
    if (use == DatabaseUse::Sibling)
        return;
    CheckOurTables(db, path);
    RunSetupStatement(db, QStringLiteral("PRAGMA journal_mode=WAL"), path);
    // Finding a lock now gives a clear message at start-up instead of at the first search.
    RunSetupStatement(db, QStringLiteral("BEGIN IMMEDIATE"), path);
    RunSetupStatement(db, QStringLiteral("ROLLBACK"), path);
}

}  // namespace

struct Database::Handle {
    QString name;
    QSqlDatabase db;
    DatabaseKind kind = DatabaseKind::SQLite;
    QString connectionString;
    QString location;  // file or data source, for messages

    Handle(const QString& driver, DatabaseKind k, QString cs, QString where)
        : name(UniqueSqlConnectionName()), db(QSqlDatabase::addDatabase(driver, name)), kind(k),
          connectionString(std::move(cs)), location(std::move(where)) {}
    ~Handle()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

Database Database::Open(const QString& connectionString, DatabaseUse use)
{
    const QMap<QString, QString> pairs = ParseConnectionString(connectionString);
    Database database;
    if (pairs.contains(QStringLiteral("dsn"))) {
        const QString dsn = pairs.value(QStringLiteral("dsn"));
        database.handle_ = std::make_shared<Handle>(QStringLiteral("QODBC"), DatabaseKind::Odbc,
                                                    connectionString, dsn);
        QSqlDatabase& db = database.handle_->db;
        // Qt's ODBC driver writes "DSN=", "UID=" and "PWD=" itself from these three.
        db.setDatabaseName(dsn);
        db.setUserName(pairs.value(QStringLiteral("uid")));
        db.setPassword(pairs.value(QStringLiteral("pwd")));
        if (!db.open())
            FailOpen(QStringLiteral("Impossibile aprire l'origine dati %1 (%2): %3")
                         .arg(dsn, MaskPassword(connectionString), DriverReason(db.lastError())));
        return database;
    }
    if (pairs.contains(QStringLiteral("data source"))) {
        const QString path = pairs.value(QStringLiteral("data source"));
        CheckSqliteFile(path, use);
        database.handle_ = std::make_shared<Handle>(QStringLiteral("QSQLITE"), DatabaseKind::SQLite,
                                                    connectionString, path);
        QSqlDatabase& db = database.handle_->db;
        db.setDatabaseName(NoCreateUri(path));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open())
            FailOpen(DescribeSqliteError(db.lastError(), path));
        PrepareSqliteConnection(db, path, use);
        return database;
    }
    FailOpen(QStringLiteral("Stringa di connessione non riconosciuta: %1").arg(MaskPassword(connectionString)));
}

bool Database::isOpen() const
{
    return handle_ && handle_->db.isOpen();
}

DatabaseKind Database::kind() const
{
    return handle_ ? handle_->kind : DatabaseKind::SQLite;
}

QString Database::connectionString() const
{
    return handle_ ? handle_->connectionString : QString();
}

QString Database::dialect(const QString& sql) const
{
    return kind() == DatabaseKind::Odbc ? BracketsToDoubleQuotes(sql) : sql;
}

namespace {

[[noreturn]] void FailStatement(const QSqlError& error, DatabaseKind kind, const QString& location)
{
    const QString description = kind == DatabaseKind::SQLite
                                    ? DescribeSqliteError(error, location)
                                    : QStringLiteral("Errore dell'origine dati %1: %2").arg(location, DriverReason(error));
    throw KivoError(ErrorNumber::DatabaseStatement, description, kSource);
}

}  // namespace

QSqlQuery Database::select(const QString& sql) const
{
    if (!isOpen())
        throw KivoError(ErrorNumber::DatabaseStatement, QStringLiteral("Il database non è aperto."), kSource);
    QSqlQuery query(handle_->db);
    query.setForwardOnly(true);
    if (!query.exec(dialect(sql)))
        FailStatement(query.lastError(), handle_->kind, handle_->location);
    return query;
}

void Database::execute(const QString& sql) const
{
    select(sql);
}

std::optional<QSqlRecord> Database::firstRow(const QString& sql) const
{
    QSqlQuery query = select(sql);
    if (!query.next())
        return std::nullopt;
    return query.record();
}
