#include "platform/HttpClient.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
#include <exception>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace quillmark {

namespace {

// Loopback addresses never go through a proxy: a proxy set for the outside
// world cannot reach a server on this machine.
constexpr char kLoopbackHosts[] = "localhost,127.0.0.0/8,::1";

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            throw QuillError("The HTTP library could not be initialised.");
        }
    });
}

std::string NoProxyList() {
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string(value) + "," + kLoopbackHosts;
        }
    }
    return kLoopbackHosts;
}

// Where the body goes and what the answer's headers said so far.
struct TransferSink {
    std::string* Memory = nullptr;
    std::uint64_t MaxBytes = 0;
    int File = -1;
    std::string FileName;
    std::uint64_t Received = 0;
    bool Chunked = false;
    std::string Failure; // set by a callback that stopped the transfer
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto& sink = *static_cast<TransferSink*>(user);
    const size_t length = size * count;
    if (sink.Memory != nullptr) {
        if (sink.MaxBytes != 0 && sink.Received + length > sink.MaxBytes) {
            sink.Failure = "the answer is larger than " + std::to_string(sink.MaxBytes) + " bytes";
            return 0;
        }
        sink.Memory->append(data, length);
    } else {
        size_t written = 0;
        while (written < length) {
            const ssize_t n = ::write(sink.File, data + written, length - written);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                sink.Failure = "cannot write " + sink.FileName + ": " + std::strerror(errno);
                return 0;
            }
            written += static_cast<size_t>(n);
        }
    }
    sink.Received += length;
    return length;
}

// Each answer of a redirect chain starts with its status line; only the
// headers of the last one describe the body that is written.
size_t ReadHeader(char* data, size_t size, size_t count, void* user) {
    auto& sink = *static_cast<TransferSink*>(user);
    const std::string_view line(data, size * count);
    if (AsciiStartsWithIgnoreCase(line, "HTTP/")) {
        sink.Chunked = false;
    } else if (AsciiStartsWithIgnoreCase(line, "transfer-encoding:")) {
        sink.Chunked = AsciiLower(line).find("chunked") != std::string::npos;
    }
    return size * count;
}

class CurlTransfer {
public:
    CurlTransfer() : easy_(curl_easy_init()), multi_(curl_multi_init()) {
        if (easy_ == nullptr || multi_ == nullptr) {
            throw QuillError("The HTTP library could not start a request.");
        }
    }
    ~CurlTransfer() {
        if (added_) {
            curl_multi_remove_handle(multi_, easy_);
        }
        curl_multi_cleanup(multi_);
        curl_easy_cleanup(easy_);
    }
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Every option here matters (the protocol limits above all): one this
    // libcurl does not know fails the request instead of being skipped.
    template <typename T> void Set(CURLoption option, T value) {
        if (curl_easy_setopt(easy_, option, value) != CURLE_OK) {
            throw QuillError("The HTTP library does not support a required option.");
        }
    }

    // Runs the request to its end. `progress`, when set, is called between
    // rounds of network activity, at least every 50 ms.
    CURLcode Run(TransferSink& sink, const THttpProgressCallback& progress) {
        if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) {
            throw QuillError("The HTTP library could not start a request.");
        }
        added_ = true;
        int running = 1;
        while (running != 0) {
            if (curl_multi_perform(multi_, &running) != CURLM_OK) {
                throw QuillError("The HTTP library failed while running a request.");
            }
            if (progress) {
                progress(Progress(sink));
            }
            if (running != 0) {
                curl_multi_poll(multi_, nullptr, 0, progress ? 50 : 500, nullptr);
            }
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                return message->data.result;
            }
        }
        return CURLE_GOT_NOTHING;
    }

    THttpProgress Progress(const TransferSink& sink) const {
        curl_off_t length = -1;
        curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        return {sink.Received, length > 0 ? static_cast<std::uint64_t>(length) : 0, sink.Chunked};
    }

private:
    CURL* easy_;
    CURLM* multi_;
    bool added_ = false;
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now so that a failing close is reported; -1 on failure.
    int Close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

class TCurlHttpClient final : public IHttpClient {
public:
    TCurlHttpClient() { InitCurlOnce(); }

    std::string Get(const std::string& url, const THttpOptions& options) override {
        std::string body;
        TransferSink sink;
        sink.Memory = &body;
        sink.MaxBytes = options.MaxBytes;
        Perform(url, options, sink, nullptr);
        return body;
    }

    void Download(const std::string& url, const std::string& fileName, const THttpOptions& options,
                  const THttpProgressCallback& progress) override {
        CheckScheme(url, options);
        // The installer is run afterwards: never follow a link planted under
        // its name, and keep it private to the user.
        FileDescriptor file(
            ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0700));
        if (file.Get() < 0) {
            throw QuillError("Cannot create " + fileName + ": " + std::strerror(errno));
        }
        TransferSink sink;
        sink.File = file.Get();
        sink.FileName = fileName;
        Perform(url, options, sink, progress);
        if (file.Close() != 0) {
            throw QuillError("Cannot write " + fileName + ": " + std::strerror(errno));
        }
    }

private:
    static void CheckScheme(const std::string& url, const THttpOptions& options) {
        const bool https = AsciiStartsWithIgnoreCase(url, "https://");
        const bool http = AsciiStartsWithIgnoreCase(url, "http://");
        if (!https && !(http && options.AllowPlainHttp)) {
            throw QuillError(url + ": only " + (options.AllowPlainHttp ? "http:// and " : "") +
                             "https:// addresses are allowed.");
        }
    }

    static void Perform(const std::string& url, const THttpOptions& options, TransferSink& sink,
                        const THttpProgressCallback& progress) {
        CheckScheme(url, options);
        const bool https = AsciiStartsWithIgnoreCase(url, "https://");
        const std::string noProxy = NoProxyList();
        char errorText[CURL_ERROR_SIZE] = {};

        CurlTransfer transfer;
        transfer.Set(CURLOPT_URL, url.c_str());
        transfer.Set(CURLOPT_PROTOCOLS_STR, https ? "https" : "http,https");
        transfer.Set(CURLOPT_REDIR_PROTOCOLS_STR, https ? "https" : "http,https");
        transfer.Set(CURLOPT_FOLLOWLOCATION, 1L);
        transfer.Set(CURLOPT_MAXREDIRS, options.MaxRedirects);
        transfer.Set(CURLOPT_USERAGENT, options.UserAgent.c_str());
        transfer.Set(CURLOPT_CONNECTTIMEOUT_MS, options.ConnectTimeoutMs);
        transfer.Set(CURLOPT_TIMEOUT_MS, options.TotalTimeoutMs);
        transfer.Set(CURLOPT_LOW_SPEED_LIMIT, options.LowSpeedBytes);
        transfer.Set(CURLOPT_LOW_SPEED_TIME, options.LowSpeedSeconds);
        transfer.Set(CURLOPT_NOSIGNAL, 1L);
        // After a name look-up that timed out, let the resolver thread finish
        // on its own instead of waiting for it here.
        transfer.Set(CURLOPT_QUICK_EXIT, 1L);
        transfer.Set(CURLOPT_FAILONERROR, 1L);
        transfer.Set(CURLOPT_NOPROXY, noProxy.c_str());
        transfer.Set(CURLOPT_ERRORBUFFER, errorText);
        transfer.Set(CURLOPT_WRITEFUNCTION, &WriteBody);
        transfer.Set(CURLOPT_WRITEDATA, &sink);
        transfer.Set(CURLOPT_HEADERFUNCTION, &ReadHeader);
        transfer.Set(CURLOPT_HEADERDATA, &sink);

        const CURLcode result = transfer.Run(sink, progress);
        if (result == CURLE_OK) {
            if (progress) {
                progress(transfer.Progress(sink));
            }
            return;
        }
        std::string cause = sink.Failure;
        if (cause.empty()) {
            cause = errorText[0] != '\0' ? errorText : curl_easy_strerror(result);
        }
        throw QuillError(url + ": " + cause);
    }
};

} // namespace

std::unique_ptr<IHttpClient> MakeCurlHttpClient() {
    return std::make_unique<TCurlHttpClient>();
}

} // namespace quillmark
