#include "game/shop/playlog/play_log.h"

#include <memory>
#include <string_view>
#include <vector>

#include "engine/core/base/log.h"
#include "engine/core/net/simple_http.h"
#include "game/data/value_lists.h"
#include "platform/clock/clock.h"
#include "platform/http/http.h"
#include "platform/process/process.h"

namespace {

constexpr uint32_t kPollIntervalMs = 100;

struct PlayLog {
    bool enabled = false;
    std::unique_ptr<TSimpleHttp> http;
    TString testerKey;
    TString pageAddress;
    TString pageOpener = "xdg-open";
};

PlayLog& State() {
    static PlayLog log;
    return log;
}

// The request's final state; a request still running after limitMs counts as failed.
int WaitForAnswer(const TSimpleHttp& http, uint32_t limitMs) {
    int state;
    for (uint32_t waited = 0; (state = http.GetState()) == TSimpleHttp::kRunning; waited += kPollIntervalMs) {
        if (waited >= limitMs) return TSimpleHttp::kFailed;
        platform::SleepMs(kPollIntervalMs);
    }
    return state;
}

}  // namespace

void PlayLogSetup(const TString& commandLine, const TString& endpoint, const TString& pageAddress) {
    std::vector<TString> words;
    SplitStringStripBlanks(words, commandLine, ' ');
    if (words.empty()) return;
    PlayLog& log = State();
    log.testerKey = words.back();
    log.pageAddress = pageAddress;
    log.http = std::make_unique<TSimpleHttp>();
    log.http->Begin(endpoint, true);
    LogPrintf("[PLAYLOG]: setup to %s", endpoint.CStr());
    log.enabled = true;
}

void PlayLogRecord(const TString& name, int value) {
    LogPrintf("[PLAYLOG] %s: %d", name.CStr(), value);
    PlayLog& log = State();
    if (log.enabled) log.http->AddParameterInt(name, value);
}

bool PlayLogSend(uint32_t waitLimitMs) {
    PlayLog& log = State();
    if (!log.enabled) return false;
    log.http->AddParameter("license", log.testerKey);
    log.http->Send(0);  // the tester's key goes only to a server whose certificate checks out
    switch (WaitForAnswer(*log.http, waitLimitMs)) {
    case TSimpleHttp::kResponse:
        if (std::string_view(log.http->GetResponse(), log.http->GetResponseLength()).find("<Success>1</Success>") !=
            std::string_view::npos)
            LogPrintf("Successful playlog update");
        return true;
    case TSimpleHttp::kFailed:
        LogPrintf("[ERROR] NetError: usually means no connection took place");
        return false;
    case TSimpleHttp::kFileFailed:
        LogPrintf("[ERROR] FileError: could be bad URL");
        return false;
    default:
        return false;
    }
}

void PlayLogFinish() {
    PlayLog& log = State();
    if (!log.enabled) return;
    // The key comes from the command line: escaped, it stays one query value of the address.
    std::string page = std::string(log.pageAddress.CStr()) + platform::FormEncode(log.testerKey.CStr());
    if (!platform::SpawnProgram(log.pageOpener.CStr(), {page}))
        LogPrintf("[PLAYLOG] cannot start %s to open %s", log.pageOpener.CStr(), page.c_str());
    log.http.reset();
    log.enabled = false;
}

void PlayLogSetPageOpener(const TString& program) { State().pageOpener = program; }
