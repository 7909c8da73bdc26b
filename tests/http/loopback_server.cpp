#include "http/loopback_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace zivmora::testing {
namespace {

constexpr int kPollMs = 50;
// Nothing here waits longer than this for the client.
constexpr auto kLongestWait = std::chrono::seconds(30);

int listen_on_loopback(std::uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        throw std::runtime_error("socket");
    }
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        throw std::runtime_error("bind/listen");
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool readable(int fd, const std::atomic<bool>& stopping) {
    const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
    while (!stopping && std::chrono::steady_clock::now() < deadline) {
        pollfd entry{fd, POLLIN, 0};
        if (::poll(&entry, 1, kPollMs) > 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

LoopbackServer::LoopbackServer(std::vector<ScriptedReply> replies) : replies_(std::move(replies)) {
    listener_ = listen_on_loopback(port_);
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string LoopbackServer::address(const std::string& object) const {
    return "http://127.0.0.1:" + std::to_string(port_) + object;
}

std::vector<std::string> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string LoopbackServer::response(const std::string& status, const std::string& headers,
                                     const std::string& body) {
    return "HTTP/1.0 " + status + "\r\n" + headers + "\r\n" + body;
}

void LoopbackServer::serve() {
    for (const ScriptedReply& reply : replies_) {
        if (!readable(listener_, stopping_)) {
            return;
        }
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            return;
        }
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && readable(connection, stopping_)) {
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;
            }
            request.append(buffer, static_cast<std::size_t>(got));
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        if (reply.ending == ScriptedReply::Ending::never_answer) {
            // Hold the connection open, silent, until the client gives up or the test ends.
            while (readable(connection, stopping_)) {
                if (::recv(connection, buffer, sizeof buffer, 0) <= 0) {
                    break;
                }
            }
            ::close(connection);
            continue;
        }
        std::size_t sent = 0;
        while (sent < reply.bytes.size()) {
            const ssize_t put = ::send(connection, reply.bytes.data() + sent,
                                       reply.bytes.size() - sent, MSG_NOSIGNAL);
            if (put <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(put);
        }
        if (reply.ending == ScriptedReply::Ending::reset) {
            // Let the client take what was sent before the reset throws it away.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const linger abortive{1, 0};  // close with RST instead of FIN
            ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        } else {
            ::shutdown(connection, SHUT_WR);
        }
        ::close(connection);
    }
}

std::uint16_t unused_loopback_port() {
    std::uint16_t port = 0;
    const int fd = listen_on_loopback(port);
    ::close(fd);
    return port;
}

}  // namespace zivmora::testing
