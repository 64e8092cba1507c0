-- Closures, recursion, varargs through arg, multiple results, tail calls.
local function counter(start)
  local n = start
  return function(step) n = n + step return n end, function() return n end
end
local inc, get = counter(10)
inc(1) inc(5)
print("counter", get())

local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end
print("fib", fib(20))

local function sum(...)
  local s = 0
  for i = 1, arg.n do s = s + arg[i] end
  return s, arg.n
end
print("sum", sum(1, 2, 3, 4))
print("unpack", unpack({7, 8, 9}))

local function loop(n, acc) if n == 0 then return acc end return loop(n - 1, acc + n) end
print("tail", loop(50000, 0))

local adders = {}
for i = 1, 3 do
  local j = i * 10
  adders[i] = function(x) return x + j end
end
print("adders", adders[1](1), adders[2](2), adders[3](3))

local function multi() return 1, 2, 3 end
local t = {multi(), multi()}
print("multi", table.getn(t), (multi()))
print("select-like", string.format("%d %d", multi()))
