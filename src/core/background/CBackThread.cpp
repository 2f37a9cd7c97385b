#include "background/CBackThread.h"

#include <exception>

#include "app/DebugLog.h"

CBackThread::CBackThread(CommandHandler& handler) : handler_(handler) {}

CBackThread::~CBackThread()
{
    if (!thread_.joinable())
        return;
    running_ = false;
    PostCommand(kStopCommand);
    Join();
}

void CBackThread::Start()
{
    if (thread_.joinable())
        return;
    running_ = true;
    thread_ = std::thread([this] { Run(); });
}

bool CBackThread::PostCommand(std::int32_t command, std::intptr_t argument)
{
    {
        std::lock_guard lock(queueMutex_);
        if (stopQueued_)
            return false;
        commands_.push_back({command, argument});
        stopQueued_ = command == kStopCommand;
    }
    queued_.notify_one();
    return true;
}

void CBackThread::Join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

CBackThread::Command CBackThread::NextCommand()
{
    std::unique_lock lock(queueMutex_);
    queued_.wait(lock, [this] { return !commands_.empty(); });
    const Command next = commands_.front();
    commands_.pop_front();
    return next;
}

void CBackThread::Run()
{
    for (;;) {
        const Command command = NextCommand();
        currentCommand_ = command.number;
        if (command.number == kStopCommand)
            return;
        try {
            handler_.ExecuteCommand(*this, command.number, command.argument);
        } catch (const std::exception& e) {
            // The handler reports communication errors itself; anything else
            // must not end the process from a worker thread.
            error_ = true;
            DebugPrintf("Monitor command %d failed: %s\n", int(command.number), e.what());
        }
    }
}
