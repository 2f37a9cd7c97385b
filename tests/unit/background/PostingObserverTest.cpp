#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "background/CObservable.h"
#include "background/CPostingObserver.h"

namespace {

// Stands in for a window's event queue: tasks posted from any thread run when
// the window's thread drains it.
class WindowQueue {
public:
    void Post(CPostingObserver::Task task)
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    std::size_t Pending()
    {
        std::lock_guard lock(mutex_);
        return tasks_.size();
    }
    void Drain()
    {
        for (;;) {
            CPostingObserver::Task task;
            {
                std::lock_guard lock(mutex_);
                if (tasks_.empty())
                    return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }
    CPostingObserver::Poster Poster()
    {
        return [this](CPostingObserver::Task task) { Post(std::move(task)); };
    }

private:
    std::mutex mutex_;
    std::deque<CPostingObserver::Task> tasks_;
};

} // namespace

TEST(PostingObserver, ReactsOnlyOnTheWindowThreadInNotificationOrder)
{
    WindowQueue window;
    std::vector<CObservable*> handled;
    CPostingObserver observer(window.Poster(), [&](CObservable* s) { handled.push_back(s); });
    CObservable subject, argument;
    subject.Attach(observer);

    std::thread worker([&] {
        subject.Notify();
        subject.Notify(&argument);
        subject.Notify();
    });
    worker.join();
    EXPECT_TRUE(handled.empty());
    EXPECT_EQ(window.Pending(), 3u);
    window.Drain();
    EXPECT_EQ(handled, (std::vector<CObservable*>{&subject, &argument, &subject}));
}

TEST(PostingObserver, PostsQueuedForADestroyedObserverAreDropped)
{
    WindowQueue window;
    int handled = 0;
    CObservable subject;
    auto observer =
        std::make_unique<CPostingObserver>(window.Poster(), [&](CObservable*) { ++handled; });
    subject.Attach(*observer);
    subject.Notify();
    subject.Notify();
    observer.reset();
    window.Drain();
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(subject.ObserverCount(), 0u);
}

TEST(PostingObserver, HandlerMayEndItsWindowAndItsObserver)
{
    WindowQueue window;
    int handled = 0;
    CObservable subject;
    std::unique_ptr<CPostingObserver> observer;
    observer = std::make_unique<CPostingObserver>(window.Poster(), [&](CObservable*) {
        ++handled;
        observer.reset();
    });
    subject.Attach(*observer);
    subject.Notify();
    subject.Notify();
    window.Drain();
    EXPECT_EQ(handled, 1);
}
