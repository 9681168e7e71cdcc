#pragma once
// The HTTP connection to the list search service: one libcurl handle kept for the life of the
// program, so that successive requests reuse the same kept-alive connection.

#include "startup/AppContext.h"

#include <QByteArray>

class SoapTransport {
public:
    // Answers longer than this are refused: a real answer is a few hundred kilobytes at most, and a
    // service gone wrong must not fill the memory.
    static constexpr qint64 kMaxAnswerBytes = 16 * 1024 * 1024;

    SoapTransport();
    ~SoapTransport();
    SoapTransport(const SoapTransport&) = delete;
    SoapTransport& operator=(const SoapTransport&) = delete;

    // POSTs the body to the service's endpoint with exactly the headers Content-Type and
    // Content-Length, and returns the answer body whatever the HTTP status. A connection that
    // cannot be made, a time-out or an oversized answer is thrown as KivoError (ErrorKind::Transport).
    QByteArray post(const ServiceSettings& service, const QByteArray& body);

private:
    void* curl_;  // CURL*, kept out of this header
};

// The context's transport, created on first use.
SoapTransport& TransportOf(AppContext& ctx);
