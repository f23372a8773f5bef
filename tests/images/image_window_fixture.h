#pragma once
// Shared set-up of the tests that drive the image list and the image files on the real
// main window (offscreen): scripted dialogs that also keep the titles of message boxes,
// a clock that moves on at every reading (timed panels end at once), a temporary
// folder for pictures, and the program-wide values these tests change, restored
// afterwards. Every test ends with an empty image list.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"
#include "platform/runtime.h"

namespace image_tests {

// Scripted answers, keeping the title of each message box as well.
class TitledDialogs : public platform::ScriptedDialogs {
 public:
  int msgBox(const std::string& text, int style, const std::string& title) override {
    titles.push_back(title);
    return ScriptedDialogs::msgBox(text, style, title);
  }
  std::vector<std::string> titles;
};

class StepClock final : public platform::Clock {
 public:
  double monotonicSeconds() override { return now_ += 0.5; }
  double secondsSinceMidnight() override { return 43200.0; }

 private:
  double now_ = 1000.0;
};

class ImageWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    // The first show runs the start-up chain, whose own questions are not ours.
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    auto d = std::make_unique<TitledDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::setClock(std::make_unique<StepClock>());

    folder_ = std::filesystem::temp_directory_path() /
              ("qv-images-" + std::to_string(::getpid()) + "-" + std::to_string(++counter_));
    std::filesystem::create_directories(folder_);

    savedCalibrage_ = Calibrage;
    savedCalib_ = Calib_Images;
    savedEtape_ = EtapeClic;
    savedLigne_ = LigneCourante;
    savedIndep_ = Indep_Resol;
    savedFacteur_ = Facteur_Resol;
    savedRepImages_ = Rep_Images;
    savedImgTemp_ = Img_Temp;
    savedLargeurPrec_ = Largeur_Img_Prec;
    savedRetrace_ = Retrace_Zoom;
    savedCalibrer_ = Img_A_Calibrer;
    savedMarques_ = Img_Marque;
    savedConsignes_ = Aff_Consignes;
    EtapeClic = 1;
    LigneCourante = 1;
    Calibrage = 1.0;
    Vide_Listes();
    Montre_Fond_Ecran();
  }

  void TearDown() override {
    QVL& f = Qvl();
    EXPECT_TRUE(dialogs_->unanswered().empty()) << "question without a scripted answer";
    EXPECT_EQ(dialogs_->pending(), 0u) << "scripted answers left over";
    if (f.chkMC(0).value() != 0) f.chkMC(0).setValue(0);
    for (int r = 1; r <= 10; ++r) TabMesures(r).NumImage = 0;
    EtapeClic = 1;
    LigneCourante = 1;
    Vide_Listes();
    Montre_Fond_Ecran();
    Calibrage = savedCalibrage_;
    Calib_Images = savedCalib_;
    EtapeClic = savedEtape_;
    LigneCourante = savedLigne_;
    Indep_Resol = savedIndep_;
    Facteur_Resol = savedFacteur_;
    Rep_Images = savedRepImages_;
    Img_Temp = savedImgTemp_;
    Largeur_Img_Prec = savedLargeurPrec_;
    Retrace_Zoom = savedRetrace_;
    Img_A_Calibrer = savedCalibrer_;
    Img_Marque = savedMarques_;
    Aff_Consignes = savedConsignes_;
    platform::setDialogs(nullptr);
    platform::setClock(nullptr);
    platform::SetDecimalSeparator(0);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  // Writes a one-colour BMP of w x h pixels named `name` in the test folder; its path.
  std::string bmp(const std::string& name, int w, int h, platform::Colour c = 0x336699) {
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(platform::Picture::filled(w, h, c).saveBmp(path)) << path;
    return path;
  }
  // Writes raw bytes as a file of the test folder; its path.
  std::string rawFile(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    FILE* out = std::fopen(path.c_str(), "wb");
    EXPECT_NE(out, nullptr);
    if (out) {
      std::fwrite(bytes.data(), 1, bytes.size(), out);
      std::fclose(out);
    }
    return path;
  }
  // The message boxes asked so far, in order.
  std::vector<std::string> messages() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") v.push_back(a.text);
    return v;
  }
  // The kinds of every question asked so far, in order ("openFile", "msgBox"...).
  std::vector<std::string> kinds() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log()) v.push_back(a.kind);
    return v;
  }

  TitledDialogs* dialogs_ = nullptr;
  std::filesystem::path folder_;

 private:
  static inline int counter_ = 0;
  double savedCalibrage_ = 1.0;
  platform::BoundedArray<double, 0, 50> savedCalib_;
  int savedEtape_ = 1;
  int savedLigne_ = 1;
  bool savedIndep_ = false;
  double savedFacteur_ = 1.0;
  std::string savedRepImages_;
  bool savedImgTemp_ = true;
  int savedLargeurPrec_ = 0;
  bool savedRetrace_ = true;
  int savedCalibrer_ = 99;
  platform::BoundedArray<int, 0, 50> savedMarques_;
  bool savedConsignes_ = true;
};

}  // namespace image_tests
