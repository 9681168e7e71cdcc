#pragma once
// Helpers of the PDF writer tests: scratch files, reading a written file back, and running the
// qpdf and poppler tools used as oracles.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pdftest {

// A fresh path under the test's scratch folder (one per process, removed when it ends unless
// KIVO_KEEP_PDF_TEST_FILES is set).
std::string ScratchPath(std::string_view name);
std::string ReadFile(const std::string& path);

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and standard error together
};
// Runs a program with arguments (no shell is involved).
CommandResult Run(std::initializer_list<std::string> argv);

// "qpdf --check" passes with no warning.
::testing::AssertionResult QpdfCheckPasses(const std::string& path);
// Text of the whole document as pdftotext reads it (layout mode), converted from UTF-8.
std::string PdfToText(const std::string& path);

// The text between "<n> 0 obj\n" and the following "endobj" (empty when absent).
std::string ObjectText(const std::string& file, int number);
// The data of the stream of object n (between "stream\n" and "\nendstream").
std::string StreamData(const std::string& file, int number);
// The content streams of the pages, in page order (through the /Kids of the page tree).
std::vector<std::string> PageContents(const std::string& file);
// Number of the object whose dictionary starts with the given text (0 when none).
int FindObject(const std::string& file, std::string_view dictionaryStart);

}  // namespace pdftest
