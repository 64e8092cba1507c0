for i = 1, 2 do
  continue 0
end
