// HttpPerform over libcurl: one easy handle per request, nothing shared between requests.
#include <curl/curl.h>

#include <mutex>

#include "platform/http/http.h"

namespace platform {

namespace {

constexpr long kConnectTimeoutSeconds = 30;
constexpr long kMaxRedirects = 10;

struct Transfer {
    const HttpSink* sink;
    const std::atomic<bool>* cancel;
    bool stopped = false;
};

size_t OnData(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->cancel->load(std::memory_order_acquire) || !(*transfer->sink)(data, size * count)) {
        transfer->stopped = true;
        return 0;
    }
    return size * count;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->cancel->load(std::memory_order_acquire) ? 1 : 0;
}

void InitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpOutcome HttpPerform(const HttpRequest& request, const HttpSink& sink, const std::atomic<bool>& cancel) {
    InitOnce();
    HttpOutcome outcome;
    CURL* curl = curl_easy_init();
    if (!curl) {
        outcome.error = CURLE_FAILED_INIT;
        outcome.message = curl_easy_strerror(CURLE_FAILED_INIT);
        return outcome;
    }
    Transfer transfer{&sink, &cancel};
    curl_slist* headers = curl_slist_append(nullptr, "Pragma: no-cache");
    if (request.post) headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "qvlib");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, request.timeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, request.verifyCertificates ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, request.verifyCertificates ? 2L : 0L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    if (request.post) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.body.size()));
    }

    CURLcode result = curl_easy_perform(curl);
    outcome.ok = result == CURLE_OK;
    outcome.cancelled = cancel.load(std::memory_order_acquire) || transfer.stopped;
    outcome.error = result;
    if (!outcome.ok) outcome.message = curl_easy_strerror(result);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return outcome;
}

std::string FormEncode(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '.' || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace platform
