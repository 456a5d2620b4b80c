#include "update/loopback_server.h"

#include <ws2tcpip.h>

#include <algorithm>

namespace update_wine {
namespace {

std::string readRequestPath(SOCKET client) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
        int got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        head.append(buffer, static_cast<size_t>(got));
    }
    // "GET /path HTTP/1.1"
    size_t start = head.find(' ');
    size_t end = start == std::string::npos ? start : head.find(' ', start + 1);
    if (end == std::string::npos) return {};
    return head.substr(start + 1, end - start - 1);
}

bool sendAll(SOCKET client, const char* data, size_t size) {
    while (size > 0) {
        int sent = send(client, data, static_cast<int>(std::min<size_t>(size, 65536)), 0);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

}  // namespace

LoopbackServer::LoopbackServer() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
               sizeof(reuse));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener_, 16) != 0) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
        releasedAll_ = true;
    }
    released_.notify_all();
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (acceptor_.joinable()) acceptor_.join();
    for (std::thread& t : connections_)
        t.join();
    WSACleanup();
}

void LoopbackServer::serve(const std::string& path, Answer answer) {
    std::lock_guard<std::mutex> guard(lock_);
    answers_[path] = std::move(answer);
}

void LoopbackServer::release() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        releasedAll_ = true;
    }
    released_.notify_all();
}

std::vector<std::string> LoopbackServer::requests() {
    std::lock_guard<std::mutex> guard(lock_);
    return requests_;
}

bool LoopbackServer::stalling() {
    std::lock_guard<std::mutex> guard(lock_);
    return stalled_ > 0;
}

void LoopbackServer::acceptLoop() {
    for (;;) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> guard(lock_);
        if (stopping_) {
            closesocket(client);
            return;
        }
        connections_.emplace_back([this, client] { answer(client); });
    }
}

void LoopbackServer::answer(SOCKET client) {
    const std::string path = readRequestPath(client);
    Answer a{404, "<html>not here</html>"};
    {
        std::lock_guard<std::mutex> guard(lock_);
        requests_.push_back(path);
        auto found = answers_.find(path);
        if (found != answers_.end()) a = found->second;
    }
    sendAnswer(client, a);
    shutdown(client, SD_SEND);
    closesocket(client);
}

void LoopbackServer::sendAnswer(SOCKET client, const Answer& a) {
    if (a.stall) {
        std::unique_lock<std::mutex> guard(lock_);
        ++stalled_;
        released_.wait(guard, [this] { return releasedAll_; });
        --stalled_;
        if (stopping_) return;
    }
    const std::string head = "HTTP/1.0 " + std::to_string(a.status) +
                             (a.status == 200 ? " OK" : " Error") +
                             "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                             std::to_string(a.body.size()) + "\r\nConnection: close\r\n\r\n";
    if (!sendAll(client, head.data(), head.size())) return;
    const size_t piece = a.pieceBytes ? a.pieceBytes : std::max<size_t>(a.body.size(), 1);
    for (size_t at = 0; at < a.body.size(); at += piece) {
        if (!sendAll(client, a.body.data() + at, std::min(piece, a.body.size() - at))) return;
        if (a.pauseMs) {
            std::unique_lock<std::mutex> guard(lock_);
            if (released_.wait_for(guard, std::chrono::milliseconds(a.pauseMs),
                                   [this] { return stopping_; })) {
                return;
            }
        }
    }
}

}  // namespace update_wine
