#pragma once
// The archive tests on the main window: the seven spores of two dimensions, and an
// event pump that answers the step-by-step input panel while it waits, typing each
// scripted answer into its entry box and pressing "OK" (or "Annule").

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "platform/events.h"
#include "platform/textfile.h"
#include "report_window.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace archive_fixture {

// Lengths and widths of the seven spores: Moy 10.79, 6.11, 1.79; Sigma 1.39, 0.71, 0.34.
inline const std::vector<report_window::Spore> kSeptSpores = {
    {12.0, 5.8, 1, ""}, {8.1, 5.8, 1, ""},  {11.4, 7.4, 1, ""}, {10.2, 5.7, 1, ""},
    {12.6, 5.1, 1, ""}, {11.2, 6.8, 1, ""}, {10.0, 6.2, 1, ""},
};

// The answer that presses "Annule".
inline const std::string kAnnule = "\x1b";

// What the panel showed when an answer was given.
struct Question {
  std::string prompt;    // Label9(1)
  std::string defaut;    // Text9 before the answer
  int selection = 0;     // characters selected in Text9
  std::string resume;    // Label9(0), the answers so far
  bool calendrier = false;  // MonthView1 shown
};

class PanelPump final : public platform::EventPump {
 public:
  void processEvents() override {
    if (Etat_Archive != 1) return;
    QVL& f = Qvl();
    if (answers.empty()) {
      ADD_FAILURE() << "the panel waits for an answer that is not scripted: " << f.Label9(1).caption();
      user::click(f.Command9(1));
      return;
    }
    const std::string a = answers.front();
    answers.pop_front();
    questions.push_back({f.Label9(1).caption(), f.Text9.text(), f.Text9.selLength(), f.Label9(0).caption(),
                         f.MonthView1.visible()});
    if (beforeAnswer) beforeAnswer();
    if (Etat_Archive != 1) return;
    if (checkLayout) layout::expectClean(f, "saisie pas à pas : " + f.Label9(1).caption(), {"Picture1"});
    if (a == kAnnule) {
      user::click(f.Command9(1));
      return;
    }
    // Typed into the entry box and confirmed with "OK" as a user does; a box or button
    // a user could not reach fails the test.
    if (!user::typeInto(f.Text9, a) || !user::click(f.Command9(0))) user::click(f.Command9(1));
  }

  std::deque<std::string> answers;
  std::vector<Question> questions;
  std::function<void()> beforeAnswer;
  bool checkLayout = false;   // the layout rule checked at each question
};

// The report window with the panel's pump installed and a folder for archive files.
class ArchiveWindow : public report_window::ReportWindow {
 protected:
  void SetUp() override {
    report_window::ReportWindow::SetUp();
    auto p = std::make_unique<PanelPump>();
    pump_ = p.get();
    platform::setEventPump(std::move(p));
    dir_ = ::testing::TempDir() + "archive_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    ext_ = Ext_Export;
    Ext_Export = "csv";
    Etat_Archive = 0;
    // Images kept apart from the program folder: no one-time folder warning.
    images_ = Rep_Images;
    Rep_Images = dir_;
    // The welcome panel closed, as a user does before archiving.
    Qvl().Frame(9).setVisible(false);
    dialogs().clear();
  }

  void TearDown() override {
    EXPECT_TRUE(pump_->answers.empty()) << pump_->answers.size() << " answers left";
    platform::setEventPump(nullptr);
    Ext_Export = ext_;
    Rep_Images = images_;
    Qvl().FraDial_Seq.setVisible(false);
    std::filesystem::remove_all(dir_);
    report_window::ReportWindow::TearDown();
  }

  platform::ScriptedDialogs& dialogs() { return static_cast<platform::ScriptedDialogs&>(platform::dialogs()); }

  std::string bytes(const std::string& path) const {
    std::string b;
    platform::readBytes(path, &b);
    return b;
  }

  PanelPump* pump_ = nullptr;
  std::string dir_;
  std::string ext_;
  std::string images_;
};

}  // namespace archive_fixture
