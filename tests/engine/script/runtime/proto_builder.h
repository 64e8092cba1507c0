// Test-only builder of function prototypes: drives the virtual machine without the compiler.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "engine/script/lua.h"
#include "engine/script/opcodes.h"

namespace script_test {

struct Nil {};
struct Wide {
  std::u16string text;
};
using Constant = std::variant<Nil, double, std::string, Wide>;

struct ProtoPlan {
  std::vector<Instruction> code;
  std::vector<Constant> k;
  std::vector<ProtoPlan> p;
  int numparams = 0;
  int nups = 0;
  bool vararg = false;
  int maxstack = 16;
  std::vector<std::string> locals;  // active over the whole function, in register order
};

// Pushes a closure of the prototype (no upvalues) under the chunk name "=test"; line of pc n is n + 1.
void PushProto(lua_State* L, const ProtoPlan& plan);

inline Instruction ABC(OpCode o, int a, int b, int c) { return CREATE_ABC(o, a, b, c); }
inline Instruction ABx(OpCode o, int a, int bx) { return CREATE_ABx(o, a, bx); }
inline Instruction AsBx(OpCode o, int a, int sbx) { return CREATE_AsBx(o, a, sbx); }
inline int K(int index) { return RKASK(index); }

}  // namespace script_test
