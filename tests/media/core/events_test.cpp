#include "media/core/events.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Trace {
  std::string order;
};

template <char Name>
const TEvent* Mark(const TEvent* event, void* context) {
  static_cast<Trace*>(context)->order += Name;
  return event;
}

const TEvent* Swallow(const TEvent*, void* context) {
  static_cast<Trace*>(context)->order += 'S';
  return nullptr;
}

TEvent replacement{EVENT_KEYDOWN, nullptr, 99, 0, 0, 0};

const TEvent* Replace(const TEvent*, void*) {
  return &replacement;
}

const TEvent* RecordData(const TEvent* event, void* context) {
  static_cast<Trace*>(context)->order += std::to_string(event->data);
  return event;
}

}  // namespace

TEST(EventHooks, RunInDescendingPriorityAndInOrderOfAddingWithinOne) {
  Trace trace;
  AddEventHook(0, Mark<'a'>, &trace);
  AddEventHook(5, Mark<'b'>, &trace);
  AddEventHook(0, Mark<'c'>, &trace);
  AddEventHook(-3, Mark<'d'>, &trace);
  AddEventHook(5, Mark<'b'>, &trace);  // the same hook again: nothing added
  EmitEvent(TEvent{EVENT_KEYDOWN, nullptr, 65, 0, 0, 0});
  EXPECT_EQ(trace.order, "bacd");
  for (auto hook : {Mark<'a'>, Mark<'b'>, Mark<'c'>, Mark<'d'>}) {
    RemoveEventHook(hook, &trace);
  }
  EmitEvent(TEvent{});
  EXPECT_EQ(trace.order, "bacd");
}

TEST(EventHooks, EachHookGetsWhatThePreviousReturnedAndNullEndsTheChain) {
  Trace trace;
  AddEventHook(2, Replace, nullptr);
  AddEventHook(1, RecordData, &trace);
  AddEventHook(0, Swallow, &trace);
  AddEventHook(-1, Mark<'z'>, &trace);
  EmitEvent(TEvent{EVENT_KEYDOWN, nullptr, 1, 0, 0, 0});
  EXPECT_EQ(trace.order, "99S");
  RemoveEventHook(Replace, nullptr);
  RemoveEventHook(RecordData, &trace);
  RemoveEventHook(Swallow, &trace);
  RemoveEventHook(Mark<'z'>, &trace);
}
