#pragma once
// What the colour tests share: a scratch folder that stands for the program folder,
// the test data, the default texts, and the colour state reset before each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace colour_test {

inline std::string dataFile(const std::string& name) {
  return std::string(QV_TEST_DATA) + "/colour/" + name;
}

inline std::string bytesOf(const std::string& path) {
  std::string b;
  EXPECT_TRUE(platform::readBytes(path, &b)) << path;
  return b;
}

class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("qv_colour_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string path() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Copies a test data file into the folder under `name`; its path.
  std::string copy(const std::string& data, const std::string& name) const {
    std::filesystem::copy_file(dataFile(data), path_ / name,
                               std::filesystem::copy_options::overwrite_existing);
    return file(name);
  }

 private:
  std::filesystem::path path_;
};

// No chart, no correction, no colour file named, no record pending.
inline void resetColourState() {
  Nuancier.clear();
  for (std::string& n : Nuancier_Noms) n.clear();
  NbNuancier = 0;
  Fic_Nuancier.clear();
  Fic_Etalon.clear();
  Fic_Scanner.clear();
  Coul_Ref.clear();
  Mode_Expert = Nuancier_Trouve = Nuancier_Choisi = false;
  Charte_Demande = Charte_Demande2 = false;
  Correction_Valide = Etalon_Charge = false;
  Table_Correction = TableCorrection();
  NbEtalon = NbScanner = 0;
}

// The program folder is a scratch folder; the chart, the correction and the colour
// flags start empty; the default texts are in place; the decimal separator is the
// point unless a test pins another.
class ColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Messages_Defaut();
    savedRepProg_ = Rep_Prog;
    Rep_Prog = dir_.path();
    resetColourState();
    platform::SetDecimalSeparator('.');
  }
  void TearDown() override {
    Rep_Prog = savedRepProg_;
    platform::SetDecimalSeparator(0);
  }

  TempFolder dir_;

 private:
  std::string savedRepProg_;
};

}  // namespace colour_test
