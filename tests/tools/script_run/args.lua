print(x, arg.n, arg[1], arg[2], arg[0] ~= nil)
