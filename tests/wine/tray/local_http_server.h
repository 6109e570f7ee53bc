// A tiny HTTP server on 127.0.0.1 for the update check: every request gets
// the same file. Runs on a thread of its own until destroyed.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>

namespace tarnwick::wine {

class LocalHttpServer {
public:
    explicit LocalHttpServer(std::string body);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool listening() const { return port_ != 0; }
    // "http://127.0.0.1:PORT".
    std::wstring site() const;
    int requests() const { return requests_; }

private:
    void serve();

    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace tarnwick::wine
