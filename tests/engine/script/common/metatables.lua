-- Metatables with the common events.
local V = {}
V.__index = V
V.__add = function(a, b) return V.new(a.x + b.x, a.y + b.y) end
V.__sub = function(a, b) return V.new(a.x - b.x, a.y - b.y) end
V.__mul = function(a, k) return V.new(a.x * k, a.y * k) end
V.__eq = function(a, b) return a.x == b.x and a.y == b.y end
V.__lt = function(a, b) return a.x < b.x end
V.__le = function(a, b) return a.x <= b.x end
V.__tostring = function(v) return "(" .. v.x .. "," .. v.y .. ")" end
V.__concat = function(a, b) return tostring(a) .. tostring(b) end
V.__unm = function(a) return V.new(-a.x, -a.y) end
function V.new(x, y) return setmetatable({x = x, y = y}, V) end
function V:len2() return self.x * self.x + self.y * self.y end
local a, b = V.new(1, 2), V.new(3, 4)
print(tostring(a + b), tostring(b - a), tostring(a * 3), tostring(-a))
print(a == V.new(1, 2), a < b, b <= a, a .. b)
print(a:len2(), getmetatable(a) == V)
local log = {}
local proxy = setmetatable({}, {
  __index = function(t, k) return k .. "?" end,
  __newindex = function(t, k, v) table.insert(log, k .. "=" .. tostring(v)) end,
  __call = function(self, x) return x * 2 end,
})
proxy.a = 1
proxy.b = 2
print(proxy.zzz, table.concat(log, ","), proxy(21))
local defaults = setmetatable({}, {__index = {color = "red"}})
print(defaults.color, rawget(defaults, "color"))
local locked = setmetatable({}, {__metatable = "locked"})
print(getmetatable(locked), pcall(setmetatable, locked, {}))
