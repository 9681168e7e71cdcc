// What the name search makes of the service's answers: rows, list dates, the found flag, messages.

#include "SearchFixture.h"
#include "platform/KivoError.h"
#include "search/AnswerParsing.h"
#include "search/NameSearch.h"

namespace {

using NameSearchAnswer = SearchFixture;

PreparedAnswer Soap(const std::string& records, int status = 200)
{
    return {status, "application/soap+xml; charset=utf-8", IndexAnswer(records)};
}

TEST_F(NameSearchAnswer, StoresHitsInOrderAndKeepsTheListDates)
{
    ctx.search.ListDateTALEB = QStringLiteral("2011-01-01");
    ctx.search.ListDateUSA = QStringLiteral("vecchia");
    server.answerNext(Soap(IndexElement("__DB_DATA_UE", "UE", "2012-11-08T00:00:00") +
                           IndexElement("ROSSI MARIO", "UE", "EU.1") +
                           IndexElement("__DB_DATA_USA", "USA", "2012-10-30T00:00:00") +
                           IndexElement("bianchi luca", "USA", "4711") +
                           IndexElement("__DB_ALTRA", "XYZ", "1999-01-01") +
                           IndexElement("VERDI ANNA", "TALEB", "QI.V.1.01")));
    NameSearch(ctx, QStringLiteral("rossi"));

    EXPECT_EQ(indiceRows(kRun), (QStringList{QStringLiteral("1|UE|ROSSI MARIO|EU.1"),
                                             QStringLiteral("2|USA|BIANCHI LUCA|4711"),
                                             QStringLiteral("3|TALEB|VERDI ANNA|QI.V.1.01")}));
    EXPECT_EQ(ctx.search.ListDateUE, QStringLiteral("2012-11-08"));
    EXPECT_EQ(ctx.search.ListDateUSA, QStringLiteral("2012-10-30"));
    EXPECT_EQ(ctx.search.ListDateTALEB, QStringLiteral("2011-01-01"));
    EXPECT_EQ(ctx.search.HitCount, 3);
    EXPECT_TRUE(ctx.search.Found);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The service's texts as it sends them: apostrophes become ´ in names, a missing child keeps the
// previous record's value, a blank list code (a blank alone reads as empty) stores the row but
// finds nothing.
TEST_F(NameSearchAnswer, RecordFieldsFollowTheServiceTexts)
{
    server.answerNext(Soap(IndexElement("O'Brien", " ", "X'1") +
                           IndexElement("SENZA ID", " ", nullptr) +
                           IndexElement("x'); DELETE FROM indice; --", "", "\"&lt;2&gt;\"")));
    NameSearch(ctx, QStringLiteral("O'Brien"));

    EXPECT_EQ(indiceRows(kRun), (QStringList{QString::fromUtf8("1||O´BRIEN|X'1"),
                                             QString::fromUtf8("2||SENZA ID|X'1"),
                                             QString::fromUtf8("3||X´); DELETE FROM INDICE; --|\"<2>\"")}));
    EXPECT_FALSE(ctx.search.Found);
    EXPECT_EQ(ctx.search.RecordList, QString());
}

// The mass verification does not reset the count between records: numbering goes on.
TEST_F(NameSearchAnswer, NumberingContinuesFromTheCallersCount)
{
    ctx.search.HitCount = 40000;  // beyond what a 16-bit count could hold
    server.answerNext(Soap(IndexElement("A", "UE", "1") + IndexElement("B", "UE", "2")));
    NameSearch(ctx, QStringLiteral("x"));
    EXPECT_EQ(indiceRows(kRun), (QStringList{QStringLiteral("40001|UE|A|1"), QStringLiteral("40002|UE|B|2")}));
    EXPECT_EQ(ctx.search.HitCount, 40002);
}

// Answers that carry no hit: "Parse error: " when the text is not XML, silence otherwise;
// never a row, never a found flag left over from the previous search.
TEST_F(NameSearchAnswer, AnswersWithoutHitsStoreNothing)
{
    const std::string truncated = IndexAnswer(IndexElement("ROSSI", "UE", "1") + IndexElement("VERDI", "UE", "2"));
    const struct {
        const char* what;
        PreparedAnswer answer;
        bool parseError;
    } cases[] = {
        {"plain text", {503, "text/plain", "Service Unavailable"}, true},
        {"HTML error page", {500, "text/html", "<html><body><h1>Errore</h1><br></body></html>"}, true},
        {"empty body", {200, "text/xml", ""}, true},
        {"truncated XML", {200, "text/xml", truncated.substr(0, truncated.size() / 2 + 40)}, true},
        {"binary garbage", {200, "application/octet-stream", std::string("\x00\xff\xfe<\x01indice>", 12)}, true},
        {"SOAP fault",
         {500, "application/soap+xml",
          "<?xml version=\"1.0\"?><soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\">"
          "<soap:Body><soap:Fault><soap:Code><soap:Value>soap:Receiver</soap:Value></soap:Code>"
          "<soap:Reason><soap:Text xml:lang=\"it\">Errore interno</soap:Text></soap:Reason></soap:Fault>"
          "</soap:Body></soap:Envelope>"},
         false},
        {"well-formed XHTML page", {404, "text/html", "<html><body><p>Non trovato</p></body></html>"}, false},
        {"prefixed elements", {200, "text/xml", "<a:r xmlns:a=\"urn:x\"><a:indice><a:nome>X</a:nome></a:indice></a:r>"}, false},
        {"indice at the top", {200, "text/xml", "<indice><nome>X</nome><dborigine>UE</dborigine></indice>"}, false},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        ctx.search.Found = true;
        server.answerNext(c.answer);
        NameSearch(ctx, QStringLiteral("rossi"));
        EXPECT_EQ(rowCount(QStringLiteral("indice")), 0) << c.what;
        EXPECT_FALSE(ctx.search.Found) << c.what;
        if (c.parseError) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.what;
            EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Parse error: "))) << c.what;
            EXPECT_GT(dialogs.messages[0].text.size(), 13) << c.what << ": the reason is missing";
            EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok) << c.what;
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << c.what;
        }
    }
}

// A failing INSERT rises to the caller; the rows before it stay and the count matches them.
TEST_F(NameSearchAnswer, AFailingInsertKeepsEarlierRows)
{
    ctx.app.Connection.execute(QStringLiteral(
        "CREATE TRIGGER rifiuta BEFORE INSERT ON indice WHEN NEW.idricp = 2 BEGIN SELECT RAISE(ABORT, 'rifiutato'); END"));
    server.answerNext(Soap(IndexElement("A", "UE", "1") + IndexElement("B", "UE", "2") + IndexElement("C", "UE", "3")));
    EXPECT_THROW(NameSearch(ctx, QStringLiteral("x")), KivoError);
    EXPECT_EQ(indiceRows(kRun), QStringList{QStringLiteral("1|UE|A|1")});
    EXPECT_EQ(ctx.search.HitCount, 1);
}

// The parser the service's own tests use: the children named as written, absent ones left empty.
TEST(ParseIndexAnswer, GivesTheRecordsAndTheParserReason)
{
    QString error;
    const std::vector<IndexRecord> records =
        ParseIndexAnswer(QByteArray::fromStdString(IndexAnswer(IndexElement("<![CDATA[A & B]]>", "UE", nullptr))), &error);
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].nome, QStringLiteral("A & B"));
    EXPECT_EQ(records[0].dborigine, QStringLiteral("UE"));
    EXPECT_FALSE(records[0].idDbOrigine.has_value());

    EXPECT_TRUE(ParseIndexAnswer("<a><b></a>", &error).empty());
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
