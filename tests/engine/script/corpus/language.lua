-- Core statements and expressions as compiled by the one-pass code generator.

-- multiple assignment: all expressions are evaluated before any store
local a, b, c = 1, 2
print(a, b, c)
a, b = b, a
print(a, b)
local t = {1, 2}
local i = 1
i, t[i] = i + 1, "x"
print(i, t[1], t[2])
local function three() return 1, 2, 3 end
local x, y, z, w = three()
print(x, y, z, w)
x, y = three(), 10
print(x, y)
print(three(), (three()))

-- logical operators yield operand values
print(nil or "d", false and 1, 1 and 2, nil and nil, false or nil, 0 or 1)
print(not nil, not 0, not not "s")
local n = nil
print(n == nil and "nil" or "set", 3 > 2 and "gt" or "le", 2 > 3 and "gt" or "le")
print(1 < 2, 2 <= 2, 3 > 4, 4 >= 4, 1 == 1, 1 ~= 1, "a" < "b", "b" <= "a")

-- numeric for: negative and fractional steps
local line = ""
for k = 10, 1, -3 do line = line .. k .. " " end
print(line)
line = ""
for k = 0, 1, 0.25 do line = line .. k .. " " end
print(line)
line = ""
for k = 3, 1 do line = line .. k end
print("[" .. line .. "]")

-- while with compound conditions
local p, q = 0, 10
while p < 5 and q > 6 or p == 0 do p = p + 1 q = q - 1 end
print(p, q)
line = ""
repeat line = line .. "r" until string_len_unused == nil
print(line)

-- constructors: more items than one SETLIST flush, a trailing call expands, size hints
local big = {1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35}
print(big[1], big[32], big[33], big[35], big[36])
local open = {0, three()}
print(open[1], open[2], open[3], open[4], open[5])
local closed = {three(), 9}
print(closed[1], closed[2], closed[3])
local hinted = {&10 &20 "a", "b"; k = "v", ["key"] = 4}
print(hinted[1], hinted[2], hinted.k, hinted.key)
local empty = {&4}
print(empty[1])

-- methods, upvalues, recursion, tail calls
local account = {balance = 10}
function account:deposit(v) self.balance = self.balance + v return self end
account:deposit(5):deposit(1)
print(account.balance)
local function counter()
  local count = 0
  return function() count = count + 1 return count end
end
local c1, c2 = counter(), counter()
print(c1(), c1(), c2(), c1())
local function outer()
  local v = "outer"
  local function middle()
    local function inner() return v end
    return inner()
  end
  return middle()
end
print(outer())
local function loop(k, acc) if k == 0 then return acc end return loop(k - 1, acc + k) end
print(loop(10000, 0))

-- arguments through `arg`
local function varargs(first, ...) return first, arg.n, arg[1], arg[2] end
print(varargs(1, "a", "b"))
print(varargs())

-- concatenation chains and numbers in strings
print("a" .. "b" .. "c" .. 1 .. 2.5, 1 .. "")
-- unary minus folds constants, and applies to expressions
local m = 4
print(-3, - -3, -m, -(m + 1), 2 - -2)
