-- The UI kit at 1:1 on two pages: the dialog frame over the large panel with the tooltip panel, then
-- (after a click on "Next") the medium and small panels and every widget state. From the worktree:
--   build-test/bin/ui_run --assets build-test/bin --frames 20 --shot kit1.png assets/src/ui_kit/ui_kit.lua
--   build-test/bin/ui_run --assets build-test/bin --frames 40 --events assets/src/ui_kit/next_page.events \
--       --shot kit2.png assets/src/ui_kit/ui_kit.lua
local kDark = { "__DEFAULT", 18, Color(58, 34, 51) }
local kLight = { "__DEFAULT", 18, Color(255, 244, 214) }

local function Pic(name, x, y)
  return Bitmap{ image = "gui/ui/" .. name, x = x, y = y }
end

local function Label(text, x, y, w, h, font)
  return Text{ label = text, x = x, y = y, w = w, h = h, font = font or kDark, flags = kHAlignCenter + kVAlignCenter }
end

local function KitButton(name, x, y, size, close)
  local prefix = "gui/ui/button" .. size .. "_"
  return Button{ name = name, x = x, y = y, close = close,
                 graphics = { prefix .. "normal", prefix .. "pressed", prefix .. "over" } }
end

local function Show(page)
  local id = PushModal("ui_kit")
  MakeDialog(page)
  DoFitToChildren()
  WaitForCloseMessage(id)
  PopModal("ui_kit")
end

local panelsPage = {
  Bitmap{ image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
  Pic("panel_large", 20, 20),
  Pic("dialog_frame", 0, 0),
  Label("Options", 150, 4, 260, 42, kLight),
  Label("Music", 60, 90, 160, 30),
  Slider{ name = "music", x = 230, y = 90, w = 260, h = 32, value = 0.75, hslider = true,
          railtop = "gui/ui/slider_rail_top", railmid = "gui/ui/slider_rail_mid", railbot = "gui/ui/slider_rail_bottom",
          sliderimage = "gui/ui/slider_knob", sliderrollimage = "gui/ui/slider_knob_over" },
  Label("Full screen", 60, 150, 160, 30),
  Pic("toggle_on", 230, 145),
  Label("Mute", 60, 200, 160, 30),
  Pic("toggle_normal", 230, 195),
  Pic("tile_normal", 60, 250), Pic("tile_over", 170, 250), Pic("tile_selected", 280, 250),
  KitButton("next", 360, 330, "_small", true),
  Label("Next", 360, 330, 120, 38, kLight),
  Pic("panel_tooltip", 570, 40),
  Label("Potionpedia", 580, 52, 200, 28),
  Label("Brew every potion", 580, 82, 200, 28),
}

local widgetsPage = {
  Bitmap{ image = "backgrounds/shop_2/bg_shop_02", x = 0, y = 0 },
  Pic("panel_medium", 10, 10),
  Label("Your name", 60, 50, 340, 30),
  Pic("textfield", 80, 90),
  TextEdit{ name = "name", x = 92, y = 98, w = 276, h = 28, font = kDark },
  Pic("panel_small", 10, 320),
  Label("Leave the shop?", 40, 350, 300, 40),
  Pic("button_small_normal", 50, 420), Label("Yes", 50, 420, 120, 38, kLight),
  Pic("button_small_over", 200, 420), Label("No", 200, 421, 120, 38, kLight),
  Pic("toggle_normal", 470, 280), Pic("toggle_over", 520, 280), Pic("toggle_pressed", 570, 280),
  Pic("toggle_on", 620, 280),
  Pic("slider_knob", 680, 284), Pic("slider_knob_over", 720, 284),
  Pic("textfield", 470, 340),
  Pic("tile_normal", 470, 400), Pic("tile_over", 570, 400), Pic("tile_selected", 670, 400),
}
for i, state in ipairs({ "normal", "over", "pressed", "disabled" }) do
  local y = 10 + (i - 1) * 64
  table.insert(widgetsPage, Pic("button_" .. state, 470, y))
  table.insert(widgetsPage, Label("Play", 470, y + (state == "pressed" and 3 or 0), 180, 44, kLight))
  table.insert(widgetsPage, Pic("button_small_" .. state, 660, y + 5))
end

return function()
  Show(panelsPage)
  Show(widgetsPage)
end
