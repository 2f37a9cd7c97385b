#include <gtest/gtest.h>

#include <future>
#include <stdexcept>

#include "TestEvents.h"
#include "background/CAccessRight.h"
#include "background/CMutexObject.h"
#include "background/CSemaphoreObject.h"

namespace {

constexpr std::uint32_t kInfinite = CSyncObjectInterface::kInfinite;

bool LockFromOtherThread(CSyncObjectInterface& object, std::uint32_t timeoutMs)
{
    return std::async(std::launch::async,
                      [&] {
                          const bool locked = object.Lock(timeoutMs);
                          if (locked)
                              object.Unlock();
                          return locked;
                      })
        .get();
}

} // namespace

TEST(SemaphoreObject, TwoReleasesLetExactlyTwoLocksThrough)
{
    CSemaphoreObject semaphore;
    semaphore.Unlock();
    semaphore.Unlock();
    EXPECT_TRUE(semaphore.Lock(0));
    EXPECT_TRUE(semaphore.Lock(kInfinite));
    EXPECT_FALSE(semaphore.Lock(20));
    EXPECT_FALSE(semaphore.Lock(0));
}

TEST(SemaphoreObject, WaiterWakesOnReleaseFromAnotherThread)
{
    CSemaphoreObject semaphore;
    auto waiter = std::async(std::launch::async, [&] { return semaphore.Lock(kInfinite); });
    semaphore.Unlock();
    ASSERT_EQ(waiter.wait_for(kTestTimeout), std::future_status::ready);
    EXPECT_TRUE(waiter.get());
    EXPECT_FALSE(semaphore.Lock(0));
}

TEST(MutexObject, HeldMutexTimesOutForOtherThreadsUntilUnlocked)
{
    CMutexObject mutex;
    ASSERT_TRUE(mutex.Lock(kInfinite));
    EXPECT_FALSE(LockFromOtherThread(mutex, 20));
    EXPECT_FALSE(LockFromOtherThread(mutex, 0));
    mutex.Unlock();
    EXPECT_TRUE(LockFromOtherThread(mutex, 0));
}

TEST(MutexObject, OwnerMayLockAgainAndNeedsAsManyUnlocks)
{
    CMutexObject mutex;
    ASSERT_TRUE(mutex.Lock(0));
    ASSERT_TRUE(mutex.Lock(0));
    mutex.Unlock();
    EXPECT_TRUE(mutex.IsHeldByCurrentThread());
    EXPECT_FALSE(LockFromOtherThread(mutex, 0));
    mutex.Unlock();
    EXPECT_FALSE(mutex.IsHeldByCurrentThread());
    EXPECT_TRUE(LockFromOtherThread(mutex, 0));
}

TEST(MutexObject, UnlockByAThreadThatDoesNotOwnItIsIgnored)
{
    CMutexObject mutex;
    ASSERT_TRUE(mutex.Lock(0));
    std::async(std::launch::async, [&] { mutex.Unlock(); }).get();
    EXPECT_TRUE(mutex.IsHeldByCurrentThread());
    EXPECT_FALSE(LockFromOtherThread(mutex, 0));
    mutex.Unlock();
    mutex.Unlock(); // not held any more: ignored as well
    EXPECT_TRUE(LockFromOtherThread(mutex, 0));
}

TEST(AccessRight, LeavingTheScopeThroughAnExceptionUnlocks)
{
    CMutexObject mutex;
    try {
        CAccessRight access(mutex);
        EXPECT_TRUE(access.IsLocked());
        EXPECT_FALSE(LockFromOtherThread(mutex, 0));
        throw std::runtime_error("failed inside the bracket");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(mutex.IsHeldByCurrentThread());
    EXPECT_TRUE(LockFromOtherThread(mutex, 0));
}
