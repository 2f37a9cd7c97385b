// Modbus/TCP round trips of the master against the simulator on loopback,
// next to a raw-socket client doing the same exchanges in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
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

template <typename F> BenchClock::duration TimeOf(F&& f)
{
    const auto start = BenchClock::now();
    f();
    return BenchClock::now() - start;
}

BenchClock::duration Median(std::vector<BenchClock::duration>& rounds)
{
    if (rounds.empty())
        return {};
    const auto middle = rounds.begin() + static_cast<long>(rounds.size() / 2);
    std::nth_element(rounds.begin(), middle, rounds.end());
    return *middle;
}

// Round trips of the master and of the raw client, and master time / raw time.
// The two take turns request by request on connections open side by side, so
// whatever else the machine runs meanwhile weighs on both alike. Time is the
// master's round trip.
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
    RawTcpClient raw(port);
    std::int64_t requests = 0;
    BenchClock::duration masterTime{}, rawTime{};
    std::vector<BenchClock::duration> masterRounds, rawRounds;
    const auto rawExchange = [&] {
        if (kind == Kind::Read)
            raw.Read(kReadStart, count);
        else
            raw.Write(kWriteStart, words);
    };
    for (auto _ : state) {
        // Who goes first alternates, so neither always finds the server just woken.
        if (requests % 2 != 0)
            rawRounds.push_back(TimeOf(rawExchange));
        masterRounds.push_back(TimeOf([&] { Exchange(master, kind, count, words); }));
        if (requests % 2 == 0)
            rawRounds.push_back(TimeOf(rawExchange));
        masterTime += masterRounds.back();
        rawTime += rawRounds.back();
        state.SetIterationTime(Seconds(masterRounds.back()));
        ++requests;
    }
    master.Close();
    const double masterSeconds = Seconds(masterTime);
    const double rawSeconds = Seconds(rawTime);

    state.counters["master_us"] = 1e6 * masterSeconds / static_cast<double>(requests);
    state.counters["raw_us"] = 1e6 * rawSeconds / static_cast<double>(requests);
    state.counters["ratio_to_raw"] = masterSeconds / rawSeconds;
    // A request that another process delays by a time slice weighs on the
    // means above; the medians see the typical round trip.
    state.counters["ratio_median"] = Seconds(Median(masterRounds)) / Seconds(Median(rawRounds));
}

void BM_TcpRead(benchmark::State& state)
{
    RoundTrips(state, Kind::Read);
}
void BM_TcpWrite(benchmark::State& state)
{
    RoundTrips(state, Kind::Write);
}

BENCHMARK(BM_TcpRead)->Arg(10)->Arg(50)->Arg(125)->UseManualTime();
BENCHMARK(BM_TcpWrite)->Arg(10)->UseManualTime();

} // namespace
