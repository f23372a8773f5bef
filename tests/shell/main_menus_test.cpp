// The Options items that act by themselves, on the real window.
#include "shell/main_menus.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "support/user_input.h"

namespace {

class MainMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    QVL& f = Qvl();
    standard_ = Mode_Standard;
    checked_ = f.MnuOpt(25).checked();
    step_ = EtapeClic;
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.MnuOpt(25).setChecked(checked_);
    Mode_Standard = standard_;
    f.Optn(5).setEnabled(true);
    EtapeClic = step_;
    Mode_Cumul = false;
    platform::setDialogs(nullptr);
  }
  platform::ScriptedDialogs* dialogs_ = nullptr;
  bool standard_ = true, checked_ = true;
  int step_ = 1;
};

TEST_F(MainMenus, FastMachineToggles) {
  QVL& f = Qvl();
  f.MnuOpt(25).setChecked(true);
  f.Optn(5).setValue(true);
  f.Check(2).setValue(1);
  user::click(f.MnuOpt(25));
  EXPECT_FALSE(f.MnuOpt(25).checked());
  EXPECT_FALSE(Mode_Standard);
  EXPECT_FALSE(f.Optn(5).enabled());
  EXPECT_TRUE(f.Optn(6).value());
  EXPECT_EQ(f.Check(2).value(), 0);
  EXPECT_EQ(f.Check(3).value(), 0);
  user::click(f.MnuOpt(25));
  EXPECT_TRUE(f.MnuOpt(25).checked());
  EXPECT_TRUE(Mode_Standard);
  EXPECT_TRUE(f.Optn(5).enabled());
}

TEST_F(MainMenus, DefaultImageOnlyAsks) {
  QVL& f = Qvl();
  dialogs_->answerMsgBox(platform::vbNo);
  user::click(f.MnuOpt(15));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "image actuelle comme image par défaut ? ");
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbNo);
  user::click(f.MnuOpt(15));
  EXPECT_EQ(dialogs_->log().size(), 3u);
}

}  // namespace
