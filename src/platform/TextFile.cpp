#include "platform/TextFile.h"

#include "platform/Cp1252.h"
#include "platform/FileErrors.h"

#include <QFile>

namespace {

void WriteLine(const QString& path, const QString& line, QIODevice::OpenMode mode, const QString& source)
{
    QFile file(path);
    const QByteArray bytes = ToCp1252(line) + "\r\n";
    if (!file.open(mode) || file.write(bytes) != bytes.size() || !file.flush())
        throw FileWriteError(path, source);
}

}  // namespace

void WriteTextLine(const QString& path, const QString& line, const QString& source)
{
    WriteLine(path, line, QIODevice::WriteOnly | QIODevice::Truncate, source);
}

void AppendTextLine(const QString& path, const QString& line, const QString& source)
{
    WriteLine(path, line, QIODevice::WriteOnly | QIODevice::Append, source);
}
