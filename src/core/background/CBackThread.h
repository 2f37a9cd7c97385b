#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

// The monitor worker: a thread that runs the commands its window posts, one at
// a time in posting order; command 0 ends it. What a command does belongs to
// the handler (the poll commands of the measured-value image); this class
// keeps the queue and the flags the window reads.
class CBackThread {
public:
    static constexpr std::int32_t kStopCommand = 0;

    class CommandHandler {
    public:
        virtual ~CommandHandler() = default;
        // Runs on the worker thread. Sets the worker's error flag itself (a
        // communication error) and notifies the window when the command is done.
        virtual void ExecuteCommand(CBackThread& worker, std::int32_t command,
                                    std::intptr_t argument) = 0;
    };

    // Not owned: the handler must outlive the thread. Nothing runs before Start().
    explicit CBackThread(CommandHandler& handler);
    // Ends and joins a started thread: clears the running flag and queues command 0.
    ~CBackThread();
    CBackThread(const CBackThread&) = delete;
    CBackThread& operator=(const CBackThread&) = delete;

    // Sets the running flag and starts the thread; commands posted earlier wait for it.
    void Start();
    // False once command 0 has been queued: later commands would never run.
    bool PostCommand(std::int32_t command, std::intptr_t argument = 0);
    // Waits without time-out for the thread to end; post command 0 first.
    void Join();
    bool IsStarted() const { return thread_.joinable(); }

    // Cleared by the window when it closes; every read of a command checks it
    // first and a cleared flag skips the remaining reads.
    bool IsRunning() const { return running_; }
    void SetRunning(bool running) { running_ = running; }
    // Set while the last command failed with a communication error.
    bool HasError() const { return error_; }
    void SetError(bool error) { error_ = error; }
    std::int32_t CurrentCommand() const { return currentCommand_; }
    // 0 = channel 1, 1 = channel 2; the window switches it between commands.
    int Channel() const { return channel_; }
    void SetChannel(int channel) { channel_ = channel; }

private:
    struct Command {
        std::int32_t number;
        std::intptr_t argument;
    };

    void Run();
    Command NextCommand();

    CommandHandler& handler_;
    std::atomic<bool> running_{false};
    std::atomic<bool> error_{false};
    std::atomic<std::int32_t> currentCommand_{-1};
    std::atomic<int> channel_{0};

    std::mutex queueMutex_;
    std::condition_variable queued_;
    std::deque<Command> commands_;
    bool stopQueued_ = false; // guarded by queueMutex_

    std::thread thread_;
};
