#include "engine/core/net/simple_http.h"

#include <atomic>
#include <list>
#include <mutex>
#include <string>
#include <thread>

#include "engine/core/files/file_replacement.h"
#include "engine/core/base/log.h"
#include "platform/http/http.h"

struct TSimpleHttp::Record {
    platform::HttpRequest request;
    TString downloadPath;
    std::string response; // written by the worker only until the state leaves kRunning
    std::atomic<bool> cancel{false};
    std::atomic<int> state{kRunning};
};

namespace {

const char* ConnectionKind(const TSimpleHttp::Record& record) {
    if (record.request.url.rfind("https:", 0) == 0) return "HTTPS";
    return record.request.post ? "POST" : "InternetOpenUrl";
}

// A download goes to a temporary file that replaces the named one only once the whole response
// has arrived: a failed or cancelled download leaves the file as it was.
void RunWorker(const std::shared_ptr<TSimpleHttp::Record>& record) {
    TFileReplacement file;
    bool toFile = !record->downloadPath.IsEmpty();
    if (toFile && !file.Open(record->downloadPath)) {
        record->state.store(TSimpleHttp::kFileFailed, std::memory_order_release);
        return;
    }
    bool fileFailed = false;
    auto sink = [&](const char* data, size_t size) {
        if (!toFile) {
            record->response.append(data, size);
            return true;
        }
        fileFailed = !file.Write(data, static_cast<int32_t>(size));
        return !fileFailed;
    };
    platform::HttpOutcome outcome = platform::HttpPerform(record->request, sink, record->cancel);
    if (!outcome.ok && !outcome.cancelled)
        LogPrintf("Error creating connection (%s) %d", ConnectionKind(*record), outcome.error);
    if (outcome.ok && toFile && !file.Commit()) fileFailed = true;
    int state = fileFailed ? TSimpleHttp::kFileFailed : outcome.ok ? TSimpleHttp::kResponse : TSimpleHttp::kFailed;
    // The response is complete before the state says so (release; GetState acquires).
    record->state.store(state, std::memory_order_release);
}

// A worker thread with its request's record.
struct Worker {
    std::shared_ptr<TSimpleHttp::Record> record;
    std::thread thread;
};

struct HttpState {
    std::mutex workersLock;
    std::list<Worker> workers;  // started and not yet joined
    // Joined at the latest when the program exits (a thread must never be destroyed joinable).
    ~HttpState() { TSimpleHttp::StopAll(); }
};

HttpState& GetHttpState() {
    static HttpState state;
    return state;
}

bool IsFinished(const Worker& worker) {
    return worker.record->state.load(std::memory_order_acquire) != TSimpleHttp::kRunning;
}

void StartWorker(const std::shared_ptr<TSimpleHttp::Record>& record) {
    HttpState& state = GetHttpState();
    std::lock_guard<std::mutex> hold(state.workersLock);
    std::list<Worker>& workers = state.workers;
    // Workers that have finished are joined here, so the list stays as short as the requests running.
    for (auto it = workers.begin(); it != workers.end();) {
        if (!IsFinished(*it)) {
            ++it;
            continue;
        }
        it->thread.join();
        it = workers.erase(it);
    }
    workers.push_back({record, std::thread(RunWorker, record)});
}

}  // namespace

void TSimpleHttp::StopAll() {
    std::list<Worker> leaving;
    {
        HttpState& state = GetHttpState();
        std::lock_guard<std::mutex> hold(state.workersLock);
        leaving.splice(leaving.end(), state.workers);
    }
    for (Worker& worker : leaving) worker.record->cancel.store(true, std::memory_order_release);
    for (Worker& worker : leaving) worker.thread.join();
}

TSimpleHttp::~TSimpleHttp() { Drop(); }

void TSimpleHttp::Drop() {
    if (record_) record_->cancel.store(true, std::memory_order_release);
    record_.reset();
}

void TSimpleHttp::Begin(const TString& url, bool post, const TString& downloadPath) {
    Drop();
    url_ = url;
    post_ = post;
    downloadPath_ = downloadPath;
    parameters_ = TString();
}

void TSimpleHttp::AddParameter(const TString& key, const TString& value) {
    if (!parameters_.IsEmpty()) parameters_ += "&";
    parameters_ += key + "=" + platform::FormEncode(value.CStr()).c_str();
}

void TSimpleHttp::AddParameterInt(const TString& key, int value) { AddParameter(key, TString::Format("%d", value)); }

void TSimpleHttp::Send(int word) {
    Drop();
    auto record = std::make_shared<Record>();
    record->request.url = url_.CStr();
    record->request.post = post_;
    record->request.verifyCertificates = (word & kRelaxCertificates) == 0;
    if (post_) {
        record->request.body = parameters_.CStr();
    } else if (!parameters_.IsEmpty()) {
        record->request.url += record->request.url.find('?') == std::string::npos ? '?' : '&';
        record->request.url += parameters_.CStr();
    }
    record->downloadPath = downloadPath_;
    record_ = record;
    StartWorker(record);
}

int TSimpleHttp::GetState() const { return record_ ? record_->state.load(std::memory_order_acquire) : kFailed; }

const char* TSimpleHttp::GetResponse() const { return GetState() == kResponse ? record_->response.c_str() : nullptr; }

size_t TSimpleHttp::GetResponseLength() const { return GetState() == kResponse ? record_->response.size() : 0; }
