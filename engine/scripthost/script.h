// TScript: the script host. Owns one script state (or one coroutine thread of a shared state), opens
// the standard libraries with the support globals, runs script files, text and functions protected,
// and, being an animation task, resumes its suspended coroutine whenever it falls due.
//
// The coroutine is the state itself: a function that a run answers as its one result is started on
// the state and resumed on every pass of the task list while it stays suspended. While it is
// suspended no call can run on the state in the ordinary way; RunFunction then wraps the call in a
// closure and offers it to DeliverCall, which a script waiting for work overrides to resume itself
// with it. Functions called from a running script that run script text themselves run it nested.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/app/task.h"
#include "engine/core/base/tstring.h"
#include "engine/scripthost/script_stack.h"

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
    // The script that opened L's state ("_SCRIPT"), or null.
    static TScript* FromState(lua_State* L);

    // A script on a new coroutine thread of this state; the caller owns it.
    TScript* CreateThreadScript();

    // Loads the script file (compiled once, then cached) and runs it; a chunk answering a function
    // starts it as the coroutine. False for a missing file or a load or run failure.
    bool RunScript(const TString& fileName);
    // Runs script text (length -1: all of it), leaving resultCount results (0: none). Load and run
    // errors go to the log and to the script's "LuaErrorMessage" function when it has one.
    int DoLuaString(const TString& code, int length = -1, int resultCount = 0);
    // Calls the function lying below argCount arguments, protected with "_ALERT" as error handler.
    // A single result that is a function is started as the coroutine. 0 on success, else the
    // engine's error code.
    int RunFunction(int argCount, int resultCount);
    // Resumes the coroutine with the top valueCount values; logs and pops a failure's message.
    int Resume(int valueCount);
    // True while the coroutine is suspended in a yield.
    bool IsYielded() const;

    // Takes a wrapper of this state's values to delete at the next call or resume.
    void DeleteLater(TLuaObjectWrapper* wrapper);

    // Readers of the top of the stack (see script_stack.h), and globals by name.
    double PopNumber();
    TString PopString();
    TScriptColor PopColor();
    TString GetGlobalString(const char* name);
    double GetGlobalNumber(const char* name);
    void SetGlobalString(const char* name, const TString& value);

    // The search path scripts get as "LUA_PATH" for require and dofile.
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
    // Resumes the coroutine with no values; the task ends its schedule when the coroutine fails or
    // finishes.
    bool Animate() override;
    // Offered a call (a closure on top of the stack) while the coroutine is suspended. Answers true
    // when the suspended script took it and ran it; false (popping the closure) lets the caller run
    // it directly. An override takes it only while its script is waiting for calls.
    virtual bool DeliverCall();

private:
    explicit TScript(std::unique_ptr<TLuaThread> thread);
    void OpenLibraries();
    int WrapInClosure(int argCount);
    int CallProtected(int argCount, int resultCount);
    void StartCoroutine();
    void DeletePending();

    lua_State* state_;                   // null once the owner of a thread script has closed the state
    std::unique_ptr<TLuaThread> thread_;  // of a thread script: keeps its coroutine alive
    TScript* owner_ = nullptr;           // of a thread script: the script whose state holds the thread
    std::vector<TScript*> threads_;      // the live thread scripts made from this one
    std::vector<std::unique_ptr<TLuaObjectWrapper>> pendingDeletes_;
};
