#pragma once

// Marks a stretch in which a window fills its own controls, so that the
// change signals this raises are not taken for the user's choices.
class CRefreshGuard {
public:
    explicit CRefreshGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~CRefreshGuard() { flag_ = previous_; }
    CRefreshGuard(const CRefreshGuard&) = delete;
    CRefreshGuard& operator=(const CRefreshGuard&) = delete;

private:
    bool& flag_;
    bool previous_;
};
