#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "background/CObserver.h"

// The observer of a window: Update only posts the reaction to the window's own
// thread, in order, one post per notification. The poster is the window's
// queue (for a Qt window: a queued invocation on the window object). Posts
// still queued when this observer is destroyed are dropped.
//
// The subject passed as source travels as a plain pointer: a subject notified
// across threads must stay alive until the window has handled its posts.
class CPostingObserver : public CObserver {
public:
    using Task = std::function<void()>;
    using Poster = std::function<void(Task)>;
    using Handler = std::function<void(CObservable* source)>;

    CPostingObserver(Poster poster, Handler handler);
    ~CPostingObserver() override;

    void Update(CObservable* source) override;

private:
    struct Target {
        Handler handler;
        std::atomic<bool> alive{true};
    };

    Poster poster_;
    std::shared_ptr<Target> target_;
};
