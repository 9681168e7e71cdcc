// The report engine: templates fed with parameters and the dataset in statement order, PDF pages
// with "Pagina n di m" and repeated table headers, failures raised to the caller.
#include "ReportsFixture.h"

#include "platform/KivoError.h"
#include "reports/ReportEngine.h"
#include "reports/ReportSetup.h"

#include <QDir>
#include <QFile>

namespace {

class ReportEngineTest : public ReportsFixture {
protected:
    QString outcomePdf(const QString& fileName, const OutcomeReportValues& values) {
        ReportEngine engine;
        SetUpOutcomeReport(engine, ctx, values);
        const QString path = program.filePath(fileName);
        engine.SaveAsPdf(path);
        return path;
    }
    OutcomeReportValues values{QStringLiteral("01234567890"), QStringLiteral("STUDIO ROSSI /  MILANO (MI)"), kRun,
                               QStringLiteral("Nome = MARIO ROSSI"), kRun};
};

TEST_F(ReportEngineTest, OutcomeReportPrintsParametersAndHitsInNameOrder) {
    addHits(kRun, {QStringLiteral("ZETA OMAR"), QStringLiteral("ALFA ALI"), QStringLiteral("MEDIO MARIO")});
    addHits(QStringLiteral("another run"), {QStringLiteral("BETA NOT OF THIS RUN")});
    ctx.search.Found = true;

    const QString pdf = outcomePdf(QStringLiteral("esito.pdf"), values);
    ASSERT_TRUE(PdfChecks(pdf));
    const QString text = PdfText(pdf);
    for (const QString& part : {QStringLiteral("01234567890"), QStringLiteral("STUDIO ROSSI / MILANO (MI)"), kRun,
                                QStringLiteral("Nome = MARIO ROSSI"), QStringLiteral("05/11/2012"),
                                QStringLiteral("06/11/2012"), QStringLiteral("07/11/2012"), QStringLiteral("Pagina 1 di 1")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString();
    const auto at = Positions(text, {QStringLiteral("ALFA ALI"), QStringLiteral("MEDIO MARIO"), QStringLiteral("ZETA OMAR")});
    EXPECT_GE(at[0], 0);
    EXPECT_LT(at[0], at[1]);
    EXPECT_LT(at[1], at[2]);
    EXPECT_FALSE(text.contains(QStringLiteral("BETA NOT OF THIS RUN")));
}

TEST_F(ReportEngineTest, LongHitListRepeatsTheTableHeaderAndNumbersEveryPage) {
    QStringList names;
    for (int i = 0; i < 150; ++i)
        names << QStringLiteral("NOMINATIVO %1").arg(i, 3, 10, QLatin1Char('0'));
    addHits(kRun, names);
    ctx.search.Found = true;

    const QString pdf = outcomePdf(QStringLiteral("lungo.pdf"), values);
    const int pages = PdfPageCount(pdf);
    ASSERT_GE(pages, 3);
    const QStringList pageTexts = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), pages);
    for (int page = 0; page < pages; ++page) {
        EXPECT_TRUE(pageTexts[page].contains(QStringLiteral("Nominativo"))) << "page " << page + 1;
        EXPECT_TRUE(pageTexts[page].contains(QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages)));
    }
    EXPECT_TRUE(pageTexts.last().contains(QStringLiteral("NOMINATIVO 149")));
}

TEST_F(ReportEngineTest, NotFoundTemplateStatesThatNothingWasFound) {
    addHits(kRun, {QStringLiteral("LA RICERCA NON HA PRODOTTO RISULTATI")}, QString());
    ctx.search.Found = false;
    const QString text = PdfText(outcomePdf(QStringLiteral("nt.pdf"), values));
    EXPECT_TRUE(text.contains(QStringLiteral("NESSUNA CORRISPONDENZA TROVATA")));
    EXPECT_TRUE(text.contains(QStringLiteral("Nome = MARIO ROSSI")));
}

TEST_F(ReportEngineTest, ServiceTextIsPrintedLiterallyNotAsMarkup) {
    addHits(kRun, {QStringLiteral("<b>BOLD</b> & {{PCF}} O´BRIEN")});
    ctx.search.Found = true;
    ReportEngine engine;
    SetUpOutcomeReport(engine, ctx, values);
    const QString html = engine.RenderHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;BOLD&lt;/b&gt; &amp; {{PCF}} O´BRIEN")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>BOLD")));
}

TEST_F(ReportEngineTest, DetailReportSetsHeadingLinesOffAndEndsWithTheClosingRow) {
    addDetailLines(kRun, {QStringLiteral("HDATI ANAGRAFICI"), QStringLiteral("XNATO A KABUL"),
                          QStringLiteral("HINDIRIZZI"), QStringLiteral("XVIA ROMA 1"), QStringLiteral("B ")});
    ReportEngine engine;
    SetUpDetailReport(engine, ctx, {QStringLiteral("ROSSI MARIO"), QStringLiteral("Unione Europea"), QStringLiteral("EU.12")});
    const QString html = engine.RenderHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("<span class=\"intest\">DATI ANAGRAFICI</span>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<span class=\"intest\">INDIRIZZI</span>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<span class=\"intest\">NATO A KABUL")));

    const QString path = program.filePath(QStringLiteral("dettaglio.pdf"));
    engine.SaveAsPdf(path);
    ASSERT_TRUE(PdfChecks(path));
    const QString text = PdfText(path);
    const auto at = Positions(text, {QStringLiteral("ROSSI MARIO"), QStringLiteral("Unione Europea"), QStringLiteral("EU.12"),
                                     QStringLiteral("DATI ANAGRAFICI"), QStringLiteral("NATO A KABUL"),
                                     QStringLiteral("INDIRIZZI"), QStringLiteral("VIA ROMA 1"),
                                     QStringLiteral("Fine della scheda di dettaglio")});
    for (size_t i = 0; i < at.size(); ++i)
        EXPECT_GE(at[i], 0) << i;
    EXPECT_TRUE(std::is_sorted(at.begin() + 3, at.end()));
}

TEST_F(ReportEngineTest, FailuresRiseAsKivoErrorAndLeaveNoFile) {
    ReportEngine engine;
    EXPECT_THROW(engine.SetTemplate(program.filePath(QStringLiteral("stampe/MISSING.rep"))), KivoError);

    ctx.search.Found = true;
    SetUpOutcomeReport(engine, ctx, values);
    const QString inMissingFolder = program.filePath(QStringLiteral("no/such/folder/x.pdf"));
    EXPECT_THROW(engine.SaveAsPdf(inMissingFolder), KivoError);
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    program.writeFile(QStringLiteral("stampe/BROKEN.rep"), "<html>{{#DS}} never closed</html>");
    ReportEngine broken;
    broken.SetTemplate(program.filePath(QStringLiteral("stampe/BROKEN.rep")));
    EXPECT_THROW(broken.RenderHtml(), KivoError);

    ReportEngine badSql;
    badSql.SetTemplate(program.filePath(QStringLiteral("stampe/KIVO_INDICE.rep")));
    badSql.SetConnection(QStringLiteral("CONNESSIONE"), ctx.app.ConnectionString);
    badSql.SetDatasetSql(QStringLiteral("DS"), QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
    EXPECT_THROW(badSql.RenderPdf(), KivoError);
}

TEST_F(ReportEngineTest, SearchedElementTextJoinsTheFieldsThatAreNotBlank) {
    struct Case {
        QString name, taxCode, document, expected;
    };
    const Case cases[] = {
        {QStringLiteral(" ROSSI "), QString(), QString(), QStringLiteral("Nome =  ROSSI ")},
        {QStringLiteral("   "), QStringLiteral("RSSMRA80A01H501U"), QString(), QStringLiteral(" Codice Fiscale = RSSMRA80A01H501U")},
        {QString(), QString(), QStringLiteral("AA123"), QStringLiteral(" Documento = AA123")},
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
         QStringLiteral("Nome = A Codice Fiscale = B Documento = C")},
        {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchedElementText(c.name, c.taxCode, c.document), c.expected) << c.expected.toStdString();
}

}  // namespace
