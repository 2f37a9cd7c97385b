#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "SimOptions.h"

// One request as the device saw it, and what became of it.
struct SimRequestRecord {
    SimTransport transport = SimTransport::Direct;
    int function = 0;
    int address = -1; // -1 when the request did not carry one
    int count = 0;
    std::vector<std::uint16_t> values; // written values, wire order
    std::string outcome;               // "ok", "exception N", "dropped", "restart"

    // "tcp fn=16 addr=4944 count=1 values=1 -> ok"
    std::string Format() const;
};

// Thread-safe record of every request, optionally mirrored to a file line by line.
class CSimRequestLog {
public:
    CSimRequestLog() = default;
    ~CSimRequestLog();
    CSimRequestLog(const CSimRequestLog&) = delete;
    CSimRequestLog& operator=(const CSimRequestLog&) = delete;

    // Returns false when the file cannot be opened for appending.
    bool OpenFile(const std::string& path);
    void Add(const SimRequestRecord& record);

    // The most recent records (at most kRetained); older ones stay only in the file.
    std::vector<SimRequestRecord> Records() const;
    // Records added since the start or the last Clear(), retained or not.
    std::size_t Size() const;
    void Clear();
    // Waits until at least n records exist; false on time-out.
    bool WaitForSize(std::size_t n, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable added_;
    static constexpr std::size_t kRetained = 100000;
    std::deque<SimRequestRecord> records_;
    std::size_t total_ = 0;
    std::FILE* file_ = nullptr;
};
