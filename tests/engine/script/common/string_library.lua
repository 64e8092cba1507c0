-- The string library on text both engines treat alike.
local s = "Hello, World"
print(string.len(s), string.len(""), string.len("a\0b"), string.upper(s), string.lower(s))

-- sub with positive, negative and out-of-range positions
local ranges = { {1, 5}, {8}, {-5}, {-5, -2}, {0}, {-100, 3}, {3, 2}, {5, 100}, {13}, {12, 12}, {-1, -1} }
for i = 1, table.getn(ranges) do
  local r = ranges[i]
  print(r[1], r[2], "[" .. string.sub(s, r[1], r[2]) .. "]")
end

print(string.byte("A"), string.byte("abc", 2), string.byte("abc", -1), string.byte("abc", 10))
print(string.char(), string.char(104, 105), string.char(72, 101, 108, 108, 111))
print("[" .. string.rep("ab", 3) .. "]", "[" .. string.rep("x", 0) .. "]", "[" .. string.rep("x", -2) .. "]")
print(s:upper(), s:sub(1, 1), s:len(), ("%d-%d"):format(1, 2), ("x"):rep(4))

-- find: plain, patterns, anchors, init positions and captures
print(string.find(s, "World"), string.find(s, "o"), string.find(s, "o", 6), string.find(s, "o", -3))
print(string.find(s, "xyz"), string.find(s, ""), string.find(s, "", 100), string.find("", ""))
print(string.find("a.b.c", ".", 2, true), string.find("a+b", "+", 1, true), string.find("a.b", "%."))
print(string.find(s, "^Hello"), string.find(s, "^World"), string.find(s, "World$"), string.find(s, "l+"))
print(string.find(s, "(%a+), (%a+)"), string.find(s, "()ll()"))
print(string.find("key = value", "(%w+)%s*=%s*(%w+)"), string.find("[tag]", "%[(.-)%]"))

-- character classes, sets and quantifiers
local sample = "ab12 CD_x\t!?"
local patterns = { "%a+", "%d+", "%l+", "%u+", "%s", "%w+", "%p+", "%x+", "[%a_]+", "[^%a%s]+", "[b-d]+",
                   "%d*", "%a-%d", "x?_?x", "1?2", "[%]]", "%c" }
for i = 1, table.getn(patterns) do
  print(patterns[i], string.find(sample, patterns[i]))
end
print(string.find("THE (quick) fox", "%((%a+)%)"), string.find("f(a(b)c)d", "%b()"))
print(string.find("hello hello", "(l+)o %a+%1"), string.find("aaa", "a-b"), string.find("aaab", "a-b"))

-- gsub with strings, captures, functions and limits
print(string.gsub("hello world", "o", "0"))
print(string.gsub("hello world", "(%w+)", "<%1>"))
print(string.gsub("hello world", "(%w+) (%w+)", "%2 %1"))
print(string.gsub("hello world", "(%w+)", "%1%1", 1))
print(string.gsub("abc", "", "-"))
print(string.gsub("abc", "b*", "X"))
print(string.gsub("  trim me  ", "^%s*(.-)%s*$", "%1"))
print(string.gsub("a,b,,c", ",", ";", 2))
print(string.gsub("$name is $age", "%$(%w+)", function(k) return string.upper(k) end))
print(string.gsub("x = 1, y = 2", "(%w+) = (%w+)", function(k, v) return v .. "=" .. k end))
print(string.gsub("100%", "%%", " percent"))
print(string.gsub("hello", "l", "%%"))
print(string.gsub("one two", "^%w+", "FIRST"))
print(string.gsub("abc", "(.)", "[%1]"))

-- gfind over words and captures
local words = {}
for w in string.gfind("one two  three", "%a+") do table.insert(words, w) end
print(table.concat(words, "|"))
for k, v in string.gfind("a=1, b=2, c=3", "(%w+)=(%w+)") do print(k, v) end

-- format with strings
print(string.format("[%s] [%10s] [%-10s] [%.3s] [%5.1s]", "abc", "abc", "abc", "abcdef", "xyz"))
print(string.format("%q", "line1\nline2\t\"quoted\"\\ \r"))
print(string.format("%s %s %s", 1, 2.5, "x"), string.format("%5s|%-5s|", 12, 3.5))
print(string.format("no directives"), string.format("%%"), string.format("%s", ""))
print(string.format("%d %d %d %i %5d|%-3d|", 0, -2147483648, 42, -7, 3, 9), string.format("%d", 2147483647))

-- concatenation and comparison
local parts = ""
for i = 1, 10 do parts = parts .. i .. "," end
print(parts, "a" .. "b" .. "c" .. 1 .. 2, ("x"):rep(3) .. ("y"):rep(2))
print("abc" == "abc", "abc" == "abd", "a" < "aa", "b" > "aa", "" == "")
