#include <gtest/gtest.h>

#include <set>

#include "device/CDeviceType.h"
#include "text/CStringTable.h"

namespace {

CDeviceType Identity(uint16_t model, uint16_t version, uint16_t option, IoWords io)
{
    CDeviceType t;
    t.modelCode = model;
    t.firmwareVersion = version;
    t.optionCode = option;
    t.ioWords = io;
    t.Resolve();
    return t;
}

} // namespace

TEST(Catalogue, StorageOrderDiffersFromTypeIdOnlyAtTheEnd)
{
    const auto& rows = DeviceCatalogue();
    for (int i = 0; i <= 78; ++i)
        EXPECT_EQ(rows[size_t(i)].typeId, i);
    const int tail[] = {80, 81, 79, 82, 83, 85, 84};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(rows[size_t(79 + i)].typeId, tail[i]);
    EXPECT_EQ(CatalogueRowOfTypeId(84), 85);
    EXPECT_EQ(CatalogueRowOfTypeId(86), -1);
}

TEST(Catalogue, FirmwareBoundaryBetweenKtaGenerations)
{
    EXPECT_EQ(Identity(4711, 0x00F0, 0x0002, {1, 1, 0, 0, 0}).TypeId(), 70);
    EXPECT_EQ(Identity(4711, 0x00EF, 0x0002, {1, 1, 0, 0, 0}).TypeId(), 4);
    EXPECT_EQ(Identity(4711, 0x00EF, 0x0002, {1, 1, 0, 0, 0}).CatalogueIndex(), 4);
}

TEST(Catalogue, AlternativeIoWordsMatchQgTwoInputVariants)
{
    EXPECT_EQ(Identity(4731, 0x0100, 0x0090, {0, 0, 0, 2, 8}).TypeId(), 34);
    EXPECT_EQ(Identity(4731, 0x0100, 0x0110, {0, 0, 0, 2, 8}).TypeId(), 36);
    EXPECT_EQ(Identity(4731, 0x0100, 0x0012, {0, 0, 0, 2, 8}).TypeId(), 38);
    EXPECT_EQ(Identity(4731, 0x0100, 0x0410, {0, 0, 0, 2, 8}).TypeId(), 63);
    EXPECT_EQ(Identity(4731, 0x0100, 0x0410, {0, 0, 0, 2, 0}).TypeId(), 63);
    // QH rows carry 8 8 0 8 8 as their alternative.
    EXPECT_EQ(Identity(4741, 0, 0x0002, {8, 8, 0, 8, 8}).TypeId(), 52);
}

TEST(Catalogue, UnmatchedIdentityHasNoCapabilities)
{
    const CDeviceType t = Identity(4711, 0x0100, 0xFFFF & kOptionCodeMask, {1, 1, 0, 0, 0});
    EXPECT_EQ(t.CatalogueIndex(), -1);
    EXPECT_EQ(t.TypeId(), -1);
    EXPECT_EQ(t.Caps(), 0u);
    EXPECT_FALSE(t.Has(~Capabilities(0)));
    EXPECT_EQ(t.Record(), nullptr);
}

TEST(Catalogue, SelectByIdTakesTheLowestVersionAndIgnoresUnknownIds)
{
    CDeviceType t;
    t.SelectById(84);
    EXPECT_EQ(t.CatalogueIndex(), 85);
    EXPECT_EQ(t.modelCode, 4762);
    EXPECT_TRUE(t.Has(CapZnepw));
    t.SelectById(70);
    EXPECT_EQ(t.firmwareVersion, 0x00F0);
    t.SelectById(86);
    EXPECT_EQ(t.TypeId(), 70);
    t.SelectById(-1);
    EXPECT_EQ(t.TypeId(), 70);
    // Every id selects a row whose identity resolves back to the same row,
    // except where an earlier row already matches the same identity.
    for (const auto& r : DeviceCatalogue()) {
        CDeviceType s;
        s.SelectById(r.typeId);
        EXPECT_EQ(s.TypeId(), r.typeId);
        s.Resolve();
        EXPECT_GE(s.TypeId(), 0) << r.typeId;
    }
}

// The capability table names, for each bit, the type ids that carry it.
TEST(Catalogue, CapabilityBitsMatchTheirTypeIdLists)
{
    auto range = [](int a, int b) {
        std::set<int> s;
        for (int i = a; i <= b; ++i)
            s.insert(i);
        return s;
    };
    auto join = [](std::set<int> a, const std::set<int>& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const std::vector<std::pair<Capabilities, std::set<int>>> expected = {
        {CapCcLink, {29, 30, 31, 32, 47, 48}},
        {CapZmpv, {82}},
        {CapZnpwU, {85}},
        {CapKtaKtbMain, join(join(range(0, 32), range(39, 48)), range(70, 78))},
        {CapKta, join(join({0}, range(4, 12)), range(70, 78))},
        {CapKtb, join(range(1, 3), join(range(13, 32), range(39, 48)))},
        {CapKtaGen2, join(range(4, 12), range(70, 78))},
        {CapKtbGen2, join(range(13, 32), range(39, 48))},
        {CapQg, join(range(33, 38), {62, 63})},
        {CapLkta, join(range(49, 51), range(53, 58))},
        {CapQh, join({52}, join(range(59, 61), range(64, 67)))},
        {CapQhBase, join({52}, join(range(59, 61), range(64, 67)))},
        {CapQhExt, range(64, 67)},
        {CapLktas, {68, 69}},
        {CapZm, range(79, 82)},
        {CapZmZnModbus, {79, 82, 83, 84, 85}},
        {CapZnpw, {83, 85}},
        {CapZnepw, {84}},
        {CapGen3, range(70, 85)},
        {CapZmAo, {80}},
        {CapQgInput, {34, 36, 38, 63}},
        {CapKtbV3, range(39, 48)},
    };
    for (const auto& [mask, ids] : expected) {
        std::set<int> actual;
        for (const auto& r : DeviceCatalogue())
            if (r.Caps() & mask)
                actual.insert(r.typeId);
        EXPECT_EQ(actual, ids) << std::hex << mask;
    }
}

TEST(Catalogue, SelectionListHas78OfferedIdsWithTexts)
{
    const auto& list = DeviceSelectionList();
    ASSERT_EQ(list.size(), 78u);
    std::set<int> offered;
    for (const auto& [textId, typeId] : list) {
        EXPECT_NE(CatalogueRowOfTypeId(typeId), -1);
        EXPECT_EQ(textId, DeviceTypeTextId(typeId));
        EXPECT_FALSE(LoadText(textId).empty()) << textId;
        offered.insert(typeId);
    }
    EXPECT_EQ(offered.size(), 78u);
    for (int hidden : {33, 34, 57, 58, 59, 65, 68, 69})
        EXPECT_EQ(offered.count(hidden), 0u) << hidden;
    EXPECT_EQ(LoadText(3568), "");
    EXPECT_EQ(LoadText(DeviceTypeTextId(84)), "ZNEPW-|2*3 Modbus, Do x2");
}

TEST(Catalogue, DisplayTextSplitsIntoThreeFields)
{
    auto t = SplitDeviceTypeText("KTA-|1**1 Modbus, Do x1, Di x1|Ver.2.40 or later");
    EXPECT_EQ(t.model, "KTA-");
    EXPECT_EQ(t.suffix, "1**1 Modbus, Do x1, Di x1");
    EXPECT_EQ(t.firmware, "Ver.2.40 or later");
    t = SplitDeviceTypeText("ZMPW-|1*1 Ao x1");
    EXPECT_EQ(t.suffix, "1*1 Ao x1");
    EXPECT_EQ(t.firmware, "");
}
