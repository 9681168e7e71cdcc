#include "search/SoapTransport.h"

#include "platform/KivoError.h"

#include <curl/curl.h>
#include <mutex>

namespace {

const QString kSource = QStringLiteral("ServizioRicerca");

struct Reception {
    QByteArray body;
    bool tooLarge = false;
};

size_t Receive(char* data, size_t size, size_t count, void* userData)
{
    auto* reception = static_cast<Reception*>(userData);
    const size_t bytes = size * count;
    if (reception->body.size() + qint64(bytes) > SoapTransport::kMaxAnswerBytes) {
        reception->tooLarge = true;
        return 0;  // makes curl stop with CURLE_WRITE_ERROR
    }
    reception->body.append(data, qsizetype(bytes));
    return bytes;
}

// A time-out of zero or less would mean "wait for ever" to curl; the defaults apply instead.
long Seconds(int configured, int fallback)
{
    return configured > 0 ? configured : fallback;
}

QString SecondsText(long seconds)
{
    return seconds == 1 ? QStringLiteral("1 secondo") : QStringLiteral("%1 secondi").arg(seconds);
}

struct CurlHeaders {
    curl_slist* list = nullptr;
    void add(const QByteArray& line) { list = curl_slist_append(list, line.constData()); }
    ~CurlHeaders() { curl_slist_free_all(list); }
};

[[noreturn]] void FailTransport(const QString& description)
{
    throw KivoError(ErrorNumber::Transport, description, kSource, ErrorKind::Transport);
}

QString DescribeFailure(CURL* curl, CURLcode code, const char* detail, const ServiceSettings& service,
                        long connectSeconds, long answerSeconds, bool tooLarge)
{
    const QString host = service.host;
    const QString reason = QString::fromUtf8(*detail ? detail : curl_easy_strerror(code));
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("Il servizio di ricerca %1 non è stato trovato (%2).").arg(host, reason);
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Il servizio di ricerca %1 non accetta la connessione (%2).").arg(host, reason);
    case CURLE_OPERATION_TIMEDOUT: {
        // Only the connect time-out can end the attempt before the time allowed for the answer;
        // the connect time itself says nothing when a kept-alive connection was reused.
        curl_off_t elapsedMicroseconds = 0;
        curl_easy_getinfo(curl, CURLINFO_TOTAL_TIME_T, &elapsedMicroseconds);
        if (elapsedMicroseconds < curl_off_t(answerSeconds) * 1000000)
            return QStringLiteral("Il servizio di ricerca %1 non ha accettato la connessione entro %2.")
                .arg(host, SecondsText(connectSeconds));
        return QStringLiteral("Il servizio di ricerca non ha risposto entro %1.").arg(SecondsText(answerSeconds));
    }
    case CURLE_WRITE_ERROR:
    case CURLE_FILESIZE_EXCEEDED:
        if (tooLarge || code == CURLE_FILESIZE_EXCEEDED)
            return QStringLiteral("La risposta del servizio di ricerca supera %1 MB ed è stata scartata.")
                .arg(SoapTransport::kMaxAnswerBytes / (1024 * 1024));
        break;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return QStringLiteral("Il servizio di ricerca %1 ha interrotto la comunicazione (%2).").arg(host, reason);
    default:
        break;
    }
    return QStringLiteral("Errore di comunicazione con il servizio di ricerca %1: %2").arg(host, reason);
}

}  // namespace

SoapTransport::SoapTransport()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
    if (!curl_)
        FailTransport(QStringLiteral("Impossibile preparare la connessione al servizio di ricerca."));
}

SoapTransport::~SoapTransport()
{
    curl_easy_cleanup(static_cast<CURL*>(curl_));
}

QByteArray SoapTransport::post(const ServiceSettings& service, const QByteArray& body)
{
    CURL* curl = static_cast<CURL*>(curl_);
    const ServiceSettings defaults;
    const long connectSeconds = Seconds(service.connectTimeoutSeconds, defaults.connectTimeoutSeconds);
    const long answerSeconds = Seconds(service.answerTimeoutSeconds, defaults.answerTimeoutSeconds);

    // Exactly two headers of our own; the empty "Accept:" and "Expect:" remove the ones curl adds.
    CurlHeaders headers;
    headers.add("Content-Type: application/soap+xml; charset=utf-8");
    headers.add("Content-Length: " + QByteArray::number(body.size()));
    headers.add("Accept:");
    headers.add("Expect:");

    Reception reception;
    char detail[CURL_ERROR_SIZE] = {};
    const QByteArray url = service.endpointUrl().toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.list);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, connectSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, answerSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(kMaxAnswerBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reception);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, detail);

    const CURLcode code = curl_easy_perform(curl);
    // The handle outlives this call: leave it pointing at nothing of ours.
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    if (code != CURLE_OK)
        FailTransport(DescribeFailure(curl, code, detail, service, connectSeconds, answerSeconds, reception.tooLarge));
    return reception.body;
}

SoapTransport& TransportOf(AppContext& ctx)
{
    if (!ctx.transport)
        ctx.transport = std::make_shared<SoapTransport>();
    return *ctx.transport;
}
