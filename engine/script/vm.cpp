#include "engine/script/vm.h"

#include <cstring>

#include "engine/script/call.h"
#include "engine/script/debug.h"
#include "engine/script/func.h"
#include "engine/script/gc.h"
#include "engine/script/intern.h"
#include "engine/script/memory.h"
#include "engine/script/table.h"

constexpr size_t MAX_CONCAT_UNITS = 4294967293u;

const TObject* luaV_tonumber(const TObject* obj, TObject* n) {
  lua_Number num;
  if (ttisnumber(obj)) return obj;
  if (ttisstring(obj) && luaO_str2d(svalue(obj), tsvalue(obj)->len, &num)) {
    setnvalue(n, num);
    return n;
  }
  // A wide numeral must not hide text behind an embedded zero unit.
  if (ttiswstring(obj) && luaO_wstrlen(getwstr(tsvalue(obj))) == tsvalue(obj)->len &&
      luaO_wstr2d(getwstr(tsvalue(obj)), &num)) {
    setnvalue(n, num);
    return n;
  }
  return nullptr;
}

// In-place conversion of a slot to a number (for-loop limits and steps).
static bool tonumberinplace(TObject* o) {
  if (ttisnumber(o)) return true;
  TObject n;
  if (luaV_tonumber(o, &n) == nullptr) return false;
  setobj(o, &n);
  return true;
}

int luaV_tostring(lua_State* L, TObject* obj) {
  if (!ttisnumber(obj)) return 0;
  char s[32];
  int len = luaO_num2str(nvalue(obj), s);
  setsvalue(obj, luaS_newlstr(L, s, static_cast<size_t>(len)));
  return 1;
}

int luaV_towstring(lua_State* L, TObject* obj) {
  if (!ttisnumber(obj)) return 0;
  char s[32];
  int len = luaO_num2str(nvalue(obj), s);
  lua_WChar units[32];
  for (int i = 0; i < len; i++) units[i] = static_cast<unsigned char>(s[i]);
  setsvalue(obj, luaS_newlwstr(L, units, static_cast<size_t>(len)));
  return 1;
}

// Calls metamethod f(p1, p2) and stores its one result in the slot at `res` offset.
static void callTMres(lua_State* L, const TObject* f, const TObject* p1, const TObject* p2, ptrdiff_t res) {
  TObject args[3] = {*f, *p1, *p2};  // the originals may move with the stack
  luaD_checkstack(L, 3);
  for (const TObject& a : args) setobj(L->top++, &a);
  luaD_call(L, L->top - 3, 1);
  L->top--;
  setobj(restorestack(L, res), L->top);
}

// Calls metamethod f(p1, p2, p3) without results.
static void callTM(lua_State* L, const TObject* f, const TObject* p1, const TObject* p2, const TObject* p3) {
  TObject args[4] = {*f, *p1, *p2, *p3};
  luaD_checkstack(L, 4);
  for (const TObject& a : args) setobj(L->top++, &a);
  luaD_call(L, L->top - 4, 0);
}

// The handler for indexing or assigning a value that is not a table: the userdata's own metamethod,
// else the per-type metatable slot of its type.
static const TObject* typehandler(lua_State* L, const TObject* t, TMS event) {
  if (ttisuserdata(t)) {
    const TObject* tm = luaT_gettmbyobj(L, t, event);
    if (!ttisnil(tm)) return tm;
  }
  const TObject* slot = &G(L)->typemeta[ttype(t)];
  if (ttisnil(slot)) luaG_typeerror(L, t, "index");
  return slot;
}

void luaV_gettable(lua_State* L, const TObject* t, TObject* key, StkId res) {
  ptrdiff_t resr = savestack(L, res);
  for (int loop = 0; loop < MAXTAGLOOP; loop++) {
    const TObject* tm;
    if (ttistable(t)) {
      Table* h = hvalue(t);
      const TObject* v = luaH_get(h, key);
      if (!ttisnil(v) || (tm = fasttm(L, h->metatable, TM_INDEX)) == nullptr) {
        setobj(restorestack(L, resr), v);
        return;
      }
    } else {
      tm = typehandler(L, t, TM_INDEX);
    }
    if (ttisfunction(tm)) {
      callTMres(L, tm, t, key, resr);
      return;
    }
    t = tm;
  }
  luaG_runerror(L, "loop in gettable");
}

void luaV_settable(lua_State* L, const TObject* t, TObject* key, StkId val) {
  for (int loop = 0; loop < MAXTAGLOOP; loop++) {
    const TObject* tm;
    if (ttistable(t)) {
      Table* h = hvalue(t);
      TObject* oldval = const_cast<TObject*>(luaH_get(h, key));
      if (!ttisnil(oldval) || (tm = fasttm(L, h->metatable, TM_NEWINDEX)) == nullptr) {
        if (oldval != &luaO_nilobject) {
          h->flags = 0;
          setobj(oldval, val);
        } else {
          TObject v = *val;
          setobj(luaH_set(L, h, key), &v);
        }
        return;
      }
    } else {
      tm = typehandler(L, t, TM_NEWINDEX);
    }
    if (ttisfunction(tm)) {
      callTM(L, tm, t, key, val);
      return;
    }
    t = tm;
  }
  luaG_runerror(L, "loop in settable");
}

// A method's name looked up through the chain of `__index` tables behind a table; nullptr when the chain
// meets a handler function or a value that is no table, which the general path serves.
static inline const TObject* getmethod(lua_State* L, Table* h, TString* name) {
  for (int loop = 0; loop < MAXTAGLOOP; loop++) {
    const TObject* v = luaH_getstr(h, name);
    if (!ttisnil(v)) return v;
    const TObject* tm = fasttm(L, h->metatable, TM_INDEX);
    if (tm == nullptr) return v;
    if (!ttistable(tm)) return nullptr;
    h = hvalue(tm);
  }
  return nullptr;
}

static bool call_binTM(lua_State* L, const TObject* p1, const TObject* p2, StkId res, TMS event) {
  const TObject* tm = luaT_gettmbyobj(L, p1, event);
  if (ttisnil(tm)) tm = luaT_gettmbyobj(L, p2, event);
  if (!ttisfunction(tm)) return false;
  callTMres(L, tm, p1, p2, savestack(L, res));
  return true;
}

// Result of an order metamethod: -1 when there is none (or the operands disagree on it).
static int call_orderTM(lua_State* L, const TObject* p1, const TObject* p2, TMS event) {
  const TObject* tm1 = luaT_gettmbyobj(L, p1, event);
  if (ttisnil(tm1)) return -1;
  const TObject* tm2 = luaT_gettmbyobj(L, p2, event);
  if (!luaO_rawequalObj(tm1, tm2)) return -1;
  callTMres(L, tm1, p1, p2, savestack(L, L->top));
  return !l_isfalse(L->top);
}

// Byte order of two strings with embedded zeros compared piece by piece.
static int l_strcmp(const TString* ls, const TString* rs) {
  const char* l = getstr(ls);
  size_t ll = ls->len;
  const char* r = getstr(rs);
  size_t lr = rs->len;
  for (;;) {
    int temp = std::strcmp(l, r);
    if (temp != 0) return temp;
    size_t len = std::strlen(l);
    if (len == lr) return len == ll ? 0 : 1;
    if (len == ll) return -1;
    len++;
    l += len;
    ll -= len;
    r += len;
    lr -= len;
  }
}

int luaV_lessthan(lua_State* L, const TObject* l, const TObject* r) {
  if (ttype(l) != ttype(r)) luaG_ordererror(L, l, r);
  if (ttisnumber(l)) return nvalue(l) < nvalue(r);
  if (ttisstring(l)) return l_strcmp(tsvalue(l), tsvalue(r)) < 0;
  int res = call_orderTM(L, l, r, TM_LT);
  if (res == -1) luaG_ordererror(L, l, r);
  return res;
}

static int luaV_lessequal(lua_State* L, const TObject* l, const TObject* r) {
  if (ttype(l) != ttype(r)) luaG_ordererror(L, l, r);
  if (ttisnumber(l)) return nvalue(l) <= nvalue(r);
  if (ttisstring(l)) return l_strcmp(tsvalue(l), tsvalue(r)) <= 0;
  int res = call_orderTM(L, l, r, TM_LE);
  if (res != -1) return res;
  res = call_orderTM(L, r, l, TM_LT);
  if (res != -1) return !res;
  luaG_ordererror(L, l, r);
}

// The "__eq" metamethod shared by two metatables, or NULL.
static const TObject* get_compTM(lua_State* L, Table* mt1, Table* mt2, TMS event) {
  const TObject* tm1 = fasttm(L, mt1, event);
  if (tm1 == nullptr) return nullptr;
  if (mt1 == mt2) return tm1;
  const TObject* tm2 = fasttm(L, mt2, event);
  if (tm2 == nullptr) return nullptr;
  return luaO_rawequalObj(tm1, tm2) ? tm1 : nullptr;
}

int luaV_equalval(lua_State* L, const TObject* t1, const TObject* t2) {
  const TObject* tm;
  switch (ttype(t1)) {
    case LUA_TNIL: return 1;
    case LUA_TNUMBER: return nvalue(t1) == nvalue(t2);
    case LUA_TBOOLEAN: return bvalue(t1) == bvalue(t2);
    case LUA_TLIGHTUSERDATA: return pvalue(t1) == pvalue(t2);
    case LUA_TUSERDATA:
      if (uvalue(t1) == uvalue(t2)) return 1;
      tm = get_compTM(L, uvalue(t1)->metatable, uvalue(t2)->metatable, TM_EQ);
      break;
    case LUA_TTABLE:
      if (hvalue(t1) == hvalue(t2)) return 1;
      tm = get_compTM(L, hvalue(t1)->metatable, hvalue(t2)->metatable, TM_EQ);
      break;
    default: return gcvalue(t1) == gcvalue(t2);
  }
  if (tm == nullptr) return 0;
  callTMres(L, tm, t1, t2, savestack(L, L->top));
  return !l_isfalse(L->top);
}

// One step of a wide concatenation: joins the top operands that are wide strings or numbers.
static int widestep(lua_State* L, StkId top, int total) {
  if (!(ttiswstring(top - 2) || luaV_towstring(L, top - 2)) || !(ttiswstring(top - 1) || luaV_towstring(L, top - 1))) {
    if (!call_binTM(L, top - 2, top - 1, top - 2, TM_CONCAT)) luaG_concaterror(L, top - 2, top - 1);
    return 2;
  }
  if (tsvalue(top - 1)->len == 0) return 2;  // the lower operand is the result
  size_t tl = tsvalue(top - 1)->len + static_cast<size_t>(tsvalue(top - 2)->len);
  int n = 2;
  while (n < total && (ttiswstring(top - n - 1) || luaV_towstring(L, top - n - 1))) {
    tl += tsvalue(top - n - 1)->len;
    n++;
  }
  if (tl > MAX_CONCAT_UNITS) luaG_runerror(L, "string size overflow");
  lua_WChar* buffer = reinterpret_cast<lua_WChar*>(luaZ_openspace(L, &G(L)->buff, tl * 2));
  size_t pos = 0;
  for (int i = n; i > 0; i--) {
    size_t l = tsvalue(top - i)->len;
    std::memcpy(buffer + pos, getwstr(tsvalue(top - i)), l * 2);
    pos += l;
  }
  setsvalue(top - n, luaS_newlwstr(L, buffer, tl));
  return n;
}

static int bytestep(lua_State* L, StkId top, int total) {
  if (!tostring(L, top - 2) || !tostring(L, top - 1)) {
    if (!call_binTM(L, top - 2, top - 1, top - 2, TM_CONCAT)) luaG_concaterror(L, top - 2, top - 1);
    return 2;
  }
  if (tsvalue(top - 1)->len == 0) return 2;
  size_t tl = tsvalue(top - 1)->len;
  int n = 1;
  while (n < total && tostring(L, top - n - 1)) {
    tl += tsvalue(top - n - 1)->len;
    n++;
  }
  if (tl >= MAX_BLOCK) luaG_runerror(L, "string size overflow");
  char* buffer = luaZ_openspace(L, &G(L)->buff, tl);
  size_t pos = 0;
  for (int i = n; i > 0; i--) {
    size_t l = tsvalue(top - i)->len;
    std::memcpy(buffer + pos, svalue(top - i), l);
    pos += l;
  }
  setsvalue(top - n, luaS_newlstr(L, buffer, tl));
  return n;
}

// The first text operand from the top decides between byte and wide concatenation.
static bool widemode(StkId top, int total) {
  for (int i = 1; i <= total; i++) {
    int tag = ttype(top - i);
    if (tag == LUA_TSTRING) return false;
    if (tag == LUA_TWSTRING) return true;
  }
  return false;
}

void luaV_concat(lua_State* L, int total, int last) {
  bool wide = widemode(L->base + last + 1, total);
  do {
    StkId top = L->base + last + 1;
    int n = wide ? widestep(L, top, total) : bytestep(L, top, total);
    total -= n - 1;
    last -= n - 1;
  } while (total > 1);
}

// Arithmetic of + - * / unary minus and the "__pow" path of ^ on values that are not all numbers.
static void Arith(lua_State* L, StkId ra, const TObject* rb, const TObject* rc, TMS op) {
  TObject tempb, tempc;
  const TObject *b, *c;
  if ((b = luaV_tonumber(rb, &tempb)) != nullptr && (c = luaV_tonumber(rc, &tempc)) != nullptr) {
    switch (op) {
      case TM_ADD: setnvalue(ra, nvalue(b) + nvalue(c)); break;
      case TM_SUB: setnvalue(ra, nvalue(b) - nvalue(c)); break;
      case TM_MUL: setnvalue(ra, nvalue(b) * nvalue(c)); break;
      case TM_DIV: setnvalue(ra, nvalue(b) / nvalue(c)); break;
      case TM_POW: {
        const TObject* f = luaH_getstr(hvalue(gt(L)), G(L)->tmname[TM_POW]);
        if (!ttisfunction(f)) luaG_runerror(L, "`__pow' (`^' operator) is not a function");
        callTMres(L, f, b, c, savestack(L, ra));
        break;
      }
      default: break;
    }
  } else if (!call_binTM(L, rb, rc, ra, op)) {
    luaG_aritherror(L, rb, rc, true);
  }
}

static int32_t bitop(OpCode op, lua_Number x, lua_Number y) {
  uint32_t a = luaO_low32(x), b = luaO_low32(y);
  uint32_t r = 0;
  switch (op) {
    case OP_BAND: r = a & b; break;
    case OP_BOR: r = a | b; break;
    case OP_SHL: r = a << (b & 31); break;
    case OP_SHR: r = a >> (b & 31); break;
    case OP_POW: r = a ^ b; break;
    default: break;
  }
  return static_cast<int32_t>(r);
}

#define RA(i) (base + GETARG_A(i))
#define RB(i) (base + GETARG_B(i))
#define RKB(i) (ISK(GETARG_B(i)) ? k + (GETARG_B(i) - MAXSTACK) : base + GETARG_B(i))
#define RKC(i) (ISK(GETARG_C(i)) ? k + (GETARG_C(i) - MAXSTACK) : base + GETARG_C(i))
#define KBx(i) (k + GETARG_Bx(i))
// Runs an operation that may raise an error, call out or move the stack.
#define Protect(...)  \
  {                   \
    ci->savedpc = pc; \
    __VA_ARGS__;      \
    base = L->base;   \
    ci = L->ci;       \
  }

// Threaded dispatch: every instruction ends with its own jump to the next one's handler.
#define vmcase(op) L_##op:
#define vmbreak                         \
  {                                     \
    i = *pc++;                          \
    ra = RA(i);                         \
    goto* disptab[GET_OPCODE(i) & 63];  \
  }

// The end of a test: the instruction after it is always a jump (the bytecode checker makes sure), taken when
// `taken` holds and stepped over otherwise. Each outcome dispatches on its own, so fetching the next
// instruction is predicted instead of waiting on the comparison, as a conditional move on pc would.
#define takejump                \
  {                             \
    pc += GETARG_sBx(*pc) + 1;  \
    vmbreak;                    \
  }
#define condjump(taken) \
  {                     \
    if (taken) takejump; \
    pc++;               \
    vmbreak;            \
  }

// Numbers directly; anything else through coercion and metamethods.
#define arith_op(op, event)                               \
  {                                                       \
    TObject* rb = RKB(i);                                 \
    TObject* rc = RKC(i);                                 \
    if (ttisnumber(rb) && ttisnumber(rc)) [[likely]] {    \
      setnvalue(ra, nvalue(rb) op nvalue(rc));            \
    } else {                                              \
      Protect(Arith(L, ra, rb, rc, event));               \
    }                                                     \
  }

StkId luaV_execute(lua_State* L, int entryLevel) {
  // Handlers by opcode; the numbers past OP_CLOSURE never pass the bytecode checker.
  static const void* const disptab[64] = {
      &&L_OP_MOVE,     &&L_OP_LOADK,    &&L_OP_LOADBOOL, &&L_OP_LOADNIL,  &&L_OP_GETUPVAL, &&L_OP_GETGLOBAL,
      &&L_OP_GETTABLE, &&L_OP_SETGLOBAL, &&L_OP_SETUPVAL, &&L_OP_SETTABLE, &&L_OP_NEWTABLE, &&L_OP_SELF,
      &&L_OP_ADD,      &&L_OP_SUB,      &&L_OP_MUL,      &&L_OP_DIV,      &&L_OP_BAND,     &&L_OP_BOR,
      &&L_OP_SHL,      &&L_OP_SHR,      &&L_OP_POW,      &&L_OP_UNM,      &&L_OP_NOT,      &&L_OP_CONCAT,
      &&L_OP_JMP,      &&L_OP_EQ,       &&L_OP_LT,       &&L_OP_LE,       &&L_OP_TEST,     &&L_OP_CALL,
      &&L_OP_TAILCALL, &&L_OP_RETURN,   &&L_OP_FORLOOP,  &&L_OP_TFORLOOP, &&L_OP_TFORPREP, &&L_OP_SETLIST,
      &&L_OP_SETLISTO, &&L_OP_CLOSE,    &&L_OP_CLOSURE,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,
      &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,
      &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,
      &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,
      &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID,  &&L_OP_INVALID};
reentry:
  CallInfo* ci = L->ci;
  LClosure* cl = &clvalue(ci_func(ci))->l;
  StkId base = L->base;
  TObject* k = cl->p->k;
  const Instruction* pc = ci->savedpc;
  Instruction i;
  StkId ra;
  vmbreak;  // dispatches the first instruction; every handler ends by dispatching the next
  vmcase(OP_MOVE) setobj(ra, RB(i)); vmbreak;
  vmcase(OP_LOADK) setobj(ra, KBx(i)); vmbreak;
  vmcase(OP_LOADBOOL)
    setbvalue(ra, GETARG_B(i) != 0);
    if (GETARG_C(i)) pc++;  // decided by the instruction alone: nothing to wait for
    vmbreak;
  vmcase(OP_LOADNIL) {
    TObject* rb = RB(i);
    do setnilvalue(rb--);
    while (rb >= ra);
    vmbreak;
  }
  vmcase(OP_GETUPVAL) setobj(ra, cl->upvals[GETARG_B(i)]->v); vmbreak;
  vmcase(OP_GETGLOBAL) {
    TObject* rb = KBx(i);
    const TObject* v;
    if (ttistable(&cl->g) && !ttisnil(v = luaH_getstr(hvalue(&cl->g), tsvalue(rb)))) {
      setobj(ra, v);
    } else {
      Protect(luaV_gettable(L, &cl->g, rb, ra));
    }
    vmbreak;
  }
  vmcase(OP_GETTABLE) {
    StkId rb = RB(i);
    TObject* rc = RKC(i);
    const TObject* v;
    if (ttistable(rb) && !ttisnil(v = ttisstring(rc) ? luaH_getstr(hvalue(rb), tsvalue(rc)) : luaH_get(hvalue(rb), rc))) {
      setobj(ra, v);
    } else {
      Protect(luaV_gettable(L, rb, rc, ra));
    }
    vmbreak;
  }
  vmcase(OP_SETGLOBAL) Protect(luaV_settable(L, &cl->g, KBx(i), ra)); vmbreak;
  vmcase(OP_SETUPVAL) setobj(cl->upvals[GETARG_B(i)]->v, ra); vmbreak;
  vmcase(OP_SETTABLE) {
    TObject* rb = RKB(i);
    TObject* slot;
    // An existing field is overwritten in place; everything else takes the general path.
    if (ttistable(ra) && !ttisnil(slot = const_cast<TObject*>(luaH_get(hvalue(ra), rb)))) {
      setobj(slot, RKC(i));
    } else {
      Protect(luaV_settable(L, ra, RKB(i), RKC(i)));
    }
    vmbreak;
  }
  vmcase(OP_NEWTABLE)
    Protect({
      sethvalue(ra, luaH_new(L, luaO_fb2int(GETARG_B(i)), GETARG_C(i)));
      luaC_checkGC(L);
    });
    vmbreak;
  vmcase(OP_SELF) {
    StkId rb = RB(i);
    TObject* rc = RKC(i);
    TObject self = *rb;
    setobj(ra + 1, &self);
    const TObject* v;
    if (ttistable(&self) && ttisstring(rc) && (v = getmethod(L, hvalue(&self), tsvalue(rc))) != nullptr) {
      setobj(ra, v);
    } else {
      Protect(luaV_gettable(L, rb, rc, ra));  // from rb: a failing lookup names the value's own register
    }
    vmbreak;
  }
  vmcase(OP_ADD) arith_op(+, TM_ADD); vmbreak;
  vmcase(OP_SUB) arith_op(-, TM_SUB); vmbreak;
  vmcase(OP_MUL) arith_op(*, TM_MUL); vmbreak;
  vmcase(OP_DIV) arith_op(/, TM_DIV); vmbreak;
  vmcase(OP_BAND)
  vmcase(OP_BOR)
  vmcase(OP_SHL)
  vmcase(OP_SHR) {
    TObject* rb = RKB(i);
    TObject* rc = RKC(i);
    if (ttisnumber(rb) && ttisnumber(rc)) {
      setnvalue(ra, bitop(GET_OPCODE(i), nvalue(rb), nvalue(rc)));
    } else {
      Protect(luaG_aritherror(L, rb, rc, false));
    }
    vmbreak;
  }
  vmcase(OP_POW) {
    TObject* rb = RKB(i);
    TObject* rc = RKC(i);
    if (ttisnumber(rb) && ttisnumber(rc)) {
      setnvalue(ra, bitop(OP_POW, nvalue(rb), nvalue(rc)));
    } else {
      Protect(Arith(L, ra, rb, rc, TM_POW));
    }
    vmbreak;
  }
  vmcase(OP_UNM) {
    const TObject* rb = RB(i);
    TObject temp;
    if (ttisnumber(rb)) {
      setnvalue(ra, -nvalue(rb));
    } else if ((rb = luaV_tonumber(rb, &temp)) != nullptr) {
      setnvalue(ra, -nvalue(rb));
    } else {
      Protect({
        if (!call_binTM(L, RB(i), &luaO_nilobject, ra, TM_UNM)) luaG_aritherror(L, RB(i), &luaO_nilobject, true);
      });
    }
    vmbreak;
  }
  vmcase(OP_NOT) {
    int res = l_isfalse(RB(i));
    setbvalue(ra, res);
    vmbreak;
  }
  vmcase(OP_CONCAT) {
    int b = GETARG_B(i);
    int c = GETARG_C(i);
    Protect({
      luaV_concat(L, c - b + 1, c);
      luaC_checkGC(L);
    });
    setobj(RA(i), base + b);
    vmbreak;
  }
  vmcase(OP_JMP) pc += GETARG_sBx(i); vmbreak;
  vmcase(OP_EQ) {
    TObject* rb = RKB(i);
    TObject* rc = RKC(i);
    int res;
    if (ttype(rb) != ttype(rc)) {
      res = 0;
    } else if (!ttistable(rb) && !ttisuserdata(rb)) {
      res = luaO_rawequalObj(rb, rc);  // only tables and userdata have "__eq"
    } else {
      Protect(res = luaV_equalval(L, RKB(i), RKC(i)));
    }
    condjump(res == GETARG_A(i));
  }
  vmcase(OP_LT) {
    TObject* rb = RKB(i);
    TObject* rc = RKC(i);
    int res;
    if (ttisnumber(rb) && ttisnumber(rc)) {
      res = nvalue(rb) < nvalue(rc);
    } else {
      Protect(res = luaV_lessthan(L, RKB(i), RKC(i)));
    }
    condjump(res == GETARG_A(i));
  }
  vmcase(OP_LE) {
    TObject* rb = RKB(i);
    TObject* rc = RKC(i);
    int res;
    if (ttisnumber(rb) && ttisnumber(rc)) {
      res = nvalue(rb) <= nvalue(rc);
    } else {
      Protect(res = luaV_lessequal(L, RKB(i), RKC(i)));
    }
    condjump(res == GETARG_A(i));
  }
  vmcase(OP_TEST) {
    TObject* rb = RB(i);
    if (l_isfalse(rb) == GETARG_C(i)) {
      pc++;
      vmbreak;
    }
    setobj(ra, rb);
    takejump;
  }
  vmcase(OP_CALL)
  vmcase(OP_TAILCALL) {
    int b = GETARG_B(i);
    if (b != 0) L->top = ra + b;
    ci->savedpc = pc;
    if (GET_OPCODE(i) == OP_TAILCALL) {
      if (!ttisfunction(ra)) ra = luaD_tryfuncTM(L, ra);
      if (!clvalue(ra)->c.isC) {
        // Replace this frame by the callee's.
        base = L->base;
        if (L->openupval) luaF_close(L, base);
        StkId func = base - 1;
        int n = static_cast<int>(L->top - ra);
        for (int j = 0; j < n; j++) setobj(func + j, ra + j);
        L->top = func + n;
        int wanted = ci->nresults;
        int tailcalls = ci->tailcalls;
        L->ci--;
        L->base = L->ci->base;
        luaD_precall(L, func, wanted);
        L->ci->state |= CI_TAILCALL;
        L->ci->tailcalls = tailcalls + 1;
        goto reentry;
      }
    }
    int nresults = GET_OPCODE(i) == OP_CALL ? GETARG_C(i) - 1 : LUA_MULTRET;
    // The common call, a Lua function with fixed parameters and room on the stack, opens its frame here.
    if (ttisfunction(ra) && !clvalue(ra)->c.isC) {
      Proto* p = clvalue(ra)->l.p;
      if (!p->is_vararg && L->stack_last - L->top > p->maxstacksize) {
        luaD_openLuaFrame(L, ra, p, nresults);
        goto reentry;
      }
    }
    switch (luaD_precall(L, ra, nresults)) {
      case PCR_LUA: goto reentry;
      case PCR_C:
        ci = L->ci;
        if (nresults >= 0) L->top = ci->top;
        base = L->base;
        break;
      case PCR_YIELD: return nullptr;
    }
    vmbreak;
  }
  vmcase(OP_RETURN) {
    int b = GETARG_B(i);
    if (b != 0) L->top = ra + b - 1;
    if (L->openupval && L->openupval->v >= base) luaF_close(L, base);
    if (ci - L->base_ci == entryLevel) return ra;
    int wanted = ci->nresults;
    luaD_poscall(L, wanted, ra);
    if (wanted >= 0) L->top = L->ci->top;
    goto reentry;
  }
  vmcase(OP_FORLOOP) {
    if (!ttisnumber(ra) || !ttisnumber(ra + 1) || !ttisnumber(ra + 2)) [[unlikely]] {
      Protect({
        if (!ttisnumber(ra)) luaG_runerror(L, "`for' initial value must be a number");
        if (!tonumberinplace(ra + 1)) luaG_runerror(L, "`for' limit must be a number");
        if (!tonumberinplace(ra + 2)) luaG_runerror(L, "`for' step must be a number");
      });
    }
    lua_Number step = nvalue(ra + 2);
    lua_Number idx = nvalue(ra) + step;
    lua_Number limit = nvalue(ra + 1);
    if (step > 0 ? idx <= limit : idx >= limit) {
      pc += GETARG_sBx(i);
      setnvalue(ra, idx);
      vmbreak;
    }
    vmbreak;
  }
  vmcase(OP_TFORLOOP) {
    int nvar = GETARG_C(i) + 1;
    // The generator's results land at the call base, above the frame's registers when there are more
    // than three variables: the stack must hold them too.
    L->top = ra + nvar + 5;  // the call base, the generator and its two arguments
    Protect(luaD_checkstack(L, nvar));
    ra = RA(i);
    StkId cb = ra + nvar + 2;
    setobj(cb, ra);
    setobj(cb + 1, ra + 1);
    setobj(cb + 2, ra + 2);
    L->top = cb + 3;
    Protect(luaD_call(L, cb, nvar));
    L->top = ci->top;
    ra = RA(i) + 2;
    cb = ra + nvar;
    do {
      nvar--;
      setobj(ra + nvar, cb + nvar);
    } while (nvar > 0);
    if (ttisnil(ra)) pc++;  // skip the jump back: the loop ends
    vmbreak;
  }
  vmcase(OP_TFORPREP)
    if (ttistable(ra)) {
      setobj(ra + 1, ra);
      Protect(setobj(RA(i), luaH_getstr(hvalue(gt(L)), luaS_newliteral(L, "next"))));
    }
    pc += GETARG_sBx(i);
    vmbreak;
  vmcase(OP_SETLIST)
  vmcase(OP_SETLISTO) {
    if (!ttistable(ra)) vmbreak;
    Table* h = hvalue(ra);
    int bc = GETARG_Bx(i);
    int n;
    if (GET_OPCODE(i) == OP_SETLIST) {
      n = (bc & (LFIELDS_PER_FLUSH - 1)) + 1;
    } else {
      n = static_cast<int>(L->top - ra) - 1;
      L->top = ci->top;
    }
    bc &= ~(LFIELDS_PER_FLUSH - 1);
    Protect(for (; n > 0; n--) setobj(luaH_setnum(L, h, bc + n), RA(i) + n));
    vmbreak;
  }
  vmcase(OP_CLOSE) luaF_close(L, ra); vmbreak;
  vmcase(OP_CLOSURE) {
    Proto* p = cl->p->p[GETARG_Bx(i)];
    int nup = p->nups;
    Closure* ncl;
    Protect(ncl = luaF_newLclosure(L, nup, &cl->g));
    ncl->l.p = p;
    for (int j = 0; j < nup; j++, pc++) {
      if (GET_OPCODE(*pc) == OP_GETUPVAL) {
        ncl->l.upvals[j] = cl->upvals[GETARG_B(*pc)];
      } else {
        ci->savedpc = pc;
        ncl->l.upvals[j] = luaF_findupval(L, base + GETARG_B(*pc));
      }
    }
    setclvalue(RA(i), ncl);
    Protect(luaC_checkGC(L));
    vmbreak;
  }
  vmcase(OP_INVALID) vmbreak;  // the checker admits opcodes 0..38 only
}
