// The program as a sibling program or a user starts it: the executable copied into a temporary
// program directory, run unattended, its files and database looked at afterwards.
#include "support/FakeSoapServer.h"
#include "support/TempProgramDir.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class Program : public ::testing::Test {
protected:
    void install(const QString& ini, TempProgramDir::Database database = TempProgramDir::Database::Created)
    {
        program = std::make_unique<TempProgramDir>(ini, database);
        const QString target = program->filePath(QStringLiteral("kivo"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KIVO_EXECUTABLE), target));
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner);
    }

    void launch(const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KIVO_UNATTENDED"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("WINDIR"), program->windowsDir());
        process.setProcessEnvironment(env);
        process.start(program->filePath(QStringLiteral("kivo")), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // Runs to the end; returns the exit code.
    int run(const QStringList& arguments)
    {
        launch(arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        stderrText = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    ~Program() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }

    std::unique_ptr<TempProgramDir> program;
    QProcess process;
    QString stderrText;
};

TEST_F(Program, InteractiveStartOpensTheMainWindowAndStaysUp)
{
    install(QStringLiteral("[opzioni]\n"));
    launch({});
    const QString ownFile = program->windowsDir() + QStringLiteral("/SYSTEM/FSYSCOK.DLL");
    for (int i = 0; i < 300 && !QFileInfo::exists(ownFile); ++i)
        QThread::msleep(100);
    EXPECT_TRUE(QFileInfo::exists(ownFile));
    // Start-up is over and the program lives on in its window.
    EXPECT_FALSE(process.waitForFinished(1500));
    EXPECT_EQ(process.state(), QProcess::Running);
}

TEST_F(Program, MissingDatabaseEndsWithTheStartupMessage)
{
    install(QStringLiteral("[opzioni]\n"), TempProgramDir::Database::Missing);
    EXPECT_EQ(run({}), 1);
    EXPECT_TRUE(stderrText.contains(QStringLiteral("KIVO: KIVO | Errore KIVO Dichiarazioni num. 3044 ")))
        << stderrText.toStdString();
}

TEST_F(Program, PersonalisedBatchRecordsTheRunAndStoresTheHits)
{
    FakeSoapServer service;
    service.setDefaultAnswer({200, "application/soap+xml; charset=utf-8",
                              IndexAnswer(IndexElement("ROSSI MARIO", "UE", "1001") +
                                          IndexElement("ROSSI MARIO ANTONIO", "USA", "77"))});
    install(QStringLiteral("[opzioni]\nPC=Y\n[servizio]\nHost=") + service.hostAndPort() + u'\n');
    program->copyResource(QStringLiteral("stampe"));

    EXPECT_EQ(run({QStringLiteral("RSSMRA80A01H501U,Studio Rossi - Roma,ROSSI MARIO")}), 0) << stderrText.toStdString();
    const QByteArray result = program->readFile(QStringLiteral("VERIFICA_KIVO.TXT"));
    EXPECT_TRUE(result.startsWith("LANCIO=OK\r\nPARAMETRI PASSATI: 1=RSSMRA80A01H501U 2=Studio Rossi - Roma 3=ROSSI MARIO\r\n"))
        << result.constData();
    EXPECT_EQ(service.requests().size(), 1u);

    const Database db = Database::Open(program->connectionString());  // must outlive the query
    QSqlQuery hits = db.select(QStringLiteral("SELECT NOME, DB FROM INDICE ORDER BY IDRICP"));
    QStringList stored;
    while (hits.next())
        stored << hits.value(0).toString() + u'/' + hits.value(1).toString();
    EXPECT_EQ(stored, (QStringList{QStringLiteral("ROSSI MARIO/UE"), QStringLiteral("ROSSI MARIO ANTONIO/USA")}));

    // The run goes on to the report: found, and the PDF it names is there.
    const QString pdf = program->filePath(QStringLiteral("ALLEGATI/ROSSI MARIO.pdf"));
    EXPECT_TRUE(result.endsWith("\r\nESITO=1\r\nPDF=" + pdf.toUtf8() + "\r\n")) << result.constData();
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

TEST_F(Program, PersonalisedBatchWithTheServiceDownKeepsTwoLines)
{
    install(QStringLiteral("[opzioni]\nPC=Y\n[servizio]\nHost=127.0.0.1:") + QString::number(UnusedLocalPort()) +
            QStringLiteral("\nTimeoutConnessione=5\n"));
    EXPECT_EQ(run({QStringLiteral("CF,RAG,NOME")}), 1);
    EXPECT_EQ(program->readFile(QStringLiteral("VERIFICA_KIVO.TXT")),
              QByteArray("LANCIO=OK\r\nPARAMETRI PASSATI: 1=CF 2=RAG 3=NOME\r\n"));
    EXPECT_TRUE(stderrText.contains(QStringLiteral("KIVO: KIVO | Errore KIVO Dichiarazioni num. ")))
        << stderrText.toStdString();
}

}  // namespace
