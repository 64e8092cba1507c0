#include "engine/script/gc.h"

#include <cstring>

#include "engine/script/call.h"
#include "engine/script/func.h"
#include "engine/script/intern.h"
#include "engine/script/memory.h"
#include "engine/script/table.h"

namespace {

constexpr lu_byte MARK = 1 << GC_MARKBIT;

inline bool ismarked(const GCObject* o) { return (o->marked & (MARK | (1 << GC_FIXED))) != 0; }

struct GCState {
  global_State* g;
  GCObject* gray;   // objects marked but not yet traversed
  Table* weak;      // weak tables seen, linked through gclist
};

void markobject(GCState* st, GCObject* o);

inline void markvalue(GCState* st, const TObject* o) {
  if (iscollectable(o)) markobject(st, gcvalue(o));
}

void markobject(GCState* st, GCObject* o) {
  if (ismarked(o)) return;
  o->marked |= MARK;
  switch (o->tt) {
    case LUA_TSTRING:
    case LUA_TWSTRING: break;
    case LUA_TUSERDATA: {
      Table* mt = static_cast<Udata*>(o)->metatable;
      if (mt) markobject(st, mt);
      break;
    }
    case LUA_TUPVAL: markvalue(st, static_cast<UpVal*>(o)->v); break;
    default:
      o->gclist = st->gray;
      st->gray = o;
      break;
  }
}

// Weak mode from the metatable's "__mode": bits GC_WEAKKEY / GC_WEAKVALUE.
int weakmode(global_State* g, Table* h) {
  if (h->metatable == nullptr) return 0;
  const TObject* mode = luaT_gettm(h->metatable, TM_MODE, g->tmname[TM_MODE]);
  if (mode == nullptr || !ttisstring(mode)) return 0;
  const char* s = svalue(mode);
  int bits = 0;
  if (std::strchr(s, 'k')) bits |= 1 << GC_WEAKKEY;
  if (std::strchr(s, 'v')) bits |= 1 << GC_WEAKVALUE;
  return bits;
}

void traversetable(GCState* st, Table* h) {
  if (h->metatable) markobject(st, h->metatable);
  h->marked &= static_cast<lu_byte>(~((1 << GC_WEAKKEY) | (1 << GC_WEAKVALUE)));
  int mode = weakmode(st->g, h);
  bool weakkey = mode & (1 << GC_WEAKKEY), weakvalue = mode & (1 << GC_WEAKVALUE);
  if (mode) {
    h->marked |= static_cast<lu_byte>(mode);
    h->gclist = st->weak;
    st->weak = h;
  }
  if (!weakvalue) {
    for (int i = 0; i < h->sizearray; i++) markvalue(st, &h->array[i]);
  }
  for (int i = sizenode(h) - 1; i >= 0; i--) {
    Node* n = &h->node[i];
    if (ttisnil(&n->i_val)) continue;
    if (!weakkey) markvalue(st, &n->i_key);
    if (!weakvalue) markvalue(st, &n->i_val);
  }
}

void traverseproto(GCState* st, Proto* f) {
  if (f->source) markobject(st, f->source);
  for (int i = 0; i < f->sizek; i++) markvalue(st, &f->k[i]);
  for (int i = 0; i < f->sizeupvalues; i++) {
    if (f->upvalues[i]) markobject(st, f->upvalues[i]);
  }
  for (int i = 0; i < f->sizep; i++) {
    if (f->p[i]) markobject(st, f->p[i]);
  }
  for (int i = 0; i < f->sizelocvars; i++) {
    if (f->locvars[i].varname) markobject(st, f->locvars[i].varname);
  }
}

void traverseclosure(GCState* st, Closure* cl) {
  markvalue(st, &cl->c.g);
  if (cl->c.isC) {
    for (int i = 0; i < cl->c.nupvalues; i++) markvalue(st, &cl->c.upvalue[i]);
    return;
  }
  if (cl->l.p) markobject(st, cl->l.p);
  for (int i = 0; i < cl->l.nupvalues; i++) {
    if (cl->l.upvals[i]) markobject(st, cl->l.upvals[i]);
  }
}

// Marks a thread's stack up to its top and clears the dead part above it, up to the highest frame limit.
void traversestack(GCState* st, lua_State* L1) {
  markvalue(st, gt(L1));
  if (L1->stack == nullptr || L1->base_ci == nullptr) return;
  StkId lim = L1->top;
  for (CallInfo* ci = L1->base_ci; ci <= L1->ci; ci++) {
    if (lim < ci->top) lim = ci->top;
  }
  StkId o = L1->stack;
  for (; o < L1->top; o++) markvalue(st, o);
  for (; o <= lim && o < L1->stack + L1->stacksize; o++) setnilvalue(o);
}

void propagatemarks(GCState* st) {
  while (st->gray) {
    GCObject* o = st->gray;
    st->gray = o->gclist;
    switch (o->tt) {
      case LUA_TTABLE: traversetable(st, static_cast<Table*>(o)); break;
      case LUA_TFUNCTION: traverseclosure(st, reinterpret_cast<Closure*>(o)); break;
      case LUA_TTHREAD: traversestack(st, static_cast<lua_State*>(o)); break;
      case LUA_TPROTO: traverseproto(st, static_cast<Proto*>(o)); break;
      default: break;
    }
  }
}

void markroot(GCState* st, lua_State* L) {
  global_State* g = st->g;
  markvalue(st, &g->_defaultmeta);
  for (int i = 0; i < NUM_TAGS; i++) markvalue(st, &g->typemeta[i]);
  markvalue(st, registry(L));
  markobject(st, g->mainthread);
  markobject(st, L);  // the running thread
  // Userdata still waiting for their finaliser keep what they reach.
  for (GCObject* u = g->tmudata; u; u = u->next) markobject(st, u);
  propagatemarks(st);
}

// A value in a weak table is kept when marked; strings are never removed (and so get marked here).
bool keepvalue(GCState* st, const TObject* o) {
  if (ttisstring(o) || ttiswstring(o)) {
    gcvalue(o)->marked |= MARK;
    return true;
  }
  return !iscollectable(o) || ismarked(gcvalue(o));
}

void clearweaktables(GCState* st) {
  for (Table* h = st->weak; h; h = static_cast<Table*>(h->gclist)) {
    bool weakkey = h->marked & (1 << GC_WEAKKEY), weakvalue = h->marked & (1 << GC_WEAKVALUE);
    if (weakvalue) {
      for (int i = 0; i < h->sizearray; i++) {
        if (!keepvalue(st, &h->array[i])) setnilvalue(&h->array[i]);
      }
    }
    for (int i = sizenode(h) - 1; i >= 0; i--) {
      Node* n = &h->node[i];
      if (ttisnil(&n->i_val)) continue;
      bool keep = true;
      if (weakkey && !keepvalue(st, &n->i_key)) keep = false;
      if (weakvalue && !keepvalue(st, &n->i_val)) keep = false;
      if (!keep) setnilvalue(&n->i_val);  // the key stays as a dead key for traversals
    }
  }
}

void freeobj(lua_State* L, GCObject* o) {
  switch (o->tt) {
    case LUA_TPROTO: luaF_freeproto(L, static_cast<Proto*>(o)); break;
    case LUA_TFUNCTION: luaF_freeclosure(L, reinterpret_cast<Closure*>(o)); break;
    case LUA_TUPVAL: luaM_free(L, o, sizeof(UpVal)); break;
    case LUA_TTABLE: luaH_free(L, static_cast<Table*>(o)); break;
    case LUA_TTHREAD: luaE_freethread(L, static_cast<lua_State*>(o)); break;
    case LUA_TUSERDATA: luaM_free(L, o, sizeudata(static_cast<Udata*>(o)->len)); break;
    case LUA_TSTRING: luaM_free(L, o, sizestring(static_cast<TString*>(o)->len)); break;
    case LUA_TWSTRING: luaM_free(L, o, sizewstring(static_cast<TString*>(o)->len)); break;
    default: break;
  }
}

// Frees unmarked objects of a list (every object when `all`) and clears the marks of the others.
void sweeplist(lua_State* L, GCObject** p, bool all) {
  GCObject* curr;
  while ((curr = *p) != nullptr) {
    if (!all && ismarked(curr)) {
      curr->marked &= static_cast<lu_byte>(~MARK);
      p = &curr->next;
    } else {
      *p = curr->next;
      freeobj(L, curr);
    }
  }
}

void sweepstrings(lua_State* L, bool all) {
  stringtable* tb = &G(L)->strt;
  for (int i = 0; i < tb->size; i++) {
    GCObject** p = &tb->hash[i];
    GCObject* curr;
    while ((curr = *p) != nullptr) {
      if (!all && ismarked(curr)) {
        curr->marked &= static_cast<lu_byte>(~MARK);
        p = &curr->next;
      } else {
        *p = curr->next;
        tb->nuse--;
        freeobj(L, curr);
      }
    }
  }
}

// Open upvalues live outside the collector's lists; their marks are cleared through their threads.
void clearopenupvalues(global_State* g) {
  auto clear = [](lua_State* th) {
    for (UpVal* uv = th->openupval; uv; uv = uv->openNext) uv->marked &= static_cast<lu_byte>(~MARK);
  };
  clear(g->mainthread);
  for (GCObject* o = g->rootgc; o; o = o->next) {
    if (o->tt == LUA_TTHREAD) clear(static_cast<lua_State*>(o));
  }
}

void checksizes(lua_State* L) {
  global_State* g = G(L);
  if (g->strt.nuse < static_cast<uint32_t>(g->strt.size / 4) && g->strt.size > 64) luaS_resize(L, g->strt.size / 2);
  if (g->buff.size > 64) {
    size_t newsize = g->buff.size / 2;
    L->scratchFlag = 1;
    g->buff.buffer = static_cast<char*>(luaM_realloc(L, g->buff.buffer, g->buff.size, newsize));
    L->scratchFlag = 0;
    g->buff.size = newsize;
  }
}

}  // namespace

void luaC_link(lua_State* L, GCObject* o, lu_byte tt) {
  global_State* g = G(L);
  o->next = g->rootgc;
  g->rootgc = o;
  o->marked = 0;
  o->tt = tt;
  o->gclist = nullptr;
}

size_t luaC_separateudata(lua_State* L, int all) {
  global_State* g = G(L);
  size_t deadmem = 0;
  GCObject** p = &g->rootudata;
  GCObject** lastcollected = &g->tmudata;
  while (*lastcollected) lastcollected = &(*lastcollected)->next;
  GCObject* curr;
  while ((curr = *p) != nullptr) {
    Udata* u = static_cast<Udata*>(curr);
    bool finalise = (all || !ismarked(curr)) && (curr->marked & (1 << GC_NOTFINALISED)) &&
                    fasttm(L, u->metatable, TM_GC) != nullptr;
    if (!finalise) {
      p = &curr->next;
      continue;
    }
    deadmem += sizeudata(u->len);
    curr->marked &= static_cast<lu_byte>(~(1 << GC_NOTFINALISED));
    *p = curr->next;
    curr->next = nullptr;
    *lastcollected = curr;
    lastcollected = &curr->next;
  }
  return deadmem;
}

void luaC_collect(lua_State* L, int all) {
  // Threads about to be freed close their upvalues first: live closures may still hold them.
  for (GCObject* o = G(L)->rootgc; o; o = o->next) {
    if (o->tt == LUA_TTHREAD && (all || !ismarked(o))) {
      lua_State* th = static_cast<lua_State*>(o);
      if (th->stack) luaF_close(th, th->stack);
    }
  }
  sweepstrings(L, all);
  sweeplist(L, &G(L)->rootudata, all);
  sweeplist(L, &G(L)->rootgc, all);
  if (all) sweeplist(L, &G(L)->tmudata, true);
}

// Calls the finaliser of each separated userdata, in list order.
void luaC_callGCTM(lua_State* L) {
  global_State* g = G(L);
  if (g->inFinalisers) return;
  struct Running {
    global_State* g;
    explicit Running(global_State* gs) : g(gs) { g->inFinalisers = true; }
    ~Running() { g->inFinalisers = false; }
  } running(g);
  while (g->tmudata) {
    GCObject* o = g->tmudata;
    Udata* udata = static_cast<Udata*>(o);
    g->tmudata = o->next;  // back to the normal list: freed by the next collection unless revived
    o->next = g->rootudata;
    g->rootudata = o;
    const TObject* tm = fasttm(L, udata->metatable, TM_GC);
    if (tm == nullptr) continue;
    setobj(L->top, tm);
    setuvalue(L->top + 1, udata);
    L->top += 2;
    luaD_call(L, L->top - 2, 0);
  }
}

void luaC_collectgarbage(lua_State* L) {
  global_State* g = G(L);
  GCState st{g, nullptr, nullptr};
  markroot(&st, L);
  size_t deadmem = luaC_separateudata(L, 0);
  for (GCObject* u = g->tmudata; u; u = u->next) markobject(&st, u);
  propagatemarks(&st);
  clearweaktables(&st);
  luaC_collect(L, 0);
  clearopenupvalues(g);
  // Marks of objects reached only as roots outside the lists (main thread, waiting userdata).
  g->mainthread->marked &= static_cast<lu_byte>(~MARK);
  for (GCObject* u = g->tmudata; u; u = u->next) u->marked &= static_cast<lu_byte>(~MARK);
  checksizes(L);
  g->deadmem = deadmem;
  g->GCthreshold = 2 * g->nblocks - deadmem;
  luaC_callGCTM(L);
}

void luaC_checkGC(lua_State* L) {
  global_State* g = G(L);
  if (g->nblocks >= g->GCthreshold || g->gcStress) luaC_collectgarbage(L);
}
