#include "utility/ClockCommands.h"

#include "app/CPrivateException.h"
#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/CPasscodeProtection.h"
#include "utility/CConnectionBracket.h"
#include "utility/UtilityRegisters.h"

namespace {

constexpr int kTextClockNotSettled = 25000;

ClockWords ReadWords(CModbusInterface& connection)
{
    ClockWords words{};
    connection.ReadHoldingRegisters(UtilityRegister::kClock, UtilityRegister::kClockCount,
                                    words.data());
    return words;
}

void WriteTime(CModbusInterface& connection, const DeviceDateTime& time)
{
    const ClockWords words = EncodeClock(time);
    connection.WriteMultipleRegisters(UtilityRegister::kClock, UtilityRegister::kClockCount,
                                      words.data());
}

// Fails once the limit since start has passed.
void CheckLimit(IClockSource& clock, std::chrono::milliseconds start)
{
    if (clock.Monotonic() - start >= kSyncLimit)
        throw CPrivateException(kTextClockNotSettled);
}

void AwaitSafeDeviceSecond(CModbusInterface& connection, IClockSource& clock,
                           std::chrono::milliseconds start)
{
    while (true) {
        const int second = DecodeClock(ReadWords(connection)).second;
        if (second >= kSyncFirstSecond && second <= kSyncLastSecond)
            return;
        CheckLimit(clock, start);
        clock.Sleep(kSyncReadPause);
    }
}

// The start of the last 50 ms of a PC second: written plus one second, the
// time is right when the device has taken it.
IClockSource::LocalTime AwaitMillisecond(IClockSource& clock, std::chrono::milliseconds start)
{
    constexpr std::chrono::milliseconds kStep{1};
    IClockSource::LocalTime now = clock.Now();
    while (now.millisecond >= kSyncMillisecond) {
        CheckLimit(clock, start);
        clock.Sleep(kStep);
        now = clock.Now();
    }
    while (now.millisecond < kSyncMillisecond) {
        CheckLimit(clock, start);
        clock.Sleep(kStep);
        now = clock.Now();
    }
    return now;
}

template <typename Write> bool UnlockedWrite(CModbusInterface& connection, Write write)
{
    CAccessRight access(connection);
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return false;
    {
        CConnectionBracket bracket(connection);
        write();
    }
    protection.Lock();
    return true;
}

} // namespace

DeviceDateTime ReadDeviceClock(CModbusInterface& connection)
{
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    return DecodeClock(ReadWords(connection));
}

bool SetDeviceClock(CModbusInterface& connection, const DeviceDateTime& time)
{
    return UnlockedWrite(connection, [&] { WriteTime(connection, time); });
}

bool SyncDeviceClock(CModbusInterface& connection, IClockSource& clock)
{
    return UnlockedWrite(connection, [&] {
        const std::chrono::milliseconds start = clock.Monotonic();
        AwaitSafeDeviceSecond(connection, clock, start);
        WriteTime(connection, AddOneSecond(AwaitMillisecond(clock, start).time));
    });
}
