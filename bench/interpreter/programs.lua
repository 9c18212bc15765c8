-- The interpreter benchmark's programs in Lua 5.4, the same ones as
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

-- The owner's handler of the counter's event: what the counter raises goes
-- to its owner's function.
local app = {}
function app.reached(value) return value % 7 end

local Counter = {}
Counter.__index = Counter
function Counter.new(owner) return setmetatable({total = 0, weight = 0.0, owner = owner}, Counter) end
function Counter:reset() self.total = 0; self.weight = 0.0 end
function Counter:add(n) self.total = self.total + n end
function Counter:get() return self.total end
function Counter:take(a, f, s) self.total = self.total + a + #s; self.weight = self.weight + f end
function Counter:fire(value) self.total = self.total + self.owner.reached(value) end
local counter = Counter.new(app)

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

local function floats(n)
  local x, v = 1.0, 0.0
  for _ = 0, n - 1 do
    local a = -x * 0.5 - v * 0.01
    v = v + a * 0.001
    x = x + v * 0.001
  end
  return math.floor((x + 2.0) * 1000000)
end

local function strings(n)
  local parts = {}
  for i = 0, n - 1 do parts[i + 1] = "k" .. i .. ";" end
  local s = table.concat(parts)
  local found = 0
  local pos = string.find(s, "7;", 1, true)
  while pos do
    found = found + 1
    pos = string.find(s, "7;", pos + 2, true)
  end
  return found * 1000000 + #s
end

local Node = {}
Node.__index = Node

local function objects(n)
  local sum = 0
  for i = 0, n - 1 do
    local p = setmetatable({x = 0}, Node)
    p.x = i
    sum = sum + p.x
  end
  return sum
end

local function mixed(n)
  counter:reset()
  for i = 0, n - 1 do counter:take(i, 0.5, "abc") end
  return math.floor(counter.total + counter.weight)
end

local function events(n)
  counter:reset()
  for i = 0, n - 1 do counter:fire(i) end
  return counter.total
end

local function sort(n)
  local a = {}
  local x = 12345
  for i = 1, n do
    x = (x * 1103515245 + 12345) % 2147483648
    a[i] = x % 100000
  end
  for i = 2, n do
    local v, j = a[i], i - 1
    while j >= 1 and a[j] > v do
      a[j + 1] = a[j]
      j = j - 1
    end
    a[j + 1] = v
  end
  local sum = 0
  for i = 1, n do sum = sum + a[i] * i end
  return sum
end

local programs = {
  {"fib", fib, 27}, {"loop", loop, 10000000}, {"calls", calls, 1000000},
  {"appends", appends, 1048576}, {"floats", floats, 5000000},
  {"strings", strings, 200000}, {"objects", objects, 1000000},
  {"mixed", mixed, 1000000}, {"events", events, 1000000}, {"sort", sort, 2000},
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
