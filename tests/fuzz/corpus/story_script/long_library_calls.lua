-- Library calls whose work grows with their arguments: sorts of crafted
-- values, repeats of empty strings, then a repeat past the memory cap.
function on_init()
  local t = {}
  for i = 1, 2000 do t[i] = (i * 7919) % 1000 end
  table.sort(t)
  table.sort(t, function(a, b) return a > b end)
  string.rep("", 2^31 - 1)
  string.rep("", 2^31 - 1, "")
  string.rep("xy", 2^31 - 1, ",")
end
