#include <csignal>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CDeviceSimulator.h"
#include "CSimRtuServer.h"
#include "CSimTcpServer.h"
#include "SimCommandLine.h"

namespace {

int Serve(const SimCommandLine& cl)
{
    // Block the stop signals before any server thread starts, so that only sigwait sees them.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    CDeviceSimulator simulator(cl.options);
    if (!cl.logPath.empty() && !simulator.Log().OpenFile(cl.logPath))
        throw std::runtime_error("cannot open log file " + cl.logPath);
    std::unique_ptr<CSimTcpServer> tcp;
    std::unique_ptr<CSimRtuServer> rtu;
    if (cl.tcp) {
        tcp = std::make_unique<CSimTcpServer>(simulator, cl.host, cl.port);
        std::printf("tcp %s\n", tcp->Endpoint().c_str());
    }
    if (cl.rtu) {
        rtu = std::make_unique<CSimRtuServer>(simulator, cl.options.unit);
        std::printf("rtu %s\n", rtu->Path().c_str());
    }
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stop, &signal);
    return 0; // servers stop and join as they go out of scope
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const SimCommandLine cl = ParseSimCommandLine({argv + 1, argv + argc});
        if (cl.help) {
            std::fputs(SimUsage(), stdout);
            return 0;
        }
        return Serve(cl);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "ormel-devsim: %s\n%s", e.what(), SimUsage());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ormel-devsim: %s\n", e.what());
        return 1;
    }
}
