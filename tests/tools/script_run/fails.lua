local t = nil
print("before")
t.x = 1
