#!/usr/bin/env script_run -- this first line is skipped
-- Hexadecimal literals: lower-case x, up to 8 digits of either case, an unsigned 32-bit value.
print(0x1F, 0xff, 0xFFFFFFFF, 0x0, 0x00000010)
-- \x escapes: 1 or 2 digits in ordinary strings; without a digit the letter itself.
print("\x41\x42C", "\x4" == "\4", "\xg", "[\x]", "\x414")
-- decimal escapes and the usual ones
print("\65\066\0677", "tab[\t]", "quote[\"] [\'] [\\]")
-- long strings nest; a newline right after the opening brackets is dropped
local long = [[
one [[two]] three]]
print(long)
--[[ a long comment [[ nested ]] still comment ]] print("after long comment")
-- a.b..c is name, dot, name, concatenation, name
local a = {b = "B"}
local c = "C"
print(a.b..c)
-- L directly before a double quote makes a wide string; with a blank it is the name L
function L(s) return "called " .. s end
print(L"wide", L "narrow", L'single')
local Lx = "a name"
print(Lx)
-- wide strings: \x takes up to 4 digits; printed as UTF-8
print(L"\x4e2d\x6587", L"caf\xe9", L"\x41BC", L"\65\66")
print(L"" == L"", L"a" == "a")
-- << and >> are tokens without blanks
local x, y = 3, 2
print(x<<y, x>>1, x<y, x<=y, x>=y, x>y)
