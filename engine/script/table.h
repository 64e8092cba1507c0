// Tables: array part plus hash part with chained scatter.
#pragma once

#include "engine/script/object.h"

constexpr int MAXBITS = 24;  // array keys k satisfy k - 1 < 2^24; log2 of the hash size at most 24

Table* luaH_new(lua_State* L, int narray, int lnhash);
void luaH_free(lua_State* L, Table* t);
const TObject* luaH_getnum(Table* t, int key);
// Lookup of a byte or wide string key, inline: every field access by name and method call takes it.
inline const TObject* luaH_getstr(Table* t, TString* key) {
  for (Node* n = &t->node[key->hash & static_cast<lu_hash>(sizenode(t) - 1)]; n != nullptr; n = n->next) {
    if (n->i_key.tt == key->tt && tsvalue(&n->i_key) == key) return &n->i_val;
  }
  return &luaO_nilobject;
}
inline const TObject* luaH_getwstr(Table* t, TString* key) { return luaH_getstr(t, key); }
const TObject* luaH_get(Table* t, const TObject* key);
// The value slot of `key`, inserted with nil when missing.
TObject* luaH_set(lua_State* L, Table* t, const TObject* key);
TObject* luaH_setnum(lua_State* L, Table* t, int key);
TObject* luaH_setstr(lua_State* L, Table* t, TString* key);
// Advances a traversal: key at `key` is replaced by the next key and the value pushed above it; 0 at the end.
int luaH_next(lua_State* L, Table* t, StkId key);
// Main position of a key (exposed for tests of the hash layout).
Node* luaH_mainposition(const Table* t, const TObject* key);

inline Node* gnode(Table* t, int i) { return &t->node[i]; }
