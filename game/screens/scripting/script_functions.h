// ScriptFunctions: the script functions one game window offers, published as globals of the window
// system's script. Every function reaches its window through this handle only: Unbind (called by the
// window's destructor, and by the handle's own) cuts them all at once, so a later call, through the
// global or through a copy a script kept, does nothing and answers nil (0 or false where the
// function answers a number or a boolean). A name that a newer window bound meanwhile stays that
// window's: the newest binding of a name wins.
//
//     class clsYesNo : public clsPanelDialog {
//         ScriptFunctions functions_;
//     };
//     clsYesNo::clsYesNo() { functions_.Bind("setBorderFx", this, &clsYesNo::SetBorderFx); }
//     clsYesNo::~clsYesNo() { functions_.Unbind(); }
#pragma once

#include <optional>

#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_target.h"

class TScript;
struct lua_State;

// The window manager's script; null when there is no window manager or it has no script.
TScript* WindowManagerScript();

class ScriptFunctions {
public:
    // Binds into the window manager's script (nothing is bound without one).
    ScriptFunctions();
    // Binds into L (null: nothing is bound).
    explicit ScriptFunctions(lua_State* L);
    ~ScriptFunctions() { Unbind(); }
    ScriptFunctions(const ScriptFunctions&) = delete;
    ScriptFunctions& operator=(const ScriptFunctions&) = delete;

    // Publishes object->method as the global script function name, alive until Unbind.
    template <class Object, class Method>
    void Bind(const char* name, Object* object, Method method) {
        if (state_ && lifetime_) BindMemberFor(state_, name, *lifetime_, object, method);
    }
    // Cuts every function bound through this handle; binding again is not possible afterwards.
    void Unbind() { lifetime_.reset(); }
    bool IsBound() const { return lifetime_.has_value(); }

private:
    struct Lifetime : TScriptTarget {};

    lua_State* state_;
    std::optional<Lifetime> lifetime_;
};
