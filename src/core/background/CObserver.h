#pragma once

#include <cstddef>
#include <vector>

class CObservable;

// Reacts to the notifications of the subjects it is attached to. Update runs on
// the notifying thread; a window must not do its work there but post it to its
// own thread (see CPostingObserver).
class CObserver {
public:
    CObserver() = default;
    CObserver(const CObserver&) = delete;
    CObserver& operator=(const CObserver&) = delete;
    // Unlinks from every subject without notifying.
    virtual ~CObserver();

    virtual void Update(CObservable* source) = 0;

    // Detaches from every subject and waits for Update calls on other threads.
    void DetachAll();
    std::size_t SubjectCount() const;

private:
    friend class CObservable;

    std::vector<CObservable*> subjects_;
};
