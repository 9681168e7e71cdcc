// The three loaders on small texts, on the shipped samples and on the published files.

#include "CsvReader.h"
#include "EuLoader.h"
#include "ListFolder.h"
#include "ListsFixture.h"
#include "OfacLoader.h"
#include "UnLoader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace kivo::service;

namespace {

struct Counts {
    std::size_t entries = 0;
    std::size_t aliases = 0;
    std::size_t documents = 0;
};

Counts CountList(const ListSet& set, const std::string& list)
{
    Counts c;
    for (const auto& e : set.entries) {
        if (e.list != list) continue;
        ++c.entries;
        c.aliases += e.aliases.size();
        c.documents += e.documents.size();
    }
    return c;
}

const ListEntry* FindEntry(const ListSet& set, const std::string& list, const std::string& id)
{
    for (const auto& e : set.entries)
        if (e.list == list && e.id == id) return &e;
    return nullptr;
}

}  // namespace

TEST(OfacCsv, ReadsTheLegacyDialect)
{
    const auto rows = ParseOfacCsv("1,\"A, \"\"B\"\"\",-0- ,x \r\n\r\n2,\"multi\nline\",-0-\r\n\x1a");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (CsvRow{"1", "A, \"B\"", "", "x"}));
    EXPECT_EQ(rows[1], (CsvRow{"2", "multi\nline", ""}));
    // A Windows-1252 file reads as UTF-8; a UTF-8 one stays as it is.
    EXPECT_EQ(ParseOfacCsv("3,\"Jos\xE9 \x80\"\r\n")[0][1], "José €");
    EXPECT_EQ(ParseOfacCsv("4,\"José\"\r\n")[0][1], "José");
}

TEST(OfacRemarks, SortsEachItemIntoItsField)
{
    ListEntry e;
    for (const char* item : {"DOB 19 Jun 1951", "alt. DOB 1950", "POB Giza, Egypt", "Passport 1084010 (Egypt)",
                             "National ID No. 660000 73767 (Belgium) issued 2001", "nationality Niger",
                             "Gender Male", "a.k.a. 'CHAPORI, Petit'", "Linked To: HIZBALLAH",
                             "Vessel Registration Identification IMO 9187629",
                             "Italian Fiscal Code DAOMMD74T11Z352Z",
                             "Aircraft Manufacturer's Serial Number (MSN) 208B5142",
                             "Matricula Mercantil No 21-573208-02 (Medellin)",
                             "Executive Order 13846 information: BAN ON INVESTMENT"})
        ApplyOfacRemark(item, e);
    EXPECT_EQ(e.birthDates, (std::vector<std::string>{"19 Jun 1951", "1950"}));
    EXPECT_EQ(e.birthPlaces, (std::vector<std::string>{"Giza, Egypt"}));
    EXPECT_EQ(e.nationalities, (std::vector<std::string>{"Niger"}));
    EXPECT_EQ(e.gender, "Maschile");
    EXPECT_EQ(e.weakAliases, (std::vector<std::string>{"CHAPORI, Petit"}));
    EXPECT_EQ(e.remarks, (std::vector<std::string>{"Linked To: HIZBALLAH", "Executive Order 13846 information: BAN ON INVESTMENT"}));
    ASSERT_EQ(e.documents.size(), 6u);
    EXPECT_EQ(e.documents[0].type, "Passport");
    EXPECT_EQ(e.documents[0].number, "1084010");
    EXPECT_EQ(e.documents[0].country, "Egypt");
    EXPECT_EQ(e.documents[1].number, "660000 73767");
    EXPECT_EQ(e.documents[1].note, "issued 2001");
    EXPECT_EQ(e.documents[2].number, "9187629");
    EXPECT_EQ(e.documents[3].type, "Italian Fiscal Code");
    EXPECT_EQ(e.documents[3].number, "DAOMMD74T11Z352Z");
    EXPECT_EQ(e.documents[4].type, "Aircraft Manufacturer's Serial Number (MSN)");
    EXPECT_EQ(e.documents[4].number, "208B5142");
    EXPECT_EQ(e.documents[5].number, "21-573208-02");
    EXPECT_EQ(e.documents[5].country, "Medellin");
}

TEST(OfacLoader, JoinsAliasesAndAddressesToTheirEntries)
{
    const auto entries = ParseOfac(
        "306,\"BANCO NACIONAL DE CUBA\",-0- ,\"CUBA\",-0- ,-0- ,-0- ,-0- ,-0- ,-0- ,-0- ,\"a.k.a. 'BNC'.\"\r\n"
        "4234,\"HERMANN\",\"vessel\",\"CUBA] [SDGT\",-0- ,\"CL2685\",\"General Cargo\",\"2597\",\"1098\",\"Cuba\",-0- ,-0- \r\n",
        "306,220,\"aka\",\"NATIONAL BANK OF CUBA\",-0- \r\n999,1,\"aka\",\"ORPHAN\",-0- \r\n",
        "306,199,\"Zweierstrasse 35\",\"Zurich CH-8022\",\"Switzerland\",-0- \r\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].list, "USA");
    EXPECT_EQ(entries[0].kind, "Entità");
    ASSERT_EQ(entries[0].aliases.size(), 1u);
    EXPECT_EQ(entries[0].aliases[0].name, "NATIONAL BANK OF CUBA");
    EXPECT_EQ(entries[0].weakAliases, (std::vector<std::string>{"BNC"}));
    EXPECT_EQ(entries[0].addresses, (std::vector<std::string>{"Zweierstrasse 35, Zurich CH-8022, Switzerland"}));
    EXPECT_EQ(entries[1].kind, "Nave");
    EXPECT_EQ(entries[1].programmes, (std::vector<std::string>{"CUBA", "SDGT"}));
    EXPECT_FALSE(entries[1].otherFields.empty());
}

TEST(UnLoader, KeepsOnlyTheTalibanAndAlQaidaRecords)
{
    const DatedList un = ParseUnConsolidated(R"XML(<CONSOLIDATED_LIST dateGenerated="2026-02-27T00:00:09.554Z">
<INDIVIDUALS>
<INDIVIDUAL><DATAID>1</DATAID><FIRST_NAME>A</FIRST_NAME><SECOND_NAME>B</SECOND_NAME><UN_LIST_TYPE>Al-Qaida</UN_LIST_TYPE><REFERENCE_NUMBER>QDi.1</REFERENCE_NUMBER>
<INDIVIDUAL_ALIAS><QUALITY>Good</QUALITY><ALIAS_NAME>AB ALIAS</ALIAS_NAME></INDIVIDUAL_ALIAS><INDIVIDUAL_ALIAS><QUALITY/><ALIAS_NAME/></INDIVIDUAL_ALIAS>
<INDIVIDUAL_DOCUMENT><TYPE_OF_DOCUMENT>Passport</TYPE_OF_DOCUMENT><NUMBER>X123</NUMBER><ISSUING_COUNTRY>Egypt</ISSUING_COUNTRY></INDIVIDUAL_DOCUMENT>
<INDIVIDUAL_DATE_OF_BIRTH><TYPE_OF_DATE>EXACT</TYPE_OF_DATE><DATE>1963-04-11</DATE></INDIVIDUAL_DATE_OF_BIRTH></INDIVIDUAL>
<INDIVIDUAL><DATAID>2</DATAID><FIRST_NAME>C</FIRST_NAME><UN_LIST_TYPE>DRC</UN_LIST_TYPE><REFERENCE_NUMBER>CDi.1</REFERENCE_NUMBER></INDIVIDUAL>
<INDIVIDUAL><DATAID>3</DATAID><FIRST_NAME>D</FIRST_NAME><UN_LIST_TYPE>Taliban</UN_LIST_TYPE><REFERENCE_NUMBER></REFERENCE_NUMBER></INDIVIDUAL>
</INDIVIDUALS>
<ENTITIES><ENTITY><DATAID>4</DATAID><FIRST_NAME>E ORG</FIRST_NAME><UN_LIST_TYPE>Taliban</UN_LIST_TYPE><REFERENCE_NUMBER>TAe.1</REFERENCE_NUMBER></ENTITY></ENTITIES>
</CONSOLIDATED_LIST>)XML");
    EXPECT_EQ(un.date, "2026-02-27");
    ASSERT_EQ(un.entries.size(), 3u);
    EXPECT_EQ(un.entries[0].name, "A B");
    EXPECT_EQ(un.entries[0].id, "QDi.1");
    ASSERT_EQ(un.entries[0].aliases.size(), 1u);  // the empty alias is dropped
    EXPECT_EQ(un.entries[0].documents.at(0).number, "X123");
    EXPECT_EQ(un.entries[0].birthDates, (std::vector<std::string>{"11/04/1963"}));
    EXPECT_EQ(un.entries[1].id, "3");  // no reference number: the DATAID
    EXPECT_EQ(un.entries[2].kind, "Entità");
    EXPECT_THROW(ParseUnConsolidated("<other/>"), std::runtime_error);
    EXPECT_THROW(ParseUnConsolidated("not xml"), std::runtime_error);
}

TEST(EuLoader, ReadsTheFinancialSanctionsFileFormat)
{
    const DatedList eu = ParseEuExport(R"XML(<?xml version="1.0" encoding="UTF-8"?>
<export xmlns="http://eu.europa.ec/fpi/fsd/export" generationDate="2025-10-01T10:00:00.000+02:00">
<sanctionEntity logicalId="13" euReferenceNumber="EU.27.28" unitedNationId="">
<regulation programme="IRQ" numberTitle="1210/2003 (OJ L169)" publicationDate="2003-07-08" entryIntoForceDate="2003-07-09"/>
<subjectType code="person"/>
<nameAlias wholeName="Saddam Hussein Al-Tikriti" gender="M" strong="true"/>
<nameAlias firstName="Abu" lastName="Ali" wholeName="" strong="true"/>
<nameAlias wholeName="Weak One" strong="false"/>
<identification number="A1234" identificationTypeDescription="National passport" countryDescription="IRAQ" knownExpired="true"/>
<birthdate birthdate="1937-04-28" city="al-Awja" countryDescription="IRAQ"/>
<citizenship countryDescription="IRAQ"/>
<remark>Some remark.</remark>
</sanctionEntity>
<sanctionEntity logicalId=""><nameAlias wholeName="No id"/></sanctionEntity>
</export>)XML");
    EXPECT_EQ(eu.date, "2025-10-01");
    ASSERT_EQ(eu.entries.size(), 1u);
    const ListEntry& e = eu.entries[0];
    EXPECT_EQ(e.id, "13");
    EXPECT_EQ(e.name, "Saddam Hussein Al-Tikriti");
    ASSERT_EQ(e.aliases.size(), 1u);
    EXPECT_EQ(e.aliases[0].name, "Abu Ali");
    EXPECT_EQ(e.weakAliases, (std::vector<std::string>{"Weak One"}));
    EXPECT_EQ(e.documents.at(0).note, "scaduto");
    EXPECT_EQ(e.birthDates, (std::vector<std::string>{"28/04/1937"}));
    EXPECT_EQ(e.birthPlaces, (std::vector<std::string>{"al-Awja, IRAQ"}));
    EXPECT_EQ(e.gender, "Maschile");
    EXPECT_EQ(e.listedOn, (std::vector<std::string>{"09/07/2003"}));
}

TEST(ListFolder, LoadsTheShippedSamples)
{
    const ListSet& set = test::SampleIndex().lists();
    const struct { const char* list; std::size_t entries, aliases; } expected[] = {
        {"USA", 25, 41}, {"TALEB", 12, 82}, {"UE", 30, 136}};
    for (const auto& x : expected) {
        const Counts c = CountList(set, x.list);
        EXPECT_EQ(c.entries, x.entries) << x.list;
        EXPECT_EQ(c.aliases, x.aliases) << x.list;
    }
    EXPECT_EQ(CountList(set, "UE").documents, 61u);
    EXPECT_EQ(set.dates.at("USA"), "2021-07-01");  // ofac/DATE
    EXPECT_EQ(set.dates.at("TALEB"), "2026-02-27");
    EXPECT_EQ(set.dates.at("UE"), "2026-02-27");
    EXPECT_EQ(FindEntry(set, "TALEB", "CDi.001"), nullptr);  // a DRC record of the UN file
    ASSERT_NE(FindEntry(set, "USA", "2676"), nullptr);
    EXPECT_EQ(FindEntry(set, "USA", "2676")->name, "AL ZAWAHIRI, Dr. Ayman");
}

TEST(ListFolder, LoadsThePublishedFiles)
{
    if (!test::PublishedIndex()) GTEST_SKIP() << "no published lists at " << test::PublishedListsFolder();
    const ListSet& set = test::PublishedIndex()->lists();
    const Counts usa = CountList(set, "USA");
    const Counts taleb = CountList(set, "TALEB");
    EXPECT_EQ(usa.entries, 8976u);
    EXPECT_EQ(usa.aliases, 11910u);
    EXPECT_EQ(taleb.entries, 481u);  // 341 Al-Qaida + 140 Taliban records
    EXPECT_EQ(taleb.aliases, 1902u);
    EXPECT_EQ(CountList(set, "UE").entries, 30u);  // the EU sample fills the missing EU file
    EXPECT_EQ(set.dates.at("TALEB"), "2026-02-27");
}

TEST(ListFolder, DatesAndFailures)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kivo-lists-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ofac");
    std::ofstream(dir / "ofac" / "sdn.csv") << "1,\"ONE\",-0- ,-0- ,-0- ,-0- ,-0- ,-0- ,-0- ,-0- ,-0- ,-0- \r\n";
    LoadedLists loaded = LoadListFolder({dir.string(), "", {{"USA", "2020-01-31"}, {"UE", "2020-02-01"}}});
    EXPECT_EQ(loaded.lists.dates.size(), 1u);  // no EU list: its date override is ignored
    EXPECT_EQ(loaded.lists.dates.at("USA"), "2020-01-31");
    std::ofstream(dir / "ofac" / "DATE") << "2019-05-06\n";
    EXPECT_EQ(LoadListFolder({dir.string(), "", {}}).lists.dates.at("USA"), "2019-05-06");
    fs::create_directories(dir / "un");
    std::ofstream(dir / "un" / "broken.xml") << "<CONSOLIDATED_LIST><unclosed>";
    EXPECT_THROW(LoadListFolder({dir.string(), "", {}}), std::runtime_error);
    fs::remove_all(dir);
    EXPECT_THROW(LoadListFolder({dir.string(), "", {}}), std::runtime_error);
}
