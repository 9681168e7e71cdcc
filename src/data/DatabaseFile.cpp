// The set-up step: an empty single-user database made from the schema script.

#include "data/Database.h"

#include "data/SqlConnectionName.h"
#include "platform/KivoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

const QString kSource = QStringLiteral("CreateDatabaseFile");

// The statements of a script: "--" comments dropped, split at ";". The schema holds no literal
// with a ";" or "--" in it.
QStringList ScriptStatements(const QString& script)
{
    QStringList lines;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QLatin1String("--"));
        lines << (comment < 0 ? line : line.left(comment));
    }
    QStringList statements;
    for (const QString& statement : lines.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        if (!statement.trimmed().isEmpty())
            statements << statement.trimmed();
    }
    return statements;
}

QString ReadSchema(const QString& schemaPath)
{
    QFile file(schemaPath);
    if (!file.open(QIODevice::ReadOnly))
        throw KivoError(ErrorNumber::FileNotFound,
                        QStringLiteral("Impossibile leggere lo schema %1: %2").arg(schemaPath, file.errorString()),
                        kSource);
    return QString::fromUtf8(file.readAll());
}

void RemoveWithCompanions(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// Runs the script on a new file; returns the first failure, empty when all went well.
QString RunScript(const QString& path, const QStringList& statements)
{
    const QString name = UniqueSqlConnectionName();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            QSqlQuery query(db);
            QStringList all = statements;
            all << QStringLiteral("PRAGMA journal_mode=WAL");
            for (const QString& statement : all) {
                if (!query.exec(statement)) {
                    failure = QStringLiteral("%1 (%2)").arg(query.lastError().text(), statement.left(60));
                    break;
                }
            }
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return failure;
}

}  // namespace

void CreateDatabaseFile(const QString& databasePath, const QString& schemaPath)
{
    if (QFileInfo::exists(databasePath))
        throw KivoError(ErrorNumber::DatabaseOpen,
                        QStringLiteral("Il database %1 esiste già: non viene sovrascritto.").arg(databasePath),
                        kSource);
    const QStringList statements = ScriptStatements(ReadSchema(schemaPath));
    const QString folder = QFileInfo(databasePath).absolutePath();
    if (!QDir().mkpath(folder))
        throw KivoError(ErrorNumber::PathNotFound, QStringLiteral("Impossibile creare la cartella %1.").arg(folder),
                        kSource, ErrorKind::AccessDenied);

    // Built under another name and renamed when complete, so that a failure never leaves a
    // half-made database where the program looks for one.
    const QString partial = databasePath + QStringLiteral(".nuovo");
    RemoveWithCompanions(partial);
    const QString failure = RunScript(partial, statements);
    if (!failure.isEmpty()) {
        RemoveWithCompanions(partial);
        throw KivoError(ErrorNumber::DatabaseOpen,
                        QStringLiteral("Impossibile creare il database %1: %2").arg(databasePath, failure), kSource,
                        ErrorKind::AccessDenied);
    }
    if (!QFile::rename(partial, databasePath)) {
        RemoveWithCompanions(partial);
        throw KivoError(ErrorNumber::PermissionDenied,
                        QStringLiteral("Impossibile creare il database %1.").arg(databasePath), kSource,
                        ErrorKind::AccessDenied);
    }
}
