-- Opens the dialog and prints the name of the button that closed it.
return function()
  print("result", DoModal("dialog.lua"))
end
