#pragma once
// Database files for the tests of the database layer: a fresh database from the real schema, raw
// access beside our connection layer, and file states (read-only, locked) that the layer must refuse.

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

// The Jet-form connection string the program writes for a single-user database file.
QString JetConnectionString(const QString& path);

// A temporary folder holding a database created from the schema.
class FreshDatabase {
public:
    explicit FreshDatabase(const QString& subfolder = QStringLiteral("DataBase"));
    QString path() const { return path_; }
    QString folder() const;
    QString connectionString() const { return JetConnectionString(path_); }
    QByteArray bytes() const;  // the file as it is on disk now

private:
    QTemporaryDir dir_;
    QString path_;
};

// A second connection to the file made with Qt directly, to look at or lock the database behind
// the layer's back. Closed and removed on destruction.
class RawConnection {
public:
    explicit RawConnection(const QString& path);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    void run(const QString& sql);       // fails the test on error
    QString scalar(const QString& sql);  // first column of the first row
    int count(const QString& table) { return scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }

private:
    QString name_;
    QSqlDatabase db_;
};

// Makes a file read-only for the running user, root included (root ignores permission bits, so the
// file is also marked immutable). Undone on destruction.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    void setImmutable(bool on);
    QString path_;
    bool immutable_ = false;
};
