#include "ListsFixture.h"

#include "ListFolder.h"

#include <filesystem>

namespace kivo::service::test {

const ListIndex& SampleIndex()
{
    static const ListIndex index(LoadListFolder({SampleListsFolder(), "", {}}).lists);
    return index;
}

std::string PublishedListsFolder() { return KIVO_SHARED_LISTS_DIR; }

const ListIndex* PublishedIndex()
{
    static const std::unique_ptr<ListIndex> index = [] {
        const std::filesystem::path folder(PublishedListsFolder());
        if (!std::filesystem::exists(folder / "ofac" / "sdn.csv")) return std::unique_ptr<ListIndex>();
        // The published files with the shipped EU sample, as scripts/run-service.sh serves them.
        ListSet set = LoadListFolder({folder.string(), SampleListsFolder(), {}}).lists;
        return std::make_unique<ListIndex>(std::move(set));
    }();
    return index.get();
}

}  // namespace kivo::service::test
