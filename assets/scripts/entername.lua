-- A new player's name: typed into the field and kept with OK, which shows once the field holds a
-- letter; a name another player has already is refused with a word. DoModal answers the name, or
-- nil when the player cancels.
local kFieldFont = { TextFont, 22, FColor(0.227, 0.133, 0.2, 1) }
local kWarningFont = { TextFont, 20, FColor(0.62, 0.153, 0.282, 1) }

local function Keep()
  local name = GetLabel("name")
  if IsNameInUse(name) then
    SetLabel("warning", GetString("lblNameInUse"))
    return
  end
  CloseWindow(name)
end

MakeDialog{
  EnterNameWindow{ name = "entername", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_medium", alpha = true, x = 180, y = 150,
      Text{ name = "question", label = "lblEnterName", font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
            x = 20, y = 28, w = 400, h = 44 },
      Bitmap{ name = "field", image = "gui/ui/textfield", x = 70, y = 86 },
      TextEdit{ name = "name", label = "", font = kFieldFont, length = 20, enablewindow = "ok",
                x = 84, y = 94, w = 272, h = 28 },
      Text{ name = "warning", label = "", font = kWarningFont, flags = kHAlignCenter + kVAlignCenter,
            x = 20, y = 136, w = 400, h = 40 },
      LabelButton{ name = "ok", label = "lblOk", command = Keep, x = 80, y = 200, w = 120, h = 50 },
      LabelButton{ name = "cancel", label = "lblCancel", close = true, x = 240, y = 200, w = 120, h = 50 },
    },
  },
}
EnableWindow("ok", false)
SetFocus("name")
