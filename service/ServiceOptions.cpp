#include "ServiceOptions.h"

#include <charconv>
#include <stdexcept>

namespace kivo::service {

namespace {

long ParseInteger(const std::string& option, const std::string& value, long low, long high)
{
    long n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end != value.data() + value.size() || n < low || n > high)
        throw std::invalid_argument(option + ": expected a whole number from " + std::to_string(low) + " to " +
                                    std::to_string(high) + ", got '" + value + "'");
    return n;
}

double ParseThreshold(const std::string& value)
{
    std::size_t used = 0;
    double t = -1;
    try { t = std::stod(value, &used); } catch (const std::exception&) { used = 0; }
    if (used != value.size() || !(t > 0.0 && t <= 1.0))
        throw std::invalid_argument("--threshold: expected a number above 0 and at most 1, got '" + value + "'");
    return t;
}

std::string ParseDate(const std::string& option, const std::string& value)
{
    const bool shaped = value.size() == 10 && value[4] == '-' && value[7] == '-';
    bool digits = shaped;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) digits = digits && value[i] >= '0' && value[i] <= '9';
    if (!digits) throw std::invalid_argument(option + ": expected a date yyyy-mm-dd, got '" + value + "'");
    return value;
}

}  // namespace

ServiceOptions ParseServiceOptions(const std::vector<std::string>& args)
{
    ServiceOptions o;
    o.lists.folder = SampleListsFolder();
    o.lists.fallbackFolder = SampleListsFolder();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") { o.showHelp = true; continue; }
        if (i + 1 >= args.size()) throw std::invalid_argument(option + ": unknown option or missing value");
        const std::string& value = args[++i];
        if (option == "--address") o.address = value;
        else if (option == "--port") o.port = static_cast<int>(ParseInteger(option, value, 0, 65535));
        else if (option == "--lists") o.lists.folder = value;
        else if (option == "--namespace") o.endpoint.serviceNamespace = value;
        else if (option == "--threshold") o.endpoint.threshold = ParseThreshold(value);
        else if (option == "--max-hits") o.endpoint.maxHits = ParseInteger(option, value, 1, 30000);
        else if (option == "--workers") o.workers = ParseInteger(option, value, 1, 256);
        else if (option == "--max-body") o.maxBodyBytes = ParseInteger(option, value, 1024, 16 * 1024 * 1024);
        else if (option == "--date-ue") o.lists.dates["UE"] = ParseDate(option, value);
        else if (option == "--date-usa") o.lists.dates["USA"] = ParseDate(option, value);
        else if (option == "--date-taleb") o.lists.dates["TALEB"] = ParseDate(option, value);
        else throw std::invalid_argument("unknown option " + option);
    }
    if (o.endpoint.serviceNamespace.empty()) throw std::invalid_argument("--namespace: must not be empty");
    return o;
}

std::string ServiceUsage()
{
    return "usage: kivo-service [options]\n"
           "  --address A        address to listen on (default 127.0.0.1)\n"
           "  --port N           port (default 8731; 0 picks a free one)\n"
           "  --lists DIR        folder with ofac/, un/, eu/; a list missing there comes from the\n"
           "                     shipped samples (default: the shipped samples)\n"
           "  --namespace NS     XML namespace of the operations (default http://kivo.local/ricerca/)\n"
           "  --threshold T      name similarity needed for a hit, 0 < T <= 1 (default 0.90)\n"
           "  --max-hits N       most hits per search (default 200)\n"
           "  --date-ue D, --date-usa D, --date-taleb D\n"
           "                     list dates yyyy-mm-dd, overriding the files (OFAC files carry none)\n"
           "  --workers N        request threads (default 16)\n"
           "  --max-body BYTES   largest request body accepted (default 65536)\n"
           "Signals: SIGHUP reloads the lists, SIGTERM or SIGINT stops after the requests in progress.\n";
}

}  // namespace kivo::service
