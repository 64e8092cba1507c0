if x then
  y = 1

