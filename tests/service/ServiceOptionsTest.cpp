// Command-line options: values taken, bad values refused with a message.

#include "ServiceOptions.h"

#include <gtest/gtest.h>

using namespace kivo::service;

TEST(ServiceOptions, DefaultsMatchTheClientSettings)
{
    const ServiceOptions o = ParseServiceOptions({});
    EXPECT_EQ(o.address, "127.0.0.1");
    EXPECT_EQ(o.port, 8731);
    EXPECT_EQ(o.endpoint.serviceNamespace, "http://kivo.local/ricerca/");
    EXPECT_EQ(o.lists.folder, SampleListsFolder());
}

TEST(ServiceOptions, TakesEveryOption)
{
    const ServiceOptions o = ParseServiceOptions({"--address", "0.0.0.0", "--port", "9000", "--lists", "/x",
                                                  "--namespace", "urn:n", "--threshold", "0.85", "--date-usa",
                                                  "2021-07-01", "--date-ue", "2026-01-02", "--workers", "3",
                                                  "--max-body", "2048", "--max-hits", "50"});
    EXPECT_EQ(o.address, "0.0.0.0");
    EXPECT_EQ(o.port, 9000);
    EXPECT_EQ(o.lists.folder, "/x");
    EXPECT_EQ(o.endpoint.serviceNamespace, "urn:n");
    EXPECT_DOUBLE_EQ(o.endpoint.threshold, 0.85);
    EXPECT_EQ(o.lists.dates.at("USA"), "2021-07-01");
    EXPECT_EQ(o.lists.dates.at("UE"), "2026-01-02");
    EXPECT_EQ(o.workers, 3u);
    EXPECT_EQ(o.maxBodyBytes, 2048u);
    EXPECT_EQ(o.endpoint.maxHits, 50u);
}

TEST(ServiceOptions, RefusesBadValues)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--port", "70000"}, {"--port", "80x"}, {"--threshold", "0"}, {"--threshold", "1.5"},
        {"--threshold", "abc"}, {"--date-usa", "2021-7-1"}, {"--date-taleb", "yyyy-mm-dd"}, {"--workers", "0"},
        {"--max-body", "10"}, {"--namespace", ""}, {"--unknown", "1"}, {"--port"},
    };
    for (const auto& args : bad) EXPECT_THROW(ParseServiceOptions(args), std::invalid_argument) << args[0];
}
