-- Patterns that backtrack for ages in a per-frame callback, caught or not.
function on_init()
  Story:AddFundament(1, "g", "h", 9)
  Story:CreateFundament(1, 2, 0, 9, -1)
  string.gsub(string.rep("(", 300), "%b()*", "")
end
function on_timer()
  pcall(string.match, string.rep("ab", 30), string.rep(".-", 30) .. "c")
  for _ in string.gmatch(string.rep("x", 5000), ".-.-.-.-y") do end
end
