-- Calls that would wait on the system: programs, pipes, standard input and
-- files outside the game's scripts.
local calls = {
  function() os.execute('sleep 60') end,
  function() io.popen('sleep 60; echo 1'):read('*n') end,
  function() io.read() end,
  function() for line in io.lines('/dev/stdin') do end end,
  function() dofile() end,
  function() loadfile('/dev/stdin') end,
  function() dofile('data/script/../../../../dev/stdin') end,
  function() Story:StartMusic('../../../../dev/stdin') end,
  function() os.exit(0) end,
}
function on_init()
  for _, call in ipairs(calls) do print(pcall(call)) end
end
function on_timer() os.execute('sleep 60') end
function ok_work() io.read('*a') end
