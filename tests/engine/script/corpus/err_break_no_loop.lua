while true do
  break 2
end
