// Reading the two requests and writing the answers, without HTTP.

#include "DetailLines.h"
#include "ListsFixture.h"
#include "SoapEndpoint.h"
#include "SoapMessages.h"
#include "SoapRequestText.h"
#include "TextNormalise.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <random>

using namespace kivo::service;

namespace {

const std::string kNs = "http://kivo.local/ricerca/";

std::string Envelope(const std::string& inner)
{
    // The client's envelope around another operation.
    std::string text = SearchRequestText(kNs, "");
    const auto body = text.find("<cerca_indice");
    const auto close = text.find("</soap12:Body>");
    return text.substr(0, body) + inner + text.substr(close);
}

std::string SearchBody(const std::string& text, const std::string& ns = kNs) { return SearchRequestText(ns, text); }

std::string DetailBody(const std::string& list, const std::string& id) { return DetailRequestText(kNs, list, id); }

struct Record {
    std::string nome, dborigine, id;
};

std::vector<Record> Records(const std::string& answer)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(answer.c_str()));
    std::vector<Record> out;
    for (const auto& x : doc.select_nodes("//*/indice"))
        out.push_back({x.node().child_value("nome"), x.node().child_value("dborigine"), x.node().child_value("id_db_origine")});
    return out;
}

}  // namespace

TEST(SoapRequest, ReadsBothOperationsAsTheClientWritesThem)
{
    SoapRequest r;
    SoapFault f;
    ASSERT_TRUE(ParseSoapRequest(SearchBody("AYMAN ZAWAHIRI"), kNs, r, f)) << f.reason;
    EXPECT_EQ(r.operation, SoapRequest::Operation::SearchIndex);
    EXPECT_EQ(r.searched, "AYMAN ZAWAHIRI");
    ASSERT_TRUE(ParseSoapRequest(DetailBody("USA", "2676"), kNs, r, f)) << f.reason;
    EXPECT_EQ(r.operation, SoapRequest::Operation::Detail);
    EXPECT_EQ(r.list, "USA");
    EXPECT_EQ(r.id, "2676");
    // Another prefix for the envelope is the same envelope.
    ASSERT_TRUE(ParseSoapRequest("<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\"><s:Body>"
                                 "<k:cerca_indice xmlns:k=\"" + kNs + "\"><k:ric_str>X Y</k:ric_str></k:cerca_indice>"
                                 "</s:Body></s:Envelope>", kNs, r, f)) << f.reason;
    EXPECT_EQ(r.searched, "X Y");
}

TEST(SoapRequest, RefusesWhatIsMalformed)
{
    const struct { std::string body; const char* why; } cases[] = {
        {"", "empty body"},
        {"plain text", "not XML"},
        {SearchBody("A").substr(0, 120), "cut short"},
        {"<Envelope><Body><cerca_indice xmlns=\"" + kNs + "\"><ric_str>A</ric_str></cerca_indice></Body></Envelope>", "no SOAP 1.2 namespace"},
        {"<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body/></soap:Envelope>", "SOAP 1.1"},
        {Envelope(""), "no operation"},
        {Envelope("<cerca_altro xmlns=\"" + kNs + "\"/>"), "unknown operation"},
        {SearchBody("A", "http://other/"), "another namespace"},
        {SearchBody(""), "empty ric_str"},
        {SearchBody("   "), "blank ric_str"},
        {SearchBody(std::string(300, 'A')), "ric_str too long"},
        {Envelope("<cerca_indice xmlns=\"" + kNs + "\"/>"), "no ric_str"},
        {Envelope("<cerca_dettaglio xmlns=\"" + kNs + "\"/>"), "no idx"},
        {DetailBody("", "1"), "no list code"},
        {DetailBody("USA", ""), "no identifier"},
        {DetailBody("USA", "12\xC3"), "identifier not UTF-8"},
        {DetailBody("USA", "12&#1;"), "identifier with a control character"},
        {SearchBody("<![CDATA[x]]><!DOCTYPE"), "junk inside"},
    };
    for (const auto& c : cases) {
        SoapRequest r;
        SoapFault f;
        EXPECT_FALSE(ParseSoapRequest(c.body, kNs, r, f)) << c.why;
        EXPECT_TRUE(f.senderFault) << c.why;
        EXPECT_FALSE(f.reason.empty()) << c.why;
    }
}

TEST(SoapAnswer, SearchAnswerCarriesHitsDatesOrTheNoResultRecord)
{
    const std::map<std::string, std::string> dates{{"UE", "2026-02-27"}, {"USA", "2021-07-01"}};
    auto records = Records(SearchIndexAnswer({{"O'BRIEN & <SONS>", "USA", "12"}}, dates, kNs));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].nome, "O'BRIEN & <SONS>");  // escaped on the way out, whole on the way in
    EXPECT_EQ(records[1].nome.substr(0, 4), "__DB");
    EXPECT_EQ(records[1].dborigine, "UE");
    EXPECT_EQ(records[1].id, "2026-02-27T00:00:00");
    EXPECT_EQ(records[2].id.substr(0, 10), "2021-07-01");

    records = Records(SearchIndexAnswer({}, dates, kNs));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].nome.substr(0, 10), "LA RICERCA");
    EXPECT_TRUE(records[0].dborigine.find_first_not_of(' ') == std::string::npos);
}

TEST(SoapAnswer, DetailResultHasOneChildPerLineAndNothingElse)
{
    const std::string answer = DetailAnswer({"HNOME", "DNome:|X", "D"}, kNs);
    pugi::xml_document doc;
    // Whitespace kept: a formatted answer would give the client extra blank lines.
    ASSERT_TRUE(doc.load_string(answer.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
    const auto result = doc.select_node("//*/cerca_dettaglioResult").node();
    std::vector<std::string> lines;
    for (auto child : result.children()) lines.push_back(child.text().get());
    EXPECT_EQ(lines, (std::vector<std::string>{"HNOME", "DNome:|X", "D"}));
}

TEST(SoapAnswer, FaultIsASoap12Fault)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(FaultAnswer({true, "motivo"}).c_str()));
    EXPECT_STREQ(doc.document_element().attribute("xmlns:soap").value(), "http://www.w3.org/2003/05/soap-envelope");
    EXPECT_STREQ(doc.select_node("//soap:Fault/soap:Code/soap:Value").node().text().get(), "soap:Sender");
    EXPECT_STREQ(doc.select_node("//soap:Fault/soap:Reason/soap:Text").node().text().get(), "motivo");
}

TEST(DetailLines, ShowEveryPartOfTheEntryReadably)
{
    const ListIndex& index = test::SampleIndex();
    const ListEntry* e = index.Find("USA", "2676");
    ASSERT_NE(e, nullptr);
    const auto lines = DetailLines(*e, "2021-07-01");
    const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_EQ(lines.front(), "HLISTA DI ORIGINE");
    EXPECT_TRUE(has("DLista:|Stati Uniti - Dipartimento del Tesoro"));
    EXPECT_TRUE(has("DIdentificativo:|2676"));
    EXPECT_TRUE(has("DData della lista:|01/07/2021"));
    EXPECT_TRUE(has("DNome:|AL ZAWAHIRI, Dr. Ayman"));
    EXPECT_TRUE(has("DData di nascita:|19 Jun 1951"));
    EXPECT_TRUE(has("DDocumento:|Passport n. 1084010 (Egypt)"));
    EXPECT_TRUE(has("HDOCUMENTI E IDENTIFICATIVI"));
    for (const auto& line : lines) {
        ASSERT_FALSE(line.empty());
        EXPECT_TRUE(line[0] == 'H' || line[0] == 'D') << line;
        EXPECT_LE(line.size(), 140u) << line;  // long remarks are wrapped
    }
}

TEST(DetailLines, LongTextsWrapOnWholeUtf8Characters)
{
    ListEntry e;
    e.list = "UE";
    e.id = "1";
    e.name = "N";
    e.remarks.push_back(std::string(150, 'x') + " " + std::string(60, 'y'));
    e.remarks.push_back(std::string(99, 'a') + "é|fine");
    const auto lines = DetailLines(e, "");
    std::string joined;
    for (const auto& l : lines) {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.append_child("l").text().set(l.c_str()));
        EXPECT_EQ(l.find('|', l.find('|') + 1), std::string::npos) << "a field holds a |: " << l;
        joined += l;
    }
    EXPECT_NE(joined.find("é/fine"), std::string::npos);
    EXPECT_EQ(lines.back().substr(0, 2), "D|");
}

TEST(Endpoint, AnswersSearchDetailAndUnknownEntry)
{
    const ListIndex& index = test::SampleIndex();
    EndpointSettings settings;
    EndpointAnswer a = AnswerSoapRequest(SearchBody("MICHELE ZAGARIA"), index, settings);
    EXPECT_EQ(a.httpStatus, 200);
    EXPECT_EQ(a.hits, 1u);
    const auto records = Records(a.body);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].nome, "ZAGARIA, Michele");
    EXPECT_EQ(records[0].dborigine, "USA");
    EXPECT_EQ(records[0].id, "15233");

    a = AnswerSoapRequest(DetailBody("USA", "15233"), index, settings);
    EXPECT_EQ(a.httpStatus, 200);
    EXPECT_NE(a.body.find("DLuogo di nascita:|San Cipriano d'Aversa, Italy"), std::string::npos);

    a = AnswerSoapRequest(DetailBody("USA", "999999"), index, settings);
    EXPECT_EQ(a.httpStatus, 200);
    EXPECT_NE(a.body.find("HSCHEDA NON TROVATA"), std::string::npos);

    a = AnswerSoapRequest("garbage", index, settings);
    EXPECT_EQ(a.httpStatus, 400);
    EXPECT_NE(a.body.find("soap:Fault"), std::string::npos);
}

TEST(Endpoint, DamagedRequestsGetAnAnswerOrAFaultNeverACrash)
{
    const ListIndex& index = test::SampleIndex();
    const EndpointSettings settings;
    const std::string originals[] = {SearchBody("AYMAN AL ZAWAHIRI"), DetailBody("USA", "2676")};
    std::mt19937 random(20261211);  // fixed: the same damage on every run
    for (int round = 0; round < 3000; ++round) {
        std::string body = originals[round % 2];
        const int damages = 1 + static_cast<int>(random() % 4);
        for (int d = 0; d < damages && !body.empty(); ++d) {
            const std::size_t at = random() % body.size();
            switch (random() % 4) {
            case 0: body[at] = static_cast<char>(random() % 256); break;  // any byte, NUL included
            case 1: body.erase(at, 1 + random() % 8); break;
            case 2: body.insert(at, body.substr(random() % body.size(), 1 + random() % 16)); break;
            default: body.resize(at); break;
            }
        }
        const EndpointAnswer a = AnswerSoapRequest(body, index, settings);
        ASSERT_TRUE(a.httpStatus == 200 || a.httpStatus == 400) << body;
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(a.body.c_str())) << "answer is not XML for: " << body;
        for (std::size_t pos = 0; pos < a.body.size();)
            ASSERT_NE(NextCodePoint(a.body, pos), 0xFFFDu) << "answer is not UTF-8 for: " << body;
        EXPECT_EQ(a.httpStatus == 400, a.body.find("<soap:Fault>") != std::string::npos);
    }
}
