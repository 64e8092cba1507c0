return function()
  Pause(20)
  error("stopped on purpose")
end
