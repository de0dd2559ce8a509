-- Precompiled chunks handed to every loader, whole and with their code bytes
-- overwritten.
local whole = string.dump(function(a) return a * 2 end)
local crafted = whole:sub(1, 40) .. string.rep("\255\0\31", 120)
local function try(f, ...)
  if f then pcall(f, ...) end
end
function on_init()
  for _, chunk in ipairs({ whole, crafted }) do
    try(load(chunk))
    try(load(chunk, "x", "b"))
    try(load(chunk, "x", "bt", {}))
    try(loadstring and loadstring(chunk))
    local parts = { chunk:sub(1, 5), chunk:sub(6) }
    local n = 0
    try(load(function() n = n + 1 return parts[n] end))
  end
end
