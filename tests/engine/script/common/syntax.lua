-- Literals, comments, operator precedence and assignment.
print("tab\tnew\\line", 'single "double" inside', "\065\066\067", "\97b", "a\
b", "quote \" and \' escapes")
print([[long
string with "quotes" and 'apostrophes']], [[
first newline dropped]], string.len([[]]))
print(string.byte("\n"), string.byte("\r"), string.byte("\0"), string.byte("\255"), string.len("a\0b\0c"))
print(1e2, .5, 3., 0x10, 0xff, 0xFFFFFFFF, 0x7fffffff, 1E+2, 12.5e-1, 0.1e1, 007)
--[[ a block comment
print("not printed")
]] print("after block comment") -- a line comment
--[[ one-line block ]] print("after one-line block")

-- Precedence: or < and < comparison < .. < + - < * / < unary
print(1 + 2 * 3, (1 + 2) * 3, 2 * 3 + 4 * 5, 10 - 4 - 3, 100 / 10 / 5, 2 * -3, - - 2, -2 * -2)
print("a" .. 1 + 2, 1 .. 2 .. 3, "x" .. "y" == "xy", 1 < 2 == true, not 1 == 2, not (1 == 2))
print(1 == 1 and 2 == 2, 1 == 2 or 3 > 2, nil or false and 1, true or error("not evaluated"))
print(-3 + 5, - 3 * 2 + 1, 2 * 3 .. "", 1 + 1 .. 2 + 2, "10" + 1 .. "")

-- Multiple assignment evaluates every expression before assigning
local a, b, c = 1, 2
print(a, b, c)
a, b = b, a
print(a, b)
local t = { 1, 2, 3 }
t[1], t[3] = t[3], t[1]
print(t[1], t[2], t[3])
local x, y = 1
print(x, y)
local p, q = (function() return 7, 8, 9 end)()
print(p, q)
local u, v, w = 5, (function() return 7, 8 end)()
print(u, v, w)

-- Nested functions, method definitions and calls with string or table arguments
local obj = { value = 3, inner = { deeper = {} } }
function obj.inner.deeper.f(n) return n * 2 end
function obj:get(k) return self.value + (k or 0) end
function obj.inner:name() return "inner" end
print(obj.inner.deeper.f(21), obj:get(), obj:get(4), obj.inner:name(), obj.get(obj, 1))
local function id(v) return v end
print(id"string call", id{ 1, 2 }[2], string.len"abc", type{})
print(("chained"):upper():lower():len(), (id)(5), id(id)(6))

-- Large constructors flush their items in batches
local big = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
  29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56,
  57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, k = "v",
  (function() return 81, 82, 83 end)() }
print(table.getn(big), big[1], big[32], big[33], big[50], big[51], big[80], big[81], big[83], big.k)
local tail = { "a", (function() return "b", "c" end)(), (function() return "d", "e" end)() }
print(table.getn(tail), table.concat(tail))

-- Local scoping and shadowing
local s = "outer"
do
  local s = "inner"
  print(s)
  do local s = s .. "most" print(s) end
end
print(s)
local function shadow(s) s = s .. "!" return s end
print(shadow("arg"), s)
for s = 1, 2 do end
print(s)

-- Globals are fields of _G; locals are not
globalValue = 5
print(globalValue, _G.globalValue, _G["globalValue"], rawget(_G, "globalValue"), _G._G == _G)
_G.fromTable = "set through _G"
print(fromTable)
local localOnly = 1
print(_G.localOnly, type(_G.print), type(_G.string.format))

-- Environments of functions
local env = { print = print, tag = "custom env" }
local function reader() return tag end
setfenv(reader, env)
tag = "global tag"
print(reader(), tag, getfenv(reader) == env, getfenv(print) == _G or getfenv(print) == nil, getfenv(1) == _G)
local chunk = loadstring("value = 42 return value")
local sandbox = {}
setfenv(chunk, sandbox)
print(chunk(), sandbox.value, value)

-- constant operands in and/or chains
local x, y = 1, 2
print((nil and x) or not (true or y), (false or nil) and x, not (nil and y) or x)
