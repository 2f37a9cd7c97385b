#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TestEvents.h"
#include "background/CObservable.h"
#include "background/CObserver.h"

namespace {

// Records every Update into a log shared by the test; an optional reaction
// runs inside Update to change the links while a notification is running.
class RecordingObserver : public CObserver {
public:
    RecordingObserver(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log)
    {
    }
    void Update(CObservable* source) override
    {
        log_.push_back(name_);
        lastSource = source;
        if (reaction)
            reaction();
    }

    CObservable* lastSource = nullptr;
    std::function<void()> reaction;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class Observers : public ::testing::Test {
protected:
    std::vector<std::string> log;
    CObservable subject;
    RecordingObserver a{"a", log};
    RecordingObserver b{"b", log};
    RecordingObserver c{"c", log};
};

using Log = std::vector<std::string>;

class CountingObserver : public CObserver {
public:
    ~CountingObserver() override { DetachAll(); }
    void Update(CObservable*) override { ++updates; }
    std::atomic<int> updates{0};
};

} // namespace

TEST_F(Observers, NotifyingASubjectWithoutObserversDoesNothing)
{
    subject.Notify();
    subject.Attach(a);
    subject.Detach(a);
    subject.Notify();
    EXPECT_TRUE(log.empty());
}

TEST_F(Observers, NullArgumentDeliversTheSubjectOtherwiseTheArgument)
{
    CObservable other;
    subject.Attach(a);
    subject.Notify();
    EXPECT_EQ(a.lastSource, &subject);
    subject.Notify(&other);
    EXPECT_EQ(a.lastSource, &other);
}

TEST_F(Observers, TwiceAttachedObserverIsUpdatedTwiceAndOneDetachRemovesBothLinks)
{
    subject.Attach(b);
    subject.Attach(a);
    subject.Attach(b);
    EXPECT_EQ(b.SubjectCount(), 2u);
    subject.Notify();
    EXPECT_EQ(log, (Log{"b", "a", "b"}));

    subject.Detach(b);
    EXPECT_EQ(subject.ObserverCount(), 1u);
    EXPECT_EQ(b.SubjectCount(), 0u);
    subject.Notify();
    EXPECT_EQ(log, (Log{"b", "a", "b", "a"}));
}

TEST_F(Observers, DestroyingEitherSideUnlinksWithoutNotifying)
{
    subject.Attach(a);
    {
        CObservable shortLived;
        shortLived.Attach(a);
        shortLived.Attach(a);
        RecordingObserver gone("gone", log);
        subject.Attach(gone);
        EXPECT_EQ(a.SubjectCount(), 3u);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(a.SubjectCount(), 1u);
    EXPECT_EQ(subject.ObserverCount(), 1u);
    subject.Notify();
    EXPECT_EQ(log, (Log{"a"}));
}

TEST_F(Observers, CopiedSubjectIsLinkedIntoEachObserver)
{
    subject.Attach(a);
    subject.Attach(b);
    {
        CObservable copy(subject);
        EXPECT_EQ(a.SubjectCount(), 2u);
        copy.Notify();
        EXPECT_EQ(log, (Log{"a", "b"}));
    }
    EXPECT_EQ(a.SubjectCount(), 1u);
    EXPECT_EQ(subject.ObserverCount(), 2u);
}

TEST_F(Observers, CopyAssignmentReplacesTheObserversAndUnlinksTheOldOnes)
{
    CObservable target;
    auto old = std::make_unique<RecordingObserver>("old", log);
    target.Attach(*old);
    subject.Attach(a);
    target = subject;
    EXPECT_EQ(old->SubjectCount(), 0u);
    EXPECT_EQ(a.SubjectCount(), 2u);
    old.reset(); // must not reach back into target
    target.Notify();
    EXPECT_EQ(log, (Log{"a"}));
}

TEST_F(Observers, ObserverDetachedByAnEarlierUpdateIsNotCalled)
{
    subject.Attach(a);
    subject.Attach(b);
    subject.Attach(c);
    a.reaction = [&] { subject.Detach(b); };
    subject.Notify();
    EXPECT_EQ(log, (Log{"a", "c"}));
}

TEST_F(Observers, ObserverDetachingItselfSkipsItsSecondLink)
{
    subject.Attach(a);
    subject.Attach(b);
    subject.Attach(a);
    a.reaction = [&] { subject.Detach(a); };
    subject.Notify();
    EXPECT_EQ(log, (Log{"a", "b"}));
}

TEST_F(Observers, ObserverDestroyedByAnEarlierUpdateIsNotCalled)
{
    auto doomed = std::make_unique<RecordingObserver>("doomed", log);
    subject.Attach(a);
    subject.Attach(*doomed);
    subject.Attach(c);
    a.reaction = [&] { doomed.reset(); };
    subject.Notify();
    EXPECT_EQ(log, (Log{"a", "c"}));
}

TEST_F(Observers, ObserverMayDestroyItselfInsideUpdate)
{
    auto self = std::make_unique<RecordingObserver>("self", log);
    subject.Attach(*self);
    subject.Attach(*self);
    subject.Attach(b);
    self->reaction = [&] { self.reset(); };
    subject.Notify();
    EXPECT_EQ(log, (Log{"self", "b"}));
    EXPECT_EQ(subject.ObserverCount(), 1u);
}

TEST_F(Observers, SubjectDestroyedInsideUpdateStopsTheNotification)
{
    auto doomed = std::make_unique<CObservable>();
    doomed->Attach(a);
    doomed->Attach(b);
    a.reaction = [&] { doomed.reset(); };
    doomed->Notify();
    EXPECT_EQ(log, (Log{"a"}));
    EXPECT_EQ(b.SubjectCount(), 0u);
}

TEST_F(Observers, ObserverAttachedDuringANotificationWaitsForTheNextOne)
{
    subject.Attach(a);
    a.reaction = [&] {
        subject.Attach(b);
        a.reaction = nullptr;
    };
    subject.Notify();
    EXPECT_EQ(log, (Log{"a"}));
    subject.Notify();
    EXPECT_EQ(log, (Log{"a", "a", "b"}));
}

namespace {

// Blocks inside Update until released; detaches in its destructor, before
// its own members go, as every observer used across threads should.
class BlockingObserver : public CObserver {
public:
    BlockingObserver(TestEvent& entered, TestEvent& release, bool& returnedBeforeDestruction)
        : entered_(entered), release_(release),
          returnedBeforeDestruction_(returnedBeforeDestruction)
    {
    }
    ~BlockingObserver() override
    {
        DetachAll();
        returnedBeforeDestruction_ = returned_;
    }
    void Update(CObservable*) override
    {
        entered_.Set();
        release_.Wait();
        returned_ = true;
    }

private:
    TestEvent& entered_;
    TestEvent& release_;
    bool& returnedBeforeDestruction_;
    bool returned_ = false;
};

} // namespace

TEST(ObserverAcrossThreads, DestructionWaitsForAnUpdateRunningOnAnotherThread)
{
    TestEvent entered, release, destroying;
    bool returnedBeforeDestruction = false;
    CObservable subject;
    auto observer = std::make_unique<BlockingObserver>(entered, release, returnedBeforeDestruction);
    subject.Attach(*observer);
    std::thread notifier([&] { subject.Notify(); });
    ASSERT_TRUE(entered.Wait());

    auto destroyer = std::async(std::launch::async, [&] {
        destroying.Set();
        observer.reset();
    });
    ASSERT_TRUE(destroying.Wait());
    // The Update has not returned, so the destructor cannot have finished.
    EXPECT_NE(destroyer.wait_for(std::chrono::milliseconds(0)), std::future_status::ready);
    release.Set();
    notifier.join();
    ASSERT_EQ(destroyer.wait_for(kTestTimeout), std::future_status::ready);
    EXPECT_TRUE(returnedBeforeDestruction);
    EXPECT_EQ(subject.ObserverCount(), 0u);
}

TEST(ObserverAcrossThreads, LinksChangeSafelyWhileAnotherThreadNotifies)
{
    CObservable subject;
    std::atomic<bool> stop{false};
    std::thread notifier([&] {
        while (!stop)
            subject.Notify();
    });
    for (int i = 0; i < 200; ++i) {
        CountingObserver observer;
        subject.Attach(observer);
        subject.Attach(observer);
        if (i % 2)
            subject.Detach(observer);
    }
    stop = true;
    notifier.join();
    EXPECT_EQ(subject.ObserverCount(), 0u);
}
