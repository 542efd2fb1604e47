-- Texts made by a function of the script's own, with an upvalue and locals.
local prefix = "Tip: "
local function tip(text)
  local line = prefix .. text
  return line
end
SetupMSG = { ISOK = "Save the settings?", Mode = tip("the screen mode") }
