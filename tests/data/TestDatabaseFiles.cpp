#include "TestDatabaseFiles.h"

#include "data/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

QString JetConnectionString(const QString& path)
{
    return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
}

FreshDatabase::FreshDatabase(const QString& subfolder)
    : path_(dir_.path() + u'/' + subfolder + QStringLiteral("/KIVO_97.mdb"))
{
    CreateDatabaseFile(path_, QStringLiteral(KIVO_SCHEMA_PATH));
}

QString FreshDatabase::folder() const
{
    return QFileInfo(path_).absolutePath();
}

QByteArray FreshDatabase::bytes() const
{
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

RawConnection::RawConnection(const QString& path)
{
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("raw-test-connection-%1").arg(++counter);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    EXPECT_TRUE(db_.open()) << db_.lastError().text().toStdString();
}

RawConnection::~RawConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void RawConnection::run(const QString& sql)
{
    QSqlQuery query(db_);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
}

QString RawConnection::scalar(const QString& sql)
{
    QSqlQuery query(db_);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    return query.next() ? query.value(0).toString() : QString();
}

ReadOnlyFile::ReadOnlyFile(const QString& path) : path_(path)
{
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (geteuid() == 0)
        setImmutable(true);
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (immutable_)
        setImmutable(false);
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

void ReadOnlyFile::setImmutable(bool on)
{
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        immutable_ = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0 && on;
    }
    ::close(fd);
}
