#include "support/TempProgramDir.h"

#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

void CopyRecursively(const QString& from, const QString& to)
{
    const QFileInfo source(from);
    if (source.isFile()) {
        QDir().mkpath(QFileInfo(to).path());
        QFile::remove(to);
        if (!QFile::copy(from, to))
            throw std::runtime_error(("cannot copy " + from + " to " + to).toStdString());
        return;
    }
    QDir().mkpath(to);
    const QDir sourceDir(from);
    for (const QFileInfo& entry : sourceDir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        CopyRecursively(entry.filePath(), to + u'/' + entry.fileName());
}

}  // namespace

TempProgramDir::TempProgramDir(const QString& iniContent, Database database)
{
    if (!dir_.isValid() || !windows_.isValid())
        throw std::runtime_error("cannot create a temporary directory");
    hadWindir_ = qEnvironmentVariableIsSet("WINDIR");
    previousWindir_ = qgetenv("WINDIR");
    qputenv("WINDIR", windows_.path().toLocal8Bit());

    QDir(path()).mkpath(QStringLiteral("DataBase"));
    QDir(path()).mkpath(QStringLiteral("ALLEGATI"));
    writeIni(iniContent);
    if (database == Database::Created)
        CreateDatabaseFile(databasePath(), QStringLiteral(KIVO_RESOURCES_DIR "/DataBase/schema.sql"));
}

TempProgramDir::~TempProgramDir()
{
    if (hadWindir_)
        qputenv("WINDIR", previousWindir_);
    else
        qunsetenv("WINDIR");
}

QString TempProgramDir::path() const
{
    return dir_.path();
}

QString TempProgramDir::filePath(const QString& relative) const
{
    return path() + u'/' + relative;
}

QString TempProgramDir::windowsDir() const
{
    return windows_.path();
}

QString TempProgramDir::connectionString() const
{
    return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePath();
}

void TempProgramDir::writeIni(const QString& content) const
{
    writeFile(QStringLiteral("configurazione.ini"), content.toUtf8());
}

void TempProgramDir::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error(("cannot write " + target).toStdString());
}

QByteArray TempProgramDir::readFile(const QString& relative) const
{
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempProgramDir::exists(const QString& relative) const
{
    return QFileInfo::exists(filePath(relative));
}

void TempProgramDir::copyResource(const QString& relative) const
{
    CopyRecursively(QStringLiteral(KIVO_RESOURCES_DIR "/") + relative, filePath(relative));
}

AppContext TempProgramDir::context(Dialogs& dialogs) const
{
    AppContext ctx;
    ctx.programDir = path();
    ctx.iniPath = iniPath();
    ctx.dialogs = &dialogs;
    return ctx;
}
