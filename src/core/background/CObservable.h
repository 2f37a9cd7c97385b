#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

class CObserver;

// A subject: data that changes (transfer progress, a measured-value image, a
// finished background job) and tells its observers. Links are two-sided and
// counted: attaching the same observer twice delivers two Update calls.
//
// Attach, Detach and Notify may be used from any thread. An observer detached or
// destroyed while a notification runs receives no further Update from it, and
// the destructor of either side waits until Update calls running on other
// threads have returned. A derived class whose Update or data is used across
// threads should detach in its own destructor, before its members go.
class CObservable {
public:
    CObservable() = default;
    // The copy gets the same observers, each linked to it as well.
    CObservable(const CObservable& other);
    CObservable& operator=(const CObservable& other);
    // Unlinks from every observer without notifying.
    virtual ~CObservable();

    void Attach(CObserver& observer);
    // Removes every link between this subject and the observer.
    void Detach(CObserver& observer);
    void DetachAll();

    // Calls Update on each observer in attach order, on the calling thread,
    // passing argument, or this subject when argument is null.
    void Notify(CObservable* argument = nullptr);

    std::size_t ObserverCount() const;

private:
    friend class CObserver;

    static std::unique_lock<std::mutex> LockLinks();
    // Marks calls of this thread into object as finished and waits for calls of
    // other threads to end; the links of object must already be gone.
    static void EndCalls(const void* object, std::unique_lock<std::mutex>& lock);
    void UnlinkAllLocked();
    bool IsLinkedLocked(const CObserver* observer) const;

    std::vector<CObserver*> observers_;
};
