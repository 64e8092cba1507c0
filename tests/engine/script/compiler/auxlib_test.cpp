#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/script/lualib.h"
#include "tests/engine/script/compiler/script_fixture.h"

namespace {

using ScriptAuxlibTest = ScriptTest;

int CheckNumberAt2(lua_State* L) {
  luaL_checknumber(L, 2);
  return 0;
}

int CheckWide(lua_State* L) {
  size_t len = 0;
  luaL_checklwstring(L, 1, &len);
  lua_pushnumber(L, static_cast<lua_Number>(len));
  return 1;
}

int CheckString(lua_State* L) {
  luaL_checkstring(L, 1);
  return 0;
}

int CheckAny(lua_State* L) {
  luaL_checkany(L, 1);
  return 0;
}

// Runs source (chunk name "=t") and answers the error message, empty on success.
std::string RunError(lua_State* L, const std::string& source) {
  if (luaL_loadbuffer(L, source.data(), source.size(), "=t") != 0 || lua_pcall(L, 0, 0, 0) != 0) {
    std::string message = lua_isstring(L, -1) && lua_tostring(L, -1) ? lua_tostring(L, -1) : "?";
    lua_pop(L, 1);
    return message;
  }
  return "";
}

TEST_F(ScriptAuxlibTest, ArgumentErrorsNameTheFunctionAndCountMethodsWithoutSelf) {
  lua_register(L, "needsnumber", CheckNumberAt2);
  lua_register(L, "needswide", CheckWide);
  lua_register(L, "needsstring", CheckString);
  lua_register(L, "needsany", CheckAny);
  EXPECT_EQ(RunError(L, "needsnumber(1, 'x')"),
            "t:1: bad argument #2 to `needsnumber' (number expected, got string)");
  EXPECT_EQ(RunError(L, "obj = {m = needsnumber}; obj:m({})"),
            "t:1: bad argument #1 to `m' (number expected, got table)");
  EXPECT_EQ(RunError(L, "obj = {m = needsany}; obj.m()"), "t:1: bad argument #1 to `m' (value expected)");
  EXPECT_EQ(RunError(L, "local s = {m = needswide}; s:m()"),
            "t:1: calling `m' on bad self (wstring expected, got table)");
  EXPECT_EQ(RunError(L, "needswide('text')"), "t:1: bad argument #1 to `needswide' (wstring expected, got string)");
  EXPECT_EQ(RunError(L, "needsstring(L\"wide\")"),
            "t:1: bad argument #1 to `needsstring' (string expected, got wstring)");
  EXPECT_EQ(RunError(L, "local f = needsstring; f()"), "t:1: bad argument #1 to `f' (string expected, got no value)");
  EXPECT_EQ(RunError(L, "needsstring(12)"), "");
}

TEST_F(ScriptAuxlibTest, CheckedWideArgumentConvertsNumbersInPlace) {
  lua_pushcfunction(L, CheckWide);
  lua_pushnumber(L, 7);
  ASSERT_EQ(lua_pcall(L, 1, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(L, -1), 1);
}

TEST_F(ScriptAuxlibTest, IntegerArgumentsAreDefinedForEveryNumber) {
  const struct {
    double value;
    int expected;
  } cases[] = {{-2.5, -2}, {2147483647.9, 2147483647}, {-2147483648.5, -2147483647 - 1},
               {1e100, -2147483647 - 1}, {-1e100, -2147483647 - 1}, {0.0 / 0.0, -2147483647 - 1}};
  for (const auto& c : cases) {
    lua_pushnumber(L, c.value);
    lua_pushnumber(L, c.value);
    EXPECT_EQ(luaL_checkint(L, 1), c.expected) << c.value;
    EXPECT_EQ(luaL_optint(L, 2, 5), c.expected) << c.value;
    EXPECT_EQ(luaL_optint(L, 3, 5), 5);
    lua_settop(L, 0);
  }
}

TEST_F(ScriptAuxlibTest, WideBufferFlushesIntoOneWideString) {
  luaL_Buffer b;
  luaL_wbuffinit(L, &b);
  std::vector<lua_WChar> units(300);
  for (size_t i = 0; i < units.size(); i++) units[i] = static_cast<lua_WChar>(0x4E00 + i);
  luaL_addlwstring(&b, units.data(), units.size());
  EXPECT_EQ(b.lvl, 1);  // 256 units filled the buffer once
  luaL_pushresult(&b);
  ASSERT_EQ(lua_gettop(L), 1);
  ASSERT_EQ(lua_type(L, -1), LUA_TWSTRING);
  ASSERT_EQ(lua_strlen(L, -1), 300u);
  const lua_WChar* result = lua_towstring(L, -1);
  EXPECT_EQ(std::vector<lua_WChar>(result, result + 300), units);
}

TEST_F(ScriptAuxlibTest, ByteBufferKeepsTheStackShallow) {
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  std::string expected;
  for (int i = 0; i < 2000; i++) {
    std::string piece = std::to_string(i) + std::string(static_cast<size_t>(i % 700), 'x');
    expected += piece;
    if (i % 2) {
      luaL_addlstring(&b, piece.data(), piece.size());
    } else {
      lua_pushlstring(L, piece.data(), piece.size());
      luaL_addvalue(&b);
    }
    ASSERT_LE(lua_gettop(L), 12);
  }
  luaL_pushresult(&b);
  ASSERT_EQ(lua_gettop(L), 1);
  EXPECT_EQ(std::string(lua_tostring(L, -1), lua_strlen(L, -1)), expected);
}

TEST_F(ScriptAuxlibTest, EmptyBuffersGiveEmptyStringsOfTheirKind) {
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  luaL_pushresult(&b);
  EXPECT_EQ(lua_type(L, -1), LUA_TSTRING);
  luaL_wbuffinit(L, &b);
  luaL_pushresult(&b);
  EXPECT_EQ(lua_type(L, -1), LUA_TWSTRING);
  EXPECT_EQ(lua_strlen(L, -1), 0u);
}

int AddWideValue(lua_State* L) {
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  lua_pushvalue(L, 1);
  luaL_addvalue(&b);
  luaL_pushresult(&b);
  return 1;
}

TEST_F(ScriptAuxlibTest, AddValueRejectsWideStrings) {
  luaopen_base(L);
  lua_register(L, "addvalue", AddWideValue);
  EXPECT_EQ(RunError(L, "addvalue(L\"x\")"), "t:1: string expected, got wstring");
  EXPECT_EQ(RunError(L, "assert(addvalue(12) == '12')"), "");
}

TEST_F(ScriptAuxlibTest, SizesComeFromFieldNThenTheSizeTableThenTheEntries) {
  ASSERT_EQ(RunError(L, "t = {n = 5, 1, 2}; u = {1, 2, 3, nil, 5}; v = {n = 'x', 1}; w = {n = -1, 1, 2}; "
                        "s = {n = '4', 1}; z = {n = 0, 1}"), "");
  struct Case {
    const char* table;
    int size;
  } cases[] = {{"t", 5}, {"u", 3}, {"v", 1}, {"w", 2}, {"s", 4}, {"z", 0}};
  for (const Case& c : cases) {
    lua_pushstring(L, c.table);
    lua_gettable(L, LUA_GLOBALSINDEX);
    EXPECT_EQ(luaL_getn(L, -1), c.size) << c.table;
    lua_pop(L, 1);
  }
  lua_newtable(L);
  luaL_setn(L, -1, 7);
  EXPECT_EQ(luaL_getn(L, -1), 7);
  lua_pushliteral(L, "n");
  lua_rawget(L, -2);
  EXPECT_TRUE(lua_isnil(L, -1));  // recorded aside, not in the table
  lua_pop(L, 1);
  lua_pushliteral(L, "n");
  lua_pushnumber(L, 2);
  lua_rawset(L, -3);
  luaL_setn(L, -1, 9);  // a numeric field "n" is updated
  lua_pushliteral(L, "n");
  lua_rawget(L, -2);
  EXPECT_EQ(lua_tonumber(L, -1), 9);
}

int FirstUpvalue(lua_State* L) {
  lua_pushvalue(L, lua_upvalueindex(1));
  return 1;
}

TEST_F(ScriptAuxlibTest, OpenLibRegistersClosuresSharingTheUpvalues) {
  const luaL_reg functions[] = {{"a", FirstUpvalue}, {"b", FirstUpvalue}, {nullptr, nullptr}};
  lua_pushliteral(L, "shared");
  luaL_openlib(L, "lib", functions, 1);
  ASSERT_EQ(lua_gettop(L), 1);  // the library table, the upvalue popped
  ASSERT_TRUE(lua_istable(L, 1));
  lua_pushliteral(L, "again");
  luaL_openlib(L, "lib", functions, 1);  // an existing table is reused
  EXPECT_TRUE(lua_rawequal(L, 1, 2));
  lua_settop(L, 0);
  ASSERT_EQ(Load("return lib.a(), lib.b()"), 0);
  ASSERT_EQ(lua_pcall(L, 0, 2, 0), 0);
  EXPECT_STREQ(lua_tostring(L, 1), "again");
  EXPECT_STREQ(lua_tostring(L, 2), "again");
  lua_settop(L, 0);

  lua_newtable(L);  // no name: the functions go into the table below the upvalues
  lua_pushnumber(L, 5);
  luaL_openlib(L, nullptr, functions, 1);
  ASSERT_EQ(lua_gettop(L), 1);
  lua_pushliteral(L, "a");
  lua_rawget(L, 1);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(L, -1), 5);
}

int ToStringMeta(lua_State* L) {
  lua_pushliteral(L, "from meta");
  return 1;
}

TEST_F(ScriptAuxlibTest, MetafieldsAreFoundAndCalledWithTheObject) {
  lua_newtable(L);
  EXPECT_EQ(luaL_getmetafield(L, 1, "__tostring"), 0);
  EXPECT_EQ(luaL_callmeta(L, -1, "__tostring"), 0);
  EXPECT_EQ(lua_gettop(L), 1);
  lua_newtable(L);
  lua_pushliteral(L, "__tostring");
  lua_pushcfunction(L, ToStringMeta);
  lua_rawset(L, -3);
  lua_setmetatable(L, 1);
  EXPECT_EQ(luaL_callmeta(L, -1, "__tostring"), 1);  // a relative index
  EXPECT_STREQ(lua_tostring(L, -1), "from meta");
  EXPECT_EQ(lua_gettop(L), 2);
}

TEST_F(ScriptAuxlibTest, WhereIsEmptyWithoutALine) {
  luaL_where(L, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "");
}

int RecordAlert(lua_State* L) {
  lua_pushliteral(L, "alerted");
  lua_pushvalue(L, 1);
  lua_settable(L, LUA_GLOBALSINDEX);
  return 0;
}

TEST_F(ScriptAuxlibTest, DoStringReportsFailuresToAlert) {
  luaopen_base(L);
  lua_settop(L, 0);
  lua_register(L, "_ALERT", RecordAlert);
  EXPECT_EQ(lua_dostring(L, "x = "), LUA_ERRSYNTAX);
  lua_pushliteral(L, "alerted");
  lua_gettable(L, LUA_GLOBALSINDEX);
  EXPECT_STREQ(lua_tostring(L, -1), "[string \"x = \"]:1: unexpected symbol near `<eof>'");
  lua_pop(L, 1);
  EXPECT_EQ(lua_dobuffer(L, "error('boom')", 13, "=buf"), LUA_ERRRUN);
  EXPECT_EQ(lua_gettop(L), 0);
  EXPECT_EQ(lua_dostring(L, "y = 2"), 0);
}

TEST_F(ScriptAuxlibTest, DoStringWithoutAlertWritesToStandardError) {
  luaopen_base(L);
  lua_settop(L, 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(lua_dostring(L, "error({})"), LUA_ERRRUN);
  EXPECT_EQ(lua_dostring(L, "error('plain')"), LUA_ERRRUN);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "(error object is a table value)\n[string \"error('plain')\"]:1: plain\n");
  EXPECT_EQ(lua_gettop(L), 0);
}

// Files on disk for the default reader, removed with the fixture.
class ScriptLoadFileTest : public ScriptAuxlibTest {
 protected:
  void SetUp() override {
    ScriptAuxlibTest::SetUp();
    char pattern[] = "/tmp/loadfile_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    ScriptAuxlibTest::TearDown();
  }
  std::string Write(const char* name, const std::string& bytes) {
    std::string path = folder_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string folder_;
};

TEST_F(ScriptLoadFileTest, TheDefaultReaderReadsDiskFilesInTextOrBinaryMode) {
  std::string text = Write("text.lua", "return [[a\r\nb]]");  // text mode drops the carriage return
  ASSERT_EQ(luaL_loadfile(L, text.c_str()), 0) << lua_tostring(L, -1);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  EXPECT_STREQ(lua_tostring(L, -1), "a\nb");
  lua_pop(L, 1);

  const std::string source = "return 'c\\r\\n'";
  ASSERT_EQ(luaL_loadbuffer(L, source.data(), source.size(), "=x"), 0);
  std::string chunk;
  lua_dump(L, [](lua_State*, const void* p, size_t n, void* d) {
    static_cast<std::string*>(d)->append(static_cast<const char*>(p), n);
    return 0;
  }, &chunk);
  lua_pop(L, 1);
  std::string compiled = Write("chunk.luac", chunk);
  ASSERT_EQ(luaL_loadfile(L, compiled.c_str()), 0) << lua_tostring(L, -1);  // binary: read unchanged
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
  EXPECT_STREQ(lua_tostring(L, -1), "c\r\n");
  lua_pop(L, 1);

  std::string missing = folder_ + "/missing.lua";
  ASSERT_EQ(luaL_loadfile(L, missing.c_str()), LUA_ERRFILE);
  EXPECT_EQ(std::string(lua_tostring(L, -1)), "cannot read " + missing + ": No such file or directory");
  EXPECT_EQ(lua_gettop(L), 1);
  lua_pop(L, 1);

  std::string bad = Write("bad.lua", "x = = 1");
  ASSERT_EQ(luaL_loadfile(L, bad.c_str()), LUA_ERRSYNTAX);
  EXPECT_EQ(std::string(lua_tostring(L, -1)), bad + ":1: unexpected symbol near `='");
  EXPECT_EQ(lua_gettop(L), 1);
}

TEST_F(ScriptLoadFileTest, AnInstalledReaderServesEveryLoadUntilRemoved) {
  static std::vector<std::string> requests;
  requests.clear();
  luaL_setfilereader(L, [](const char* name, bool binary, std::string* bytes) {
    requests.push_back(std::string(name) + (binary ? " rb" : " rt"));
    *bytes = "return 42";
    return true;
  });
  lua_State* thread = lua_newthread(L);
  ASSERT_EQ(luaL_loadfile(thread, "scripts/virtual.lua"), 0);  // threads share the state's reader
  ASSERT_EQ(lua_pcall(thread, 0, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(thread, -1), 42);
  EXPECT_EQ(requests, std::vector<std::string>{"scripts/virtual.lua rt"});
  lua_settop(L, 0);

  luaL_setfilereader(L, nullptr);
  EXPECT_EQ(luaL_loadfile(L, "scripts/virtual.lua"), LUA_ERRFILE);
}

}  // namespace
