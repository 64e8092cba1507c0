#include "engine/script/debug.h"

#include <cstdarg>
#include <cstring>

#include "engine/script/call.h"
#include "engine/script/func.h"
#include "engine/script/intern.h"
#include "engine/script/table.h"
#include "engine/script/vm.h"

static Proto* ci_proto(CallInfo* ci) { return clvalue(ci_func(ci))->l.p; }

static int currentpc(CallInfo* ci) {
  if (!isLua(ci)) return -1;
  return static_cast<int>(ci->savedpc - ci_proto(ci)->code) - 1;
}

int luaG_currentline(lua_State*, CallInfo* ci) {
  int pc = currentpc(ci);
  Proto* p = ci_proto(ci);
  if (pc < 0 || p->lineinfo == nullptr || pc >= p->sizelineinfo) return -1;
  return p->lineinfo[pc];
}

// Walks the code up to `lastpc` and returns the last instruction that set register `reg`.
static Instruction lastsetter(const Proto* pt, int lastpc, int reg) {
  Instruction last = CREATE_ABC(OP_RETURN, 0, 1, 0);  // stands for "no known setter"
  for (int pc = 0; pc < lastpc; pc++) {
    Instruction i = pt->code[pc];
    OpCode op = GET_OPCODE(i);
    int a = GETARG_A(i);
    switch (op) {
      case OP_LOADNIL:
        if (a <= reg && reg <= GETARG_B(i)) last = i;
        break;
      case OP_CALL:
      case OP_TAILCALL:
      case OP_TFORLOOP:
        if (reg >= a) last = i;
        break;
      case OP_JMP: {
        int dest = pc + 1 + GETARG_sBx(i);
        if (dest > pc && dest <= lastpc) pc = dest - 1;  // skip the code jumped over
        break;
      }
      case OP_SELF:
        if (reg == a || reg == a + 1) last = i;
        break;
      case OP_CLOSURE:
        if (reg == a) last = i;
        if (GETARG_Bx(i) < pt->sizep) pc += pt->p[GETARG_Bx(i)]->nups;  // its upvalue pseudo-instructions
        break;
      default:
        if (testOpMode(op, OpModesetA) && reg == a) last = i;
        break;
    }
  }
  return last;
}

static const char* kname(const Proto* p, int c) {
  if (ISK(c) && ttisstring(&p->k[c - MAXSTACK])) return svalue(&p->k[c - MAXSTACK]);
  return "?";
}

// Name and kind ("local", "global", "field", "method") of the value in register `stackpos`, or NULL.
static const char* getobjname(CallInfo* ci, int stackpos, const char** name) {
  if (!isLua(ci)) return nullptr;
  Proto* p = ci_proto(ci);
  int pc = currentpc(ci);
  *name = luaF_getlocalname(p, stackpos + 1, pc);
  if (*name) return "local";
  Instruction i = lastsetter(p, pc, stackpos);
  switch (GET_OPCODE(i)) {
    case OP_GETGLOBAL: {
      int g = GETARG_Bx(i);
      if (g < p->sizek && ttisstring(&p->k[g])) {
        *name = svalue(&p->k[g]);
        return "global";
      }
      return nullptr;
    }
    case OP_MOVE: {
      int a = GETARG_A(i), b = GETARG_B(i);
      if (b < a) return getobjname(ci, b, name);
      return nullptr;
    }
    case OP_GETTABLE:
      *name = kname(p, GETARG_C(i));
      return "field";
    case OP_SELF:
      *name = kname(p, GETARG_C(i));
      return "method";
    default: return nullptr;
  }
}

static bool isinstack(CallInfo* ci, const TObject* o) {
  for (StkId p = ci->base; p < ci->top; p++) {
    if (o == p) return true;
  }
  return false;
}

[[noreturn]] void luaG_typeerror(lua_State* L, const TObject* o, const char* op) {
  const char* name = nullptr;
  const char* t = luaT_typename(ttype(o));
  const char* kind = isinstack(L->ci, o) ? getobjname(L->ci, static_cast<int>(o - L->base), &name) : nullptr;
  if (kind) luaG_runerror(L, "attempt to %s %s `%s' (a %s value)", op, kind, name, t);
  luaG_runerror(L, "attempt to %s a %s value", op, t);
}

[[noreturn]] void luaG_concaterror(lua_State* L, StkId p1, StkId p2) {
  if (ttisstring(p1) || ttiswstring(p1) || ttisnumber(p1)) p1 = p2;
  luaG_typeerror(L, p1, "concatenate");
}

[[noreturn]] void luaG_aritherror(lua_State* L, const TObject* p1, const TObject* p2, bool coerce) {
  TObject temp;
  bool firstok = coerce ? luaV_tonumber(p1, &temp) != nullptr : ttisnumber(p1);
  if (!firstok) p2 = p1;
  luaG_typeerror(L, p2, "perform arithmetic on");
}

[[noreturn]] void luaG_ordererror(lua_State* L, const TObject* p1, const TObject* p2) {
  const char* t1 = luaT_typename(ttype(p1));
  const char* t2 = luaT_typename(ttype(p2));
  if (ttype(p1) == ttype(p2)) luaG_runerror(L, "attempt to compare two %s values", t1);
  luaG_runerror(L, "attempt to compare %s with %s", t1, t2);
}

static void addinfo(lua_State* L, const char* msg) {
  CallInfo* ci = L->ci;
  if (!isLua(ci)) return;
  char buff[LUA_IDSIZE];
  Proto* p = ci_proto(ci);
  luaO_chunkid(buff, p->source ? getstr(p->source) : "?", LUA_IDSIZE);
  luaO_pushfstring(L, "%s:%d: %s", buff, luaG_currentline(L, ci), msg);
}

[[noreturn]] void luaG_errormsg(lua_State* L) {
  if (L->errfunc != 0) {
    StkId errfunc = restorestack(L, L->errfunc);
    if (!ttisfunction(errfunc)) luaD_throw(L, LUA_ERRERR);
    setobj(L->top, L->top - 1);
    setobj(L->top - 1, errfunc);
    L->top++;
    luaD_checkpush(L);
    luaD_call(L, L->top - 2, 1);
  }
  luaD_throw(L, LUA_ERRRUN);
}

[[noreturn]] void luaG_runerror(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  const char* msg = luaO_pushvfstring(L, fmt, argp);
  va_end(argp);
  addinfo(L, msg);
  luaG_errormsg(L);
}

// Debug interface.

int lua_getstack(lua_State* L, int level, lua_Debug* ar) {
  CallInfo* ci;
  for (ci = L->ci; level > 0 && ci > L->base_ci; ci--) {
    level--;
    if (isLua(ci)) level -= ci->tailcalls;
  }
  if (level > 0 || ci == L->base_ci) return 0;
  ar->i_ci = level < 0 ? 0 : static_cast<int>(ci - L->base_ci);
  return 1;
}

static void funcinfo(lua_Debug* ar, const TObject* func) {
  Closure* cl = clvalue(func);
  if (cl->c.isC) {
    ar->source = "=[C]";
    ar->linedefined = -1;
    ar->what = "C";
  } else {
    ar->source = cl->l.p->source ? getstr(cl->l.p->source) : "=?";
    ar->linedefined = cl->l.p->lineDefined;
    ar->what = ar->linedefined == 0 ? "main" : "Lua";
  }
  luaO_chunkid(ar->short_src, ar->source, LUA_IDSIZE);
}

static void info_tailcall(lua_Debug* ar) {
  ar->name = ar->namewhat = "";
  ar->what = "tail";
  ar->linedefined = ar->currentline = -1;
  ar->source = "=(tail call)";
  luaO_chunkid(ar->short_src, ar->source, LUA_IDSIZE);
  ar->nups = 0;
}

// Name of the function running in `ci`, from the instruction that called it.
static const char* getfuncname(CallInfo* ci, const char** name) {
  if (ci->state & CI_TAILCALL) return nullptr;
  CallInfo* caller = ci - 1;
  if (!isLua(caller)) return nullptr;
  Instruction i = ci_proto(caller)->code[currentpc(caller)];
  if (GET_OPCODE(i) == OP_CALL || GET_OPCODE(i) == OP_TAILCALL) return getobjname(caller, GETARG_A(i), name);
  return nullptr;
}

int lua_getinfo(lua_State* L, const char* what, lua_Debug* ar) {
  TObject func;
  CallInfo* ci = nullptr;
  if (*what == '>') {
    StkId f = L->top - 1;
    if (!ttisfunction(f)) luaG_runerror(L, "value for `lua_getinfo' is not a function");
    func = *f;
    what++;
    L->top--;
  } else if (ar->i_ci != 0) {
    ci = L->base_ci + ar->i_ci;
    func = *ci_func(ci);
  } else {
    setnilvalue(&func);  // a frame lost to a tail call
    info_tailcall(ar);
  }
  int status = 1;
  for (; *what; what++) {
    switch (*what) {
      case 'S':
        if (ttisfunction(&func)) funcinfo(ar, &func);
        break;
      case 'l': ar->currentline = ci && isLua(ci) ? luaG_currentline(L, ci) : -1; break;
      case 'u': ar->nups = ttisfunction(&func) ? clvalue(&func)->c.nupvalues : 0; break;
      case 'n':
        ar->namewhat = ci ? getfuncname(ci, &ar->name) : nullptr;
        if (ar->namewhat == nullptr) {
          ar->namewhat = "";
          ar->name = nullptr;
        }
        break;
      case 'f':
        setobj(L->top, &func);
        L->top++;
        luaD_checkpush(L);
        break;
      default: status = 0;
    }
  }
  return status;
}

const char* lua_getlocal(lua_State* L, const lua_Debug* ar, int n) {
  CallInfo* ci = L->base_ci + ar->i_ci;
  if (ar->i_ci == 0 || !isLua(ci)) return nullptr;
  const char* name = luaF_getlocalname(ci_proto(ci), n, currentpc(ci));
  if (name) {
    setobj(L->top, ci->base + (n - 1));
    L->top++;
    luaD_checkpush(L);
  }
  return name;
}

const char* lua_setlocal(lua_State* L, const lua_Debug* ar, int n) {
  CallInfo* ci = L->base_ci + ar->i_ci;
  if (ar->i_ci == 0 || !isLua(ci)) return nullptr;
  const char* name = luaF_getlocalname(ci_proto(ci), n, currentpc(ci));
  L->top--;
  if (name) setobj(ci->base + (n - 1), L->top);
  return name;
}
