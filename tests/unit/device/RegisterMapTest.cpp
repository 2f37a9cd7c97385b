#include <gtest/gtest.h>

#include "device/ParameterDescriptor.h"
#include "device/RegisterMap.h"

namespace {

CDeviceType TypeOf(int typeId)
{
    CDeviceType t;
    t.SelectById(typeId);
    return t;
}

int FirstTypeIdWith(Capabilities mask)
{
    for (const DeviceTypeRecord& r : DeviceCatalogue())
        if (r.Caps() & mask)
            return r.typeId;
    return -1;
}

} // namespace

TEST(RegisterMap, SizesAndEndpoints)
{
    ASSERT_EQ(MainRegisterMap().size(), size_t(kMainRegisterMapEntries));
    ASSERT_EQ(QhRegisterMap().size(), size_t(kQhRegisterMapEntries));
    EXPECT_EQ(MainRegisterMap().front().reg, 5200);
    EXPECT_EQ(MainRegisterMap().back().reg, 7724);
    EXPECT_EQ(QhRegisterMap().front().reg, 25502);
    EXPECT_EQ(QhRegisterMap().back().reg, 9072);
}

TEST(RegisterMap, ThirtyTwoBitEntriesCoverTwoRegistersPerValue)
{
    const RegisterBlock& currents = MainRegisterMap()[95];
    ASSERT_TRUE(currents.Is32Bit());
    EXPECT_EQ(currents.RegisterCount(), 12);
    EXPECT_EQ(currents.EndRegister(), 6780);
    EXPECT_EQ(currents.EndWord(), 124);
    EXPECT_EQ(MainRegisterMap()[94].EndRegister(), 6755);
}

// Every block that download sends must be closed by its last applicable entry;
// an open block at the end of the map would never be written.
TEST(RegisterMap, EachMapEndsWithAClosedBlock)
{
    EXPECT_TRUE(MainRegisterMap().back().endsBlock);
    EXPECT_TRUE(QhRegisterMap().back().endsBlock);
}

// Entries of one pending block are contiguous in register order and fit the
// 128-register download buffer.
TEST(RegisterMap, PendingBlocksAreAscendingAndFitTheWriteBuffer)
{
    for (const auto* map : {&MainRegisterMap(), &QhRegisterMap()}) {
        int start = -1;
        int last = 0;
        for (const RegisterBlock& e : *map) {
            if (start < 0) {
                start = e.reg;
            } else {
                EXPECT_GE(e.reg, last) << "entry at " << e.reg;
            }
            last = e.EndRegister();
            EXPECT_LE(last - start, 128) << "block from " << start;
            if (e.endsBlock)
                start = -1;
        }
    }
}

TEST(RegisterMap, QhVariantsUseTheQhMapAndNoWordOrderRegister)
{
    const CDeviceType qh = TypeOf(FirstTypeIdWith(CapQh));
    ASSERT_TRUE(qh.Has(CapQh));
    EXPECT_EQ(RegisterMapKindFor(qh), RegisterMapKind::Qh);
    EXPECT_EQ(&RegisterMapFor(qh), &QhRegisterMap());
    EXPECT_FALSE(HasWordOrderRegister(qh));

    const CDeviceType kta = TypeOf(0);
    EXPECT_EQ(RegisterMapKindFor(kta), RegisterMapKind::Main);
    EXPECT_EQ(&RegisterMapFor(kta), &MainRegisterMap());
    EXPECT_TRUE(HasWordOrderRegister(kta));
}

TEST(RegisterMap, EveryResolvedVariantHasApplicableEntriesInItsMap)
{
    for (const DeviceTypeRecord& r : DeviceCatalogue()) {
        const CDeviceType t = TypeOf(r.typeId);
        int applied = 0;
        for (const RegisterBlock& e : RegisterMapFor(t))
            applied += EntryApplies(e, t) ? 1 : 0;
        EXPECT_GT(applied, 0) << "type id " << r.typeId;
    }
}

TEST(RegisterMap, UnresolvedIdentityUsesTheMainMapWithNoEntryApplying)
{
    CDeviceType unknown;
    unknown.modelCode = 1;
    unknown.Resolve();
    ASSERT_EQ(unknown.CatalogueIndex(), -1);
    EXPECT_EQ(&RegisterMapFor(unknown), &MainRegisterMap());
    for (const RegisterBlock& e : MainRegisterMap())
        EXPECT_FALSE(EntryApplies(e, unknown));
}

TEST(RegisterMap, EitherHalfOfTheMaskSuffices)
{
    const RegisterBlock& deviceAddress = MainRegisterMap()[18]; // 0x20000, 0x200
    EXPECT_TRUE(EntryApplies(deviceAddress, CapModbusRtu));
    EXPECT_TRUE(EntryApplies(deviceAddress, CapZmZnModbus));
    EXPECT_FALSE(EntryApplies(deviceAddress, CapHigh(0x20000) | 0x200));
}

struct MapUnderTest {
    const char* name;
    const std::vector<RegisterBlock>& (*map)();
    int ParameterDescriptor::*reg;
};

void PrintTo(const MapUnderTest& m, std::ostream* os)
{
    *os << m.name;
}

class RegisterMapDescriptors : public ::testing::TestWithParam<MapUnderTest> {};

TEST_P(RegisterMapDescriptors, EveryWordHasTheEntrysRegisterInItsDescriptor)
{
    for (const RegisterBlock& e : GetParam().map()) {
        ASSERT_LE(e.EndWord(), kParameterWords) << "entry at " << e.reg;
        for (int i = 0; i < e.WordCount(); ++i) {
            const ParameterDescriptor& d = GetParameterDescriptor(e.firstWord + i);
            EXPECT_EQ(d.*GetParam().reg, e.reg + i) << "word " << e.firstWord + i;
        }
    }
}

// Descriptor masks serve both maps and the report, so they need not equal an
// entry's mask; but an entry must carry each of its words for at least one
// variant that the word means something to, or one of the two masks is wrong.
// The one exception: the QH serial-line block 9088-9092 carries t1.5, t3.5 and
// Long register along with Parity and Stop, though no QH variant shows them.
TEST_P(RegisterMapDescriptors, EveryWordMeansSomethingToAVariantItsEntryServes)
{
    for (const RegisterBlock& e : GetParam().map()) {
        for (int w = e.firstWord; w < e.EndWord(); ++w) {
            if (e.reg == 9088 && w >= 152)
                continue;
            bool served = false;
            for (const DeviceTypeRecord& r : DeviceCatalogue()) {
                const CDeviceType t = TypeOf(r.typeId);
                served = served || (&RegisterMapFor(t) == &GetParam().map() && EntryApplies(e, t) &&
                                    DescriptorApplies(w, t));
            }
            EXPECT_TRUE(served) << "entry at " << e.reg << ", word " << w;
        }
    }
}

TEST_P(RegisterMapDescriptors, NoWordIsCarriedTwice)
{
    std::vector<int> carriedBy(kParameterWords, -1);
    for (const RegisterBlock& e : GetParam().map()) {
        for (int w = e.firstWord; w < e.EndWord(); ++w) {
            EXPECT_EQ(carriedBy[size_t(w)], -1) << "word " << w << " at " << e.reg;
            carriedBy[size_t(w)] = e.reg;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Maps, RegisterMapDescriptors,
    ::testing::Values(MapUnderTest{"Main", &MainRegisterMap, &ParameterDescriptor::mainRegister},
                      MapUnderTest{"Qh", &QhRegisterMap, &ParameterDescriptor::qhRegister}),
    [](const auto& info) { return std::string(info.param.name); });

// A setting that a variant shows and edits must reach its device: every word
// that applies to a variant is carried by an entry of its map that applies too.
TEST(RegisterMapCoverage, EveryApplicableWordIsTransferred)
{
    for (const DeviceTypeRecord& r : DeviceCatalogue()) {
        const CDeviceType t = TypeOf(r.typeId);
        std::vector<bool> carried(kParameterWords, false);
        for (const RegisterBlock& e : RegisterMapFor(t))
            if (EntryApplies(e, t))
                for (int w = e.firstWord; w < e.EndWord(); ++w)
                    carried[size_t(w)] = true;
        for (int w = 0; w < kParameterWords; ++w) {
            if (DescriptorApplies(w, t)) {
                EXPECT_TRUE(carried[size_t(w)]) << "type id " << r.typeId << ", word " << w;
            }
        }
    }
}
