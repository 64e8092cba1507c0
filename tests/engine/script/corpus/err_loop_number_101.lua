while true do break 101 end
