-- The main menu over the shop: the title card, a welcome to the current player, and the ways on:
-- play (a new player first gives a name), the players, the trophy cabinet, the options, the
-- credits, and leaving. DoModal answers "play" when the player goes on to the levels (through the
-- screen transition).
local kMenuX, kMenuY = 6, 70  -- the menu's panel (gui/ui/panel_tall, 340 x 450)
local kWelcomeFont = { TextFont, 24, FColor(0.227, 0.133, 0.2, 1) }

-- A new player's name, made the current player; false when the player gave none.
function NewPlayer()
  local name = DoModal("scripts/entername.lua")
  if not name then return false end
  CreateNewUser(name)
  ChangeUserData()
  return true
end

local function Play()
  if GetNumUsers() == 0 and not NewPlayer() then return end
  LeaveScreen("CloseWindow('play')")
end

local function ChangePlayer()
  DoModal("scripts/chooseplayer.lua")
  SetWelcomeName()
end

local function MenuButton(name, label, command, row)
  return LabelButton{ name = name, label = label, command = command, x = 80, y = 90 + row * 70, w = 180, h = 60 }
end

-- The last row holds two small buttons side by side, inside the panel.
local function SmallButton(name, label, command, column)
  return LabelButton{ name = name, label = label, command = command, x = 40 + column * 140, y = 364, w = 120, h = 50 }
end

MakeDialog{
  MainMenu{ name = "mainmenu", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
    Bitmap{ name = "menu", image = "gui/ui/panel_tall", x = kMenuX, y = kMenuY,
      Text{ name = "welcome", label = "", font = kWelcomeFont, flags = kHAlignCenter + kVAlignCenter,
            x = 30, y = 24, w = 280, h = 60 },
      MenuButton("play", "lblPlay", Play, 0),
      MenuButton("changeplayer", "lblChangePlayer", ChangePlayer, 1),
      MenuButton("trophies", "lblTrophies", function() DoModal("scripts/trophies.lua") end, 2),
      MenuButton("options", "lblOptions", function() DoModal("scripts/options.lua") end, 3),
      SmallButton("credits", "lblCredits", function() DoModal("scripts/credits.lua") end, 0),
      SmallButton("quit", "lblQuit", function() ReadFile("scripts/quitverify.lua") end, 1),
    },
    ScreenTransition(),
  },
}
