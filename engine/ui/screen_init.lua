-- gScreenInit: the script half of the window system. Constants shared with native code, the
-- functions that build dialogs from nested tables, and the loops that wait for messages inside
-- the window script's coroutine.

LUA_PATH = "?;../?;../../?"

-- Alignment: one horizontal plus one vertical value.
kHAlignLeft = 0
kHAlignCenter = 1
kHAlignRight = 2
kVAlignTop = 0
kVAlignCenter = 4
kVAlignBottom = 8

-- Button types.
kPush = 0
kToggle = 1
kRadio = 2

kAllLayers = -1

-- Special positions: the centre and the far edge of the parent.
kCenter = 80000
kMax = 160000
kDefault = 128

kPushButtonAlignment = kHAlignCenter + kVAlignCenter
kRadioButtonAlignment = kHAlignLeft + kVAlignCenter
kToggleButtonAlignment = kHAlignCenter + kVAlignCenter

-- Message types.
kGeneric = 0
kCloseWindow = 1
kDefaultAction = 2
kButtonPress = 3
kPressAnyKey = 4
kQuitNow = 5
kModalClosed = 6
kTextEditChanged = 7
kCommandOnly = 8
kSliderValChanged = 9
kSliderMouseUp = 10
kSliderPageUp = 11
kSliderPageDown = 12
kUserMessageBase = 1000

-- Game-state names.
kCmdLine = "cmdline"
kLevel = "level"
kSubLevel = "sublevel"
kPause = "pause"
kMute = "mute"
kBreakNow = "breaknow"
kScore = "score"
kGameMode = "gamemode"
kGameOver = "gameover"
kRestartButton = "restartbutton"
kSystemMode = "systemmode"

gReturnValue = nil

-- Setting names.
kCheatMode = "cheatmode"
kComputerId = "computerid"
kGameName = "gamename"
kGameVersion = "version"
kEncryptionKey = "encryptionkey"
kHiscoreLocalOnly = "hiscorelocal"
kHiscoreAnonymous = "hiscoreanon"

idtable = {}
gParent = {}
gCurrentDefaultStyle = {}
gCurID = 100
gBeginGroup = 0

-- Styles and layout ----------------------------------------------------------------------------

function Color(r, g, b, a)
  if not a then
    return { r / 255, g / 255, b / 255, 1 }
  end
  return { r / 255, g / 255, b / 255, a / 255 }
end

function FColor(r, g, b, a)
  if not a then a = 1 end
  return { r, g, b, a }
end

function Push(w)
  table.insert(gParent, 1, w)
end

function Pop()
  table.remove(gParent, 1)
end

function SetDefaultStyle(s)
  gCurrentDefaultStyle = s
end

function SetStyle(s)
  return function() SetDefaultStyle(s) end
end

function AppendStyle(s)
  return function()
    s.parent = gCurrentDefaultStyle
    SetDefaultStyle(s)
  end
end

function GetTag(t, key, inner)
  if t[key] then return t[key] end
  if not inner then return GetTag(gCurrentDefaultStyle, key, true) end
  if t.parent then return GetTag(t.parent, key, true) end
  return nil
end

function SetBeginGroup()
  gBeginGroup = 1
end

function BeginGroup()
  return SetBeginGroup
end

function SelectLayer(n)
  return function() DoSelectLayer(n) end
end

function Group(t)
  return function() MakeDialog(t) end
end

function FitToChildren()
  return function() DoFitToChildren() end
end

function SetDefault(x)
  return function() end
end

function SetFocus(name)
  RealSetFocus(name)
end

function DistributeX(n)
  divisor = n + 1
  d = {}
  for i = 1, n do
    d[i] = i / divisor * gDialogWidth
  end
  return d
end

function DistributeY(n)
  local divisor = n + 1
  local d = {}
  for i = 1, n do
    d[i] = i / divisor * gDialogHeight
  end
  return d
end

function SetBitmap(name, image, scale)
  if scale == nil then scale = 1 end
  _SetBitmap(name, image, scale)
end

function GetString(key, p1, p2, p3, p4, p5)
  if p1 == nil then p1 = "" end
  if p2 == nil then p2 = "" end
  if p3 == nil then p3 = "" end
  if p4 == nil then p4 = "" end
  if p5 == nil then p5 = "" end
  return _GetString(key, p1, p2, p3, p4, p5)
end

function RegisterHotkey(key, command)
  if key and command then _RegisterHotkey(key, command) end
end

function SetState(name, value)
  if value == true then
    value = 1
  elseif value == false then
    value = 0
  end
  _SetState(tostring(name), tostring(value))
end

-- Hooks scripts may replace.
function Creating(typename, t)
end

function CustomCreator(x)
end

-- Building dialogs -----------------------------------------------------------------------------

function DoWindow(t)
  t.beginGroup = gBeginGroup
  gBeginGroup = 0
  GenericCreate(t)
  MakeDialog(t)
  PopWindow()
end

function MakeDialog(t)
  local style = gCurrentDefaultStyle
  if t.name and t.name ~= "" then SetWindowName(t.name) end
  table.foreachi(t, DoDialogCommand)
  typename = t.typename
  SetDefaultStyle(style)
  if typename then PostCreate(t, typename) end
end

function DoDialogCommand(index, f)
  f()
end

function ReadFile(f)
  return dofile("assets/" .. f)
end

-- Modal dialogs and waiting --------------------------------------------------------------------

function ModalReturn(v)
  gReturnValue = v
end

function CloseWindow(v)
  PostMessage(CreateCloseMessage())
  if v then ModalReturn(v) end
end

function PopModal(name)
  DoPopModal(name)
end

function DoModal(file)
  local id = PushModal(file)
  ReadFile(file)
  DoFitToChildren()
  WaitForCloseMessage(id)
  local result = gReturnValue
  gReturnValue = nil
  return result
end

function DoMainWindow(file)
  PushModal(file)
  local depth = GetWindowDepth()
  ReadFile(file)
  DoFitToChildren()
  while true do
    local m = WaitForMessage()
    if m then
      gLastMessage = m
      if GetWindowDepth() < depth then return end
    end
  end
end

gDialogTable = {}

function DisplayDialog(t)
  local script = t[1]
  if not script or script == "" then
    DebugOut("DisplayDialog called with empty script; aborting")
    return
  end
  local id = PushModal(script)
  gDialogTable = t
  ReadFile(script)
  WaitForCloseMessage(id)
  local result = gReturnValue
  gReturnValue = nil
  return result
end

function SwapToModal(file)
  ClearModalChildren()
  ReadFile(file)
  DoFitToChildren()
end

gClosedWindows = {}

function WaitForCloseMessage(id)
  while true do
    local m = WaitForMessage()
    if m then
      gLastMessage = m
      if m.type == kModalClosed then
        if m.name == id then return end
        gClosedWindows[m.name] = true
      end
    end
    if gClosedWindows[id] then
      gClosedWindows[id] = nil
      return
    end
  end
end

function WaitForMessage(timeout, skipQueue)
  local n = table.getn(gMessageQueue)
  if not skipQueue and n > 0 then
    message = gMessageQueue[n]
    table.remove(gMessageQueue, n)
    return message
  end
  local m, cmd
  if timeout == nil then
    m, cmd = HandleGetMessage()
  else
    m, cmd = HandleGetMessage(timeout)
  end
  if cmd then
    gYieldResult = cmd()
  else
    local c = table.getn(gCommandQueue)
    if c > 0 then
      local command = gCommandQueue[c]
      table.remove(gCommandQueue, c)
      gYieldResult = command()
    end
  end
  return m
end

gCommandQueue = {}
gMessageQueue = {}

function FlushMessages()
  while HandleGetMessage(1) do
  end
  gCommandQueue = {}
  gMessageQueue = {}
end

function Pause(ms, keyEnds)
  if keyEnds == nil then keyEnds = false end
  local endTime = GetTimer() + ms
  while GetTimer() < endTime do
    local m = WaitForMessage(endTime - GetTimer(), true)
    if m then
      if keyEnds and m.type == kPressAnyKey then return end
      table.insert(gMessageQueue, m)
    end
  end
end

function Yield()
  return coroutine.yield()
end

function DisplaySplash(movie, image, duration)
  local id = PushModal("DisplaySplash")
  local translate = GetTag({}, "translate") or false
  local allowInput = GetTag({}, "allowInput") or false
  inMovie = StartMovie(movie, translate, allowInput)
  local endTime = GetTimer() + duration
  local disableAbort = GetTag({}, "disableAbort") or false
  if not inMovie then
    local overlay = GetTag({}, "splashoverlay")
    if not overlay then overlay = Group({}) end
    if not image then return end
    MakeDialog({ Bitmap({ name = "splashimage", image = image, overlay }) })
    UpdateWindow()
    UpdateWindow()
    Pause(50)
  end
  if inMovie or ImageLoaded("splashimage") then
    while true do
      local m = WaitForMessage(1)
      if not inMovie and GetTimer() > endTime then break end
      if m then
        if m.type == kCloseWindow then break end
        if m.type == kModalClosed then
          if m.name == id then break end
          gClosedWindows[m.name] = true
        end
        if m.type == kPressAnyKey and not disableAbort then break end
      end
      if inMovie and not IsMoviePlaying() then break end
    end
  end
  if inMovie then StopMovie() end
  PopModal(id)
end
