#pragma once
// Qt keeps its database connections by name; each of ours gets a name of its own so that any number
// of connections (the program's, a sibling's, a test's) can be open at once.

#include <QString>

QString UniqueSqlConnectionName();
