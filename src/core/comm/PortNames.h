#pragma once

#include <string>
#include <string_view>

// The number of a Windows port name: "COM" in any letter case, then decimal
// digits up to the end or up to a ':'. Anything else gives -1.
int ParsePortNumber(std::string_view text);

// The name a port is listed under: the description itself when it already
// names the port, else the description followed by the port in parentheses.
// COM names are written "COM%d" whatever their case.
std::string PortDisplayName(const std::string& description, const std::string& portName);

// Port names in the order a person expects: runs of digits compare by value,
// so ttyUSB2 comes before ttyUSB10 and COM9 before COM10.
int ComparePortNames(std::string_view a, std::string_view b);

struct PortNameLess {
    bool operator()(std::string_view a, std::string_view b) const
    {
        return ComparePortNames(a, b) < 0;
    }
};
