local x = 1
continue
