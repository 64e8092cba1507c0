-- error, pcall, xpcall, assert and the messages of run-time errors.
print(pcall(function(a, b) return a + b, "ok" end, 1, 2))
print(pcall(error, "plain"))
print(pcall(function() error("with position") end))
print(pcall(function() error("no position", 0) end))
local function thrower() error("caller's position", 2) end
print(pcall(function() thrower() end))
print(pcall(function() error(42) end))
print(pcall(function() error(nil) end))
local ok, e = pcall(function() error({ reason = "table" }) end)
print(ok, type(e), e.reason)
print(pcall(function() error(true) end))

-- Nested pcall and errors passing through several calls
local function level3() error("deep") end
local function level2() level3() end
local function level1() local ok2, msg = pcall(level2) return "caught: " .. msg end
print(pcall(level1))
print(pcall(pcall, error, "x"))
print(pcall(function() local okInner = pcall(error, "first") error("after", 0) end))

-- xpcall hands the message to the handler
print(xpcall(function() error("handled") end, function(m) return "H(" .. m .. ")" end))
print(xpcall(function() return "fine", 2 end, print))
print(xpcall(function() local t = {} return t.a.b end, function(m) return string.upper(m) end))

-- assert
print(pcall(assert, false))
print(pcall(assert, nil, "custom message"))
print(assert(1, "unused"), assert("v"))
print(pcall(assert, false, 12))

-- Run-time errors name the variable when they can
local messages = {
  function() undefinedFunction() end,
  function() local t = nil return t.x end,
  function() local t = {} return t.a.b end,
  function() return undefinedGlobal.x end,
  function() local s = "x" return s + 1 end,
  function() return {} + 1 end,
  function() local n = nil return -n end,
  function() local t = {} return t.count + 1 end,
  function() local b = true return "x" .. b end,
  function() return "x" .. {} end,
  function() return 1 < "2" end,
  function() return {} < {} end,
  function() return {} <= 1 end,
  function() local t = {} t:method() end,
  function() local t = { f = 5 } t.f() end,
  function() local t = nil t.x = 1 end,
  function() local s = "text" return s.x.y end,
  function() return ("x")() end,
  function() local t = {} t[nil] = 1 end,
  function() return string.rep() end,
  function() return string.sub("x", {}) end,
  function() return string.rep("x", "many") end,
  function() return ("x"):rep({}) end,
  function() return setmetatable(1, {}) end,
  function() return string.char(256) end,
  function() return tostring() end,
  function() return ipairs() end,
}
for i = 1, table.getn(messages) do
  print(i, pcall(messages[i]))
end

-- Errors inside metamethods, iterators and callbacks reach the pcall
local bad = setmetatable({}, { __index = function(t, k) error("no field " .. k) end })
print(pcall(function() return bad.missing end))
print(pcall(table.foreachi, { 1 }, function() error("in callback", 0) end))
print(pcall(string.gsub, "abc", "%w", function(c) error("in gsub " .. c, 0) end))
print(pcall(table.sort, { 3, 2, 1 }, function(a, b) error("in comparator", 0) end))

-- The state stays usable after an error; the stack is cleaned up
local results = {}
for i = 1, 200 do
  local ok3, msg = pcall(function() local t = {} return t.x.y end)
  if ok3 then results[1] = "unexpected" end
end
print(table.getn(results), pcall(function() return "still fine" end))

-- loadstring reports syntax errors with the chunk name
print(loadstring("return 1 +", "=snippet"))
print(loadstring("x = = 2", "=snippet"))
print(loadstring("for i = 1 do end", "=snippet"))
print(loadstring("if x then", "=snippet"))
print(loadstring("return \"unfinished", "=snippet"))
print(loadstring("f(", "=snippet"))
print(loadstring("x = }", "=snippet"))
print(loadstring("return 2 * (3 + 4)")())
local chunk = loadstring("local a = 10 return a * 2, b")
b = "global b"
print(chunk())
print(pcall(loadstring("error('from chunk')", "=named")))
print(pcall(loadstring("local t = nil\nlocal u = 1\nreturn t.x", "=lines")))
