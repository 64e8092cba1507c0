#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/script/object.h"
#include "engine/script/opcodes.h"
#include "engine/script/state.h"
#include "tests/engine/script/compiler/script_fixture.h"

namespace {

class ScriptCodegenTest : public ScriptTest {
protected:
  // Compiles source and answers its main prototype (kept on the stack).
  const Proto* Compile(const std::string& source) {
    int status = Load(source);
    EXPECT_EQ(status, 0) << (status ? lua_tostring(L, -1) : "");
    return status == 0 ? clvalue(L->top - 1)->l.p : nullptr;
  }

  static std::vector<OpCode> Opcodes(const Proto* f) {
    std::vector<OpCode> ops;
    for (int i = 0; i < f->sizecode; i++) ops.push_back(GET_OPCODE(f->code[i]));
    return ops;
  }

  static int Count(const Proto* f, OpCode op) {
    int n = 0;
    for (OpCode o : Opcodes(f)) n += o == op;
    return n;
  }

  static bool IsConstant(const Proto* f, int rk, lua_Number value) {
    return rk >= MAXSTACK && ttisnumber(&f->k[rk - MAXSTACK]) && nvalue(&f->k[rk - MAXSTACK]) == value;
  }
};

TEST_F(ScriptCodegenTest, BinaryBitOperatorIsOneInstructionOnConstants) {
  const Proto* f = Compile("x = 1 & 2");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(Opcodes(f), (std::vector<OpCode>{OP_BAND, OP_SETGLOBAL, OP_RETURN}));
  Instruction band = f->code[0];
  EXPECT_TRUE(IsConstant(f, GETARG_B(band), 1));
  EXPECT_TRUE(IsConstant(f, GETARG_C(band), 2));
}

TEST_F(ScriptCodegenTest, ArithmeticGroupMapsToConsecutiveOpcodes) {
  const char* operators[] = {"+", "-", "*", "/", "&", "|", "<<", ">>", "^"};
  for (int i = 0; i < 9; i++) {
    const Proto* f = Compile(std::string("local a, b = 1, 2; x = a ") + operators[i] + " b");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Count(f, static_cast<OpCode>(OP_ADD + i)), 1) << operators[i];
    lua_pop(L, 1);
  }
}

TEST_F(ScriptCodegenTest, NegativeNumberIsOneConstant) {
  const Proto* f = Compile("x = -3");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(Opcodes(f), (std::vector<OpCode>{OP_LOADK, OP_SETGLOBAL, OP_RETURN}));
  EXPECT_EQ(nvalue(&f->k[GETARG_Bx(f->code[0])]), -3);
  for (int i = 0; i < f->sizek; i++) EXPECT_FALSE(ttisnumber(&f->k[i]) && nvalue(&f->k[i]) == 3);
  lua_pop(L, 1);

  f = Compile("local a = 3; x = -a");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Count(f, OP_UNM), 1);
}

TEST_F(ScriptCodegenTest, EqualConstantsShareOneSlot) {
  const Proto* f = Compile("a = L\"wide\"; b = L\"wide\"; c = \"wide\"; d = 1; e = 1; f = -1");
  ASSERT_NE(f, nullptr);
  int wide = 0, plain = 0, ones = 0;
  for (int i = 0; i < f->sizek; i++) {
    const TObject* k = &f->k[i];
    wide += ttiswstring(k);
    plain += ttisstring(k) && tsvalue(k)->len == 4 && std::string(getstr(tsvalue(k))) == "wide";
    ones += ttisnumber(k) && nvalue(k) == 1;
  }
  EXPECT_EQ(wide, 1);
  EXPECT_EQ(plain, 1);
  EXPECT_EQ(ones, 1);
}

TEST_F(ScriptCodegenTest, WhileConditionFollowsTheBody) {
  const Proto* f = Compile("local i = 0 while i < 3 do i = i + 1 end");
  ASSERT_NE(f, nullptr);
  // LOADK; JMP to the condition; body ADD; condition LT + JMP back; RETURN
  EXPECT_EQ(Opcodes(f), (std::vector<OpCode>{OP_LOADK, OP_JMP, OP_ADD, OP_LT, OP_JMP, OP_RETURN}));
  EXPECT_EQ(GETARG_sBx(f->code[1]), 1);   // over the body to the condition
  EXPECT_EQ(GETARG_sBx(f->code[4]), -3);  // back to the body
}

TEST_F(ScriptCodegenTest, ContinueClosesCapturedLocalsOnlyWhenNeeded) {
  const Proto* plain = Compile("for i = 1, 3 do local v = i if v then continue end end");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(Count(plain, OP_CLOSE), 0);
  lua_pop(L, 1);

  const Proto* captured = Compile("for i = 1, 3 do local v = i f = function() return v end continue end");
  ASSERT_NE(captured, nullptr);
  // one CLOSE for the continue, one where the body block ends
  ASSERT_EQ(Count(captured, OP_CLOSE), 2);
  // the continue's CLOSE keeps the three control registers open
  for (int i = 0; i < captured->sizecode; i++) {
    if (GET_OPCODE(captured->code[i]) == OP_CLOSE) {
      EXPECT_EQ(GETARG_A(captured->code[i]), 3);
    }
  }
}

TEST_F(ScriptCodegenTest, BreakAndContinueJumpToTheirTargets) {
  const Proto* f = Compile("for i = 1, 2 do if i then continue end break end");
  ASSERT_NE(f, nullptr);
  int forloop = -1;
  for (int i = 0; i < f->sizecode; i++) {
    if (GET_OPCODE(f->code[i]) == OP_FORLOOP) forloop = i;
  }
  ASSERT_GE(forloop, 0);
  std::vector<int> jumpTargets;
  for (int i = 0; i < f->sizecode; i++) {
    if (GET_OPCODE(f->code[i]) == OP_JMP) jumpTargets.push_back(i + 1 + GETARG_sBx(f->code[i]));
  }
  // the continue jumps to FORLOOP, the break past it
  EXPECT_NE(std::find(jumpTargets.begin(), jumpTargets.end(), forloop), jumpTargets.end());
  EXPECT_NE(std::find(jumpTargets.begin(), jumpTargets.end(), forloop + 1), jumpTargets.end());
}

TEST_F(ScriptCodegenTest, SizeHintsReachNewTable) {
  const Proto* f = Compile("t = {&10 &20}");
  ASSERT_NE(f, nullptr);
  Instruction newtable = f->code[0];
  ASSERT_EQ(GET_OPCODE(newtable), OP_NEWTABLE);
  EXPECT_EQ(luaO_fb2int(GETARG_B(newtable)), 20);
  EXPECT_EQ(GETARG_C(newtable), luaO_log2(10) + 1);
  lua_pop(L, 1);

  f = Compile("t = {&1 &2 1, 2, 3, a = 1, b = 2}");  // hints smaller than the items change nothing
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(luaO_fb2int(GETARG_B(f->code[0])), 3);
  EXPECT_EQ(GETARG_C(f->code[0]), luaO_log2(2) + 1);
}

TEST_F(ScriptCodegenTest, LineInformationFollowsTheSource) {
  const Proto* f = Compile("local a = 1\n\nlocal b = 2\n");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(f->sizelineinfo, f->sizecode);
  EXPECT_EQ(f->lineinfo[0], 1);
  EXPECT_EQ(f->lineinfo[1], 3);
  ASSERT_EQ(f->sizelocvars, 2);
  EXPECT_STREQ(getstr(f->locvars[0].varname), "a");
  EXPECT_EQ(f->locvars[0].startpc, 1);
  EXPECT_EQ(f->is_vararg, 1);
}

}  // namespace
