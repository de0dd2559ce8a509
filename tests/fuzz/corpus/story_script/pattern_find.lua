-- A pattern that backtracks for ages inside one call of string.find.
function on_init()
  local s = string.rep("a", 40)
  string.find(s, string.rep("a*", 40) .. "b")
end
