-- A won day: what the day earned, and the way on to the next level. It stands over the shop; the
-- bazaar, on the way to the next level, closes both.
ResultScreen(YouWinWindow, "lblLevelWon", LabelButton{ name = "btnNextLevel", label = "lblNextLevel",
  command = VisitBazaar, x = 80, y = 350, w = 180, h = 60 })
