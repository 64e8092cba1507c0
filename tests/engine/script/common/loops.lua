-- Loops: numeric and generic for, while, repeat, break, and the logical operators in conditions.
local function collect(from, to, step)
  local out = {}
  if step then
    for i = from, to, step do table.insert(out, i) end
  else
    for i = from, to do table.insert(out, i) end
  end
  return table.getn(out) .. ":" .. table.concat(out, ",")
end
print(collect(1, 5), collect(5, 1), collect(1, 1), collect(1, 0))
print(collect(10, 1, -3), collect(1, 10, 4), collect(0, 2, 0.5), collect(1, -1, -0.25))
print(collect(-3, 3, 2), collect(1.5, 4), collect(3, 3, -1), collect(1, 2, 10))

-- Bounds are evaluated once, before the first pass
local limit, calls = 3, 0
local function bound() calls = calls + 1 return limit end
local passes = 0
for i = 1, bound() do limit = 10 passes = passes + 1 end
print(passes, calls)

-- Nested loops with break in the inner one
local pairsFound = {}
for i = 1, 4 do
  for j = 1, 4 do
    if j > i then break end
    if i + j == 5 then table.insert(pairsFound, i .. "+" .. j) end
  end
end
print(table.concat(pairsFound, " "))

-- while and repeat, with break from the middle
local n, steps = 27, 0
while n ~= 1 do
  if n / 2 == tonumber(string.format("%d", n / 2)) then n = n / 2 else n = 3 * n + 1 end
  steps = steps + 1
end
print(steps)
local x = 0
repeat x = x + 7 until x > 50
print(x)
local found
local k = 0
while true do
  k = k + 1
  if k * k > 200 then found = k break end
end
print(found)
local r = 0
repeat
  r = r + 1
  if r == 5 then break end
until false
print(r)

-- Generic for: ipairs, sorted pairs, stateless iterators, next directly
local t = { "a", "b", "c", nil, "e" }
for i, v in ipairs(t) do print("ipairs", i, v) end
local scores = { carol = 3, alice = 1, bob = 2 }
local names = {}
for name in pairs(scores) do table.insert(names, name) end
table.sort(names)
for _, name in ipairs(names) do print(name, scores[name]) end
local total = 0
for key, value in next, { 10, 20, 30, x = 40 } do total = total + value end
print(total)
local function evens(limitValue, current)
  current = current + 2
  if current <= limitValue then return current end
end
local evenList = {}
for v in evens, 10, 0 do table.insert(evenList, v) end
print(table.concat(evenList, " "))

-- and / or yield operands, not booleans
print(nil and 1, false and 1, 1 and 2, 1 and nil, nil or "d", false or nil, 0 or 1, "" or 1)
print(not nil, not 0, not "", not not nil, 1 and 2 or 3, nil and 2 or 3, false ~= nil)
local evaluated = {}
local function mark(v, name) table.insert(evaluated, name) return v end
local _ = mark(false, "a") and mark(true, "b")
_ = mark(true, "c") or mark(true, "d")
_ = mark(nil, "e") or mark(false, "f") or mark(1, "g")
print(table.concat(evaluated, ""))
local cond = 0
for i = 1, 20 do
  if i < 5 and i ~= 2 or i > 18 then cond = cond + i
  elseif i == 10 then cond = cond + 100
  elseif not (i < 15) then cond = cond - 1
  end
end
print(cond)

-- Many iterations and deep nesting
local sum = 0
for i = 1, 100 do
  for j = 1, 100 do
    for m = 1, 10 do sum = sum + 1 end
  end
end
print(sum)
local s = 0
local i = 0
while i < 100000 do i = i + 1 s = s + i end
print(s)

-- while conditions of many shapes (the condition is compiled once more after the body)
local w, passes2 = 0, 0
while w < 10 and not (w == 7) do w = w + 1 passes2 = passes2 + 1 end
print("and-not", w, passes2)
w = 0
local stop = false
while not stop or w < 3 do w = w + 1 if w >= 5 then stop = true end end
print("or", w)
w = 0
local deep = { a = { b = 1 } }
while deep.a and deep.a.b and deep.a.b < 20 do deep.a.b = deep.a.b * 2 w = w + 1 end
print("fields", w, deep.a.b)
w = 0
while (w < 3 or w == 5) and w ~= 100 do w = w + 1 if w == 3 then w = 4 end end
print("grouped", w)
w = 0
local function less(a, b) return a < b end
while less(w, 6) == true do w = w + 2 end
print("call", w)
w = 10
while nil or w > 0 and false == false do w = w - 3 end
print("constants", w)
w = 0
while "x" .. w ~= "x4" do w = w + 1 end
print("concat", w)

-- Closures made in loop bodies that are left by break, and in repeat with a compound condition
local made = {}
w = 0
while w < 3 do
  w = w + 1
  local v = w * 100
  made[w] = function() return v end
  if w == 2 then break end
end
print("captured", made[1](), made[2](), made[3])
local c = 0
repeat
  local v = c
  made[c + 1] = function() v = v + 1 return v end
  c = c + 1
until c >= 3 and c > 2 or c > 100
print("repeat", made[1](), made[1](), made[2](), made[3](), c)
for m = 1, 3 do
  local y = m
  while y > 0 do y = y - 1 if y == 1 then break end end
  made[m] = function() return y end
end
print("for-while", made[1](), made[2](), made[3]())
