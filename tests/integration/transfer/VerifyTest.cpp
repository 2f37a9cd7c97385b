#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatedDevice.h"
#include "app/CPrivateException.h"
#include "device/DownloadVerify.h"
#include "device/ParameterTransfer.h"
#include "device/RegisterMap.h"
#include "support/CatalogueIds.h"

namespace {

// Counts the phases a transfer announces.
class PhaseProgress : public RecordingProgress {
public:
    void BeginPhase(TransferPhase phase) override { phases.push_back(phase); }
    std::vector<TransferPhase> phases;
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

// With the switch off (dipSwitch 0) the device keeps its own values of the
// switch-controlled words: the edited set differs there and still verifies
// clean, as those words are neither written nor compared.
const VerifyCase kCases[] = {
    {"KtaGen3", kKtaGen3Modbus, 0, -1},
    {"KtaGen1HighWordFirst", kKtaGen1Modbus, 1, -1},
    {"LktaAo2", kLktaAo2, 0, -1},
    {"QgSwitchOn", kQgModbusCounter, 1, 1},
    {"QgSwitchOff", kQgModbusInput2, 0, 0},
    {"QhSwitchOff", kQhModbus, 0, 0},
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

    EXPECT_EQ(progress_.phases, std::vector<TransferPhase>{TransferPhase::Verify});
    EXPECT_EQ(progress_.steps.back(), 100.0);
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
