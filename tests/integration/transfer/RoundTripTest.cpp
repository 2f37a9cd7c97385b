#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <unistd.h>

#include "FinishWaiter.h"
#include "SimulatedDevice.h"
#include "app/CModbusTransferConnection.h"
#include "app/CPrivateException.h"
#include "background/CObserver.h"
#include "background/CProgressThread.h"
#include "device/CConfigFile.h"
#include "device/ParameterTransfer.h"
#include "device/RegisterMap.h"
#include "text/CStringTable.h"

namespace {

// Distinct values in every word a download writes, so that a word that goes
// astray or a pair in the wrong order shows up after the round trip.
void Perturb(ParameterSet& set)
{
    for (const RegisterBlock& e : RegisterMapFor(set.type)) {
        if (!EntryApplies(e, set.type) || e.firstWord == 30)
            continue;
        for (int w = e.firstWord; w < e.EndWord(); ++w)
            set[w] = static_cast<std::uint16_t>(0x1000 + 37 * w + set.type.TypeId());
    }
}

std::filesystem::path TempConfigFile(int typeId)
{
    return std::filesystem::temp_directory_path() /
           ("ormel_transfer_" + std::to_string(::getpid()) + "_" + std::to_string(typeId) + ".cfg");
}

SimOptions RoundTripOptions(int typeId, int wordOrder)
{
    SimOptions options = DeviceOptions(typeId);
    options.dipSwitch = 1; // so that the switch-controlled words travel too
    if (!CatalogueRecordOfTypeId(typeId) || !(CatalogueRecordOfTypeId(typeId)->Caps() & CapQh))
        options.wordOrder = wordOrder;
    return options;
}

ParameterSet Upload(SimulatedDevice& device)
{
    ParameterSet set;
    RecordingProgress progress;
    device.Master().Open();
    EXPECT_TRUE(ReadFromDevice(set, device.Master(), progress));
    device.Master().Close();
    EXPECT_TRUE(progress.NeverDecreases());
    EXPECT_EQ(progress.steps.back(), 100.0);
    return set;
}

void Download(SimulatedDevice& device, const ParameterSet& set)
{
    RecordingProgress progress;
    device.Master().Open();
    EXPECT_TRUE(WriteToDevice(set, device.Master(), progress));
    device.Master().Close();
}

bool IsLonWorks(int typeId)
{
    return typeId == 33 || typeId == 34 || typeId == 59 || typeId == 65;
}

// Upload, edit, download, upload, save, load, download into a second device
// of the opposite word order, upload again: every variant ends where it started.
TEST(TransferRoundTrip, EveryVariantSurvivesUploadFileAndDownload)
{
    for (const DeviceTypeRecord& row : DeviceCatalogue()) {
        const int typeId = row.typeId;
        SCOPED_TRACE("type id " + std::to_string(typeId));
        if (IsLonWorks(typeId))
            continue;
        SimulatedDevice first(RoundTripOptions(typeId, 0), SimTransport::Tcp);
        ParameterSet edited = Upload(first);
        ASSERT_EQ(edited.type.TypeId(), typeId);
        Perturb(edited);
        Download(first, edited);
        const ParameterSet uploaded = Upload(first);
        EXPECT_EQ(uploaded.words, edited.words);

        const auto path = TempConfigFile(typeId);
        ASSERT_TRUE(CConfigFile::SaveToFile(uploaded, path.string()));
        ParameterSet loaded;
        ASSERT_TRUE(CConfigFile::LoadFromFile(loaded, path.string()));
        std::filesystem::remove(path);

        SimulatedDevice second(RoundTripOptions(typeId, 1), SimTransport::Tcp);
        Download(second, loaded);
        const ParameterSet again = Upload(second);
        EXPECT_EQ(again.words, uploaded.words);
        EXPECT_EQ(again.type.TypeId(), typeId);
    }
}

TEST(TransferRoundTrip, LonWorksVariantsAreRefused)
{
    for (auto [typeId, cause] : {std::pair{33, 11028}, {34, 11028}, {59, 11033}, {65, 11033}}) {
        SimulatedDevice device(DeviceOptions(typeId), SimTransport::Tcp);
        device.Master().Open();
        ParameterSet set;
        RecordingProgress progress;
        try {
            ReadFromDevice(set, device.Master(), progress);
            ADD_FAILURE() << "uploaded type id " << typeId;
        } catch (const CPrivateException& e) {
            EXPECT_EQ(e.Text(), FormatText(11025, {LoadText(cause)})) << typeId;
        }
        EXPECT_EQ(set.type.TypeId(), 0);
    }
}

TEST(TransferCancel, CancelledUploadLeavesTheCallersSetAsItWas)
{
    SimulatedDevice device(DeviceOptions(5), SimTransport::Tcp);
    device.Master().Open();
    ParameterSet set;
    set.words.fill(0x1234);
    const ParameterSet before = set;
    RecordingProgress progress(5);

    EXPECT_FALSE(ReadFromDevice(set, device.Master(), progress));
    EXPECT_EQ(progress.steps.size(), 5u);
    EXPECT_EQ(set.words, before.words);
    EXPECT_EQ(set.type.TypeId(), before.type.TypeId());
}

TEST(TransferCancel, CancelledDownloadStopsWriting)
{
    SimulatedDevice device(DeviceOptions(5), SimTransport::Tcp);
    device.Master().Open();
    RecordingProgress progress(3);
    EXPECT_FALSE(WriteToDevice(SetOf(5), device.Master(), progress));
    EXPECT_EQ(device.Writes().size(), 3u);
}

TEST(TransferFailure, DeviceLostMidUploadReportsCommunicationErrorAndClosesTheMaster)
{
    SimOptions options = DeviceOptions(5);
    options.faults.disconnectAfter = 12;
    SimulatedDevice device(options, SimTransport::Tcp);
    CModbusTransferConnection connection(device.Master());
    ParameterSet set;
    const ParameterSet before = set;
    CProgressThread job(TransferOperation::Read, connection, [&](IProgressSink& sink) {
        return ReadFromDevice(set, device.Master(), sink);
    });
    FinishWaiter waiter(job);
    job.Start();
    ASSERT_TRUE(waiter.Wait());
    job.Join();

    EXPECT_EQ(job.Outcome(), TransferOutcome::Failed);
    const std::string prefix = FormatText(11025, {""});
    EXPECT_EQ(job.ErrorText().compare(0, prefix.size(), prefix), 0) << job.ErrorText();
    EXPECT_GT(job.ErrorText().size(), prefix.size());
    EXPECT_LE(job.ErrorText().size(), CProgressThread::kMaxErrorCharacters);
    EXPECT_FALSE(device.Master().IsOpen());
    EXPECT_EQ(set.words, before.words);
}

} // namespace
