// RunBatchCommand: the exact command file, folders made without any shell, failures raised.
#include "platform/BatchCommand.h"
#include "platform/DoubleQuote.h"
#include "platform/KivoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BatchCommand : public ::testing::Test {
protected:
    QString batPath() const { return dir.filePath(QStringLiteral("ALLEGATI.BAT")); }
    QTemporaryDir dir;
};

TEST_F(BatchCommand, MakesTheFolderAndItsParents)
{
    const QString folder = dir.filePath(QStringLiteral("Pdf/2026/Città ROSSI"));
    const QString command = QStringLiteral("MD ") + DoubleQuote(folder);
    RunBatchCommand(dir.path(), command);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // One line, CR LF, in the single-byte code page.
    EXPECT_EQ(ReadAll(batPath()), "MD \"" + dir.path().toUtf8() + "/Pdf/2026/Citt\xE0 ROSSI\"\r\n");
}

TEST_F(BatchCommand, ReplacesAnOlderFileAndAcceptsAnExistingFolder)
{
    QFile old(batPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("a much longer earlier command line\r\nand a second line\r\n");
    old.close();
    RunBatchCommand(dir.path(), QStringLiteral("MD ") + DoubleQuote(dir.path()));
    EXPECT_EQ(ReadAll(batPath()), QByteArray("MD \"") + dir.path().toUtf8() + "\"\r\n");
}

TEST_F(BatchCommand, NullaOnlyWritesTheFile)
{
    const QStringList before = QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    RunBatchCommand(dir.path(), QStringLiteral("NULLA"));
    EXPECT_EQ(ReadAll(batPath()), QByteArray("NULLA\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), before);
}

TEST_F(BatchCommand, RelativeFolderStartsInTheProgramDirectory)
{
    RunBatchCommand(dir.path(), QStringLiteral("md ALLEGATI\\x"));  // a backslash is a plain character here
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("ALLEGATI\\x"))).isDir());
}

TEST_F(BatchCommand, ShellTextIsNeverRun)
{
    const QString marker = dir.filePath(QStringLiteral("pwned"));
    // Not an MD command: refused after the file is written, nothing run.
    for (const QString& command : {QStringLiteral("echo x > ") + marker, QStringLiteral("MD \"a\" & touch ") + marker,
                                   QStringLiteral("MD a b")}) {
        EXPECT_THROW(RunBatchCommand(dir.path(), command), KivoError) << command.toStdString();
        EXPECT_EQ(ReadAll(batPath()), command.toUtf8() + "\r\n");
    }
    EXPECT_FALSE(QFileInfo::exists(marker));
    // Shell syntax inside a quoted folder name is just part of the name.
    const QString odd = dir.filePath(QStringLiteral("$(touch pwned);`x`"));
    RunBatchCommand(dir.path(), QStringLiteral("MD ") + DoubleQuote(odd));
    EXPECT_TRUE(QFileInfo(odd).isDir());
    EXPECT_FALSE(QFileInfo::exists(marker));
}

TEST_F(BatchCommand, FolderThatCannotBeMadeIsAnAccessError)
{
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        RunBatchCommand(dir.path(), QStringLiteral("MD ") + DoubleQuote(dir.filePath(QStringLiteral("file/sub"))));
        FAIL() << "no error";
    } catch (const KivoError& error) {
        EXPECT_EQ(error.kind, ErrorKind::AccessDenied);
        EXPECT_EQ(error.number, ErrorNumber::PermissionDenied);
    }
}

TEST_F(BatchCommand, UnwritableProgramDirectoryIsReported)
{
    // A program "directory" below a plain file: the command file cannot be created.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(RunBatchCommand(dir.filePath(QStringLiteral("file")), QStringLiteral("NULLA")), KivoError);
}

}  // namespace
