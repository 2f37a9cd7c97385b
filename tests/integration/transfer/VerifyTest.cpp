#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedDevice.h"
#include "app/CPrivateException.h"
#include "device/DownloadVerify.h"
#include "device/ParameterTransfer.h"
#include "device/RegisterMap.h"
#include "support/CatalogueIds.h"

namespace {

// Records the phases too, to see the read-back announced and counted from 0.
class PhaseProgress : public RecordingProgress {
public:
    using RecordingProgress::RecordingProgress;
    void BeginPhase(TransferPhase phase) override
    {
        phases.push_back(phase);
        phaseStarts.push_back(steps.size());
    }
    std::vector<TransferPhase> phases;
    std::vector<std::size_t> phaseStarts;
};

// What the register map says a download of set writes: every word of the
// entries that apply, without the switch word and, with the switch off, the
// entries of the switch-controlled words.
WrittenWords MapWords(const ParameterSet& set, bool dipWordsLeftOut)
{
    static const std::vector<int> dipControlled = {31, 33, 47, 56, 65, 73,  76,  79, 82,
                                                   85, 88, 91, 94, 97, 100, 103, 106};
    WrittenWords words;
    for (const RegisterBlock& e : RegisterMapFor(set.type)) {
        const bool dip = std::find(dipControlled.begin(), dipControlled.end(), e.firstWord) !=
                         dipControlled.end();
        if (!EntryApplies(e, set.type) || e.firstWord == 30 || (dipWordsLeftOut && dip))
            continue;
        for (int w = e.firstWord; w < e.EndWord(); ++w)
            words.push_back(w);
    }
    std::sort(words.begin(), words.end());
    return words;
}

// Distinct values in every word the map transfers, so a word that did not
// land, or landed elsewhere, shows up.
ParameterSet EditedSet(int typeId, int dipSwitch)
{
    ParameterSet set = SetOf(typeId);
    for (const RegisterBlock& e : RegisterMapFor(set.type))
        for (int w = e.firstWord; w < e.EndWord() && EntryApplies(e, set.type); ++w)
            set[w] = static_cast<std::uint16_t>(0x2000 + 29 * w + typeId);
    if (dipSwitch >= 0)
        set[30] = static_cast<std::uint16_t>(dipSwitch);
    return set;
}

struct VerifyCase {
    const char* name;
    int typeId;
    int wordOrder;
    int dipSwitch; // -1: not a QG or QH variant
};

const VerifyCase kCases[] = {
    {"KtaGen3", kKtaGen3Modbus, 0, -1},
    {"KtaGen1HighWordFirst", kKtaGen1Modbus, 1, -1},
    {"KtbGen1Ao1to5V", kKtbGen1Ao1to5V, 0, -1},
    {"LktaAo2", kLktaAo2, 0, -1},
    {"QgSwitchOn", kQgModbusCounter, 1, 1},
    {"QgSwitchOff", kQgModbusInput2, 0, 0},
    {"QhSwitchOn", kQhModbusEx8, 0, 1},
    {"QhSwitchOff", kQhModbus, 0, 0},
    {"Zm", kZmAo, 0, -1},
    {"ZnpwU", kZnpwU, 1, -1},
};

class VerifyAgainstTheSimulator : public ::testing::TestWithParam<VerifyCase> {
protected:
    void Start(SimFaults faults = {})
    {
        SimOptions options = DeviceOptions(GetParam().typeId);
        options.wordOrder = GetParam().wordOrder;
        options.dipSwitch = GetParam().dipSwitch;
        options.faults = faults;
        device_ = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
        device_->Master().Open();
    }
    std::optional<DownloadVerification> DownloadAndVerify(const ParameterSet& set)
    {
        EXPECT_TRUE(WriteToDevice(set, device_->Master(), progress_, written_));
        return VerifyDownload(device_->Master(), set, written_, progress_);
    }

    std::unique_ptr<SimulatedDevice> device_;
    PhaseProgress progress_;
    WrittenWords written_;
};

TEST_P(VerifyAgainstTheSimulator, CorrectDownloadVerifiesCleanOverExactlyTheWrittenWords)
{
    Start();
    const ParameterSet set = EditedSet(GetParam().typeId, GetParam().dipSwitch);
    const auto verification = DownloadAndVerify(set);
    ASSERT_TRUE(verification.has_value());
    EXPECT_TRUE(verification->Matches()) << "word " << verification->differingWords.front();
    EXPECT_EQ(written_, MapWords(set, GetParam().dipSwitch == 0));
    EXPECT_TRUE(std::find(written_.begin(), written_.end(), 30) == written_.end());

    // The read-back takes only the entries that hold written words, once each.
    const auto records = device_->Requests();
    const auto firstRead = std::find_if(records.rbegin(), records.rend(),
                                        [](const auto& r) { return r.function == 16; });
    std::vector<int> readBack;
    for (auto r = records.rbegin(); r != firstRead; ++r)
        if (r->address != 5735)
            readBack.push_back(r->address);
    int expectedEntries = 0;
    for (const RegisterBlock& e : RegisterMapFor(set.type))
        expectedEntries += EntryApplies(e, set.type) && std::find(written_.begin(), written_.end(),
                                                                  e.firstWord) != written_.end();
    EXPECT_EQ(static_cast<int>(readBack.size()), expectedEntries);

    ASSERT_EQ(progress_.phases, std::vector<TransferPhase>{TransferPhase::Verify});
    const std::vector<double> verifySteps(progress_.steps.begin() + progress_.phaseStarts[0],
                                          progress_.steps.end());
    EXPECT_TRUE(std::is_sorted(verifySteps.begin(), verifySteps.end()));
    EXPECT_EQ(verifySteps.back(), 100.0);
}

// A device that acknowledges a write and keeps its old value: the one word is
// found, with the value the device kept, and its report row names it.
TEST_P(VerifyAgainstTheSimulator, WriteTheDeviceIgnoredIsTheOneDifference)
{
    const ParameterSet defaults = SetOf(GetParam().typeId);
    const ParameterSet set = EditedSet(GetParam().typeId, GetParam().dipSwitch);
    const bool qh = set.type.Has(CapQh);
    // The low word of Primary voltage (words 36-37): 5603, on QH 9043.
    Start({.ignoreWriteAddress = qh ? 9043 : 5603});
    const int word = GetParam().wordOrder == 1 ? 37 : 36;
    const auto verification = DownloadAndVerify(set);
    ASSERT_TRUE(verification.has_value());
    EXPECT_EQ(verification->differingWords, std::vector<int>{word});
    EXPECT_EQ(verification->readBack[word], defaults[word]);
    EXPECT_EQ(verification->readBack[73 - word], set[73 - word]);

    const std::vector<ReportRow> rows = DifferingRows(set, *verification);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].word, 36);
    EXPECT_EQ(rows[0].state, ReportRowState::Different);
    EXPECT_NE(rows[0].pcValue, rows[0].compareValue);
}

INSTANTIATE_TEST_SUITE_P(Variants, VerifyAgainstTheSimulator, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// With the switch off the device keeps its own values of the switch-controlled
// words; a set that differs there still verifies clean.
TEST(VerifyDipSwitch, WordsTheSwitchKeepsAreNeitherWrittenNorCompared)
{
    SimOptions options = DeviceOptions(kQgCcLinkCounter);
    options.dipSwitch = 0;
    SimulatedDevice device(options, SimTransport::Rtu);
    device.Master().Open();
    const ParameterSet defaults = SetOf(kQgCcLinkCounter);
    ParameterSet set = defaults;
    set[30] = 0;
    set[31] = static_cast<std::uint16_t>(defaults[31] == 1 ? 2 : 1);
    set[33] = static_cast<std::uint16_t>(defaults[33] + 50);
    RecordingProgress progress;
    WrittenWords written;
    ASSERT_TRUE(WriteToDevice(set, device.Master(), progress, written));
    for (int w : {30, 31, 33, 34, 47, 48})
        EXPECT_TRUE(std::find(written.begin(), written.end(), w) == written.end()) << w;
    EXPECT_TRUE(std::find(written.begin(), written.end(), 36) != written.end());

    const auto verification = VerifyDownload(device.Master(), set, written, progress);
    ASSERT_TRUE(verification.has_value());
    EXPECT_TRUE(verification->Matches());
    EXPECT_EQ(device.Sim().ReadRegisters(5600, 1), std::vector<std::uint16_t>{defaults[31]});
}

TEST(VerifyCancel, CancelledReadBackGivesNoResult)
{
    SimulatedDevice device(DeviceOptions(kKtaGen3Modbus), SimTransport::Tcp);
    device.Master().Open();
    const ParameterSet set = SetOf(kKtaGen3Modbus);
    RecordingProgress writing;
    WrittenWords written;
    ASSERT_TRUE(WriteToDevice(set, device.Master(), writing, written));
    RecordingProgress verifying(2);
    EXPECT_FALSE(VerifyDownload(device.Master(), set, written, verifying).has_value());
    EXPECT_EQ(verifying.steps.size(), 2u);
}

// A download that failed half-way names only the blocks the device acknowledged.
TEST(VerifyWrittenWords, FailedDownloadNamesOnlyTheAcknowledgedBlocks)
{
    SimOptions options = DeviceOptions(kKtaGen3Modbus);
    options.faults.exceptionAddress = 5605; // inside the block 5600-5608
    SimulatedDevice device(options, SimTransport::Tcp);
    device.Master().Open();
    RecordingProgress progress;
    WrittenWords written;
    EXPECT_THROW(WriteToDevice(SetOf(kKtaGen3Modbus), device.Master(), progress, written),
                 CPrivateException);
    EXPECT_EQ(written, (WrittenWords{0, 1, 2, 3, 28, 29}));
}

} // namespace
