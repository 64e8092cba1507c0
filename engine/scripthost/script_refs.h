// Native holders of script values. Each keeps its value in the registry of its state under the
// holder's own address, so the value lives exactly as long as the holder does. A holder must not
// outlive its state.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "engine/scripthost/script_stack.h"

struct lua_State;

// Keeps the stack top of a state and puts it back when the scope ends.
class TLuaStackGuard {
public:
    explicit TLuaStackGuard(lua_State* L);
    ~TLuaStackGuard();
    TLuaStackGuard(const TLuaStackGuard&) = delete;
    TLuaStackGuard& operator=(const TLuaStackGuard&) = delete;

private:
    lua_State* state_;
    int top_;
};

class TLuaObjectWrapper {
public:
    // Takes the value on top of the stack (popping it).
    explicit TLuaObjectWrapper(lua_State* L);
    virtual ~TLuaObjectWrapper();
    TLuaObjectWrapper(const TLuaObjectWrapper&) = delete;
    TLuaObjectWrapper& operator=(const TLuaObjectWrapper&) = delete;

    lua_State* GetState() const { return state_; }
    // Pushes the held value.
    void Push() const;
    // Hands this wrapper to the state's script ("_SCRIPT"), which deletes it at its next call or resume.
    void DeleteLater();

protected:
    lua_State* state_;
};

class TLuaFunction : public TLuaObjectWrapper {
public:
    using TLuaObjectWrapper::TLuaObjectWrapper;
    // Calls the held function protected, with no arguments and "_ALERT" as error handler; the stack is
    // left as found. Does nothing when the value is not a function.
    void CallNow();
};

// A table read by number keys, index 1 upward.
class TLuaTable : public TLuaObjectWrapper {
public:
    using Color = TScriptColor;
    using TLuaObjectWrapper::TLuaObjectWrapper;

    // Pushes item key and answers true, or pushes nothing and answers false when it is nil.
    bool PushItem(int key) const;
    // The item as text (numbers converted, other types empty), or fallback when it is nil.
    TString GetString(int key, const TString& fallback) const;
    // The item as a number (0 when not convertible), or fallback when it is nil.
    double GetNumber(int key, double fallback) const;
    // The item when it is a table, else null.
    std::unique_ptr<TLuaTable> GetTable(int key) const;
    // Items 1..4 of the sub-table at key, each defaulting to fallback's component; fallback whole when
    // the item is not a table.
    Color GetColor(int key, const Color& fallback) const;
};

// A script message, held for the native message that stands for it.
class TLuaMessage : public TLuaObjectWrapper {
public:
    using TLuaObjectWrapper::TLuaObjectWrapper;
};

// A coroutine thread of a state, kept alive while this object lives; the state stays open after it.
class TLuaThread {
public:
    explicit TLuaThread(lua_State* parent);
    virtual ~TLuaThread() = default;
    TLuaThread(const TLuaThread&) = delete;
    TLuaThread& operator=(const TLuaThread&) = delete;

    lua_State* GetState() const { return thread_; }

private:
    std::unique_ptr<TLuaObjectWrapper> anchor_;
    lua_State* thread_;
};
