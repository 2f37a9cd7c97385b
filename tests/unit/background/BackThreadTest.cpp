#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestEvents.h"
#include "background/CBackThread.h"

namespace {

// Logs each command; command 99 fails with a communication error the way the
// poll commands report it, command 98 throws past the handler.
class ScriptedCommands : public CBackThread::CommandHandler {
public:
    void ExecuteCommand(CBackThread& worker, std::int32_t command, std::intptr_t argument) override
    {
        if (command == 98)
            throw std::runtime_error("unexpected");
        worker.SetError(command == 99);
        log.Add(std::to_string(command) + ":" + std::to_string(argument) + ":" +
                std::to_string(worker.Channel()) + (worker.IsRunning() ? "" : ":stopped"));
    }
    EventLog log;
};

using Lines = std::vector<std::string>;

} // namespace

TEST(BackThread, RunsPostedCommandsInOrderAndCommandZeroEndsIt)
{
    ScriptedCommands commands;
    CBackThread worker(commands);
    EXPECT_TRUE(worker.PostCommand(1)); // queued before the start, as the window does
    worker.Start();
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_TRUE(worker.PostCommand(8, 3));
    worker.SetChannel(1);
    EXPECT_TRUE(worker.PostCommand(2));
    ASSERT_TRUE(commands.log.WaitForCount(3));
    EXPECT_TRUE(worker.PostCommand(CBackThread::kStopCommand));
    EXPECT_FALSE(worker.PostCommand(3));
    worker.Join();
    EXPECT_FALSE(worker.IsStarted());
    EXPECT_EQ(worker.CurrentCommand(), CBackThread::kStopCommand);
    const Lines lines = commands.log.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 4), "1:0:");
    EXPECT_EQ(lines[1].substr(0, 4), "8:3:");
    EXPECT_EQ(lines[2], "2:0:1");
}

TEST(BackThread, CommandsQueuedBehindTheStopNeverRun)
{
    ScriptedCommands commands;
    CBackThread worker(commands);
    worker.PostCommand(1);
    worker.PostCommand(CBackThread::kStopCommand);
    worker.PostCommand(2);
    worker.Start();
    worker.Join();
    EXPECT_EQ(commands.log.Lines(), (Lines{"1:0:0"}));
}

TEST(BackThread, ErrorFlagFollowsTheLastCommand)
{
    ScriptedCommands commands;
    CBackThread worker(commands);
    worker.Start();
    worker.PostCommand(99);
    ASSERT_TRUE(commands.log.WaitForCount(1));
    EXPECT_TRUE(worker.HasError());
    worker.PostCommand(1);
    ASSERT_TRUE(commands.log.WaitForCount(2));
    EXPECT_FALSE(worker.HasError());
}

TEST(BackThread, EscapingExceptionSetsTheErrorFlagAndTheWorkerCarriesOn)
{
    ScriptedCommands commands;
    CBackThread worker(commands);
    worker.Start();
    worker.PostCommand(98);
    worker.PostCommand(CBackThread::kStopCommand);
    worker.Join();
    EXPECT_TRUE(worker.HasError());
}

TEST(BackThread, DestroyingAStartedWorkerEndsAndJoinsIt)
{
    ScriptedCommands commands;
    {
        CBackThread worker(commands);
        worker.Start();
        worker.PostCommand(1);
    }
    const Lines lines = commands.log.Lines();
    ASSERT_EQ(lines.size(), 1u); // queued before command 0, so it ran
    EXPECT_EQ(lines[0].substr(0, 5), "1:0:0");
}
