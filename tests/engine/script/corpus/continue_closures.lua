-- A local of the loop body captured by a closure is closed when `continue` leaves the body, so every
-- iteration's closure keeps its own variable.
local fs = {}
local n = 0
while n < 4 do
  n = n + 1
  local v = n * 10
  fs[n] = function() return v end
  if n < 4 then continue end
end
print(fs[1](), fs[2](), fs[3](), fs[4]())

fs = {}
for i = 1, 3 do
  local copy = i
  fs[i] = function() return copy end
  if i ~= 3 then continue end
end
print(fs[1](), fs[2](), fs[3]())

fs = {}
n = 0
repeat
  n = n + 1
  local v = n
  fs[n] = function() v = v + 100 return v end
  do
    if n < 3 then continue end
  end
until n == 3
print(fs[1](), fs[2](), fs[3](), fs[1]())

-- continue 2 out of an inner loop closes the outer body's locals too
fs = {}
n = 0
while n < 3 do
  n = n + 1
  local outerlocal = n
  fs[n] = function() return outerlocal end
  for k = 1, 2 do
    local innerlocal = k
    local g = function() return innerlocal end
    continue 2
  end
end
print(fs[1](), fs[2](), fs[3]())

-- the control variable of a numeric for is one variable for the whole loop
fs = {}
for i = 1, 3 do
  fs[i] = function() return i end
end
print(fs[1](), fs[2](), fs[3]())
