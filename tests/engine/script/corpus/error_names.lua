-- Run-time messages name variables by reading the emitted code, so the code generator keeps the
-- classic emission patterns (GETGLOBAL, MOVE, GETTABLE, SELF).
local function try(source)
  local f = assert(loadstring(source, "=chunk"))
  local ok, message = pcall(f)
  print(message)
end
try("undefinedfunction()")
try("local t = nil; t.x = 1")
try("local t = {}; t.field.sub = 1")
try("local t = {}; t:method()")
-- a method call on a nil value names the value it was called on
try("local t; t:m()")
try("g = nil; g:m()")
try("local a = {}; a.b:m()")
try("local a = {b = {}}; a.b.c:m(1, 2)")
try("local s = 'a' .. {}")
try("local a = {} + 1")
try("x = nil; return x.y")
try("local up = nil; return (function() return up.x end)()")
try("local a, b = {}, {}; return a < b")
try("return 1 < 'x'")
try("return '5' & 1")
try("local n = 5; return n & {}")
try("return 1 | nil")
try("return {} << 1")
-- ^ on strings holding numbers calls the global __pow
try("return '5' ^ 3")
__pow = function(a, b) return a * 100 + b end
print(pcall(loadstring("return '5' ^ 3")))
print(pcall(loadstring("return 5 ^ 3")))
-- positions inside loaded chunks
try("local x = 1\n\nerror('third line')")
try("\n\nlocal t = {}\nfor i = 1, 2 do\n  t.x.y = i\nend")
