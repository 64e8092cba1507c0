-- The players, a button each with the current one pressed: a click picks one, New adds a player
-- (by name), Delete closes the picked player's shop after a question, and OK goes on as the picked
-- player. The panel hands the names over through UpdatePlayerChoices; every player has a button
-- (New is offered only while one is free), so the list never scrolls.
local kNameFont = { TextFont, 18, FColor(1, 0.957, 0.839, 1) }
local kNameGraphics = { "gui/ui/button_normal", "gui/ui/button_pressed", "gui/ui/button_over", "gui/ui/button_pressed" }

function InitOffset(current, count) kScrollOffset = 0 end

function UpdatePlayerChoices(current, count, names)
  for i = 0, gMaximumNumberOfPlayers - 1 do
    local name = names[i + 1]
    EnableWindow("btnUser" .. i, name ~= nil)
    SetLabel("userName" .. i, ShownAsTyped(name or ""))
    SetButtonToggleState("btnUser" .. i, i == current - kScrollOffset)
  end
  EnableWindow("newplayer", count < gMaximumNumberOfPlayers)
  EnableWindow("delete", count > 0)
end

local function AddPlayer()
  local name = DoModal("scripts/entername.lua")
  if not name then return end
  CreateNewUser(name)
  SetPlayerChoices()
end

local function DeletePlayer()
  gQuestionName = GetSelectedPlayerName()
  if DoModal("scripts/deleteplayer.lua") ~= "yes" then return end
  DeleteUser(GetCurrentSelectedUser())
  SetPlayerChoices()
end

local function Choose()
  if GetNumberOfUsers() > 0 then
    SetCurrentUser(GetCurrentSelectedUser())
    ChangeUserData()
  end
  CloseWindow()
end

-- Two columns of players, row by row.
local function PlayerButton(i, column, row)
  return Button{ name = "btnUser" .. i, type = kRadio, graphics = kNameGraphics,
                 x = 60 + column * 220, y = 84 + row * 70, w = 180, h = 60,
    Text{ name = "userName" .. i, label = "", font = kNameFont, flags = kPushButtonAlignment, x = 8, y = 0, w = 164, h = 56 },
  }
end

local players = { name = "players", x = 0, y = 0, w = 520, h = 300, BeginGroup() }
for i = 0, gMaximumNumberOfPlayers - 1, 2 do
  table.insert(players, PlayerButton(i, 0, i / 2))
  if i + 1 < gMaximumNumberOfPlayers then table.insert(players, PlayerButton(i + 1, 1, i / 2)) end
end

MakeDialog{
  ChoosePlayerWindow{ name = "chooseplayer", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_large", alpha = true, x = 140, y = 100,
      Text{ name = "title", label = "lblChoosePlayer", font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
            x = 20, y = 26, w = 480, h = 44 },
      Window(players),
      LabelButton{ name = "newplayer", label = "lblNewPlayer", command = AddPlayer, x = 50, y = 312, w = 120, h = 50 },
      LabelButton{ name = "delete", label = "lblDeletePlayer", command = DeletePlayer, x = 200, y = 312, w = 120, h = 50 },
      LabelButton{ name = "ok", label = "lblOk", command = Choose, x = 350, y = 312, w = 120, h = 50 },
    },
  },
}
