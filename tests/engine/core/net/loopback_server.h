// A one-request-at-a-time HTTP server on 127.0.0.1 for tests: records each request and answers
// with a fixed body once released. Every wait is bounded.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackServer {
public:
    explicit LoopbackServer(std::string body) : body_(std::move(body)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 4);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }

    ~LoopbackServer() {
        stop_ = true;
        release_ = true;
        thread_.join();
        close(listener_);
    }

    std::string Url(const std::string& path = "/") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    // Holds answers back until Release (to observe the running state).
    void HoldAnswers() { release_ = false; }
    void Release() { release_ = true; }
    // Answers announce this many bytes more than they carry: the transfer ends cut short.
    void CutAnswers(size_t missing) { missing_ = missing; }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    static bool WaitReadable(int fd, int milliseconds) {
        pollfd entry{fd, POLLIN, 0};
        return poll(&entry, 1, milliseconds) == 1;
    }

    void Serve() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            if (!WaitReadable(listener_, 50)) continue;
            int client = accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            Answer(client, deadline);
            close(client);
        }
    }

    void Answer(int client, std::chrono::steady_clock::time_point deadline) {
        std::string request;
        char buffer[4096];
        size_t headerEnd = std::string::npos;
        size_t wanted = 0;
        while (std::chrono::steady_clock::now() < deadline && WaitReadable(client, 2000)) {
            ssize_t got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, static_cast<size_t>(got));
            if (headerEnd == std::string::npos && (headerEnd = request.find("\r\n\r\n")) != std::string::npos) {
                size_t at = request.find("Content-Length: ");
                wanted = headerEnd + 4 + (at < headerEnd ? std::stoul(request.substr(at + 16)) : 0);
            }
            if (headerEnd != std::string::npos && request.size() >= wanted) break;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
        }
        while (!release_ && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::string answer = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body_.size() + missing_) +
                             "\r\nConnection: close\r\n\r\n" + body_;
        send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
    }

    std::string body_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> release_{true};
    std::atomic<size_t> missing_{0};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
