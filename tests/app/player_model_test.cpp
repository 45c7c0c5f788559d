// Naming the player of simulated matches: the forms the simulator's --player takes, and what it refuses.
#include <gtest/gtest.h>

#include "app/match_simulation.h"
#include "fighters/controller_ai.h"
#include "fighters/controller_combo.h"
#include "fighters/controller_informed.h"
#include "fighters/controller_newcomer.h"
#include "support/game_fixture.h"

namespace {

TPlayerModel Parsed(const char* text) {
  TPlayerModel model;
  EXPECT_TRUE(TPlayerModel::Parse(text, &model)) << text;
  return model;
}

class PlayerModelNames : public GameTest {};

}  // namespace

TEST_F(PlayerModelNames, AModelTakesTheDefaultsOfItsKindAndWhatTheNameAdds) {
  TPlayerModel informed = Parsed("informed");
  EXPECT_EQ(informed.kind, TPlayerModel::INFORMED);
  EXPECT_EQ(informed.Name(), "informed:250:40:5");
  EXPECT_EQ(Parsed("informed:220").Name(), "informed:220:40:5");
  EXPECT_EQ(Parsed("informed:350:60").Name(), "informed:350:60:5");
  EXPECT_EQ(Parsed("informed:200:0:0").Name(), "informed:200:0:0");
  EXPECT_EQ(Parsed("newcomer").Name(), "newcomer:300:60:0");
  EXPECT_EQ(Parsed("newcomer:400").kind, TPlayerModel::NEWCOMER);
  EXPECT_EQ(Parsed("combo").Name(), "combo:300:40:5");
  EXPECT_EQ(Parsed("combo:350").kind, TPlayerModel::COMBO);
  EXPECT_EQ(Parsed("combo:350:20").Name(), "combo:350:20:5");
  EXPECT_EQ(Parsed("reference").Name(), "250,200,50,800,3,1");
  EXPECT_EQ(Parsed("100,50,10,1000,2,0").Name(), "100,50,10,1000,2,0");
  // The name read back gives the same model.
  EXPECT_EQ(Parsed(Parsed("informed:300:20:10").Name().c_str()).Name(), "informed:300:20:10");
}

TEST_F(PlayerModelNames, AnythingElseIsRefusedAndLeavesTheModelAsItWas) {
  for (const char* text :
       {"", "expert", "informed:", "informed:abc", "informed:220x", "informed:20", "informed:5000",
        "informed:220:40:5:1", "informed:220:-1", "informed:220:40:101", "newcomer::", "combo:", "combo:9", "combos",
        "250,200,50,800,3", "250,200,50,800,3,1,9", "250,,50,800,3,1", "reference:250"}) {
    TPlayerModel model = TPlayerModel::Newcomer();
    EXPECT_FALSE(TPlayerModel::Parse(text, &model)) << text;
    EXPECT_EQ(model.Name(), "newcomer:300:60:0") << text;
  }
}

TEST_F(PlayerModelNames, EachModelPlaysWithItsOwnController) {
  EXPECT_NE(dynamic_cast<TControllerInformed*>(Parsed("informed:220").CreateController().get()), nullptr);
  EXPECT_NE(dynamic_cast<TControllerNewcomer*>(Parsed("newcomer").CreateController().get()), nullptr);
  EXPECT_NE(dynamic_cast<TControllerCombo*>(Parsed("combo:350").CreateController().get()), nullptr);
  auto reference = std::dynamic_pointer_cast<TControllerAI>(Parsed("1000,200,100,800,3,1").CreateController());
  ASSERT_NE(reference, nullptr);
  // Its delays are its own in each match, within 15 % of the numbers given; the rest as given.
  EXPECT_GE(reference->t_pose, 850);
  EXPECT_LE(reference->t_pose, 1150);
  EXPECT_EQ(reference->t_vthresh, 800);
  EXPECT_EQ(reference->vthresh, 3);
  EXPECT_EQ(reference->aggressive, 1);
  auto informed = std::dynamic_pointer_cast<TControllerInformed>(Parsed("informed:220:30:2").CreateController());
  ASSERT_NE(informed, nullptr);
  EXPECT_EQ(informed->reaction.meanMillis, 220);
  EXPECT_EQ(informed->reaction.spreadMillis, 30);
  EXPECT_EQ(informed->reaction.mistakePercent, 2);
}
