-- Numeric for as 5.0 compiles it: the visible variable is the control variable itself.
local line = ""
for i = 1, 10 do
  line = line .. i .. " "
  i = i * 2  -- changes the next iteration
end
print(line)

-- limit and step are evaluated once; strings holding numbers are accepted for them
local limit = 3
line = ""
for i = 1, limit do line = line .. i limit = 10 end
print(line)
line = ""
for i = 1, "3", "1" do line = line .. i end
print(line)

-- the first value is (init - step) + step
line = ""
for i = 0.5, 1.25, 0.25 do line = line .. i .. " " end
print(line)

-- errors name the part that is not a number
print(pcall(loadstring("for i = 'a', 2 do end", "=loop")))
print(pcall(loadstring("for i = 1, {} do end", "=loop")))
print(pcall(loadstring("for i = 1, 2, nil do end", "=loop")))

-- an empty range runs nothing; a negative step counts down
local ran = false
for i = 5, 1 do ran = true end
line = ""
for i = 3, 1, -1 do line = line .. i end
print(ran, line)

-- nested loops reuse registers; locals of the body are fresh in each iteration
local sums = {}
for a = 1, 3 do
  local acc = 0
  for b = a, 3 do acc = acc + b end
  sums[a] = acc
end
print(sums[1], sums[2], sums[3])

-- tail calls do not grow the stack; other calls do, up to the limit
local function count(n) if n == 0 then return "done" end return count(n - 1) end
print(count(100000))
local function deep(n) return 1 + deep(n + 1) end
local ok, message = pcall(deep, 1)
print(ok, message)
