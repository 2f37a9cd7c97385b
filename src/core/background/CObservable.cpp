#include "background/CObservable.h"

#include <algorithm>
#include <condition_variable>
#include <list>
#include <thread>

#include "background/CObserver.h"

namespace {

// A Notify running on a subject, or an Update running on an observer.
struct ActiveCall {
    const void* object;
    std::thread::id thread;
    bool objectGone; // destroyed by the calling thread during the call
};

// One lock for all links: a link has two sides, and per-object locks would
// need a lock order that notifications from different threads cannot keep.
struct LinkState {
    std::mutex mutex;
    std::condition_variable callEnded;
    std::list<ActiveCall> calls;
};

LinkState& Links()
{
    // Never destroyed: subjects may still be notified while static objects of
    // other files (the background executor) shut down at exit.
    static LinkState* state = new LinkState;
    return *state;
}

// Registers a call for the scope; the link lock must be held on leaving it.
class ActiveCallGuard {
public:
    ActiveCallGuard(const void* object, std::unique_lock<std::mutex>& lock)
        : lock_(lock), call_(Links().calls.insert(Links().calls.end(),
                                                  {object, std::this_thread::get_id(), false}))
    {
    }
    ~ActiveCallGuard()
    {
        if (!lock_.owns_lock())
            lock_.lock();
        Links().calls.erase(call_);
        Links().callEnded.notify_all();
    }
    ActiveCallGuard(const ActiveCallGuard&) = delete;
    ActiveCallGuard& operator=(const ActiveCallGuard&) = delete;

    bool ObjectGone() const { return call_->objectGone; }

private:
    std::unique_lock<std::mutex>& lock_;
    std::list<ActiveCall>::iterator call_;
};

} // namespace

std::unique_lock<std::mutex> CObservable::LockLinks()
{
    return std::unique_lock(Links().mutex);
}

void CObservable::EndCalls(const void* object, std::unique_lock<std::mutex>& lock)
{
    const auto self = std::this_thread::get_id();
    LinkState& links = Links();
    for (ActiveCall& call : links.calls) {
        if (call.object == object && call.thread == self)
            call.objectGone = true;
    }
    links.callEnded.wait(lock, [&] {
        return std::none_of(links.calls.begin(), links.calls.end(), [&](const ActiveCall& c) {
            return c.object == object && c.thread != self;
        });
    });
}

CObservable::CObservable(const CObservable& other)
{
    auto lock = LockLinks();
    observers_ = other.observers_;
    for (CObserver* observer : observers_)
        observer->subjects_.push_back(this);
}

CObservable& CObservable::operator=(const CObservable& other)
{
    if (this == &other)
        return *this;
    auto lock = LockLinks();
    // The old observers must forget this subject, or they would keep a link
    // that this subject's destructor no longer removes.
    UnlinkAllLocked();
    observers_ = other.observers_;
    for (CObserver* observer : observers_)
        observer->subjects_.push_back(this);
    return *this;
}

CObservable::~CObservable()
{
    auto lock = LockLinks();
    UnlinkAllLocked();
    EndCalls(this, lock);
}

void CObservable::Attach(CObserver& observer)
{
    auto lock = LockLinks();
    observers_.push_back(&observer);
    observer.subjects_.push_back(this);
}

void CObservable::Detach(CObserver& observer)
{
    auto lock = LockLinks();
    std::erase(observers_, &observer);
    std::erase(observer.subjects_, this);
}

void CObservable::DetachAll()
{
    auto lock = LockLinks();
    UnlinkAllLocked();
}

void CObservable::UnlinkAllLocked()
{
    for (CObserver* observer : observers_)
        std::erase(observer->subjects_, this);
    observers_.clear();
}

bool CObservable::IsLinkedLocked(const CObserver* observer) const
{
    return std::find(observers_.begin(), observers_.end(), observer) != observers_.end();
}

void CObservable::Notify(CObservable* argument)
{
    CObservable* const source = argument ? argument : this;
    auto lock = LockLinks();
    if (observers_.empty())
        return;
    // Update may attach, detach or destroy observers, or this subject: walk a
    // copy and check each entry against the live list before calling it.
    const std::vector<CObserver*> pending = observers_;
    ActiveCallGuard subjectCall(this, lock);
    for (CObserver* observer : pending) {
        if (subjectCall.ObjectGone())
            return;
        if (!IsLinkedLocked(observer))
            continue;
        ActiveCallGuard observerCall(observer, lock);
        lock.unlock();
        observer->Update(source);
        lock.lock();
    }
}

std::size_t CObservable::ObserverCount() const
{
    auto lock = LockLinks();
    return observers_.size();
}
