// Upload and download of a whole KTA second-generation parameter set over
// Modbus/TCP on loopback, against the same requests sent by the raw-socket
// client in the same run: the ratio is what the transfer costs above
// (requests x the raw round trip).
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "CPlatformTransportFactory.h"
#include "comm/CModbusInterface.h"
#include "device/ParameterTransfer.h"

namespace {

class CNoProgress : public IProgressSink {
public:
    void ReportProgress(double) override {}
    bool IsCancelRequested() const override { return false; }
};

// Sends the requests the simulator logged, in order, through the raw client.
double ReplaySeconds(const std::vector<SimRequestRecord>& requests, int port)
{
    RawTcpClient raw(port);
    const auto start = BenchClock::now();
    for (const SimRequestRecord& r : requests) {
        if (r.function == 16)
            raw.Write(r.address, r.values);
        else
            raw.Read(r.address, r.count);
    }
    return Seconds(BenchClock::now() - start);
}

void Transfers(benchmark::State& state, bool upload)
{
    InstallPlatformTransports();
    BenchDevice& device = SharedTcpDevice();
    const int port = device.server->Port();
    CModbusInterface master(TcpSettings(port));
    ParameterSet set;
    set.type.SelectById(kBenchTypeId);
    CNoProgress progress;
    master.Open();
    if (!upload)
        ReadFromDevice(set, master, progress); // a set the device accepts

    double transferSeconds = 0, rawSeconds = 0;
    std::size_t requests = 0;
    for (auto _ : state) {
        device.simulator->Log().Clear();
        const auto start = BenchClock::now();
        const bool done =
            upload ? ReadFromDevice(set, master, progress) : WriteToDevice(set, master, progress);
        transferSeconds += Seconds(BenchClock::now() - start);
        if (!done)
            state.SkipWithError("transfer stopped");
        state.PauseTiming();
        const std::vector<SimRequestRecord> log = device.simulator->Log().Records();
        requests = log.size();
        rawSeconds += ReplaySeconds(log, port);
        state.ResumeTiming();
    }
    master.Close();
    const double n = static_cast<double>(state.iterations());
    state.counters["requests"] = static_cast<double>(requests);
    state.counters["wall_ms"] = 1000.0 * transferSeconds / n;
    state.counters["raw_round_trip_us"] = 1e6 * rawSeconds / (n * static_cast<double>(requests));
    state.counters["ratio_to_requests_x_raw"] = transferSeconds / rawSeconds;
}

void BM_UploadKtaGen2(benchmark::State& state)
{
    Transfers(state, true);
}
void BM_DownloadKtaGen2(benchmark::State& state)
{
    Transfers(state, false);
}

BENCHMARK(BM_UploadKtaGen2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadKtaGen2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
