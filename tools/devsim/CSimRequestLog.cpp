#include "CSimRequestLog.h"

namespace {

const char* TransportName(SimTransport t)
{
    switch (t) {
    case SimTransport::Tcp:
        return "tcp";
    case SimTransport::Rtu:
        return "rtu";
    case SimTransport::Direct:
        break;
    }
    return "direct";
}

} // namespace

std::string SimRequestRecord::Format() const
{
    std::string line = TransportName(transport);
    line += " fn=" + std::to_string(function);
    if (address >= 0)
        line += " addr=" + std::to_string(address) + " count=" + std::to_string(count);
    if (!values.empty()) {
        line += " values=";
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i)
                line += ',';
            line += std::to_string(values[i]);
        }
    }
    line += " -> " + outcome;
    return line;
}

CSimRequestLog::~CSimRequestLog()
{
    if (file_)
        std::fclose(file_);
}

bool CSimRequestLog::OpenFile(const std::string& path)
{
    std::lock_guard lock(mutex_);
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(path.c_str(), "a");
    return file_ != nullptr;
}

void CSimRequestLog::Add(const SimRequestRecord& record)
{
    {
        std::lock_guard lock(mutex_);
        records_.push_back(record);
        if (records_.size() > kRetained)
            records_.pop_front();
        ++total_;
        if (file_) {
            std::fprintf(file_, "%s\n", record.Format().c_str());
            std::fflush(file_);
        }
    }
    added_.notify_all();
}

std::vector<SimRequestRecord> CSimRequestLog::Records() const
{
    std::lock_guard lock(mutex_);
    return {records_.begin(), records_.end()};
}

std::size_t CSimRequestLog::Size() const
{
    std::lock_guard lock(mutex_);
    return total_;
}

void CSimRequestLog::Clear()
{
    std::lock_guard lock(mutex_);
    records_.clear();
    total_ = 0;
}

bool CSimRequestLog::WaitForSize(std::size_t n, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return added_.wait_for(lock, timeout, [&] { return total_ >= n; });
}
