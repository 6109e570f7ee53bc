#include "wine/tray/local_http_server.h"

#include <ws2tcpip.h>

namespace tarnwick::wine {

LocalHttpServer::LocalHttpServer(std::string body) : body_(std::move(body)) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // any free port
    int size = sizeof(address);
    if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener_, 4) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    if (listener_ != INVALID_SOCKET) closesocket(listener_);  // ends accept()
    if (thread_.joinable()) thread_.join();
    WSACleanup();
}

std::wstring LocalHttpServer::site() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }

void LocalHttpServer::serve() {
    for (;;) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::string request;
        char buffer[2048];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, got);
        }
        ++requests_;
        const std::string response =
            "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body_.size()) +
            "\r\nConnection: close\r\n\r\n" + body_;
        send(client, response.data(), static_cast<int>(response.size()), 0);
        shutdown(client, SD_SEND);
        closesocket(client);
    }
}

}  // namespace tarnwick::wine
