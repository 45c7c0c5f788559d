// The game thread and the mixer thread at the same time, as in the game: run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "media/audio/audio_ring.h"
#include "media/audio/mixer.h"

TEST(AudioRing, KeepsOrderAndRefusesA4097thEntry) {
  TAudioRing<int> ring;
  std::vector<int> items(TAudioRing<int>::CAPACITY + 1);
  for (size_t i = 0; i < TAudioRing<int>::CAPACITY; i++) {
    ASSERT_TRUE(ring.Push(&items[i]));
  }
  EXPECT_FALSE(ring.Push(&items.back()));
  EXPECT_EQ(ring.Pop(), &items[0]);
  EXPECT_TRUE(ring.Push(&items.back()));
  for (size_t i = 1; i <= TAudioRing<int>::CAPACITY; i++) {
    ASSERT_EQ(ring.Pop(), &items[i]);
  }
  EXPECT_EQ(ring.Pop(), nullptr);
}

TEST(AudioRing, HandsItemsAcrossThreadsInOrder) {
  constexpr int kItems = 200000;
  std::vector<int> items(kItems);
  TAudioRing<int> ring;
  std::thread writer([&] {
    for (int i = 0; i < kItems; i++) {
      items[static_cast<size_t>(i)] = i;  // written before the push, read after the pop
      while (!ring.Push(&items[static_cast<size_t>(i)])) {
        std::this_thread::yield();
      }
    }
  });
  int expected = 0;
  while (expected < kItems) {
    if (int* item = ring.Pop()) {
      ASSERT_EQ(*item, expected);
      expected++;
    } else {
      std::this_thread::yield();
    }
  }
  writer.join();
}

TEST(MixerThreads, TheGameThreadPlaysWhileTheMixerThreadMixes) {
  auto sample = TAudioSample::Create(300, 22050, TAudioSample::FORMAT_MONO16LE);
  for (int32_t i = 0; i < sample->capacity; i += 2) {
    sample->samples[i + 1] = 0x10;  // 4096
  }
  auto blip = TMixSound::Create(*sample, false);
  auto hum = TMixSound::Create(*sample, true);

  TMixer mixer;
  std::atomic<bool> done{false};
  std::atomic<int32_t> loudest{0};
  std::thread output([&] {
    std::vector<int16_t> fragment(TMixer::FRAGMENT_VALUES);
    int32_t now = 0;
    while (!done.load()) {
      mixer.MixFragment(fragment.data(), now++);
      for (int16_t v : fragment) {
        loudest.store(std::max<int32_t>(loudest.load(std::memory_order_relaxed), v), std::memory_order_relaxed);
      }
      std::this_thread::yield();
    }
  });

  std::vector<uint32_t> kept;
  for (int32_t i = 0; i < 20000; i++) {
    mixer.Play(mixer.AllocChannel(true), blip, false, i / 8);
    if (i % 16 == 0) {
      uint32_t channel = mixer.AllocChannel();
      mixer.SetVolume(channel, 0.5f);
      mixer.Play(channel, i % 32 == 0 ? hum : blip, false, i / 8);
      kept.push_back(channel);
    }
    if (!kept.empty()) {
      uint32_t channel = kept[static_cast<size_t>(i) % kept.size()];
      mixer.SetPan(channel, (i % 3) - 1.0f);
      mixer.SetRate(channel, 0.5f + (i % 4) * 0.5f);
      mixer.SetPaused(channel, i % 5 == 0);
      mixer.Playing(channel);
      mixer.Position(channel);
    }
    if (kept.size() > 40) {
      mixer.StopChannel(kept[0]);
      mixer.FreeChannel(kept[1]);  // its voice plays on
      kept.erase(kept.begin(), kept.begin() + 2);
    }
    if (i % 64 == 0) {
      std::this_thread::yield();
    }
  }
  done.store(true);
  output.join();
  EXPECT_GT(loudest.load(), 0);

  // Everything finished comes back: after a last round of mixing on this thread all channels can be had again.
  for (uint32_t channel : kept) {
    mixer.StopChannel(channel);
  }
  std::vector<int16_t> fragment(TMixer::FRAGMENT_VALUES);
  for (int32_t f = 0; f < 4; f++) {
    mixer.MixFragment(fragment.data(), 1 << 20);
  }
  int32_t voices = mixer.VoiceObjects();
  for (int32_t i = 0; i < 100; i++) {
    mixer.Play(mixer.AllocChannel(true), blip, false, 0);
    mixer.MixFragment(fragment.data(), 1 << 20);
  }
  EXPECT_EQ(mixer.VoiceObjects(), voices);      // reused, none made
  mixer.MixFragment(fragment.data(), 1 << 20);  // the last blip ends
  for (uint32_t i = 1; i < TMixer::SLOTS; i++) {
    ASSERT_NE(mixer.AllocChannel(), 0u) << i;
  }
}
