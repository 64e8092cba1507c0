-- Table hash part: string and number keys.
local h = {}
local keys = {}
for i = 1, 50000 do keys[i] = "key" .. i end
for round = 1, 10 do
  for i = 1, 50000 do h[keys[i]] = i + round end
  for i = 1, 50000 do h[i + 0.5] = h[keys[i]] end
end
local s = 0
for k, v in pairs(h) do s = s + v end
print(s)
