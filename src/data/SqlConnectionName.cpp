#include "data/SqlConnectionName.h"

#include <atomic>

QString UniqueSqlConnectionName()
{
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("kivo-connection-%1").arg(++counter);
}
