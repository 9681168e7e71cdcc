// The batch mode through the start-up routine: the personalised batch end to end (result file lines,
// PDF and its text), its failure paths, the standard batch by argument count, the diagnostic messages.
#include "ReportsFixture.h"

#include "reports/BatchMode.h"
#include "reports/OutcomeWindow.h"
#include "startup/Startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class BatchModeTest : public ReportsFixture {
protected:
    // Start-up as the program runs it, with this test's service and dialogs.
    bool start(const QString& ini, const QString& commandLine) {
        program.writeIni(ini + QStringLiteral("\n[servizio]\nHost=") + server.hostAndPort() + u'\n');
        AppContext fresh = program.context(dialogs);
        fresh.endProgram = [this](int code) { endedWith = code; };
        ctx = fresh;
        Handover handover;
        handover.showMainWindow = [](AppContext&) {};
        handover.runBatch = RunBatch;
        handover.writeOwnConnectionFile = [](AppContext&) {};
        return RunStartup(ctx, commandLine, handover);
    }
    QString resultFile(const QString& relative = QStringLiteral("VERIFICA_KIVO.TXT")) const {
        return QString::fromUtf8(program.readFile(relative));
    }
    static FEsito* outcomeWindow() { return OpenWindow<FEsito>(); }
    int endedWith = -1;
};

TEST_F(BatchModeTest, PersonalisedBatchWritesTheResultLinesAndThePdf) {
    const QString pdfFolder = program.filePath(QStringLiteral("Pdf"));
    answerSearchWith({{"ZETA MARIO ROSSI", "USA", "20"}, {"ROSSI MARIO", "UE", "EU.1"}, {"MARIO ROSSI", "TALEB", "QI.7"}});

    ASSERT_TRUE(start(QStringLiteral("[opzioni]\nPC=Y\nPDA=") + pdfFolder, QStringLiteral("01234567890,STUDIO ROSSI, ROSSI MARIO ")));

    const QString pdf = pdfFolder + QStringLiteral("/ROSSI MARIO.pdf");
    EXPECT_EQ(resultFile(), QStringLiteral("LANCIO=OK\r\nCreata directory: ") + pdfFolder +
                                QStringLiteral("\r\nPARAMETRI PASSATI: 1=01234567890 2=STUDIO ROSSI 3= ROSSI MARIO \r\n"
                                               "ESITO=1\r\nPDF=") + pdf + QStringLiteral("\r\n"));
    // The name is searched with both blanks.
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_NE(server.requests()[0].body.find("> ROSSI MARIO <"), std::string::npos);
    ASSERT_TRUE(PdfChecks(pdf));
    const QString text = PdfText(pdf);
    for (const QString& part : {QStringLiteral("01234567890"), QStringLiteral("STUDIO ROSSI"), QStringLiteral("NOME = ROSSI MARIO"),
                                ctx.search.RunId.left(10), QStringLiteral("05/11/2012"), QStringLiteral("06/11/2012"),
                                QStringLiteral("07/11/2012")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString();
    EXPECT_FALSE(text.contains(ctx.search.RunId)) << "only the date of the run identifier is printed";
    const auto at = Positions(text, {QStringLiteral("MARIO ROSSI QI.7"), QStringLiteral("ROSSI MARIO EU.1"),
                                     QStringLiteral("ZETA MARIO ROSSI 20")});
    EXPECT_GE(at[0], 0);
    EXPECT_LT(at[0], at[1]);
    EXPECT_LT(at[1], at[2]);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(outcomeWindow(), nullptr);
}

TEST_F(BatchModeTest, PersonalisedBatchWithoutHitsUsesTheNotFoundTemplateInAllegati) {
    answerSearchWith({{"LA RICERCA NON HA PRODOTTO RISULTATI", "", ""}});
    ASSERT_TRUE(start(QStringLiteral("[opzioni]\nPC=Y"), QStringLiteral("OP1,STUDIO,NESSUNO")));
    const QString pdf = program.filePath(QStringLiteral("ALLEGATI/NESSUNO.pdf"));
    EXPECT_TRUE(resultFile().endsWith(QStringLiteral("ESITO=0\r\nPDF=") + pdf + QStringLiteral("\r\n")));
    ASSERT_TRUE(PdfChecks(pdf));
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("NESSUNA CORRISPONDENZA TROVATA")));
}

TEST_F(BatchModeTest, AnswerThatIsNotXmlGoesOnAsARunWithoutHits) {
    server.answerNext({.body = "<html>proxy error"});
    ASSERT_TRUE(start(QStringLiteral("[opzioni]\nPC=Y"), QStringLiteral("OP1,STUDIO,ROSSI")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Parse error: ")));
    const QString pdf = program.filePath(QStringLiteral("ALLEGATI/ROSSI.pdf"));
    EXPECT_TRUE(resultFile().endsWith(QStringLiteral("ESITO=0\r\nPDF=") + pdf + QStringLiteral("\r\n")));
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("NESSUNA CORRISPONDENZA TROVATA")));
}

TEST_F(BatchModeTest, UnwritablePdfFolderReportsTheErrorAndLeavesNoPdfLine) {
    answerSearchWith({{"ROSSI MARIO", "UE", "EU.1"}});
    QDir(program.path()).rmdir(QStringLiteral("ALLEGATI"));
    program.writeFile(QStringLiteral("ALLEGATI"), "a file where the folder should be");

    ASSERT_TRUE(start(QStringLiteral("[opzioni]\nPC=Y"), QStringLiteral("OP1,STUDIO,ROSSI MARIO")));

    const QString lines = resultFile();
    EXPECT_TRUE(lines.endsWith(QStringLiteral("ESITO=1\r\n"))) << lines.toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral("PDF=")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("ERRORE: "))) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(BatchModeTest, ResultFileInAMissingFolderFallsBackToTheProgramDirectory) {
    answerSearchWith({});
    ASSERT_TRUE(start(QStringLiteral("[opzioni]\nPC=Y\nPNL=") + program.filePath(QStringLiteral("missing/ESITO.TXT")),
                      QStringLiteral("OP1,STUDIO,ROSSI")));
    const QStringList lines = resultFile().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("LANCIO=OK"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("LOG: ") + program.filePath(QStringLiteral("missing/ESITO.TXT")) +
                                    QStringLiteral(" - Errore ")));
    EXPECT_EQ(lines[2], QStringLiteral("PARAMETRI PASSATI: 1=OP1 2=STUDIO 3=ROSSI"));
}

TEST_F(BatchModeTest, PersonalisedBatchWithTooFewArgumentsEndsWithTheStartupMessage) {
    ASSERT_FALSE(start(QStringLiteral("[opzioni]\nPC=Y"), QStringLiteral("OP1,STUDIO")));
    EXPECT_EQ(resultFile(), QStringLiteral("LANCIO=OK\r\n"));
    EXPECT_TRUE(server.requests().empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Errore KIVO Dichiarazioni num. 9 ")));
}

TEST_F(BatchModeTest, StandardBatchByArgumentCount) {
    struct Case {
        QString commandLine;
        QString vat, label, shownOperator;
    };
    const QString pdf = program.filePath(QStringLiteral("esito batch.pdf"));
    const Case cases[] = {
        {QStringLiteral("OP1,ROSSI MARIO,") + pdf, QString(), QString(), QStringLiteral("STUDIO REGISTRATO")},
        {QStringLiteral("OP1,ROSSI MARIO,") + pdf + QStringLiteral(",IGNORED"), QString(), QString(),
         QStringLiteral("STUDIO REGISTRATO")},
        {QStringLiteral("GHOST,ROSSI MARIO,") + pdf + QStringLiteral(",11122233344,STUDIO DA RIGA DI COMANDO"),
         QStringLiteral("11122233344"), QStringLiteral("STUDIO DA RIGA DI COMANDO"), QStringLiteral("STUDIO DA RIGA DI COMANDO")},
        {QStringLiteral("OP1,ROSSI MARIO,") + pdf + QStringLiteral(",11122233344,STUDIO,SIXTH"), QString(), QString(),
         QStringLiteral("STUDIO REGISTRATO")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        QFile::remove(pdf);
        opened.urls.clear();
        answerSearchWith({{"ROSSI MARIO", "USA", "77"}});
        ASSERT_TRUE(start(QStringLiteral("[opzioni]\n"), c.commandLine));
        // The operator registry lives in the program's database: registered after start-up opened it.
        if (c.label.isEmpty())
            addOperator(QStringLiteral("OP1"), QStringLiteral("STUDIO REGISTRATO"), QStringLiteral("55566677788"),
                        QStringLiteral("ROMA"), QStringLiteral("RM"));
        FEsito* window = outcomeWindow();
        ASSERT_TRUE(window);
        window->Load();
        EXPECT_TRUE(ctx.app.BatchMode);
        EXPECT_EQ(ctx.app.ReportOperatorVat, c.vat);
        EXPECT_EQ(ctx.app.ReportOperatorLabel, c.label);
        EXPECT_EQ(window->vRag->text(), c.shownOperator);
        EXPECT_EQ(window->NomeRic->text(), QStringLiteral("ROSSI MARIO"));
        EXPECT_EQ(window->LVEsito->topLevelItemCount(), 1);

        window->CmPDF->click();  // "Crea allegato PDF": the command line's path, no dialog, then opened
        EXPECT_TRUE(dialogs.saveRequests.empty());
        ASSERT_TRUE(PdfChecks(pdf));
        EXPECT_TRUE(PdfText(pdf).contains(c.label.isEmpty() ? QStringLiteral("55566677788") : c.vat));
        ASSERT_EQ(opened.urls.size(), 1);
        EXPECT_EQ(opened.urls[0].toLocalFile(), pdf);

        endedWith = -1;
        window->Command3->click();
        EXPECT_EQ(endedWith, 0);
        delete window;
        // Runs started within one second share their identifier: each case starts from empty tables.
        ctx.app.Connection.execute(QStringLiteral("DELETE FROM OPE"));
        ctx.app.Connection.execute(QStringLiteral("DELETE FROM INDICE"));
    }
}

TEST_F(BatchModeTest, StandardBatchWithTwoArgumentsSearchesThenFails) {
    answerSearchWith({});
    EXPECT_FALSE(start(QStringLiteral("[opzioni]\n"), QStringLiteral("OP1,ROSSI MARIO")));
    EXPECT_EQ(server.requests().size(), 1u);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Errore KIVO Dichiarazioni num. 9 ")));
    EXPECT_EQ(outcomeWindow(), nullptr);
}

TEST_F(BatchModeTest, DiagnosticBatchShowsTheArgumentsBeforeSearching) {
    answerSearchWith({});
    std::vector<size_t> requestsWhenShown;
    dialogs.onMessage = [&](const MessageRequest&) { requestsWhenShown.push_back(server.requests().size()); };
    ASSERT_TRUE(start(QStringLiteral("[opzioni]\nPC=P"), QStringLiteral("OP1,ROSSI MARIO,/tmp/x.pdf,A")));
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("ubo 3"), QStringLiteral("1=ROSSI MARIO"), QStringLiteral("2=/tmp/x.pdf")}));
    EXPECT_EQ(requestsWhenShown, (std::vector<size_t>{0, 0, 0}));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(outcomeWindow());
}

}  // namespace
