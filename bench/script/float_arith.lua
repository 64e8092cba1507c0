-- Float arithmetic in a numeric loop.
local s, x = 0, 1.5
for i = 1, 6000000 do
  x = x * 1.0000001 + 0.25
  s = s + x / i - i * 0.5
end
print(s > 0)
