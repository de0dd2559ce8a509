-- An on_init that returns normally without building a grid or a place.
function on_init()
  Story:SetTimeForLevel(90)
  Story:CreatePlace(100, 60, 300, 9)
end
