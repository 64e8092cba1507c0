-- Generic for: continue steps the generator, break leaves; a table as generator iterates with `next`.
local list = {"a", "b", "c", "d"}
local line = ""
for i, v in ipairs(list) do
  if v == "b" then continue end
  if v == "d" then break end
  line = line .. i .. v .. " "
end
print(line)

local count, sum = 0, 0
for k, v in {10, 20, 30} do
  count = count + 1
  if k == 2 then continue end
  sum = sum + v
end
print(count, sum)

-- continue 2 from a generic for inside a numeric for
line = ""
for round = 1, 3 do
  for _, v in ipairs(list) do
    if v == "c" then continue 2 end
    line = line .. v
  end
  line = line .. "never"
end
print(line)

-- several loop variables; the generator's extra results are dropped
local function triples(n)
  local i = 0
  return function()
    i = i + 1
    if i <= n then return i, i * i, i * i * i, "extra" end
  end
end
for a, b, c in triples(3) do print(a, b, c) end

-- closures over generic-for variables made in each iteration
local fs = {}
for i, v in ipairs(list) do
  local copy = v
  fs[i] = function() return copy end
  if i < 4 then continue end
end
print(fs[1](), fs[2](), fs[3](), fs[4]())

-- a generator feeding more variables than the call itself needs slots for
local names = {}
for i = 1, 150 do names[i] = "v" .. i end
local many = loadstring("local seen = '' for " .. table.concat(names, ", ") ..
  " in function(s, c) if not c then return 1, 2 end end do seen = seen .. v1 .. v2 .. tostring(v150) end" ..
  " return seen")
print(many())
