print("from stdin", arg.n)
