#include "ListServer.h"

#include "SoapMessages.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace kivo::service {

namespace {

constexpr const char* kSoapContentType = "application/soap+xml; charset=utf-8";

std::string UtcNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Log text on one line, whatever a client sent.
std::string Printable(const std::string& s, std::size_t limit = 120)
{
    std::string out;
    for (char c : s.substr(0, limit)) out += (static_cast<unsigned char>(c) < 0x20 || c == '"') ? '?' : c;
    return s.size() > limit ? out + "..." : out;
}

bool AsksForWsdl(const httplib::Request& req)
{
    for (const auto& [key, value] : req.params) {
        std::string lower;
        for (char c : key) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "wsdl") return true;
    }
    return false;
}

std::string StatusReason(int status)
{
    switch (status) {
    case 413: return "richiesta troppo grande";
    case 400: return "richiesta HTTP non valida";
    case 404: return "indirizzo sconosciuto";
    case 405: return "metodo non ammesso";
    default: return "errore " + std::to_string(status);
    }
}

}  // namespace

ListServer::ListServer(ServiceOptions options, std::shared_ptr<const ListIndex> index, std::ostream& log)
    : options_(std::move(options)), http_(std::make_unique<httplib::Server>()), index_(std::move(index)), log_(log)
{
    const std::size_t workers = options_.workers;
    http_->new_task_queue = [workers] { return new httplib::ThreadPool(workers); };
    http_->set_payload_max_length(options_.maxBodyBytes);
    // Headers and body go out in separate writes: without this, Nagle's algorithm and the
    // client's delayed acknowledgement hold every answer back some 40 ms.
    http_->set_tcp_nodelay(true);
    http_->set_keep_alive_max_count(100000);
    // An idle kept-alive connection holds a worker: let it go soon, clients reconnect at need.
    http_->set_keep_alive_timeout(2);
    http_->set_read_timeout(10, 0);
    http_->set_write_timeout(10, 0);
    InstallHandlers();
}

ListServer::~ListServer() = default;

bool ListServer::Bind()
{
    if (options_.port == 0) boundPort_ = http_->bind_to_any_port(options_.address);
    else boundPort_ = http_->bind_to_port(options_.address, options_.port) ? options_.port : -1;
    return boundPort_ > 0;
}

void ListServer::Run() { http_->listen_after_bind(); }

void ListServer::Stop() { http_->stop(); }

void ListServer::ReplaceIndex(std::shared_ptr<const ListIndex> index)
{
    std::lock_guard lock(indexMutex_);
    index_ = std::move(index);
}

std::shared_ptr<const ListIndex> ListServer::CurrentIndex() const
{
    std::lock_guard lock(indexMutex_);
    return index_;
}

void ListServer::Log(const std::string& line)
{
    const std::string whole = UtcNow() + " " + line + "\n";
    std::lock_guard lock(logMutex_);
    log_ << whole << std::flush;
}

std::string ListServer::EndpointUrl() const
{
    return "http://" + options_.address + ":" + std::to_string(boundPort_) + kServicePath;
}

void ListServer::InstallHandlers()
{
    http_->Post(kServicePath, [this](const httplib::Request& req, httplib::Response& res) {
        const auto started = std::chrono::steady_clock::now();
        const auto index = CurrentIndex();
        const EndpointAnswer answer = AnswerSoapRequest(req.body, *index, options_.endpoint);
        res.status = answer.httpStatus;
        res.set_content(answer.body, kSoapContentType);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
        char ms[32];
        std::snprintf(ms, sizeof ms, "%.3f ms", took.count());
        Log(req.remote_addr + " " + answer.operation + " \"" + Printable(answer.subject) + "\" hits=" +
            std::to_string(answer.hits) + " " + ms);
    });
    const auto page = [this](const httplib::Request& req, httplib::Response& res) {
        // The address the client used, so that the WSDL is right behind a name or 0.0.0.0.
        const std::string host = req.get_header_value("Host");
        const std::string url = host.empty() ? EndpointUrl() : "http://" + host + kServicePath;
        if (AsksForWsdl(req)) res.set_content(ServiceWsdl(url, options_.endpoint.serviceNamespace), "text/xml; charset=utf-8");
        else res.set_content(ServiceHomePage(url), "text/html; charset=utf-8");
    };
    http_->Get(kServicePath, page);
    http_->Get("/", page);
    // Errors found by the HTTP layer itself (body too large, bad request line, unknown path):
    // a SOAP Fault on the service path, so that a SOAP client always gets an envelope.
    http_->set_error_handler([this](const httplib::Request& req, httplib::Response& res) {
        const std::string reason = StatusReason(res.status);
        if (req.path == kServicePath || req.method == "POST") res.set_content(FaultAnswer({true, reason}), kSoapContentType);
        else res.set_content(reason + "\n", "text/plain; charset=utf-8");
        Log(req.remote_addr + " " + req.method + " " + Printable(req.path) + " " + std::to_string(res.status) + " " + reason);
    });
    http_->set_exception_handler([this](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
        std::string what = "errore interno";
        try { if (ep) std::rethrow_exception(ep); } catch (const std::exception& e) { what += std::string(": ") + e.what(); } catch (...) {}
        res.status = 500;
        res.set_content(FaultAnswer({false, what}), kSoapContentType);
        Log(req.remote_addr + " fault \"" + Printable(what) + "\"");
    });
}

}  // namespace kivo::service
