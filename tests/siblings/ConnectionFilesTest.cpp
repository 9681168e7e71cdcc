// Our own connection file and the connection to a sibling's database, in a temporary Windows
// directory.
#include "platform/Cp1252.h"
#include "platform/KivoError.h"
#include "siblings/ConnectionFiles.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A sibling's file as the sibling writes it: four scrambled lines.
QByteArray SiblingFile(const QStringList& fields)
{
    QByteArray bytes;
    for (int n = 1; n <= fields.size(); ++n)
        bytes += ToCp1252(ScrambleText(fields[n - 1], QStringLiteral("Scrivi"), kConnectionLineConstants[n - 1])) + "\r\n";
    return bytes;
}

class ConnectionFiles : public ::testing::Test {
protected:
    ConnectionFiles() : ctx(program.context(dialogs))
    {
        ctx.endProgram = [this](int code) { endedWith = code; };
        ctx.app.ConnectionString = program.connectionString();
        ctx.settings.TipoDb = QStringLiteral("N");
    }
    TempProgramDir program;
    ScriptedDialogs dialogs;
    AppContext ctx;
    int endedWith = -1;
};

TEST_F(ConnectionFiles, OwnFileHoldsThreeScrambledLines)
{
    WriteOwnConnectionFile(ctx);
    const QString path = program.windowsDir() + QStringLiteral("/SYSTEM/FSYSCOK.DLL");
    EXPECT_EQ(OwnConnectionFilePath(), path);
    const QByteArray bytes = ReadAll(path);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QStringList expected{program.connectionString(), QStringLiteral("N"), program.path()};
    for (int n = 1; n <= 3; ++n) {
        QByteArray line = lines[n - 1];
        if (line.endsWith('\r'))
            line.chop(1);
        EXPECT_FALSE(line.contains(',')) << n;
        EXPECT_EQ(ScrambleText(FromCp1252(line), QStringLiteral("Leggi"), kConnectionLineConstants[n - 1]),
                  expected[n - 1]);
    }
}

TEST_F(ConnectionFiles, OwnFileIsReplacedAtEveryStart)
{
    WriteAll(OwnConnectionFilePath(), QByteArray(500, 'x'));
    WriteOwnConnectionFile(ctx);
    EXPECT_EQ(ReadAll(OwnConnectionFilePath()).count("\r\n"), 3);
    EXPECT_FALSE(ReadAll(OwnConnectionFilePath()).contains("xxx"));
}

TEST_F(ConnectionFiles, LineTooLongToScrambleLeavesTheOldFile)
{
    WriteAll(OwnConnectionFilePath(), "old\r\n");
    ctx.programDir = QStringLiteral("/") + QString(200, u'z');
    try {
        WriteOwnConnectionFile(ctx);
        FAIL() << "no error";
    } catch (const KivoError& error) {
        EXPECT_EQ(error.kind, ErrorKind::General);
    }
    EXPECT_EQ(ReadAll(OwnConnectionFilePath()), QByteArray("old\r\n"));
}

TEST_F(ConnectionFiles, UnwritableWindowsDirectoryIsAnAccessError)
{
    // WINDIR names a plain file: its SYSTEM folder cannot be made.
    WriteAll(program.filePath(QStringLiteral("notafolder")), "x");
    qputenv("WINDIR", program.filePath(QStringLiteral("notafolder")).toLocal8Bit());
    try {
        WriteOwnConnectionFile(ctx);
        FAIL() << "no error";
    } catch (const KivoError& error) {
        EXPECT_EQ(error.kind, ErrorKind::AccessDenied);
    }
    EXPECT_EQ(ReadAll(program.filePath(QStringLiteral("notafolder"))), QByteArray("x"));
}

TEST_F(ConnectionFiles, MissingSiblingFileIsFalseAndKeepsTheCurrentConnection)
{
    ctx.sibling.attachmentsRoot = QStringLiteral("/previous");
    ctx.sibling.connectionString = QStringLiteral("previous");
    EXPECT_FALSE(SiblingConnection(ctx, Sibling::LUTERA));
    EXPECT_EQ(ctx.sibling.filePath, program.windowsDir() + QStringLiteral("/SYSTEM/FSYSCOLU.DLL"));
    EXPECT_EQ(ctx.sibling.attachmentsRoot, QStringLiteral("/previous"));
    EXPECT_EQ(ctx.sibling.connectionString, QStringLiteral("previous"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(endedWith, -1);
}

TEST_F(ConnectionFiles, TheSiblingReadLastWins)
{
    TempProgramDir zarva;  // two more databases standing in for the siblings'
    TempProgramDir movik;
    qputenv("WINDIR", program.windowsDir().toLocal8Bit());  // the siblings' dirs moved it
    WriteAll(SiblingConnectionFilePath(Sibling::ZARVA),
             SiblingFile({zarva.connectionString(), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("/arc/zarva")}));
    WriteAll(SiblingConnectionFilePath(Sibling::MOVIK),
             SiblingFile({movik.connectionString(), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("/arc/movik")}));

    ASSERT_TRUE(SiblingConnection(ctx, Sibling::ZARVA));
    EXPECT_EQ(ctx.sibling.attachmentsRoot, QStringLiteral("/arc/zarva"));
    ASSERT_TRUE(SiblingConnection(ctx, Sibling::MOVIK));
    EXPECT_EQ(ctx.sibling.attachmentsRoot, QStringLiteral("/arc/movik"));
    EXPECT_EQ(ctx.sibling.connectionString, movik.connectionString());
    EXPECT_EQ(ctx.sibling.filePath, program.windowsDir() + QStringLiteral("/SYSTEM/FSYSCOM.DLL"));
    // The open connection is MOVIK's: a row written there is seen through it.
    ctx.sibling.connection.execute(QStringLiteral("INSERT INTO OPE (OCOD) VALUES ('M1')"));
    EXPECT_TRUE(Database::Open(movik.connectionString()).firstRow(QStringLiteral("SELECT OCOD FROM OPE")).has_value());
    EXPECT_FALSE(Database::Open(zarva.connectionString()).firstRow(QStringLiteral("SELECT OCOD FROM OPE")).has_value());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConnectionFiles, DatabaseThatDoesNotOpenEndsTheProgram)
{
    const QString broken = QStringLiteral("dsn=NESSUNA; UID=u; PWD=segreto");
    WriteAll(SiblingConnectionFilePath(Sibling::ZARVA),
             SiblingFile({broken, QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("/arc")}));
    ctx.sibling.attachmentsRoot = QStringLiteral("/previous");
    EXPECT_FALSE(SiblingConnection(ctx, Sibling::ZARVA));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& shown = dialogs.messages[0];
    EXPECT_TRUE(shown.title.isEmpty());
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Connessione: dsn=NESSUNA; UID=u; PWD=****\n Errore: ")))
        << shown.text.toStdString();
    EXPECT_FALSE(shown.text.contains(QStringLiteral("segreto")));
    EXPECT_EQ(endedWith, 1);
    EXPECT_EQ(ctx.sibling.attachmentsRoot, QStringLiteral("/previous"));
}

TEST_F(ConnectionFiles, DamagedFilesEndTheProgram)
{
    struct Damage {
        const char* name;
        QByteArray bytes;
        QString shownConnection;
    };
    const Damage cases[] = {
        {"three fields only", SiblingFile({program.connectionString(), QStringLiteral("x"), QStringLiteral("y")}),
         program.connectionString()},
        {"empty file", QByteArray(), QString()},
        {"codes below zero", "\x01\x01\r\nx\r\ny\r\nz\r\n", QString()},
    };
    for (const Damage& damage : cases) {
        dialogs.messages.clear();
        endedWith = -1;
        WriteAll(SiblingConnectionFilePath(Sibling::MOVIK), damage.bytes);
        EXPECT_FALSE(SiblingConnection(ctx, Sibling::MOVIK)) << damage.name;
        ASSERT_EQ(dialogs.messages.size(), 1u) << damage.name;
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Connessione: ") + damage.shownConnection +
                                                        QStringLiteral("\n Errore: ")))
            << damage.name << ": " << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(endedWith, 1) << damage.name;
    }
}

}  // namespace
