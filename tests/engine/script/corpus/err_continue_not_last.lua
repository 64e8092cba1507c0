for i = 1, 2 do
  continue; x = 1
end
