// The serial path (master, CSerialIO, a pseudo-terminal, the simulator's RTU
// server) per request, against what the same frames cost on a real line: the
// wire time at the line speed plus the master's inter-frame pause. A
// pseudo-terminal moves bytes without line timing, so whatever a request takes
// beyond the pause actually slept is the software's overhead.
#include <benchmark/benchmark.h>

#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "CPlatformTransportFactory.h"
#include "CSimRtuServer.h"
#include "comm/CModbusInterface.h"
#include "comm/ModbusMode.h"
#include "comm/SerialLine.h"

namespace {

constexpr int kReadStart = 32;        // measured values, 50 registers in a row
constexpr int kWriteStart = 6386;     // parameters, written back with what they hold
constexpr int kBitsPerCharacter = 11; // start, 8 data, parity, stop

struct RtuDevice {
    std::unique_ptr<CDeviceSimulator> simulator;
    std::unique_ptr<CSimRtuServer> server;
};

RtuDevice& SharedRtuDevice()
{
    static RtuDevice device = [] {
        SimOptions options;
        options.typeId = kBenchTypeId;
        RtuDevice d;
        d.simulator = std::make_unique<CDeviceSimulator>(options);
        d.server = std::make_unique<CSimRtuServer>(*d.simulator, 1);
        return d;
    }();
    return device;
}

ComSettings RtuSettings(const std::string& path)
{
    ComSettings s;
    s.mode = ConnectionMode::Rs485;
    s.comPortName = s.comPortDisplayName = path;
    s.baudIndex = 5; // 38400
    return s;
}

// Request and response bytes on the wire, CRC included.
std::size_t FrameBytes(bool read, int count)
{
    const auto n = static_cast<std::size_t>(count);
    return read ? 8 + (5 + 2 * n) : (9 + 2 * n) + 8;
}

void SerialRequests(benchmark::State& state, bool read)
{
    InstallPlatformTransports();
    const int count = static_cast<int>(state.range(0));
    const ComSettings settings = RtuSettings(SharedRtuDevice().server->Path());
    const int baud = BaudRateForIndex(settings.baudIndex);
    const int pauseMs = ModbusModeFor(settings).pauseAfterResponseMs;
    std::vector<std::uint16_t> words(static_cast<std::size_t>(count), 0);

    CModbusInterface master(settings);
    // The pause is a sleep, which a busy machine overshoots: time it apart
    // from the exchange so the two are not confused.
    BenchClock::duration slept{};
    master.SetPauseFunction([&slept](int ms) {
        const auto start = BenchClock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        slept += BenchClock::now() - start;
    });
    master.Open();
    try {
        master.ReadHoldingRegisters(read ? kReadStart : kWriteStart, count, words.data());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what()); // the simulated device has no such block
        return;
    }
    std::int64_t requests = 0;
    slept = {};
    const auto start = BenchClock::now();
    for (auto _ : state) {
        if (read)
            master.ReadHoldingRegisters(kReadStart, count, words.data());
        else
            master.WriteMultipleRegisters(kWriteStart, count, words.data());
        ++requests;
    }
    const double perRequestUs = 1e6 * Seconds(BenchClock::now() - start) / double(requests);
    master.Close();

    const double wireUs = 1e6 * double(FrameBytes(read, count) * kBitsPerCharacter) / baud;
    const double pauseUs = 1000.0 * pauseMs;
    const double sleptUs = 1e6 * Seconds(slept) / double(requests);
    const double overheadUs = perRequestUs - sleptUs;
    state.SetItemsProcessed(requests);
    state.counters["wire_us"] = wireUs;
    state.counters["pause_us"] = pauseUs;
    state.counters["pause_overshoot_us"] = sleptUs - pauseUs;
    state.counters["overhead_us"] = overheadUs;
    state.counters["overhead_to_wire"] = overheadUs / wireUs;
    // What a request would take on a real line (wire + pause + overhead) against its floor.
    state.counters["line_to_floor"] = (wireUs + pauseUs + overheadUs) / (wireUs + pauseUs);
}

void BM_RtuRead(benchmark::State& state)
{
    SerialRequests(state, true);
}
void BM_RtuWrite(benchmark::State& state)
{
    SerialRequests(state, false);
}

BENCHMARK(BM_RtuRead)->Arg(10)->Arg(50)->UseRealTime();
BENCHMARK(BM_RtuWrite)->Arg(10)->UseRealTime();

} // namespace
