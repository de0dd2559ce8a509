-- A level that builds its grid, then loops for ever in a per-frame callback.
function on_init()
  Story:AddFundament(1, "g", "h", 9)
  Story:CreateFundament(1, 2, 0, 9, -1)
end
function on_timer()
  while true do end
end
function on_level_finish()
  local n = 0
  while true do n = n + 1 end
end
