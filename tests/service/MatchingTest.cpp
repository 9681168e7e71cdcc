// Which entries a search finds: reordered names, transliterations, typos, aliases, document
// numbers, and common Italian names that must find nothing. The index must find what scoring
// every listed name finds.

#include "ListsFixture.h"

#include <gtest/gtest.h>

#include <set>

using namespace kivo::service;

namespace {

constexpr double kThreshold = 0.90;  // the service's default

std::set<std::string> Found(const ListIndex& index, const std::string& searched, bool scan = false)
{
    std::set<std::string> out;
    const auto hits = scan ? index.ScanSearch(searched, kThreshold, 1000) : index.Search(searched, kThreshold, 1000);
    for (const Hit& h : hits) out.insert(index.lists().entries[h.entry].list + ":" + index.lists().entries[h.entry].id);
    return out;
}

struct Case {
    const char* searched;  // as the client sends it: already normalised
    std::set<std::string> mustFind;
    const char* why;
};

void ExpectFinds(const ListIndex& index, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        const auto found = Found(index, c.searched);
        for (const auto& id : c.mustFind)
            EXPECT_TRUE(found.count(id)) << c.why << ": \"" << c.searched << "\" should find " << id;
        EXPECT_EQ(found, Found(index, c.searched, true)) << "index and full scan differ for " << c.searched;
    }
}

const std::vector<const char*> kCommonItalianNames = {
    "MARIO ROSSI", "GIUSEPPE RUSSO", "ANTONIO ESPOSITO", "GIOVANNI BIANCHI", "FRANCESCO ROMANO",
    "MARIA COLOMBO", "ANNA RICCI", "LUCA MARINO", "MARCO GRECO", "PAOLO BRUNO", "ANDREA GALLO",
    "ROBERTO CONTI", "STEFANO DE LUCA", "ALESSANDRO MANCINI", "LAURA COSTA", "GIORGIO GIORDANO",
    "SARA RIZZO", "FRANCESCA LOMBARDI", "MATTEO MORETTI", "ANGELA BARBIERI", "SALVATORE FONTANA",
    "VINCENZO SANTORO", "DOMENICO MARIANI", "ROSA RINALDI", "CARLO CARUSO", "GIUSEPPINA FERRARA",
    "MARIO BIANCHI", "ANTONIO RUSSO", "GIUSEPPE ESPOSITO", "MARIA ROSSI", "LUIGI VERDI",
    "PIETRO FERRARI", "NICOLA GALLI", "ALBERTO LEONE", "ELENA LONGO", "FABIO GENTILE",
    "ROBERTA MARTINELLI", "DAVIDE VITALE", "SIMONE LOMBARDO", "CHIARA SERRA", "MASSIMO COPPOLA",
    "RICCARDO DE SANTIS", "EMANUELE DANGELO", "ENRICO MARCHETTI", "GIULIA PARISI", "MARTINA VILLA",
    // Near some listed names, yet other people: final vowels, one consonant, first letters differ.
    "MARIO RICCI", "CATERINA MARINO", "ANTONIO MARINO", "LUCA MARINO", "ALBERTO LEONE", "SERGIO FERRARA",
    "MOHAMED MARINI", "MARIA SERRA", "SERGIO MARIANI", "LUCIANO MARINI",
};

void ExpectNothingFound(const ListIndex& index)
{
    for (const char* name : kCommonItalianNames) {
        const auto found = Found(index, name);
        EXPECT_TRUE(found.empty()) << name << " found " << (found.empty() ? "" : *found.begin());
    }
}

}  // namespace

TEST(Matching, FindsTheSampleEntriesTheWaysOfficersSearch)
{
    ExpectFinds(test::SampleIndex(), {
        {"AYMAN AL ZAWAHIRI", {"USA:2676", "TALEB:QDi.006", "UE:S001"}, "listed name, all three lists"},
        {"ZAWAHIRI AYMAN", {"USA:2676", "TALEB:QDi.006"}, "surname first, middle names missing"},
        {"OSAMA BIN LADEN", {"USA:6365"}, "transliteration of the listed BIN LADIN, Usama"},
        {"AYMAN ZAWAHRI", {"USA:2676"}, "typo: a letter left out"},
        {"NATIONAL BANK OF CUBA", {"USA:306"}, "alias of BANCO NACIONAL DE CUBA"},
        {"MICHELE ZAGARIA", {"USA:15233"}, "Italian listed person"},
        {"DELLAQUILA GIUSEPPE", {"USA:15229"}, "DELL'AQUILA as the client sends it"},
        {"DELL AQUILA GIUSEPPE", {"USA:15229"}, "DELL'AQUILA typed with a blank"},
        {"1084010", {"USA:2676", "TALEB:QDi.006", "UE:S001"}, "passport number"},
        {"16247821", {"USA:4106"}, "Colombian cedula number"},
        {"SEIF AL ADEL", {"TALEB:QDi.001"}, "alias of a UN entry"},
    });
}

TEST(Matching, CommonItalianNamesFindNothingInTheSamples) { ExpectNothingFound(test::SampleIndex()); }

TEST(Matching, FindsThePublishedEntries)
{
    const ListIndex* index = test::PublishedIndex();
    if (!index) GTEST_SKIP() << "no published lists";
    ExpectFinds(*index, {
        {"AYMAN AL ZAWAHIRI", {"USA:2676", "TALEB:QDi.006"}, "listed name"},
        {"ZAWAHIRI AYMAN", {"USA:2676", "TALEB:QDi.006"}, "reordered"},
        {"USAMA BIN LADIN", {"USA:6365"}, "listed spelling"},
        {"OSAMA BIN LADEN", {"USA:6365"}, "transliteration"},
        {"AYMAN ZAWAHRI", {"USA:2676"}, "typo"},
        {"SEIF AL ADEL", {"TALEB:QDi.001"}, "alias"},
        {"MOHAMMED SALAHALDIN ZIDANE", {"TALEB:QDi.001"}, "middle names missing"},
        {"MUHAMMAD SALAHALDIN ZIDANE", {"TALEB:QDi.001"}, "transliterated first name"},
        {"MARIO CATERINO", {"USA:15230"}, "Italian listed person"},
        {"1084010", {"USA:2676", "TALEB:QDi.006"}, "passport number"},
        {"28642163", {"TALEB:QDi.080"}, "number written with words around it in the list"},
        {"AIMAN MUHAMMED RABI AL ZAWAHIRI", {"TALEB:QDi.006"}, "full UN name"},
        {"VIKTOR BOUT", {"USA:8279"}, "patronymic missing"},
        {"MOAMMAR GADDAFI", {"USA:12606"}, "transliteration of QADHAFI, Muammar"},
        {"SERGIO FERRARI", {"USA:26402"}, "an Italian name that is listed"},
        {"ALZAWAHIRI AYMAN", {"USA:2676"}, "article joined to the surname, listed apart"},
        {"PAOLO DIMAURO", {"USA:15231"}, "DI MAURO written as one word"},
        {"DAOMMD74T11Z352Z", {"USA:7203"}, "Italian tax code, as the program sends it"},
    });
}

TEST(Matching, CommonItalianNamesFindNothingInThePublishedLists)
{
    const ListIndex* index = test::PublishedIndex();
    if (!index) GTEST_SKIP() << "no published lists";
    ExpectNothingFound(*index);
}

TEST(Matching, BestHitsComeFirstAndTheCapHolds)
{
    const ListIndex& index = test::SampleIndex();
    const auto hits = index.Search("AYMAN AL ZAWAHIRI", kThreshold, 2);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_GE(hits[0].score, hits[1].score);
    EXPECT_TRUE(index.Search("", kThreshold, 10).empty());
    EXPECT_TRUE(index.Search("   ", kThreshold, 10).empty());
    EXPECT_TRUE(index.Search("1234", kThreshold, 10).empty());  // too short to be a document number
}

TEST(Matching, ThresholdIsRespected)
{
    const ListIndex& index = test::SampleIndex();
    for (double threshold : {0.80, 0.90, 0.97})
        for (const Hit& h : index.Search("AYMAN ZAWAHRI", threshold, 100)) EXPECT_GE(h.score, threshold);
    EXPECT_GE(index.Search("AYMAN ZAWAHRI", 0.80, 100).size(), index.Search("AYMAN ZAWAHRI", 0.97, 100).size());
}
