-- Values of conditions, logical chains and assignments that exercise jump lists and register reuse.
local function show(...) local parts = {} for i = 1, arg.n do parts[i] = tostring(arg[i]) end print(table.concat(parts, " ")) end

local a, b, c, d, e = nil, false, 0, "s", {}
show(a and b or c, a or b or c, b or a, c and d and e ~= nil, a and a.x)
show(a and b or c and d or e ~= nil, not (a or b), not (c and d))
show(1 < 2, 2 < 1, not (1 == 1), 1 ~= 2, "a" .. "b" == "ab")
local x = 1 < 2 and "yes" or "no"
local y = (2 < 1) and "yes" or "no"
show(x, y)

local t = {1, 2, 3}
local i, j = 1, 3
t[i], t[j] = t[j], t[i]
show(t[1], t[2], t[3])

local function one() return 1 end
local function none() end
local p, q = one()
local r, s = none()
show(p, q, r, s, (one()))

local obj = {inner = {}}
obj.inner.value = one() + 1
obj["inner"]["other"] = obj.inner.value * 3
show(obj.inner.value, obj.inner.other)

local count = 0
local function more() count = count + 1 return count < 4 end
while more() do end
show(count)

-- the until condition does not see the body's locals
local k = 0
repeat k = k + 1 local w = 1 until w == nil or k > 5
show(k)

local flag = false
if not flag then show("not false") end
if not (flag or nil) then show("not nil") end
local n = 0
if not n then show("never") else show("0 is true") end

local function make(level)
  local mine = "level" .. level
  return function()
    return function() return mine .. "!" end
  end
end
show(make(1)()(), make(2)()())

-- a conditional expression as a value in a table and as an argument
local u = {x == "yes" and 1 or 2, y == "yes" and 1 or 2, [a or "key"] = c or d}
show(u[1], u[2], u.key, select_unused == nil and "ok" or "bad")
