// The pump thread's hand-over and the busy guard, on their own.
#include "BusyGuard.h"
#include "EventWait.h"
#include "TThread_Uart_Api.h"

#include <QObject>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>

namespace {

class Pump : public ::testing::Test {
protected:
    QObject receiver;
    std::atomic<int> dispatched{0};
    Qt::HANDLE dispatchThread = nullptr;
    TThread_Uart_Api pump{&receiver, [this] {
                              dispatchThread = QThread::currentThreadId();
                              ++dispatched;
                          }};
};

TEST_F(Pump, NothingIsDispatchedBeforeTheFirstResume) {
    pump.responseComplete();
    runEventsFor(100);
    EXPECT_EQ(dispatched, 0);
    EXPECT_FALSE(pump.isRunning());
}

TEST_F(Pump, ResumedPumpDispatchesOnTheGuiThreadOncePerResponse) {
    pump.resume();
    pump.responseComplete();
    ASSERT_TRUE(waitUntil([&] { return dispatched == 1; }));
    EXPECT_EQ(dispatchThread, QThread::currentThreadId());
    runEventsFor(100);
    EXPECT_EQ(dispatched, 1) << "asleep until the next complete response";
    pump.responseComplete();
    EXPECT_TRUE(waitUntil([&] { return dispatched == 2; }));
}

TEST_F(Pump, SuspendedPumpDispatchesNothingMore) {
    pump.resume();
    pump.responseComplete();
    pump.suspend();
    pump.responseComplete();
    pump.resume();
    runEventsFor(100);
    EXPECT_EQ(dispatched, 0) << "neither a hand-over queued before the suspend nor a "
                                "response completed while suspended is dispatched";
    pump.responseComplete();
    EXPECT_TRUE(waitUntil([&] { return dispatched == 1; }));
    runEventsFor(50);
    EXPECT_EQ(dispatched, 1);
}

TEST_F(Pump, StopJoinsTheThreadAndIsRepeatable) {
    pump.resume();
    ASSERT_TRUE(waitUntil([&] { return pump.isRunning(); }));
    pump.stop();
    EXPECT_TRUE(pump.isFinished());
    pump.stop();
    pump.responseComplete();
    runEventsFor(50);
    EXPECT_EQ(dispatched, 0);
}

TEST(BusyGuardTest, SecondOperationIsRefusedUntilTheFirstEnds) {
    BusyGuard guard;
    {
        BusyGuard::Operation first = guard.tryBegin();
        ASSERT_TRUE(first);
        EXPECT_TRUE(guard.busy());
        EXPECT_FALSE(guard.tryBegin());
        BusyGuard::Operation moved = std::move(first);
        EXPECT_TRUE(guard.busy()) << "moving keeps the operation";
    }
    EXPECT_FALSE(guard.busy());
    EXPECT_TRUE(guard.tryBegin());
}

TEST(BusyGuardTest, EndedSessionCancelsTheRunningOperation) {
    BusyGuard guard;
    BusyGuard::Operation operation = guard.tryBegin();
    EXPECT_FALSE(operation.cancelled());
    guard.endSession();
    EXPECT_TRUE(operation.cancelled());
    EXPECT_TRUE(guard.busy()) << "it still ends by itself";
    operation = BusyGuard::Operation();
    BusyGuard::Operation next = guard.tryBegin();
    ASSERT_TRUE(next);
    EXPECT_FALSE(next.cancelled());
}

} // namespace
