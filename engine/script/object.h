// Values and collectable objects of the script engine: value slots, strings and wide strings, userdata,
// tables, function prototypes, closures and upvalues.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/script/lua.h"
#include "engine/script/opcodes.h"

typedef uint8_t lu_byte;
typedef uint32_t lu_hash;

// Internal tags of collectable objects that never appear in a value slot.
#define LUA_TPROTO (LUA_TWSTRING + 1)
#define LUA_TUPVAL (LUA_TPROTO + 1)
#define NUM_TAGS (LUA_TPROTO + 1)  // per-type metatable slots: tags 0 .. 10

struct Table;
// The engine's string lives in its own namespace: the framework has a TString of its own, and the two must
// never be one name to the linker.
namespace script {
struct TString;
}
using script::TString;
struct Udata;
struct Proto;
union Closure;
struct UpVal;

// Common header of every collectable object.
struct GCObject {
  GCObject* next;   // the collector's list, or the chain of a string-table bucket
  lu_byte tt;       // tag
  lu_byte marked;   // collector flags (gc.h)
  GCObject* gclist; // gray list link while marking
};

union Value {
  GCObject* gc;
  void* p;
  lua_Number n;
  int b;
};

// A value slot: on the stack, in tables, constants and upvalues.
struct TObject {
  int tt;
  Value value;
};
typedef TObject* StkId;

inline int ttype(const TObject* o) { return o->tt; }
inline bool ttisnil(const TObject* o) { return o->tt == LUA_TNIL; }
inline bool ttisnumber(const TObject* o) { return o->tt == LUA_TNUMBER; }
inline bool ttisstring(const TObject* o) { return o->tt == LUA_TSTRING; }
inline bool ttiswstring(const TObject* o) { return o->tt == LUA_TWSTRING; }
inline bool ttistable(const TObject* o) { return o->tt == LUA_TTABLE; }
inline bool ttisfunction(const TObject* o) { return o->tt == LUA_TFUNCTION; }
inline bool ttisboolean(const TObject* o) { return o->tt == LUA_TBOOLEAN; }
inline bool ttisuserdata(const TObject* o) { return o->tt == LUA_TUSERDATA; }
inline bool ttisthread(const TObject* o) { return o->tt == LUA_TTHREAD; }
inline bool ttislightuserdata(const TObject* o) { return o->tt == LUA_TLIGHTUSERDATA; }
inline bool iscollectable(const TObject* o) { return o->tt >= LUA_TSTRING; }

inline GCObject* gcvalue(const TObject* o) { return o->value.gc; }
inline void* pvalue(const TObject* o) { return o->value.p; }
inline lua_Number nvalue(const TObject* o) { return o->value.n; }
inline int bvalue(const TObject* o) { return o->value.b; }
inline TString* tsvalue(const TObject* o);
inline Table* hvalue(const TObject* o);
inline Closure* clvalue(const TObject* o);
inline Udata* uvalue(const TObject* o);
lua_State* thvalue(const TObject* o);

inline bool l_isfalse(const TObject* o) { return ttisnil(o) || (ttisboolean(o) && bvalue(o) == 0); }

inline void setnilvalue(TObject* o) { o->tt = LUA_TNIL; }
inline void setnvalue(TObject* o, lua_Number n) { o->value.n = n; o->tt = LUA_TNUMBER; }
inline void setbvalue(TObject* o, int b) { o->tt = LUA_TBOOLEAN; o->value.b = b; }
inline void setpvalue(TObject* o, void* p) { o->tt = LUA_TLIGHTUSERDATA; o->value.p = p; }
inline void setgcvalue(TObject* o, GCObject* gc, int tt) { o->tt = tt; o->value.gc = gc; }
inline void setsvalue(TObject* o, TString* s);  // plain or wide string (the tag comes from the object)
inline void sethvalue(TObject* o, Table* t);
inline void setclvalue(TObject* o, Closure* cl);
inline void setuvalue(TObject* o, Udata* u);
void setthvalue(TObject* o, lua_State* th);
inline void setobj(TObject* dst, const TObject* src) { *dst = *src; }

// Plain string (tag 4) or wide string (tag 9); text follows the header, terminated by one 0 byte or unit.
namespace script {
struct TString : GCObject {
  lu_byte reserved;  // non-zero for reserved words (set by the lexer)
  lu_hash hash;
  uint32_t len;      // bytes, or 16-bit units for a wide string
};
}  // namespace script
inline char* getstr(TString* ts) { return reinterpret_cast<char*>(ts + 1); }
inline const char* getstr(const TString* ts) { return reinterpret_cast<const char*>(ts + 1); }
inline lua_WChar* getwstr(TString* ts) { return reinterpret_cast<lua_WChar*>(ts + 1); }
inline const lua_WChar* getwstr(const TString* ts) { return reinterpret_cast<const lua_WChar*>(ts + 1); }
inline const char* svalue(const TObject* o) { return getstr(tsvalue(o)); }
inline size_t sizestring(size_t len) { return sizeof(TString) + len + 1; }
inline size_t sizewstring(size_t len) { return sizeof(TString) + 2 * (len + 1); }

// Full userdata; the block follows the header.
struct Udata : GCObject {
  Table* metatable;
  uint32_t len;      // block size in bytes
  lu_byte isbox;     // a pointer box: the block holds one outside pointer
};
inline void* udatablock(Udata* u) { return reinterpret_cast<char*>(u) + ((sizeof(Udata) + 15) & ~size_t(15)); }
inline size_t sizeudata(size_t len) { return ((sizeof(Udata) + 15) & ~size_t(15)) + len; }

// Function prototype.
struct LocVar {
  TString* varname;
  int startpc;  // first instruction where the variable is active
  int endpc;    // first instruction where the variable is dead
};

struct Proto : GCObject {
  TObject* k;          // constants
  Instruction* code;
  Proto** p;           // nested prototypes
  int* lineinfo;       // source line of each instruction
  LocVar* locvars;
  TString** upvalues;  // upvalue names
  TString* source;
  int sizeupvalues;
  int sizek;
  int sizecode;
  int sizelineinfo;
  int sizep;
  int sizelocvars;
  int lineDefined;
  lu_byte nups;        // number of upvalues
  lu_byte numparams;
  lu_byte is_vararg;
  lu_byte maxstacksize;
};

// Upvalue: open while `v` points into a stack, closed once `value` holds the variable.
struct UpVal : GCObject {
  TObject* v;
  TObject value;
  UpVal* openNext;  // the thread's open-upvalue list, ordered by stack level from the top down
};

struct CClosure : GCObject {
  lu_byte isC;
  lu_byte nupvalues;
  TObject g;  // table of globals
  lua_CFunction f;
  TObject upvalue[1];
};

struct LClosure : GCObject {
  lu_byte isC;
  lu_byte nupvalues;
  TObject g;  // table of globals
  Proto* p;
  UpVal* upvals[1];
};

union Closure {
  CClosure c;
  LClosure l;
};
inline bool iscfunction(const TObject* o) { return ttisfunction(o) && clvalue(o)->c.isC; }
inline bool isLfunction(const TObject* o) { return ttisfunction(o) && !clvalue(o)->c.isC; }
inline size_t sizeCclosure(int n) { return sizeof(CClosure) + sizeof(TObject) * (n > 0 ? n - 1 : 0); }
inline size_t sizeLclosure(int n) { return sizeof(LClosure) + sizeof(UpVal*) * (n > 0 ? n - 1 : 0); }

// Tables.
struct Node {
  TObject i_key;
  TObject i_val;
  Node* next;  // collision chain
};

struct Table : GCObject {
  lu_byte flags;       // bit p set: event p known to be absent from this metatable
  lu_byte lsizenode;   // log2 of the hash part size
  Table* metatable;
  TObject* array;
  Node* node;
  Node* firstfree;     // every node after it is in use
  int sizearray;
};
inline int sizenode(const Table* t) { return 1 << t->lsizenode; }

inline TString* tsvalue(const TObject* o) { return static_cast<TString*>(o->value.gc); }
inline Table* hvalue(const TObject* o) { return static_cast<Table*>(o->value.gc); }
inline Closure* clvalue(const TObject* o) { return reinterpret_cast<Closure*>(o->value.gc); }
inline Udata* uvalue(const TObject* o) { return static_cast<Udata*>(o->value.gc); }
inline void setsvalue(TObject* o, TString* s) { setgcvalue(o, s, s->tt); }
inline void sethvalue(TObject* o, Table* t) { setgcvalue(o, t, LUA_TTABLE); }
inline void setclvalue(TObject* o, Closure* cl) { setgcvalue(o, reinterpret_cast<GCObject*>(cl), LUA_TFUNCTION); }
inline void setuvalue(TObject* o, Udata* u) { setgcvalue(o, u, LUA_TUSERDATA); }

// Shared nil value returned by failed lookups; never written.
extern const TObject luaO_nilobject;

// Integer part of log2(x) for x >= 1.
int luaO_log2(unsigned int x);

// "Floating point byte" (eeeeexxx: xxx * 2^eeeee) encoding the array size of OP_NEWTABLE.
int luaO_int2fb(unsigned int x);
int luaO_fb2int(int x);  // clamped to 2^24

int luaO_rawequalObj(const TObject* t1, const TObject* t2);
// Plain text to number: decimal only, correctly rounded, white space allowed around it.
int luaO_str2d(const char* s, size_t len, lua_Number* result);
inline int luaO_str2d(const char* s, lua_Number* result);
// Wide text (0-terminated) to number: hexadecimal with fraction and exponent, or decimal.
int luaO_wstr2d(const lua_WChar* s, lua_Number* result);
// Length in units of a 0-terminated wide text.
size_t luaO_wstrlen(const lua_WChar* s);
// "%.14g" of a number into buf (at least 32 bytes); returns the length.
int luaO_num2str(lua_Number n, char* buf);

// Defined conversions of any double to integers: NaN and out-of-range values give the minimum.
int64_t luaO_toint64(lua_Number n);
int32_t luaO_toint32(lua_Number n);
uint32_t luaO_low32(lua_Number n);  // low 32 bits of the truncated 64-bit value

const char* luaO_pushvfstring(lua_State* L, const char* fmt, va_list argp);
const char* luaO_pushfstring(lua_State* L, const char* fmt, ...);
// Chunk identifier of a source name, cut to `bufflen` bytes: "=name", "@file" or [string "..."].
void luaO_chunkid(char* out, const char* source, int bufflen);

inline int luaO_str2d(const char* s, lua_Number* result) {
  size_t len = 0;
  while (s[len]) len++;
  return luaO_str2d(s, len, result);
}
