-- continue, and break / continue with a loop number.
local line = ""
for i = 1, 6 do
  if i == 2 or i == 4 then continue end
  line = line .. i
end
print("numeric for", line)

line = ""
local i = 0
while i < 6 do
  i = i + 1
  if i == 3 then continue end
  if i == 5 then break end
  line = line .. i
end
print("while", line)

-- continue in repeat tests the until condition
line = ""
i = 0
repeat
  i = i + 1
  if i == 2 then continue end
  line = line .. i
until i >= 4
print("repeat", line)

-- break 2 leaves both loops; continue 2 restarts the outer one
line = ""
for a = 1, 3 do
  for b = 1, 3 do
    if b == 2 then continue 2 end
    if a == 3 then break 2 end
    line = line .. a .. b .. " "
  end
  line = line .. "never "
end
print("nested", line)

line = ""
local outer = 0
while outer < 3 do
  outer = outer + 1
  local inner = 0
  repeat
    inner = inner + 1
    if inner == 2 then continue 2 end
    line = line .. outer .. inner .. " "
  until false
end
print("while/repeat", line)

-- a loop number passes blocks that are not loops
line = ""
for a = 1, 2 do
  do
    for b = 1, 2 do
      if true then
        do break 2 end
      end
    end
  end
  line = line .. "never"
end
print("blocks", "[" .. line .. "]")
