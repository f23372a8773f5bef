#pragma once
// A window test in a program folder of its own: scripted dialogs, the settings in force
// before the test written back and read again afterwards, with the few globals the
// settings reader does not restore.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/settings_file.h"

class ProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qv-options-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    platform::SetDecimalSeparator('.');
    QVL& f = Qvl();
    // Shown, as a user meets it: the tests press only what shows.
    f.show();
    platform::DoEvents();
    saved_ = Reglages_Courants();
    repProg_ = Rep_Prog;
    fonction_ = FonctionCourante;
    palmer_ = Palmer;
    welcome_ = f.Frame(9).visible();
    Rep_Prog = dir_;
  }

  void TearDown() override {
    QVL& f = Qvl();
    platform::SetDecimalSeparator('.');
    ASSERT_TRUE(platform::writeLines(path("Qvrl.dat"), Lignes_Parametres(saved_)));
    Lire_Parametres();
    Rep_Prog = repProg_;
    FonctionCourante = fonction_;
    f.Optn(palmer_ == 2 ? 5 : 6).setValue(true);
    Palmer = palmer_;
    f.Frame(9).setVisible(welcome_);
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  // Writes the settings file of the folder (Windows-1252, CR LF) and reads it.
  void readSettings(const std::vector<std::string>& lines) {
    ASSERT_TRUE(platform::writeLines(path("Qvrl.dat"), lines));
    Lire_Parametres();
  }

  std::string dir_;
  Reglages saved_;
  std::string repProg_;
  int fonction_ = 0, palmer_ = 2;
  bool welcome_ = false;
};
