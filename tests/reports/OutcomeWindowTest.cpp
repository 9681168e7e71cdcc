// The outcome window offscreen: Found rules, captions by search kind, buttons by mode, opening a
// hit's detail (double click and arrow keys), printing with its dialogs and messages.
#include "ReportsFixture.h"

#include "reports/DetailWindow.h"
#include "reports/OutcomeWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class OutcomeWindowTest : public ReportsFixture {
protected:
    FEsito* showOutcome(const QString& searched = QStringLiteral("MARIO ROSSI")) {
        ShowOutcomeWindow(ctx, searched);
        return OpenWindow<FEsito>();
    }
    static QStringList headers(const QTreeWidget* grid) {
        QStringList captions;
        for (int column = 0; column < grid->columnCount(); ++column)
            captions << grid->headerItem()->text(column);
        return captions;
    }
    static void doubleClickRow(QTreeWidget* grid, int row) {
        QTreeWidgetItem* item = grid->topLevelItem(row);
        grid->setCurrentItem(item);
        const QRect rect = grid->visualItemRect(item);
        // A real double click starts with a press, which the view needs to accept the second one.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void answerDetailWith(const std::vector<std::vector<std::string>>& groups) {
        server.answerNext({.body = DetailAnswer(groups)});
    }
};

TEST_F(OutcomeWindowTest, FoundFollowsTheRowsAndTheLaRicercaRule) {
    struct Case {
        QStringList names;
        bool found;
    };
    const Case cases[] = {
        {{}, false},
        {{QStringLiteral("LA RICERCA NON HA PRODOTTO RISULTATI")}, false},
        {{QStringLiteral("LA RICERCA")}, false},
        {{QStringLiteral("LA RICERC")}, true},
        {{QStringLiteral("MARIO ROSSI")}, true},
        {{QStringLiteral("LA RICERCA NON HA PRODOTTO RISULTATI"), QStringLiteral("MARIO ROSSI")}, true},
    };
    int runNumber = 0;
    for (const Case& c : cases) {
        ctx.search.RunId = QStringLiteral("run %1").arg(++runNumber);
        addHits(ctx.search.RunId, c.names);
        ctx.search.Found = !c.found;
        FEsito* window = showOutcome();
        ASSERT_TRUE(window);
        EXPECT_EQ(ctx.search.Found, c.found) << c.names.join(u'/').toStdString();
        EXPECT_EQ(window->LVEsito->topLevelItemCount(), c.names.size());
    }
}

TEST_F(OutcomeWindowTest, NameColumnCaptionFollowsTheSearchKind) {
    addHits(kRun, {QStringLiteral("MARIO ROSSI")});
    for (const auto& [kind, caption, field] :
         {std::tuple{"N", "Nominativo", "NomeRic"}, std::tuple{"C", "Codice Fiscale", "CFRic"},
          std::tuple{"D", "Documento", "DocRic"}}) {
        ctx.search.SearchKind = QString::fromLatin1(kind);
        FEsito* window = showOutcome(QStringLiteral(" X123 "));
        ASSERT_TRUE(window);
        EXPECT_EQ(headers(window->LVEsito).mid(1, 3),
                  (QStringList{QStringLiteral("DataBase"), QString::fromLatin1(caption), QStringLiteral("Id")}));
        EXPECT_EQ(window->findChild<QLineEdit*>(QString::fromLatin1(field))->text(), QStringLiteral(" X123 "));
        for (QLineEdit* other : {window->NomeRic, window->CFRic, window->DocRic}) {
            if (other->objectName() != QLatin1String(field)) {
                EXPECT_TRUE(other->text().isEmpty());
            }
        }
    }
}

TEST_F(OutcomeWindowTest, ButtonsAndOperatorByMode) {
    addOperator(QStringLiteral("OP1"), QStringLiteral("STUDIO ROSSI"), QStringLiteral("01234567890"),
                QStringLiteral("MILANO"), QStringLiteral("MI"));
    ctx.app.CurrentOperator = QStringLiteral("OP1");
    ctx.app.CurrentOperatorName = QStringLiteral("NOME DAL REGISTRO");

    FEsito* window = showOutcome();
    EXPECT_FALSE(window->CmAnteprima->isHidden());
    EXPECT_TRUE(window->CmAltraRic->isHidden());
    EXPECT_EQ(window->CmPDF->text(), QStringLiteral("Crea PDF"));
    EXPECT_TRUE(window->CmPDF->isDefault());
    EXPECT_EQ(window->vRag->text(), QStringLiteral("NOME DAL REGISTRO"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Esito Ricerca"));
    window->close();

    ctx.app.BatchMode = true;
    ctx.app.Arguments = {QStringLiteral("OP1"), QStringLiteral("NAME FROM COMMAND LINE"), QStringLiteral("/tmp/x.pdf")};
    window = showOutcome();
    EXPECT_TRUE(window->CmAnteprima->isHidden());
    EXPECT_FALSE(window->CmAltraRic->isHidden());
    EXPECT_EQ(window->CmPDF->text(), QStringLiteral("Crea allegato PDF"));
    EXPECT_EQ(window->NomeRic->text(), QStringLiteral("NAME FROM COMMAND LINE"));
    EXPECT_EQ(window->vRag->text(), QStringLiteral("STUDIO ROSSI"));
    window->close();

    ctx.app.CurrentOperator = QStringLiteral("NOPE");
    window = showOutcome();
    EXPECT_EQ(window->vRag->text(), QStringLiteral(" Codice operatore NOPE NON registrato"));
    window->close();

    ctx.app.ReportOperatorLabel = QStringLiteral("LABEL FROM COMMAND LINE");
    window = showOutcome();
    EXPECT_EQ(window->vRag->text(), QStringLiteral("LABEL FROM COMMAND LINE"));
}

TEST_F(OutcomeWindowTest, DoubleClickWithoutHitsIsRefused) {
    addHits(kRun, {QStringLiteral("LA RICERCA NON HA PRODOTTO RISULTATI")}, QString());
    FEsito* window = showOutcome();
    doubleClickRow(window->LVEsito, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Il nominativo non è stato trovato nelle liste: nessun dettaglio disponibile."));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Dettaglio ricerca"));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(OpenWindow<FDett>(), nullptr);
}

TEST_F(OutcomeWindowTest, DoubleClickOpensTheDetailOfTheHit) {
    ctx.search.SearchKind = QStringLiteral("C");
    addHits(kRun, {QStringLiteral("BIANCHI LUIGI"), QStringLiteral("ROSSI MARIO")}, QStringLiteral("UE"));
    FEsito* window = showOutcome(QStringLiteral("RSSMRA80A01H501U"));
    window->vRag->setText(QStringLiteral("STUDIO ROSSI"));
    answerDetailWith({{"HCOGNOME|NOME", "XROSSI|MARIO"}, {"HINDIRIZZO", "XVIA D'AMORE 1"}});

    doubleClickRow(window->LVEsito, 1);

    ASSERT_EQ(server.requests().size(), 1u);
    const std::string body = server.requests()[0].body;
    EXPECT_NE(body.find("<dborigine>UE</dborigine>"), std::string::npos);
    EXPECT_NE(body.find("<id_db_origine>1002</id_db_origine>"), std::string::npos);
    EXPECT_EQ(ctx.search.SelectedName, QStringLiteral("ROSSI MARIO"));
    EXPECT_NE(ctx.search.RunId, kRun);
    EXPECT_EQ(ctx.search.OutcomeRunId, kRun);

    FDett* detail = OpenWindow<FDett>();
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->vRag->text(), QStringLiteral("STUDIO ROSSI"));
    EXPECT_EQ(detail->d1->text(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(detail->d2->text(), QStringLiteral("Unione Europea"));
    EXPECT_EQ(detail->d3->text(), QStringLiteral("1002"));
    EXPECT_FALSE(detail->CmdUe->isHidden());
}

TEST_F(OutcomeWindowTest, ArrowKeyOpensTheDetailOfTheRowItMovedTo) {
    addHits(kRun, {QStringLiteral("AAA"), QStringLiteral("BBB"), QStringLiteral("CCC")});
    FEsito* window = showOutcome();
    window->LVEsito->setFocus();
    window->LVEsito->setCurrentItem(window->LVEsito->topLevelItem(0));
    answerDetailWith({{"XRIGA"}});

    QTest::keyClick(window->LVEsito, Qt::Key_Down);

    EXPECT_EQ(ctx.search.SelectedName, QStringLiteral("BBB"));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(OpenWindow<FDett>());
}

TEST_F(OutcomeWindowTest, UnreachableServiceOnDetailIsReportedAndTheWindowStays) {
    ctx.service.host = QStringLiteral("127.0.0.1:%1").arg(UnusedLocalPort());
    addHits(kRun, {QStringLiteral("ROSSI MARIO")});
    FEsito* window = showOutcome();
    window->OpenSelectedDetail();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Dettaglio ricerca"));
    EXPECT_EQ(OpenWindow<FDett>(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(OutcomeWindowTest, CreaPdfProposesTheUntrimmedNameAndWritesTheChosenFile) {
    addOperator(QStringLiteral("OP1"), QStringLiteral(" STUDIO ROSSI "), QStringLiteral("01234567890"),
                QStringLiteral("MILANO "), QStringLiteral("MI"));
    ctx.app.CurrentOperator = QStringLiteral("OP1");
    addHits(kRun, {QStringLiteral("ROSSI MARIO")});
    FEsito* window = showOutcome(QStringLiteral(" ROSSI MARIO "));

    window->CmPDF->click();  // cancelled: nothing written, nothing opened
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, QStringLiteral("Indica dove salvare la scheda PDF della ricerca"));
    EXPECT_EQ(dialogs.saveRequests[0].proposal, QStringLiteral("KIVO_RICERCA_ ROSSI MARIO .pdf"));
    EXPECT_TRUE(opened.urls.isEmpty());

    const QString chosen = program.filePath(QStringLiteral("scelto.pdf"));
    dialogs.answerNextSave(chosen);
    window->CmPDF->click();
    ASSERT_TRUE(PdfChecks(chosen));
    EXPECT_EQ(ctx.app.ReportOperatorVat, QStringLiteral("01234567890"));
    EXPECT_EQ(ctx.app.ReportOperatorLabel, QStringLiteral("STUDIO ROSSI /  MILANO (MI)"));
    const QString text = PdfText(chosen);
    EXPECT_TRUE(text.contains(QStringLiteral("Nome = ROSSI MARIO")));
    EXPECT_TRUE(text.contains(QStringLiteral("ROSSI MARIO")));
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toLocalFile(), chosen);
}

TEST_F(OutcomeWindowTest, OutcomeReportStillListsTheHitsAfterADetailRequest) {
    ctx.app.BatchMode = true;
    ctx.app.Arguments = {QStringLiteral("OP1"), QStringLiteral("ROSSI"), program.filePath(QStringLiteral("batch.pdf")),
                         QStringLiteral("01234567890"), QStringLiteral("STUDIO ROSSI")};
    ctx.app.ReportOperatorVat = ctx.app.Arguments[3];
    ctx.app.ReportOperatorLabel = ctx.app.Arguments[4];
    ctx.app.BatchPdfPath = ctx.app.Arguments[2];
    addHits(kRun, {QStringLiteral("ROSSI MARIO"), QStringLiteral("ROSSI PAOLO")});
    FEsito* window = showOutcome();
    answerDetailWith({{"XRIGA"}});
    window->OpenSelectedDetail();
    ASSERT_NE(ctx.search.RunId, kRun);

    window->CmPDF->click();  // batch mode: no dialog, the command line's path
    EXPECT_TRUE(dialogs.saveRequests.empty());
    const QString text = PdfText(ctx.app.BatchPdfPath);
    EXPECT_TRUE(text.contains(QStringLiteral("ROSSI PAOLO")));
    EXPECT_TRUE(text.contains(QStringLiteral("STUDIO ROSSI")));
    EXPECT_TRUE(text.contains(QStringLiteral("01234567890")));
    EXPECT_TRUE(text.contains(kRun)) << "the search's run identifier, not the detail request's";
    EXPECT_EQ(opened.urls.size(), 1);
}

TEST_F(OutcomeWindowTest, PrintingForAnUnregisteredOperatorShowsTheMessageAndPrintsNothing) {
    ctx.app.CurrentOperator = QStringLiteral("GHOST");
    addHits(kRun, {QStringLiteral("ROSSI MARIO")});
    FEsito* window = showOutcome();
    const QString chosen = program.filePath(QStringLiteral("mai.pdf"));
    dialogs.answerNextSave(chosen);
    window->CmPDF->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Stampa Esito"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Il codice operatore GHOST non risulta registrato in KIVO. Registrare l'operatore per "
                             "creare la stampa\nE' possibile utilizzara la voce CARICA OPERATORI da ZARVA o MOVIK "
                             "nel menù Funzioni"));
    EXPECT_FALSE(QFile::exists(chosen));
}

TEST_F(OutcomeWindowTest, PreviewShowsThePagesWithNavigationAndZoomWithoutAskingForAFile) {
    addOperator(QStringLiteral("OP1"), QStringLiteral("STUDIO"), QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("Y"));
    ctx.app.CurrentOperator = QStringLiteral("OP1");
    QStringList names;
    for (int i = 0; i < 120; ++i)
        names << QStringLiteral("NOMINATIVO %1").arg(i);
    addHits(kRun, names);
    FEsito* window = showOutcome();
    window->CmAnteprima->click();
    EXPECT_TRUE(dialogs.saveRequests.empty());
    QWidget* preview = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("AnteprimaStampa") && widget->isVisible())
            preview = widget;
    ASSERT_TRUE(preview);
    const auto pageLabel = [&] { return preview->findChild<QWidget*>(QStringLiteral("NumeroPagina"))->property("text").toString(); };
    const auto trigger = [&](const char* action) { preview->findChild<QAction*>(QString::fromUtf8(action))->trigger(); };
    const QString first = pageLabel();
    ASSERT_TRUE(first.startsWith(QStringLiteral("Pagina 1 di "))) << first.toStdString();
    const int pages = first.section(u' ', 3).toInt();
    ASSERT_GE(pages, 3);
    const auto at = [&](int page) { return QStringLiteral("Pagina %1 di %2").arg(page).arg(pages); };
    trigger("Pagina successiva");
    EXPECT_EQ(pageLabel(), at(2));
    trigger("Ultima pagina");
    EXPECT_EQ(pageLabel(), at(pages));
    trigger("Pagina successiva");  // stays on the last page
    EXPECT_EQ(pageLabel(), at(pages));
    trigger("Pagina precedente");
    EXPECT_EQ(pageLabel(), at(pages - 1));
    trigger("Prima pagina");
    EXPECT_EQ(pageLabel(), at(1));

    QWidget* view = preview->findChild<QWidget*>(QStringLiteral("Pagine"));
    const qreal before = view->property("zoomFactor").toReal();
    trigger("Ingrandisci");
    EXPECT_GT(view->property("zoomFactor").toReal(), before);
}

TEST_F(OutcomeWindowTest, ShowingAgainListsTheNewRunAndClosingInBatchEndsTheProgram) {
    addHits(kRun, {QStringLiteral("FIRST RUN HIT")});
    FEsito* window = showOutcome();
    ctx.search.RunId = QStringLiteral("second run");
    addHits(ctx.search.RunId, {QStringLiteral("SECOND A"), QStringLiteral("SECOND B")});
    EXPECT_EQ(showOutcome(), window);
    EXPECT_EQ(window->LVEsito->topLevelItemCount(), 2);

    int ended = -1;
    ctx.endProgram = [&](int code) { ended = code; };
    window->Command3->click();
    EXPECT_EQ(ended, -1) << "interactive: closing does not end the program";

    ctx.app.BatchMode = true;
    ShowOutcomeWindow(ctx, QStringLiteral("X"));
    OpenWindow<FEsito>()->Command3->click();
    EXPECT_EQ(ended, 0);
}

}  // namespace
