-- wrk script: cerca_indice requests cycling through the names of queries.txt (set
-- KIVO_BENCH_QUERIES to its path).
local names = {}
for line in io.lines(os.getenv("KIVO_BENCH_QUERIES") or "queries.txt") do
  if line ~= "" then names[#names + 1] = line end
end
local bodies = {}
for i, name in ipairs(names) do
  bodies[i] = '<?xml version="1.0" encoding="utf-8"?>\n' ..
    '<soap12:Envelope xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:soap12="http://www.w3.org/2003/05/soap-envelope">\n' ..
    '<soap12:Body>\n<cerca_indice xmlns="http://kivo.local/ricerca/">\n<ric_str>' .. name .. '</ric_str>\n</cerca_indice>\n</soap12:Body>\n</soap12:Envelope>\n'
end
local n = 0
request = function()
  n = n + 1
  return wrk.format("POST", "/ask_kivo.asmx", {["Content-Type"] = "application/soap+xml; charset=utf-8"}, bodies[(n % #bodies) + 1])
end
done = function(summary, latency, requests)
  io.write(string.format("wrk: %d requests, %.0f requests/s, p50 %.3f ms, p99 %.3f ms, %d errors\n",
    summary.requests, summary.requests / (summary.duration / 1e6),
    latency:percentile(50) / 1000, latency:percentile(99) / 1000,
    summary.errors.status + summary.errors.connect + summary.errors.read + summary.errors.write + summary.errors.timeout))
end
