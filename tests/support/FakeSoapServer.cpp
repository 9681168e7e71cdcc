#include "support/FakeSoapServer.h"

#include <httplib.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Entries that cpp-httplib adds to the header list itself; the client never sent them.
bool IsServerPseudoHeader(const std::string& name)
{
    for (const char* pseudo : {"REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR", "LOCAL_PORT"}) {
        if (name == pseudo)
            return true;
    }
    return false;
}

void SendInChunks(httplib::Response& response, const PreparedAnswer& answer)
{
    auto body = std::make_shared<std::string>(answer.body);
    response.set_chunked_content_provider(answer.contentType, [body](size_t offset, httplib::DataSink& sink) {
        const size_t piece = std::min<size_t>(64 * 1024, body->size() - offset);
        if (piece > 0 && !sink.write(body->data() + offset, piece))
            return false;  // the client went away
        if (offset + piece == body->size())
            sink.done();
        return true;
    });
}

}  // namespace

std::string RecordedRequest::header(const std::string& name) const
{
    for (const auto& [key, value] : headers) {
        if (strcasecmp(key.c_str(), name.c_str()) == 0)
            return value;
    }
    return {};
}

std::vector<std::string> RecordedRequest::headerNames() const
{
    std::vector<std::string> names;
    for (const auto& header : headers)
        names.push_back(header.first);
    return names;
}

FakeSoapServer::FakeSoapServer() : server_(std::make_unique<httplib::Server>())
{
    server_->set_keep_alive_max_count(1000);
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        RecordedRequest recorded{request.method, request.path, {}, request.body, request.remote_port};
        for (const auto& [name, value] : request.headers) {
            if (!IsServerPseudoHeader(name))
                recorded.headers.emplace_back(name, value);
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(std::move(recorded));
        }
        const PreparedAnswer answer = takeAnswer();
        waitOrStop(answer.delay);
        response.status = answer.status;
        if (answer.chunked)
            SendInChunks(response, answer);
        else
            response.set_content(answer.body, answer.contentType.c_str());
    };
    server_->Post(".*", handler);
    server_->Get(".*", handler);
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("FakeSoapServer: cannot bind to 127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() only reaches a server that is already running: wait for it, or a quick test could
    // leave the listening thread blocked for ever.
    while (!server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

FakeSoapServer::~FakeSoapServer()
{
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    stopping_.notify_all();
    server_->stop();
    thread_.join();
}

QString FakeSoapServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

void FakeSoapServer::answerNext(PreparedAnswer answer)
{
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(answer));
}

void FakeSoapServer::setDefaultAnswer(PreparedAnswer answer)
{
    std::lock_guard lock(mutex_);
    defaultAnswer_ = std::move(answer);
}

std::vector<RecordedRequest> FakeSoapServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

PreparedAnswer FakeSoapServer::takeAnswer()
{
    std::lock_guard lock(mutex_);
    if (answers_.empty())
        return defaultAnswer_;
    PreparedAnswer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

void FakeSoapServer::waitOrStop(std::chrono::milliseconds delay)
{
    std::unique_lock lock(mutex_);
    stopping_.wait_for(lock, delay, [this] { return stopped_; });
}

int UnusedLocalPort()
{
    // Bind to a port the system picks, then close it again: nothing listens there afterwards.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("UnusedLocalPort: no free port");
    ::close(fd);
    return ntohs(address.sin_port);
}

std::string IndexAnswer(const std::string& records)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\">"
           "<soap:Body><cerca_indiceResponse xmlns=\"http://kivo.local/ricerca/\"><cerca_indiceResult>" +
           records + "</cerca_indiceResult></cerca_indiceResponse></soap:Body></soap:Envelope>";
}

std::string IndexElement(const char* nome, const char* dborigine, const char* idDbOrigine)
{
    std::string element = "<indice>";
    if (nome)
        element += std::string("<nome>") + nome + "</nome>";
    if (dborigine)
        element += std::string("<dborigine>") + dborigine + "</dborigine>";
    if (idDbOrigine)
        element += std::string("<id_db_origine>") + idDbOrigine + "</id_db_origine>";
    return element + "</indice>";
}

std::string DetailAnswer(const std::vector<std::vector<std::string>>& resultGroups)
{
    std::string results;
    for (const auto& group : resultGroups) {
        results += "<cerca_dettaglioResult>";
        for (const std::string& line : group)
            results += "<string>" + line + "</string>";
        results += "</cerca_dettaglioResult>";
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\">"
           "<soap:Body><cerca_dettaglioResponse xmlns=\"http://kivo.local/ricerca/\">" +
           results + "</cerca_dettaglioResponse></soap:Body></soap:Envelope>";
}
