// The models of players: what the informed player, the newcomer and the player of combinations do with what they
// see, and how late.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <vector>

#include "fighters/controller_combo.h"
#include "fighters/controller_informed.h"
#include "fighters/controller_newcomer.h"
#include "fighters/figure.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "support/fighter_fixture.h"

namespace {

// The left fighter is played by a model; the right one takes the poses a test gives it.
class PlayerModelTest : public FighterTest {
protected:
  void Play(std::shared_ptr<TControllerPlayer> player) {
    a->controller = player;
    player->fig = a.get();
  }
  // One tick of the round, then 20 ms on the clock.
  void Step() {
    Tick();
    clock.Advance(20);
  }
  // The opponent stands guard at a height, wherever the player's punches leave it.
  void OpponentGuards(int32_t height) {
    b->action = ACTION_GUARD;
    b->height = height;
  }
};

constexpr TReaction kExact200 = {200, 0, 0};  // always exactly 200 ms, never a slip

// The newcomer, with the time of each of its presses: every reaction that changes the keys held or presses a hand.
class TCountedNewcomer : public TControllerNewcomer {
public:
  TCountedNewcomer() : TControllerNewcomer(DEFAULT_REACTION) {}
  std::vector<int32_t> pressTimes;

protected:
  TKeys React(const TSight& seen, const TKeys& held) override {
    TKeys keys = TControllerNewcomer::React(seen, held);
    if (!keys.SameHeld(held) || keys.hand >= 0) {
      pressTimes.push_back(ElapsedMillis());
    }
    return keys;
  }
};

}  // namespace

TEST_F(PlayerModelTest, TheInformedPlayerGuardsWhereTheOpponentMovesItsGuardOneReactionTimeLater) {
  Play(TControllerInformed::Create(kExact200));
  Place(50, 125);
  OpponentGuards(1);
  for (int i = 0; i < 20; i++) {
    a->power = {0, 0};  // no power to punch with: it can only guard
    Step();
  }
  ASSERT_EQ(a->height, 1);
  int32_t shown = clock.Now();
  OpponentGuards(0);
  while (clock.Now() < shown + 200) {
    a->power = {0, 0};
    Step();
    EXPECT_EQ(a->height, 1) << "guarded high " << clock.Now() - shown << " ms after it was shown";
  }
  Step();
  EXPECT_EQ(a->height, 0);
  EXPECT_EQ(a->action, ACTION_GUARD);
}

TEST_F(PlayerModelTest, TheInformedPlayerTakesTheGuardFirstThenPunchesTheHardOpening) {
  Play(TControllerInformed::Create(kExact200));
  Place(50, 125);
  OpponentGuards(0);  // a high guard leaves the belly open
  int32_t start = clock.Now();
  while (b->health == 1000 && clock.Now() < start + 2000) {
    OpponentGuards(0);
    Step();
  }
  EXPECT_EQ(b->health, 980) << "one hard punch at full power";
  EXPECT_EQ(a->height, 2);
  EXPECT_EQ(a->action, ACTION_RECOVER);
  // First the high guard (one reaction), then the low punch (another, on what was seen after the first).
  EXPECT_GE(clock.Now() - start, 400);
  EXPECT_LE(clock.Now() - start, 460);
}

TEST_F(PlayerModelTest, TheInformedPlayerWalksInWhenOutOfReach) {
  Play(TControllerInformed::Create(kExact200));
  Place(0, 200);
  OpponentGuards(1);
  for (int i = 0; i < 15; i++) {
    Step();
  }
  EXPECT_EQ(a->action, ACTION_FORWARD);
  EXPECT_GT(a->x, 0);
  for (int i = 0; i < 100; i++) {
    a->power = {0, 0};
    Step();
  }
  EXPECT_LT(b->x - a->x, 80) << "it stopped in reach";
  EXPECT_EQ(a->action, ACTION_GUARD);
}

TEST_F(PlayerModelTest, AnInformedPlayerWhoAlwaysSlipsPunchesIntoTheGuardAndGuardsLate) {
  Play(TControllerInformed::Create({200, 0, 100}));
  Place(50, 125);
  OpponentGuards(1);
  int32_t start = clock.Now();
  while (b->health == 1000 && clock.Now() < start + 2000) {
    OpponentGuards(1);
    Step();
  }
  EXPECT_EQ(b->health, 999) << "a punch into the middle guard, blocked";
  EXPECT_EQ(a->height, 1);

  // The guard it needs is put off a reaction at a time, for as long as it slips.
  a->power = {0, 0};
  for (int i = 0; i < 50; i++) {
    OpponentGuards(2);
    a->power = {0, 0};
    Step();
  }
  EXPECT_NE(a->height, 2);
}

// The pace a person new to the game keeps: each press a reaction time (about 0.3 s) after what it answers was
// shown, the hesitation after a press being shorter than that; about three presses a second, three in five of
// them punches, never two closer than the quickest reaction, and at every height.
TEST_F(PlayerModelTest, TheNewcomerPressesAtAPersonsPaceAtEveryHeight) {
  constexpr int kSeconds = 120;  // some 350 presses: the rate comes out within a few percent of its mean
  SeedRandom(7);
  auto newcomer = std::make_shared<TCountedNewcomer>();
  Play(newcomer);
  Place(50, 125);
  int punches = 0;
  std::set<int32_t> heights;
  int32_t lastPunch = -1;
  for (int tick = 0; tick < 50 * kSeconds; tick++) {  // in reach all the time
    OpponentGuards(1);
    b->health = 1000;
    Place(50, 125);
    Step();
    if (a->action == ACTION_RECOVER && a->time != lastPunch) {
      punches++;
      heights.insert(a->height);
      lastPunch = a->time;
    }
  }
  const std::vector<int32_t>& presses = newcomer->pressTimes;
  ASSERT_GT(presses.size(), 1U);
  EXPECT_NEAR(presses.size() / double{kSeconds}, 3.0, 0.3) << presses.size() << " presses in " << kSeconds << " s";
  EXPECT_NEAR(punches / double(presses.size()), 0.6, 0.06) << punches << " punches of " << presses.size() << " presses";
  int32_t closest = INT32_MAX;
  for (size_t i = 1; i < presses.size(); i++) {
    closest = std::min(closest, presses[i] - presses[i - 1]);
  }
  EXPECT_GE(closest, 100) << "two presses closer than anyone reacts";
  EXPECT_EQ(heights.size(), 3U) << "it does not know that heights matter";
}

// A combination is one move: the first punch where the opponent is open, the second with the other hand at
// another height a tenth of a second after it, with no reaction between them (a reaction takes 200 ms here).
TEST_F(PlayerModelTest, TheComboPlayerFollowsAPunchWithTheOtherHandAtAnotherHeightATenthOfASecondLater) {
  SeedRandom(3);
  Play(TControllerCombo::Create(kExact200));
  Place(50, 125);
  struct TPunch {
    int32_t time, height, side;
  };
  std::vector<TPunch> punches;
  for (int tick = 0; tick < 50 * 20 && punches.size() < 12; tick++) {
    OpponentGuards(tick / 100 % 3);  // a new guard every two seconds
    b->health = 1000;
    a->power = {100, 100};  // both hands always have the power for a combination
    Place(50, 125);
    Step();
    if (a->action == ACTION_RECOVER && (punches.empty() || a->time != punches.back().time)) {
      punches.push_back({a->time, a->height, a->side});
    }
  }
  ASSERT_GE(punches.size(), 6U);
  int combinations = 0;
  for (size_t i = 1; i < punches.size(); i++) {
    if (punches[i].time - punches[i - 1].time == TControllerCombo::SECOND_PUNCH_MILLIS) {
      combinations++;
      EXPECT_NE(punches[i].height, punches[i - 1].height) << "punch " << i;
      EXPECT_NE(punches[i].side, punches[i - 1].side) << "punch " << i;
    } else {
      EXPECT_GE(punches[i].time - punches[i - 1].time, 200) << "a punch quicker than a reaction, punch " << i;
    }
  }
  EXPECT_EQ(combinations * 2, static_cast<int>(punches.size())) << "every punch is half of a combination";
}

// The informed player takes each new guard of the opponent's after it; the player of combinations only about
// half of them (two hundred changes: the share comes out within 0.1 of a half).
TEST_F(PlayerModelTest, TheComboPlayerFollowsAboutHalfOfTheOpponentsNewGuards) {
  SeedRandom(11);
  Play(TControllerCombo::Create(kExact200));
  Place(50, 125);
  int changes = 0;
  int followed = 0;
  int32_t guard = 1;
  for (int change = 0; change < 200; change++) {
    guard = (guard + RandomInt(1, 2)) % 3;  // always a new height
    bool elsewhere = a->height != guard;
    for (int tick = 0; tick < 30; tick++) {  // 0.6 s: time for a reaction, none for a second thought
      OpponentGuards(guard);
      a->power = {0, 0};  // nothing to punch with: it can only guard
      Step();
    }
    if (elsewhere) {
      changes++;
      followed += a->height == guard ? 1 : 0;
    }
  }
  ASSERT_GT(changes, 100);
  EXPECT_NEAR(static_cast<double>(followed) / changes, 0.5, 0.1) << followed << " of " << changes << " guards followed";
}
