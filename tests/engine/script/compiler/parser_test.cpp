#include <gtest/gtest.h>

#include <string>

#include "tests/engine/script/compiler/script_fixture.h"

namespace {

using ScriptParserTest = ScriptTest;

std::string Repeat(const std::string& piece, int n) {
  std::string out;
  for (int i = 0; i < n; i++) out += piece;
  return out;
}

// n nested `while true do` loops around body.
std::string NestedLoops(int n, const std::string& body) {
  return Repeat("while true do ", n) + body + " " + Repeat("end ", n);
}

struct ErrorCase {
  std::string source;
  const char* message;
};

TEST_F(ScriptParserTest, SyntaxErrorsCarryThePositionAndTheNearToken) {
  const ErrorCase cases[] = {
      // loop exits
      {"while true do break 2 end", "test:1: no loop to break near `end'"},
      {"x = 1 continue", "test:1: no loop to continue near `<eof>'"},
      {"for i=1,2 do continue 0 end", "test:1: loop block number out of range near `0'"},
      {"while 1 do break 101 end", "test:1: loop block number out of range near `101'"},
      {"while 1 do break 1.5 end", "test:1: loop block number must be integer near `1.5'"},
      {"for i=1,2 do continue; x = 1 end", "test:1: `end' expected near `x'"},
      {"function f() break end", "test:1: no loop to break near `end'"},
      {"while 1 do local f = function() continue end end", "test:1: no loop to continue near `end'"},
      {"while 1 do return; x = 1 end", "test:1: `end' expected near `x'"},
      // constructor size hints
      {"t = {&x}", "test:1: size expected following & (line 1) near `x'"},
      {"t = {&1 &\n\n'a'}", "test:3: size expected following & (line 3) near `'a''"},
      // stock messages
      {"x = ", "test:1: unexpected symbol near `<eof>'"},
      {"x", "test:1: `=' expected near `<eof>'"},
      {"f(", "test:1: unexpected symbol near `<eof>'"},
      {"if x then\n\ny = 1", "test:3: `end' expected (to close `if' at line 1) near `<eof>'"},
      {"local t = {1, 2", "test:1: `}' expected near `<eof>'"},
      {"x = (1", "test:1: `)' expected near `<eof>'"},
      {"for x do end", "test:1: `=' or `in' expected near `do'"},
      {"function f(a, 1) end", "test:1: <name> or `...' expected near `1'"},
      {"local 1 = 2", "test:1: <name> expected near `1'"},
      {"x.1 = 2", "test:1: `=' expected near `.1'"},
      {"x. 1 = 2", "test:1: <name> expected near `1'"},
      {"f = g\n(h)()", "test:2: ambiguous syntax (function call x new statement) near `('"},
      {"x:y = 1", "test:1: function arguments expected near `='"},
      {"1 = x", "test:1: unexpected symbol near `1'"},
      {"f() = 1", "test:1: unexpected symbol near `='"},
      {"(x) = 1", "test:1: syntax error near `='"},
      {"return; x = 1", "test:1: <eof> expected near `x'"},
      {"end", "test:1: <eof> expected near `end'"},
      {"x = ...", "test:1: unexpected symbol near `...'"},
      {"x = #t", "test:1: unexpected symbol near `#'"},
      {"x = 5 % 2", "test:1: unexpected symbol near `%'"},
      {"while " + Repeat("x and ", 60) + "x do end", "test:1: `while' condition too complex near `do'"},
      // lexical errors
      {"x = 1..2", "test:1: ambiguous syntax (decimal point x string concatenation) near `1..'"},
      {"x = 1e", "test:1: malformed number near `1e'"},
      {"x = 0x", "test:1: malformed number near `0x'"},
      {"x = \"ab\ncd\"", "test:1: unfinished string near `\"ab'"},
      {"x = 'ab", "test:1: unfinished string near `<eof>'"},
      {"x = [[a\n", "test:2: unfinished long string near `<eof>'"},
      {"--[[ a\n\n", "test:3: unfinished long comment near `<eof>'"},
      {"x = '\\256'", "test:1: escape sequence too large near `''"},
      {"x = L'\\999'", "test:1: escape sequence too large near `''"},
      {"x = L\"\\999\"", "test:1: escape sequence too large near `L\"'"},
      {"x = \x01", "test:1: invalid control char near `char(1)'"},
      {"x = \x7f", "test:1: invalid control char near `char(127)'"},
      {"x = \xff", "test:1: invalid wide char near `char(255)'"},
      {"x = 1 \xc8 2", "test:1: unexpected symbol near `\xc8'"},
  };
  for (const ErrorCase& c : cases) EXPECT_EQ(CompileError(c.source), c.message) << c.source;
}

TEST_F(ScriptParserTest, LoopNumbersReachUpToOneHundredLoops) {
  EXPECT_EQ(CompileError(NestedLoops(100, "break 100")), "");
  EXPECT_EQ(CompileError(NestedLoops(100, "continue 100")), "");
  EXPECT_EQ(CompileError(NestedLoops(99, "break 100")), "test:1: no loop to break near `end'");
  EXPECT_EQ(CompileError("for i = 1, 2 do " + NestedLoops(2, "continue 3") + " end"), "");
}

TEST_F(ScriptParserTest, LimitsGiveTheirMessages) {
  std::string locals;
  for (int i = 0; i < 201; i++) locals += "local v" + std::to_string(i) + " ";
  EXPECT_EQ(CompileError(locals), "test:1: too many local variables (limit=200) near `<eof>'");

  std::string params = "function f(";
  for (int i = 0; i < 101; i++) params += (i ? ", p" : "p") + std::to_string(i);
  EXPECT_EQ(CompileError(params + ") end"), "test:1: too many parameters (limit=100) near `)'");

  std::string upvalues;
  for (int i = 0; i < 33; i++) upvalues += "local u" + std::to_string(i) + " ";
  upvalues += "function f() return ";
  for (int i = 0; i < 33; i++) upvalues += (i ? " + u" : "u") + std::to_string(i);
  EXPECT_EQ(CompileError(upvalues + " end"), "test:1: too many upvalues (limit=32) near `end'");

  EXPECT_EQ(CompileError("x = " + Repeat("(", 300) + "1" + Repeat(")", 300)),
            "test:1: too many syntax levels near `('");
  EXPECT_EQ(CompileError(Repeat("a, ", 100000) + "a = 1"), "test:1: too many syntax levels near `,'");

  std::string args = "f(";
  for (int i = 0; i < 260; i++) args += (i ? ", {}" : "{}");
  EXPECT_EQ(CompileError(args + ")"), "test:1: function or expression too complex near `{'");
}

TEST_F(ScriptParserTest, ConstructorListItemsAreLimited) {
  std::string items = "t = {" + Repeat("1,", 262143) + "}";
  EXPECT_EQ(CompileError(items), "");
  EXPECT_EQ(CompileError("t = {" + Repeat("1,", 262144) + "}"),
            "test:1: too many items in a constructor (limit=262143) near `,'");
}

TEST_F(ScriptParserTest, LargeFunctionsHitTheJumpAndConstantLimits) {
  std::string body;
  for (int i = 0; i < 70000; i++) body += "a=1 ";
  EXPECT_EQ(CompileError("if x then " + body + "end"), "test:1: control structure too long near `<eof>'");

  // "x" and 262142 numbers fill the constant table; one more number overflows it.
  std::string constants;
  for (int i = 0; i < 262142; i++) constants += "x=" + std::to_string(i) + " ";
  EXPECT_EQ(CompileError(constants), "");
  EXPECT_EQ(CompileError(constants + "x=-1"), "test:1: constant table overflow near `<eof>'");
}

TEST_F(ScriptParserTest, ManyConstantsAndRegistersStillRunCorrectly) {
  // Constants past the operand range go through registers.
  std::string source = "local s = 0 ";
  for (int i = 1; i <= 400; i++) source += "s = s + " + std::to_string(i) + " * " + std::to_string(i + 1000) + " ";
  source += "return s";
  ASSERT_EQ(Load(source), 0) << lua_tostring(L, -1);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  double expected = 0;
  for (int i = 1; i <= 400; i++) expected += static_cast<double>(i) * (i + 1000);
  EXPECT_EQ(lua_tonumber(L, -1), expected);
  lua_pop(L, 1);

  // 199 locals and an expression that needs most of the remaining registers.
  source.clear();
  for (int i = 0; i < 199; i++) source += "local v" + std::to_string(i) + " = " + std::to_string(i) + " ";
  source += "return v198 + (v197 + (v196 + (v195 + (1 .. 2))))";
  ASSERT_EQ(Load(source), 0) << lua_tostring(L, -1);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(L, -1), 198 + 197 + 196 + 195 + 12);
}

TEST_F(ScriptParserTest, ChunkNamesShapeThePosition) {
  ASSERT_NE(Load("x = ", "@scripts/game.lua"), 0);
  EXPECT_STREQ(lua_tostring(L, -1), "scripts/game.lua:1: unexpected symbol near `<eof>'");
  lua_pop(L, 1);
  ASSERT_NE(Load("x = ", "x = "), 0);
  EXPECT_STREQ(lua_tostring(L, -1), "[string \"x = \"]:1: unexpected symbol near `<eof>'");
  lua_pop(L, 1);
  ASSERT_NE(luaL_loadbuffer(L, "x = ", 4, nullptr), 0);
  EXPECT_STREQ(lua_tostring(L, -1), "[string \"?\"]:1: unexpected symbol near `<eof>'");
  lua_pop(L, 1);
}

TEST_F(ScriptParserTest, AFailedCompilationLeavesTheStateUsable) {
  for (int i = 0; i < 50; i++) {
    EXPECT_NE(CompileError("function f() local t = {1, 2, " + Repeat("x .. ", i) + " end"), "");
  }
  EXPECT_EQ(Load("return 1 + 2"), 0);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(L, -1), 3);
}

}  // namespace
