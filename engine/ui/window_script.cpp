#include "engine/ui/window_script.h"

#include "engine/core/base/log.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/scripthost/lua_literal.h"
#include "engine/scripthost/script_refs.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/screen_init.h"
#include "engine/ui/script_message.h"
#include "engine/ui/slider.h"
#include "engine/ui/text.h"
#include "engine/ui/text_edit.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"

namespace {

void SetGlobalFromTop(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_insert(L, -2);
    lua_settable(L, LUA_GLOBALSINDEX);
}

}  // namespace

TWindowScript::TWindowScript() {
    BindFunctions();
    RegisterWindowType("Slider", &TSlider::Create);
    RegisterWindowType("Bitmap", &TImage::Create);
    RegisterWindowType("Button", &TButton::Create);
    RegisterWindowType("Text", &TText::Create);
    RegisterWindowType("TextEdit", &TTextEdit::Create);
    RegisterWindowType("Window", &TWindow::Create);
    InstallScriptMessages(GetState());
    TLuaStackGuard guard(GetState());
    if (lua_dobuffer(GetState(), reinterpret_cast<const char*>(kScreenInitData), kScreenInitSize, "gScreenInit") != 0)
        LogPrintf("gScreenInit failed to run");
}

TWindowScript::~TWindowScript() {
    StopMovie();
    // Runs the collector over everything unreachable: script messages delete their messages.
    if (GetState()) lua_setgcthreshold(GetState(), 0);
}

bool TWindowScript::SetStringTableMode(bool on) {
    bool previous = stringTableMode_;
    stringTableMode_ = on;
    return previous;
}

void TWindowScript::ResetWindowStack(TWindow* window) {
    windows_.clear();
    if (window) windows_.push_back(window);
}

void TWindowScript::PushWindow(TWindow* window) {
    windows_.push_back(window);
}

void TWindowScript::PopWindow() {
    if (windows_.size() > 1) windows_.pop_back();
}

void TWindowScript::RegisterWindowType(const TString& name, TWindowFactory factory) {
    TString literal = LuaStringLiteral(name);
    TString text = TString::Format(
        "function %s( table )\tCreating( %s, table );\ttable.typename=%s;\n\treturn function() DoWindow( table ) end end;",
        name.CStr(), literal.CStr(), literal.CStr());
    TScript::DoLuaString(text);
    types_[name] = factory;
}

// Messages and commands -----------------------------------------------------------------------

bool TWindowScript::QueueMessage(TMessage* message, bool) {
    return Deliver(message, nullptr);
}

bool TWindowScript::QueueCommand(TMessage* message, const TLuaFunction& function) {
    return Deliver(message, &function);
}

// Taken messages belong to the scripts from here on; a wrapper that stood for a script message is
// done with once that script message is handed back.
void TWindowScript::PushMessage(TMessage* message) {
    lua_State* L = GetState();
    if (message->IsKindOf(TLuaMessageWrapper::ClassId())) {
        static_cast<TLuaMessageWrapper*>(message)->PushScriptValue();
        delete message;
    } else {
        PushScriptMessage(L, message);
    }
}

bool TWindowScript::Deliver(TMessage* message, const TLuaFunction* command) {
    lua_State* L = GetState();
    TLuaStackGuard guard(L);
    if (IsYielded()) {
        if (waitState_ != kWaiting) {
            if (command) command->CallNow();
            return false;
        }
        PushMessage(message ? message : new TMessage(kCommandOnly, TString()));
        if (command) command->Push();
        if (ResumeWith(command ? 2 : 1) != 0) waitState_ = kResumeFailed;
        return true;
    }
    if (message) {
        PushMessage(message);
        SetGlobalFromTop(L, "gMessageToQueue");
        TScript::DoLuaString("table.insert(gMessageQueue,gMessageToQueue); gMessageToQueue=nil;");
    }
    if (command) {
        command->Push();
        SetGlobalFromTop(L, "gMessageCommand");
        TScript::DoLuaString("table.insert(gCommandQueue,gMessageCommand); gMessageCommand=nil;");
    }
    return true;
}

int TWindowScript::ResumeWith(int valueCount) {
    waitState_ = kNotWaiting;
    return Resume(valueCount);
}

bool TWindowScript::Animate() {
    if (ResumeWith(0) != 0 || !IsYielded()) Unschedule();
    return true;
}

// A call made while the script waits runs inside the waiting script, which answers its result
// through its next suspension. Suspended anywhere else, the caller runs it directly.
bool TWindowScript::DeliverCall() {
    if (waitState_ != kWaiting) return TScript::DeliverCall();
    lua_State* L = GetState();
    lua_pushnil(L);
    lua_insert(L, -2);
    return ResumeWith(2) == 0;
}

int TWindowScript::HandleGetMessage(lua_State* L) {
    if (lua_gettop(L) == 1 && lua_type(L, 1) == LUA_TNUMBER) {
        double ms = lua_tonumber(L, 1);
        uint32_t delay = ms > 0 ? static_cast<uint32_t>(ms) : 0;
        Schedule(delay, true, true, false);
    } else {
        Unschedule();
    }
    waitState_ = kWaiting;
    lua_pushstring(L, "gYieldResult");
    lua_gettable(L, LUA_GLOBALSINDEX);
    return lua_yield(L, 1);
}

int TWindowScript::CreateNamedMessage(lua_State* L) {
    int type = static_cast<int>(lua_tonumber(L, 1));
    PushScriptMessage(L, new TMessage(type, GetLuaString(L, 2)));
    return 1;
}

int TWindowScript::CreateCloseMessage(lua_State* L) {
    PushScriptMessage(L, new TMessage(kCloseWindow, FormatWindowId(GetCurrentWindow())));
    return 1;
}

int TWindowScript::PostMessage(lua_State* L) {
    if (!ToScriptMessage(L, 1) || !Manager()) return 0;
    lua_pushvalue(L, 1);
    Manager()->PostMessage(new TLuaMessageWrapper(L));
    return 0;
}

int TWindowScript::PostMessageToParent(lua_State* L) {
    if (!ToScriptMessage(L, 1) || !Manager()) return 0;
    lua_pushvalue(L, 1);
    auto* wrapper = new TLuaMessageWrapper(L);
    TWindow* top = TopModal();
    wrapper->SetTarget(top ? top->GetParent() : nullptr);
    Manager()->PostMessage(wrapper);
    return 0;
}

// Window creation -----------------------------------------------------------------------------

int TWindowScript::GenericCreate(lua_State* L) {
    if (lua_gettop(L) == 0) return 0;
    lua_pushvalue(L, lua_gettop(L));
    TLuaTable table(L);
    TWindowStyle style(&table);
    auto type = types_.find(style.GetString("typename", ""));
    if (type == types_.end()) return 0;
    TWindow* window = CallWindowCreator(type->second);
    if (!window) return 0;
    table.Push();
    CreateFromStyle(window);
    return 0;
}

bool TWindowScript::CreateFromStyle(TWindow* window) {
    lua_State* L = GetState();
    TLuaTable table(L);
    TWindow* parent = GetCurrentWindow();
    if (!parent || !parent->AddChild(window, true)) {
        delete window;
        return false;
    }
    TWindowStyle style(&table);
    window->Init(style);
    PushWindow(window);
    TScript::DoLuaString(TString::Format("gDialogWidth = %d; gDialogHeight= %d ;", window->GetWidth(),
                                         window->GetHeight()));
    if (listener_) listener_->OnWindowCreated(window, style);
    return true;
}
