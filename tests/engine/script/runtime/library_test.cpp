#include <gtest/gtest.h>

#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/lualib.h"
#include "engine/script/state.h"

namespace {

struct State {
  lua_State* L = lua_open();
  explicit State(bool gcstress = false) {
    luaE_setgcstress(L, gcstress);
    luaopen_base(L);
    luaopen_string(L);
    luaopen_table(L);
    lua_settop(L, 0);
  }
  ~State() { lua_close(L); }
};

// Runs a chunk and answers its first result as text ("error: " and the message on failure). Bytes are
// kept as they are; wide results are shown as \uXXXX escapes after "L:".
std::string Eval(lua_State* L, const std::string& code) {
  lua_settop(L, 0);
  int status = luaL_loadbuffer(L, code.data(), code.size(), "=chunk");
  if (status == 0) status = lua_pcall(L, 0, 1, 0);
  if (status != 0) return std::string("error: ") + (lua_tostring(L, -1) ? lua_tostring(L, -1) : "?");
  if (lua_type(L, -1) == LUA_TWSTRING) {
    std::string out = "L:";
    const lua_WChar* w = lua_towstring(L, -1);
    for (size_t i = 0; i < lua_strlen(L, -1); i++) {
      char buff[8];
      snprintf(buff, sizeof buff, "\\u%04x", w[i]);
      out += buff;
    }
    return out;
  }
  if (lua_type(L, -1) == LUA_TBOOLEAN) return lua_toboolean(L, -1) ? "true" : "false";
  if (lua_isnil(L, -1)) return "nil";
  return std::string(lua_tostring(L, -1), lua_strlen(L, -1));
}

struct Case {
  std::string code;
  std::string expected;
};

// Each case runs twice: normally and collecting at every check.
void RunCases(const std::vector<Case>& cases) {
  for (bool gcstress : {false, true}) {
    State s(gcstress);
    for (const Case& c : cases) EXPECT_EQ(Eval(s.L, c.code), c.expected) << c.code << (gcstress ? " (gc stress)" : "");
  }
}

TEST(ScriptBaseLibrary, Conversions) {
  RunCases({
      {"return tonumber('0x10')", "nil"},
      {"return tonumber(' 12 ')", "12"},
      {"return tonumber('ff', 16)", "255"},
      {"return tonumber('-ff', 16)", "4294967041"},
      {"return tonumber('zz', 36)", "1295"},
      {"return tonumber('99999999999', 16)", "4294967295"},
      {"return tonumber('8', 8)", "nil"},
      {"return tonumber(towstring('ff'), 16)", "255"},
      {"return tonumber(towstring(string.rep('1', 100)), 16)", "nil"},
      {"return tonumber(L\"0x1F\")", "31"},
      {"return select == nil and tostring(nil)", "nil"},
      {"return pcall(tonumber, '1', 99)", "false"},
      {"return pcall(tonumber, '1', 1e300)", "false"},
      {"local ok, m = pcall(error, 'x', 1e300) return m", "x"},
      {"return type(towstring(nil))", "string"},
      {"return towstring('\\233')", "L:\\u00e9"},
      {"return towstring(12.5)", "L:\\u0031\\u0032\\u002e\\u0035"},
      {"return string.len(towstring(''))", "error: chunk:1: bad argument #1 to `len' (string expected, got wstring)"},
      {"return tostring(L\"a\" .. towstring(string.char(200)))", "a\xC8"},
      {"return type(L\"x\")", "wstring"},
      {"return towstring(true)", "error: chunk:1: bad argument #1 to `towstring' (value expected)"},
      {"return tostring(1e15)", "1e+15"},
      {"return tostring(1/0) .. tostring(-1/0)", "inf-inf"},
  });
}

TEST(ScriptBaseLibrary, WideStringsInScripts) {
  RunCases({
      {"return L\"ab\" .. 1 .. L\"c\"", "L:\\u0061\\u0062\\u0031\\u0063"},
      {"return L\"a\" == 'a'", "false"},
      {"local t = {} t[L\"k\"] = 1 t.k = 2 return t[L\"k\"] .. t.k", "12"},
      {"return L\"12\" + 1", "13"},
      {"return tonumber(L\"1\\0 2\")", "nil"},
      {"return L\" 12\" + 1", "error: chunk:1: attempt to perform arithmetic on a wstring value"},
      {"return L\"a\" < L\"b\"", "error: chunk:1: attempt to compare two wstring values"},
      {"return L\"a\" .. 'b'", "error: chunk:1: attempt to concatenate a string value"},
      {"return string.len(tostring(L\"\\x4e2d\"))", "1"},
      {"return towstring(L\"x\") == L\"x\"", "true"},
      {"local m = setmetatable({}, {__concat = function(a, b) return 'joined' end}) return L\"w\" .. m",
       "joined"},
      {"for i = L\"1\", 3 do end return 'loop'", "loop"},
  });
}

TEST(ScriptBaseLibrary, ErrorsAndProtectedCalls) {
  RunCases({
      {"return select(2, pcall(error, 'x'))", "error: chunk:1: attempt to call global `select' (a nil value)"},
      {"local ok, m = pcall(error, 'x') return m", "x"},
      {"local ok, m = pcall(function() error('x') end) return m", "chunk:1: x"},
      {"local ok, m = pcall(function() error('x', 0) end) return m", "x"},
      {"local ok, m = pcall(function() error(L\"w\") end) return type(m)", "wstring"},
      {"local ok, m = pcall(function() error({}) end) return type(m)", "table"},
      {"local ok, m = xpcall(function() error('x') end, function(e) return 'h:' .. e end) return m", "h:chunk:1: x"},
      {"return assert(1)", "1"},
      {"local ok, m = pcall(assert, false) return m", "assertion failed!"},
      {"local ok, m = pcall(assert, nil, 'why') return m", "why"},
      {"local ok, m = pcall(setmetatable, {}, 1) return m", "bad argument #2 to `?' (nil or table expected)"},
      {"local t = setmetatable({}, {__metatable = 'locked'}) local ok, m = pcall(setmetatable, t, {}) return m",
       "cannot change a protected metatable"},
      {"return getmetatable(setmetatable({}, {__metatable = 'locked'}))", "locked"},
      {"return getmetatable('x')", "nil"},
      {"return getmetatable({})", "nil"},
      {"local ok, m = pcall(getfenv, -1) return m", "bad argument #1 to `?' (level must be non-negative)"},
      {"local ok, m = pcall(getfenv, 50) return m", "bad argument #1 to `?' (invalid level)"},
      {"local ok, m = pcall(setfenv, print, {}) return m", "`setfenv' cannot change environment of given function"},
      {"local function f() return x end setfenv(f, {x = 5}) return f()", "5"},
      {"local ok, m = pcall(unpack, {n = 100000}) return m", "stack overflow (table too big to unpack)"},
      {"return unpack({1, 2, 3, n = 2})", "1"},
  });
}

TEST(ScriptBaseLibrary, IterationAndRawAccess) {
  RunCases({
      {"local s = 0 for i, v in ipairs({1, 2, nil, 4}) do s = s + v end return s", "3"},
      {"local s = 0 for k, v in pairs({a = 1, b = 2}) do s = s + v end return s", "3"},
      {"local s = 0 for k, v in {5, 6} do s = s + v end return s", "11"},
      {"local t = setmetatable({}, {__index = function() return 1 end}) return rawget(t, 'x')", "nil"},
      {"return rawequal('a', 'a')", "true"},
      {"return next({})", "nil"},
      {"return _VERSION", "Lua 5.0.2"},
      {"return _G._G == _G", "true"},
      {"return type(newproxy(true))", "userdata"},
      {"return getmetatable(newproxy(false))", "nil"},
      {"local p = newproxy(true) return getmetatable(newproxy(p)) == getmetatable(p)", "true"},
      {"local ok, m = pcall(newproxy, 1) return m", "bad argument #1 to `?' (boolean or proxy expected)"},
      {"return gcinfo() > 0", "true"},
      {"local f = loadstring('return 1 +') return f", "nil"},
      {"local f, m = loadstring('x = ', '=s') return m", "s:1: unexpected symbol near `<eof>'"},
      {"return loadstring('return 7')()", "7"},
      {"LUA_PATH = '/nonexistent/?.lua;/none/?/init.lua' local ok, m = pcall(require, 'pkg') return m",
       "could not load package `pkg' from path `/nonexistent/?.lua;/none/?/init.lua'"},
      {"_LOADED.pkg = 'cached' return require('pkg')", "cached"},
      {"_LOADED = 1 local ok, m = pcall(require, 'pkg') return m", "`_LOADED' is not a table"},
  });
}

TEST(ScriptBaseLibrary, RegistryNamesThePerTypeTables) {
  State s;
  lua_pushstring(s.L, "_wstring");
  lua_rawget(s.L, LUA_REGISTRYINDEX);
  lua_pushtypemetatable(s.L, LUA_TWSTRING);
  EXPECT_TRUE(lua_rawequal(s.L, -1, -2));
  lua_pushstring(s.L, "_number");
  lua_rawget(s.L, LUA_REGISTRYINDEX);
  lua_pushtypemetatable(s.L, LUA_TNUMBER);
  EXPECT_TRUE(lua_rawequal(s.L, -1, -2));
  lua_pushtypemetatable(s.L, LUA_TSTRING);
  lua_pushstring(s.L, "string");
  lua_rawget(s.L, LUA_GLOBALSINDEX);
  EXPECT_TRUE(lua_rawequal(s.L, -1, -2)) << "the string table is the strings' slot";
  lua_pushstring(s.L, "_nil");
  lua_rawget(s.L, LUA_REGISTRYINDEX);
  EXPECT_TRUE(lua_isnil(s.L, -1));
}

TEST(ScriptBaseLibrary, PrintWritesWideTextAsUtf8) {
  State s;
  testing::internal::CaptureStdout();
  EXPECT_EQ(Eval(s.L, "print(1, 'a\\0b', L\"\\233\\x4e2d\\xd800!\", nil, true) print()"), "nil");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            std::string("1\ta\0b\t\xC3\xA9\xE4\xB8\xAD\xEF\xBF\xBD!\tnil\ttrue\n\n", 26));
  EXPECT_EQ(Eval(s.L, "tostring = function() return {} end print(1)"),
            "error: chunk:1: `tostring' must return a string to `print'");
}

TEST(ScriptCoroutineLibrary, Protocol) {
  RunCases({
      {"local co = coroutine.create(function(a) local b = coroutine.yield(a + 1) return b * 2 end)\n"
       "local ok1, v1 = coroutine.resume(co, 1) local ok2, v2 = coroutine.resume(co, 10)\n"
       "local ok3, m = coroutine.resume(co) return v1 .. ',' .. v2 .. ',' .. m .. ',' .. coroutine.status(co)",
       "2,20,cannot resume dead coroutine,dead"},
      {"local co co = coroutine.create(function() return coroutine.status(co) end) local ok, s = coroutine.resume(co) "
       "return s",
       "running"},
      {"local co co = coroutine.create(function() return coroutine.resume(co) end) local ok, a, b = "
       "coroutine.resume(co) return b",
       "cannot resume non-suspended coroutine"},
      {"local inner = coroutine.create(function() coroutine.yield() end)\n"
       "local outer = coroutine.create(function() coroutine.resume(inner) return coroutine.status(inner) end)\n"
       "local ok, s = coroutine.resume(outer) return s",
       "suspended"},
      {"local f = coroutine.wrap(function() error('bad') end) local ok, m = pcall(f) return m", "chunk:1: bad"},
      {"local ok, m = pcall(coroutine.create, print) return m",
       "bad argument #1 to `?' (Lua function expected)"},
      {"local ok, m = pcall(coroutine.resume, 1) return m", "bad argument #1 to `?' (coroutine expected)"},
      {"local gen = coroutine.wrap(function() for i = 1, 3 do coroutine.yield(i) end end)\n"
       "return gen() + gen() + gen()",
       "6"},
      {"local ok, m = pcall(function() table.foreach({1}, function() coroutine.yield() end) end) return m",
       "attempt to yield across metamethod/C-call boundary"},
  });
}

TEST(ScriptStringLibrary, StockFunctions) {
  RunCases({
      {"return string.sub('hello', -3)", "llo"},
      {"return string.sub('hello', 0, 0)", ""},
      {"return string.byte('hello', 0)", "nil"},
      {"return string.byte('A')", "65"},
      {"return ('abc'):upper()", "ABC"},
      {"return string.rep('ab', 3)", "ababab"},
      {"return string.rep('ab', 0/0) .. string.rep('ab', -1e300)", ""},
      {"local s = string.rep('abc', 1000) return string.len(s) .. string.sub(s, 1498, 1503) .. string.sub(s, -2)",
       "3000abcabcbc"},
      {"local ok, m = pcall(string.char, 256) return m", "bad argument #1 to `?' (invalid value)"},
      {"local ok, m = pcall(function() return string.char(1, 256) end) return m",
       "chunk:1: bad argument #2 to `char' (invalid value)"},
      {"local ok, m = pcall(function() return ('x'):rep({}) end) return m",
       "chunk:1: bad argument #1 to `rep' (number expected, got table)"},
      {"local ok, m = pcall(function() return string.len(L\"w\") end) return m",
       "chunk:1: bad argument #1 to `len' (string expected, got wstring)"},
      {"return string.len(string.char(0, 1, 2))", "3"},
      {"local s = 'x' s.k = 5 return string.k", "5"},
      {"local f = function(a) return a .. L\"!\" end return loadstring(string.dump(f))(L\"w\")", "L:\\u0077\\u0021"},
      {"local ok, m = pcall(string.dump, print) return m", "unable to dump given function"},
      {"return (5).x", "nil"},
  });
}

TEST(ScriptStringLibrary, Patterns) {
  RunCases({
      {"return string.find('hello world', 'o w')", "5"},
      {"return select", "nil"},
      {"local a, b, c = string.find('key=val', '(%w+)=(%w+)') return c", "key"},
      {"return string.gsub('hello', 'l', 'L')", "heLLo"},
      {"local s, n = string.gsub('abc', '%w', '%0') return s", "error: chunk:1: invalid capture index"},
      {"return string.gsub('abc', '(%w)', '%1%1')", "aabbcc"},
      {"return string.gsub('abc', '%w', function(c) return nil end)", ""},
      {"local s, n = string.gsub('aaa', 'a', 'b', 1) return s .. n", "baa1"},
      {"return string.gsub('f(a(b)c)', '%b()', '')", "f"},
      {"return string.gsub('THE (quick) fox', '%f[%a]%a+', 'w')", "w (w) w"},
      {"local r = '' for w in string.gfind('one two', '%a+') do r = r .. w .. ';' end return r", "one;two;"},
      {"return pcall(string.find, 'a', '%')", "false"},
      {"local ok, m = pcall(string.find, 'a', '[a') return m", "malformed pattern (missing `]')"},
      {"local ok, m = pcall(string.gsub, 'a', 'a', {}) return m",
       "bad argument #3 to `?' (string or function expected)"},
      {"local ok, m = pcall(string.gsub, 'a', 'a', L\"x\") return m",
       "bad argument #3 to `?' (string expected, got wstring)"},
      {"local ok, m = pcall(string.find, 'a', string.rep('(', 33)) return m", "too many captures"},
      {"return string.find('abc', '()b()')", "2"},
      {"return string.gsub('hello', '(l)(l)', '%2%1')", "hello"},
      {"return string.find('a.b', '.', 1, true)", "2"},
      {"return string.gsub('abc', '', '-')", "-a-b-c-"},
  });
}

TEST(ScriptStringLibrary, Format) {
  RunCases({
      {"return string.format('%x', 4294967295)", "ffffffff"},
      {"return string.format('%x', -1)", "ffffffff"},
      {"return string.format('%d', 3.9)", "3"},
      {"return string.format('%d', 1e300)", "-2147483648"},
      {"return string.format('%5.1f|%-3s|%3s', 3.14159, 'a', 'b')", "  3.1|a  |  b"},
      {"return string.format('%B%B%B', nil, true, false)", "falsetruefalse"},
      {"return string.format('%Q', L\"\\x4e2d\")", "L\"\\x4e2d\""},
      {"return string.format('%Q', '\\1A\\n\"')", "\"\\x01A\\n\\\"\""},
      {"return string.format('%q', 'a\\0b\\n')", "\"a\\000b\\\n\""},
      {"return string.len(string.format('%c', 0))", "1"},
      {"return string.len(string.format('%5s', 'a\\0b'))", "5"},
      {"return string.format('%bw', 258)", "\x02\x01"},
      {"return string.len(string.format('%bF%bf%bd%bb', 1, 1, 1, 1))", "17"},
      {"local ok, m = pcall(string.format, '%123d', 1) return m", "invalid format (width or precision too long)"},
      {"local ok, m = pcall(string.format, '%1$d', 1) return m", "obsolete option (d$) to `format'"},
      {"local ok, m = pcall(string.format, '%y', 1) return m", "invalid option to `format'"},
      {"local ok, m = pcall(string.format, 'ends in %') return m", "invalid option to `format'"},
      {"local ok, m = pcall(string.format, '%B', 1) return m",
       "bad argument #2 to `?' (boolean expected, got number)"},
      {"return string.format('%s', 1)", "1"},
      {"return string.format('%5.2s', 'abc')", "   ab"},
      {"return string.format('%g', 0/0) == 'nan' or string.format('%g', 0/0) == '-nan'", "true"},
  });
}

TEST(ScriptStringLibrary, LualexPackUnpack) {
  RunCases({
      {"return string.lualex('a\\\\x41b', 0)", std::string("aA\0b", 4)},
      {"return string.lualex('\\\\65B', 0)", "AB"},
      {"return string.lualex('\\\\q', 0)", "q"},
      {"return string.lualex('\\\\xg', 0)", "xg"},
      {"return string.lualex('a\\\\n', 1)", std::string("a\0\n\0", 4)},
      {"return string.pack('>H', 1)", std::string("\0\1", 2)},
      {"return string.pack('H', 1)", std::string("\1\0", 2)},
      {"return string.len(string.pack('i3', 1, 2, 3))", "12"},
      {"return string.pack('wz', L\"a\")", std::string("a\0\0\0", 4)},
      {"return string.pack('>wA', L\"a\")", std::string("\0a", 2)},
      {"local p, s, n = string.unpack(string.pack('pI', 'ab', 7), 'pI') return p .. s .. n", "8ab7"},
      {"return string.unpack('ab', 'I')", "1"},
      {"local p, a, b = string.unpack(string.pack('ch', -1, -2), 'ch') return a .. ',' .. b", "-1,-2"},
      {"local p, a = string.unpack(string.pack('b', 255.6), 'b') return a", "0"},
      {"local p, w = string.unpack(string.pack('>wa', L\"xy\"), '>wa') return w", "L:\\u0078\\u0079"},
      {"local p, a = string.unpack('hello', 'A3', 2) return p .. a", "5ell"},
      {"local p, a, b = string.unpack(string.pack('Bz', true, 'hi'), 'Bz') return p .. tostring(a) .. b", "5truehi"},
      {"local ok, m = pcall(string.pack, 'q', 1) return m", "bad argument #1 to `?' (bad code `q')"},
      {"local ok, m = pcall(string.pack, 'B', 1) return m", "bad argument #2 to `?' (expected a boolean)"},
      {"return string.unpack(string.pack('I', 4294967295), 'I') ", "5"},
      {"local p, s = string.unpack(string.pack('P', string.rep('x', 65535)), 'P') return p .. ',' .. string.len(s)",
       "65538,65535"},
      {"local p, s = string.unpack(string.pack('p', string.rep('x', 255)), 'p') return p .. ',' .. string.len(s)",
       "257,255"},
      {"local ok, m = pcall(string.pack, 'P', string.rep('x', 70000)) return m",
       "bad argument #2 to `?' (string too long for its length prefix)"},
      {"local ok, m = pcall(string.pack, 'zp', 'a', string.rep('x', 300)) return m",
       "bad argument #3 to `?' (string too long for its length prefix)"},
      {"local ok, m = pcall(string.pack, 'wp', towstring(string.rep('x', 256))) return m",
       "bad argument #2 to `?' (string too long for its length prefix)"},
  });
}

// Numbers that fit no integer reach every integer conversion of the libraries; each call ends in a result
// or an error value (the sanitizer build reports undefined conversions).
TEST(ScriptLibraries, NumbersBeyondEveryIntegerRangeAreDefined) {
  const char* const values[] = {"1e300", "-1e300", "0/0", "1/0", "-1/0", "2147483648", "-2147483649", "9.3e18"};
  const char* const calls[] = {
      "string.sub('hello', V, V)", "string.byte('hello', V)", "string.char(V)", "string.rep('ab', V)",
      "string.find('hello', 'l', V)", "string.gsub('hello', 'l', 'x', V)", "string.unpack('hello', 'A', V)",
      "string.format('%d%c%o%x%bd%bw%bb%bf', V, V, V, V, V, V, V, V)", "string.pack('bcHhILil', V, V, V, V, V, V, V, V)",
      "string.lualex('a', V)", "tonumber('10', V)", "error('x', V)", "getfenv(V)", "table.getn({n = V})",
      "table.setn({}, V)", "table.insert({1, 2}, V, 'x')", "table.remove({1, 2}, V)", "table.concat({1, 2}, ',', V, V)", "unpack({n = V})", "collectgarbage(V)",
      "V & 1, V | 1, V << 3, V >> 3, 1 << V, V ^ 3", "({})[V]"};
  State s;
  for (const char* value : values) {
    for (std::string call : calls) {
      for (size_t at; (at = call.find('V')) != std::string::npos;) call.replace(at, 1, std::string("(") + value + ")");
      EXPECT_EQ(Eval(s.L, "return pcall(function() return " + call + " end) ~= nil"), "true") << call;
    }
  }
}

TEST(ScriptBaseLibrary, RunawayRecursionBecomesAnError) {
  RunCases({
      {"local function f() return 1 + f() end local ok, m = pcall(f) return m", "chunk:1: stack overflow"},
      {"local t = setmetatable({}, {}) getmetatable(t).__index = function(t, k) return t[k] end\n"
       "local ok, m = pcall(function() return t.x end) return m",
       "chunk:1: C stack overflow"},
      {"local function f() coroutine.wrap(f)() end local ok, m = pcall(f) return ok", "false"},
      {"return xpcall(function() error('x') end, function(m) error('y') end)", "false"},
      {"local ok, m = xpcall(function() error('x') end, function(m) error('y') end) return m",
       "error in error handling"},
      {"local ok, m = pcall(string.find, 'b', string.rep('a*', 100000)) return m",
       "pattern too complex"},
      {"local ok, m = pcall(string.rep, 'x', -1) return m", ""},
  });
}

TEST(ScriptTableLibrary, SizesAndEdits) {
  RunCases({
      {"local t = {1, 2, 3} table.insert(t, 4) return table.concat(t, ',')", "1,2,3,4"},
      {"local t = {1, 2, 3} table.insert(t, 1, 0) return table.concat(t, ',')", "0,1,2,3"},
      {"local t = {} table.insert(t, 3, 'x') return table.getn(t) .. tostring(t[1])", "3nil"},
      {"local t = {n = 0} return table.remove(t)", "nil"},
      {"local ok, m = pcall(table.insert, {n = 1e300}, 'x') return m", "table overflow"},
      {"local t = {1, 2, 3} local v = table.remove(t, 1) return v .. table.concat(t)", "123"},
      {"local t = {1, 2, 3, n = 2} return table.getn(t)", "2"},
      {"local t = {} table.setn(t, 5) return table.getn(t) .. tostring(rawget(t, 'n'))", "5nil"},
      {"return table.concat({}, ',')", ""},
      {"return table.concat({1, 2.5, 'x'}, '-')", "1-2.5-x"},
      {"local ok, m = pcall(table.concat, {1, {}}) return m", "bad argument #1 to `?' (table contains non-strings)"},
      {"local ok, m = pcall(table.concat, {L\"w\"}) return m", "bad argument #1 to `?' (table contains non-strings)"},
      {"local n = 0 table.foreachi({5, 6, 7}, function(i, v) n = n + v end) return n", "18"},
      {"return table.foreach({a = 1}, function(k, v) return k end)", "a"},
  });
}

// A position far below the elements moves only the entries the table holds, to the places a move of every
// position between would give them.
TEST(ScriptTableLibrary, FarPositionsMoveTheEntriesBetween) {
  const std::string listing =
      "local function listing(t) local s = '' for k = -200, 5 do if t[k] ~= nil then s = s .. k .. '=' .. t[k] .. ' ' "
      "end end return s .. 'n' .. table.getn(t) end ";
  RunCases({
      {listing + "local t = {1, 2, 3} t[0] = 'z' t[-5] = 'm' table.insert(t, -100, 'x') return listing(t)",
       "-100=x -4=m 1=z 2=1 3=2 4=3 n4"},
      {listing + "local t = {1, 2, 3} t[0] = 'z' t[-70] = 'm' local v = table.remove(t, -80) return tostring(v) .. ' ' "
       ".. listing(t)",
       "nil -71=m -1=z 0=1 1=2 2=3 n2"},
      {listing + "local t = {1, 2, 3} t[-150] = 'm' local v = table.remove(t, -150) return v .. ' ' .. listing(t)",
       "m 0=1 1=2 2=3 n2"},
      {listing + "local t = {1, 2, n = 2} table.insert(t, 0/0, 'x') return t[-2147483648] .. listing(t)",
       "x2=1 3=2 n3"},
  });
}

TEST(ScriptTableLibrary, Sort) {
  RunCases({
      {"local t = {5, 2, 8, 1, 9, 3} table.sort(t) return table.concat(t, ',')", "1,2,3,5,8,9"},
      {"local t = {5, 2, 8, 1} table.sort(t, function(a, b) return a > b end) return table.concat(t, ',')",
       "8,5,2,1"},
      {"local t = {'b', 'a', 'c'} table.sort(t) return table.concat(t)", "abc"},
      {"local t = {} for i = 1, 200 do t[i] = (i * 37) - (i * 37 / 100 - (i * 37 / 100 - 0)) end "
       "table.sort(t) local ok = true for i = 2, 200 do if t[i - 1] > t[i] then ok = false end end return ok",
       "true"},
      {"local t = {3, 1, 2, 5, 4} local ok, m = pcall(table.sort, t, function() return true end) return m",
       "invalid order function for sorting"},
      {"local ok, m = pcall(table.sort, {1, 'x'}) return m", "attempt to compare string with number"},
  });
}

}  // namespace
