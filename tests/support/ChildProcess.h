#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

// A program of this build, as the tests start it.
inline std::string BuiltProgram(const std::string& name)
{
    return std::string(ORMEL_BINARY_DIR) + "/bin/" + name;
}

namespace child_process_detail {

// Forks and runs program with args; the child's stdin, stdout and stderr
// become the given descriptors (-1 keeps the test's own). A program without
// a slash is looked up on PATH. Returns the child's pid, or -1.
inline pid_t Spawn(const std::string& program, const std::vector<std::string>& args, int in,
                   int out, int err)
{
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int fds[] = {in, out, err};
        for (int target = 0; target < 3; ++target)
            if (fds[target] >= 0)
                dup2(fds[target], target);
        // The pipes are close-on-exec: the child keeps only the ends given it.
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

inline int ExitStatus(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace child_process_detail

// A long-running child (the device simulator): its stdout is read line by
// line; it is stopped with SIGTERM at the latest when this object ends.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args)
    {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        pid_ = child_process_detail::Spawn(program, args, -1, out[1], -1);
        close(out[1]);
        stdout_ = out[0];
    }
    ~ChildProcess()
    {
        if (pid_ > 0 && !exited_)
            Terminate();
        if (stdout_ >= 0)
            close(stdout_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the child printed, without its line break; "" when the
    // child closed its output or printed nothing for timeoutMs.
    std::string Line(int timeoutMs = 10000)
    {
        std::string line;
        char c = 0;
        pollfd p{stdout_, POLLIN, 0};
        while (stdout_ >= 0 && poll(&p, 1, timeoutMs) > 0 && read(stdout_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    // Stops the child with SIGTERM and returns its exit status (-1 when it
    // did not exit normally or never started).
    int Terminate()
    {
        if (pid_ <= 0 || exited_)
            return -1;
        kill(pid_, SIGTERM);
        exited_ = true;
        return child_process_detail::ExitStatus(pid_);
    }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
};

struct ProcessResult {
    int status = -1; // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program to its end with input on its stdin, collecting stdout and
// stderr together, so a child that writes much to one cannot block the test.
inline ProcessResult RunToEnd(const std::string& program, const std::vector<std::string>& args,
                              const std::string& input = "")
{
    ProcessResult result;
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return result;
    // The input is in the pipe before the child starts, followed by end of
    // file: the test never writes to a child that may have exited already.
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    const bool inputFits =
        write(in[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
    close(in[1]);
    if (!inputFits || pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        return result;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(in[0]);
        close(out[0]);
        close(out[1]);
        return result;
    }
    const pid_t pid = child_process_detail::Spawn(program, args, in[0], out[1], err[1]);
    close(in[0]);
    close(out[1]);
    close(err[1]);

    std::string* sinks[] = {&result.out, &result.err};
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
            }
        }
    }
    for (const pollfd& p : fds)
        if (p.fd >= 0)
            close(p.fd);
    if (pid > 0)
        result.status = child_process_detail::ExitStatus(pid);
    return result;
}
