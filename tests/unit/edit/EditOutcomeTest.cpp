#include <gtest/gtest.h>

#include "edit/EditOutcome.h"

namespace {

struct TextKeyCase {
    const char* name;
    EditKey key;
    int caret;
    int length;
    std::optional<EditOutcome> expected;
};

class EditTextKeys : public ::testing::TestWithParam<TextKeyCase> {};

TEST_P(EditTextKeys, KeyEndsOrContinuesTheEdit)
{
    const TextKeyCase& c = GetParam();
    EXPECT_EQ(EditTextKeyOutcome(c.key, c.caret, c.length), c.expected);
}

const EditOutcome kStay{true, EditMove::Stay};
const EditOutcome kDown{true, EditMove::Down};
const EditOutcome kUp{true, EditMove::Up};
const EditOutcome kLeft{true, EditMove::Left};
const EditOutcome kRight{true, EditMove::Right};
const EditOutcome kDiscard{false, EditMove::Stay};

INSTANTIATE_TEST_SUITE_P(
    Keys, EditTextKeys,
    ::testing::Values(TextKeyCase{"EnterAccepts", EditKey::Enter, 2, 4, kStay},
                      TextKeyCase{"EnterWithAllSelected", EditKey::Enter, 4, 4, kStay},
                      TextKeyCase{"DownMovesDown", EditKey::Down, 1, 4, kDown},
                      TextKeyCase{"UpMovesUp", EditKey::Up, 1, 4, kUp},
                      TextKeyCase{"LeftAtStart", EditKey::Left, 0, 4, kLeft},
                      TextKeyCase{"LeftInEmptyText", EditKey::Left, 0, 0, kLeft},
                      TextKeyCase{"LeftInMiddle", EditKey::Left, 2, 4, std::nullopt},
                      TextKeyCase{"RightAtEnd", EditKey::Right, 4, 4, kRight},
                      TextKeyCase{"RightInMiddle", EditKey::Right, 2, 4, std::nullopt},
                      TextKeyCase{"EscapeDiscards", EditKey::Escape, 2, 4, kDiscard},
                      TextKeyCase{"TabCommitsRight", EditKey::Tab, 2, 4, kRight},
                      TextKeyCase{"BackTabCommitsLeft", EditKey::BackTab, 2, 4, kLeft},
                      TextKeyCase{"TypingContinues", EditKey::Other, 2, 4, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditComboKeys, LeftAndRightLeaveTheCellAccepted)
{
    EXPECT_EQ(EditComboKeyOutcome(EditKey::Left), kLeft);
    EXPECT_EQ(EditComboKeyOutcome(EditKey::Right), kRight);
    EXPECT_EQ(EditComboKeyOutcome(EditKey::Enter), kStay);
    EXPECT_EQ(EditComboKeyOutcome(EditKey::Escape), kDiscard);
}

TEST(EditComboKeys, UpAndDownChangeTheChoiceOnly)
{
    EXPECT_FALSE(EditComboKeyOutcome(EditKey::Up));
    EXPECT_FALSE(EditComboKeyOutcome(EditKey::Down));
    EXPECT_FALSE(EditComboKeyOutcome(EditKey::Other));
}

TEST(NeighbourCell, StepsOneCellInTheDirection)
{
    const CellPos c{2, 3};
    EXPECT_EQ(NeighbourCell(c, EditMove::Down), (CellPos{2, 4}));
    EXPECT_EQ(NeighbourCell(c, EditMove::Up), (CellPos{2, 2}));
    EXPECT_EQ(NeighbourCell(c, EditMove::Left), (CellPos{1, 3}));
    EXPECT_EQ(NeighbourCell(c, EditMove::Right), (CellPos{3, 3}));
    EXPECT_EQ(NeighbourCell(c, EditMove::Stay), c);
}

TEST(EditMoveCodes, KeepTheirNumbers)
{
    EXPECT_EQ(static_cast<int>(EditMove::Down), 1);
    EXPECT_EQ(static_cast<int>(EditMove::Up), 2);
    EXPECT_EQ(static_cast<int>(EditMove::Left), 3);
    EXPECT_EQ(static_cast<int>(EditMove::Right), 4);
    EXPECT_EQ(static_cast<int>(ParEditKind::ListChoice), 1);
    EXPECT_EQ(static_cast<int>(ParEditKind::Text), 2);
}

} // namespace
