-- The interpreter benchmark's programs in Lua 5.4, the same four as
-- programs.txt. Prints one line per program: name, size, median seconds of
-- the runs after a warm-up run (process CPU time), result.
local runs = tonumber(arg[1]) or 3

local function fib(n)
  if n < 2 then return n end
  return fib(n - 1) + fib(n - 2)
end

local function loop(n)
  local sum = 0
  for i = 0, n - 1 do sum = sum + i end
  return sum
end

local Counter = {}
Counter.__index = Counter
function Counter.new() return setmetatable({total = 0}, Counter) end
function Counter:reset() self.total = 0 end
function Counter:add(n) self.total = self.total + n end
function Counter:get() return self.total end
local counter = Counter.new()

local function calls(n)
  counter:reset()
  for i = 0, n - 1 do counter:add(i) end
  return counter:get()
end

-- Lua strings are immutable, so "text = text .. piece" would copy the whole
-- text on every append; its own way of growing a text is a table of pieces.
local function appends(n)
  local parts = {}
  for i = 1, n do parts[i] = "x" end
  return #table.concat(parts)
end

local programs = {
  {"fib", fib, 27}, {"loop", loop, 10000000}, {"calls", calls, 1000000},
  {"appends", appends, 1048576},
}
for _, p in ipairs(programs) do
  local name, f, size = p[1], p[2], p[3]
  -- One run first, untimed: the first runs of a program also pay for
  -- growing the process's heap, on either side.
  local times, result = {}, f(size)
  for r = 1, runs do
    collectgarbage()
    local start = os.clock()
    result = f(size)
    times[r] = os.clock() - start
  end
  table.sort(times)
  print(string.format("%s %d %.6f %d", name, size, times[(runs + 1) // 2], result))
end
