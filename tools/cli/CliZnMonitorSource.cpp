#include <memory>
#include <string>

#include "CliMonitorSource.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/ZnMonitorCells.h"
#include "monitor/ZnMonitorJobs.h"

namespace {

constexpr int kSpectrumRowsShown = 20; // rows 0-9 system 1, 10-19 system 2
constexpr int kThdLatestItem = 366;    // THD items of system 1 from here, system 2 from 376

// ZNPW and ZNEPW: the ZN monitor window's jobs with every page mode shown,
// both systems at once. The spectrum rows follow the image: 0-9 for the THD
// quantities of system 1, 10-19 for those of system 2.
class CZnMonitorSource : public IMonitorSource {
public:
    explicit CZnMonitorSource(CModbusInterface& master) : jobs_(*image_, master) {}

    const std::vector<MonitorItemName>& Items() const override
    {
        return ZnMonitorCells::ZnMonitorItemNames();
    }

    MonitorSnapshot Poll() override
    {
        using namespace ZnMonitorCells;
        Run(ZnJob::DeviceInformation, {});
        if (!jobs_.IsZnDevice())
            throw CMonitorSourceEnded("ormel-cli: the device is no longer of the ZN family");
        // Every page job reads the instantaneous values; Max, Min and Energy add theirs.
        for (int mode = kMax; mode < kPageModes; ++mode)
            Run(ZnJob::PageValues, {mode, kFirstThdItem});
        Run(ZnJob::Thd, {});
        for (int row = 0; row < kSpectrumRowsShown; ++row)
            Run(ZnJob::Spectrum, {kTrend, kThdLatestItem + row});
        return Snapshot();
    }

    void Stop() override { jobs_.Stop(); }

private:
    void Run(ZnJob job, const ZnJobSelections& selections)
    {
        if (jobs_.Run(job, selections))
            return;
        if (!jobs_.IsRunning())
            throw CPrivateException::Aborted();
        throw CPrivateException(CommandErrorText(jobs_.LastError()));
    }

    MonitorSnapshot Snapshot() const
    {
        return ImageSnapshot(*image_, Items(), kSpectrumRowsShown, CMeasurandsKTA::kSpectrumValues);
    }

    std::unique_ptr<CMeasurandsKTA> image_ = std::make_unique<CMeasurandsKTA>();
    CZnMonitorJobs jobs_;
};

} // namespace

std::unique_ptr<IMonitorSource> CreateZnMonitorSource(CModbusInterface& master)
{
    return std::make_unique<CZnMonitorSource>(master);
}
