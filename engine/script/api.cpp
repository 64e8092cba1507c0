// The C API: stack discipline, pseudo-indices, reads, pushes, gets and sets, calls and the collector.
#include <cstring>

#include "engine/script/call.h"
#include "engine/script/debug.h"
#include "engine/script/func.h"
#include "engine/script/gc.h"
#include "engine/script/intern.h"
#include "engine/script/memory.h"
#include "engine/script/table.h"
#include "engine/script/vm.h"

namespace {

inline void api_incr_top(lua_State* L) {
  L->top++;
  luaD_checkpush(L);
}

// The slot of an index, or NULL for an index with no value. Indices below LUA_REFINDEXBASE read integer
// keys of the registry and may answer the shared nil (read-only).
TObject* index2adr(lua_State* L, int idx) {
  if (idx > 0) {
    TObject* o = L->base + (idx - 1);
    return o >= L->top ? nullptr : o;
  }
  if (idx > LUA_REGISTRYINDEX) return L->top + idx;
  switch (idx) {
    case LUA_REGISTRYINDEX: return registry(L);
    case LUA_GLOBALSINDEX: return gt(L);
    default: break;
  }
  if (idx < LUA_REFINDEXBASE) {
    const TObject* v = luaH_getnum(hvalue(registry(L)), LUA_REFINDEXBASE - idx);
    return const_cast<TObject*>(v);
  }
  TObject* func = L->base - 1;
  int n = LUA_GLOBALSINDEX - idx;
  if (!iscfunction(func) || n > clvalue(func)->c.nupvalues) return nullptr;
  return &clvalue(func)->c.upvalue[n - 1];
}

// Like index2adr, but an index with no value reads as nil.
const TObject* value(lua_State* L, int idx) {
  const TObject* o = index2adr(L, idx);
  return o ? o : &luaO_nilobject;
}

// A slot that may be written: the stack, the registry and globals slots, upvalues; never the
// registry-key range, whose missing keys answer the shared nil.
TObject* writable(lua_State* L, int idx) {
  if (idx < LUA_REFINDEXBASE) return nullptr;
  TObject* o = index2adr(L, idx);
  return o == &luaO_nilobject ? nullptr : o;
}

// A slot that a read may convert in place (numbers to text): present and not the shared nil.
bool convertible(const TObject* o) { return o != nullptr && o != &luaO_nilobject; }

}  // namespace

// State manipulation.

lua_State* lua_newthread(lua_State* L) {
  luaC_checkGC(L);
  lua_State* L1 = luaE_newthread(L);
  setthvalue(L->top, L1);
  api_incr_top(L);
  return L1;
}

lua_CFunction lua_atpanic(lua_State* L, lua_CFunction panicf) {
  lua_CFunction old = G(L)->panic;
  G(L)->panic = panicf;
  return old;
}

// Basic stack manipulation.

int lua_gettop(lua_State* L) { return static_cast<int>(L->top - L->base); }

void lua_settop(lua_State* L, int idx) {
  if (idx >= 0) {
    luaD_checkstack(L, idx);
    while (L->top < L->base + idx) setnilvalue(L->top++);
    L->top = L->base + idx;
    if (L->ci->top < L->top) L->ci->top = L->top;
  } else {
    L->top += idx + 1;
  }
}

void lua_remove(lua_State* L, int idx) {
  StkId p = index2adr(L, idx);
  while (++p < L->top) setobj(p - 1, p);
  L->top--;
}

void lua_insert(lua_State* L, int idx) {
  StkId p = index2adr(L, idx);
  for (StkId q = L->top; q > p; q--) setobj(q, q - 1);
  setobj(p, L->top);
}

void lua_replace(lua_State* L, int idx) {
  TObject* o = writable(L, idx);
  if (o) setobj(o, L->top - 1);
  L->top--;
}

void lua_pushvalue(lua_State* L, int idx) {
  setobj(L->top, value(L, idx));
  api_incr_top(L);
}

int lua_checkstack(lua_State* L, int size) {
  if (size < 0 || (L->top - L->base) + size > LUA_MAXCSTACK) return 0;
  luaD_checkstack(L, size);
  if (L->ci->top < L->top + size) L->ci->top = L->top + size;
  return 1;
}

void lua_xmove(lua_State* from, lua_State* to, int n) {
  if (from == to) return;
  luaD_checkstack(to, n);
  from->top -= n;
  for (int i = 0; i < n; i++) {
    setobj(to->top, from->top + i);
    api_incr_top(to);
  }
}

// Access functions.

int lua_type(lua_State* L, int idx) {
  const TObject* o = index2adr(L, idx);
  return o == nullptr ? LUA_TNONE : ttype(o);
}

const char* lua_typename(lua_State*, int t) { return luaT_typename(t); }

int lua_iscfunction(lua_State* L, int idx) { return iscfunction(value(L, idx)); }

int lua_isnumber(lua_State* L, int idx) {
  TObject n;
  return luaV_tonumber(value(L, idx), &n) != nullptr;
}

int lua_isstring(lua_State* L, int idx) {
  int t = lua_type(L, idx);
  return t == LUA_TSTRING || t == LUA_TNUMBER || t == LUA_TWSTRING;
}

int lua_isuserdata(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  return ttisuserdata(o) || ttislightuserdata(o);
}

int lua_rawequal(lua_State* L, int index1, int index2) {
  const TObject* o1 = index2adr(L, index1);
  const TObject* o2 = index2adr(L, index2);
  return o1 && o2 && luaO_rawequalObj(o1, o2);
}

int lua_equal(lua_State* L, int index1, int index2) {
  const TObject* o1 = index2adr(L, index1);
  const TObject* o2 = index2adr(L, index2);
  if (!o1 || !o2) return 0;
  TObject a = *o1, b = *o2;
  return equalobj(L, &a, &b);
}

int lua_lessthan(lua_State* L, int index1, int index2) {
  const TObject* o1 = index2adr(L, index1);
  const TObject* o2 = index2adr(L, index2);
  if (!o1 || !o2) return 0;
  TObject a = *o1, b = *o2;
  return luaV_lessthan(L, &a, &b);
}

lua_Number lua_tonumber(lua_State* L, int idx) {
  TObject n;
  const TObject* o = luaV_tonumber(value(L, idx), &n);
  return o ? nvalue(o) : 0;
}

int lua_toboolean(lua_State* L, int idx) { return !l_isfalse(value(L, idx)); }

const char* lua_tostring(lua_State* L, int idx) {
  TObject* o = index2adr(L, idx);
  if (!convertible(o)) return nullptr;
  if (ttisstring(o)) return svalue(o);
  const char* s = luaV_tostring(L, o) ? svalue(o) : nullptr;
  luaC_checkGC(L);
  return s;
}

const lua_WChar* lua_towstring(lua_State* L, int idx) {
  TObject* o = index2adr(L, idx);
  if (!convertible(o)) return nullptr;
  if (ttiswstring(o)) return getwstr(tsvalue(o));
  const lua_WChar* s = luaV_towstring(L, o) ? getwstr(tsvalue(o)) : nullptr;
  luaC_checkGC(L);
  return s;
}

size_t lua_strlen(lua_State* L, int idx) {
  TObject* o = index2adr(L, idx);
  if (!convertible(o)) return 0;
  if (ttisstring(o) || ttiswstring(o)) return tsvalue(o)->len;
  if (luaV_tostring(L, o)) return tsvalue(o)->len;
  return 0;
}

lua_CFunction lua_tocfunction(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  return iscfunction(o) ? clvalue(o)->c.f : nullptr;
}

void* lua_touserdata(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  if (ttislightuserdata(o)) return pvalue(o);
  if (!ttisuserdata(o)) return nullptr;
  Udata* u = uvalue(o);
  if (u->isbox) {
    void* p;
    std::memcpy(&p, udatablock(u), sizeof(p));
    return p;
  }
  return udatablock(u);
}

lua_State* lua_tothread(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  return ttisthread(o) ? thvalue(o) : nullptr;
}

const void* lua_topointer(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  switch (ttype(o)) {
    case LUA_TTABLE:
    case LUA_TFUNCTION:
    case LUA_TTHREAD: return gcvalue(o);
    case LUA_TUSERDATA:
    case LUA_TLIGHTUSERDATA: return lua_touserdata(L, idx);
    default: return nullptr;
  }
}

// Push functions.

void lua_pushnil(lua_State* L) {
  setnilvalue(L->top);
  api_incr_top(L);
}

void lua_pushnumber(lua_State* L, lua_Number n) {
  setnvalue(L->top, n);
  api_incr_top(L);
}

void lua_pushlstring(lua_State* L, const char* s, size_t len) {
  luaC_checkGC(L);
  setsvalue(L->top, luaS_newlstr(L, s, len));
  api_incr_top(L);
}

void lua_pushstring(lua_State* L, const char* s) {
  if (s == nullptr) {
    lua_pushnil(L);
  } else {
    lua_pushlstring(L, s, std::strlen(s));
  }
}

void lua_pushlwstring(lua_State* L, const lua_WChar* units, size_t len) {
  luaC_checkGC(L);
  setsvalue(L->top, luaS_newlwstr(L, units, len));
  api_incr_top(L);
}

void lua_pushwstring(lua_State* L, const lua_WChar* units) {
  if (units == nullptr) {
    lua_pushnil(L);
  } else {
    lua_pushlwstring(L, units, luaO_wstrlen(units));
  }
}

const char* lua_pushvfstring(lua_State* L, const char* fmt, va_list argp) {
  luaC_checkGC(L);
  return luaO_pushvfstring(L, fmt, argp);
}

const char* lua_pushfstring(lua_State* L, const char* fmt, ...) {
  luaC_checkGC(L);
  va_list argp;
  va_start(argp, fmt);
  const char* ret = luaO_pushvfstring(L, fmt, argp);
  va_end(argp);
  return ret;
}

void lua_pushcclosure(lua_State* L, lua_CFunction fn, int n) {
  luaC_checkGC(L);
  Closure* cl = luaF_newCclosure(L, n);
  cl->c.f = fn;
  setobj(&cl->c.g, gt(L));
  L->top -= n;
  for (int i = 0; i < n; i++) setobj(&cl->c.upvalue[i], L->top + i);
  setclvalue(L->top, cl);
  api_incr_top(L);
}

void lua_pushboolean(lua_State* L, int b) {
  setbvalue(L->top, b != 0);
  api_incr_top(L);
}

void lua_pushlightuserdata(lua_State* L, void* p) {
  setpvalue(L->top, p);
  api_incr_top(L);
}

void lua_pushuserpointer(lua_State* L, void* p) {
  luaC_checkGC(L);
  Udata* u = luaS_newudata(L, sizeof(void*));
  u->isbox = 1;
  std::memcpy(udatablock(u), &p, sizeof(p));
  setuvalue(L->top, u);
  api_incr_top(L);
}

// Get functions.

void lua_gettable(lua_State* L, int idx) {
  TObject t = *value(L, idx);
  luaV_gettable(L, &t, L->top - 1, L->top - 1);
}

void lua_rawget(lua_State* L, int idx) {
  const TObject* t = value(L, idx);
  setobj(L->top - 1, luaH_get(hvalue(t), L->top - 1));
}

void lua_rawgeti(lua_State* L, int idx, int n) {
  const TObject* o = value(L, idx);
  setobj(L->top, luaH_getnum(hvalue(o), n));
  api_incr_top(L);
}

void lua_newtable(lua_State* L) {
  luaC_checkGC(L);
  sethvalue(L->top, luaH_new(L, 0, 0));
  api_incr_top(L);
}

void* lua_newuserdata(lua_State* L, size_t size) {
  luaC_checkGC(L);
  Udata* u = luaS_newudata(L, size + (size & 1));
  setuvalue(L->top, u);
  api_incr_top(L);
  return udatablock(u);
}

int lua_getmetatable(lua_State* L, int objindex) {
  const TObject* obj = value(L, objindex);
  Table* mt = nullptr;
  if (ttistable(obj)) mt = hvalue(obj)->metatable;
  else if (ttisuserdata(obj)) mt = uvalue(obj)->metatable;
  // The defaults a value starts with do not count as its own metatable.
  const TObject* udatadefault = &G(L)->typemeta[LUA_TUSERDATA];
  if (mt == nullptr || mt == hvalue(&G(L)->_defaultmeta)) return 0;
  if (ttisuserdata(obj) && ttistable(udatadefault) && mt == hvalue(udatadefault)) return 0;
  sethvalue(L->top, mt);
  api_incr_top(L);
  return 1;
}

void lua_getfenv(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  setobj(L->top, isLfunction(o) ? &clvalue(o)->l.g : gt(L));
  api_incr_top(L);
}

void lua_pushtypemetatable(lua_State* L, int type) {
  if (type >= 0 && type < NUM_TAGS) {
    setobj(L->top, &G(L)->typemeta[type]);
  } else {
    setnilvalue(L->top);
  }
  api_incr_top(L);
}

int lua_getn(lua_State* L, int idx) {
  const TObject* t = value(L, idx);
  if (!ttistable(t)) return 0;
  Table* h = hvalue(t);
  const TObject* n = luaH_getstr(h, luaS_newliteral(L, "n"));
  if (ttisnumber(n)) return luaO_toint32(nvalue(n));
  lua_Number max = 0;
  for (int i = h->sizearray; i > 0; i--) {
    if (!ttisnil(&h->array[i - 1])) {
      max = i;
      break;
    }
  }
  for (int i = 0; i < sizenode(h); i++) {
    const Node* node = &h->node[i];
    if (ttisnumber(&node->i_key) && !ttisnil(&node->i_val) && nvalue(&node->i_key) > max) max = nvalue(&node->i_key);
  }
  return luaO_toint32(max);
}

// Set functions.

void lua_settable(lua_State* L, int idx) {
  TObject t = *value(L, idx);
  luaV_settable(L, &t, L->top - 2, L->top - 1);
  L->top -= 2;
}

void lua_rawset(lua_State* L, int idx) {
  const TObject* t = value(L, idx);
  setobj(luaH_set(L, hvalue(t), L->top - 2), L->top - 1);
  L->top -= 2;
}

void lua_rawseti(lua_State* L, int idx, int n) {
  const TObject* o = value(L, idx);
  setobj(luaH_setnum(L, hvalue(o), n), L->top - 1);
  L->top--;
}

int lua_setmetatable(lua_State* L, int objindex) {
  const TObject* obj = value(L, objindex);
  TObject* mt = L->top - 1;
  Table* newmt = ttisnil(mt) ? hvalue(&G(L)->_defaultmeta) : (ttistable(mt) ? hvalue(mt) : nullptr);
  int res = 1;
  if (newmt != nullptr && ttistable(obj)) hvalue(obj)->metatable = newmt;
  else if (newmt != nullptr && ttisuserdata(obj)) uvalue(obj)->metatable = newmt;
  else res = 0;
  L->top--;
  return res;
}

int lua_setfenv(lua_State* L, int idx) {
  const TObject* o = value(L, idx);
  int res = 0;
  if (isLfunction(o) && ttistable(L->top - 1)) {
    setobj(&clvalue(o)->l.g, L->top - 1);
    res = 1;
  }
  L->top--;
  return res;
}

void lua_settypemetatable(lua_State* L, int type) {
  if (ttistable(L->top - 1) && type >= 0 && type < NUM_TAGS) setobj(&G(L)->typemeta[type], L->top - 1);
  L->top--;
}

// Calls.

void lua_call(lua_State* L, int nargs, int nresults) {
  StkId func = L->top - (nargs + 1);
  luaD_call(L, func, nresults);
  if (nresults == LUA_MULTRET && L->top >= L->ci->top) L->ci->top = L->top;
}

namespace {
struct CallS {
  StkId func;
  int nresults;
};

void f_call(lua_State* L, void* ud) {
  CallS* c = static_cast<CallS*>(ud);
  luaD_call(L, c->func, c->nresults);
}

struct CCallS {
  lua_CFunction func;
  void* ud;
};

void f_Ccall(lua_State* L, void* ud) {
  CCallS* c = static_cast<CCallS*>(ud);
  Closure* cl = luaF_newCclosure(L, 0);
  cl->c.f = c->func;
  setobj(&cl->c.g, gt(L));
  setclvalue(L->top, cl);
  api_incr_top(L);
  setpvalue(L->top, c->ud);
  api_incr_top(L);
  luaD_call(L, L->top - 2, 0);
}
}  // namespace

int lua_pcall(lua_State* L, int nargs, int nresults, int errfunc) {
  ptrdiff_t func = errfunc == 0 ? 0 : savestack(L, index2adr(L, errfunc));
  CallS c;
  c.func = L->top - (nargs + 1);
  c.nresults = nresults;
  int status = luaD_pcall(L, f_call, &c, savestack(L, c.func), func);
  if (status == 0 && nresults == LUA_MULTRET && L->top >= L->ci->top) L->ci->top = L->top;
  return status;
}

int lua_cpcall(lua_State* L, lua_CFunction func, void* ud) {
  CCallS c{func, ud};
  return luaD_pcall(L, f_Ccall, &c, savestack(L, L->top), 0);
}

// Collector (values in KB).

constexpr int GC_NOLIMIT_KB = 4194304;

int lua_getgcthreshold(lua_State* L) {
  size_t kb = G(L)->GCthreshold >> 10;
  return kb > INT32_MAX ? INT32_MAX : static_cast<int>(kb);
}

int lua_getgccount(lua_State* L) { return static_cast<int>(G(L)->nblocks >> 10); }

void lua_setgcthreshold(lua_State* L, int newthreshold) {
  if (newthreshold >= GC_NOLIMIT_KB) {
    G(L)->GCthreshold = static_cast<size_t>(-1);
  } else {
    G(L)->GCthreshold = static_cast<size_t>(newthreshold < 0 ? 0 : newthreshold) << 10;
  }
  luaC_checkGC(L);
}

// Miscellaneous.

const char* lua_version() { return LUA_VERSION; }

int lua_error(lua_State* L) { luaG_errormsg(L); }

int lua_next(lua_State* L, int idx) {
  const TObject* t = value(L, idx);
  int more = luaH_next(L, hvalue(t), L->top - 1);
  if (more) {
    api_incr_top(L);
  } else {
    L->top--;
  }
  return more;
}

void lua_concat(lua_State* L, int n) {
  luaC_checkGC(L);
  if (n >= 2) {
    luaV_concat(L, n, static_cast<int>(L->top - L->base) - 1);
    L->top -= n - 1;
  } else if (n == 0) {
    setsvalue(L->top, luaS_newlstr(L, nullptr, 0));
    api_incr_top(L);
  }
}

int lua_pushupvalues(lua_State* L) {
  Closure* func = clvalue(L->base - 1);
  int n = func->c.nupvalues;
  luaD_checkstack(L, n + LUA_MINSTACK);
  for (int i = 0; i < n; i++) {
    setobj(L->top, &func->c.upvalue[i]);
    L->top++;
  }
  if (L->ci->top < L->top) L->ci->top = L->top;
  return n;
}

// Name and slot of upvalue n of the function at funcindex ("" for C functions).
static const char* aux_upvalue(lua_State* L, int funcindex, int n, TObject** val) {
  const TObject* fi = value(L, funcindex);
  if (!ttisfunction(fi)) return nullptr;
  Closure* f = clvalue(fi);
  if (f->c.isC) {
    if (n < 1 || n > f->c.nupvalues) return nullptr;
    *val = &f->c.upvalue[n - 1];
    return "";
  }
  Proto* p = f->l.p;
  if (n < 1 || n > p->sizeupvalues || n > f->l.nupvalues) return nullptr;
  *val = f->l.upvals[n - 1]->v;
  return getstr(p->upvalues[n - 1]);
}

const char* lua_getupvalue(lua_State* L, int funcindex, int n) {
  TObject* val;
  const char* name = aux_upvalue(L, funcindex, n, &val);
  if (name) {
    setobj(L->top, val);
    api_incr_top(L);
  }
  return name;
}

const char* lua_setupvalue(lua_State* L, int funcindex, int n) {
  TObject* val;
  const char* name = aux_upvalue(L, funcindex, n, &val);
  if (name) {
    L->top--;
    setobj(val, L->top);
  }
  return name;
}
