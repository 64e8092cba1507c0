// Messages as script values. A script message is a pointer box holding a TMessage that the box owns
// (the collector deletes it); scripts read its "type" and "name". A script message a script posts
// travels through the window system inside a TLuaMessageWrapper, which keeps the script's object
// alive and hands the very same object back if the message returns to the scripts.
#pragma once

#include "engine/scripthost/script_refs.h"
#include "engine/ui/message.h"

struct lua_State;

// Creates the shared metatable of script messages (once per state).
void InstallScriptMessages(lua_State* L);
// Pushes the message as a script message; the script owns it from then on.
void PushScriptMessage(lua_State* L, TMessage* message);
// The message of the script message at index; null for nil and for any other value.
TMessage* ToScriptMessage(lua_State* L, int index);

class TLuaMessageWrapper : public TMessage {
public:
    // Takes the script message on top of the stack (popping it); copies its type, name and target.
    explicit TLuaMessageWrapper(lua_State* L);

    static TClassId ClassId();
    const char* GetClassName() const override { return "TLuaMessageWrapper"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TMessage::IsKindOf(id); }

    // Pushes the script message this one stands for.
    void PushScriptValue() const { held_.Push(); }

private:
    TLuaMessageWrapper(lua_State* L, TMessage* original);

    TLuaMessage held_;
};
