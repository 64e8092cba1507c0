-- The options: sound-effect and music volumes (heard at once while the sliders move), full screen
-- and mute. Done keeps the volumes for the current player; full screen and mute are kept as they
-- are switched. The whole panel slides in as one piece ("BackGround").
local kTitleFont = { TextFont, 26, FColor(1, 0.957, 0.839, 1) }
local kToggleGraphics = { "gui/ui/toggle_normal", "gui/ui/toggle_on", "gui/ui/toggle_over", "gui/ui/toggle_on" }

local function Row(label, y)
  return Text{ name = label, label = label, font = kPanelFont, flags = kHAlignLeft + kVAlignCenter,
               x = 70, y = y, w = 190, h = 40 }
end

local function VolumeSlider(name, y)
  return Slider{ name = name, x = 270, y = y + 4, w = 220, h = 32, hslider = true,
                 railtop = "gui/ui/slider_rail_top", railmid = "gui/ui/slider_rail_mid",
                 railbot = "gui/ui/slider_rail_bottom",
                 sliderimage = "gui/ui/slider_knob", sliderrollimage = "gui/ui/slider_knob_over" }
end

local function Toggle(name, y, command)
  return Button{ name = name, type = kToggle, graphics = kToggleGraphics, x = 270, y = y, command = command }
end

-- A display that refuses the switch keeps the box as it was.
local function SwitchFullScreen()
  if not ToggleFullScreen() then
    SetButtonToggleState("fullscreen", not GetButtonToggleState("fullscreen"))
  end
end

local function Done()
  SaveVolumes()
  CloseWindow()
end

MakeDialog{
  OptionsWindow{ name = "options", x = 0, y = 0, w = 800, h = 600,
    Window{ name = "BackGround", x = 120, y = 80, w = 560, h = 440,
      Bitmap{ name = "panel", image = "gui/ui/panel_large", x = 20, y = 20 },
      Bitmap{ name = "frame", image = "gui/ui/dialog_frame", x = 0, y = 0 },
      Text{ name = "title", label = "lblOptions", font = kTitleFont, flags = kHAlignCenter + kVAlignCenter,
            x = 150, y = 3, w = 260, h = 42 },
      Row("lblSoundEffects", 90),
      VolumeSlider("sfxlevelslider", 90),
      Row("lblMusic", 150),
      VolumeSlider("musiclevelslider", 150),
      Row("lblFullScreen", 210),
      Toggle("fullscreen", 210, SwitchFullScreen),
      Row("lblMute", 270),
      Toggle("mutebox", 270, ToggleSoundMute),
      LabelButton{ name = "done", label = "lblDone", command = Done, x = 190, y = 340, w = 180, h = 60 },
    },
  },
}
