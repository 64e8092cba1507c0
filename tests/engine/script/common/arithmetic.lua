-- Arithmetic, coercions and the "%.14g" number format.
local values = {
  0, 1, -1, 0.5, -0.25, 100, 1e15, 1e16, 123456789012345, 1234567890123456,
  0.1, 1 / 3, 2 / 3, 1e-5, 1e-300 * 1e-300, 3.14159265358979, 1e100, -1e-7,
  2147483647, 2147483648, 4294967296, 9007199254740992, 1 / 0, -1 / 0,
}
for i = 1, table.getn(values) do
  local v = values[i]
  print(i, v, tostring(v), v .. "", -v)
end

local a, b = 7, 2
print(a + b, a - b, a * b, a / b, -a, a - -b, a + b * 3, (a + b) * 3, a / b / 2, a - b - 1)
print(0.1 + 0.2, 0.1 + 0.2 == 0.3, 1e15 + 0.5, 2 * 0.5 == 1, 1 / 3 * 3 == 1)
print(-0 == 0, 1 / 0 == 2 / 0, 1 / 0 > 1e308, -1 / 0 < -1e308)

-- Strings that hold decimal numerals take part in arithmetic.
print("10" + 5, "3" * "4", 10 - "2.5", "1e2" / 4, -"3", " 6 " + 1, "0.5" * 2)
print(10 .. 20, 1.5 .. "|", 1e20 .. "", -0.0 + 0 .. "")

-- Comparisons of numbers and strings.
print(1 < 2, 2 <= 2, 3 > 4, 4 >= 5, 1 == 1.0, "1" == 1, 1 ~= 1)
print("a" < "b", "abc" < "abd", "" < "a", "Z" < "a", "10" < "9", "a\0b" < "a\0c")

-- tonumber on decimal text and with explicit bases.
local texts = { "42", "  42  ", "-17", "3.25", ".5", "5.", "-.5", "1e5", "1E-2", "+1", "",
                " ", "abc", "1e", "12a", "1 2", "--1", "0.1e1" }
for i = 1, table.getn(texts) do
  print(string.format("%q", texts[i]), tonumber(texts[i]))
end
print(tonumber("10", 2), tonumber("ff", 16), tonumber("FF", 16), tonumber("zz", 36), tonumber("777", 8))
print(tonumber("8", 8), tonumber("2", 2), tonumber("1z", 36), tonumber(""), tonumber(nil), tonumber(12))

-- Numbers formatted explicitly.
print(string.format("%d %5d %-5d| %05d %+d", 42, 42, 42, 42, 42))
print(string.format("%d %d %d", -7, 2147483647, 3.99))
print(string.format("%f %.2f %10.3f %-10.1f| %.0f", 3.14159, 3.14159, -2.5, 1 / 3, 2.5))
print(string.format("%g %g %g %g %.3g %.10g", 1e20, 0.0001, 123456, 1234567, 3.14159, 1 / 3))
print(string.format("%e %.2e %E", 12345.678, 0.000123, 1e-10))
print(string.format("%x %X %o %5x %-4X|", 255, 3054, 8, 4096, 10))
print(string.format("%c%c%c %i %%", 76, 117, 97, 12))

-- Numbers where strings are expected
print(string.len(12345), string.upper(1.5), ("x"):rep("3"), string.sub(12345, 2, 3), string.gsub(1e15, "e", "E"))
print(string.format("%s|%5s|%-8s|", 1 / 3, 2, -0.5), string.rep(1, 3), string.byte(7), string.char("65"))
print(table.concat({ 1, 2.5, "x", -3 }, 0), tostring(1e300 * 1e10) .. "", string.find(12345, 34))
print(9007199254740993, 123456789012 * 1000, -123.456e-5, 5e-324, 1.7976931348623157e308)
