// After the tests of this program have run, every PDF they wrote must pass "qpdf --check";
// only a document abandoned on purpose with Abort is left out.

#include "PdfTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class EveryDocumentIsValid : public ::testing::Environment {
public:
    void TearDown() override
    {
        const auto folder = std::filesystem::path(pdftest::ScratchPath("x")).parent_path();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            const auto name = entry.path().filename().string();
            if (entry.path().extension() != ".pdf" || name.rfind("aborted", 0) == 0)
                continue;
            EXPECT_TRUE(pdftest::QpdfCheckPasses(entry.path().string()));
        }
    }
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new EveryDocumentIsValid);

}  // namespace
