// A handler library for the tests: appends "name=value" lines for every state it receives to the
// file named by ALEMBRIA_HANDLER_LOG, and answers "jumptomenu" queries once it saw "gameover".
#include <cstdio>
#include <cstdlib>

#include "engine/core/app/game_state.h"

namespace {

class RecordingHandler : public TGameStateHandler {
public:
    bool SetState(const TString& name, const TString& value) override {
        if (name == "gameover") sawGameOver_ = true;
        const char* path = getenv("ALEMBRIA_HANDLER_LOG");
        FILE* log = path ? fopen(path, "a") : nullptr;
        if (!log) return false;
        fprintf(log, "%s=%s\n", name.CStr(), value.CStr());
        fclose(log);
        return true;
    }
    int GetState(const TString& name, int fallback) override { return name == "answer" ? 42 : fallback; }
    bool QueryJumpToMenu() override { return sawGameOver_; }

private:
    bool sawGameOver_ = false;
};

}  // namespace

extern "C" TGameStateHandler* CreateHandler() { return new RecordingHandler; }
extern "C" void DestroyHandler(TGameStateHandler* handler) { delete handler; }
