-- A missed day: what the day earned, and the way to try the level again. It stands over the shop;
-- trying again closes both.
ResultScreen(YouLoseWindow, "lblLevelLost", LabelButton{ name = "btnRetry", label = "lblRetry",
  command = PlayNextLevel, x = 80, y = 350, w = 180, h = 60 })
