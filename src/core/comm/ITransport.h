#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "comm/SerialParity.h"

// Line parameters of a serial port, already chosen for the connection mode.
struct SerialLineSettings {
    std::string portName;    // path, e.g. /dev/ttyUSB0
    std::string displayName; // for messages
    int baudRate = 38400;
    int dataBits = 8;
    SerialParity parity = SerialParity::Odd;
    int stopBits = 1;
};

// A byte link under the Modbus master: it moves bytes with a deadline and
// knows nothing of frames. Failures throw CPrivateException.
class ITransport {
public:
    virtual ~ITransport() = default;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Drops whatever has arrived and not been read (a late answer to an earlier request).
    virtual void DiscardInput() = 0;
    // Returns once the bytes have left the driver.
    virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
    // Reads until size bytes have arrived or timeoutMs has passed since the
    // call; returns how many arrived. Cancel() from another thread ends it at once.
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) = 0;
    // Like Read, but ends as soon as at least `least` bytes are in, taking up to
    // `size` bytes of what has arrived by then: a frame whose length is known
    // only from its header then comes in with one call when it is all there.
    // A link that cannot tell what has arrived reads exactly `least` bytes.
    virtual std::size_t ReadAtLeast(std::uint8_t* buffer, std::size_t least, std::size_t size,
                                    int timeoutMs)
    {
        (void)size;
        return Read(buffer, least, timeoutMs);
    }
    virtual void Cancel() = 0;
};

// Creates the platform's transports; the program and tools install one at start.
class ITransportFactory {
public:
    virtual ~ITransportFactory() = default;
    virtual std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings& line) = 0;
    virtual std::unique_ptr<ITransport> CreateTcp(const std::string& host,
                                                  const std::string& port) = 0;
};

void SetTransportFactory(ITransportFactory* factory); // not owned
ITransportFactory* GetTransportFactory();
