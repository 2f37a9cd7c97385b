#include "SimCommandLine.h"

#include <charconv>
#include <functional>
#include <map>
#include <stdexcept>

namespace {

long long Number(const std::string& option, const std::string& text, long long min, long long max)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || p != end || value < min || value > max)
        throw std::invalid_argument(option + ": expected a number " + std::to_string(min) + "-" +
                                    std::to_string(max) + ", got '" + text + "'");
    return value;
}

int Int(const std::string& option, const std::string& text, int min, int max)
{
    return static_cast<int>(Number(option, text, min, max));
}

// "HOST:PORT", "[V6]:PORT"
void ParseEndpoint(const std::string& text, SimCommandLine& cl)
{
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        throw std::invalid_argument("--tcp: expected HOST:PORT, got '" + text + "'");
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    cl.host = host;
    cl.port = Int("--tcp", text.substr(colon + 1), 0, 65535);
    cl.tcp = true;
}

void ParseException(const std::string& text, SimFaults& f)
{
    const auto colon = text.find(':');
    f.exceptionAddress = Int("--exception-at", text.substr(0, colon), 0, 65535);
    if (colon != std::string::npos)
        f.exceptionCode = Int("--exception-at", text.substr(colon + 1), 1, 255);
}

using Setter = std::function<void(SimCommandLine&, const std::string&)>;

const std::map<std::string, Setter>& ValueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"--type", [](auto& c, auto& v) { c.options.typeId = Int("--type", v, 0, 85); }},
        {"--tcp", [](auto& c, auto& v) { ParseEndpoint(v, c); }},
        {"--unit", [](auto& c, auto& v) { c.options.unit = Int("--unit", v, 1, 247); }},
        {"--word-order",
         [](auto& c, auto& v) { c.options.wordOrder = Int("--word-order", v, 0, 1); }},
        {"--passcode",
         [](auto& c, auto& v) {
             c.options.passcode = static_cast<std::uint32_t>(Number("--passcode", v, 0, 999999999));
         }},
        {"--firmware",
         [](auto& c, auto& v) { c.options.firmware = Int("--firmware", v, 0, 65535); }},
        {"--dip", [](auto& c, auto& v) { c.options.dipSwitch = Int("--dip", v, 0, 1); }},
        {"--restart-silence",
         [](auto& c, auto& v) {
             c.options.restartSilenceMs = Int("--restart-silence", v, 0, 600000);
         }},
        {"--log", [](auto& c, auto& v) { c.logPath = v; }},
        {"--delay",
         [](auto& c, auto& v) { c.options.faults.delayMs = Int("--delay", v, 0, 600000); }},
        {"--drop-every",
         [](auto& c, auto& v) { c.options.faults.dropEvery = Int("--drop-every", v, 1, 1 << 30); }},
        {"--bad-crc-every",
         [](auto& c, auto& v) {
             c.options.faults.badCrcEvery = Int("--bad-crc-every", v, 1, 1 << 30);
         }},
        {"--wrong-tid-every",
         [](auto& c, auto& v) {
             c.options.faults.wrongTransactionEvery = Int("--wrong-tid-every", v, 1, 1 << 30);
         }},
        {"--exception-at", [](auto& c, auto& v) { ParseException(v, c.options.faults); }},
        {"--memory",
         [](auto& c, auto& v) {
             const auto colon = v.find(':');
             if (colon == std::string::npos)
                 throw std::invalid_argument("--memory takes FIRST:COUNT");
             c.options.memoryBlocks.emplace_back(Int("--memory", v.substr(0, colon), 0, 65535),
                                                 Int("--memory", v.substr(colon + 1), 1, 65536));
         }},
        {"--split-tcp",
         [](auto& c, auto& v) { c.options.faults.splitBytes = Int("--split-tcp", v, 1, 260); }},
        {"--disconnect-after",
         [](auto& c, auto& v) {
             c.options.faults.disconnectAfter = Int("--disconnect-after", v, 1, 1 << 30);
         }},
        {"--hang-up-after",
         [](auto& c, auto& v) {
             c.options.faults.hangUpAfter = Int("--hang-up-after", v, 1, 1 << 30);
         }},
    };
    return options;
}

} // namespace

SimCommandLine ParseSimCommandLine(const std::vector<std::string>& args)
{
    SimCommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.help = true;
            return cl;
        }
        if (a == "--rtu") {
            cl.rtu = true;
            continue;
        }
        const auto it = ValueOptions().find(a);
        if (it == ValueOptions().end())
            throw std::invalid_argument("unknown argument '" + a + "'");
        if (i + 1 >= args.size())
            throw std::invalid_argument(a + " needs a value");
        it->second(cl, args[++i]);
    }
    if (cl.options.typeId < 0)
        throw std::invalid_argument("--type is required");
    if (!cl.tcp && !cl.rtu)
        cl.tcp = true; // loopback, a free port
    return cl;
}

const char* SimUsage()
{
    return "usage: ormel-devsim --type ID [--tcp HOST:PORT] [--rtu] [--unit N]\n"
           "                    [--word-order 0|1] [--passcode N] [--firmware N] [--dip 0|1]\n"
           "                    [--restart-silence MS] [--log FILE] [fault options]\n"
           "Simulates one device of catalogue type ID (0-85). Modbus/TCP listens on HOST:PORT\n"
           "only (default 127.0.0.1:0, port 0 = a free port); --rtu serves Modbus-RTU on a\n"
           "pseudo-terminal. Prints 'tcp HOST:PORT' and/or 'rtu PATH' when ready and runs\n"
           "until SIGTERM or SIGINT.\n"
           "fault options:\n"
           "  --delay MS             answer every request MS milliseconds late\n"
           "  --drop-every K         leave every K-th request unanswered\n"
           "  --bad-crc-every K      RTU: every K-th answer with a wrong CRC\n"
           "  --wrong-tid-every K    TCP: every K-th answer with another transaction id\n"
           "  --memory FIRST:COUNT   plain registers beyond the variant's own (load tests)\n"
           "  --exception-at A[:C]   exception C (default 4) for requests covering register A\n"
           "  --split-tcp N          TCP: send answers in segments of N bytes\n"
           "  --disconnect-after N   TCP: close each connection after N requests;\n"
           "                         RTU: fall silent after N requests\n"
           "  --hang-up-after N      TCP: reset each connection at request N+1;\n"
           "                         RTU: close the pseudo-terminal at request N+1\n";
}
