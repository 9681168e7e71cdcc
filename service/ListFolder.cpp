#include "ListFolder.h"

#include "EuLoader.h"
#include "OfacLoader.h"
#include "StringUtil.h"
#include "UnLoader.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace kivo::service {

namespace fs = std::filesystem;

namespace {

// The first *.xml of a folder in name order ("" when none).
std::string FirstXmlFile(const fs::path& folder)
{
    std::vector<fs::path> found;
    for (const auto& item : fs::directory_iterator(folder))
        if (item.is_regular_file() && item.path().extension() == ".xml") found.push_back(item.path());
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front().string();
}

std::string ModificationDay(const fs::path& file)
{
    const auto stamp = std::chrono::file_clock::to_sys(fs::last_write_time(file));
    const std::time_t t = std::chrono::system_clock::to_time_t(stamp);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}

std::string OfacDate(const fs::path& folder)
{
    const fs::path dateFile = folder / "DATE";
    if (fs::exists(dateFile)) {
        const std::string line = Trim(ReadWholeFile(dateFile.string()));
        if (!line.empty()) return line.substr(0, 10);
    }
    return ModificationDay(folder / "sdn.csv");
}

void Append(ListSet& set, std::vector<ListEntry>&& entries)
{
    set.entries.reserve(set.entries.size() + entries.size());
    for (auto& e : entries) set.entries.push_back(std::move(e));
}

std::string CountNote(const std::string& list, const std::vector<ListEntry>& entries, const std::string& from)
{
    std::size_t aliases = 0;
    for (const auto& e : entries) aliases += e.aliases.size();
    return list + ": " + std::to_string(entries.size()) + " entries, " + std::to_string(aliases) + " aliases from " + from;
}

}  // namespace

namespace {

// The folder that holds this list's file: the main one, else the fallback ("" when neither).
fs::path FolderWith(const ListFolderOptions& options, const char* sub, bool (*has)(const fs::path&))
{
    for (const std::string& root : {options.folder, options.fallbackFolder})
        if (!root.empty() && has(fs::path(root) / sub)) return fs::path(root) / sub;
    return {};
}

bool HasOfac(const fs::path& folder) { return fs::exists(folder / "sdn.csv"); }
bool HasXml(const fs::path& folder) { return fs::is_directory(folder) && !FirstXmlFile(folder).empty(); }

}  // namespace

LoadedLists LoadListFolder(const ListFolderOptions& options)
{
    if (!fs::is_directory(options.folder)) throw std::runtime_error("list folder not found: " + options.folder);
    LoadedLists out;
    ListSet& set = out.lists;

    const auto add = [&](const std::string& list, DatedList&& loaded, const std::string& from) {
        out.notes.push_back(CountNote(list, loaded.entries, from));
        set.dates[list] = loaded.date;
        Append(set, std::move(loaded.entries));
    };
    if (const fs::path ofac = FolderWith(options, "ofac", HasOfac); !ofac.empty())
        add("USA", {LoadOfacFolder(ofac.string()), OfacDate(ofac)}, ofac.string());
    if (const fs::path un = FolderWith(options, "un", HasXml); !un.empty())
        add("TALEB", LoadUnFile(FirstXmlFile(un)), FirstXmlFile(un));
    if (const fs::path eu = FolderWith(options, "eu", HasXml); !eu.empty())
        add("UE", LoadEuFile(FirstXmlFile(eu)), FirstXmlFile(eu));
    if (set.dates.empty()) throw std::runtime_error("no list found in " + options.folder);
    for (const auto& [list, date] : options.dates)
        if (set.dates.count(list)) set.dates[list] = date;
    return out;
}

std::string SampleListsFolder()
{
    // Beside the executable in the program directory; in the source tree for tests and tools.
    std::error_code error;
    const fs::path beside = fs::read_symlink("/proc/self/exe", error).parent_path() / "liste-servizio";
    if (!error && fs::is_directory(beside)) return beside.string();
    return KIVO_SAMPLE_LISTS_DIR;
}

}  // namespace kivo::service
