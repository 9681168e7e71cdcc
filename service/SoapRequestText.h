#pragma once
// The two request bodies exactly as the KIVO client writes them (lines ended by a line feed, no
// indentation), for tests, benchmarks and trying the service by hand.

#include <string>

namespace kivo::service {

std::string SearchRequestText(const std::string& serviceNamespace, const std::string& searched);
std::string DetailRequestText(const std::string& serviceNamespace, const std::string& list, const std::string& id);

}  // namespace kivo::service
