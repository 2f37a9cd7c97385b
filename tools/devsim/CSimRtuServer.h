#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "CDeviceSimulator.h"
#include "CSimWakeEvent.h"

// Modbus-RTU in front of a simulator on a pseudo-terminal: a master opens
// Path() like a serial port. Frames are delimited by their function code's
// length, and by a pause on the line for functions of unknown length; frames
// with a wrong CRC or for another unit id are ignored as on a real bus;
// unit id 0 (broadcast) is executed without an answer.
class CSimRtuServer {
public:
    // Opens the pseudo-terminal and starts serving; throws std::runtime_error.
    CSimRtuServer(CDeviceSimulator& simulator, int unit);
    ~CSimRtuServer();
    CSimRtuServer(const CSimRtuServer&) = delete;
    CSimRtuServer& operator=(const CSimRtuServer&) = delete;

    void Stop();
    const std::string& Path() const { return path_; }

private:
    void Run();
    void Consume(bool lineIdle);
    void ServeFrame(const std::uint8_t* frame, std::size_t length);
    bool WriteAll(const std::vector<std::uint8_t>& bytes);
    // Closes both ends of the pseudo-terminal: the master's port hangs up.
    void HangUp();

    CDeviceSimulator& simulator_; // not owned: outlives the server
    const int unit_;
    CSimWakeEvent wake_;
    int masterFd_ = -1;
    int slaveFd_ = -1; // held open so that the line survives a master closing the port
    std::string path_;
    std::vector<std::uint8_t> buffer_;
    int requests_ = 0;
    std::thread thread_;
};
