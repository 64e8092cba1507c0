#include "engine/scripthost/script.h"

#include <cstring>
#include <vector>

#include "engine/core/base/log.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/lualib.h"
#include "engine/scripthost/file_reader.h"
#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_refs.h"
#include "engine/scripthost/script_stack.h"

namespace {

TString searchPath = "assets/?;?;../?;../../?";
int runDepth = 0;
std::vector<TScript*> disposed;

// "_ALERT": the error handler of every protected call.
int ScriptAlert(lua_State* L) {
    const char* message = lua_tostring(L, -1);
    LogPrintf("Lua error: %s", message ? message : "(no message)");
    return 0;
}

int ScriptDebugOut(lua_State*) {
    return 0;
}

// "toparams": items 1..n of a table as separate results.
int ScriptToParams(lua_State* L) {
    luaL_checktype(L, 1, LUA_TTABLE);
    int n = lua_getn(L, 1);
    luaL_checkstack(L, n, "too many items");
    for (int i = 1; i <= n; ++i) lua_rawgeti(L, 1, i);
    return n;
}

void SetGlobal(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_insert(L, -2);
    lua_settable(L, LUA_GLOBALSINDEX);
}

void PushAlertBelow(lua_State* L, int index) {
    lua_pushstring(L, "_ALERT");
    lua_gettable(L, LUA_GLOBALSINDEX);
    lua_insert(L, index);
}

}  // namespace

TScript::RunScope::RunScope() {
    ++runDepth;
}

TScript::RunScope::~RunScope() {
    if (--runDepth > 0) return;
    // Deleting may dispose of further scripts: take the list first.
    while (!disposed.empty()) {
        std::vector<TScript*> now;
        now.swap(disposed);
        for (TScript* script : now) delete script;
    }
}

void TScript::Dispose(TScript* script) {
    if (!script) return;
    if (runDepth > 0) {
        disposed.push_back(script);
    } else {
        delete script;
    }
}

const TString& TScript::GetSearchPath() {
    return searchPath;
}

void TScript::SetSearchPath(const TString& path) {
    searchPath = path;
}

TScript::TScript() : state_(lua_open()) {
    Unschedule();
    lua_pushlightuserdata(state_, this);
    SetGlobal(state_, "_SCRIPT");
    InstallFileLayerReader(state_);
    OpenLibraries();
}

TScript::TScript(std::unique_ptr<TLuaThread> thread) : state_(thread->GetState()), thread_(std::move(thread)) {
    Unschedule();
}

TScript::~TScript() {
    DeletePending();
    // Thread scripts that outlive this one must not touch the closed state.
    for (TScript* thread : threads_) {
        thread->thread_.reset();
        thread->owner_ = nullptr;
        thread->state_ = nullptr;
    }
    if (owner_) {
        thread_.reset();  // the thread becomes collectable; the shared state stays open
        std::erase(owner_->threads_, this);
    } else if (state_ && !thread_) {
        lua_close(state_);
    }
}

void TScript::OpenLibraries() {
    luaopen_base(state_);
    lua_settop(state_, 0);
    luaopen_string(state_);
    lua_settop(state_, 0);
    luaopen_table(state_);
    lua_settop(state_, 0);
    lua_pushcfunction(state_, ScriptAlert);
    SetGlobal(state_, "_ALERT");
    lua_pushcfunction(state_, ScriptDebugOut);
    SetGlobal(state_, "DebugOut");
    lua_pushcfunction(state_, ScriptToParams);
    SetGlobal(state_, "toparams");
}

TScript* TScript::CreateThreadScript() {
    auto* script = new TScript(std::make_unique<TLuaThread>(state_));
    script->owner_ = this;
    threads_.push_back(script);
    return script;
}

void TScript::DeleteLater(TLuaObjectWrapper* wrapper) {
    pendingDeletes_.emplace_back(wrapper);
}

void TScript::DeletePending() {
    pendingDeletes_.clear();
}

bool TScript::IsYielded() const {
    return state_ && IsScriptYielded(state_);
}

int TScript::RunFunction(int argCount, int resultCount) {
    DeletePending();
    RunScope scope;
    int handler = lua_gettop(state_) - argCount;
    PushAlertBelow(state_, handler);
    int status = lua_pcall(state_, argCount, resultCount, handler);
    lua_remove(state_, handler);
    if (status != 0) {
        if (resultCount >= 2)
            LogPrintf("TScript::RunFunction failure. Too many return results? (%d, FAILURE CODE %d)", resultCount,
                      status);
        return status;
    }
    if (resultCount == 1 && !IsYielded() && lua_isfunction(state_, -1)) StartCoroutine();
    return 0;
}

// The function on top becomes the coroutine's body, resumed on every pass of the task list until
// it asks for a time-out.
void TScript::StartCoroutine() {
    if (GetDueTime() == kUnscheduled) Schedule(0, true, true, false);
    int status = lua_resume(state_, 0);
    if (status != 0) {
        const char* message = lua_tostring(state_, -1);
        LogPrintf("lua_resume error: %s", message ? message : "(no message)");
    }
}

int TScript::Resume(int valueCount) {
    if (!state_) return LUA_ERRRUN;  // an orphaned thread: its state is closed
    DeletePending();
    RunScope scope;
    int status = lua_resume(state_, valueCount);
    if (status != 0) {
        const char* message = lua_tostring(state_, -1);
        LogPrintf("lua_resume ERROR: %s", message ? message : "(no message)");
        lua_pop(state_, 1);
    }
    return status;
}

bool TScript::Run() {
    RunScope scope;  // the coroutine may dispose of this very task
    return TAnimTask::Run();
}

bool TScript::Animate() {
    if (Resume(0) != 0 || !IsYielded()) Unschedule();
    return true;
}

int TScript::DoLuaString(const TString& code, int length, int resultCount) {
    int top = lua_gettop(state_);
    lua_pushstring(state_, "LUA_PATH");
    lua_pushstring(state_, searchPath.CStr());
    lua_settable(state_, LUA_GLOBALSINDEX);

    size_t size = length < 0 ? std::strlen(code.CStr()) : static_cast<size_t>(length);
    const char* phase = "parsing";
    int status = luaL_loadbuffer(state_, code.CStr(), size, code.CStr());
    if (status == 0) {
        phase = "running";
        status = RunFunction(0, resultCount == 0 ? 1 : resultCount);
        if (status == 0) {
            // The one result asked for; a coroutine started from it owns the stack now.
            if (resultCount == 0 && !IsYielded()) lua_settop(state_, top);
            return 0;
        }
    }
    if (lua_isstring(state_, -1)) {
        TString text = TString::Format("Lua Error: %s\n\twhen %s", lua_tostring(state_, -1), phase);
        LogPrintf("DoLuaString %s %s", text.CStr(), code.CStr());
        lua_pushstring(state_, "LuaErrorMessage");
        lua_gettable(state_, LUA_GLOBALSINDEX);
        if (!lua_isnil(state_, -1)) {
            lua_pushstring(state_, text.CStr());
            lua_call(state_, 1, 0);
        } else {
            lua_pop(state_, 1);
        }
    }
    lua_settop(state_, top);
    return status;
}

double TScript::PopNumber() {
    return ::PopNumber(state_);
}

TString TScript::PopString() {
    return ::PopString(state_);
}
