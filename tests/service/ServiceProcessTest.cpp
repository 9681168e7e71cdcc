// The kivo-service executable itself: it loads, listens, reloads its lists on SIGHUP while
// answering, and stops cleanly on SIGTERM.

#include "SoapRequestText.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Polls the log until it holds text (or five seconds pass).
bool WaitForLog(const std::string& path, const std::string& text)
{
    for (int i = 0; i < 500; ++i) {
        if (ReadFile(path).find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(ServiceProcess, ReloadsOnSighupAndStopsOnSigterm)
{
    const std::string log = (std::filesystem::temp_directory_path() / ("kivo-service-" + std::to_string(getpid()) + ".log")).string();
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::freopen(log.c_str(), "w", stderr);
        execl(KIVO_SERVICE_EXECUTABLE, KIVO_SERVICE_EXECUTABLE, "--port", "0", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_TRUE(WaitForLog(log, "listening on http://127.0.0.1:")) << ReadFile(log);
    const std::string text = ReadFile(log);
    const auto at = text.find("127.0.0.1:") + 10;
    const int port = std::stoi(text.substr(at, text.find('/', at) - at));

    httplib::Client client("127.0.0.1", port);
    const std::string body = kivo::service::SearchRequestText("http://kivo.local/ricerca/", "MICHELE ZAGARIA");
    auto res = client.Post("/ask_kivo.asmx", body, "application/soap+xml; charset=utf-8");
    ASSERT_TRUE(res);
    EXPECT_NE(res->body.find("ZAGARIA, Michele"), std::string::npos);

    kill(pid, SIGHUP);
    for (int i = 0; i < 500 && Count(ReadFile(log), "lists loaded") < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Count(ReadFile(log), "lists loaded"), 2u) << ReadFile(log);
    res = client.Post("/ask_kivo.asmx", body, "application/soap+xml; charset=utf-8");
    ASSERT_TRUE(res);
    EXPECT_NE(res->body.find("ZAGARIA, Michele"), std::string::npos);

    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(ReadFile(log).find("stopped"), std::string::npos);
    std::filesystem::remove(log);
}

TEST(ServiceProcess, RefusesBadOptionsAndMissingLists)
{
    for (const char* args : {"--port nonsense", "--lists /nonexistent-folder"}) {
        const std::string command = std::string(KIVO_SERVICE_EXECUTABLE) + " " + args + " 2>/dev/null";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), 0) << args;
    }
}
