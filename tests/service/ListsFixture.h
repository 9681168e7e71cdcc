#pragma once
// The lists the tests search: the shipped samples, and the published files when they are present.

#include "ListIndex.h"

#include <memory>
#include <string>

namespace kivo::service::test {

// Built once per test program.
const ListIndex& SampleIndex();

// nullptr when the published files are not beside the repository (../shared/data/lists).
const ListIndex* PublishedIndex();
std::string PublishedListsFolder();

}  // namespace kivo::service::test
