#pragma once
// Reading the connection strings that the program and its siblings write: "key=value" pairs
// separated by ";", keys in any case, blanks around keys and values ignored.

#include <QMap>
#include <QString>

// The pairs of the string, keys in lower case ("data source", "dsn", "uid", "pwd" ...).
QMap<QString, QString> ParseConnectionString(const QString& connectionString);
