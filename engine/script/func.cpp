#include "engine/script/func.h"

#include "engine/script/gc.h"
#include "engine/script/memory.h"
#include "engine/script/state.h"

Closure* luaF_newCclosure(lua_State* L, int nelems) {
  CClosure* c = static_cast<CClosure*>(luaM_realloc(L, nullptr, 0, sizeCclosure(nelems)));
  luaC_link(L, c, LUA_TFUNCTION);
  c->isC = 1;
  c->nupvalues = static_cast<lu_byte>(nelems);
  setnilvalue(&c->g);
  for (int i = 0; i < nelems; i++) setnilvalue(&c->upvalue[i]);
  return reinterpret_cast<Closure*>(c);
}

Closure* luaF_newLclosure(lua_State* L, int nelems, TObject* e) {
  LClosure* c = static_cast<LClosure*>(luaM_realloc(L, nullptr, 0, sizeLclosure(nelems)));
  luaC_link(L, c, LUA_TFUNCTION);
  c->isC = 0;
  c->g = *e;
  c->p = nullptr;
  c->nupvalues = static_cast<lu_byte>(nelems);
  for (int i = 0; i < nelems; i++) c->upvals[i] = nullptr;
  return reinterpret_cast<Closure*>(c);
}

UpVal* luaF_findupval(lua_State* L, StkId level) {
  UpVal** pp = &L->openupval;
  UpVal* p;
  while ((p = *pp) != nullptr && p->v >= level) {
    if (p->v == level) return p;
    pp = &p->openNext;
  }
  // An open upvalue belongs to its thread's list; the collector's list takes it once it is closed.
  UpVal* v = static_cast<UpVal*>(luaM_realloc(L, nullptr, 0, sizeof(UpVal)));
  v->tt = LUA_TUPVAL;
  v->marked = 0;
  v->next = nullptr;
  v->gclist = nullptr;
  v->v = level;
  setnilvalue(&v->value);
  v->openNext = *pp;
  *pp = v;
  return v;
}

void luaF_close(lua_State* L, StkId level) {
  UpVal* p;
  while ((p = L->openupval) != nullptr && p->v >= level) {
    setobj(&p->value, p->v);
    p->v = &p->value;
    L->openupval = p->openNext;
    p->openNext = nullptr;
    p->next = G(L)->rootgc;  // keeps its mark: a collection may be closing a dead thread's upvalues
    G(L)->rootgc = p;
  }
}

Proto* luaF_newproto(lua_State* L) {
  Proto* f = static_cast<Proto*>(luaM_realloc(L, nullptr, 0, sizeof(Proto)));
  luaC_link(L, f, LUA_TPROTO);
  f->k = nullptr;
  f->sizek = 0;
  f->p = nullptr;
  f->sizep = 0;
  f->code = nullptr;
  f->sizecode = 0;
  f->sizelineinfo = 0;
  f->sizeupvalues = 0;
  f->nups = 0;
  f->upvalues = nullptr;
  f->numparams = 0;
  f->is_vararg = 0;
  f->maxstacksize = 0;
  f->lineinfo = nullptr;
  f->sizelocvars = 0;
  f->locvars = nullptr;
  f->lineDefined = 0;
  f->source = nullptr;
  return f;
}

void luaF_freeproto(lua_State* L, Proto* f) {
  luaM_freearray(L, f->code, f->sizecode);
  luaM_freearray(L, f->p, f->sizep);
  luaM_freearray(L, f->k, f->sizek);
  luaM_freearray(L, f->lineinfo, f->sizelineinfo);
  luaM_freearray(L, f->locvars, f->sizelocvars);
  luaM_freearray(L, f->upvalues, f->sizeupvalues);
  luaM_free(L, f, sizeof(Proto));
}

void luaF_freeclosure(lua_State* L, Closure* c) {
  size_t size = c->c.isC ? sizeCclosure(c->c.nupvalues) : sizeLclosure(c->l.nupvalues);
  luaM_free(L, c, size);
}

const char* luaF_getlocalname(const Proto* f, int local_number, int pc) {
  for (int i = 0; i < f->sizelocvars && f->locvars[i].startpc <= pc; i++) {
    if (pc < f->locvars[i].endpc) {
      local_number--;
      if (local_number == 0) return getstr(f->locvars[i].varname);
    }
  }
  return nullptr;
}
