-- Tables, their constructors and the table library.
local function show(t)
  local out = {}
  for i = 1, table.getn(t) do out[i] = tostring(t[i]) end
  return "{" .. table.concat(out, ",") .. "} n=" .. table.getn(t)
end

-- Sorted keys, so that printing does not depend on the order of `pairs`.
local function keys(t)
  local list = {}
  for k in pairs(t) do table.insert(list, tostring(k)) end
  table.sort(list)
  return table.concat(list, " ")
end

local t = { 10, 20, 30; x = 1, ["y z"] = 2, [5] = 50, [1.5] = "f", 40 }
print(show(t), t.x, t["y z"], t[5], t[1.5], t[4], keys(t))
t[1.0], t[2] = "one", nil
print(t[1], t[2], rawget(t, 1), rawget(t, 5))
local nested = { a = { b = { c = "deep" } }, { 1, { 2, { 3 } } } }
print(nested.a.b.c, nested[1][2][2][1], nested[1][2][1])

-- Keys of every kind
local f, k = function() end, {}
local mixed = {}
mixed[f], mixed[k], mixed[true], mixed[false], mixed[-1], mixed[0], mixed["1"], mixed[1] = 1, 2, 3, 4, 5, 6, 7, 8
print(mixed[f], mixed[k], mixed[true], mixed[false], mixed[-1], mixed[0], mixed["1"], mixed[1], mixed[{}])

-- Growing and shrinking parts: the array and hash parts rehash while keys come and go
local big = {}
for i = 1, 1000 do big[i] = i * 2 end
for i = 1, 1000, 2 do big[i] = nil end
local sum, count = 0, 0
for key, v in pairs(big) do sum = sum + v count = count + 1 end
print(sum, count, big[1000], big[999])
local h = {}
for i = 1, 500 do h["k" .. i] = i end
for i = 1, 500 do if i > 3 then h["k" .. i] = nil end end
print(keys(h), next({}))

-- insert and remove
local list = {}
table.insert(list, "a")
table.insert(list, "c")
table.insert(list, 2, "b")
table.insert(list, 1, "z")
print(show(list))
print(table.remove(list), show(list))
print(table.remove(list, 1), show(list))
print(table.remove(list, 1), table.remove(list, 1), show(list))
print(table.remove(list), show(list))

-- concat with separators and ranges
local words = { "alpha", "beta", "gamma", 4, 5.5 }
print(table.concat(words), table.concat(words, ", "), table.concat(words, "-", 2, 4), table.concat(words, "-", 3, 2))
print(table.concat({}), table.concat({}, "x"), table.concat({ 1 }, "x"))

-- sort: numbers, strings, comparators, already sorted and reversed input
local function lcg(n)
  local out, x = {}, 7
  for i = 1, n do
    x = x * 69069 + 1
    x = x - tonumber(string.format("%d", x / 65536)) * 65536
    out[i] = x
  end
  return out
end
local numbers = lcg(200)
table.sort(numbers)
local ordered = true
for i = 2, 200 do if numbers[i - 1] > numbers[i] then ordered = false end end
print(ordered, numbers[1], numbers[100], numbers[200])
table.sort(numbers, function(a, b) return a > b end)
print(numbers[1], numbers[100], numbers[200])
local names = { "pear", "apple", "fig", "banana", "cherry", "date", "Apple", "" }
table.sort(names)
print(table.concat(names, " "))
table.sort(names, function(a, b) return string.len(a) < string.len(b) or string.len(a) == string.len(b) and a < b end)
print(table.concat(names, " "))
local records = {}
for i = 1, 20 do records[i] = { id = i, key = 20 - i } end
table.sort(records, function(a, b) return a.key < b.key end)
print(records[1].id, records[10].id, records[20].id)
local one, empty = { 5 }, {}
table.sort(one)
table.sort(empty)
print(one[1], empty[1])
print(pcall(table.sort, { 3, "x", 1 }))

-- foreachi, ipairs, unpack
table.foreachi({ "p", "q", "r" }, function(i, v) print("foreachi", i, v) end)
for i, v in ipairs({ 1, 2, nil, 4 }) do print("ipairs", i, v) end
print(unpack({ 1, 2, 3 }))
print(unpack({}))
local a, b, c = unpack({ "x", "y" })
print(a, b, c)

-- next walks every key exactly once
local seen, walk = 0, { a = 1, b = 2, c = 3, 1, 2 }
local key, value = next(walk)
while key do
  seen = seen + value
  key, value = next(walk, key)
end
print(seen)
