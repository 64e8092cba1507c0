// The script side of TAnimatedSprite: the functions its environment offers the animation scripts,
// each reaching its sprite through a link kept in the environment, and the built-in animation
// functions written in script.
#include <cstdint>

#include "engine/core/app/application.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/graphics_state.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"
#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_yield.h"

const char kAnimationScript[] = R"lua(
alpha = 1.0
alphadelta = 0
alphacount = 0
local frameDelay = 16

function delay(ms) frameDelay = ms end
function pause(ms) WaitLuaNextFrame(ms) end
function showFrame() WaitLuaNextFrame(frameDelay) end
function fadeout(n) alphadelta = -alpha / n alphacount = n end
function fadein(n) alphadelta = (1 - alpha) / n alphacount = n end
function setAlpha(a) alpha = a SetAlpha(a) end

-- One fade step per frame shown.
function frames(t)
  count = table.getn(t)
  for i = 1, count do
    frame = t[i]
    if alphacount ~= 0 then
      alpha = alpha + alphadelta
      SetAlpha(alpha)
      alphacount = alphacount - 1
      if alphacount == 0 then alphadelta = 0 end
    end
    SetCurrentFrame(frame - 1)
    WaitLuaNextFrame(frameDelay)
  end
end

function loop(n, t) for i = 1, n do frames(t) end end

function run(t)
  if Load(t[1], t.image or "", t.mask or "") then
    local f = loadstring(GetScript() .. "; " .. (t.anim or "DoAnim") .. "()")
    if f then f() end
  end
end

function die() Die() end
function halt() Pause(true, -1) end
function isPlaying(depth) return IsPlaying(depth or -1) end
function endReferences() end
function stop(depth) Pause(true, depth or -1) end
function random(lo, hi) return Random(lo, hi) end
)lua";

namespace {

// Where the environment keeps its link: a block holding the sprite pointer, null once the sprite is gone.
const char kLinkKey[] = "TAnimatedSprite";

TAnimatedSprite* Self(lua_State* L) {
    auto* link = static_cast<TAnimatedSprite**>(lua_touserdata(L, lua_upvalueindex(1)));
    return link ? *link : nullptr;
}

int IntArg(lua_State* L, int index) {
    return static_cast<int>(lua_tonumber(L, index));  // truncated toward zero
}

const char* StringArg(lua_State* L, int index) {
    const char* text = lua_tostring(L, index);
    return text ? text : "";
}

// Call adaptors, one per member signature.
template <void (TAnimatedSprite::*Member)()>
int CallNone(lua_State* L) {
    if (TAnimatedSprite* sprite = Self(L)) (sprite->*Member)();
    return 0;
}

template <void (TAnimatedSprite::*Member)(int)>
int CallInt(lua_State* L) {
    if (TAnimatedSprite* sprite = Self(L)) (sprite->*Member)(IntArg(L, 1));
    return 0;
}

template <void (TSprite::*Member)(int)>
int CallSpriteInt(lua_State* L) {
    if (TAnimatedSprite* sprite = Self(L)) (sprite->*Member)(IntArg(L, 1));
    return 0;
}

template <void (TAnimatedSprite::*Member)(float)>
int CallFloat(lua_State* L) {
    if (TAnimatedSprite* sprite = Self(L)) (sprite->*Member)(static_cast<float>(lua_tonumber(L, 1)));
    return 0;
}

template <void (TAnimatedSprite::*Member)(bool, int)>
int CallBoolInt(lua_State* L) {
    if (TAnimatedSprite* sprite = Self(L)) (sprite->*Member)(lua_toboolean(L, 1) != 0, IntArg(L, 2));
    return 0;
}

template <bool (TAnimatedSprite::*Member)(int)>
int CallIntToBool(lua_State* L) {
    TAnimatedSprite* sprite = Self(L);
    lua_pushboolean(L, sprite && (sprite->*Member)(IntArg(L, 1)));
    return 1;
}

template <bool (TAnimatedSprite::*Member)(const TString&, const TString&, const TString&)>
int CallStringsToBool(lua_State* L) {
    TAnimatedSprite* sprite = Self(L);
    TString a = StringArg(L, 1), b = StringArg(L, 2), c = StringArg(L, 3);
    lua_pushboolean(L, sprite && (sprite->*Member)(a, b, c));
    return 1;
}

template <TString (TAnimatedSprite::*Member)() const>
int CallToString(lua_State* L) {
    TAnimatedSprite* sprite = Self(L);
    lua_pushstring(L, sprite ? (sprite->*Member)().CStr() : "");
    return 1;
}

// With exactly one argument the coroutine is woken that many ms from now, and every as many ms
// after; otherwise it sleeps until paused and resumed or played again. Then it yields, unless a
// C call lies in between.
int WaitLuaNextFrame(lua_State* L) {
    TAnimatedSprite* sprite = Self(L);
    if (TScript* thread = sprite ? sprite->GetThread() : nullptr) {
        if (lua_gettop(L) == 1) {
            thread->Schedule(static_cast<uint32_t>(IntArg(L, 1)), true, true, false);
        } else {
            thread->Unschedule();
        }
    }
    if (!CanYield(L)) return 0;
    return lua_yield(L, 0);
}

uint32_t NextRandom() {
    TApplication* application = TApplication::Instance();
    return application ? application->Random() : GetGraphicsState().scriptRandom.Next();
}

// lo + a random number below hi - lo; lo itself when the range is empty or reversed.
int Random(lua_State* L) {
    int64_t lo = IntArg(L, 1), hi = IntArg(L, 2);
    int64_t value = hi > lo ? lo + static_cast<int64_t>(NextRandom() % static_cast<uint64_t>(hi - lo)) : lo;
    lua_pushnumber(L, static_cast<lua_Number>(value));
    return 1;
}

struct Binding {
    const char* name;
    lua_CFunction function;
};

const Binding kBindings[] = {
    {"SetCurrentFrame", CallInt<&TAnimatedSprite::SetCurrentFrame>},
    {"WaitLuaNextFrame", WaitLuaNextFrame},
    {"Die", CallNone<&TAnimatedSprite::Die>},
    {"Pause", CallBoolInt<&TAnimatedSprite::Pause>},
    {"IsPlaying", CallIntToBool<&TAnimatedSprite::IsPlaying>},
    {"Load", CallStringsToBool<&TAnimatedSprite::Load>},
    {"GetScript", CallToString<&TAnimatedSprite::GetScript>},
    {"SetAlpha", CallFloat<&TAnimatedSprite::SetAlpha>},
    {"SetLayer", CallSpriteInt<&TSprite::SetLayer>},
    {"RemoveSprite", CallNone<&TAnimatedSprite::RemoveSprite>},
};

}  // namespace

void RegisterAnimatedSpriteFunctions(TScript& environment, TAnimatedSprite* sprite) {
    lua_State* L = environment.GetState();
    auto* link = static_cast<TAnimatedSprite**>(lua_newuserdata(L, sizeof(TAnimatedSprite*)));
    *link = sprite;
    lua_pushstring(L, kLinkKey);
    lua_pushvalue(L, -2);
    lua_settable(L, LUA_REGISTRYINDEX);
    for (const Binding& binding : kBindings) {
        lua_pushstring(L, binding.name);
        lua_pushvalue(L, -2);
        lua_pushcclosure(L, binding.function, 1);
        lua_settable(L, LUA_GLOBALSINDEX);
    }
    lua_pop(L, 1);
    lua_pushstring(L, "Random");
    lua_pushcfunction(L, Random);
    lua_settable(L, LUA_GLOBALSINDEX);
}

void UnbindAnimatedSpriteFunctions(TScript& environment) {
    lua_State* L = environment.GetState();
    lua_pushstring(L, kLinkKey);
    lua_gettable(L, LUA_REGISTRYINDEX);
    if (auto* link = static_cast<TAnimatedSprite**>(lua_touserdata(L, -1))) *link = nullptr;
    lua_pop(L, 1);
}
