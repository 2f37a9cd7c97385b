#include "background/CObserver.h"

#include <algorithm>

#include "background/CObservable.h"

CObserver::~CObserver()
{
    DetachAll();
}

void CObserver::DetachAll()
{
    auto lock = CObservable::LockLinks();
    for (CObservable* subject : subjects_)
        std::erase(subject->observers_, this);
    subjects_.clear();
    CObservable::EndCalls(this, lock);
}

std::size_t CObserver::SubjectCount() const
{
    auto lock = CObservable::LockLinks();
    return subjects_.size();
}
