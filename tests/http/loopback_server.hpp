#pragma once

// A tiny HTTP server on 127.0.0.1 for the fetch tests. It takes one connection at a time,
// records the raw request bytes, and answers with scripted bytes; it can also reset the
// connection in mid-body or never answer at all.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zivmora::testing {

struct ScriptedReply {
    enum class Ending { close, reset, never_answer };
    std::string bytes;
    Ending ending = Ending::close;
};

class LoopbackServer {
public:
    explicit LoopbackServer(std::vector<ScriptedReply> replies);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string address(const std::string& object) const;
    std::vector<std::string> requests() const;

    static std::string response(const std::string& status, const std::string& headers,
                                const std::string& body);

private:
    void serve();

    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::vector<ScriptedReply> replies_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
std::uint16_t unused_loopback_port();

}  // namespace zivmora::testing
