#pragma once

#include <cstdio>
#include <string>
#include <utility>

#include "background/CObserver.h"
#include "background/IProgressSink.h"

class CProgressThread;

// The progress window of a terminal: a bar on the error stream, redrawn in
// place on each step of the job. Draws nothing when the stream is not a
// terminal, so redirected output stays clean.
class CTerminalProgress : public CObserver {
public:
    // Not owned; the stream outlives the observer.
    CTerminalProgress(std::FILE* out, std::string caption, bool enabled);
    ~CTerminalProgress() override;

    // The caption of the bar while a download reads its words back.
    void SetVerifyCaption(std::string caption) { verifyCaption_ = std::move(caption); }

    // Runs on the job thread.
    void Update(CObservable* source) override;

    // "caption [#####-----]  50%"
    static std::string Bar(const std::string& caption, double percent, int width = 30);

private:
    std::FILE* out_;
    const std::string caption_;
    std::string verifyCaption_;
    const bool enabled_;
    TransferPhase phase_ = TransferPhase::Transfer;
    int lastShown_ = -1; // percent; redraw only when it changes
    bool drawn_ = false;
};
