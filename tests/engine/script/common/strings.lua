-- String library on the shared subset.
local s = "The quick brown fox jumps over the lazy dog"
print(string.len(s), string.upper(string.sub(s, 5, 9)), string.lower("MiXeD"))
print(string.find(s, "quick"), string.find(s, "o", 20), string.find(s, "(%a+) dog"))
print(string.gsub(s, "o", "0"))
print(string.gsub(s, "(%w+)", "<%1>", 3))
print(string.gsub("hello world", "(o)", function(c) return "[" .. c .. "]" end))
print(string.rep("ab", 3), string.char(72, 105), string.byte("A"))
for w in string.gfind("one two three", "%a+") do print("word", w) end
print(string.format("%5d|%-5d|%05.1f|%s|%q", 42, 7, 3.14159, "str", "a\"b"))
print(string.format("%x %X %o %c", 255, 255, 8, 65))
print(string.find("a.b.c", ".", 1, true), string.find("[test]", "%[(%a+)%]"))
print(string.gsub("  trim me  ", "^%s*(.-)%s*$", "%1"))
print(string.find("key = value", "(%w+)%s*=%s*(%w+)"))
print(string.gsub("abc", "", "-"))
print(("method"):upper(), ("x"):rep(3))
print(tostring(12), tostring(1.5), tonumber("0x10") == nil or true, tonumber("  42  "), tonumber("z", 36))
