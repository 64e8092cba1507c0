// The machinery behind script_binding.h: the boxes naming the targets and the adaptors generated
// for each signature. Not for direct use.
#pragma once

#include <cstring>
#include <type_traits>
#include <utility>

#include "engine/scripthost/script_target.h"
#include "engine/scripthost/script_value.h"

namespace script_binding_detail {

template <class T>
using Value = TScriptValue<std::remove_cvref_t<T>>;

// Stores the box (plain bytes) as a new userdata on top of the stack.
template <class Box>
void PushBox(lua_State* L, const Box& box) {
    static_assert(std::is_trivially_copyable_v<Box>);
    std::memcpy(lua_newuserdata(L, sizeof box), &box, sizeof box);
}

// The box of the running closure.
template <class Box>
Box ReadBox(lua_State* L) {
    Box box;
    std::memcpy(&box, lua_touserdata(L, lua_upvalueindex(1)), sizeof box);
    return box;
}

// Makes the closure of thunk over the box on top and stores it as the global name.
void Publish(lua_State* L, const char* name, lua_CFunction thunk);

// Calls target with the arguments from stack index 1 upward and pushes its result; answers the
// number of results pushed.
template <class Result, class... Args, class Target, size_t... I>
int CallWithArguments(lua_State* L, Target&& target, std::index_sequence<I...>) {
    if constexpr (std::is_void_v<Result>) {
        target(Value<Args>::Read(L, static_cast<int>(I) + 1)...);
        return 0;
    } else {
        Value<Result>::Push(L, target(Value<Args>::Read(L, static_cast<int>(I) + 1)...));
        return 1;
    }
}

// What a function whose object is gone answers: nothing, 0, false or nil.
template <class Result>
int AnswerNothing(lua_State* L) {
    if constexpr (std::is_void_v<Result>) {
        return 0;
    } else {
        if constexpr (std::is_arithmetic_v<Result>) {
            Value<Result>::Push(L, Result{});
        } else {
            lua_pushnil(L);
        }
        return 1;
    }
}

template <class Class, class Method>
struct MemberBox {
    Class* object;
    Method method;
    TScriptTarget::Serial serial;
};

template <class Function>
struct FunctionBox {
    Function function;
};

template <class Class, class Method, class Result, class... Args>
int MemberThunk(lua_State* L) {
    auto box = ReadBox<MemberBox<Class, Method>>(L);
    if (!TScriptTarget::IsAlive(box.serial)) return AnswerNothing<Result>(L);
    auto call = [&](auto&&... args) -> Result { return (box.object->*box.method)(std::forward<decltype(args)>(args)...); };
    return CallWithArguments<Result, Args...>(L, call, std::index_sequence_for<Args...>{});
}

template <class Result, class... Args>
int FunctionThunk(lua_State* L) {
    auto box = ReadBox<FunctionBox<Result (*)(Args...)>>(L);
    return CallWithArguments<Result, Args...>(L, box.function, std::index_sequence_for<Args...>{});
}

template <class Class>
int RawMemberThunk(lua_State* L) {
    auto box = ReadBox<MemberBox<Class, int (Class::*)(lua_State*)>>(L);
    if (!TScriptTarget::IsAlive(box.serial)) return 0;
    return (box.object->*box.method)(L);
}

// The serial bindings to object keep; a null object gets one that is never alive.
template <class Object>
TScriptTarget::Serial SerialOf(const Object* object) {
    static_assert(std::is_base_of_v<TScriptTarget, Object>, "bound objects derive from TScriptTarget");
    return object ? object->GetScriptSerial() : 0;
}

template <class Class, class Method, class Result, class... Args, class Object>
void BindMemberMethod(lua_State* L, const char* name, Object* object, Method method, TScriptTarget::Serial serial) {
    PushBox(L, MemberBox<Class, Method>{object, method, serial});
    Publish(L, name, &MemberThunk<Class, Method, Result, Args...>);
}

}  // namespace script_binding_detail

template <class Object, class Class, class Result, class... Args>
void BindMember(lua_State* L, const char* name, Object* object, Result (Class::*method)(Args...)) {
    script_binding_detail::BindMemberMethod<Class, decltype(method), Result, Args...>(
        L, name, object, method, script_binding_detail::SerialOf(object));
}

template <class Object, class Class, class Result, class... Args>
void BindMember(lua_State* L, const char* name, Object* object, Result (Class::*method)(Args...) const) {
    script_binding_detail::BindMemberMethod<const Class, decltype(method), Result, Args...>(
        L, name, object, method, script_binding_detail::SerialOf(object));
}

template <class Object, class Class, class Result, class... Args>
void BindMemberFor(lua_State* L, const char* name, const TScriptTarget& lifetime, Object* object,
                   Result (Class::*method)(Args...)) {
    script_binding_detail::BindMemberMethod<Class, decltype(method), Result, Args...>(
        L, name, object, method, lifetime.GetScriptSerial());
}

template <class Object, class Class, class Result, class... Args>
void BindMemberFor(lua_State* L, const char* name, const TScriptTarget& lifetime, Object* object,
                   Result (Class::*method)(Args...) const) {
    script_binding_detail::BindMemberMethod<const Class, decltype(method), Result, Args...>(
        L, name, object, method, lifetime.GetScriptSerial());
}

template <class Result, class... Args>
void BindFunction(lua_State* L, const char* name, Result (*function)(Args...)) {
    script_binding_detail::PushBox(L, script_binding_detail::FunctionBox<Result (*)(Args...)>{function});
    script_binding_detail::Publish(L, name, &script_binding_detail::FunctionThunk<Result, Args...>);
}

template <class Object, class Class>
void BindRawMember(lua_State* L, const char* name, Object* object, int (Class::*method)(lua_State*)) {
    using namespace script_binding_detail;
    PushBox(L, MemberBox<Class, decltype(method)>{object, method, SerialOf(object)});
    Publish(L, name, &RawMemberThunk<Class>);
}
