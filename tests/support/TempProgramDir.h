#pragma once
// A temporary program directory for one test: configurazione.ini with the content the test gives,
// DataBase/KIVO_97.mdb created from the schema, an empty ALLEGATI/, and WINDIR pointed at a
// temporary Windows directory (restored when the object goes). Everything is removed at the end.

#include "platform/Dialogs.h"
#include "startup/AppContext.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempProgramDir {
public:
    enum class Database { Created, Missing };

    explicit TempProgramDir(const QString& iniContent = QStringLiteral("[opzioni]\n"),
                            Database database = Database::Created);
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const;                                // the program directory
    QString filePath(const QString& relative) const;     // path() + "/" + relative
    QString iniPath() const { return filePath(QStringLiteral("configurazione.ini")); }
    QString databasePath() const { return filePath(QStringLiteral("DataBase/KIVO_97.mdb")); }
    QString windowsDir() const;                          // what WINDIR points at
    // The single-user connection string of this directory's database.
    QString connectionString() const;

    void writeIni(const QString& content) const;         // UTF-8, written as given
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;  // empty when missing
    bool exists(const QString& relative) const;
    // Copies a file or folder of resources/ (e.g. "stampe") into the program directory.
    void copyResource(const QString& relative) const;

    // A context as the program has it before start-up: program directory, ini path, dialogs.
    AppContext context(Dialogs& dialogs) const;

private:
    QTemporaryDir dir_;
    QTemporaryDir windows_;
    QByteArray previousWindir_;
    bool hadWindir_ = false;
};
