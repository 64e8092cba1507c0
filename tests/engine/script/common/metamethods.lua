-- Metatables: indexing, assignment, operators, comparison, calls, tostring, protection.
local defaults = { colour = "red", size = 1 }
local obj = setmetatable({ size = 5 }, { __index = defaults })
print(obj.colour, obj.size, obj.missing, rawget(obj, "colour"))
defaults.colour = "blue"
print(obj.colour)

-- __index functions and chains of tables
local calls = 0
local lazy = setmetatable({}, { __index = function(t, k) calls = calls + 1 return k .. "!" end })
print(lazy.a, lazy[1], lazy.a, calls)
local base = { greet = function(self) return "hello from " .. self.name end }
local mid = setmetatable({ kind = "mid" }, { __index = base })
local leaf = setmetatable({ name = "leaf" }, { __index = mid })
print(leaf:greet(), leaf.kind, leaf.nothing)

-- __newindex: a function, a table, and raw assignment around it
local log = {}
local watched = setmetatable({ existing = 1 }, { __newindex = function(t, k, v)
  table.insert(log, k .. "=" .. tostring(v))
  rawset(t, k, v)
end })
watched.a = 1
watched.a = 2
watched.existing = 3
rawset(watched, "quiet", 4)
print(table.concat(log, " "), watched.a, watched.existing, watched.quiet)
local store = {}
local proxy = setmetatable({}, { __newindex = store, __index = store })
proxy.x = 10
print(rawget(proxy, "x"), store.x, proxy.x)

-- Arithmetic, unary minus and concatenation
local V = {}
V.__index = V
local function vec(x, y) return setmetatable({ x = x, y = y }, V) end
V.__add = function(a, b) return vec(a.x + b.x, a.y + b.y) end
V.__sub = function(a, b) return vec(a.x - b.x, a.y - b.y) end
V.__mul = function(a, b)
  if type(a) == "number" then return vec(a * b.x, a * b.y) end
  if type(b) == "number" then return vec(a.x * b, a.y * b) end
  return a.x * b.x + a.y * b.y
end
V.__div = function(a, b) return vec(a.x / b, a.y / b) end
V.__unm = function(a) return vec(-a.x, -a.y) end
V.__concat = function(a, b)
  local function text(v) if type(v) == "table" then return "(" .. v.x .. "," .. v.y .. ")" end return v end
  return text(a) .. text(b)
end
V.__tostring = function(v) return "vec" .. v.x .. ":" .. v.y end
local p, q = vec(1, 2), vec(3, 4)
print(tostring(p + q), tostring(q - p), p * q, tostring(p * 2), tostring(3 * q), tostring(q / 2), tostring(-p))
print(p .. q, "v=" .. p, p .. "!", "a" .. "b" .. p .. "c")
print(p, tostring(vec(0.5, -1)))

-- Comparison metamethods; __le falls back to `not (b < a)`
local Rank = {}
Rank.__lt = function(a, b) return a.v < b.v end
Rank.__eq = function(a, b) return a.v == b.v end
local function rank(v) return setmetatable({ v = v }, Rank) end
local r1, r2, r3 = rank(1), rank(2), rank(1)
print(r1 < r2, r2 < r1, r1 > r2, r1 <= r2, r2 <= r1, r1 >= r3, r1 == r3, r1 ~= r2, r1 == r1, rawequal(r1, r3))
Rank.__le = function(a, b) return "le called" and a.v <= b.v end
print(r1 <= r3, r2 >= r1, r2 <= r1)
local other = setmetatable({ v = 1 }, { __eq = function() return true end })
print(r1 == other, other == r1, r1 == 1)

-- __call
local callable = setmetatable({ factor = 3 }, { __call = function(self, a, b) return self.factor * a, b end })
print(callable(5, "second"), pcall(callable, 2))

-- getmetatable, __metatable protection, setmetatable result
local mt = {}
local guarded = setmetatable({}, mt)
print(getmetatable(guarded) == mt, setmetatable(guarded, nil) == guarded, getmetatable(guarded))
mt.__metatable = "locked"
setmetatable(guarded, mt)
print(getmetatable(guarded), pcall(setmetatable, guarded, {}))
print(getmetatable({}), pcall(setmetatable, {}, 5))

-- A small class hierarchy
local Animal = {}
Animal.__index = Animal
function Animal.new(name, sound) return setmetatable({ name = name, sound = sound }, Animal) end
function Animal:speak() return self.name .. " says " .. self.sound end
function Animal:kind() return "animal" end
local Dog = setmetatable({}, { __index = Animal })
Dog.__index = Dog
function Dog.new(name) local d = Animal.new(name, "woof") return setmetatable(d, Dog) end
function Dog:kind() return "dog, an " .. Animal.kind(self) end
local a, d = Animal.new("cat", "meow"), Dog.new("rex")
print(a:speak(), d:speak(), a:kind(), d:kind())

-- Counting accesses with a proxy
local function tracked(t)
  local reads, writes = 0, 0
  local px = setmetatable({}, {
    __index = function(_, k) reads = reads + 1 return t[k] end,
    __newindex = function(_, k, v) writes = writes + 1 t[k] = v end,
  })
  return px, function() return reads, writes end
end
local tp, stats = tracked({})
tp.a = 1 tp.b = tp.a + 1 tp.c = tp.b + tp.a
print(tp.c, stats())
