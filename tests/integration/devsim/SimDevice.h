#pragma once

// A simulator driven in-process, without a server, with a clock the test moves.

#include <cmath>
#include <cstdint>
#include <vector>

#include "CDeviceSimulator.h"
#include "SimTestClient.h"

class SimDevice {
public:
    explicit SimDevice(SimOptions o) : sim(o)
    {
        sim.SetTimeSources([this] { return seconds; }, [this] { return unixTime; });
    }
    Bytes Request(const Bytes& pdu)
    {
        return sim.Handle(SimTransport::Direct, pdu.data(), pdu.size()).pdu;
    }
    std::vector<std::uint16_t> Read(int address, int count)
    {
        return Registers(Request(ReadPdu(address, count)));
    }
    Bytes Write(int address, const std::vector<std::uint16_t>& values)
    {
        return Request(WritePdu(address, values));
    }
    bool WriteOk(int address, const std::vector<std::uint16_t>& values)
    {
        const Bytes r = Write(address, values);
        return !r.empty() && r[0] == 0x10;
    }
    // 32-bit values of a device that sends the low word first (the default, and QH).
    std::int32_t Read32LowFirst(int address)
    {
        const auto r = Read(address, 2);
        return r.size() == 2 ? static_cast<std::int32_t>(r[0] | (std::uint32_t(r[1]) << 16)) : 0;
    }
    std::vector<std::int32_t> Read32s(int address, int count)
    {
        const auto r = Read(address, 2 * count);
        std::vector<std::int32_t> out;
        for (size_t i = 0; i + 1 < r.size(); i += 2)
            out.push_back(static_cast<std::int32_t>(r[i] | (std::uint32_t(r[i + 1]) << 16)));
        return out;
    }
    // Degrees of an angle register (a fraction of a full turn).
    double Degrees(int address) { return Read(address, 1).at(0) * 360.0 / 65536; }

    CDeviceSimulator sim;
    double seconds = 0;
    std::int64_t unixTime = 1700000000;
};

inline SimOptions Type(int typeId)
{
    SimOptions o;
    o.typeId = typeId;
    return o;
}

// 3-phase 4-wire 400 V with 100 A CTs.
inline SimOptions Installation(int typeId, int wiring = 5)
{
    SimOptions o = Type(typeId);
    o.scenario.wiring = wiring;
    o.scenario.primaryCurrent = 100;
    o.scenario.primaryVoltage = 400;
    return o;
}

inline bool IsException(const Bytes& pdu, std::uint8_t code)
{
    return pdu.size() == 2 && (pdu[0] & 0x80) && pdu[1] == code;
}

// Difference of two angles in degrees, -180..180.
inline double AngleBetween(double a, double b)
{
    return std::remainder(a - b, 360.0);
}
