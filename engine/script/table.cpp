#include "engine/script/table.h"

#include <cmath>
#include <cstring>

#include "engine/script/debug.h"
#include "engine/script/gc.h"
#include "engine/script/memory.h"
#include "engine/script/state.h"

constexpr int MAXASIZE = 1 << MAXBITS;

// A 32-bit remainder: the wider division costs several times as much, and the low half of a pointer or a
// number's halves carry all the spread the table needs.
static Node* hashmod(const Table* t, uint32_t n) {
  return const_cast<Node*>(&t->node[n % static_cast<uint32_t>((sizenode(t) - 1) | 1)]);
}

static Node* hashnum(const Table* t, lua_Number n) {
  lua_Number shifted = n + 1;  // -0 and 0 agree
  uint32_t halves[2];
  static_assert(sizeof(halves) == sizeof(lua_Number));
  std::memcpy(halves, &shifted, sizeof(halves));
  return hashmod(t, halves[0] + halves[1]);
}

static Node* hashpow2(const Table* t, lu_hash h) {
  return const_cast<Node*>(&t->node[h & static_cast<lu_hash>(sizenode(t) - 1)]);
}

Node* luaH_mainposition(const Table* t, const TObject* key) {
  switch (ttype(key)) {
    case LUA_TNUMBER: return hashnum(t, nvalue(key));
    case LUA_TSTRING:
    case LUA_TWSTRING: return hashpow2(t, tsvalue(key)->hash);
    case LUA_TBOOLEAN: return hashpow2(t, static_cast<lu_hash>(bvalue(key)));
    case LUA_TLIGHTUSERDATA: return hashmod(t, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pvalue(key))));
    default: return hashmod(t, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(gcvalue(key))));
  }
}

// The array index of a key, or -1 when the key is not a positive integer within the array range.
static int arrayindex(const TObject* key) {
  if (!ttisnumber(key)) return -1;
  lua_Number n = nvalue(key);
  if (!(n >= 1 && n <= MAXASIZE)) return -1;
  int k = static_cast<int>(n);
  return static_cast<lua_Number>(k) == n ? k : -1;
}

// Position of a key for a traversal: array slots first, then nodes; -1 for the start.
static int findindex(lua_State* L, Table* t, StkId key) {
  if (ttisnil(key)) return -1;
  int i = arrayindex(key);
  if (i > 0 && i <= t->sizearray) return i - 1;
  const TObject* v = luaH_get(t, key);
  if (v == &luaO_nilobject) luaG_runerror(L, "invalid key for `next'");
  // The value slot sits inside its node.
  const Node* n = reinterpret_cast<const Node*>(reinterpret_cast<const char*>(v) - offsetof(Node, i_val));
  return static_cast<int>(n - t->node) + t->sizearray;
}

int luaH_next(lua_State* L, Table* t, StkId key) {
  int i = findindex(L, t, key);
  for (i++; i < t->sizearray; i++) {
    if (!ttisnil(&t->array[i])) {
      setnvalue(key, i + 1);
      setobj(key + 1, &t->array[i]);
      return 1;
    }
  }
  for (i -= t->sizearray; i < sizenode(t); i++) {
    if (!ttisnil(&t->node[i].i_val)) {
      setobj(key, &t->node[i].i_key);
      setobj(key + 1, &t->node[i].i_val);
      return 1;
    }
  }
  return 0;
}

// Slice of an array key: keys in (2^(i-1), 2^i] count in nums[i].
static int ceillog2(int k) { return k == 1 ? 0 : luaO_log2(static_cast<unsigned>(k - 1)) + 1; }

static void countkey(const TObject* key, int* nums, int* nasize) {
  int k = arrayindex(key);
  if (k > 0) {
    nums[ceillog2(k)]++;
    (*nasize)++;
  }
}

// Largest power of two n with at least half of 1..n in use; stores in *narray the keys it holds.
static int computesizes(const int* nums, int* narray) {
  int a = 0, na = 0, n = 0;
  for (int i = 0, twotoi = 1; i <= MAXBITS && twotoi / 2 < *narray; i++, twotoi *= 2) {
    if (nums[i] > 0) {
      a += nums[i];
      if (a >= twotoi / 2 + (twotoi & 1)) {
        n = twotoi;
        na = a;
      }
    }
  }
  *narray = na;
  return n;
}

static void setarrayvector(lua_State* L, Table* t, int size) {
  luaM_reallocvector(L, t->array, t->sizearray, size);
  for (int i = t->sizearray; i < size; i++) setnilvalue(&t->array[i]);
  t->sizearray = size;
}

// A node vector of 2^lsize nodes; the shared dummy node when lsize is negative (no hash part).
static Node* newnodes(lua_State* L, int lsize) {
  if (lsize > MAXBITS) luaG_runerror(L, "table overflow");
  if (lsize < 0) return G(L)->dummynode;
  int size = 1 << lsize;
  Node* nodes = luaM_newvector<Node>(L, size);
  for (int i = 0; i < size; i++) {
    nodes[i].next = nullptr;
    setnilvalue(&nodes[i].i_key);
    setnilvalue(&nodes[i].i_val);
  }
  return nodes;
}

static void setnodes(Table* t, Node* nodes, int lsize) {
  t->node = nodes;
  t->lsizenode = static_cast<lu_byte>(lsize < 0 ? 0 : lsize);
  t->firstfree = nodes + (lsize < 0 ? 0 : (1 << lsize));
}

// Log2 of the smallest power of two holding n keys; -1 for none.
static int lsizefor(int n) { return n == 0 ? -1 : ceillog2(n); }

static void resize(lua_State* L, Table* t, int nasize, int lsize) {
  int oldasize = t->sizearray;
  int oldlsize = t->lsizenode;
  Node* nold = t->node;
  Node* nodes = newnodes(L, lsize);
  if (nasize > oldasize) {
    try {
      setarrayvector(L, t, nasize);
    } catch (...) {
      if (lsize >= 0) luaM_freearray(L, nodes, 1 << lsize);
      throw;
    }
  }
  setnodes(t, nodes, lsize);
  if (nasize < oldasize) {
    t->sizearray = nasize;
    for (int i = nasize; i < oldasize; i++) {
      if (!ttisnil(&t->array[i])) setobj(luaH_setnum(L, t, i + 1), &t->array[i]);
    }
    luaM_reallocvector(L, t->array, oldasize, nasize);
  }
  if (nold == G(L)->dummynode) return;
  for (int i = (1 << oldlsize) - 1; i >= 0; i--) {
    Node* old = nold + i;
    if (!ttisnil(&old->i_val)) setobj(luaH_set(L, t, &old->i_key), &old->i_val);
  }
  luaM_freearray(L, nold, 1 << oldlsize);
}

static void rehash(lua_State* L, Table* t, const TObject* extrakey) {
  int nums[MAXBITS + 1] = {};
  int nasize = 0, totaluse = 0;
  for (int i = 0; i < t->sizearray; i++) {
    if (!ttisnil(&t->array[i])) {
      nums[ceillog2(i + 1)]++;
      nasize++;
      totaluse++;
    }
  }
  for (int i = 0; i < sizenode(t); i++) {
    Node* n = &t->node[i];
    if (!ttisnil(&n->i_val)) {
      countkey(&n->i_key, nums, &nasize);
      totaluse++;
    }
  }
  countkey(extrakey, nums, &nasize);
  totaluse++;
  int inarray = nasize;
  int arraysize = computesizes(nums, &inarray);
  resize(L, t, arraysize, lsizefor(totaluse - inarray));
}

Table* luaH_new(lua_State* L, int narray, int lnhash) {
  Table* t = static_cast<Table*>(luaM_realloc(L, nullptr, 0, sizeof(Table)));
  luaC_link(L, t, LUA_TTABLE);
  const TObject* dm = &G(L)->_defaultmeta;
  t->metatable = ttistable(dm) ? hvalue(dm) : nullptr;
  t->flags = static_cast<lu_byte>(~0);
  t->array = nullptr;
  t->sizearray = 0;
  setnodes(t, G(L)->dummynode, -1);
  setarrayvector(L, t, narray);
  int lsize = lnhash > 0 ? lnhash : -1;
  setnodes(t, newnodes(L, lsize), lsize);
  return t;
}

void luaH_free(lua_State* L, Table* t) {
  if (t->node != G(L)->dummynode) luaM_freearray(L, t->node, sizenode(t));
  luaM_freearray(L, t->array, t->sizearray);
  luaM_free(L, t, sizeof(Table));
}

static Node* getfreepos(Table* t) {
  while (t->firstfree > t->node) {
    t->firstfree--;
    if (ttisnil(&t->firstfree->i_key)) return t->firstfree;
  }
  return nullptr;
}

// Inserts a key known to be absent.
static TObject* newkey(lua_State* L, Table* t, const TObject* key) {
  Node* mp = luaH_mainposition(t, key);
  if (!ttisnil(&mp->i_val) || mp == G(L)->dummynode) {
    Node* n = getfreepos(t);
    if (n == nullptr) {
      rehash(L, t, key);
      return luaH_set(L, t, key);
    }
    Node* othern = luaH_mainposition(t, &mp->i_key);
    if (othern != mp) {
      // The occupant is not in its main position: move it to the free node.
      while (othern->next != mp) othern = othern->next;
      othern->next = n;
      *n = *mp;
      mp->next = nullptr;
      setnilvalue(&mp->i_val);
    } else {
      n->next = mp->next;
      mp->next = n;
      mp = n;
    }
  }
  setobj(&mp->i_key, key);
  return &mp->i_val;
}

static const TObject* getgeneric(Table* t, const TObject* key) {
  for (Node* n = luaH_mainposition(t, key); n != nullptr; n = n->next) {
    if (luaO_rawequalObj(&n->i_key, key)) return &n->i_val;
  }
  return &luaO_nilobject;
}

const TObject* luaH_getnum(Table* t, int key) {
  if (key >= 1 && key <= t->sizearray) return &t->array[key - 1];
  lua_Number nk = key;
  for (Node* n = hashnum(t, nk); n != nullptr; n = n->next) {
    if (ttisnumber(&n->i_key) && nvalue(&n->i_key) == nk) return &n->i_val;
  }
  return &luaO_nilobject;
}

const TObject* luaH_get(Table* t, const TObject* key) {
  switch (ttype(key)) {
    case LUA_TSTRING: return luaH_getstr(t, tsvalue(key));
    case LUA_TWSTRING: return luaH_getwstr(t, tsvalue(key));
    case LUA_TNUMBER: {
      lua_Number n = nvalue(key);
      if (n >= -2147483648.0 && n <= 2147483647.0) {
        int k = static_cast<int>(n);
        if (static_cast<lua_Number>(k) == n) return luaH_getnum(t, k);
      }
      for (Node* node = hashnum(t, n); node != nullptr; node = node->next) {
        if (ttisnumber(&node->i_key) && nvalue(&node->i_key) == n) return &node->i_val;
      }
      return &luaO_nilobject;
    }
    case LUA_TNIL: return &luaO_nilobject;
    default: return getgeneric(t, key);
  }
}

TObject* luaH_set(lua_State* L, Table* t, const TObject* key) {
  const TObject* p = luaH_get(t, key);
  t->flags = 0;
  if (p != &luaO_nilobject) return const_cast<TObject*>(p);
  if (ttisnil(key)) luaG_runerror(L, "table index is nil");
  if (ttisnumber(key) && std::isnan(nvalue(key))) luaG_runerror(L, "table index is NaN");
  return newkey(L, t, key);
}

TObject* luaH_setnum(lua_State* L, Table* t, int key) {
  const TObject* p = luaH_getnum(t, key);
  t->flags = 0;
  if (p != &luaO_nilobject) return const_cast<TObject*>(p);
  TObject k;
  setnvalue(&k, key);
  return newkey(L, t, &k);
}

TObject* luaH_setstr(lua_State* L, Table* t, TString* key) {
  const TObject* p = luaH_getstr(t, key);
  t->flags = 0;
  if (p != &luaO_nilobject) return const_cast<TObject*>(p);
  TObject k;
  setsvalue(&k, key);
  return newkey(L, t, &k);
}
