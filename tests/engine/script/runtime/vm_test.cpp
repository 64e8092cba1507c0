#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/lualib.h"
#include "engine/script/object.h"
#include "tests/engine/script/runtime/proto_builder.h"

namespace {

using namespace script_test;

struct State {
  lua_State* L = lua_open();
  ~State() { lua_close(L); }
};

// Runs the prototype protected; returns the status, results (or the message) on the stack.
int RunProto(lua_State* L, const ProtoPlan& plan, int nresults = 1) {
  PushProto(L, plan);
  return lua_pcall(L, 0, nresults, 0);
}

std::string ErrorOf(lua_State* L, const ProtoPlan& plan) {
  if (RunProto(L, plan) != LUA_ERRRUN) return "<no error>";
  std::string msg = lua_tostring(L, -1) ? lua_tostring(L, -1) : "<not a string>";
  lua_pop(L, 1);
  return msg;
}

// r0 = RK(K0) op RK(K1); return r0
ProtoPlan Binary(OpCode op, Constant a, Constant b) {
  ProtoPlan plan;
  plan.k = {a, b};
  plan.code = {ABC(op, 0, K(0), K(1)), ABC(OP_RETURN, 0, 2, 0)};
  return plan;
}

TEST(ScriptVm, BitOperatorsAndExclusiveOr) {
  struct Case {
    OpCode op;
    double a, b, result;
  } cases[] = {
      {OP_BAND, 6, 3, 2},
      {OP_BOR, 6, 3, 7},
      {OP_SHL, 1, 31, -2147483648.0},
      {OP_SHL, 1, 32, 1},
      {OP_SHR, -1, 28, 15},
      {OP_SHR, -1, 0, -1},
      {OP_POW, 5, 3, 6},
      {OP_POW, 2.9, 1, 3},
      {OP_BAND, 4294967296.0, -1, 0},
      {OP_BOR, NAN, 1, 1},
      {OP_BAND, 1e300, -1, 0},
      {OP_BOR, -2.5, 0, -2},
  };
  State s;
  for (const Case& c : cases) {
    ASSERT_EQ(RunProto(s.L, Binary(c.op, c.a, c.b)), 0) << lua_tostring(s.L, -1);
    EXPECT_EQ(lua_tonumber(s.L, -1), c.result) << c.op << " " << c.a << " " << c.b;
    lua_pop(s.L, 1);
  }
}

TEST(ScriptVm, BitOperatorsRejectStringsAndNameTheOperand) {
  State s;
  EXPECT_EQ(ErrorOf(s.L, Binary(OP_BAND, std::string("5"), 1.0)),
            "test:1: attempt to perform arithmetic on a string value");
  // The first operand that is not a number as it stands is named, here the local in register 1.
  ProtoPlan plan;
  plan.k = {1.0, std::string("5")};
  plan.locals = {"a", "b"};
  plan.code = {ABx(OP_LOADK, 0, 0), ABx(OP_LOADK, 1, 1), ABC(OP_BAND, 2, 0, 1), ABC(OP_RETURN, 2, 2, 0)};
  EXPECT_EQ(ErrorOf(s.L, plan), "test:3: attempt to perform arithmetic on local `b' (a string value)");
}

int FakePow(lua_State* L) {
  lua_pushnumber(L, std::pow(lua_tonumber(L, 1), lua_tonumber(L, 2)) + (lua_type(L, 1) == LUA_TNUMBER ? 0 : 1000));
  return 1;
}

TEST(ScriptVm, PowOnConvertibleTextCallsTheGlobalPowFunction) {
  State s;
  EXPECT_EQ(ErrorOf(s.L, Binary(OP_POW, std::string("5"), 3.0)),
            "test:1: `__pow' (`^' operator) is not a function");
  lua_register(s.L, "__pow", FakePow);
  ASSERT_EQ(RunProto(s.L, Binary(OP_POW, std::string("5"), 3.0)), 0);
  EXPECT_EQ(lua_tonumber(s.L, -1), 125) << "called with the converted numbers";
  lua_pop(s.L, 1);
  EXPECT_EQ(ErrorOf(s.L, Binary(OP_POW, std::string("x"), 3.0)),
            "test:1: attempt to perform arithmetic on a string value");
}

TEST(ScriptVm, ArithmeticCoercesTextIncludingWide) {
  State s;
  ASSERT_EQ(RunProto(s.L, Binary(OP_ADD, Wide{u"0x10"}, std::string(" 2 "))), 0);
  EXPECT_EQ(lua_tonumber(s.L, -1), 18);
  lua_pop(s.L, 1);
  EXPECT_EQ(ErrorOf(s.L, Binary(OP_MUL, 2.0, std::string("0x10"))),
            "test:1: attempt to perform arithmetic on a string value");
}

TEST(ScriptVm, WideConcatenation) {
  State s;
  ProtoPlan plan;
  plan.k = {Wide{u"ab"}, 12.0, Wide{u""}};
  plan.code = {ABx(OP_LOADK, 0, 0), ABx(OP_LOADK, 1, 1), ABx(OP_LOADK, 2, 2), ABx(OP_LOADK, 3, 0),
               ABC(OP_CONCAT, 0, 0, 3), ABC(OP_RETURN, 0, 2, 0)};
  ASSERT_EQ(RunProto(s.L, plan), 0) << lua_tostring(s.L, -1);
  ASSERT_EQ(lua_type(s.L, -1), LUA_TWSTRING);
  const lua_WChar* w = lua_towstring(s.L, -1);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(w), lua_strlen(s.L, -1)), u"ab12ab");
  lua_pop(s.L, 1);
  ProtoPlan mixed;
  mixed.k = {Wide{u"ab"}, std::string("cd")};
  mixed.code = {ABx(OP_LOADK, 0, 0), ABx(OP_LOADK, 1, 1), ABC(OP_CONCAT, 0, 0, 1), ABC(OP_RETURN, 0, 2, 0)};
  EXPECT_EQ(ErrorOf(s.L, mixed), "test:3: attempt to concatenate a string value");
}

// for i = init, limit, step do sum = sum + i end; return sum
ProtoPlan NumericFor(Constant init, Constant limit, Constant step) {
  ProtoPlan plan;
  plan.k = {init, limit, step, 0.0};
  plan.code = {
      ABx(OP_LOADK, 0, 0),      ABx(OP_LOADK, 1, 1),   ABx(OP_LOADK, 2, 2),  ABx(OP_LOADK, 3, 3),
      ABC(OP_SUB, 0, 0, 2),     AsBx(OP_JMP, 0, 1),    ABC(OP_ADD, 3, 3, 0), AsBx(OP_FORLOOP, 0, -2),
      ABC(OP_RETURN, 3, 2, 0),
  };
  return plan;
}

TEST(ScriptVm, NumericForLoop) {
  struct Case {
    Constant init, limit, step;
    double sum;
  } cases[] = {
      {1.0, 10.0, 1.0, 55},
      {10.0, 1.0, -3.0, 22},
      {1.0, 0.0, 1.0, 0},
      {1.0, std::string("3"), 1.0, 6},
      {0.5, 2.0, 0.5, 5},
  };
  State s;
  for (const Case& c : cases) {
    ASSERT_EQ(RunProto(s.L, NumericFor(c.init, c.limit, c.step)), 0) << lua_tostring(s.L, -1);
    EXPECT_EQ(lua_tonumber(s.L, -1), c.sum);
    lua_pop(s.L, 1);
  }
}

TEST(ScriptVm, NumericForLoopMessages) {
  State s;
  // The prologue subtracts the step, so a bad initial value already fails there; FORLOOP checks the rest.
  EXPECT_EQ(ErrorOf(s.L, NumericFor(1.0, std::string("x"), 1.0)), "test:8: `for' limit must be a number");
  EXPECT_EQ(ErrorOf(s.L, NumericFor(1.0, 2.0, Nil{})), "test:5: attempt to perform arithmetic on a nil value");
  ProtoPlan noprologue;
  noprologue.k = {std::string("a"), 1.0, Nil{}};
  noprologue.code = {ABx(OP_LOADK, 0, 0), ABx(OP_LOADK, 1, 1), ABx(OP_LOADK, 2, 1), AsBx(OP_FORLOOP, 0, -1),
                     ABC(OP_RETURN, 0, 1, 0)};
  EXPECT_EQ(ErrorOf(s.L, noprologue), "test:4: `for' initial value must be a number");
  noprologue.code[0] = ABx(OP_LOADK, 0, 1);
  noprologue.code[2] = ABx(OP_LOADK, 2, 2);
  EXPECT_EQ(ErrorOf(s.L, noprologue), "test:4: `for' step must be a number");
}

int Next(lua_State* L) {
  lua_settop(L, 2);
  if (lua_next(L, 1)) return 2;
  lua_pushnil(L);
  return 1;
}

TEST(ScriptVm, GenericForOverATableUsesGlobalNext) {
  State s;
  lua_register(s.L, "next", Next);
  ProtoPlan plan;
  plan.k = {0.0, 10.0, 20.0, 30.0};
  plan.code = {
      ABx(OP_LOADK, 0, 0),        ABC(OP_NEWTABLE, 1, 3, 0),   ABx(OP_LOADK, 2, 1),
      ABx(OP_LOADK, 3, 2),        ABx(OP_LOADK, 4, 3),         ABx(OP_SETLIST, 1, 2),
      ABC(OP_LOADNIL, 2, 3, 0),   AsBx(OP_TFORPREP, 1, 1),     ABC(OP_ADD, 0, 0, 4),
      ABC(OP_TFORLOOP, 1, 0, 1),  AsBx(OP_JMP, 0, -3),         ABC(OP_RETURN, 0, 2, 0),
  };
  ASSERT_EQ(RunProto(s.L, plan), 0) << lua_tostring(s.L, -1);
  EXPECT_EQ(lua_tonumber(s.L, -1), 60);
}

int StringLen(lua_State* L) {
  lua_pushnumber(L, static_cast<double>(lua_strlen(L, 1)));
  return 1;
}

TEST(ScriptVm, NonTableIndexingGoesThroughTypeSlots) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);
  lua_pushstring(L, "len");
  lua_pushcfunction(L, StringLen);
  lua_rawset(L, -3);
  lua_settypemetatable(L, LUA_TSTRING);
  // ("hello"):len()
  ProtoPlan self;
  self.k = {std::string("hello"), std::string("len")};
  self.code = {ABx(OP_LOADK, 1, 0), ABC(OP_SELF, 0, 1, K(1)), ABC(OP_CALL, 0, 2, 2), ABC(OP_RETURN, 0, 2, 0)};
  ASSERT_EQ(RunProto(L, self), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_tonumber(L, -1), 5);
  lua_pop(L, 1);
  // (5).x is nil; (5).x = 1 writes into the number slot table.
  ProtoPlan number;
  number.k = {5.0, std::string("x"), 1.0};
  number.code = {ABx(OP_LOADK, 0, 0), ABC(OP_GETTABLE, 1, 0, K(1)), ABC(OP_SETTABLE, 0, K(1), K(2)),
                 ABC(OP_GETTABLE, 2, 0, K(1)), ABC(OP_RETURN, 1, 3, 0)};
  ASSERT_EQ(RunProto(L, number, 2), 0) << lua_tostring(L, -1);
  EXPECT_TRUE(lua_isnil(L, -2));
  EXPECT_EQ(lua_tonumber(L, -1), 1);
  lua_pop(L, 2);
  lua_pushtypemetatable(L, LUA_TBOOLEAN);
  lua_pushstring(L, "x");
  lua_rawget(L, -2);
  EXPECT_TRUE(lua_isnil(L, -1)) << "other slots untouched";
  lua_pop(L, 2);
  // nil has no slot.
  ProtoPlan nilindex;
  nilindex.k = {std::string("x")};
  nilindex.locals = {"v"};
  nilindex.code = {ABC(OP_LOADNIL, 0, 0, 0), ABC(OP_GETTABLE, 1, 0, K(0)), ABC(OP_RETURN, 1, 2, 0)};
  EXPECT_EQ(ErrorOf(L, nilindex), "test:2: attempt to index local `v' (a nil value)");
}

TEST(ScriptVm, IndexHandlerLoopsStop) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);  // t
  lua_newtable(L);  // mt
  lua_pushstring(L, "__index");
  lua_pushvalue(L, 1);
  lua_rawset(L, 2);
  lua_pushvalue(L, 2);
  lua_setmetatable(L, 1);  // t.__index = t through its own metatable
  lua_pushstring(L, "t");
  lua_pushvalue(L, 1);
  lua_settable(L, LUA_GLOBALSINDEX);
  ProtoPlan plan;
  plan.k = {std::string("t"), std::string("missing")};
  plan.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_GETTABLE, 0, 0, K(1)), ABC(OP_RETURN, 0, 2, 0)};
  EXPECT_EQ(ErrorOf(L, plan), "test:2: loop in gettable");
}

TEST(ScriptVm, ErrorMessagesNameVariables) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);
  lua_pushstring(L, "t");
  lua_insert(L, -2);
  lua_settable(L, LUA_GLOBALSINDEX);
  ProtoPlan global;
  global.k = {std::string("missing")};
  global.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_CALL, 0, 1, 1), ABC(OP_RETURN, 0, 1, 0)};
  EXPECT_EQ(ErrorOf(L, global), "test:2: attempt to call global `missing' (a nil value)");
  ProtoPlan field;
  field.k = {std::string("t"), std::string("f")};
  field.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_GETTABLE, 0, 0, K(1)), ABC(OP_CALL, 0, 1, 1),
                ABC(OP_RETURN, 0, 1, 0)};
  EXPECT_EQ(ErrorOf(L, field), "test:3: attempt to call field `f' (a nil value)");
  ProtoPlan method;
  method.k = {std::string("t"), std::string("m")};
  method.code = {ABx(OP_GETGLOBAL, 1, 0), ABC(OP_SELF, 0, 1, K(1)), ABC(OP_CALL, 0, 2, 1), ABC(OP_RETURN, 0, 1, 0)};
  EXPECT_EQ(ErrorOf(L, method), "test:3: attempt to call method `m' (a nil value)");
}

TEST(ScriptVm, ComparisonMessages) {
  State s;
  lua_State* L = s.L;
  lua_pushstring(L, "co");
  lua_newthread(L);
  lua_settable(L, LUA_GLOBALSINDEX);
  struct Case {
    OpCode op;
    Constant a, b;
    const char* message;
  } cases[] = {
      {OP_LT, 1.0, std::string("x"), "test:1: attempt to compare number with string"},
      {OP_LE, Wide{u"a"}, Wide{u"b"}, "test:1: attempt to compare two wstring values"},
      {OP_LT, Nil{}, Nil{}, "test:1: attempt to compare two nil values"},
  };
  for (const Case& c : cases) {
    ProtoPlan plan;
    plan.k = {c.a, c.b};
    plan.code = {ABC(c.op, 1, K(0), K(1)), AsBx(OP_JMP, 0, 0), ABC(OP_RETURN, 0, 1, 0)};
    EXPECT_EQ(ErrorOf(L, plan), c.message);
  }
  // A thread compared with a string: the types differ, so no "two ... values".
  ProtoPlan thread;
  thread.k = {std::string("co"), std::string("s")};
  thread.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_LT, 1, 0, K(1)), AsBx(OP_JMP, 0, 0), ABC(OP_RETURN, 0, 1, 0)};
  EXPECT_EQ(ErrorOf(L, thread), "test:2: attempt to compare thread with string");
  ProtoPlan strings;
  strings.k = {std::string("a\0b", 3), std::string("a\0c", 3)};
  strings.code = {ABC(OP_LOADBOOL, 0, 1, 0), ABC(OP_LT, 0, K(0), K(1)), ABC(OP_LOADBOOL, 0, 0, 0),
                  ABC(OP_RETURN, 0, 2, 0)};
  ASSERT_EQ(RunProto(L, strings), 0);
  EXPECT_TRUE(lua_toboolean(L, -1)) << "strings with zeros compare past them";
}

// Operands of a comparison: numbers, strings, or tables whose metatable compares their field v.
enum class Kind { kNumber, kString, kMeta, kLessThanOnly };

const char* const kMetaSetup = R"(
  local function lt(a, b) return a.v < b.v end
  local full = {__eq = function(a, b) return a.v == b.v end, __lt = lt, __le = function(a, b) return a.v <= b.v end}
  local ltonly = {__lt = lt}
  function meta(v) return setmetatable({v = v}, full) end
  function ltonly_meta(v) return setmetatable({v = v}, ltonly) end
)";

void PushOperand(lua_State* L, Kind kind, int value) {
  switch (kind) {
    case Kind::kNumber: lua_pushnumber(L, value); break;
    case Kind::kString: lua_pushstring(L, std::string(1, static_cast<char>('a' + value)).c_str()); break;
    case Kind::kMeta:
    case Kind::kLessThanOnly:
      lua_pushstring(L, kind == Kind::kMeta ? "meta" : "ltonly_meta");
      lua_gettable(L, LUA_GLOBALSINDEX);
      lua_pushnumber(L, value);
      lua_call(L, 1, 1);
      break;
  }
}

Constant ConstantOf(Kind kind, int value) {
  if (kind == Kind::kNumber) return static_cast<double>(value);
  return std::string(1, static_cast<char>('a' + value));
}

bool Compares(OpCode op, Kind kind, int a, int b) {
  if (op == OP_EQ) return kind == Kind::kLessThanOnly ? false : a == b;  // no __eq: two tables differ
  return op == OP_LT ? a < b : a <= b;
}

// op A b c; jmp +2; return "stepped"; return "jumped": the jump is taken when the comparison answers A.
TEST(ScriptVm, EveryComparisonTakesOrStepsOverItsJump) {
  State s;
  lua_State* L = s.L;
  luaopen_base(L);
  ASSERT_EQ(lua_dostring(L, kMetaSetup), 0);
  lua_settop(L, 0);
  const int pairs[][2] = {{1, 2}, {2, 1}, {2, 2}};
  for (OpCode op : {OP_EQ, OP_LT, OP_LE}) {
    for (Kind kind : {Kind::kNumber, Kind::kString, Kind::kMeta, Kind::kLessThanOnly}) {
      bool tablesOnly = kind == Kind::kMeta || kind == Kind::kLessThanOnly;
      for (int mode = 0; mode < (tablesOnly ? 1 : 4); mode++) {  // bit 0: b constant, bit 1: c constant
        for (int expect = 0; expect < 2; expect++) {
          for (const auto& pair : pairs) {
            ProtoPlan plan;
            plan.numparams = 2;
            plan.k = {tablesOnly ? Constant{Nil{}} : ConstantOf(kind, pair[0]),
                      tablesOnly ? Constant{Nil{}} : ConstantOf(kind, pair[1]), std::string("stepped"),
                      std::string("jumped")};
            plan.code = {ABC(op, expect, (mode & 1) ? K(0) : 0, (mode & 2) ? K(1) : 1), AsBx(OP_JMP, 0, 2),
                         ABx(OP_LOADK, 2, 2), ABC(OP_RETURN, 2, 2, 0), ABx(OP_LOADK, 2, 3), ABC(OP_RETURN, 2, 2, 0)};
            PushProto(L, plan);
            PushOperand(L, kind, pair[0]);
            PushOperand(L, kind, pair[1]);
            ASSERT_EQ(lua_pcall(L, 2, 1, 0), 0) << lua_tostring(L, -1);
            bool jumped = Compares(op, kind, pair[0], pair[1]) == (expect != 0);
            EXPECT_STREQ(lua_tostring(L, -1), jumped ? "jumped" : "stepped")
                << "op " << op << " kind " << static_cast<int>(kind) << " mode " << mode << " A " << expect << " on "
                << pair[0] << ", " << pair[1];
            lua_pop(L, 1);
          }
        }
      }
    }
  }
}

// test r0 r1 C; jmp +1; r0 = "stepped"; return r0: the jump is taken, with r1 copied to r0, when r1's truth
// is C.
TEST(ScriptVm, TestCopiesAndJumpsOnTheOtherTruth) {
  State s;
  struct Case {
    int c;
    Constant value;
    int jumpedType;  // LUA_TNONE: stepped over the jump
  } cases[] = {{0, Nil{}, LUA_TNIL}, {0, 0.0, LUA_TNONE}, {1, Nil{}, LUA_TNONE}, {1, std::string("x"), LUA_TSTRING}};
  for (const Case& c : cases) {
    ProtoPlan plan;
    plan.k = {std::string("unchanged"), c.value, std::string("stepped")};
    plan.code = {ABx(OP_LOADK, 0, 0), ABx(OP_LOADK, 1, 1), ABC(OP_TEST, 0, 1, c.c), AsBx(OP_JMP, 0, 1),
                 ABx(OP_LOADK, 0, 2), ABC(OP_RETURN, 0, 2, 0)};
    ASSERT_EQ(RunProto(s.L, plan), 0) << lua_tostring(s.L, -1);
    if (c.jumpedType == LUA_TNONE) {
      EXPECT_STREQ(lua_tostring(s.L, -1), "stepped") << c.c;
    } else {
      EXPECT_EQ(lua_type(s.L, -1), c.jumpedType) << c.c;
    }
    lua_pop(s.L, 1);
  }
}

// f() = n = n + 1; return f()  (plain call, so every level keeps a frame)
ProtoPlan Recursive(bool tail) {
  ProtoPlan plan;
  plan.k = {std::string("n"), 1.0, std::string("f"), 100000.0};
  if (!tail) {
    plan.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_ADD, 0, 0, K(1)), ABx(OP_SETGLOBAL, 0, 0),
                 ABx(OP_GETGLOBAL, 0, 2), ABC(OP_CALL, 0, 1, 2),   ABC(OP_RETURN, 0, 2, 0)};
  } else {
    plan.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_ADD, 0, 0, K(1)),    ABx(OP_SETGLOBAL, 0, 0),
                 ABC(OP_LT, 0, 0, K(3)),  AsBx(OP_JMP, 0, 3),         ABx(OP_GETGLOBAL, 0, 2),
                 ABC(OP_TAILCALL, 0, 1, 0), ABC(OP_RETURN, 0, 0, 0),  ABC(OP_RETURN, 0, 2, 0)};
  }
  return plan;
}

TEST(ScriptVm, CallDepthStopsWithStackOverflowAndTailCallsDoNot) {
  State s;
  lua_State* L = s.L;
  for (int round = 0; round < 2; round++) {  // the limit holds again after an overflow
    lua_pushstring(L, "n");
    lua_pushnumber(L, 0);
    lua_settable(L, LUA_GLOBALSINDEX);
    lua_pushstring(L, "f");
    PushProto(L, Recursive(false));
    lua_settable(L, LUA_GLOBALSINDEX);
    EXPECT_EQ(ErrorOf(L, Recursive(false)), "test:5: stack overflow");
    lua_pushstring(L, "n");
    lua_gettable(L, LUA_GLOBALSINDEX);
    EXPECT_GE(lua_tonumber(L, -1), 4090);
    EXPECT_LE(lua_tonumber(L, -1), 4096);
    lua_pop(L, 1);
  }
  lua_pushstring(L, "n");
  lua_pushnumber(L, 0);
  lua_settable(L, LUA_GLOBALSINDEX);
  lua_pushstring(L, "f");
  PushProto(L, Recursive(true));
  lua_settable(L, LUA_GLOBALSINDEX);
  ASSERT_EQ(RunProto(L, Recursive(true)), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_tonumber(L, -1), 100000);
}

TEST(ScriptVm, ClosuresShareUpvaluesAndKeepThemAfterClosing) {
  State s;
  lua_State* L = s.L;
  ProtoPlan inc;
  inc.nups = 1;
  inc.k = {1.0};
  inc.code = {ABC(OP_GETUPVAL, 0, 0, 0), ABC(OP_ADD, 0, 0, K(0)), ABC(OP_SETUPVAL, 0, 0, 0),
              ABC(OP_RETURN, 0, 1, 0)};
  ProtoPlan get;
  get.nups = 1;
  get.code = {ABC(OP_GETUPVAL, 0, 0, 0), ABC(OP_RETURN, 0, 2, 0)};
  ProtoPlan outer;
  outer.p = {inc, get};
  outer.k = {0.0};
  outer.code = {
      ABx(OP_LOADK, 0, 0),      ABx(OP_CLOSURE, 1, 0),    ABC(OP_MOVE, 0, 0, 0), ABx(OP_CLOSURE, 2, 1),
      ABC(OP_MOVE, 0, 0, 0),    ABC(OP_MOVE, 3, 1, 0),    ABC(OP_CALL, 3, 1, 1), ABC(OP_MOVE, 3, 1, 0),
      ABC(OP_CALL, 3, 1, 1),    ABC(OP_MOVE, 3, 2, 0),    ABC(OP_CALL, 3, 1, 2), ABC(OP_RETURN, 1, 4, 0),
  };
  ASSERT_EQ(RunProto(L, outer, 3), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_tonumber(L, -1), 2);
  lua_pushvalue(L, -3);
  lua_call(L, 0, 0);  // inc after the frame closed its variable
  lua_pushvalue(L, -2);
  lua_call(L, 0, 1);
  EXPECT_EQ(lua_tonumber(L, -1), 3);
}

TEST(ScriptVm, TableSizeLimits) {
  State s;
  ProtoPlan huge;
  huge.code = {ABC(OP_NEWTABLE, 0, 0, 25), ABC(OP_RETURN, 0, 2, 0)};
  EXPECT_EQ(ErrorOf(s.L, huge), "test:1: table overflow");
  ProtoPlan hinted;  // an array hint encoded as a floating point byte: 5 << 2 = 20 slots, hash of 2^3
  hinted.code = {ABC(OP_NEWTABLE, 0, luaO_int2fb(20), 3), ABC(OP_RETURN, 0, 2, 0)};
  ASSERT_EQ(RunProto(s.L, hinted), 0);
  EXPECT_EQ(luaO_fb2int(luaO_int2fb(20)), 20);
  EXPECT_EQ(luaO_fb2int(511), 1 << 24) << "hostile hints are clamped";
}

TEST(ScriptVm, VarargFunctionsGetArgTable) {
  State s;
  lua_State* L = s.L;
  ProtoPlan plan;
  plan.numparams = 1;
  plan.vararg = true;
  plan.k = {std::string("n"), 2.0};
  // return a, arg.n, arg[2]
  plan.code = {ABC(OP_MOVE, 2, 0, 0), ABC(OP_GETTABLE, 3, 1, K(0)), ABC(OP_GETTABLE, 4, 1, K(1)),
               ABC(OP_RETURN, 2, 4, 0)};
  PushProto(L, plan);
  for (int i = 1; i <= 3; i++) lua_pushnumber(L, i * 10);
  ASSERT_EQ(lua_pcall(L, 3, 3, 0), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_tonumber(L, -3), 10);
  EXPECT_EQ(lua_tonumber(L, -2), 2);
  EXPECT_EQ(lua_tonumber(L, -1), 30);
}

}  // namespace
