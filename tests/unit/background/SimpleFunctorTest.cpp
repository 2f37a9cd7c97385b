#include <gtest/gtest.h>

#include <memory>

#include "background/CObserver.h"
#include "background/CSimpleFunctor.h"

namespace {

class Counter {
public:
    void Increment() { ++value; }
    int value = 0;
};

class CountingProxy : public CSimpleFunctor::ProxyInterface {
public:
    explicit CountingProxy(int& calls) : calls_(calls) {}
    void Call() override { ++calls_; }

private:
    int& calls_;
};

class SourceObserver : public CObserver {
public:
    void Update(CObservable* source) override { sources.push_back(source); }
    std::vector<CObservable*> sources;
};

} // namespace

TEST(SimpleFunctor, BoundMemberRunsOnItsObject)
{
    Counter counter;
    CSimpleFunctor functor = CSimpleFunctor::Bind(counter, &Counter::Increment);
    functor.Invoke();
    functor();
    EXPECT_EQ(counter.value, 2);
}

TEST(SimpleFunctor, CopiesShareTheProxyAndTheLastOwnerReleasesIt)
{
    int calls = 0;
    auto proxy = std::make_shared<CountingProxy>(calls);
    std::weak_ptr<CountingProxy> watch = proxy;
    auto first = std::make_unique<CSimpleFunctor>(std::move(proxy));
    CSimpleFunctor second = *first;
    EXPECT_EQ(second.ProxyUseCount(), 2);
    first->Invoke();
    first.reset();
    EXPECT_FALSE(watch.expired());
    second.Invoke();
    EXPECT_EQ(calls, 2);
    second = CSimpleFunctor();
    EXPECT_TRUE(watch.expired());
}

TEST(SimpleFunctor, CopyKeepsTheObserversAndNotifiesAsItself)
{
    Counter counter;
    SourceObserver observer;
    CSimpleFunctor original = CSimpleFunctor::Bind(counter, &Counter::Increment);
    original.Attach(observer);
    CSimpleFunctor copy = original;
    copy.Notify();
    original.Notify();
    EXPECT_EQ(observer.sources, (std::vector<CObservable*>{&copy, &original}));
    EXPECT_EQ(observer.SubjectCount(), 2u);
}
