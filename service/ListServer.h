#pragma once
// The HTTP side of the service: POST /ask_kivo.asmx answers SOAP, GET serves the WSDL (?WSDL) or a
// short HTML page. Requests run on a bounded pool of workers; the lists can be replaced while
// requests are being served (each request keeps the lists it started with).

#include "ListIndex.h"
#include "ServiceOptions.h"

#include <memory>
#include <mutex>
#include <ostream>
#include <string>

namespace httplib { class Server; }

namespace kivo::service {

inline constexpr const char* kServicePath = "/ask_kivo.asmx";

class ListServer {
public:
    ListServer(ServiceOptions options, std::shared_ptr<const ListIndex> index, std::ostream& log);
    ~ListServer();
    ListServer(const ListServer&) = delete;
    ListServer& operator=(const ListServer&) = delete;

    // Binds the listening socket; false when the address or port cannot be used.
    bool Bind();
    int port() const { return boundPort_; }

    // Serves until Stop(); the requests in progress are finished first.
    void Run();
    void Stop();

    void ReplaceIndex(std::shared_ptr<const ListIndex> index);
    std::shared_ptr<const ListIndex> CurrentIndex() const;

    // One line on the log, whole, with the time in front.
    void Log(const std::string& line);

private:
    void InstallHandlers();
    std::string EndpointUrl() const;

    ServiceOptions options_;
    std::unique_ptr<httplib::Server> http_;
    mutable std::mutex indexMutex_;
    std::shared_ptr<const ListIndex> index_;
    std::mutex logMutex_;
    std::ostream& log_;
    int boundPort_ = -1;
};

}  // namespace kivo::service
