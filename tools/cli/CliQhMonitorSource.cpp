// The monitor command on the QH family: what the multi-circuit monitor's
// main page shows for each module, or what its channel detail window shows.
#include <algorithm>
#include <atomic>
#include <memory>
#include <string>

#include "CliCommandLine.h"
#include "CliMonitorSource.h"
#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/CDeviceType.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/QhMonitorCells.h"
#include "monitor/QhMonitorJobs.h"
#include "monitor/QhMonitorReads.h"
#include "utility/CConnectionBracket.h"

using QhCells::QhView;

namespace {

constexpr int kChannelCountWord = 3; // I/O word 4

constexpr const char* kPowerNames[] = {"P1", "P2", "P3", "P", "Q1",  "Q2",  "Q3",  "Q",
                                       "S1", "S2", "S3", "S", "PF1", "PF2", "PF3", "PF"};
constexpr const char* kVoltageNames[] = {"U12", "U23", "U31", "U1N", "U2N", "U3N", "U", "F"};
constexpr const char* kCurrentNames[] = {"I1", "I2", "I3", "IN", "I"};
constexpr const char* kDemandNames[] = {"I", "I1", "I2", "I3", "IN", "P", "Q", "S"};
constexpr const char* kThdNames[] = {"I1",  "I2",  "I3",  "IN",  "U12",
                                     "U23", "U31", "U1N", "U2N", "U3N"};
constexpr const char* kExtremes[] = {"", " max", " min"};

std::string Two(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// The quantity of a main page item of the shown module: "3ch EP", "DI2 14-15".
std::string MainItemName(QhView view, int item)
{
    const int base = QhCells::ChannelBase(view);
    auto channel = [&](int c) {
        return view == QhView::PulseInputs ? "DI" + std::to_string(c + 1)
                                           : std::to_string(base + c + 1) + "ch";
    };
    const int record = view == QhView::PulseInputs ? 630 : 398;
    if (item >= record && item < record + 8 * QhCells::kRecordValues) {
        const int c = (item - record) / QhCells::kRecordValues;
        const int offset = (item - record) % QhCells::kRecordValues;
        if (offset >= QhCells::kRecordHoursOffset) {
            const int hour = offset - QhCells::kRecordHoursOffset;
            return channel(c) + " " + Two(hour) + "-" + Two((hour + 1) % 24);
        }
        if (offset == 3)
            return channel(c) + " latest hour";
        const char* totals[] = {"EP", "EQ LAG"};
        return channel(c) +
               (view == QhView::PulseInputs ? " count" : std::string(" ") + totals[offset % 2]);
    }
    if (item >= 886 && item < 886 + 15 * 8)
        return channel((item - 886) / 15) + " " + kCurrentNames[(item - 886) % 15 % 5];
    if (item >= 1006 && item < 1006 + 48 * 8)
        return channel((item - 1006) / 48) + " " + kPowerNames[(item - 1006) % 48 % 16];
    if (item == QhReads::kClockDateItem)
        return "clock date";
    if (item == QhReads::kClockTimeItem)
        return "clock time";
    return std::to_string(item);
}

// The quantity of a detail window item: "U1N max", "P demand", "THD I2 max".
std::string DetailItemName(int item)
{
    if (item >= 862 && item < 886)
        return std::string(kVoltageNames[(item - 862) % 8]) + kExtremes[(item - 862) / 8];
    if (item >= 886 && item < 901)
        return std::string(kCurrentNames[(item - 886) % 5]) + kExtremes[(item - 886) / 5];
    if (item >= 1006 && item < 1054)
        return std::string(kPowerNames[(item - 1006) % 16]) + kExtremes[(item - 1006) / 16];
    if (item >= 1392 && item <= 1396)
        return std::string(kDemandNames[item - 1392]) + " demand";
    if (item >= 1399 && item <= 1401)
        return std::string(kDemandNames[item - 1399 + 5]) + " demand";
    if (item >= 1402 && item < 1450 && (item - 1402) % 3 == 0)
        return std::string(kDemandNames[(item - 1402) / 3 % 8]) + " demand" +
               kExtremes[1 + (item - 1402) / 24];
    if (item >= 366 && item < 376)
        return std::string("THD ") + kThdNames[item - 366];
    if (item >= 278 && item < 288)
        return std::string("THD ") + kThdNames[item - 278] + " max";
    return std::to_string(item);
}

template <class Name>
std::vector<MonitorItemName> Named(const std::vector<int>& items, const std::string& prefix,
                                   Name name)
{
    std::vector<MonitorItemName> names;
    for (int item : items)
        names.push_back({item, prefix + name(item)});
    return names;
}

std::vector<std::string> Texts(const CMeasurandsKTA& image,
                               const std::vector<MonitorItemName>& items)
{
    std::vector<std::string> texts;
    for (const MonitorItemName& i : items)
        texts.push_back(image.FormatItem(i.item));
    return texts;
}

[[noreturn]] void NotQh()
{
    throw CMonitorSourceEnded("ormel-cli: the device at the address is no longer a QH device");
}

class CQhSourceBase : public IMonitorSource {
public:
    explicit CQhSourceBase(CModbusInterface& master) : master_(master) {}

    void Stop() override
    {
        stopped_ = true;
        master_.Abort();
    }

protected:
    void CheckRunning() const
    {
        if (stopped_)
            throw CPrivateException::Aborted();
    }

    CModbusInterface& master_;
    std::atomic<bool> stopped_{false};
};

// The main page: the basic module with the device clock, then, after a blank
// line, the extension module or the pulse inputs when the device has them.
class CQhMainSource : public CQhSourceBase {
public:
    CQhMainSource(CModbusInterface& master, const CDeviceType& device)
        : CQhSourceBase(master), second_(QhCells::ViewOfTab(1, device)),
          hasSecond_(QhCells::ModuleTabEnabled(device))
    {
        std::vector<int> items = QhCells::MainPageItems(QhView::Basic);
        items.push_back(QhReads::kClockDateItem);
        items.push_back(QhReads::kClockTimeItem);
        items_ = Named(items, "", [](int item) { return MainItemName(QhView::Basic, item); });
        if (hasSecond_)
            secondItems_ = QhCells::MainPageItems(second_);
    }

    const std::vector<MonitorItemName>& Items() const override { return items_; }

    MonitorSnapshot Poll() override
    {
        MonitorSnapshot s;
        Read(QhView::Basic, *first_);
        s.texts = Texts(*first_, items_);
        if (hasSecond_) {
            Read(second_, *second_image_);
            s.extraLines.emplace_back();
            for (int item : secondItems_)
                s.extraLines.push_back(std::to_string(item) + '\t' +
                                       second_image_->FormatItem(item));
        }
        return s;
    }

private:
    void Read(QhView view, CMeasurandsKTA& image)
    {
        CheckRunning();
        const QhMonitorRead r = ReadQhMonitor(master_, image, view);
        CheckRunning();
        if (r.failed)
            throw CPrivateException(r.error);
        if (!r.identified || !r.device.Has(CapQh))
            NotQh();
        if (QhCells::ModuleTabEnabled(r.device) != hasSecond_ ||
            (hasSecond_ && QhCells::ViewOfTab(1, r.device) != second_))
            throw CMonitorSourceEnded("ormel-cli: the device changed its modules");
    }

    const QhView second_;
    const bool hasSecond_;
    std::vector<MonitorItemName> items_;
    std::vector<int> secondItems_;
    // 128 KiB each: on the heap.
    std::unique_ptr<CMeasurandsKTA> first_ = std::make_unique<CMeasurandsKTA>();
    std::unique_ptr<CMeasurandsKTA> second_image_ = std::make_unique<CMeasurandsKTA>();
};

// The detail window of one channel with every tab shown: the value page of
// Trend, Max and Min, the THD grid, then every THD row's spectrum as
// "spectrum ROW<TAB>" and its 15 values (orders 3, 5, ... 31).
class CQhDetailSource : public CQhSourceBase {
public:
    CQhDetailSource(CModbusInterface& master, int channel)
        : CQhSourceBase(master), channel_(channel)
    {
        std::vector<int> items;
        for (int tab = 0; tab < QhCells::kDetailTabs; ++tab) {
            const std::vector<int> page = QhCells::DetailPageItems(tab);
            items.insert(items.end(), page.begin(), page.end());
        }
        for (const GridItemCell& c : MonitorCells::ThdItems())
            items.push_back(c.item);
        std::sort(items.begin(), items.end());
        items.erase(std::unique(items.begin(), items.end()), items.end());
        items_ = Named(items, std::to_string(channel + 1) + "ch ", DetailItemName);
    }

    const std::vector<MonitorItemName>& Items() const override { return items_; }

    MonitorSnapshot Poll() override
    {
        CheckRunning();
        try {
            const CAccessRight lock(master_);
            const CConnectionBracket open(master_);
            CDeviceType device;
            device.Identify(master_);
            if (!device.Has(CapQh))
                NotQh();
            if (channel_ >= device.ioWords[kChannelCountWord])
                throw CMonitorSourceEnded("ormel-cli: the device no longer has channel " +
                                          std::to_string(channel_ + 1));
            for (int tab = 0; tab < QhCells::kDetailTabs; ++tab) {
                CheckRunning();
                QhReads::ReadBlocks(master_, *image_, QhReads::DetailBlocks(tab, channel_));
            }
            for (int row = 0; row < QhReads::kThdRows; ++row) {
                CheckRunning();
                QhReads::ReadThd(master_, *image_, channel_, row);
            }
        } catch (const CPrivateException&) {
            CheckRunning();
            throw;
        }
        return ImageSnapshot(*image_, items_, QhReads::kThdRows, QhReads::kSpectrumValues);
    }

private:
    const int channel_;
    std::vector<MonitorItemName> items_;
    std::unique_ptr<CMeasurandsKTA> image_ = std::make_unique<CMeasurandsKTA>();
};

} // namespace

std::unique_ptr<IMonitorSource> CreateQhMonitorSource(const CDeviceType& device,
                                                      CModbusInterface& master,
                                                      std::optional<int> detail)
{
    if (!detail)
        return std::make_unique<CQhMainSource>(master, device);
    const int channels = device.ioWords[kChannelCountWord];
    if (*detail < 1 || *detail > channels)
        throw CliUsageError("--detail: the device has channels 1-" + std::to_string(channels));
    return std::make_unique<CQhDetailSource>(master, *detail - 1);
}
