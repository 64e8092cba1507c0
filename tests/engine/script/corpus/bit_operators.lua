-- Bit operators bind tighter than * and /, looser than ^, and group from the left.
print(6 & 3, 6 | 3, 1 << 4, 256 >> 4)
print(2 * 3 & 1, 2 * (3 & 1), (2 * 3) & 1)
print(1 << 2 + 1, (1 << 2) + 1)
print(2 ^ 3 & 1)
print(-6 & 7, -(6 & 7))
print(1 << 2 << 3, 256 >> 2 >> 3)
print(12 & 10 | 1, 12 | 10 & 1)
-- Results are signed 32-bit values; shifts count modulo 32; >> is logical.
print(1 << 31, 1 << 32, 1 << 33)
print(-1 >> 28, -1 >> 0, -1 >> 31)
print(4294967296 & 1, 4294967297 & 1, 4294967295 | 0)
print(7.9 & 7, -7.9 & 255)
-- ^ on numbers is exclusive or of the truncated values.
print(5 ^ 3, 2.9 ^ 1, 0 ^ 0, -1 ^ 0)
print(2 ^ 3 ^ 1, 2 ^ (3 ^ 1))
local a, b = 12, 5
print(a & b, a | b, a << b, a >> 1, a ^ b)
