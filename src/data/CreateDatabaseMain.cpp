// kivo-create-database <database file> <schema.sql>: the set-up step that gives a new installation
// its empty single-user database. An existing database is left alone, so that running the set-up
// again (or rebuilding) never touches the user's data.

#include "data/Database.h"
#include "platform/KivoError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: kivo-create-database <file del database> <schema.sql>\n");
        return 2;
    }
    const QString databasePath = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(databasePath))
        return 0;
    try {
        CreateDatabaseFile(databasePath, QString::fromLocal8Bit(argv[2]));
    } catch (const KivoError& error) {
        std::fprintf(stderr, "kivo-create-database: %s\n", qPrintable(error.description));
        return 1;
    }
    return 0;
}
