// The resolution mode and the option buttons of the calibration panel, on the real
// main window.
#include <gtest/gtest.h>

#include <memory>

#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"

namespace {

class Resolution : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    picture_ = f.picbase.picture();
    indep_ = Indep_Resol;
    facteur_ = Facteur_Resol;
    palmer_ = Palmer;
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.picbase.setPicture(picture_);
    f.Optn(1).setValue(true);
    Calibrage_Resolution();
    if (palmer_ == 2) f.Optn(5).setValue(true); else f.Optn(6).setValue(true);
    Indep_Resol = indep_;
    Facteur_Resol = facteur_;
    Palmer = palmer_;
    Etat_Pt1 = Etat_Pt2 = Etat_Pt3 = false;
    f.Check5.setEnabled(true);
    f.TBox(2).setEnabled(true);
    f.Bout(27).setEnabled(true);
    platform::setDialogs(nullptr);
  }
  void loadWidth(int w) { Qvl().picbase.setPicture(platform::Picture::filled(w, 10, 0x808080)); }

  platform::Picture picture_;
  bool indep_ = false;
  double facteur_ = 1.0;
  int palmer_ = 2;
};

TEST_F(Resolution, IndependentOfResolutionGivesExactlyOne) {
  QVL& f = Qvl();
  for (int w : {2000, 1, 4999}) {
    loadWidth(w);
    f.Optn(1).setValue(true);
    f.Optn(2).setValue(true);   // the click of "Ind. Res."
    EXPECT_TRUE(Indep_Resol);
    EXPECT_EQ(Facteur_Resol, 1.0);
    EXPECT_FALSE(f.Optn(1).value());
    EXPECT_FALSE(f.Check5.enabled());
  }
}

TEST_F(Resolution, IndependentOfDimensionUsesThePictureWidth) {
  QVL& f = Qvl();
  // Width in pixels x 0.001: 2000 gives 2.0, 640 gives 0.64.
  const struct {
    int width;
    double factor;
  } cases[] = {{2000, 2.0}, {640, 0.64}, {1, 0.001}};
  for (const auto& c : cases) {
    loadWidth(c.width);
    f.Optn(2).setValue(true);
    f.Optn(1).setValue(true);
    EXPECT_FALSE(Indep_Resol);
    EXPECT_DOUBLE_EQ(Facteur_Resol, c.factor) << c.width;
    EXPECT_FALSE(f.Optn(2).value());
    EXPECT_TRUE(f.Check5.enabled());   // "ref APN" only in this mode
    EXPECT_DOUBLE_EQ(Facteur_Resolution(), c.factor);
  }
}

TEST_F(Resolution, WithoutAPictureTheFactorStaysOne) {
  Qvl().picbase.setPicture(platform::Picture());
  EXPECT_EQ(Largeur_Image_Pixels(), 0.0);
  Indep_Resol = false;
  EXPECT_EQ(Facteur_Resolution(), 1.0);
  Optn_Click(1);
  EXPECT_EQ(Facteur_Resol, 1.0);
}

TEST_F(Resolution, MarkingKindEnablesTheMatchingControls) {
  QVL& f = Qvl();
  // "Calibrage / longueur" is chosen at start: the graduations first.
  f.Optn(4).setValue(true);
  f.Optn(3).setValue(true);
  EXPECT_FALSE(f.TBox(2).enabled());
  EXPECT_TRUE(f.Bout(27).enabled());
  f.Optn(4).setValue(true);
  EXPECT_TRUE(f.TBox(2).enabled());
  EXPECT_FALSE(f.Bout(27).enabled());
  EXPECT_FALSE(f.Optn(3).value());
}

TEST_F(Resolution, PalmerClearsThePointStatesAndBipointDoesNot) {
  QVL& f = Qvl();
  f.Optn(5).setValue(true);
  Etat_Pt1 = Etat_Pt2 = Etat_Pt3 = true;
  f.Optn(6).setValue(true);
  EXPECT_EQ(Palmer, 1);
  EXPECT_TRUE(Etat_Pt1);
  EXPECT_TRUE(Etat_Pt2);
  EXPECT_TRUE(Etat_Pt3);
  f.Optn(5).setValue(true);
  EXPECT_EQ(Palmer, 2);
  EXPECT_TRUE(f.Optn(5).value());
  EXPECT_FALSE(f.Optn(6).value());
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_FALSE(Etat_Pt2);
  EXPECT_FALSE(Etat_Pt3);
}

TEST_F(Resolution, TheCameraReferenceStaysDisabledAfterEveryOtherOption) {
  QVL& f = Qvl();
  f.Optn(2).setValue(true);
  for (int i : {2, 3, 4, 5, 6}) {
    f.Check5.setEnabled(true);
    Optn_Click(i);
    EXPECT_FALSE(f.Check5.enabled()) << "Optn(" << i << ")";
  }
  f.Optn(1).setValue(true);
  Optn_Click(1);
  EXPECT_TRUE(f.Check5.enabled());
}

}  // namespace
