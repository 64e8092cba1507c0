-- String building and formatting.
local parts = {}
for i = 1, 150000 do
  parts[i] = string.format("%d:%s:%5.2f", i, "item", i / 7)
end
local s = table.concat(parts, ",")
local n = 0
for w in string.gfind(s, "item") do n = n + 1 end
local t = ""
for i = 1, 3000 do t = t .. string.sub(parts[i], 1, 3) end
print(string.len(s), n, string.len(string.upper(t)))
