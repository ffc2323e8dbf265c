#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace quillmark {

struct THttpOptions {
    std::string UserAgent;
    // Time allowed for name resolution and the connection.
    long ConnectTimeoutMs = 2000;
    // Time allowed for the whole request; 0: no limit.
    long TotalTimeoutMs = 0;
    // The request fails when fewer than LowSpeedBytes per second arrive for
    // LowSpeedSeconds in a row, so a stalled server cannot hold it forever.
    long LowSpeedBytes = 1;
    long LowSpeedSeconds = 30;
    long MaxRedirects = 10;
    // Plain http:// is refused unless allowed here. A redirect never leaves
    // HTTPS once the request started there.
    bool AllowPlainHttp = false;
    // Get only: a larger answer fails instead of filling memory; 0: no limit.
    std::uint64_t MaxBytes = 0;
};

struct THttpProgress {
    std::uint64_t Received = 0;      // bytes of the body written so far
    std::uint64_t ContentLength = 0; // as announced by the server; 0 when unknown
    bool Chunked = false;            // the answer's Transfer-Encoding names "chunked"
};

// Called repeatedly while a download runs, also when no data arrives (a few
// times a second). An exception thrown here aborts the transfer and leaves
// Download once the connection and the file are closed.
using THttpProgressCallback = std::function<void(const THttpProgress&)>;

// HTTP(S) GET requests. Every failure (no connection, a time-out, an HTTP
// error status, a refused address, a write error) raises a QuillError whose
// message names the address and the cause.
class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // The body of the answer.
    virtual std::string Get(const std::string& url, const THttpOptions& options) = 0;
    // Creates or empties `fileName` and writes the body into it; the file is
    // closed when this returns, also on failure (a partial file stays).
    virtual void Download(const std::string& url, const std::string& fileName,
                          const THttpOptions& options, const THttpProgressCallback& progress) = 0;
};

// The client on top of libcurl. Proxies configured in the environment
// (http_proxy, https_proxy, no_proxy) apply, except that the loopback
// addresses are always reached directly.
std::unique_ptr<IHttpClient> MakeCurlHttpClient();

} // namespace quillmark
