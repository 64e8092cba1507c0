#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/script/opcodes.h"
#include "tests/engine/script/compiler/chunk_builder.h"
#include "tests/engine/script/compiler/script_fixture.h"

namespace {

int Collect(lua_State*, const void* p, size_t size, void* data) {
  static_cast<std::string*>(data)->append(static_cast<const char*>(p), size);
  return 0;
}

// A main function answering 42 and a wide string.
FunctionRecord AnswerFunction() {
  FunctionRecord f;
  f.isVararg = 1;
  f.constants = {{3, 42, "", u""}, {9, 0, "", u"\u00e9\u4e2d"}};
  f.code = {CREATE_ABx(OP_LOADK, 0, 0), CREATE_ABx(OP_LOADK, 1, 1), CREATE_ABC(OP_RETURN, 0, 3, 0),
            CREATE_ABC(OP_RETURN, 0, 1, 0)};
  f.lines = {1, 1, 1, 1};
  return f;
}

class ScriptChunkTest : public ScriptTest {
protected:
  std::string Dump(const std::string& source) {
    EXPECT_EQ(Load(source), 0);
    std::string chunk;
    EXPECT_EQ(lua_dump(L, Collect, &chunk), 1);
    lua_pop(L, 1);
    return chunk;
  }

  // The message of a chunk that must fail to load (LUA_ERRRUN), popped.
  std::string LoadError(const std::string& chunk, const char* name = "=test") {
    int status = luaL_loadbuffer(L, chunk.data(), chunk.size(), name);
    EXPECT_EQ(status, LUA_ERRRUN);
    std::string message = status != 0 && lua_isstring(L, -1) ? lua_tostring(L, -1) : "";
    lua_pop(L, 1);
    return message;
  }
};

TEST_F(ScriptChunkTest, HeaderIsTheFixedFormat) {
  std::string chunk = Dump("return 1");
  const unsigned char header[] = {0x1b, 'L', 'u', 'a', 0x50, 1, 4, 4, 4, 6, 8, 9, 9, 8};
  ASSERT_GT(chunk.size(), 22u);
  EXPECT_EQ(chunk.substr(0, 14), std::string(reinterpret_cast<const char*>(header), 14));
  double test;
  std::memcpy(&test, chunk.data() + 14, 8);
  EXPECT_EQ(test, 31415926.5358979);
}

TEST_F(ScriptChunkTest, DumpedChunkRunsLikeItsSource) {
  std::string chunk = Dump("local t = {L\"w\", 'b', 3.5, nil} return t[1], t[2], t[3], function() return 7 end");
  ASSERT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=chunk"), 0);
  ASSERT_EQ(lua_pcall(L, 0, 4, 0), 0);
  EXPECT_EQ(lua_type(L, 1), LUA_TWSTRING);
  EXPECT_STREQ(lua_tostring(L, 2), "b");
  EXPECT_EQ(lua_tonumber(L, 3), 3.5);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(L, -1), 7);
}

struct HeaderFault {
  size_t offset;
  int value;
  const char* message;
};

// Hands the text over one byte per call.
struct ByteReader {
  std::string text;
  size_t next = 0;
  static const char* Read(lua_State*, void* ud, size_t* size) {
    auto* r = static_cast<ByteReader*>(ud);
    if (r->next >= r->text.size()) return nullptr;
    *size = 1;
    return r->text.data() + r->next++;
  }
};

TEST_F(ScriptChunkTest, SourcesAndChunksLoadFromOneByteBlocks) {
  const std::string source = "local s = L\"w\" .. L\"x\" return s, 0x10";
  std::string utf16 = "\xff\xfe";
  for (char c : source) utf16 += std::string{c, '\0'};
  for (const std::string& text : {source, utf16, Dump(source)}) {
    ByteReader reader{text};
    ASSERT_EQ(lua_load(L, ByteReader::Read, &reader, "=bytes"), 0) << lua_tostring(L, -1);
    ASSERT_EQ(lua_pcall(L, 0, 2, 0), 0);
    EXPECT_EQ(lua_type(L, 1), LUA_TWSTRING);
    EXPECT_EQ(lua_strlen(L, 1), 2u);
    EXPECT_EQ(lua_tonumber(L, 2), 16);
    lua_settop(L, 0);
  }
}

TEST_F(ScriptChunkTest, HeaderFaultsGiveTheirMessagesInCheckOrder) {
  const std::string good = Dump("return 1");
  const HeaderFault faults[] = {
      {1, 'X', "bad signature in test"},
      {4, 0x51, "test too new: read version 5.1; expected at most 5.0"},
      {4, 0x40, "test too old: read version 4.0; expected at least 5.0"},
      {6, 8, "virtual machine mismatch in test: size of int is 4 but read 8"},
      {7, 8, "virtual machine mismatch in test: size of size_t is 4 but read 8"},
      {8, 2, "virtual machine mismatch in test: size of Instruction is 4 but read 2"},
      {9, 7, "virtual machine mismatch in test: size of OP is 6 but read 7"},
      {10, 9, "virtual machine mismatch in test: size of A is 8 but read 9"},
      {11, 8, "virtual machine mismatch in test: size of B is 9 but read 8"},
      {12, 8, "virtual machine mismatch in test: size of C is 9 but read 8"},
      {13, 4, "virtual machine mismatch in test: size of number is 8 but read 4"},
      {21, 0x40, "unknown number format in test"},
  };
  for (const HeaderFault& f : faults) {
    std::string chunk = good;
    chunk[f.offset] = static_cast<char>(f.value);
    EXPECT_EQ(LoadError(chunk), f.message) << "offset " << f.offset;
  }
}

TEST_F(ScriptChunkTest, MessagesNameTheChunkWithoutItsPrefix) {
  std::string chunk = Dump("return 1");
  chunk[4] = 0x51;
  EXPECT_EQ(LoadError(chunk, "@dir/file.lua"), "dir/file.lua too new: read version 5.1; expected at most 5.0");
  EXPECT_EQ(LoadError(chunk, chunk.c_str()), "binary string too new: read version 5.1; expected at most 5.0");
}

TEST_F(ScriptChunkTest, EveryTruncationIsAnEndOfFile) {
  std::string chunk = Dump("local a = {1, 'two', L\"3\"} function f(x) return x .. a[2] end return f");
  for (size_t n = 1; n < chunk.size(); n++) {
    EXPECT_EQ(LoadError(chunk.substr(0, n)), "unexpected end of file in test") << n;
  }
}

TEST_F(ScriptChunkTest, BothByteOrdersLoadWithWideConstantsIntact) {
  for (bool big : {false, true}) {
    std::string chunk = ChunkBuilder::Chunk(AnswerFunction(), big);
    ASSERT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=test"), 0) << lua_tostring(L, -1);
    ASSERT_EQ(lua_pcall(L, 0, 2, 0), 0);
    EXPECT_EQ(lua_tonumber(L, 1), 42);
    ASSERT_EQ(lua_type(L, 2), LUA_TWSTRING);
    ASSERT_EQ(lua_strlen(L, 2), 2u);
    const lua_WChar* units = lua_towstring(L, 2);
    EXPECT_EQ(units[0], 0xE9);
    EXPECT_EQ(units[1], 0x4E2D);
    lua_settop(L, 0);
  }
}

TEST_F(ScriptChunkTest, MainFunctionWithoutSourceTakesTheChunkName) {
  FunctionRecord f = AnswerFunction();
  f.source = nullptr;
  f.code = {CREATE_ABx(OP_GETGLOBAL, 0, 2), CREATE_ABC(OP_CALL, 0, 1, 1), CREATE_ABC(OP_RETURN, 0, 1, 0)};
  f.lines = {3, 3, 3};
  f.constants.push_back({4, 0, "missing", u""});
  std::string chunk = ChunkBuilder::Chunk(f);
  ASSERT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=named"), 0);
  ASSERT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "named:3: attempt to call global `missing' (a nil value)");
}

TEST_F(ScriptChunkTest, DamagedFieldsGiveTheirMessages) {
  FunctionRecord badType = AnswerFunction();
  badType.constants[0].type = 7;
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(badType)), "bad constant type (7) in test");

  FunctionRecord badNames = AnswerFunction();
  badNames.nups = 1;
  badNames.upvalueNames = {"a", "b"};
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(badNames)), "bad nupvalues in test: read 2; expected 1");

  // A negative count.
  ChunkBuilder negative;
  negative.Header();
  negative.String("=test");
  negative.UInt32(0);
  for (int b : {0, 0, 1, 2}) negative.Byte(b);
  negative.UInt32(0xFFFFFFF0u);
  EXPECT_EQ(LoadError(negative.bytes()), "bad integer in test");

  // A count far beyond the bytes present fails at their end, without reserving room for it first.
  ChunkBuilder huge;
  huge.Header();
  huge.String("=test");
  huge.UInt32(0);
  for (int b : {0, 0, 1, 2}) huge.Byte(b);
  huge.UInt32(0x7FFFFFFF);
  huge.UInt32(1);
  EXPECT_EQ(LoadError(huge.bytes()), "unexpected end of file in test");
  ChunkBuilder hugeString;
  hugeString.Header();
  hugeString.UInt32(0xFFFFFFFFu);
  EXPECT_EQ(LoadError(hugeString.bytes()), "unexpected end of file in test");
}

TEST_F(ScriptChunkTest, CheckerRejectsCodeThatReachesOutside) {
  auto withCode = [](std::vector<Instruction> code) {
    FunctionRecord f = AnswerFunction();
    f.code = std::move(code);
    f.lines.clear();
    return f;
  };
  const Instruction ret = CREATE_ABC(OP_RETURN, 0, 1, 0);
  std::string chunk;
  std::vector<FunctionRecord> bad = {
      withCode({CREATE_ABC(OP_MOVE, 0, 2, 0), ret}),                       // register past the frame
      withCode({CREATE_ABx(OP_LOADK, 0, 2), ret}),                         // constant past the table
      withCode({CREATE_ABC(OP_ADD, 0, MAXSTACK + 5, 0), ret}),             // RK constant past the table
      withCode({CREATE_AsBx(OP_JMP, 0, 5), ret}),                          // jump out of the code
      withCode({CREATE_AsBx(OP_JMP, 0, -3), ret}),
      withCode({CREATE_ABx(OP_LOADK, 0, 0)}),                              // no final return
      withCode({}),                                                        // no code at all
      withCode({CREATE_ABC(OP_GETUPVAL, 0, 0, 0), ret}),                   // no upvalues
      withCode({CREATE_ABx(OP_GETGLOBAL, 0, 0), ret}),                     // global name not a string
      withCode({CREATE_ABC(OP_CALL, 0, 1, 0), CREATE_ABC(OP_MOVE, 0, 1, 0), ret}),  // open results unused
      withCode({CREATE_ABC(OP_TFORLOOP, 0, 0, 0), CREATE_AsBx(OP_JMP, 0, 0), ret}),  // generator registers
      withCode({CREATE_ABC(OP_EQ, 0, 0, 1), ret}),                         // test without its jump
      withCode({CREATE_ABC(OP_CONCAT, 0, 1, 0), ret}),                     // empty concatenation
      withCode({CREATE_ABx(OP_CLOSURE, 0, 0), ret}),                       // no such prototype
      withCode({static_cast<Instruction>(45), ret}),                       // no such opcode
  };
  for (size_t i = 0; i < bad.size(); i++) {
    EXPECT_EQ(LoadError(ChunkBuilder::Chunk(bad[i])), "bad code in test") << "case " << i;
  }

  // Open results must be taken from below: a consumer above them would find the stack top under its
  // own register and run its callee's frame over the function slot.
  FunctionRecord open = withCode({CREATE_ABC(OP_CALL, 1, 1, 0), CREATE_ABC(OP_CALL, 2, 0, 1), ret});
  open.maxStack = 4;
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(open)), "bad code in test");
  open.code[1] = CREATE_ABC(OP_RETURN, 2, 0, 0);
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(open)), "bad code in test");
  open.code[1] = CREATE_ABC(OP_CALL, 0, 0, 1);
  chunk = ChunkBuilder::Chunk(open);
  EXPECT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=test"), 0);
  lua_settop(L, 0);

  FunctionRecord upvalueMain = AnswerFunction();
  upvalueMain.nups = 1;
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(upvalueMain)), "bad code in test");

  FunctionRecord params = AnswerFunction();
  params.numparams = 2;  // with the vararg table, more than the frame
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(params)), "bad code in test");

  // A closure needs one pseudo-instruction per upvalue of its prototype.
  FunctionRecord child;
  child.source = nullptr;
  child.nups = 2;
  child.code = {CREATE_ABC(OP_GETUPVAL, 0, 1, 0), CREATE_ABC(OP_RETURN, 0, 2, 0)};
  FunctionRecord parent = withCode({CREATE_ABx(OP_CLOSURE, 0, 0), CREATE_ABC(OP_MOVE, 0, 1, 0), ret});
  parent.functions = {child};
  EXPECT_EQ(LoadError(ChunkBuilder::Chunk(parent)), "bad code in test");
  parent.code = {CREATE_ABx(OP_CLOSURE, 0, 0), CREATE_ABC(OP_MOVE, 0, 1, 0), CREATE_ABC(OP_MOVE, 0, 0, 0), ret};
  chunk = ChunkBuilder::Chunk(parent);
  EXPECT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=test"), 0);
}

TEST_F(ScriptChunkTest, MutatedChunksLoadOrFailCleanly) {
  const std::string good = Dump(
      "local t = {1, 2, x = L'w'} for i = 1, 2 do t[i] = function(a, b) return a .. b, t end end "
      "while t do if t.x then break end end return t");
  std::mt19937 random(7);
  for (int round = 0; round < 3000; round++) {
    std::string chunk = good;
    int mutations = 1 + static_cast<int>(random() % 4);
    for (int m = 0; m < mutations; m++) {
      size_t at = 14 + random() % (chunk.size() - 14);  // past the header checks
      chunk[at] = static_cast<char>(random());
    }
    int status = luaL_loadbuffer(L, chunk.data(), chunk.size(), "=fuzz");
    ASSERT_TRUE(status == 0 || status == LUA_ERRRUN) << status;
    lua_settop(L, 0);
  }
}

}  // namespace
