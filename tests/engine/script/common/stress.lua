-- Sizes past the fixed buffers and stacks: long strings, many values, deep calls, lots of garbage.
local long = string.rep("abcdefghij", 2000)
print(string.len(long), string.sub(long, 19995, 20000), string.len(string.upper(long)))
local replaced, count = string.gsub(long, "e", "EE")
print(string.len(replaced), count, string.sub(replaced, 1, 12))
print(string.find(long, "jab", 10000), string.find(long, "x"), string.find(long, "(j)(a)", 19990))
local formatted = string.format("%s|%s", long, "end")
print(string.len(formatted), string.sub(formatted, -6))
print(string.len(string.format("%q", long .. "\n")), string.len(table.concat({ long, long, long }, "--")))
local bigPattern = string.rep("a", 300)
print(string.find(string.rep("a", 500) .. "b", bigPattern .. "b"))

-- Building strings piece by piece
local built = ""
for i = 1, 2000 do built = built .. string.char(65 + i - tonumber(string.format("%d", i / 26)) * 26) end
print(string.len(built), string.sub(built, 1, 30))
local pieces = {}
for i = 1, 2000 do pieces[i] = tostring(i) end
local joined = table.concat(pieces, " ")
print(string.len(joined), string.sub(joined, -14))
local words = 0
for w in string.gfind(joined, "%d+") do words = words + 1 end
print(words)

-- Many arguments and results
local many = {}
for i = 1, 200 do many[i] = i end
local function count(...) return arg.n, arg[1], arg[arg.n] end
print(count(unpack(many)))
local function sum(...) local s = 0 for i = 1, arg.n do s = s + arg[i] end return s end
print(sum(unpack(many)), string.format(string.rep("%d", 100), unpack(many)) == table.concat(many, "", 1, 100))
local function ret(n) local t = {} for i = 1, n do t[i] = i * i end return unpack(t) end
local results = { ret(180) }
print(table.getn(results), results[1], results[180])

-- Deep recursion that is not a tail call
local function depth(n) if n == 0 then return 0 end return 1 + depth(n - 1) end
print(depth(3000))
local function nest(n) if n == 0 then return {} end return { nest(n - 1) } end
local chain, levels = nest(1000), 0
while chain[1] do chain = chain[1] levels = levels + 1 end
print(levels)
local function pcallDepth(n) if n == 0 then return "bottom" end local ok, v = pcall(pcallDepth, n - 1) return v end
print(pcallDepth(150))

-- Garbage: tables, closures, strings and coroutines made and dropped
local keep = {}
for i = 1, 5000 do
  local j = i
  local t = { j, tostring(j), function() return j end }
  if i / 100 == tonumber(string.format("%d", i / 100)) then table.insert(keep, t) end
end
local check = 0
for _, t in ipairs(keep) do check = check + t[1] + t[3]() + tonumber(t[2]) end
print(table.getn(keep), check)
for i = 1, 300 do
  local co = coroutine.create(function(a) local b = coroutine.yield(a .. "x") return b .. "y" end)
  coroutine.resume(co, i)
  if i == 300 then print(coroutine.resume(co, "z")) end
end
collectgarbage()
local weak = setmetatable({}, { __mode = "v" })
weak[1] = {}
local strong = {}
weak[2] = strong
collectgarbage()
print(weak[1] == nil, weak[2] == strong)
local hash = {}
for i = 1, 3000 do hash["key" .. i] = i end
for i = 1, 3000 do if i > 10 then hash["key" .. i] = nil end end
collectgarbage()
local remaining = 0
for k, v in pairs(hash) do remaining = remaining + v end
print(remaining)
