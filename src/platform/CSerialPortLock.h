#pragma once

#include <string>
#include <vector>

// The lock file that claims a serial port, in the form the Qt serial port and
// the UUCP tools use: "LCK.." and the port's name under /dev (slashes turned
// into underscores) in the first usable lock directory, holding the owner's
// process id on its first line, then its program name, host name, machine id
// and boot id, with an flock held on it for as long as the port is open.
// Programs that lock the same way see the port busy while we hold it, and we
// see theirs.
//
// A lock left behind by a process that has ended (or whose process id now
// belongs to another program) is stale and taken over. A lock whose owner is
// alive, or held by an flock, or written on another host, is respected.
class CSerialPortLock {
public:
    // Where lock files live, in the order they are tried: a directory is used
    // when it is readable and either holds the port's lock already or is
    // writable. The last resort is the temporary directory.
    static std::vector<std::string> DefaultDirectories();

    // The lock file path of a port (a path such as /dev/ttyUSB0, or a bare
    // name under /dev); empty when no directory is usable.
    static std::string PathFor(const std::string& portName,
                               const std::vector<std::string>& directories);

    CSerialPortLock() = default;
    ~CSerialPortLock();
    CSerialPortLock(const CSerialPortLock&) = delete;
    CSerialPortLock& operator=(const CSerialPortLock&) = delete;

    // False when another owner holds the port or no lock file can be made;
    // the reason goes to the debug log. Taking a lock releases the one held.
    bool Acquire(const std::string& portName,
                 const std::vector<std::string>& directories = DefaultDirectories());
    void Release();
    bool Held() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

private:
    enum class Existing { Gone, Stale, Busy };
    Existing Examine() const;

    std::string path_;
    int fd_ = -1;
};
