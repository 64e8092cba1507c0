-- Table library and iteration with sorted keys.
local t = {5, 3, 8, 1, 9, 2}
table.sort(t)
print(table.concat(t, ","))
table.sort(t, function(a, b) return a > b end)
print(table.concat(t, " "))
table.insert(t, 4)
table.insert(t, 1, 100)
print(table.concat(t, ","), table.getn(t))
print(table.remove(t), table.remove(t, 1), table.concat(t, ","))
local words = {"pear", "apple", "fig", "banana"}
table.sort(words)
print(table.concat(words, ";"))
local d = {b = 2, a = 1, c = 3}
local keys = {}
for k in pairs(d) do table.insert(keys, k) end
table.sort(keys)
for _, k in ipairs(keys) do print(k, d[k]) end
local n = 0
for i, v in ipairs({10, 20, 30}) do n = n + i * v end
print("ipairs", n)
print(next({}), rawget({x = 1}, "x"), rawequal(t, t))
local nested = {a = {b = {c = "deep"}}}
print(nested.a.b.c)
