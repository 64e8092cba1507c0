// One HTTP(S) request performed on the calling thread (workers call it on threads of their own).
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

struct HttpRequest {
    std::string url;
    bool post = false;
    std::string body;                // the form text of a POST
    bool verifyCertificates = true;  // HTTPS: check the server against the system's authorities
    long timeoutSeconds = 300;       // the whole request, from connecting to the last byte
};

// Receives each piece of the response body; false stops the transfer.
using HttpSink = std::function<bool(const char* data, size_t size)>;

struct HttpOutcome {
    bool ok = false;       // a response arrived (whatever its status)
    bool cancelled = false;
    int error = 0;         // the transport's error code when not ok
    std::string message;   // its text
};

// Sends the request with the agent "qvlib" and no caching; stops early once cancel is set or the
// request's time is up.
HttpOutcome HttpPerform(const HttpRequest& request, const HttpSink& sink, const std::atomic<bool>& cancel);

// Form encoding: every byte outside A-Z a-z 0-9 - . _ ~ as %XX.
std::string FormEncode(std::string_view text);

}  // namespace platform
