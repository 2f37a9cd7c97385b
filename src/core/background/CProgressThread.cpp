#include "background/CProgressThread.h"

#include <exception>

#include "app/CPrivateException.h"
#include "app/DebugLog.h"

namespace {

// Cuts at a character boundary: half a multibyte character would make the
// message invalid text.
std::string LimitCharacters(const std::string& text, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == maxCharacters)
            return text.substr(0, i);
    }
    return text;
}

} // namespace

CProgressThread::CProgressThread(TransferOperation operation, ITransferConnection& connection,
                                 Transfer transfer)
    : operation_(operation), connection_(connection), transfer_(std::move(transfer))
{
}

CProgressThread::~CProgressThread()
{
    Join();
}

void CProgressThread::Start()
{
    if (!thread_.joinable() && !finished_)
        thread_ = std::thread([this] { Run(); });
}

void CProgressThread::Join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void CProgressThread::Cancel()
{
    cancel_ = true;
    if (!finished_)
        connection_.AbortForCancel();
}

void CProgressThread::ReportProgress(double percent)
{
    progress_ = percent;
    Notify();
}

void CProgressThread::BeginPhase(TransferPhase phase)
{
    phase_ = phase;
    progress_ = 0.0;
    Notify();
}

bool CProgressThread::IsCancelRequested() const
{
    return cancel_;
}

double CProgressThread::Progress() const
{
    return progress_;
}

bool CProgressThread::IsFinished() const
{
    return finished_;
}

void CProgressThread::RaiseIfFailed() const
{
    if (finished_ && outcome_ == TransferOutcome::Failed)
        throw CPrivateException(errorText_);
}

void CProgressThread::Run()
{
    RunTransfer();
    CloseConnection();
    if (cancel_ || aborted_)
        outcome_ = TransferOutcome::Cancelled;
    else if (!errorText_.empty())
        outcome_ = TransferOutcome::Failed;
    else
        outcome_ = TransferOutcome::Completed;
    finished_ = true;
    Notify();
}

void CProgressThread::RunTransfer()
{
    try {
        connection_.Open();
        // A transfer that stops without an error was cancelled: its data is
        // incomplete and must not be taken as a result.
        if (!transfer_(*this))
            aborted_ = true;
    } catch (const CPrivateException& e) {
        if (e.IsAbort())
            aborted_ = true;
        else
            SetError(e.Text());
    } catch (const std::exception& e) {
        SetError(e.what());
    }
}

void CProgressThread::CloseConnection()
{
    try {
        connection_.Close();
    } catch (const std::exception& e) {
        // The transfer's own error says more; a close error only spoils a success.
        if (errorText_.empty() && !aborted_)
            SetError(e.what());
        else
            DebugPrintf("Close after transfer failed: %s\n", e.what());
    }
}

void CProgressThread::SetError(const std::string& text)
{
    errorText_ = LimitCharacters(text, kMaxErrorCharacters);
}
