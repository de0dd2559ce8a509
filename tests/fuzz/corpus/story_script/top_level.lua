DebugPrint("x")
math.randomseed(1)
x = math.random(6)
Story:SetFlag(string.rep("a", 100000))
function on_init() Story:SetFlag(tostring(x)) end
os.exit(1)
