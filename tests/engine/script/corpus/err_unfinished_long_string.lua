x = [[abc
[[nested]]
