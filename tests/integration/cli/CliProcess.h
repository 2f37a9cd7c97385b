#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// ormel-cli and ormel-devsim run as processes, the way a shell runs them.

inline const std::string kBin = std::string(ORMEL_BINARY_DIR) + "/bin/";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// ormel-devsim as a child process serving Modbus/TCP on a free loopback port.
class Simulator {
public:
    explicit Simulator(std::vector<std::string> args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            close(out[0]);
            const std::string program = kBin + "ormel-devsim";
            std::vector<char*> argv = {const_cast<char*>(program.c_str())};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        const std::string ready = ReadLine(out[0]);
        close(out[0]);
        if (ready.rfind("tcp ", 0) == 0)
            endpoint_ = ready.substr(4);
    }
    ~Simulator()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string& Endpoint() const { return endpoint_; }

private:
    static std::string ReadLine(int fd)
    {
        std::string line;
        char c = 0;
        pollfd p{fd, POLLIN, 0};
        while (poll(&p, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    pid_t pid_ = -1;
    std::string endpoint_;
};

// A loopback port that nothing listens on: bound once, then released.
inline int UnusedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
    close(fd);
    return ntohs(a.sin_port);
}

class CliProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("ormel-cli-test-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string File(const std::string& name) const { return (dir_ / name).string(); }

    // Runs ormel-cli with stdin from the given text.
    Result Cli(std::vector<std::string> args, const std::string& input = "") const
    {
        const fs::path in = dir_ / "stdin", out = dir_ / "stdout", err = dir_ / "stderr";
        std::ofstream(in) << input;
        const pid_t pid = fork();
        if (pid == 0) {
            Redirect(in, 0, O_RDONLY);
            Redirect(out, 1, O_WRONLY | O_CREAT | O_TRUNC);
            Redirect(err, 2, O_WRONLY | O_CREAT | O_TRUNC);
            const std::string program = kBin + "ormel-cli";
            std::vector<char*> argv = {const_cast<char*>(program.c_str())};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
    }

    static void Redirect(const fs::path& path, int target, int flags)
    {
        const int fd = open(path.c_str(), flags, 0600);
        dup2(fd, target);
        close(fd);
    }

    fs::path dir_;
};
