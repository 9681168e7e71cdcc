#pragma once
// An in-process HTTP server on 127.0.0.1 (a free port chosen by the system) standing in for the list
// search service: it records every request as received and answers with prepared texts, status
// codes, delays and bodies of any size.

#include <QString>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

struct RecordedRequest {
    std::string method;
    std::string path;
    std::vector<std::pair<std::string, std::string>> headers;  // as received, in order
    std::string body;
    int remotePort = 0;  // the client's port: equal ports mean one kept-alive connection

    // The value of a header (names compared without regard to case); empty when absent.
    std::string header(const std::string& name) const;
    // The header names, as received.
    std::vector<std::string> headerNames() const;
};

struct PreparedAnswer {
    int status = 200;
    std::string contentType = "application/soap+xml; charset=utf-8";
    std::string body;
    std::chrono::milliseconds delay{0};  // waited before answering (cut short when the server stops)
    bool chunked = false;                // sent in chunks, without a Content-Length
};

class FakeSoapServer {
public:
    FakeSoapServer();
    ~FakeSoapServer();
    FakeSoapServer(const FakeSoapServer&) = delete;
    FakeSoapServer& operator=(const FakeSoapServer&) = delete;

    int port() const { return port_; }
    QString hostAndPort() const;  // "127.0.0.1:<port>", the form of the [servizio] Host setting

    // Answers are used in order; when none is queued the default answer (200, empty body) is sent.
    void answerNext(PreparedAnswer answer);
    void setDefaultAnswer(PreparedAnswer answer);
    std::vector<RecordedRequest> requests() const;

private:
    PreparedAnswer takeAnswer();
    void waitOrStop(std::chrono::milliseconds delay);

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    std::deque<PreparedAnswer> answers_;
    PreparedAnswer defaultAnswer_;
    std::vector<RecordedRequest> requests_;
};

// A port on 127.0.0.1 where nothing listens: connecting to it is refused.
int UnusedLocalPort();

// A cerca_indice answer as the service writes it, around the given <indice> elements.
std::string IndexAnswer(const std::string& records);
// One <indice> element; a null field leaves its child out.
std::string IndexElement(const char* nome, const char* dborigine, const char* idDbOrigine);
// A cerca_dettaglio answer with one result element per group of lines.
std::string DetailAnswer(const std::vector<std::vector<std::string>>& resultGroups);
