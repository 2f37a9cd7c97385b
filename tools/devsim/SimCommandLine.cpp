#include "SimCommandLine.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>

#include "SimBcdClock.h"
#include "device/DeviceTypeRecord.h"

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

double Decimal(const std::string& option, const std::string& text, double min, double max)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || p != end || value < min || value > max)
        throw std::invalid_argument(option + ": expected a number " + std::to_string(min) + "-" +
                                    std::to_string(max) + ", got '" + text + "'");
    return value;
}

std::array<std::uint16_t, 5> IoWordsOf(const std::string& text)
{
    std::array<std::uint16_t, 5> words{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto comma = text.find(',', at);
        if ((comma == std::string::npos) != (i + 1 == words.size()))
            throw std::invalid_argument("--io: expected five words W1,W2,W3,W4,W5");
        words[i] = static_cast<std::uint16_t>(Int(
            "--io", text.substr(at, comma == std::string::npos ? comma : comma - at), 0, 65535));
        at = comma + 1;
    }
    return words;
}

// "YYYY-MM-DD HH:MM:SS" (or with a T between date and time), years 2000-2099.
std::int64_t ClockOf(const std::string& text)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char separator = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%n", &y, &mo, &d, &separator, &h, &mi,
                    &s, &used) != 7 ||
        used != static_cast<int>(text.size()) || (separator != ' ' && separator != 'T') ||
        y < 2000 || y > 2099)
        throw std::invalid_argument("--clock: expected YYYY-MM-DD HH:MM:SS, got '" + text + "'");
    auto bcd = [](int v) { return v < 0 || v > 99 ? 0xFF : ((v / 10) << 4) | (v % 10); };
    const SimClockWords words = {static_cast<std::uint16_t>((bcd(y - 2000) << 8) | bcd(mo)),
                                 static_cast<std::uint16_t>((bcd(d) << 8) | bcd(h)),
                                 static_cast<std::uint16_t>((bcd(mi) << 8) | bcd(s))};
    const auto t = SimDecodeClock(words);
    if (!t)
        throw std::invalid_argument("--clock: no such date or time '" + text + "'");
    return *t;
}

using Setter = std::function<void(SimCommandLine&, const std::string&)>;
using Flag = std::function<void(SimCommandLine&)>;

const std::map<std::string, Flag>& FlagOptions()
{
    static const std::map<std::string, Flag> flags = {
        {"--rtu", [](auto& c) { c.rtu = true; }},
        {"--lead", [](auto& c) { c.options.scenario.leading = true; }},
        {"--simple-measurement", [](auto& c) { c.options.scenario.simpleMeasurement = true; }},
        {"--fixed-outputs", [](auto& c) { c.options.scenario.fixedOutputs = true; }},
        {"--alt-io", [](auto& c) { c.options.alternativeIo = true; }},
        {"--installation",
         [](auto& c) {
             SimScenario& s = c.options.scenario;
             s.wiring = s.wiring < 0 ? 5 : s.wiring;
             s.primaryCurrent = s.primaryCurrent < 0 ? 100 : s.primaryCurrent;
             s.primaryVoltage = s.primaryVoltage < 0 ? 400 : s.primaryVoltage;
             s.tag = s.tag.empty() ? "LV-MAIN-01" : s.tag;
         }},
    };
    return flags;
}

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
        {"--ignore-write-at",
         [](auto& c, auto& v) {
             c.options.faults.ignoreWriteAddress = Int("--ignore-write-at", v, 0, 65535);
         }},
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
        {"--wiring",
         [](auto& c, auto& v) { c.options.scenario.wiring = Int("--wiring", v, 0, 17); }},
        {"--current",
         [](auto& c, auto& v) {
             c.options.scenario.primaryCurrent = Int("--current", v, 1, 20000);
         }},
        {"--voltage",
         [](auto& c, auto& v) {
             c.options.scenario.primaryVoltage = Int("--voltage", v, 50, 400000);
         }},
        {"--frequency",
         [](auto& c, auto& v) { c.options.scenario.frequency = Int("--frequency", v, 50, 60); }},
        {"--power-factor",
         [](auto& c, auto& v) {
             c.options.scenario.powerFactor = Decimal("--power-factor", v, 0.3, 1.0);
         }},
        {"--load",
         [](auto& c, auto& v) { c.options.scenario.load = Decimal("--load", v, 0, 120) / 100; }},
        {"--tag", [](auto& c, auto& v) { c.options.scenario.tag = v; }},
        {"--serial", [](auto& c, auto& v) { c.options.scenario.serial = v; }},
        {"--loop-test",
         [](auto& c, auto& v) {
             c.options.scenario.loopTestChannels.push_back(Int("--loop-test", v, 1, 16));
         }},
        {"--clock", [](auto& c, auto& v) { c.options.scenario.clockStart = ClockOf(v); }},
        {"--io", [](auto& c, auto& v) { c.options.ioWords = IoWordsOf(v); }},
        {"--channels", [](auto& c, auto& v) { c.channels = Int("--channels", v, 0, 65535); }},
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
        if (const auto flag = FlagOptions().find(a); flag != FlagOptions().end()) {
            flag->second(cl);
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
    if (cl.options.scenario.frequency != 50 && cl.options.scenario.frequency != 60)
        throw std::invalid_argument("--frequency: expected 50 or 60");
    if (cl.options.scenario.tag.size() > 16)
        throw std::invalid_argument("--tag: at most 16 bytes");
    if (cl.options.scenario.serial.size() > 8)
        throw std::invalid_argument("--serial: at most 8 characters");
    if (cl.channels >= 0) {
        const DeviceTypeRecord* row = CatalogueRecordOfTypeId(cl.options.typeId);
        std::array<std::uint16_t, 5> io = cl.options.ioWords.value_or(
            cl.options.alternativeIo && row->HasAlternativeIo() ? row->altIoWords : row->ioWords);
        io[3] = static_cast<std::uint16_t>(cl.channels);
        cl.options.ioWords = io;
    }
    if (!cl.tcp && !cl.rtu)
        cl.tcp = true; // loopback, a free port
    return cl;
}

const char* SimUsage()
{
    return "usage: ormel-devsim --type ID [--tcp HOST:PORT] [--rtu] [--unit N]\n"
           "                    [--word-order 0|1] [--passcode N] [--firmware N] [--dip 0|1]\n"
           "                    [--restart-silence MS] [--log FILE] [scenario options]\n"
           "                    [fault options]\n"
           "Simulates one device of catalogue type ID (0-85). Modbus/TCP listens on HOST:PORT\n"
           "only (default 127.0.0.1:0, port 0 = a free port); --rtu serves Modbus-RTU on a\n"
           "pseudo-terminal. Prints 'tcp HOST:PORT' and/or 'rtu PATH' when ready and runs\n"
           "until SIGTERM or SIGINT. --passcode N protects the device with Modbus passcode N.\n"
           "scenario options (settings are written into the device's parameter registers):\n"
           "  --installation         3-phase 4-wire 400 V, 100 A CTs, tag LV-MAIN-01\n"
           "                         (options given alongside take precedence)\n"
           "  --wiring N             wiring system (register 5600, QH 9040): 0-6, ZN also 16, 17\n"
           "  --current A            primary current of every input, 1-20000 (user-defined CTs)\n"
           "  --voltage V            primary voltage between the outer conductors, 50-400000\n"
           "  --frequency 50|60      supply frequency (default 50)\n"
           "  --power-factor PF      mean power factor of the loads, 0.3-1 (default 0.92)\n"
           "  --lead                 the loads are capacitive (leading power factor)\n"
           "  --load PERCENT         mean current in % of the rating, 0-120 (default 55)\n"
           "  --simple-measurement   ZM/ZN: simple measurement at the power factor above\n"
           "  --tag TEXT             tag number, at most 16 bytes\n"
           "  --serial TEXT          serial number, at most 8 characters\n"
           "  --clock 'Y-M-D h:m:s'  device clock at start (default: local time)\n"
           "  --loop-test CH         start with channel CH (1-16) in loop test; repeatable\n"
           "  --fixed-outputs        start with the analog outputs fixed\n"
           "  --alt-io               report the variant's alternative I/O words\n"
           "                         (QG: 2 inputs with 8 counters; QH: 8 pulse inputs)\n"
           "  --io W1,W2,W3,W4,W5    report these I/O words (the catalogue may not know them)\n"
           "  --channels N           report N as I/O word 4 (QH: measuring channels)\n"
           "fault options:\n"
           "  --delay MS             answer every request MS milliseconds late\n"
           "  --drop-every K         leave every K-th request unanswered\n"
           "  --bad-crc-every K      RTU: every K-th answer with a wrong CRC\n"
           "  --wrong-tid-every K    TCP: every K-th answer with another transaction id\n"
           "  --memory FIRST:COUNT   plain registers beyond the variant's own (load tests)\n"
           "  --exception-at A[:C]   exception C (default 4) for requests covering register A\n"
           "  --ignore-write-at A    acknowledge writes covering register A but keep its value\n"
           "  --split-tcp N          TCP: send answers in segments of N bytes\n"
           "  --disconnect-after N   TCP: close each connection after N requests;\n"
           "                         RTU: fall silent after N requests\n"
           "  --hang-up-after N      TCP: reset each connection at request N+1;\n"
           "                         RTU: close the pseudo-terminal at request N+1\n";
}
