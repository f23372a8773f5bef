#pragma once
// The statistics window opened modal over the main window on a grid written by the
// test, with scripted answers and the decimal comma; what a test changes in the
// program-wide settings is restored.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "shell/button_bar.h"
#include "shell/function_switch.h"
#include "statwindow/stat_window.h"
#include "support/user_input.h"

using Rows = std::vector<std::vector<std::string>>;

const Rows kTroisSpores = {{"10,2", "5,1", "2", "276,8"}, {"11,4", "5,6", "2,04", "187,2"},
                           {"9,8", "4,9", "2", "123,2"}};

class StatWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    // Every test meets the window as it is designed: no box, option or panel keeps
    // what an earlier test left in it.
    ForgetStatisticsWindow();
    platform::SetDecimalSeparator(',');
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    dialogs_->clear();
    vue_ = Vue_Stat;
    fonction_ = FonctionCourante;
    extrait_ = Liste_Extrait;
    pdms_ = Auto_Pdms;
    calcul_ = f.Check(3).value();
    f.Check(3).setValue(1);
  }

  void TearDown() override {
    ForgetStatisticsWindow();
    QVL& f = Qvl();
    Vue_Stat = vue_;
    Liste_Extrait = extrait_;
    Auto_Pdms = pdms_;
    f.GrilleRef.clear();
    f.GrilleRefP.clear();
    Choix_Fonction_Mesure(fonction_);
    f.Check(3).setValue(calcul_);
    Messages_Defaut();
    EXPECT_TRUE(dialogs_->unanswered().empty()) << (dialogs_->unanswered().empty() ? "" : dialogs_->unanswered().front());
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
  }

  // Lays the grids out for `fonction` and writes `rows` (cells of columns 1 on) as
  // measured rows.
  static void grid(int fonction, const Rows& rows) {
    QVL& f = Qvl();
    f.GrilleRef.clear();
    f.GrilleRefP.clear();
    ASSERT_TRUE(Choix_Fonction_Mesure(fonction));
    for (size_t r = 0; r < rows.size(); ++r) {
      const int ligne = static_cast<int>(r) + 1;
      f.GrilleRef.setTextMatrix(ligne, 0, std::to_string(ligne));
      for (size_t c = 0; c < rows[r].size(); ++c)
        f.GrilleRef.setTextMatrix(ligne, static_cast<int>(c) + 1, rows[r][c]);
    }
    LigneCourante = static_cast<int>(rows.size()) + 1;
  }

  // Opens the window with `open`, runs `inside` while it is shown and modal, then
  // closes it with `close` (when still open). A window left open is unloaded after
  // a few seconds so that a failing test cannot hang.
  void whileOpen(const std::function<void()>& open, const std::function<void(FenHisto&)>& inside,
                 const std::function<void()>& close = [] { Quitte_Stat(); }) {
    QObject garde;
    bool ran = false;
    QTimer::singleShot(0, &garde, [&] {
      FenHisto& f = StatWindow();
      EXPECT_TRUE(f.visible());
      EXPECT_TRUE(f.isModal());
      inside(f);
      ran = true;
      if (f.isLoaded()) close();
    });
    QTimer::singleShot(5000, &garde, [] { UnloadStatisticsWindow(); });
    open();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(StatWindow().isLoaded());
    EXPECT_FALSE(StatWindow().visible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  static void openWithButton() { user::click(Qvl().Bout(11)); }
  static void openWithToolsMenu() { user::click(Qvl().Mntool(5)); }

  std::vector<std::string> dialogLog() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log()) v.push_back(a.kind + ": " + a.text);
    return v;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  int vue_ = 3, fonction_ = 2, calcul_ = 1;
  std::string extrait_;
  bool pdms_ = true;
};

// The same window under the system separator given as parameter ('.' or ','). Texts
// are written with the comma; `loc` turns every comma that stands before a digit into
// the pinned separator (the commas of sentences are followed by a blank).
class StatWindowLocaleTest : public StatWindowTest, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    StatWindowTest::SetUp();
    platform::SetDecimalSeparator(GetParam());
  }

  static std::string loc(std::string s) {
    for (size_t i = 0; i + 1 < s.size(); ++i)
      if (s[i] == ',' && s[i + 1] >= '0' && s[i + 1] <= '9') s[i] = GetParam();
    return s;
  }
  static Rows loc(const Rows& rows) {
    Rows r = rows;
    for (auto& ligne : r)
      for (auto& cellule : ligne) cellule = loc(cellule);
    return r;
  }
  // The separator a user might type that is not the system's.
  static int otherSeparator() { return GetParam() == ',' ? '.' : ','; }
};

inline std::string separatorName(const ::testing::TestParamInfo<char>& info) {
  return info.param == ',' ? "Comma" : "Point";
}
