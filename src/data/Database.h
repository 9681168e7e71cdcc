#pragma once
// A database connection opened from a connection string, as the program and its siblings write them:
//   "provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>"  -> the SQLite file <file>, read-write,
//                                                             never created when missing
//   "dsn=<name>; UID=<user>; PWD=<password>"               -> the ODBC data source <name>
// Statements are SQL text. Identifiers in brackets ([Ragione Sociale]) are rewritten for
// ODBC sources, whose server expects double quotes.

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <memory>
#include <optional>

enum class DatabaseKind { SQLite, Odbc };

// What a single-user file must be to open, beyond being a SQLite database.
enum class DatabaseUse {
    Program,  // the program's own: tables OPE, INDICE and DETTAGLIO required; write-ahead journal set
    Sibling,  // a sibling program's database: opened as it is, its tables and journal left alone
};

class Database {
public:
    Database() = default;  // not open

    // Opens the connection; throws KivoError (ErrorNumber::DatabaseOpen) with the driver's reason.
    static Database Open(const QString& connectionString, DatabaseUse use = DatabaseUse::Program);

    bool isOpen() const;
    DatabaseKind kind() const;
    QString connectionString() const;

    // Runs one statement that changes data; throws KivoError on failure.
    void execute(const QString& sql) const;
    // Runs a SELECT and returns a forward-only result positioned before the first row;
    // throws KivoError on failure.
    QSqlQuery select(const QString& sql) const;
    // The first row of a SELECT, or nothing when it returns no row.
    std::optional<QSqlRecord> firstRow(const QString& sql) const;

    // The statement as it is sent to this connection's server.
    QString dialect(const QString& sql) const;

private:
    struct Handle;
    std::shared_ptr<Handle> handle_;
};

// The connection string with the ODBC password replaced by "****", for messages.
QString MaskPassword(const QString& connectionString);

// Creates an empty single-user database file from the schema script (the set-up step).
// Throws KivoError when the file exists already or cannot be written.
void CreateDatabaseFile(const QString& databasePath, const QString& schemaPath);
