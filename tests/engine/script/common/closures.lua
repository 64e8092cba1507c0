-- Closures, upvalues, recursion, multiple results, tail calls and varargs through `arg`.
local function counter(start)
  local n = start
  return function(d) n = n + (d or 1) return n end, function() return n end
end
local inc, get = counter(10)
local inc2 = counter(100)
inc() inc(5) inc2()
print(get(), inc2(0), inc(0))

-- Several closures share one variable; each call of the maker makes a new one
local function pair()
  local shared = 0
  local function set(v) shared = v end
  local function read() return shared end
  return set, read
end
local set1, read1 = pair()
local set2, read2 = pair()
set1("first") set2("second")
print(read1(), read2())

-- Upvalues reached through several levels and changed after the closure was made
local function outer()
  local x = 1
  local function middle()
    local y = 10
    return function() x = x + 1 y = y + 1 return x + y end
  end
  local f = middle()
  x = 100
  return f, function() return x end
end
local deep, peek = outer()
print(deep(), deep(), peek())

-- A body local of while and repeat is a fresh variable on every pass
local fs = {}
local i = 1
while i <= 3 do
  local j = i * 10
  fs[i] = function() j = j + 1 return j end
  i = i + 1
end
print(fs[1](), fs[1](), fs[2](), fs[3]())
local gs = {}
repeat
  local k = table.getn(gs) + 1
  gs[k] = function() return k end
until table.getn(gs) == 3
print(gs[1](), gs[2](), gs[3]())

-- Parameters are locals that closures capture
local function adder(a) return function(b) return a + b end end
local add5, add7 = adder(5), adder(7)
print(add5(1), add7(1), adder(1)(1))

-- Recursion through a local function and mutual recursion through upvalues
local function fact(n) if n <= 1 then return 1 end return n * fact(n - 1) end
local isodd
local function iseven(n) if n == 0 then return true end return isodd(n - 1) end
function isodd(n) if n == 0 then return false end return iseven(n - 1) end
print(fact(10), fact(20), iseven(10), isodd(7), iseven(7))
local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end
print(fib(20))

-- Multiple results: adjusted to one in the middle, expanded at the end, cut by parentheses
local function three() return 1, 2, 3 end
local function none() end
print(three())
print(three(), "end")
print((three()))
local all, both, cut = { three() }, { three(), three() }, { (three()) }
print(all[3], both[4], both[2], cut[2])
local p, q, r, s = three()
print(p, q, r, s)
print(none(), "x", none())
local t = { none() }
print(table.getn(t))

-- Proper tail calls do not grow the stack
local function loop(n, acc) if n == 0 then return acc end return loop(n - 1, acc + 1) end
print(loop(100000, 0))
local function bounce(n) if n == 0 then return "done" end return (function(m) return bounce(m) end)(n - 1) end
print(bounce(50))

-- Variable arguments through `arg`
local function count(...) return arg.n end
local function pack(...) return arg end
local function pass(...) return unpack(arg) end
local function first(a, ...) return a, arg.n, arg[1] end
print(count(), count(1), count(1, 2, 3), count(nil, nil))
local packed = pack("a", "b", "c")
print(packed.n, packed[1], packed[3], table.getn(packed))
print(pass(1, 2, 3))
print(first("x"), first("x", "y", "z"))
local function sum(...)
  local total = 0
  for n = 1, arg.n do total = total + arg[n] end
  return total
end
print(sum(), sum(1, 2, 3, 4, 5), sum(unpack({ 10, 20, 30 })))

-- Functions as values: stored in tables, passed and compared
local ops = { add = function(a, b) return a + b end, mul = function(a, b) return a * b end }
local function apply(f, a, b) return f(a, b) end
print(apply(ops.add, 3, 4), apply(ops.mul, 3, 4), ops.add == ops.add, ops.add == ops.mul, type(ops.add))
local function compose(f, g) return function(x) return f(g(x)) end end
local twice = compose(add5, add5)
print(twice(0), compose(twice, twice)(1))

-- Iterators made of closures
local function range(n)
  local c = 0
  return function() c = c + 1 if c <= n then return c end end
end
local got = ""
for v in range(5) do got = got .. v end
print(got)
local function chars(str)
  return function(s, pos)
    pos = pos + 1
    if pos <= string.len(s) then return pos, string.sub(s, pos, pos) end
  end, str, 0
end
for pos, ch in chars("abc") do print(pos, ch) end
