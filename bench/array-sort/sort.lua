-- Lua's table.sort on the data ArraySortBench sorts: 1,000,000 integers
-- without a comparison function and 100,000 with one. Prints the same lines:
-- name, size, median seconds after a warm-up run (os.clock), check value.
local runs = tonumber(arg[1]) or 3

local function values(n)
  local v, x = {}, 2463534242
  for i = 1, n do
    x = x ~ ((x << 13) & 0xFFFFFFFF)
    x = x ~ (x >> 17)
    x = x ~ ((x << 5) & 0xFFFFFFFF)
    v[i] = x
  end
  return v
end

local function run(name, n, compare)
  local data = values(n)
  local seconds, check = {}, ""
  for r = 0, runs do
    local t = table.move(data, 1, n, 1, {})
    local start = os.clock()
    table.sort(t, compare)
    local s = os.clock() - start
    if r > 0 then seconds[#seconds + 1] = s end
    check = t[n // 4 + 1] .. ":" .. t[n // 2 + 1] .. ":" .. t[3 * n // 4 + 1]
  end
  table.sort(seconds)
  print(string.format("%s %d %.4f %s", name, n, seconds[#seconds // 2 + 1], check))
end

run("plain", 1000000, nil)
run("handler", 100000, function(a, b) return a < b end)
