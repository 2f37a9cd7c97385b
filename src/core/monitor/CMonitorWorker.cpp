#include "monitor/CMonitorWorker.h"

#include "comm/CModbusInterface.h"

CMonitorWorker::CMonitorWorker(CMeasurandsKTA& image, CModbusInterface& master)
    : master_(master), commands_(image, master), thread_(commands_)
{
}

CMonitorWorker::~CMonitorWorker()
{
    Close();
}

bool CMonitorWorker::Post(PollCommand command, std::intptr_t argument)
{
    return thread_.PostCommand(CommandNumber(command), argument);
}

void CMonitorWorker::Close()
{
    if (!thread_.IsStarted())
        return;
    thread_.SetRunning(false);
    master_.Abort();
    thread_.PostCommand(CBackThread::kStopCommand);
    thread_.Join();
}
