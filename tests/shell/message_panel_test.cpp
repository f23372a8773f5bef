// The timed message panel, with a clock and an event pump the test drives.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "forms/main_window.h"
#include "platform/dialogs.h"
#include "platform/events.h"

namespace {

// A clock that moves on by `step` seconds at every reading of the monotonic time,
// and a pump that runs a scripted action at a given turn.
struct Script {
  double now = 1000.0;
  double step = 0.05;
  int turns = 0;
  std::function<void(int)> atTurn;
};

class StepClock final : public platform::Clock {
 public:
  explicit StepClock(Script* s) : s_(s) {}
  double monotonicSeconds() override { return s_->now += s_->step; }
  double secondsSinceMidnight() override { return 86399.0; }

 private:
  Script* s_;
};

class ScriptPump final : public platform::EventPump {
 public:
  explicit ScriptPump(Script* s) : s_(s) {}
  void processEvents() override {
    const int turn = ++s_->turns;
    if (s_->atTurn) s_->atTurn(turn);
  }

 private:
  Script* s_;
};

class MessagePanel : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    Qvl().show();
    platform::setClock(std::make_unique<StepClock>(&script_));
    platform::setEventPump(std::make_unique<ScriptPump>(&script_));
  }
  void TearDown() override {
    platform::setClock(nullptr);
    platform::setEventPump(nullptr);
  }
  Script script_;
};

TEST_F(MessagePanel, FlashShowsTheTextOnItsColourWhileEventsRunThenHides) {
  QVL& f = Qvl();
  bool seenVisible = false;
  int turnsSeen = 0;
  script_.atTurn = [&](int) {
    ++turnsSeen;
    if (f.FraFlash.visible() && f.lblLabelflashx.caption() == "fichier chargé") seenVisible = true;
  };
  const double start = script_.now;
  f.Flash(65535, "fichier chargé", 1);
  EXPECT_TRUE(seenVisible);
  // One second of a clock moving 0.05 s a reading: about twenty turns of events.
  EXPECT_GE(turnsSeen, 10);
  EXPECT_GE(script_.now - start, 1.0);
  EXPECT_LT(script_.now - start, 1.5);
  EXPECT_FALSE(f.FraFlash.visible());
  EXPECT_EQ(f.FraFlash.backColor(), 65535u);
  EXPECT_EQ(f.lblLabelflashx.backColor(), 65535u);
  EXPECT_DOUBLE_EQ(f.FraFlash.left(), 5600);
  EXPECT_DOUBLE_EQ(f.FraFlash.top(), 4300);
  EXPECT_DOUBLE_EQ(f.FraFlash.width(), 4000);
  EXPECT_DOUBLE_EQ(f.FraFlash.height(), 1200);
}

TEST_F(MessagePanel, FlashDuringAnotherLeavesThePanelHiddenWhenBothEnd) {
  QVL& f = Qvl();
  bool inner = false;
  script_.atTurn = [&](int turn) {
    if (turn == 3 && !inner) {
      inner = true;
      f.Flash(65280, "compte", 2);   // ends after the outer one's time is over
      EXPECT_FALSE(f.FraFlash.visible());
    }
  };
  f.Flash(65535, "premier", 1);
  EXPECT_TRUE(inner);
  EXPECT_FALSE(f.FraFlash.visible());
  EXPECT_EQ(f.lblLabelflashx.caption(), "compte");
}

TEST_F(MessagePanel, NegativeDelayHidesAtOnce) {
  QVL& f = Qvl();
  f.Flash(65535, "x", -1);
  EXPECT_EQ(script_.turns, 0);
  EXPECT_FALSE(f.FraFlash.visible());
}

TEST_F(MessagePanel, OpenKeepsThePanelUntilClosed) {
  QVL& f = Qvl();
  f.Flash(255, "rouge", 0);
  f.Flash_ouvre("calcul en cours");
  EXPECT_TRUE(f.FraFlash.visible());
  EXPECT_DOUBLE_EQ(f.FraFlash.height(), 1000);
  EXPECT_EQ(f.FraFlash.backColor(), 255u);   // the colour is not changed
  EXPECT_EQ(f.lblLabelflashx.caption(), "calcul en cours");
  f.Flash_ferme(1);
  EXPECT_FALSE(f.FraFlash.visible());
  EXPECT_GE(script_.turns, 10);
}

}  // namespace
