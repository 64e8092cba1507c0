while true do
  break 1.5
end
