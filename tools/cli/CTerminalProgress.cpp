#include "CTerminalProgress.h"

#include <algorithm>
#include <cmath>

#include "background/CProgressThread.h"

CTerminalProgress::CTerminalProgress(std::FILE* out, std::string caption, bool enabled)
    : out_(out), caption_(std::move(caption)), enabled_(enabled)
{
}

CTerminalProgress::~CTerminalProgress()
{
    DetachAll();
}

std::string CTerminalProgress::Bar(const std::string& caption, double percent, int width)
{
    percent = std::clamp(percent, 0.0, 100.0);
    const int filled = static_cast<int>(std::lround(percent * width / 100.0));
    char number[8];
    std::snprintf(number, sizeof number, "%3d%%", static_cast<int>(std::lround(percent)));
    return caption + " [" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(width - filled), '-') + "] " + number;
}

void CTerminalProgress::Update(CObservable* source)
{
    const auto* job = dynamic_cast<const CProgressThread*>(source);
    if (!enabled_ || !job)
        return;
    if (job->IsFinished()) {
        if (drawn_)
            std::fputc('\n', out_);
        std::fflush(out_);
        return;
    }
    if (job->Phase() != phase_) {
        // The next phase gets a bar of its own below the finished one.
        phase_ = job->Phase();
        if (drawn_)
            std::fputc('\n', out_);
        drawn_ = false;
        lastShown_ = -1;
    }
    const int percent = static_cast<int>(std::lround(job->Progress()));
    if (percent == lastShown_)
        return;
    lastShown_ = percent;
    drawn_ = true;
    const std::string& caption =
        phase_ == TransferPhase::Verify && !verifyCaption_.empty() ? verifyCaption_ : caption_;
    std::fprintf(out_, "\r%s", Bar(caption, job->Progress()).c_str());
    std::fflush(out_);
}
