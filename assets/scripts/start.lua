-- The start panel: the studio's card covers the screen for a moment and fades; meanwhile the panel
-- with the game's title slides in over the shop, and its Start button goes on to the main menu
-- through the screen transition.
local kWordsFont = { TextFont, 22, FColor(0.227, 0.133, 0.2, 1) }

MakeDialog{
  StartWindow{ name = "start", x = 0, y = 0, w = 800, h = 600, SponsorTime = 1500, SponsorFade = 600,
    Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_tall", alpha = true, x = 234, y = 68,
      Bitmap{ name = "title", image = "fx/titlecard/potion_st", x = 20, y = 36 },
      Text{ name = "words", label = "lblStartWords", font = kWordsFont, flags = kHAlignCenter + kVAlignCenter,
            x = 36, y = 220, w = 268, h = 100 },
      LabelButton{ name = "btnStart", label = "lblStart", command = function() LeaveScreen("CloseWindow()") end,
                   x = 80, y = 350, w = 180, h = 60 },
    },
    Bitmap{ name = "bmpLogo", image = "gui/studio_logo", x = 0, y = 0 },
    ScreenTransition(),
  },
}
