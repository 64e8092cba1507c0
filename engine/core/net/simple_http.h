// TSimpleHttp: one HTTP(S) request at a time, composed by the caller and sent on a worker thread
// of its own; the caller polls the state. The request's record is shared by the caller and the
// worker and freed by whichever lets go last, so dropping a running request is safe.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"

class TSimpleHttp {
public:
    enum State : int { kRunning = 0, kResponse = 1, kFailed = 2, kFileFailed = 3 };
    // Bit value 1 of Send's word relaxes HTTPS certificate checks.
    static constexpr int kRelaxCertificates = 1;

    TSimpleHttp() = default;
    virtual ~TSimpleHttp();
    TSimpleHttp(const TSimpleHttp&) = delete;
    TSimpleHttp& operator=(const TSimpleHttp&) = delete;

    // Starts composing a request (dropping any previous one); a download path keeps the
    // response in that file (through the file layer) instead of memory. The file is replaced only
    // by a complete response; a download that fails or is dropped leaves it as it was.
    void Begin(const TString& url, bool post, const TString& downloadPath = TString());
    // Appends "key=value" (the value form-encoded), with '&' before every pair but the first.
    void AddParameter(const TString& key, const TString& value);
    void AddParameterInt(const TString& key, int value);
    void Send(int word = 0);

    // Cancels every request still running and waits for its worker. Called when the game has ended,
    // before the log and the file layer go, so that no worker outlives them.
    static void StopAll();

    int GetState() const;                // kFailed when nothing was sent
    const char* GetResponse() const;     // the NUL-terminated response once the state is kResponse
    size_t GetResponseLength() const;

    struct Record;

private:
    void Drop();

    TString url_;
    TString downloadPath_;
    TString parameters_;
    bool post_ = false;
    std::shared_ptr<Record> record_;
};
