-- Method calls through __index.
local Point = {}
Point.__index = Point
function Point.new(x, y) return setmetatable({x = x, y = y}, Point) end
function Point:add(o) self.x = self.x + o.x self.y = self.y + o.y return self end
function Point:len2() return self.x * self.x + self.y * self.y end
local p = Point.new(0, 0)
local d = Point.new(1, 2)
local s = 0
for i = 1, 2000000 do
  p:add(d)
  s = s + p:len2() / i
end
for i = 1, 300000 do s = s + Point.new(i, i):len2() end
print(s > 0)
