-- Pattern matching: every subject against every pattern through find, gsub and gfind, errors included.
local subjects = { "hello world", "a]b-c", "THE (quick) [fox]", "  x = 10, y = 20  ", "aaa", "", "f(a(b)c)d",
                   "x1y22z333", "\200\255 Zz09\t_-" }
local patterns = { "[a-]", "[]]", "[^]]+", "[%a-z]+", "%f[%w]%w+", "%f[%W]", ".-", "a-", "(a)%1", "((a)(a))", "()",
                   "%bxy", "%b()", "[%w_]+%s*=%s*%d+", "^%s*", "%s*$", "(%d+)(%a)", "%d+$", "^$", "[^%s]+", "[a-c]+",
                   "[%-]", "%-", "(", "%", "[a", "(()", "%1", "a)", "[%", "[z-a]", "%bx", "(h)(e)(l)(l)(o)",
                   "^(%a+)", "(%w+)%s*=%s*(%w+)", "%s+", "[%s,]+", "x?y?z?",
                   "%A+", "%U%l", "%P+", "%X+", "%C%c", "%D%d", "%S+", "%W", "%g", "o w", "l+o", "2?z", "l-o", "a*b", "]" }

local function show(list, from, to)
  local out = {}
  for i = from, to do out[i - from + 1] = tostring(list[i]) end
  return table.concat(out, " ")
end

for _, s in ipairs(subjects) do
  for _, p in ipairs(patterns) do
    local found = { pcall(string.find, s, p) }
    local replaced = { pcall(string.gsub, s, p, function(c) return "<" .. c .. ">" end) }
    local ok, matches = pcall(function()
      local out = {}
      for a, b in string.gfind(s, p) do
        table.insert(out, tostring(a) .. "/" .. tostring(b))
        if table.getn(out) > 20 then break end
      end
      return table.concat(out, ",")
    end)
    print(string.format("%q %q", s, p), show(found, 1, 6), show(replaced, 1, 3), ok, matches)
  end
end
