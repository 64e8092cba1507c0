// An HTTPS server on 127.0.0.1 for tests, with a self-signed certificate for "127.0.0.1" made when it
// starts: a client that verifies certificates must refuse it, a relaxed one reaches the fixed body.
// Each connection gets one answer; every wait is bounded.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class TlsLoopbackServer {
public:
    explicit TlsLoopbackServer(std::string body) : body_(std::move(body)) {
        signal(SIGPIPE, SIG_IGN);  // a client that hangs up must not end the test process
        context_ = SSL_CTX_new(TLS_server_method());
        EVP_PKEY* key = EVP_EC_gen("P-256");
        X509* certificate = SelfSigned(key);
        SSL_CTX_use_certificate(context_, certificate);
        SSL_CTX_use_PrivateKey(context_, key);
        X509_free(certificate);
        EVP_PKEY_free(key);

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

    ~TlsLoopbackServer() {
        stop_ = true;
        thread_.join();
        close(listener_);
        SSL_CTX_free(context_);
    }

    std::string Url() const { return "https://127.0.0.1:" + std::to_string(port_) + "/"; }
    // Connections whose handshake completed.
    int Handshakes() const { return handshakes_; }

private:
    static X509* SelfSigned(EVP_PKEY* key) {
        X509* certificate = X509_new();
        X509_set_version(certificate, 2);
        ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
        X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
        X509_gmtime_adj(X509_getm_notAfter(certificate), 3600);
        X509_set_pubkey(certificate, key);
        X509_NAME* name = X509_get_subject_name(certificate);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1,
                                   -1, 0);
        X509_set_issuer_name(certificate, name);
        X509V3_CTX extensions;
        X509V3_set_ctx_nodb(&extensions);
        X509V3_set_ctx(&extensions, certificate, certificate, nullptr, nullptr, 0);
        X509_EXTENSION* altName = X509V3_EXT_conf_nid(nullptr, &extensions, NID_subject_alt_name, "IP:127.0.0.1");
        X509_add_ext(certificate, altName, -1);
        X509_EXTENSION_free(altName);
        X509_sign(certificate, key, EVP_sha256());
        return certificate;
    }

    void Serve() {
        for (int idle = 0; !stop_ && idle < 400; ++idle) {  // gives up after about 20 s without a client
            pollfd entry{listener_, POLLIN, 0};
            if (poll(&entry, 1, 50) != 1) continue;
            int client = accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            timeval limit{5, 0};
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
            Answer(client);
            close(client);
            idle = 0;
        }
    }

    void Answer(int client) {
        SSL* tls = SSL_new(context_);
        SSL_set_fd(tls, client);
        if (SSL_accept(tls) == 1) {
            ++handshakes_;
            std::string request;
            char buffer[4096];
            int got;
            while (request.find("\r\n\r\n") == std::string::npos && (got = SSL_read(tls, buffer, sizeof buffer)) > 0)
                request.append(buffer, static_cast<size_t>(got));
            std::string answer = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body_.size()) +
                                 "\r\nConnection: close\r\n\r\n" + body_;
            SSL_write(tls, answer.data(), static_cast<int>(answer.size()));
            SSL_shutdown(tls);
        }
        SSL_free(tls);
    }

    std::string body_;
    SSL_CTX* context_ = nullptr;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> handshakes_{0};
    std::thread thread_;
};
