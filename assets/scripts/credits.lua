-- The credits: the names behind the game rise over the shop's panel, from its bottom edge to its
-- top and round again, until the player goes back.
local kArea = { x = 170, y = 140, w = 460, h = 262 }  -- where the names show, inside the panel
local kBackgroundFont = { TextFont, 26, FColor(1, 0.957, 0.839, 1) }

MakeDialog{
  Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
  Bitmap{ name = "panel", image = "gui/ui/panel_large", x = 140, y = 90 },
  Window{ name = "area", x = kArea.x, y = kArea.y, w = kArea.w, h = kArea.h,
    -- A slot is the area's height: the names come in at its bottom edge and rise 40 pixels a
    -- second; the window's height is the whole text's, so they start again once the last line
    -- has left the top.
    CreditsWindow{ name = "credits", file = "credits.txt", x = 0, w = kArea.w, h = 1300,
                   time = 6550, slotheight = kArea.h, columngap = 0, columnwidth = kArea.w / 2,
                   font = TextFont, fontsize = 22, fontcolor = FColor(0.227, 0.133, 0.2, 1),
                   headersize = 24, headercolor = FColor(0.494, 0.29, 0.62, 1),
                   sectionsize = 32, sectioncolor = FColor(0.784, 0.392, 0.227, 1) },
  },
  Bitmap{ name = "frame", image = "gui/ui/dialog_frame", x = 120, y = 70 },
  Text{ name = "title", label = "lblCredits", font = kBackgroundFont, flags = kHAlignCenter + kVAlignCenter,
        x = 270, y = 73, w = 260, h = 42 },
  LabelButton{ name = "back", label = "lblBack", close = true, x = 340, y = 408, w = 120, h = 50 },
}
