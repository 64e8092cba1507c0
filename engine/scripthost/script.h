// TScript: the script host. Owns one script state (or one coroutine thread of a shared state), opens
// the standard libraries with the support globals, runs script text and functions protected, and,
// being an animation task, resumes its suspended coroutine whenever it falls due.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/app/task.h"
#include "engine/core/base/tstring.h"

struct lua_State;
class TLuaObjectWrapper;
class TLuaThread;

class TScript : public TAnimTask {
public:
    // Opens a fresh state and stores this object in it as "_SCRIPT".
    TScript();
    ~TScript() override;
    TScript(const TScript&) = delete;
    TScript& operator=(const TScript&) = delete;

    lua_State* GetState() const { return state_; }

    // A script on a new coroutine thread of this state; the caller owns it.
    TScript* CreateThreadScript();

    // Calls the function lying below argCount arguments, protected with "_ALERT" as error handler.
    // A single result that is a function is started as this script's coroutine. 0 on success, else
    // the engine's error code.
    int RunFunction(int argCount, int resultCount);
    // Resumes the coroutine with the top valueCount values; logs and pops a failure's message.
    int Resume(int valueCount);
    // True while the coroutine is suspended in a yield.
    bool IsYielded() const;
    // Runs script text (length -1: all of it); errors go to the log and to "LuaErrorMessage".
    int DoLuaString(const TString& code, int length = -1, int resultCount = 0);

    // Takes a wrapper of this state's values to delete at the next call or resume.
    void DeleteLater(TLuaObjectWrapper* wrapper);

    double PopNumber();
    TString PopString();

    // The search path the next DoLuaString hands scripts as "LUA_PATH".
    static const TString& GetSearchPath();
    static void SetSearchPath(const TString& path);

    // Deletes the script, or, while any script is being run or resumed (it may be that very one),
    // as soon as the outermost run has returned.
    static void Dispose(TScript* script);

    // Marks a stretch in which script code runs; scripts disposed meanwhile are deleted at its end.
    class RunScope {
    public:
        RunScope();
        ~RunScope();
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;
    };

    bool Run() override;

protected:
    bool Animate() override;

private:
    explicit TScript(std::unique_ptr<TLuaThread> thread);
    void OpenLibraries();
    void StartCoroutine();
    void DeletePending();

    lua_State* state_;                   // null once the owner of a thread script has closed the state
    std::unique_ptr<TLuaThread> thread_;  // of a thread script: keeps its coroutine alive
    TScript* owner_ = nullptr;           // of a thread script: the script whose state holds the thread
    std::vector<TScript*> threads_;      // the live thread scripts made from this one
    std::vector<std::unique_ptr<TLuaObjectWrapper>> pendingDeletes_;
};
