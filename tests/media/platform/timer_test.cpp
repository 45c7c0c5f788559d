// The frame timer on the real SDL event queue (no window needed).
#include "media/platform/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "media/core/events.h"
#include "media/platform/media.h"
#include "media/platform/system.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(StartMedia(&error)) << error;
  }
  void TearDown() override { StopMedia(); }
};

// Polls cond every millisecond until it holds; false if it still does not after ten seconds.
template <typename Condition>
bool WaitUntil(Condition cond) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

struct TickLog {
  std::vector<int32_t> data;
  const void* source = nullptr;
};

const TEvent* RecordTicks(const TEvent* event, void* context) {
  auto* log = static_cast<TickLog*>(context);
  if (event->id == EVENT_TIMERTICK) {
    log->data.push_back(event->data);
    log->source = event->source;
  }
  return event;
}

}  // namespace

TEST_F(TimerTest, WaitReturnsOneTickAtATimeWhenTheCallerKeepsUp) {
  auto timer = TTimer::Create(50.0f);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Wait(), 1);
  // A second wait right away has no new tick yet: it blocks until the next one.
  EXPECT_EQ(timer->Wait(), 1);
  EXPECT_EQ(timer->Wait(), 1);
  EXPECT_EQ(timer->Ticks(), 3);
  timer->Stop();
}

TEST_F(TimerTest, TicksAreCountedOnlyWhenMessagesAreTakenAndAreNotReplayed) {
  auto timer = TTimer::Create(100.0f);
  ASSERT_NE(timer, nullptr);
  // Three ticks fired and none taken yet, however long a busy machine keeps the timer's thread waiting.
  ASSERT_TRUE(WaitUntil([&] { return timer->Pending() >= 3; }));
  EXPECT_EQ(timer->Ticks(), 0);
  PollSystem();
  int32_t counted = timer->Ticks();
  EXPECT_GE(counted, 3);
  // The wait after an overrun reports the ticks it had not seen, once; the next reports only the ticks since.
  int32_t waited = timer->Wait();
  EXPECT_GE(waited, counted);
  EXPECT_EQ(waited, timer->Ticks());
  int32_t before = timer->Ticks();
  int32_t next = timer->Wait();
  EXPECT_GE(next, 1);
  EXPECT_EQ(next, timer->Ticks() - before);
  timer->Stop();
}

TEST_F(TimerTest, EachTickEmitsTheTickEventWithTheNewCount) {
  TickLog log;
  AddEventHook(0, RecordTicks, &log);
  auto timer = TTimer::Create(50.0f);
  ASSERT_NE(timer, nullptr);
  while (timer->Ticks() < 3) {
    timer->Wait();
  }
  RemoveEventHook(RecordTicks, &log);
  ASSERT_GE(log.data.size(), 3u);
  EXPECT_EQ(log.data[0], 1);
  EXPECT_EQ(log.data[1], 2);
  EXPECT_EQ(log.data[2], 3);
  EXPECT_EQ(log.source, timer.get());
  timer->Stop();
}

TEST_F(TimerTest, AGivenEventIsEmittedInsteadOfTheStandardOne) {
  TickLog log;
  AddEventHook(0, RecordTicks, &log);
  auto own = std::make_shared<TEvent>();
  own->id = EVENT_TIMERTICK;
  own->data = 77;
  auto timer = TTimer::Create(50.0f, own);
  ASSERT_NE(timer, nullptr);
  timer->Wait();
  RemoveEventHook(RecordTicks, &log);
  ASSERT_FALSE(log.data.empty());
  EXPECT_EQ(log.data[0], 77);
  timer->Stop();
}

TEST_F(TimerTest, AStoppedTimerWaitsForNothing) {
  auto timer = TTimer::Create(50.0f);
  ASSERT_NE(timer, nullptr);
  timer->Stop();
  EXPECT_EQ(timer->Wait(), 0);
  EXPECT_EQ(timer->Stop(), 0);  // twice does nothing
}

TEST_F(TimerTest, AtMostSixteenRunAndAStoppedOneFreesItsPlace) {
  std::vector<std::shared_ptr<TTimer>> timers;
  for (int i = 0; i < TTimer::MAX_TIMERS; i++) {
    auto timer = TTimer::Create(10.0f);
    ASSERT_NE(timer, nullptr) << "timer " << i;
    timers.push_back(timer);
  }
  EXPECT_EQ(TTimer::Create(10.0f), nullptr);
  timers[5]->Stop();
  auto again = TTimer::Create(10.0f);
  EXPECT_NE(again, nullptr);
  // A tick message of the stopped timer still queued is ignored: it counts no more.
  int32_t stoppedTicks = timers[5]->Ticks();
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  PollSystem();
  EXPECT_EQ(timers[5]->Ticks(), stoppedTicks);
  StopAllTimers();
}

TEST_F(TimerTest, PeriodsThatAreNotWholeMillisecondsAreRefused) {
  EXPECT_EQ(TTimer::Create(0.0f), nullptr);
  EXPECT_EQ(TTimer::Create(-50.0f), nullptr);
  EXPECT_EQ(TTimer::Create(2000.0f), nullptr);  // half a millisecond
}

TEST_F(TimerTest, ARunningTimerStaysAliveWithoutOtherReferences) {
  std::weak_ptr<TTimer> weak;
  {
    auto timer = TTimer::Create(50.0f);
    weak = timer;
  }
  auto timer = weak.lock();
  ASSERT_NE(timer, nullptr);
  timer->Stop();
  timer.reset();
  EXPECT_TRUE(weak.expired());
}
