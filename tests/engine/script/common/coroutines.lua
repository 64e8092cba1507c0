-- Coroutines: values through resume and yield, status, errors, wrap.
local co = coroutine.create(function(a, b)
  print("start", a, b)
  local c = coroutine.yield(a + b)
  print("got", c)
  local d, e = coroutine.yield(c * 2)
  print("got", d, e)
  return d + e, "end"
end)
print(type(co), coroutine.status(co))
print(coroutine.resume(co, 1, 2))
print(coroutine.status(co))
print(coroutine.resume(co, 10))
print(coroutine.resume(co, 3, 4))
print(coroutine.status(co))
print(coroutine.resume(co))
print(coroutine.resume(co, 1))

-- A generator made with wrap, yielding from nested calls
local function walk(t)
  for i = 1, table.getn(t) do
    if type(t[i]) == "table" then walk(t[i]) else coroutine.yield(t[i]) end
  end
end
local gen = coroutine.wrap(function() walk({ 1, { 2, { 3, 4 } }, 5 }) return "last" end)
local out = {}
for n = 1, 6 do out[n] = tostring(gen()) end
print(table.concat(out, " "))

-- Producer and consumer
local producer = coroutine.create(function()
  for i = 1, 4 do coroutine.yield("item" .. i) end
  return nil
end)
while true do
  local ok, item = coroutine.resume(producer)
  if not item then break end
  print(ok, item)
end
print(coroutine.status(producer))

-- Status seen from inside, many values in and out, yield with nothing
local self
self = coroutine.create(function(...)
  print("inside", coroutine.status(self), arg.n)
  print(coroutine.yield())
  return unpack(arg)
end)
print(coroutine.resume(self, "a", "b", "c"))
print(coroutine.resume(self, 1, nil, 3))
print(coroutine.resume(self))

-- Errors inside a coroutine end it; the message carries the position
local failing = coroutine.create(function(x)
  coroutine.yield(x)
  error("broken " .. x)
end)
print(coroutine.resume(failing, "once"))
print(coroutine.resume(failing))
print(coroutine.status(failing), coroutine.resume(failing))
local tabled = coroutine.create(function() error({ code = 7 }) end)
local ok, err = coroutine.resume(tabled)
print(ok, type(err), err.code)
local runtime = coroutine.create(function() local t = nil return t.field end)
print(coroutine.resume(runtime))

-- wrap passes errors on, with the caller's position added to string messages
local wrapped = coroutine.wrap(function() error("inner") end)
print(pcall(wrapped))
local done = coroutine.wrap(function() return 1 end)
done()
print(pcall(done))

-- Yielding is not possible across pcall or a metamethod
local across = coroutine.create(function() return pcall(coroutine.yield, 1) end)
print(coroutine.resume(across))
local meta = setmetatable({}, { __index = function(t, k) return coroutine.yield(k) end })
local viaMeta = coroutine.create(function() return meta.key end)
print(coroutine.resume(viaMeta))
print(pcall(coroutine.yield, 1))
print(pcall(coroutine.resume, 42))

-- Coroutines resuming coroutines
local inner = coroutine.create(function()
  coroutine.yield("inner 1")
  coroutine.yield("inner 2")
end)
local outerCo = coroutine.create(function()
  local _, v = coroutine.resume(inner)
  coroutine.yield("outer saw " .. v)
  _, v = coroutine.resume(inner)
  coroutine.yield("outer saw " .. v)
  return coroutine.status(inner), coroutine.resume(inner), coroutine.status(inner)
end)
for n = 1, 4 do print(coroutine.resume(outerCo)) end

-- Many live coroutines
local list = {}
for n = 1, 100 do
  list[n] = coroutine.create(function(v) while true do v = coroutine.yield(v * 2) end end)
end
local total = 0
for round = 1, 3 do
  for n = 1, 100 do
    local _, v = coroutine.resume(list[n], n + round)
    total = total + v
  end
end
print(total)

-- Stacks that grow while upvalues are open, in the main thread and in coroutines
local function deep(n, f) if n == 0 then return f() end return deep(n - 1, f) + 0 end
local function grow()
  local x = 1
  local function bump() x = x + 1 return x end
  local r = deep(2000, bump)
  return r, x, bump()
end
print(grow())
local growing = coroutine.create(function(a)
  local acc = a
  local function add(v) acc = acc + v return acc end
  coroutine.yield(deep(1500, function() return add(1) end))
  local big = {}
  for n = 1, 250 do big[n] = n end
  coroutine.yield(add(deep(500, function() return add(unpack(big)) end)))
  return acc
end)
print(coroutine.resume(growing, 10))
print(coroutine.resume(growing))
print(coroutine.resume(growing))

-- Many values through resume and yield
local many = {}
for n = 1, 180 do many[n] = n end
local echo = coroutine.create(function(...)
  local got = arg
  while true do got = { coroutine.yield(unpack(got)) } end
end)
local r = { coroutine.resume(echo, unpack(many)) }
print(table.getn(r), r[1], r[2], r[181])
r = { coroutine.resume(echo, "a", "b") }
print(table.getn(r), r[2], r[3])

-- Yielding from the bottom of a deep recursion; pcall and tables inside a coroutine
local function down(n) if n == 0 then return coroutine.yield("bottom") end return down(n - 1) end
local descent = coroutine.create(function() return down(1000) end)
print(coroutine.resume(descent))
print(coroutine.resume(descent, "back up"))
local guarded = coroutine.wrap(function()
  local ok1, e1 = pcall(error, { msg = "inner" })
  coroutine.yield(ok1, e1.msg)
  local ok2, e2 = pcall(function() local z = nil return z.q end)
  coroutine.yield(ok2, e2)
  error({ msg = "outer" })
end)
print(guarded())
print(guarded())
local ok3, e3 = pcall(guarded)
print(ok3, type(e3), e3.msg)
local sorter = coroutine.create(function()
  table.sort({ 3, 1, 2 }, function(a, b) coroutine.yield() return a < b end)
end)
print(coroutine.resume(sorter))
