#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillmark::testing {

// What the server answers for one path.
struct TCannedResponse {
    int Status = 200;
    std::string Body;
    std::string Location; // sent as a Location header (redirects)
    bool Chunked = false; // chunked transfer encoding instead of Content-Length
    size_t ChunkSize = 1000;
    int ChunkDelayMs = 0;     // pause before each chunk after the first
    bool NeverAnswer = false; // read the request, then say nothing
    // Announce the whole body but send only this many bytes of it, then
    // wait, or close the connection.
    std::optional<size_t> StallAfterBytes;
    std::optional<size_t> CloseAfterBytes;
};

inline TCannedResponse Reply(int status, std::string body) {
    TCannedResponse response;
    response.Status = status;
    response.Body = std::move(body);
    return response;
}

inline TCannedResponse RedirectTo(std::string location) {
    TCannedResponse response = Reply(302, "");
    response.Location = std::move(location);
    return response;
}

inline TCannedResponse ChunkedReply(std::string body, size_t chunkSize, int delayMs = 0) {
    TCannedResponse response = Reply(200, std::move(body));
    response.Chunked = true;
    response.ChunkSize = chunkSize;
    response.ChunkDelayMs = delayMs;
    return response;
}

inline TCannedResponse NoReply() {
    TCannedResponse response;
    response.NeverAnswer = true;
    return response;
}

inline TCannedResponse StalledReply(std::string body, size_t sentBytes) {
    TCannedResponse response = Reply(200, std::move(body));
    response.StallAfterBytes = sentBytes;
    return response;
}

inline TCannedResponse TruncatedReply(std::string body, size_t sentBytes) {
    TCannedResponse response = Reply(200, std::move(body));
    response.CloseAfterBytes = sentBytes;
    return response;
}

struct TRecordedRequest {
    std::string Path;
    std::string UserAgent;
};

// A small HTTP/1.1 server on 127.0.0.1 with a port of the system's choice,
// answering one connection at a time from a table of canned responses (404
// for a path not in it) and closing each connection after its answer. A
// stalled answer holds its connection until the client gives up or the
// server is destroyed.
class LocalHttpServer {
public:
    LocalHttpServer() {
        if (::pipe(wake_) != 0) {
            throw std::runtime_error("pipe failed");
        }
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = LoopbackAddress(0);
        if (listener_ < 0 || ::bind(listener_, Cast(&address), sizeof address) != 0 ||
            ::listen(listener_, 8) != 0) {
            throw std::runtime_error("cannot listen on 127.0.0.1");
        }
        socklen_t length = sizeof address;
        ::getsockname(listener_, Cast(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { AcceptLoop(); });
    }

    ~LocalHttpServer() {
        const char stop = 's';
        [[maybe_unused]] const ssize_t ignored = ::write(wake_[1], &stop, 1);
        thread_.join();
        ::close(listener_);
        ::close(wake_[0]);
        ::close(wake_[1]);
    }

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // `path` starts with "/".
    void Serve(const std::string& path, TCannedResponse response) {
        std::lock_guard lock(mutex_);
        responses_[path] = std::move(response);
    }

    // "http://127.0.0.1:<port>/"
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

    std::vector<TRecordedRequest> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    // A loopback port on which nothing listens (it was free a moment ago).
    static int UnusedPort() {
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = LoopbackAddress(0);
        socklen_t length = sizeof address;
        ::bind(probe, Cast(&address), sizeof address);
        ::getsockname(probe, Cast(&address), &length);
        ::close(probe);
        return ntohs(address.sin_port);
    }

private:
    static sockaddr_in LoopbackAddress(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }
    static sockaddr* Cast(sockaddr_in* address) { return reinterpret_cast<sockaddr*>(address); }

    // Waits until `fd` is readable; false when the server is being stopped.
    bool WaitReadable(int fd) const {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        while (::poll(fds, 2, -1) < 0) {
        }
        return (fds[1].revents & POLLIN) == 0;
    }

    void AcceptLoop() {
        while (WaitReadable(listener_)) {
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                HandleConnection(client);
                ::close(client);
            }
        }
    }

    // Holds the connection until the client closes it or the server stops.
    void Stall(int client) const {
        char buffer[256];
        while (WaitReadable(client) && ::recv(client, buffer, sizeof buffer, 0) > 0) {
        }
    }

    void HandleConnection(int client) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            if (!WaitReadable(client)) {
                return;
            }
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return;
            }
            request.append(buffer, static_cast<size_t>(n));
        }
        const TRecordedRequest recorded = Parse(request);
        TCannedResponse response;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(recorded);
            const auto found = responses_.find(recorded.Path);
            response = found != responses_.end() ? found->second : Reply(404, "Not found");
        }
        if (response.NeverAnswer) {
            Stall(client);
            return;
        }
        std::string head = "HTTP/1.1 " + std::to_string(response.Status) + " " +
                           (response.Status < 400 ? "OK" : "Error") + "\r\n";
        head += "Content-Type: text/html; charset=utf-8\r\nConnection: close\r\n";
        if (!response.Location.empty()) {
            head += "Location: " + response.Location + "\r\n";
        }
        head += response.Chunked
                    ? std::string("Transfer-Encoding: chunked\r\n")
                    : "Content-Length: " + std::to_string(response.Body.size()) + "\r\n";
        Send(client, head + "\r\n");
        if (response.Chunked) {
            for (size_t at = 0; at < response.Body.size(); at += response.ChunkSize) {
                if (at > 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(response.ChunkDelayMs));
                }
                const std::string chunk = response.Body.substr(at, response.ChunkSize);
                char size[32];
                std::snprintf(size, sizeof size, "%zx\r\n", chunk.size());
                if (!Send(client, size + chunk + "\r\n")) {
                    return;
                }
            }
            Send(client, "0\r\n\r\n");
        } else if (response.StallAfterBytes) {
            Send(client, response.Body.substr(0, *response.StallAfterBytes));
            Stall(client);
        } else if (response.CloseAfterBytes) {
            Send(client, response.Body.substr(0, *response.CloseAfterBytes));
        } else {
            Send(client, response.Body);
        }
    }

    // False when the client has gone.
    static bool Send(int client, const std::string& data) {
        for (size_t sent = 0; sent < data.size();) {
            const ssize_t n = ::send(client, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                return false;
            }
            sent += static_cast<size_t>(n);
        }
        return true;
    }

    static TRecordedRequest Parse(const std::string& request) {
        TRecordedRequest recorded;
        const size_t pathStart = request.find(' ') + 1;
        recorded.Path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
        const std::string marker = "\r\nUser-Agent: ";
        const size_t agent = request.find(marker);
        if (agent != std::string::npos) {
            const size_t start = agent + marker.size();
            recorded.UserAgent = request.substr(start, request.find("\r\n", start) - start);
        }
        return recorded;
    }

    int listener_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, TCannedResponse> responses_;
    std::vector<TRecordedRequest> requests_;
};

} // namespace quillmark::testing
