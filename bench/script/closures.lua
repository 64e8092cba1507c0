-- Closures: creation and calls through upvalues.
local function counter()
  local n = 0
  return function(d) n = n + d return n end
end
local total = 0
for i = 1, 200000 do
  local c = counter()
  c(i)
  total = total + c(1)
end
local c = counter()
for i = 1, 3000000 do c(1) end
print(total + c(0))
