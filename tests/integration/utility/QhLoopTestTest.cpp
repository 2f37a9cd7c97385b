#include "utility/QhLoopTest.h"
#include "UtilityDevice.h"
#include "monitor/CMeasurandsKTA.h"

namespace {

constexpr int kQh = 52;

Words Low32(std::uint32_t v)
{
    return {static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(v >> 16)};
}

Words Block(const CMeasurandsKTA& copy, int firstItem, int values)
{
    Words w;
    for (int i = firstItem; i < firstItem + values; ++i) {
        const Words pair = Low32(static_cast<std::uint32_t>(copy.items[std::size_t(i)]));
        w.insert(w.end(), pair.begin(), pair.end());
    }
    return w;
}

class QhLoopTestTest : public UtilityDeviceTest, public ::testing::WithParamInterface<Protection> {
protected:
    void SetUp() override
    {
        Start(kQh, GetParam());
        for (int i = 0; i < 3 && !prompts_.passcodes.empty(); ++i)
            prompts_.passcodes.push_back(prompts_.passcodes.front());
        copy_ = std::make_unique<CMeasurandsKTA>();
        for (int item : {862, 886, 1006})
            for (int i = 0; i < 16; ++i)
                copy_->items[std::size_t(item + i)] = 1000 * item + i;
    }
    bool Granted() const { return GetParam() != Protection::WrongPasscode; }
    // The QH unlock, the sequence's writes and the QH lock step.
    WriteList Framed(const WriteList& body) const
    {
        WriteList w = Unlocking(GetParam(), 8976);
        w.push_back({8978, {1}});
        if (!Granted())
            return w;
        w.insert(w.end(), body.begin(), body.end());
        w.push_back({8978, {0}});
        if (GetParam() == Protection::RightPasscode)
            w.push_back({8976, {0, 0}});
        return w;
    }
    std::unique_ptr<CMeasurandsKTA> copy_;
};

TEST_P(QhLoopTestTest, SwitchingWritesTheChannelsModeRegister)
{
    EXPECT_EQ(ReadQhChannelCount(Master()), 8);
    const ModeSwitchResult r = SwitchQhLoopTest(Master(), 2, true);
    EXPECT_EQ(r.switched, Granted());
    EXPECT_EQ(r.deviceMode, std::optional<bool>(Granted()));
    EXPECT_EQ(Writes(), Framed({{9138, {1}}}));
    EXPECT_EQ(ReadQhLoopTestMode(Master(), 2), Granted());
    EXPECT_FALSE(Sim().Unlocked());
}

TEST_P(QhLoopTestTest, VoltagesAreWrittenOnlyWhileChannelOneIsInLoopTest)
{
    ASSERT_EQ(SwitchQhLoopTest(Master(), 2, true).switched, Granted());
    ClearLog();
    const QhLoopTestWrite second = WriteQhLoopTestValues(Master(), 2, *copy_);
    EXPECT_EQ(second.written, Granted());
    EXPECT_FALSE(second.commonWritten);
    EXPECT_EQ(Writes(),
              Framed({{64 + 64, Block(*copy_, 886, 5)}, {576 + 192, Block(*copy_, 1006, 16)}}));
    if (!Granted())
        return;
    EXPECT_EQ(second.notice, LoadText(25001));
    EXPECT_NE(copy_->items[862], 862000); // the device's voltage read back

    ASSERT_TRUE(SwitchQhLoopTest(Master(), 0, true).switched);
    ClearLog();
    copy_->items[862] = 23000;
    const QhLoopTestWrite first = WriteQhLoopTestValues(Master(), 2, *copy_);
    EXPECT_TRUE(first.commonWritten);
    EXPECT_TRUE(first.notice.empty());
    EXPECT_EQ(CommandWrites().front(), (Write{0, Block(*copy_, 862, 8)}));
}

INSTANTIATE_TEST_SUITE_P(Protections, QhLoopTestTest,
                         ::testing::Values(Protection::None, Protection::RightPasscode,
                                           Protection::WrongPasscode),
                         ProtectionName);

} // namespace
