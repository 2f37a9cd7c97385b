#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CDeviceSimulator.h"
#include "CPosixFileSystem.h"
#include "CSerialIO.h"
#include "CSimRtuServer.h"
#include "CSimTcpServer.h"
#include "CTcpLink.h"
#include "background/IProgressSink.h"
#include "comm/CModbusInterface.h"
#include "comm/ITransport.h"
#include "device/ParameterSet.h"
#include "support/DeviceOptions.h"
#include "support/ParameterSets.h"

// The platform's links, as the program installs them.
class PlatformTransports : public ITransportFactory {
public:
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings& line) override
    {
        return std::make_unique<CSerialIO>(line);
    }
    std::unique_ptr<ITransport> CreateTcp(const std::string& host, const std::string& port) override
    {
        return std::make_unique<CTcpLink>(host, port);
    }
};

// A simulated device in this process, reached by a master over Modbus/TCP on
// loopback or over Modbus-RTU on a pseudo-terminal.
class SimulatedDevice {
public:
    SimulatedDevice(const SimOptions& options, SimTransport transport)
        : sim_(std::make_unique<CDeviceSimulator>(options))
    {
        SetTransportFactory(&transports_);
        InstallPlatformFiles();
        ComSettings settings;
        if (transport == SimTransport::Tcp) {
            tcp_ = std::make_unique<CSimTcpServer>(*sim_, "127.0.0.1", 0);
            settings.mode = ConnectionMode::Tcp;
            settings.serverAddress = "127.0.0.1";
            settings.servicePort = std::to_string(tcp_->Port());
        } else {
            rtu_ = std::make_unique<CSimRtuServer>(*sim_, options.unit);
            settings.mode = ConnectionMode::Config;
            settings.configPortName = rtu_->Path();
            settings.configPortDisplayName = rtu_->Path();
        }
        settings.address = options.unit;
        master_.SetSettings(settings);
    }
    ~SimulatedDevice()
    {
        master_.Close();
        SetTransportFactory(nullptr);
    }
    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    CModbusInterface& Master() { return master_; }
    CDeviceSimulator& Sim() { return *sim_; }
    std::vector<SimRequestRecord> Requests() const { return sim_->Log().Records(); }
    std::vector<SimRequestRecord> Writes() const
    {
        std::vector<SimRequestRecord> writes;
        for (const SimRequestRecord& r : Requests())
            if (r.function == 16)
                writes.push_back(r);
        return writes;
    }
    // Requests of function fn that cover register reg.
    int CountTouching(int fn, int reg) const
    {
        const auto records = Requests();
        return static_cast<int>(std::count_if(records.begin(), records.end(), [&](const auto& r) {
            return r.function == fn && r.address <= reg && reg < r.address + r.count;
        }));
    }
    // A new line to the same device after the old one was lost; the master
    // takes it at its next Open(). Modbus/TCP keeps its listening socket.
    void PlugBackIn()
    {
        if (!rtu_)
            return;
        rtu_ = std::make_unique<CSimRtuServer>(*sim_, sim_->Options().unit);
        ComSettings settings = master_.Settings();
        settings.configPortName = rtu_->Path();
        settings.configPortDisplayName = rtu_->Path();
        master_.SetSettings(settings);
    }
    // The device is gone: connections are refused, the line stays silent.
    void StopServers()
    {
        tcp_.reset();
        if (rtu_)
            rtu_->Stop();
    }

private:
    PlatformTransports transports_;
    std::unique_ptr<CDeviceSimulator> sim_;
    std::unique_ptr<CSimTcpServer> tcp_;
    std::unique_ptr<CSimRtuServer> rtu_;
    CModbusInterface master_;
};

// Records what a transfer reports; asks for a cancel after a number of steps.
class RecordingProgress : public IProgressSink {
public:
    explicit RecordingProgress(int cancelAfter = -1) : cancelAfter_(cancelAfter) {}

    void ReportProgress(double percent) override { steps.push_back(percent); }
    bool IsCancelRequested() const override
    {
        return cancelAfter_ >= 0 && static_cast<int>(steps.size()) >= cancelAfter_;
    }
    bool NeverDecreases() const { return std::is_sorted(steps.begin(), steps.end()); }

    std::vector<double> steps;

private:
    int cancelAfter_;
};

inline std::string TransportName(const ::testing::TestParamInfo<SimTransport>& info)
{
    return info.param == SimTransport::Tcp ? "Tcp" : "Rtu";
}
