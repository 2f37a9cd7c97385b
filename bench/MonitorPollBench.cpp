// The standard monitor's poll cycle: one full turn runs every tab's commands
// (1-10) through the monitor worker, each opening and closing the connection
// as the device protocol of the monitor demands, and waits for each command's
// notification before posting the next, as the window does.
//
// Modbus/TCP: turns per second against the same requests sent by a raw
// socket client on one connection (the turn also makes ten connections). Modbus-RTU over a
// pseudo-terminal at 38400 baud: the turn as it would take on a real line
// (wire time + the master's time beyond the pauses it slept) against its
// floor, requests x (wire time of request and response + inter-frame pause).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <semaphore>
#include <stdexcept>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "CPlatformTransportFactory.h"
#include "CSimRtuServer.h"
#include "background/CObserver.h"
#include "comm/CModbusInterface.h"
#include "comm/ModbusMode.h"
#include "comm/SerialLine.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorWorker.h"

namespace {

// KTA with two analog outputs: every command but 9 (no counters) reads.
constexpr int kMonitorTypeId = 73;
constexpr int kBitsPerCharacter = 11; // start, 8 data, parity, stop
constexpr PollCommand kFullTurn[] = {
    PollCommand::DeviceInformation, PollCommand::InstantaneousAndDemand,
    PollCommand::Maximum,           PollCommand::Minimum,
    PollCommand::EnergyHighTariff,  PollCommand::EnergyLowTariff,
    PollCommand::Counters,          PollCommand::Thd,
    PollCommand::Spectrum,          PollCommand::AnalogOutputs,
};

struct MonitorDevice {
    std::unique_ptr<CDeviceSimulator> simulator;
    std::unique_ptr<CSimTcpServer> tcp;
    std::unique_ptr<CSimRtuServer> rtu;
};

MonitorDevice& SharedMonitorDevice()
{
    static MonitorDevice device = [] {
        SimOptions options;
        options.typeId = kMonitorTypeId;
        MonitorDevice d;
        d.simulator = std::make_unique<CDeviceSimulator>(options);
        d.tcp = std::make_unique<CSimTcpServer>(*d.simulator, "127.0.0.1", 0);
        d.rtu = std::make_unique<CSimRtuServer>(*d.simulator, 1);
        return d;
    }();
    return device;
}

// Lets the benchmark thread wait for each finished command.
class CommandDone : public CObserver {
public:
    void Update(CObservable*) override { done.release(); }
    std::counting_semaphore<64> done{0};
};

// The monitor worker of a window, started, with its image observed.
struct RunningMonitor {
    explicit RunningMonitor(const ComSettings& settings) : master(settings), worker(image, master)
    {
        image.Attach(finished);
    }
    ~RunningMonitor()
    {
        worker.Close();
        image.Detach(finished);
    }
    void Start() { worker.Start(); }
    // One full turn; false when a command failed.
    bool Turn()
    {
        for (const PollCommand c : kFullTurn) {
            worker.Post(c, 0);
            finished.done.acquire();
            if (worker.HasError())
                return false;
        }
        return true;
    }
    // The reads of each command of one turn, as the device saw them.
    std::vector<std::vector<SimRequestRecord>> RecordTurn(CDeviceSimulator& sim)
    {
        std::vector<std::vector<SimRequestRecord>> perCommand;
        for (const PollCommand c : kFullTurn) {
            sim.Log().Clear();
            worker.Post(c, 0);
            finished.done.acquire();
            perCommand.push_back(sim.Log().Records());
        }
        return perCommand;
    }

    CModbusInterface master;
    CMeasurandsKTA image;
    CommandDone finished;
    CMonitorWorker worker;
};

std::size_t CountOf(const std::vector<std::vector<SimRequestRecord>>& turn)
{
    std::size_t n = 0;
    for (const auto& command : turn)
        n += command.size();
    return n;
}

void BM_TcpMonitorCycle(benchmark::State& state)
{
    InstallPlatformTransports();
    MonitorDevice& device = SharedMonitorDevice();
    RunningMonitor monitor(TcpSettings(device.tcp->Port()));
    monitor.Start();
    const auto turnRequests = monitor.RecordTurn(*device.simulator);
    if (monitor.worker.HasError()) {
        state.SkipWithError("a poll command failed against the simulated device");
        return;
    }
    std::int64_t turns = 0;
    const auto start = BenchClock::now();
    for (auto _ : state) {
        if (!monitor.Turn()) {
            state.SkipWithError("a poll command failed against the simulated device");
            return;
        }
        ++turns;
    }
    const double turnUs = 1e6 * Seconds(BenchClock::now() - start) / double(turns);

    // The floor: the same reads from a raw client on one connection.
    const int rawTurns = std::max<int>(10, static_cast<int>(turns));
    RawTcpClient raw(device.tcp->Port());
    const auto rawStart = BenchClock::now();
    for (int t = 0; t < rawTurns; ++t)
        for (const auto& command : turnRequests)
            for (const SimRequestRecord& r : command)
                raw.Read(r.address, r.count);
    const double rawTurnUs = 1e6 * Seconds(BenchClock::now() - rawStart) / rawTurns;

    state.SetItemsProcessed(turns);
    state.counters["turns_per_s"] = 1e6 / turnUs;
    state.counters["requests_per_turn"] = double(CountOf(turnRequests));
    state.counters["turn_us"] = turnUs;
    state.counters["raw_turn_us"] = rawTurnUs;
    state.counters["ratio_to_raw"] = turnUs / rawTurnUs;
}

ComSettings RtuSettings(const std::string& path)
{
    ComSettings s;
    s.mode = ConnectionMode::Rs485;
    s.comPortName = s.comPortDisplayName = path;
    s.baudIndex = 5; // 38400
    return s;
}

void BM_RtuMonitorCycle(benchmark::State& state)
{
    InstallPlatformTransports();
    MonitorDevice& device = SharedMonitorDevice();
    const ComSettings settings = RtuSettings(device.rtu->Path());
    const int baud = BaudRateForIndex(settings.baudIndex);
    const int pauseMs = ModbusModeFor(settings).pauseAfterResponseMs;

    RunningMonitor monitor(settings);
    // The pause is a sleep, which a busy machine overshoots: time it apart.
    std::atomic<std::int64_t> sleptNs{0};
    monitor.master.SetPauseFunction([&sleptNs](int ms) {
        const auto start = BenchClock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        sleptNs += std::chrono::nanoseconds(BenchClock::now() - start).count();
    });
    monitor.Start();
    const auto turnRequests = monitor.RecordTurn(*device.simulator);
    if (monitor.worker.HasError()) {
        state.SkipWithError("a poll command failed against the simulated device");
        return;
    }
    std::size_t wireBytes = 0;
    for (const auto& command : turnRequests)
        for (const SimRequestRecord& r : command)
            wireBytes += 8 + 5 + 2 * static_cast<std::size_t>(r.count);
    const double requests = double(CountOf(turnRequests));

    std::int64_t turns = 0;
    sleptNs = 0;
    const auto start = BenchClock::now();
    for (auto _ : state) {
        if (!monitor.Turn()) {
            state.SkipWithError("a poll command failed against the simulated device");
            return;
        }
        ++turns;
    }
    const double turnUs = 1e6 * Seconds(BenchClock::now() - start) / double(turns);
    const double sleptUs = double(sleptNs.load()) / 1000.0 / double(turns);

    // What opening and closing the port costs, once per command (the lock
    // file and line programming of the platform's serial port).
    monitor.worker.Close();
    constexpr int kOpens = 20;
    const auto openStart = BenchClock::now();
    for (int i = 0; i < kOpens; ++i) {
        monitor.master.Open();
        monitor.master.Close();
    }
    state.counters["open_close_us"] = 1e6 * Seconds(BenchClock::now() - openStart) / kOpens;
    std::uint16_t word = 0;
    const auto readStart = BenchClock::now();
    for (int i = 0; i < kOpens; ++i) {
        monitor.master.Open();
        monitor.master.ReadHoldingRegisters(0, 1, &word);
        monitor.master.Close();
    }
    state.counters["open_read_close_us"] = 1e6 * Seconds(BenchClock::now() - readStart) / kOpens;

    const double wireUs = 1e6 * double(wireBytes * kBitsPerCharacter) / baud;
    const double pauseUs = 1000.0 * pauseMs * requests;
    const double overheadUs = turnUs - sleptUs;
    state.SetItemsProcessed(turns);
    state.counters["requests_per_turn"] = requests;
    state.counters["wire_us"] = wireUs;
    state.counters["pause_us"] = pauseUs;
    state.counters["pause_overshoot_us"] = sleptUs - pauseUs;
    state.counters["overhead_us"] = overheadUs;
    // A turn on a real line (wire + pauses + overhead) against its floor.
    state.counters["line_to_floor"] = (wireUs + pauseUs + overheadUs) / (wireUs + pauseUs);
    // The same with the pauses as actually slept.
    state.counters["line_to_floor_slept"] = (wireUs + turnUs) / (wireUs + pauseUs);
}

BENCHMARK(BM_TcpMonitorCycle)->UseRealTime();
BENCHMARK(BM_RtuMonitorCycle)->Iterations(8)->UseRealTime();

} // namespace
