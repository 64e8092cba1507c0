-- A trophy gained during a day: a word over the shop, which goes on once the player has seen it.
MakeDialog{
  GainTrophyWindow{ name = "gaintrophy", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "BackGround", image = "gui/ui/panel_tall", alpha = true, x = 244, y = 68,
      Text{ name = "title", label = "lblTrophyGained", font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
            x = 30, y = 120, w = 280, h = 160 },
      LabelButton{ name = "ok", label = "lblTrophyOk", close = true, x = 80, y = 350, w = 180, h = 60 },
    },
  },
}
