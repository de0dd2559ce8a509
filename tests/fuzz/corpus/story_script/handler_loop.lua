-- Message handlers that loop: after a loop stopped by the budget, after an
-- ordinary error, and a handler that calls xpcall again.
function on_init()
  xpcall(function() while true do end end, function() while true do end end)
end
function on_timer()
  xpcall(error, function() while true do end end)
end
function ok_work()
  local function h(m) return select(2, xpcall(error, h)) end
  print(xpcall(error, h))
end
function on_bonus()
  coroutine.wrap(function() xpcall(function() while true do end end, function() while true do end end) end)()
end
