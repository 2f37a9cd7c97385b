#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CTerminalProgress.h"
#include "CTerminalPrompts.h"

namespace {

// A prompt service reading scripted input and writing into a buffer.
class TerminalPromptsTest : public ::testing::Test {
protected:
    void Input(const std::string& text)
    {
        input_ = text;
        in_ = fmemopen(input_.data(), input_.size(), "r");
        out_ = open_memstream(&outBuffer_, &outSize_);
        prompts_.emplace(in_, out_);
    }
    void TearDown() override
    {
        if (in_)
            std::fclose(in_);
        if (out_)
            std::fclose(out_);
        std::free(outBuffer_);
    }
    std::string Output()
    {
        std::fflush(out_);
        return std::string(outBuffer_, outSize_);
    }
    CTerminalPrompts& Prompts() { return *prompts_; }

private:
    std::string input_;
    std::FILE* in_ = nullptr;
    std::FILE* out_ = nullptr;
    char* outBuffer_ = nullptr;
    std::size_t outSize_ = 0;
    std::optional<CTerminalPrompts> prompts_;
};

TEST_F(TerminalPromptsTest, PasscodeIsReadLikeTheDialogsEdit)
{
    Input("0x1F\n12ab\n");
    EXPECT_EQ(Prompts().EnterModbusPasscode(), 31u);
    EXPECT_EQ(Prompts().EnterModbusPasscode(), 0u); // trailing letters count as 0
    EXPECT_NE(Output().find("Enter Modbus passcode"), std::string::npos);
}

TEST_F(TerminalPromptsTest, EmptyLineOrEndOfInputCancelsThePasscode)
{
    Input("\n");
    EXPECT_EQ(Prompts().EnterModbusPasscode(), std::nullopt);
    EXPECT_EQ(Prompts().EnterModbusPasscode(), std::nullopt);
}

TEST_F(TerminalPromptsTest, GivenPasscodeIsUsedWithoutAsking)
{
    Input("");
    Prompts().SetPasscode(777);
    EXPECT_EQ(Prompts().EnterModbusPasscode(), 777u);
    EXPECT_EQ(Output(), "");
}

TEST_F(TerminalPromptsTest, QuestionsNeedAnExplicitYes)
{
    Input("y\nno\n\nYES\r\n");
    EXPECT_TRUE(Prompts().AskYesNo("Are you sure?"));
    EXPECT_FALSE(Prompts().AskYesNo("Are you sure?"));
    EXPECT_FALSE(Prompts().AskYesNo("Are you sure?"));
    EXPECT_EQ(Prompts().ShowMessage("Go?", PromptIcon::Question, PromptButtons::OkCancel),
              PromptResult::Ok);
    EXPECT_FALSE(Prompts().AskYesNo("Are you sure?")); // end of input declines
}

TEST_F(TerminalPromptsTest, ErrorsAreShownWithTerminalLineBreaksAndRemembered)
{
    Input("");
    EXPECT_FALSE(Prompts().ErrorShown());
    Prompts().Error("Communication error.\r\rError Information:\rtimeout");
    EXPECT_TRUE(Prompts().ErrorShown());
    EXPECT_EQ(Output(), "Communication error.\n\nError Information:\ntimeout\n");
}

TEST_F(TerminalPromptsTest, ConnectHandsOutTheCommandLinesSettingsOnly)
{
    Input("");
    ComSettings s;
    EXPECT_FALSE(Prompts().ConnectDialog(s));
    ComSettings given;
    given.mode = ConnectionMode::Tcp;
    given.serverAddress = "10.0.0.2";
    Prompts().SetConnection(given);
    EXPECT_TRUE(Prompts().ConnectDialog(s));
    EXPECT_EQ(s.serverAddress, "10.0.0.2");
}

TEST(TerminalText, TurnsCarriageReturnsIntoLineBreaks)
{
    EXPECT_EQ(TerminalText("a\r\nb\rc\r"), "a\nb\nc\n");
}

TEST(TerminalProgressBar, FillsInProportionAndClamps)
{
    EXPECT_EQ(CTerminalProgress::Bar("Up", 50, 10), "Up [#####-----]  50%");
    EXPECT_EQ(CTerminalProgress::Bar("Up", 0, 4), "Up [----]   0%");
    EXPECT_EQ(CTerminalProgress::Bar("Up", 130, 4), "Up [####] 100%");
}

} // namespace
