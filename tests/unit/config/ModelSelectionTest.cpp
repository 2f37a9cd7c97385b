#include <gtest/gtest.h>

#include <set>

#include "config/ModelSelection.h"
#include "device/DeviceTypeRecord.h"

namespace {

class ModelSelectionTest : public ::testing::Test {
protected:
    std::vector<SelectionEntry> list = BuildSelectionList();
};

TEST_F(ModelSelectionTest, EveryPickableVariantRoundTripsThroughItsTexts)
{
    ASSERT_EQ(list.size(), 78u);
    for (const auto& e : list) {
        SCOPED_TRACE(e.typeId);
        EXPECT_FALSE(e.model.empty());
        EXPECT_FALSE(e.code.empty());
        EXPECT_EQ(TypeIdOfChoice(list, ChoiceOfType(list, e.typeId)), e.typeId);
    }
}

TEST_F(ModelSelectionTest, ModelsAreListedOnceInDisplayOrder)
{
    const auto models = ModelTexts(list);
    const std::vector<std::string> expected = {
        "KTA-",   "KTB-",   "KTBL-",  "KTBC-", "LKTA-", "QGCPW-", "QGMPW-",  "QGEPW-",
        "QHMPW-", "QHCPW-", "QHEPW-", "ZMPW-", "ZMPV-", "ZNPW-",  "ZNPW-U-", "ZNEPW-"};
    EXPECT_EQ(models, expected);
    EXPECT_EQ(std::set<std::string>(models.begin(), models.end()).size(), models.size());
}

TEST_F(ModelSelectionTest, UnpickableTypeShowsTheFirstEntry)
{
    for (int typeId : {33, 34, 57, 58, 59, 65, 68, 69, -1}) {
        const ModelChoice c = ChoiceOfType(list, typeId);
        EXPECT_EQ(c.model, list.front().model);
        EXPECT_EQ(c.code, list.front().code);
        EXPECT_EQ(c.version, list.front().version);
    }
}

TEST_F(ModelSelectionTest, KtaCodesCarryTheirFirmwareRanges)
{
    const auto versions = VersionTexts(list, "KTA-", "1**1 Modbus, Do x1, Di x1");
    EXPECT_EQ(versions, (std::vector<std::string>{"Ver.1.02 or earlier", "Ver.2.00 to 2.31",
                                                  "Ver.2.40 or later"}));
    EXPECT_TRUE(VersionTexts(list, "LKTA-", "1**1 Modbus, Do x1, Di x1").empty());
}

TEST_F(ModelSelectionTest, AnotherModelSelectsItsFirstCodeAndLastFirmware)
{
    ModelChoice c = ChoiceOfType(list, 70);
    ASSERT_TRUE(ApplyModelListChange(c, ModelLevel::Model, "KTB-"));
    EXPECT_TRUE(c.code.empty());
    EXPECT_TRUE(c.version.empty());
    const ModelLists lists = ResolveModelLists(list, c);
    EXPECT_EQ(lists.codeIndex, 0);
    EXPECT_EQ(lists.choice.code, "1**1 Modbus, Do x1, Di x1");
    EXPECT_EQ(lists.choice.version, "Ver.3.00 or later");
    EXPECT_EQ(lists.versionIndex, static_cast<int>(lists.versions.size()) - 1);
    EXPECT_TRUE(lists.versionEnabled);
    EXPECT_EQ(TypeIdOfChoice(list, lists.choice), 39);
}

TEST_F(ModelSelectionTest, AnotherCodeKeepsTheModelAndTakesTheLastFirmware)
{
    ModelChoice c = ChoiceOfType(list, 4);
    ASSERT_TRUE(ApplyModelListChange(c, ModelLevel::Code, "1**2 Ao 4-20mA x4"));
    EXPECT_EQ(c.model, "KTA-");
    const ModelLists lists = ResolveModelLists(list, c);
    EXPECT_EQ(lists.choice.version, "Ver.2.40 or later");
    EXPECT_EQ(TypeIdOfChoice(list, lists.choice), 71);
}

TEST_F(ModelSelectionTest, AModelWithoutFirmwareRangesDisablesTheVersionList)
{
    ModelChoice c = ChoiceOfType(list, 70);
    ApplyModelListChange(c, ModelLevel::Model, "ZNEPW-");
    const ModelLists lists = ResolveModelLists(list, c);
    EXPECT_FALSE(lists.versionEnabled);
    EXPECT_EQ(lists.versionIndex, -1);
    EXPECT_TRUE(lists.choice.version.empty());
    EXPECT_EQ(TypeIdOfChoice(list, lists.choice), 84);
}

TEST_F(ModelSelectionTest, ChoosingTheCurrentTextChangesNothing)
{
    ModelChoice c = ChoiceOfType(list, 70);
    const ModelChoice before = c;
    EXPECT_FALSE(ApplyModelListChange(c, ModelLevel::Model, c.model));
    EXPECT_FALSE(ApplyModelListChange(c, ModelLevel::Code, c.code));
    EXPECT_FALSE(ApplyModelListChange(c, ModelLevel::Version, c.version));
    EXPECT_EQ(c, before);
    EXPECT_TRUE(ApplyModelListChange(c, ModelLevel::Version, "Ver.2.00 to 2.31"));
    EXPECT_EQ(TypeIdOfChoice(list, c), 4);
}

} // namespace
