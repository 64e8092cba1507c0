print("quitverify")
PostMessage(CreateNamedMessage(kQuitNow, "quit"))
