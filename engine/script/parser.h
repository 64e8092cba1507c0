// Parser entry point: Proto* luaY_parser(lua_State* L, ZIO* z, Mbuffer* buff) (declared in load.h), the text
// path of lua_load. It skips a UTF-16LE byte-order mark itself (setting z->wide), interns z->name as the chunk
// name and returns the main function's prototype; errors are raised as LUA_ERRSYNTAX.
//
// The one-pass parser drives the code generator; the block records below track the open blocks of the
// function being compiled.
#pragma once

#include "engine/script/code.h"
#include "engine/script/load.h"

// One open block, chained from the innermost outwards.
struct BlockCnt {
  BlockCnt* previous;
  int breaklist;     // jumps of `break`s that leave this block
  int continuelist;  // jumps of `continue`s that restart this loop
  int nactvar;       // active locals when the block was entered
  bool upval;        // a local of this block is captured by an inner function
  bool isloop;       // `break` and `continue` can address this block
};

constexpr int LUA_MAXPARSERLEVEL = 200;  // nested statement lists and sub-expressions
constexpr int MAXEXPWHILE = 100;         // instructions of a `while` condition
constexpr int MAXLOOPNUMBER = 100;       // loop number after `break` / `continue`
