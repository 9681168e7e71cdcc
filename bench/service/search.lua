-- wrk script: cerca_indice requests cycling through hitting and non-hitting names.
local names = {
  "AYMAN AL ZAWAHIRI", "ZAWAHIRI AYMAN", "OSAMA BIN LADEN", "USAMA BIN LADIN", "AYMAN ZAWAHRI",
  "SEIF AL ADEL", "MICHELE ZAGARIA", "BANCO NACIONAL DE CUBA", "MUHAMMAD SALAHALDIN ZIDANE", "1084010",
  "MOHAMMED ALI HASSAN", "ABU BAKR AL BAGHDADI",
  "MARIO ROSSI", "GIUSEPPE RUSSO", "ANTONIO ESPOSITO", "GIOVANNI BIANCHI", "FRANCESCO ROMANO",
  "MARIA COLOMBO", "ANNA RICCI", "LUCA MARINO", "STEFANO DE LUCA", "ALESSANDRO MANCINI",
  "GIUSEPPINA FERRARA", "RICCARDO DE SANTIS",
}
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
