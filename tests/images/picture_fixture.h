#pragma once
// Shared set-up of the tests that drive the picture view and the picture saving on the
// real main window (offscreen): scripted dialogs, a temporary folder readable by any
// user, pictures whose colour tells the position of each pixel, and the view values
// these tests change, restored afterwards (the window is left with no picture loaded,
// at the start-up zoom).

#include <gtest/gtest.h>

#include <QImage>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/picture.h"
#include "platform/runtime.h"

namespace picture_tests {

// Colour of pixel (x, y) of the test pictures: red x / 5, green y / 4, blue 50
// (never the grey back colour of Picture1, never the green of the thumbnail frame).
inline platform::Colour Motif(int x, int y) {
  return static_cast<platform::Colour>((x / 5) % 256) | (static_cast<platform::Colour>((y / 4) % 256) << 8) |
         (50u << 16);
}

class PictureWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    // The first show runs the start-up chain, which may ask its own questions (the
    // settings file created...): they get the neutral answers.
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    std::string tmpl = (std::filesystem::temp_directory_path() / "qv_vue_XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    folder_ = tmpl;
    ::chmod(folder_.c_str(), 0755);   // the read-only test runs a child as another user

    savedPas_ = Pas_Zoom;
    savedZoomAuto_ = Zoom_Auto;
    savedRetrace_ = Retrace_Zoom;
    savedFormat_ = Format_Image;
    savedRepData_ = Rep_Data;
    savedRepProg_ = Rep_Prog;
    savedAlerte_ = Alerte_W7;
    savedEchelle_ = Echelle;
    savedRatio_ = Ratio_Image;
    Pas_Zoom = 1;
    Zoom_Auto = true;
    Retrace_Zoom = false;
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    f.Czoom(3).setCaption("<<");
    f.picbase.setPicture(platform::Picture());   // no picture (not even a background)
    f.Efface_Image();
  }

  void TearDown() override {
    QVL& f = Qvl();
    EXPECT_TRUE(dialogs_->unanswered().empty()) << "question without a scripted answer";
    EXPECT_EQ(dialogs_->pending(), 0u) << "scripted answers left over";
    platform::setDialogs(nullptr);
    if (f.chkMC(0).value() != 0) f.chkMC(0).setValue(0);
    Pas_Zoom = savedPas_;
    Zoom_Auto = savedZoomAuto_;
    Retrace_Zoom = savedRetrace_;
    Format_Image = savedFormat_;
    Rep_Data = savedRepData_;
    Rep_Prog = savedRepProg_;
    Alerte_W7 = savedAlerte_;
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    f.Czoom(3).setCaption("<<");
    f.picbase.setPicture(platform::Picture());
    f.Picture2.setPicture(platform::Picture());
    f.Efface_Image();
    Echelle = savedEchelle_;
    Ratio_Image = savedRatio_;
    platform::SetDecimalSeparator(0);
    std::error_code ec;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder_, ec);
  }

  // A w x h picture coloured by Motif.
  static platform::Picture motif(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const platform::Colour c = Motif(x, y);
        img.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
      }
    return platform::Picture::fromQImage(img);
  }
  // Writes motif(w, h) as a BMP file named `name` in the test folder; its path.
  std::string bmp(const std::string& name, int w, int h) {
    const std::string p = path(name);
    EXPECT_TRUE(motif(w, h).saveBmp(p)) << p;
    return p;
  }
  std::string path(const std::string& name) const { return folder_ + "/" + name; }

  // The message boxes asked so far, in order.
  std::vector<std::string> messages() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") v.push_back(a.text);
    return v;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::string folder_;

 private:
  int savedPas_ = 1;
  bool savedZoomAuto_ = true;
  bool savedRetrace_ = true;
  int savedFormat_ = 0;
  std::string savedRepData_, savedRepProg_;
  bool savedAlerte_ = true;
  double savedEchelle_ = 1.0;
  double savedRatio_ = 1.0;
};

}  // namespace picture_tests
