// The detail window offscreen: lines and closing row in order, heading colour, list names, the EU
// button and its question, printing with and without the save dialog.
#include "ReportsFixture.h"

#include "reports/DetailWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class DetailWindowTest : public ReportsFixture {
protected:
    DetailWindowTest() {
        ctx.search.SelectedList = QStringLiteral("UE");
        ctx.search.SelectedId = QStringLiteral("EU.27.28");
        ctx.search.SelectedName = QStringLiteral("ROSSI MARIO");
    }
    FDett* showDetail() {
        ShowDetailWindow(ctx, QStringLiteral("STUDIO ROSSI"));
        return OpenWindow<FDett>();
    }
    static int column(const QTreeWidget* grid, const QString& caption) {
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->headerItem()->text(c) == caption)
                return c;
        return -1;
    }
};

TEST_F(DetailWindowTest, ListsTheLinesInOrderWithHeadingsInBlue) {
    QStringList lines;
    for (int i = 1; i <= 11; ++i)
        lines << (i % 4 == 1 ? QStringLiteral("HTITOLO %1").arg(i) : QStringLiteral("XRIGA %1").arg(i));
    lines << QStringLiteral("B ");
    addDetailLines(kRun, lines);
    addDetailLines(QStringLiteral("other request"), {QStringLiteral("XNOT MINE")});

    FDett* window = showDetail();
    ASSERT_TRUE(window);
    QTreeWidget* grid = window->LVDett;
    const int text = column(grid, QStringLiteral("Riga di dettaglio"));
    ASSERT_GE(text, 0);
    ASSERT_EQ(grid->topLevelItemCount(), 12);
    EXPECT_TRUE(grid->isColumnHidden(column(grid, QStringLiteral("TR"))) ||
                grid->columnWidth(column(grid, QStringLiteral("TR"))) == 0);
    for (int row = 0; row < 11; ++row) {
        const QString expected = lines[row].mid(1);
        EXPECT_EQ(grid->topLevelItem(row)->text(text), expected);
        const bool heading = lines[row].startsWith(u'H');
        EXPECT_EQ(grid->topLevelItem(row)->foreground(text).color() == QColor(0, 0, 255), heading) << row;
    }
    EXPECT_EQ(grid->topLevelItem(11)->text(text), QStringLiteral(" "));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Esito Ricerca"));
    EXPECT_EQ(window->vRag->text(), QStringLiteral("STUDIO ROSSI"));
}

TEST_F(DetailWindowTest, ListNameAndEuButtonFollowTheHitsList) {
    struct Case {
        const char* code;
        const char* name;
        bool euButton;
    };
    for (const Case& c : {Case{"UE", "Unione Europea", true},
                          Case{"USA", "Stati Uniti - Dipartimento del Tesoro", false},
                          Case{"TALEB", "ONU - Consiglio di Sicurezza (Lista Talebani)", false},
                          Case{"XYZ", " ", false}}) {
        ctx.search.SelectedList = QString::fromLatin1(c.code);
        FDett* window = showDetail();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->d2->text(), QString::fromUtf8(c.name)) << c.code;
        EXPECT_EQ(!window->CmdUe->isHidden(), c.euButton) << c.code;
        EXPECT_EQ(window->d1->text(), QStringLiteral("ROSSI MARIO"));
        EXPECT_EQ(window->d3->text(), QStringLiteral("EU.27.28"));
    }
}

TEST_F(DetailWindowTest, EuButtonAsksFirstAndOpensThePageOnlyOnOk) {
    ctx.sites.paginaUE = QStringLiteral("https://lists.example/consolidated#en");
    FDett* window = showDetail();
    dialogs.answerNextMessage(MessageAnswer::Cancel);
    window->CmdUe->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("URL Ufficiale UE"));
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Attenzione: la visualizzazione della pagina del sito ufficiale Unione Europea")));
    EXPECT_TRUE(opened.urls.isEmpty());

    dialogs.answerNextMessage(MessageAnswer::Ok);
    window->CmdUe->click();
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toString(), QStringLiteral("https://lists.example/consolidated#enEU.27.28"));
}

TEST_F(DetailWindowTest, StampaPdfProposesTheSheetNameAndPrintsTheLines) {
    addDetailLines(kRun, {QStringLiteral("HDATI"), QStringLiteral("XNATO A ROMA"), QStringLiteral("B ")});
    ctx.app.ReportOperatorVat = QStringLiteral("01234567890");
    ctx.app.ReportOperatorLabel = QStringLiteral("STUDIO ROSSI");
    FDett* window = showDetail();

    window->CmPDF->click();  // cancelled
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, QStringLiteral("Indica dove salvare la sche PDF della ricerca"));
    EXPECT_EQ(dialogs.saveRequests[0].proposal, QStringLiteral("KIVO_SCHEDA_ROSSI MARIO.pdf"));
    EXPECT_TRUE(opened.urls.isEmpty());

    const QString chosen = program.filePath(QStringLiteral("scheda.pdf"));
    dialogs.answerNextSave(chosen);
    window->CmPDF->click();
    ASSERT_TRUE(PdfChecks(chosen));
    const QString text = PdfText(chosen);
    for (const QString& part : {QStringLiteral("ROSSI MARIO"), QStringLiteral("Unione Europea"), QStringLiteral("EU.27.28"),
                                QStringLiteral("STUDIO ROSSI"), QStringLiteral("01234567890"), kRun,
                                QStringLiteral("DATI"), QStringLiteral("NATO A ROMA")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString();
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toLocalFile(), chosen);
}

TEST_F(DetailWindowTest, WithoutAnOutcomeReportTheOperatorIsLookedUp) {
    addOperator(QStringLiteral("OP1"), QStringLiteral("STUDIO BIANCHI"), QStringLiteral("98765432109"),
                QStringLiteral("TORINO"), QStringLiteral("TO"));
    ctx.app.CurrentOperator = QStringLiteral("OP1");
    addDetailLines(kRun, {QStringLiteral("XRIGA"), QStringLiteral("B ")});
    FDett* window = showDetail();
    const QString chosen = program.filePath(QStringLiteral("scheda.pdf"));
    dialogs.answerNextSave(chosen);
    window->CmPDF->click();
    const QString text = PdfText(chosen);
    EXPECT_TRUE(text.contains(QStringLiteral("98765432109")));
    EXPECT_TRUE(text.contains(QStringLiteral("STUDIO BIANCHI / TORINO (TO)")));
}

TEST_F(DetailWindowTest, BatchModeWritesTheBareFileNameInTheWorkingDirectoryWithoutADialog) {
    ctx.app.BatchMode = true;
    ctx.app.ReportOperatorLabel = QStringLiteral("STUDIO ROSSI");
    addDetailLines(kRun, {QStringLiteral("XRIGA"), QStringLiteral("B ")});
    const QString previous = QDir::currentPath();
    QDir::setCurrent(program.path());
    FDett* window = showDetail();
    window->CmPDF->click();
    QDir::setCurrent(previous);
    EXPECT_TRUE(dialogs.saveRequests.empty());
    EXPECT_TRUE(PdfChecks(program.filePath(QStringLiteral("KIVO_SCHEDA_ROSSI MARIO.pdf"))));
}

TEST_F(DetailWindowTest, UnwritableFileEndsThePrintSilently) {
    ctx.app.ReportOperatorLabel = QStringLiteral("STUDIO ROSSI");
    FDett* window = showDetail();
    dialogs.answerNextSave(program.filePath(QStringLiteral("missing/folder/scheda.pdf")));
    window->CmPDF->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(opened.urls.isEmpty());
}

}  // namespace
