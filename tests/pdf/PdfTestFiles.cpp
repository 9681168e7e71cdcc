#include "PdfTestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace pdftest {

namespace {
std::filesystem::path ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("kivo-pdf-tests-" + std::to_string(getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}
}  // namespace

std::string ScratchPath(std::string_view name)
{
    ScratchFolder();
    // Registered once the folder exists, so it runs while the folder's path is still alive.
    static const bool removedAtExit = std::getenv("KIVO_KEEP_PDF_TEST_FILES") == nullptr &&
                                      std::atexit([] { std::filesystem::remove_all(ScratchFolder()); }) == 0;
    (void)removedAtExit;
    return (ScratchFolder() / std::string(name)).string();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CommandResult Run(std::initializer_list<std::string> argv)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        close(pipeFds[1]);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    CommandResult result;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

::testing::AssertionResult QpdfCheckPasses(const std::string& path)
{
    const CommandResult result = Run({"qpdf", "--check", path});
    // Exit status 0: no errors and no warnings (3 means warnings).
    if (result.status == 0 && result.output.find("No syntax or stream encoding errors") != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "qpdf --check " << path << " exited " << result.status << ":\n"
                                         << result.output;
}

std::string PdfToText(const std::string& path)
{
    const std::string out = path + ".txt";
    Run({"pdftotext", "-layout", "-enc", "UTF-8", path, out});
    return ReadFile(out);
}

std::string ObjectText(const std::string& file, int number)
{
    const std::string head = std::to_string(number) + " 0 obj\n";
    std::size_t at = 0;
    while ((at = file.find(head, at)) != std::string::npos) {
        if (at == 0 || file[at - 1] == '\n')
            break;
        at += head.size();
    }
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + head.size();
    const std::size_t end = file.find("endobj", start);
    return file.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string StreamData(const std::string& file, int number)
{
    const std::string object = ObjectText(file, number);
    const std::size_t start = object.find("stream\n");
    const std::size_t end = object.rfind("\nendstream");
    if (start == std::string::npos || end == std::string::npos || end < start + 7)
        return {};
    return object.substr(start + 7, end - start - 7);
}

std::vector<std::string> PageContents(const std::string& file)
{
    std::vector<std::string> contents;
    const std::size_t kids = file.find("/Kids [");
    if (kids == std::string::npos)
        return contents;
    const std::size_t end = file.find(']', kids);
    std::size_t at = kids + 7;
    while (at < end) {
        const std::size_t space = file.find(' ', at);
        if (space == std::string::npos || space > end)
            break;
        const int page = std::stoi(file.substr(at, space - at));
        const std::string dictionary = ObjectText(file, page);
        const std::size_t contentsAt = dictionary.find("/Contents ");
        contents.push_back(StreamData(file, std::stoi(dictionary.substr(contentsAt + 10))));
        at = space + 5;  // past "n 0 R "
    }
    return contents;
}

int FindObject(const std::string& file, std::string_view dictionaryStart)
{
    std::size_t at = 0;
    while ((at = file.find(std::string(dictionaryStart), at)) != std::string::npos) {
        // Walk back to the "<n> 0 obj\n" line just before.
        const std::size_t lineEnd = file.rfind(" 0 obj\n", at);
        if (lineEnd != std::string::npos && lineEnd + 7 == at) {
            const std::size_t lineStart = file.rfind('\n', lineEnd);
            return std::stoi(file.substr(lineStart + 1, lineEnd - lineStart - 1));
        }
        ++at;
    }
    return 0;
}

}  // namespace pdftest
