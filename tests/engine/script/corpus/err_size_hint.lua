local t = {&10
  &x}
