#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "comm/CModbusReader.h"
#include "device/CDeviceType.h"

class CMeasurandsKTA;
class CModbusInterface;

// The read jobs of the ZN monitor window, in the order the window chains them.
enum class ZnJob { DeviceInformation, PageValues, Thd, Spectrum };
ZnJob NextZnJob(ZnJob job);

// What the window shows while a job runs: the page mode of tab 1001 (0 Trend,
// 1 Max, 2 Min, 3 Energy) and the THD item whose spectrum the graph shows.
struct ZnJobSelections {
    int pageMode = 0;
    int thdItem = 366;
};

// The register blocks a page job reads for a page mode, in reading order:
// the instantaneous values of both systems, then those of the mode.
std::span<const ModbusBlock> ZnInstantaneousBlocks();
std::span<const ModbusBlock> ZnPageModeBlocks(int pageMode);
std::span<const ModbusBlock> ZnThdBlocks();

// Runs the jobs of one ZN monitor window against its image. Each job takes the
// master's access lock, opens the connection, reads, and closes it again; a
// communication error ends the job and keeps what it read before. A job runs
// on whatever thread calls Run: the window's background executor, or the
// command line's own thread.
class CZnMonitorJobs {
public:
    // Neither is owned; both outlive every job.
    CZnMonitorJobs(CMeasurandsKTA& image, CModbusInterface& master);

    // True when the job completed. False after a communication error (its
    // text in LastError()) or when Stop() cut it short.
    bool Run(ZnJob job, const ZnJobSelections& selections);

    // From any thread: the running job ends at its next read and the
    // master's pending call is cut short. No job does anything afterwards.
    void Stop();
    bool IsRunning() const { return running_; }

    // The device that the last device-information job identified.
    CDeviceType ConnectedDevice() const;
    // Whether that device is of the ZN family (its window fits it).
    bool IsZnDevice() const;
    std::string LastError() const;
    // A new device address, taken over by the next job under the master's lock.
    void SetDeviceAddress(int address) { pendingAddress_ = address; }

private:
    class Reads;

    void Execute(Reads& reads, ZnJob job, const ZnJobSelections& selections);
    void ReadDeviceInformation(Reads& reads);
    void ReadRatings(Reads& reads);
    void ReadPage(Reads& reads, int pageMode);
    void ReadThd(Reads& reads);
    void ReadSpectrum(Reads& reads, int thdItem);
    void ApplyPendingAddress();
    std::uint32_t Combine(std::uint16_t first, std::uint16_t second) const;

    CMeasurandsKTA& image_;
    CModbusInterface& master_;
    CModbusReader blocks_;
    std::atomic<bool> running_{true};
    std::atomic<int> pendingAddress_{-1};
    mutable std::mutex mutex_;
    CDeviceType device_;    // guarded by mutex_
    std::string lastError_; // guarded by mutex_
};
