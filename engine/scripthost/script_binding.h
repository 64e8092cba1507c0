// Publishing native functions to scripts. Each published function is a global script function: a C
// closure over a small box naming its target. The adaptor that reads the arguments, calls the
// target and pushes the result is generated from the target's C++ signature, so publishing is one
// line:
//
//     BindMember(L, "SetPosition", window, &TWindow::SetPosition);   // void (TString, int, int)
//     BindFunction(L, "GetConfig", &ReadConfig);                      // TString (TString, TString)
//     BindRawMember(L, "PostMessage", manager, &TWindowManager::PostMessageFromScript);
//
// Arguments are never checked; a missing one reads as nil. By parameter type:
//   TString (or const TString&)  text; numbers are converted; anything else gives ""
//   integer types                the number truncated toward zero (0 for a non-number; clamped to the type)
//   float, double                the number (0 for a non-number)
//   bool                         false only for nil and false (0 is true)
//   TLuaTable*                   a wrapper over the argument, deleted at the script's next call or
//                                resume; reading items of a non-table raises a script error
// Results: void pushes nothing; TString a string; bool a boolean; numbers a number (unsigned values
// stay positive). Further types join by specialising TScriptValue (script_value.h).
//
// A later binding under the same name replaces the earlier one. A member function is bound to one
// object, which derives from TScriptTarget: once that object is destroyed, the function does nothing
// and answers nil, 0 or false (by its result type); a newer binding under the name is unaffected.
// Bound functions must not yield.
#pragma once

#include "engine/scripthost/script_target.h"
#include "engine/scripthost/script_value.h"

struct lua_State;

// Publishes object->method as the global script function name.
template <class Object, class Class, class Result, class... Args>
void BindMember(lua_State* L, const char* name, Object* object, Result (Class::*method)(Args...));
template <class Object, class Class, class Result, class... Args>
void BindMember(lua_State* L, const char* name, Object* object, Result (Class::*method)(Args...) const);

// Publishes object->method for as long as lifetime lives: for objects that give their script functions
// a lifetime of their own (one they can end before they die) instead of deriving from TScriptTarget.
template <class Object, class Class, class Result, class... Args>
void BindMemberFor(lua_State* L, const char* name, const TScriptTarget& lifetime, Object* object,
                   Result (Class::*method)(Args...));
template <class Object, class Class, class Result, class... Args>
void BindMemberFor(lua_State* L, const char* name, const TScriptTarget& lifetime, Object* object,
                   Result (Class::*method)(Args...) const);

// Publishes a plain function (or a lambda without captures, converted with unary +).
template <class Result, class... Args>
void BindFunction(lua_State* L, const char* name, Result (*function)(Args...));

// Publishes object->method(L) for functions that read their own arguments and answer their own
// result count (variable arguments, several results).
template <class Object, class Class>
void BindRawMember(lua_State* L, const char* name, Object* object, int (Class::*method)(lua_State*));

class TWindow;
using TWindowCreator = TWindow* (*)();

// The window a registered type's creator makes; null when the creator answers its own address (the
// type makes no object).
TWindow* CallCreator(TWindowCreator creator);

#include "engine/scripthost/script_binding_detail.h"
