-- Table array part: fill, read, rewrite.
local t = {}
for i = 1, 1000000 do t[i] = i end
local s = 0
for round = 1, 4 do
  for i = 1, 1000000 do
    s = s + t[i]
    t[i] = s - t[i]
  end
end
print(s)
