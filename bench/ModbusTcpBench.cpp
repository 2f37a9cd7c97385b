// Modbus/TCP round trips of the master against the simulator on loopback,
// next to a raw-socket client doing the same exchanges in the same run.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchSupport.h"
#include "CPlatformTransportFactory.h"
#include "comm/CModbusInterface.h"

namespace {

constexpr int kReadStart = kBenchMemoryFirst; // 125 plain registers in a row
// Inside a 47-register block of parameters; written back with what it holds,
// so the device accepts every write.
constexpr int kWriteStart = 6386;

enum class Kind { Read, Write };

void Exchange(CModbusInterface& master, Kind kind, int count, std::vector<std::uint16_t>& words)
{
    if (kind == Kind::Read)
        master.ReadHoldingRegisters(kReadStart, count, words.data());
    else
        master.WriteMultipleRegisters(kWriteStart, count, words.data());
}

// requests/s of the master, of the raw client, and master time / raw time.
void RoundTrips(benchmark::State& state, Kind kind)
{
    InstallPlatformTransports();
    const int count = static_cast<int>(state.range(0));
    const int port = SharedTcpDevice().server->Port();
    std::vector<std::uint16_t> words(static_cast<std::size_t>(count), 0);

    CModbusInterface master(TcpSettings(port));
    master.Open();
    try {
        master.ReadHoldingRegisters(kind == Kind::Read ? kReadStart : kWriteStart, count,
                                    words.data());
    } catch (const std::exception& e) {
        // The simulated device answers only for registers it has.
        state.SkipWithError(e.what());
        return;
    }
    std::int64_t requests = 0;
    const auto masterStart = BenchClock::now();
    for (auto _ : state) {
        Exchange(master, kind, count, words);
        ++requests;
    }
    const double masterSeconds = Seconds(BenchClock::now() - masterStart);
    master.Close();

    RawTcpClient raw(port);
    const auto rawStart = BenchClock::now();
    for (std::int64_t i = 0; i < requests; ++i) {
        if (kind == Kind::Read)
            raw.Read(kReadStart, count);
        else
            raw.Write(kWriteStart, words);
    }
    const double rawSeconds = Seconds(BenchClock::now() - rawStart);

    state.SetItemsProcessed(requests);
    state.counters["raw_req_per_s"] = static_cast<double>(requests) / rawSeconds;
    state.counters["raw_us"] = 1e6 * rawSeconds / static_cast<double>(requests);
    state.counters["ratio_to_raw"] = masterSeconds / rawSeconds;
}

void BM_TcpRead(benchmark::State& state)
{
    RoundTrips(state, Kind::Read);
}
void BM_TcpWrite(benchmark::State& state)
{
    RoundTrips(state, Kind::Write);
}

BENCHMARK(BM_TcpRead)->Arg(10)->Arg(50)->Arg(125)->UseRealTime();
BENCHMARK(BM_TcpWrite)->Arg(10)->UseRealTime();

} // namespace
