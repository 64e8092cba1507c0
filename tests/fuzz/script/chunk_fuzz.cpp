// Precompiled chunks from outside (cached script code, chunks handed to loadstring). Every input either
// loads or fails with one of the loader's messages; a chunk that loads runs to its end or to an error
// value, never outside its registers, constants, upvalues or prototypes. Only chunks without backward
// jumps are run, so that every run is short; they run collecting at every check.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/func.h"
#include "engine/script/opcodes.h"
#include "tests/engine/script/compiler/chunk_builder.h"
#include "tests/fuzz/script/fuzz_state.h"

namespace {

// Loader messages for the chunk name "=fuzz", each up to the part that varies.
const char* const kLoadMessages[] = {
    "bad signature in fuzz",
    "fuzz too new: read version ",
    "fuzz too old: read version ",
    "virtual machine mismatch in fuzz: size of ",
    "unknown number format in fuzz",
    "bad integer in fuzz",
    "bad constant type (",
    "bad nupvalues in fuzz: read ",
    "bad code in fuzz",
    "unexpected end of file in fuzz",
};

bool IsLoadMessage(const char* message) {
  for (const char* known : kLoadMessages) {
    if (std::strncmp(message, known, std::strlen(known)) == 0) return true;
  }
  return false;
}

bool JumpsBack(const Proto* p) {
  for (int pc = 0; pc < p->sizecode; pc++) {
    Instruction i = p->code[pc];
    if (getOpMode(GET_OPCODE(i)) == iAsBx && GETARG_sBx(i) < 0) return true;
  }
  for (int k = 0; k < p->sizep; k++) {
    if (JumpsBack(p->p[k])) return true;
  }
  return false;
}

// Inputs without the signature are instruction words: the code of a well-formed main function (its
// register count from the first byte) with constants of every kind and two nested prototypes, so that the
// checker meets many instruction mixes in chunks that pass every other check.
std::string CodeChunk(const uint8_t* data, size_t size) {
  FunctionRecord child;  // function(a, ...) return a, {} end
  child.source = nullptr;
  child.numparams = 1;
  child.isVararg = 1;
  child.maxStack = 4;
  child.code = {CREATE_ABC(OP_NEWTABLE, 1, 0, 0), CREATE_ABC(OP_RETURN, 0, 3, 0)};
  FunctionRecord upvalue;  // answers its one upvalue
  upvalue.source = nullptr;
  upvalue.nups = 1;
  upvalue.code = {CREATE_ABC(OP_GETUPVAL, 0, 0, 0), CREATE_ABC(OP_RETURN, 0, 2, 0)};
  FunctionRecord main;
  main.source = "=fuzz";
  main.maxStack = data[0];
  main.constants = {{3, 1.5, "", u""}, {4, 0, "next", u""}, {9, 0, "", u"w"}, {0, 0, "", u""}};
  main.functions = {child, upvalue};
  for (size_t at = 1; at + 4 <= size && main.code.size() < 256; at += 4) {
    main.code.push_back(uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
                        uint32_t(data[at + 3]) << 24);
  }
  main.code.push_back(CREATE_ABC(OP_RETURN, 0, 1, 0));
  return ChunkBuilder::Chunk(main);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string chunk =
      data[0] == 27 ? std::string(reinterpret_cast<const char*>(data), size) : CodeChunk(data, size);
  FuzzState state;
  lua_State* L = state.L;
  int status = luaL_loadbuffer(L, chunk.data(), chunk.size(), "=fuzz");
  if (status == LUA_ERRRUN) {
    if (!IsLoadMessage(lua_tostring(L, -1))) std::abort();
    return 0;
  }
  if (status == LUA_ERRMEM) return 0;
  if (status != 0) std::abort();
  if (JumpsBack(clvalue(L->top - 1)->l.p)) return 0;
  luaE_setgcstress(L, true);  // collecting at every check exposes values the run no longer anchors
  status = lua_pcall(L, 0, LUA_MULTRET, 0);
  if (status != 0 && status != LUA_ERRRUN && status != LUA_ERRMEM && status != LUA_ERRERR) std::abort();
  return 0;
}
