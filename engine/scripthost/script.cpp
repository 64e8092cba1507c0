#include "engine/scripthost/script.h"

#include <cstring>
#include <vector>

#include "engine/core/base/log.h"
#include "engine/core/files/file.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/lualib.h"
#include "engine/scripthost/file_reader.h"
#include "engine/scripthost/script_code.h"
#include "engine/scripthost/script_refs.h"
#include "engine/scripthost/script_support.h"
#include "engine/scripthost/script_yield.h"
#include "engine/scripthost/scripthost_state.h"

namespace {

void SetGlobal(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_insert(L, -2);
    lua_settable(L, LUA_GLOBALSINDEX);
}

void PushGlobal(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_gettable(L, LUA_GLOBALSINDEX);
}

// Remembers the stack top and puts it back later, unless a coroutine has started or resumed
// meanwhile: its frame owns the stack then, and the old top means nothing there.
class TTopKeeper {
public:
    explicit TTopKeeper(lua_State* L) : state_(L), frame_(FrameBase(L)), top_(lua_gettop(L)) {}
    void Restore() const {
        if (FrameBase(state_) == frame_) lua_settop(state_, top_);
    }

private:
    lua_State* state_;
    ptrdiff_t frame_;
    int top_;
};

}  // namespace

TScript::RunScope::RunScope() {
    ++GetScriptHostState().runDepth;
}

TScript::RunScope::~RunScope() {
    ScriptHostState& state = GetScriptHostState();
    if (--state.runDepth > 0) return;
    // Deleting may dispose of further scripts: take the list first.
    while (!state.disposed.empty()) {
        std::vector<TScript*> now;
        now.swap(state.disposed);
        for (TScript* script : now) delete script;
    }
}

void TScript::Dispose(TScript* script) {
    if (!script) return;
    ScriptHostState& state = GetScriptHostState();
    if (state.runDepth > 0) {
        state.disposed.push_back(script);
    } else {
        delete script;
    }
}

const TString& TScript::GetSearchPath() {
    return GetScriptHostState().searchPath;
}

void TScript::SetSearchPath(const TString& path) {
    GetScriptHostState().searchPath = path;
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

TScript* TScript::FromState(lua_State* L) {
    PushGlobal(L, "_SCRIPT");
    auto* script = static_cast<TScript*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return script;
}

void TScript::OpenLibraries() {
    luaopen_base(state_);
    lua_settop(state_, 0);
    luaopen_string(state_);
    lua_settop(state_, 0);
    luaopen_table(state_);
    lua_settop(state_, 0);
    OpenSupportGlobals(state_);
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

bool TScript::RunScript(const TString& fileName) {
    TTopKeeper top(state_);
    if (fileName.IsEmpty() || !FileExists(fileName)) return false;
    TString error;
    std::shared_ptr<TScriptCode> code = TScriptCode::Get(fileName, GetSearchPath(), &error);
    int status = LUA_ERRFILE;
    if (code) {
        status = luaL_loadbuffer(state_, code->GetBytes(), code->GetSize(), fileName.CStr());
        if (status != 0 && error.IsEmpty()) error = GetLuaString(state_, -1);
    }
    if (status != 0) {
        PushGlobal(state_, "_ALERT");
        lua_pushstring(state_, error.CStr());
        lua_pcall(state_, 1, 0, 0);
        top.Restore();
        return false;
    }
    status = RunFunction(0, 1);
    if (status != 0) LogPrintf("Failed to run script %s: %d", fileName.CStr(), status);
    top.Restore();
    return status == 0;
}

int TScript::DoLuaString(const TString& code, int length, int resultCount) {
    TTopKeeper top(state_);
    lua_pushstring(state_, "LUA_PATH");
    lua_pushstring(state_, GetSearchPath().CStr());
    lua_settable(state_, LUA_GLOBALSINDEX);

    size_t size = length < 0 ? std::strlen(code.CStr()) : static_cast<size_t>(length);
    const char* phase = "parsing";
    int status = luaL_loadbuffer(state_, code.CStr(), size, code.CStr());
    if (status == 0) {
        phase = "running";
        status = RunFunction(0, resultCount == 0 ? 1 : resultCount);
        if (status == 0) {
            if (resultCount == 0) top.Restore();
            return 0;
        }
    }
    if (lua_isstring(state_, -1)) {
        TString text = TString::Format("Lua Error: %s\n\twhen %s", lua_tostring(state_, -1), phase);
        LogPrintf("DoLuaString %s %s", text.CStr(), code.CStr());
        PushGlobal(state_, "LuaErrorMessage");
        if (!lua_isnil(state_, -1)) {
            lua_pushstring(state_, text.CStr());
            lua_pcall(state_, 1, 0, 0);
        }
    }
    top.Restore();
    return status;
}

int TScript::RunFunction(int argCount, int resultCount) {
    DeletePending();
    RunScope scope;
    if (IsYielded() && resultCount <= 1) {
        int status = WrapInClosure(argCount);
        if (status != 0) return status;
        TLuaFunction closure(state_);
        closure.Push();
        if (DeliverCall()) return 0;
        closure.Push();
        argCount = 0;
    }
    return CallProtected(argCount, resultCount);
}

// Replaces the function and its arguments by a closure that makes the call.
int TScript::WrapInClosure(int argCount) {
    int function = lua_gettop(state_) - argCount;
    PushGetClosure(state_);
    lua_insert(state_, function);
    return CallProtected(argCount + 1, 1);
}

int TScript::CallProtected(int argCount, int resultCount) {
    int handler = lua_gettop(state_) - argCount;
    PushGlobal(state_, "_ALERT");
    lua_insert(state_, handler);
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

bool TScript::DeliverCall() {
    lua_pop(state_, 1);
    return false;
}

// The function on top becomes the coroutine's body, resumed on every pass of the task list until
// it asks for a time-out.
void TScript::StartCoroutine() {
    if (GetDueTime() == kUnscheduled) Schedule(0, true, true, false);
    if (lua_resume(state_, 0) != 0) LogPrintf("lua_resume error: %s", DescribeValue(state_, -1).CStr());
}

int TScript::Resume(int valueCount) {
    if (!state_) return LUA_ERRRUN;  // an orphaned thread: its state is closed
    DeletePending();
    RunScope scope;
    int status = lua_resume(state_, valueCount);
    if (status != 0) {
        LogPrintf("lua_resume ERROR: %s", DescribeValue(state_, -1).CStr());
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

double TScript::PopNumber() {
    return ::PopNumber(state_);
}

TString TScript::PopString() {
    return ::PopString(state_);
}

TScriptColor TScript::PopColor() {
    return ::PopColor(state_);
}

TString TScript::GetGlobalString(const char* name) {
    PushGlobal(state_, name);
    TString value = lua_type(state_, -1) == LUA_TSTRING ? GetLuaString(state_, -1) : TString();
    lua_pop(state_, 1);
    return value;
}

double TScript::GetGlobalNumber(const char* name) {
    PushGlobal(state_, name);
    double value = lua_type(state_, -1) == LUA_TNUMBER ? lua_tonumber(state_, -1) : 0;
    lua_pop(state_, 1);
    return value;
}

void TScript::SetGlobalString(const char* name, const TString& value) {
    lua_pushstring(state_, name);
    lua_pushlstring(state_, value.CStr(), value.Length());
    lua_settable(state_, LUA_GLOBALSINDEX);
}
