#include "CliCommandLine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <regex>
#include <set>

#include "device/DeviceTypeRecord.h"
#include "device/PasscodeRules.h"

namespace {

constexpr std::array<int, 6> kBaudRates = {1200, 2400, 4800, 9600, 19200, 38400};

long long Number(const std::string& option, const std::string& text, long long min, long long max)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || p != end || value < min || value > max)
        throw CliUsageError(option + ": expected a number " + std::to_string(min) + "-" +
                            std::to_string(max) + ", got '" + text + "'");
    return value;
}

int Choice(const std::string& option, const std::string& text,
           const std::vector<std::string>& choices)
{
    const auto it = std::find(choices.begin(), choices.end(), text);
    if (it == choices.end()) {
        std::string list;
        for (const auto& c : choices)
            list += (list.empty() ? "" : "|") + c;
        throw CliUsageError(option + ": expected " + list + ", got '" + text + "'");
    }
    return static_cast<int>(it - choices.begin());
}

// "HOST", "HOST:PORT", "[V6]:PORT"; a bare address with several colons is all host.
void ParseTcpEndpoint(const std::string& text, ComSettings& s)
{
    std::string host = text, port = "502";
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string::npos)
            throw CliUsageError("--tcp: missing ']' in '" + text + "'");
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':')
                throw CliUsageError("--tcp: expected [HOST]:PORT, got '" + text + "'");
            port = text.substr(close + 2);
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        const auto colon = text.find(':');
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (host.empty())
        throw CliUsageError("--tcp: no host in '" + text + "'");
    port = std::to_string(Number("--tcp", port, 1, 65535));
    s.mode = ConnectionMode::Tcp;
    s.serverAddress = host;
    s.servicePort = port;
}

// Collected first and applied once the whole line is known: the serial mode
// decides which port field the path goes to and whether line options apply.
struct RawConnection {
    std::optional<std::string> tcp;
    std::optional<std::string> serial;
    std::optional<std::string> mode;
    std::optional<std::string> baud;
    std::optional<std::string> parity;
    std::optional<std::string> stop;
    std::optional<std::string> unit;
};

void ApplySerial(const RawConnection& raw, ComSettings& s)
{
    const int mode = raw.mode ? Choice("--mode", *raw.mode, {"rs485", "config", "ir"}) : 0;
    const std::string& path = *raw.serial;
    if (path.empty())
        throw CliUsageError("--serial: empty port path");
    if (mode == 0) {
        s.mode = ConnectionMode::Rs485;
        s.comPortName = s.comPortDisplayName = path;
        return;
    }
    // CONFIG and infrared run on fixed lines with unit id 1.
    for (const auto& [given, name] : {std::pair{raw.baud, "--baud"},
                                      {raw.parity, "--parity"},
                                      {raw.stop, "--stop"},
                                      {raw.unit, "--unit"}})
        if (given)
            throw CliUsageError(std::string(name) + " applies to --mode rs485 and --tcp only");
    if (mode == 1) {
        s.mode = ConnectionMode::Config;
        s.configPortName = s.configPortDisplayName = path;
    } else {
        s.mode = ConnectionMode::Infrared;
        s.irPortName = s.irPortDisplayName = path;
    }
}

void ApplyLine(const RawConnection& raw, ComSettings& s)
{
    if (raw.baud) {
        const int baud = static_cast<int>(Number("--baud", *raw.baud, 1, 1 << 30));
        const auto it = std::find(kBaudRates.begin(), kBaudRates.end(), baud);
        if (it == kBaudRates.end())
            throw CliUsageError("--baud: expected 1200, 2400, 4800, 9600, 19200 or 38400, got '" +
                                *raw.baud + "'");
        s.baudIndex = static_cast<int>(it - kBaudRates.begin());
    }
    if (raw.parity)
        s.parity =
            static_cast<SerialParity>(Choice("--parity", *raw.parity, {"none", "odd", "even"}));
    if (raw.stop)
        s.stopIndex = Choice("--stop", *raw.stop, {"1", "2"});
}

bool ApplyConnection(const RawConnection& raw, ComSettings& s)
{
    if (raw.tcp && raw.serial)
        throw CliUsageError("--tcp and --serial exclude each other");
    if (raw.tcp) {
        for (const auto& [given, name] : {std::pair{raw.mode, "--mode"},
                                          {raw.baud, "--baud"},
                                          {raw.parity, "--parity"},
                                          {raw.stop, "--stop"}})
            if (given)
                throw CliUsageError(std::string(name) + " applies to --serial only");
        ParseTcpEndpoint(*raw.tcp, s);
    } else if (raw.serial) {
        ApplySerial(raw, s);
        ApplyLine(raw, s);
    } else {
        if (raw.mode || raw.baud || raw.parity || raw.stop || raw.unit)
            throw CliUsageError("connection options need --tcp or --serial");
        return false;
    }
    if (raw.unit)
        s.address = static_cast<int>(Number("--unit", *raw.unit, 1, 247));
    return true;
}

struct Parser {
    CliOptions o;
    RawConnection raw;
    std::optional<std::string> command;
    std::optional<std::string> resetTarget;
    std::set<std::string> commandOptions; // given, for the check against the command
};

using Setter = std::function<void(Parser&, const std::string&)>;

const std::map<std::string, Setter>& ConnectionOptions()
{
    static const std::map<std::string, Setter> options = {
        {"--tcp", [](Parser& p, const std::string& v) { p.raw.tcp = v; }},
        {"--serial", [](Parser& p, const std::string& v) { p.raw.serial = v; }},
        {"--mode", [](Parser& p, const std::string& v) { p.raw.mode = v; }},
        {"--baud", [](Parser& p, const std::string& v) { p.raw.baud = v; }},
        {"--parity", [](Parser& p, const std::string& v) { p.raw.parity = v; }},
        {"--stop", [](Parser& p, const std::string& v) { p.raw.stop = v; }},
        {"--unit", [](Parser& p, const std::string& v) { p.raw.unit = v; }},
    };
    return options;
}

void SetCompare(Parser& p, CliCompareSource source)
{
    if (p.o.compare != CliCompareSource::None && p.o.compare != source)
        throw CliUsageError("--compare-file and --compare-device exclude each other");
    p.o.compare = source;
}

std::vector<CliCircuit> ParseCircuits(const std::string& text)
{
    static const std::map<std::string, CliCircuit> names = {
        {"A", CliCircuit::A}, {"B", CliCircuit::B},           {"C", CliCircuit::C},
        {"D", CliCircuit::D}, {"common", CliCircuit::Common},
    };
    std::vector<CliCircuit> circuits;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        std::string name = text.substr(from, comma - from);
        if (name.size() == 1)
            name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        const auto it = names.find(name);
        if (it == names.end())
            throw CliUsageError("--circuits: expected a list of A, B, C, D and common, got '" +
                                text + "'");
        circuits.push_back(it->second);
        from = comma + 1;
    }
    return circuits;
}

// YYYY-MM-DDTHH:MM:SS, checked as the clock dialog checks its fields.
DeviceDateTime ParseDateTime(const std::string& text)
{
    static const std::regex format(R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2}))");
    std::smatch m;
    if (!std::regex_match(text, m, format))
        throw CliUsageError("--set: expected YYYY-MM-DDTHH:MM:SS, got '" + text + "'");
    const DateInputResult r = ReadDateEdits({m[1], m[2], m[3], m[4], m[5], m[6]});
    if (!r.value)
        throw CliUsageError("--set: " + r.error + " ('" + text + "')");
    return *r.value;
}

const std::map<std::string, Setter>& CommandValueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"-i", [](Parser& p, const std::string& v) { p.o.inputPath = v; }},
        {"-o", [](Parser& p, const std::string& v) { p.o.outputPath = v; }},
        {"--passcode",
         [](Parser& p, const std::string& v) {
             p.o.passcode =
                 static_cast<std::uint32_t>(Number("--passcode", v, 1, kMaxModbusPasscode));
         }},
        {"--type",
         [](Parser& p, const std::string& v) {
             p.o.typeId = static_cast<int>(Number("--type", v, 0, kDeviceTypeCount - 1));
             if (!CatalogueRecordOfTypeId(p.o.typeId))
                 throw CliUsageError("--type: no device type " + v);
         }},
        {"--compare-file",
         [](Parser& p, const std::string& v) {
             SetCompare(p, CliCompareSource::File);
             p.o.compareFile = v;
         }},
        {"--csv", [](Parser& p, const std::string& v) { p.o.csvPath = v; }},
        {"--channel",
         [](Parser& p, const std::string& v) {
             p.o.channel = static_cast<int>(Number("--channel", v, 1, 16));
         }},
        {"--circuits", [](Parser& p, const std::string& v) { p.o.circuits = ParseCircuits(v); }},
        {"--set", [](Parser& p, const std::string& v) { p.o.clockSet = ParseDateTime(v); }},
        {"--tag", [](Parser& p, const std::string& v) { p.o.tag = v; }},
        {"--count",
         [](Parser& p, const std::string& v) { p.o.count = Number("--count", v, 1, 1LL << 40); }},
        {"--interval-ms",
         [](Parser& p, const std::string& v) {
             p.o.intervalMs = static_cast<int>(Number("--interval-ms", v, 0, 86400000));
         }},
        {"--detail",
         [](Parser& p, const std::string& v) {
             p.o.detail = static_cast<int>(Number("--detail", v, 1, 16));
         }},
    };
    return options;
}

// Which command options each command takes; the first group is required.
struct CommandSpec {
    CliCommand command;
    std::vector<std::string> required;
    std::vector<std::string> optional;
    bool needsConnection;
};

const std::map<std::string, CommandSpec>& Commands()
{
    static const std::map<std::string, CommandSpec> commands = {
        {"identify", {CliCommand::Identify, {}, {}, true}},
        {"upload", {CliCommand::Upload, {"-o"}, {}, true}},
        {"download", {CliCommand::Download, {"-i"}, {"--passcode", "--verify"}, true}},
        {"defaults", {CliCommand::Defaults, {"--type", "-o"}, {}, false}},
        {"report",
         {CliCommand::Report,
          {"-i"},
          {"--compare-file", "--compare-device", "--csv", "--show-unable"},
          false}},
        {"reset",
         {CliCommand::Reset, {}, {"--channel", "--circuits", "--passcode", "--yes"}, true}},
        {"clock", {CliCommand::Clock, {}, {"--set", "--sync", "--passcode", "--yes"}, true}},
        {"info", {CliCommand::Info, {}, {"--tag", "--passcode", "--yes"}, true}},
        {"monitor",
         {CliCommand::Monitor,
          {},
          {"--channel", "--count", "--interval-ms", "--csv", "--detail"},
          true}},
    };
    return commands;
}

void Consume(Parser& p, const std::vector<std::string>& args, std::size_t& i)
{
    const std::string& a = args[i];
    const auto value = [&]() -> const std::string& {
        if (i + 1 >= args.size())
            throw CliUsageError(a + " needs a value");
        return args[++i];
    };
    if (const auto it = ConnectionOptions().find(a); it != ConnectionOptions().end()) {
        it->second(p, value());
    } else if (const auto c = CommandValueOptions().find(a); c != CommandValueOptions().end()) {
        p.commandOptions.insert(a);
        c->second(p, value());
    } else if (a == "--compare-device") {
        p.commandOptions.insert(a);
        SetCompare(p, CliCompareSource::Device);
    } else if (a == "--show-unable") {
        p.commandOptions.insert(a);
        p.o.showUnable = true;
    } else if (a == "--verify") {
        p.commandOptions.insert(a);
        p.o.verify = true;
    } else if (a == "--sync" || a == "--yes") {
        p.commandOptions.insert(a);
        (a == "--sync" ? p.o.clockSync : p.o.yes) = true;
    } else if (a == "--verbose" || a == "-v") {
        p.o.verbose = true;
    } else if (a.size() > 1 && a[0] == '-') {
        throw CliUsageError("unknown option '" + a + "'");
    } else if (p.command == "reset" && !p.resetTarget) {
        p.resetTarget = a;
    } else if (p.command) {
        throw CliUsageError("unexpected argument '" + a + "'");
    } else {
        p.command = a;
    }
}

void CheckCommand(Parser& p)
{
    if (!p.command)
        throw CliUsageError("no command given");
    const auto it = Commands().find(*p.command);
    if (it == Commands().end())
        throw CliUsageError("unknown command '" + *p.command + "'");
    const CommandSpec& spec = it->second;
    p.o.command = spec.command;
    for (const auto& option : p.commandOptions)
        if (std::find(spec.required.begin(), spec.required.end(), option) == spec.required.end() &&
            std::find(spec.optional.begin(), spec.optional.end(), option) == spec.optional.end())
            throw CliUsageError(option + " is not an option of " + *p.command);
    for (const auto& option : spec.required)
        if (!p.commandOptions.count(option))
            throw CliUsageError(*p.command + " needs " + option);
    if (spec.command == CliCommand::Reset) {
        if (!p.resetTarget)
            throw CliUsageError("reset needs energy, maxmin, demand, counter or alarm");
        p.o.resetTarget = static_cast<CliResetTarget>(
            Choice("reset", *p.resetTarget, {"energy", "maxmin", "demand", "counter", "alarm"}));
    }
    if (p.o.clockSet && p.o.clockSync)
        throw CliUsageError("--set and --sync exclude each other");
    const bool needsConnection = spec.needsConnection || p.o.compare == CliCompareSource::Device;
    if (needsConnection && !p.o.connectionGiven)
        throw CliUsageError(*p.command + " needs --tcp or --serial");
}

} // namespace

CliOptions ParseCliCommandLine(const std::vector<std::string>& args)
{
    Parser p;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            p.o.help = true;
            return p.o;
        }
        Consume(p, args, i);
    }
    p.o.connectionGiven = ApplyConnection(p.raw, p.o.connection);
    CheckCommand(p);
    return p.o;
}

const char* CliUsage()
{
    return "usage: ormel-cli [connection options] COMMAND [command options] [--verbose]\n"
           "connection options:\n"
           "  --tcp HOST[:PORT]          Modbus/TCP (default port 502)\n"
           "  --serial PATH              Modbus-RTU on a serial port\n"
           "  --mode rs485|config|ir     serial connection mode (default rs485)\n"
           "  --baud N                   rs485: 1200-38400 (default 38400)\n"
           "  --parity none|odd|even     rs485 (default odd)\n"
           "  --stop 1|2                 rs485 (default 1)\n"
           "  --unit N                   rs485 and tcp: unit id 1-247 (default 1)\n"
           "commands:\n"
           "  identify                   print the identity of the connected device\n"
           "  upload -o FILE.cfg         read the device's parameter set into a file\n"
           "  download -i FILE.cfg [--passcode N] [--verify]\n"
           "                             write a file's parameter set into the device;\n"
           "                             asks for the Modbus passcode when the device is\n"
           "                             protected and none is given; --verify reads the\n"
           "                             written words back and prints the rows that\n"
           "                             differ (exit status 1)\n"
           "  defaults --type ID -o FILE.cfg\n"
           "                             write the default parameter set of type ID (0-85)\n"
           "  report -i FILE.cfg [--compare-file FILE2.cfg | --compare-device]\n"
           "         [--csv OUT.csv] [--show-unable]\n"
           "                             print the parameter report, optionally compared\n"
           "                             with a file or the connected device\n"
           "  reset energy|maxmin|demand|counter|alarm [--channel N] [--circuits LIST]\n"
           "        [--passcode N] [--yes]\n"
           "                             reset counters or values, or clear the alarm, as\n"
           "                             the Utility window does; --channel 2 resets the\n"
           "                             second input, on QH devices --channel 1-16 is the\n"
           "                             channel (energy and maxmin only); --circuits picks\n"
           "                             ZN circuits from A,B,C,D (and common for maxmin)\n"
           "  clock [--set YYYY-MM-DDTHH:MM:SS | --sync] [--passcode N] [--yes]\n"
           "                             print the clock of a QH device, after setting it\n"
           "                             to the given time or the PC's time\n"
           "  info [--tag TEXT] [--passcode N] [--yes]\n"
           "                             print the device information rows; --tag writes\n"
           "                             a new tag number first\n"
           "  commands that change the device ask \"Are you sure?\" on the terminal;\n"
           "  --yes answers it, and without a terminal they need it\n"
           "  monitor [--channel 1|2] [--count N] [--interval-ms MS] [--csv FILE]\n"
           "          [--detail CH]\n"
           "                             print the values of the monitor window once a\n"
           "                             cycle (default every 1000 ms, 0 = at once) until\n"
           "                             interrupted or N cycles; --csv appends a row per\n"
           "                             cycle with the local time; on QH devices the\n"
           "                             basic module, then the extension module or the\n"
           "                             pulse inputs; --detail CH prints the detail\n"
           "                             window of QH channel CH (1-16) instead\n"
           "  --verbose                  print the Modbus requests on stderr\n"
           "exit status: 0 success, 1 device, file or communication error, 2 usage error\n"
           "or a command the device does not offer\n";
}
