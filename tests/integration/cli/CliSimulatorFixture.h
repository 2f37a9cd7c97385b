#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

// A device simulator process on a free loopback port, logging its requests
// into the test's own directory, for running ormel-cli against it.
class CliSimulatorTest : public ::testing::Test {
protected:
    void StartDevice(std::vector<std::string> args)
    {
        args.insert(args.end(), {"--log", scratch_.File("requests.log")});
        device_.emplace(BuiltProgram("ormel-devsim"), args);
        const std::string ready = device_->Line();
        ASSERT_EQ(ready.rfind("tcp ", 0), 0u) << ready;
        endpoint_ = ready.substr(4);
    }
    std::vector<std::string> LogLines() const
    {
        std::ifstream in(dir_ / "requests.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TempDir scratch_;
    const std::filesystem::path& dir_ = scratch_.Path();
    std::optional<ChildProcess> device_; // stopped before its directory goes
    std::string endpoint_;
};
