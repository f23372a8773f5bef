#pragma once
// Fixture of the window tests of the segment tool, the row writers and the trame
// writers: scripted dialogs, a clock that runs ahead (the message panel's waits end at
// once), the point as decimal separator, the main window shown, and every value these
// tests change put back afterwards, the grids laid out again for the function that was
// current.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "picture_window.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "shell/function_switch.h"

namespace measure_window {

// A clock that moves one second ahead at every reading.
class RunningClock : public platform::Clock {
 public:
  double monotonicSeconds() override { return t_ += 1.0; }
  double secondsSinceMidnight() override { return t_ += 1.0; }

 private:
  double t_ = 1000.0;
};

class MeasureWindow : public ::testing::Test {
 protected:
  // lastRow: the last row of TabMesures the test may change.
  explicit MeasureWindow(int lastRow = 40) : lastRow_(lastRow) {}

  void SetUp() override {
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::setClock(std::make_unique<RunningClock>());
    platform::SetDecimalSeparator('.');
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    dialogs_->clear();
    picture_window::keepMeasuringState(r_, lastRow_);
    r_.keep(Calib_Images); r_.keep(Fic_Session); r_.keep(Fic_Trame); r_.keep(Fic_Calib);
    r_.keep(ValEtapes); r_.keep(ValMesure); r_.keep(LignePrec); r_.keep(Etape_Calib);
    r_.keep(Trace_Poly); r_.keep(NbPoints_Copie); r_.keep(Der_Colonne);
    std::vector<std::string> liste;
    for (int i = 0; i < f.ListIMGchar.listCount(); ++i) liste.push_back(f.ListIMGchar.list(i));
    const int fonction = FonctionCourante;
    const int stat = f.Check.exists(3) ? f.Check(3).value() : 0;
    const bool frame6 = f.Frame(6).visible();
    const int affmesure = f.Affmesure.value();
    const std::string label9 = f.label(9).caption();
    r_.then([liste, fonction, stat, frame6, affmesure, label9] {
      QVL& g = Qvl();
      g.ListIMGchar.clear();
      for (const std::string& s : liste) g.ListIMGchar.addItem(s);
      g.GrilleRef.setRows(1);
      g.MGrille.setRows(1);
      Choix_Fonction_Mesure(fonction);
      if (g.Check.exists(3)) g.Check(3).setValue(stat);
      g.Frame(6).setVisible(frame6);
      g.Affmesure.setValue(affmesure);
      g.label(9).setCaption(label9);
      if (g.Bout.exists(41)) g.Bout(41).setEnabled(true);
    });
    // A known view: picture units and units of Picture1 are the same.
    K_Zoom = 1;
    Expo_Zoom = 0;
    Echelle = 1;
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    Ratio_Ecran = 1;
    Indep_Resol = true;
    Calibrage = 0.01;
    Index_Image = 1;
    Format_Decimal = "###0.00";
    Tol_Clic = 30;
    Largeur_Pic = 2352;
    PGr_Etat = false;
    Mode_Cumul = false;
    Mode_Densite = false;
    Mode_Pointage = false;
    Trace_Continu = false;
    Loupe_Active = false;
    Sauve_Auto = 0;
    Aff_Consignes = true;
    f.Affmesure.setValue(0);
  }

  void TearDown() override {
    EXPECT_TRUE(dialogs_->unanswered().empty())
        << "unanswered: " << (dialogs_->unanswered().empty() ? "" : dialogs_->unanswered().front());
    for (int i = 0; i <= lastRow_; ++i) TabMesures(i) = Mesure{};
    r_holder_.reset();
    platform::setClock(nullptr);
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
  }

  // Lays the grids out for function `fonction` on an empty grid and table.
  void startFunction(int fonction) {
    QVL& f = Qvl();
    f.GrilleRef.setRows(1);
    f.MGrille.setRows(1);
    for (int i = 0; i <= lastRow_; ++i) TabMesures(i) = Mesure{};
    ASSERT_TRUE(Choix_Fonction_Mesure(fonction));
    Mode_Pointage = false;
    Trace_Continu = false;
  }

  // Makes the image list hold one image, the image 1 that rows written here name (a
  // trame is saved only with its images).
  void listOneImage(const std::string& path = "lame.bmp") {
    Qvl().ListIMGchar.clear();
    Qvl().ListIMGchar.addItem(path);
  }

  // The texts of columns 1 to last of a grid row.
  std::vector<std::string> row(int r, int last) const {
    std::vector<std::string> v;
    for (int c = 1; c <= last; ++c) v.push_back(Qvl().GrilleRef.textMatrix(r, c));
    return v;
  }

  // Messages shown so far.
  std::vector<std::string> messages() const {
    std::vector<std::string> m;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") m.push_back(a.text);
    return m;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::unique_ptr<picture_window::Restorer> r_holder_ = std::make_unique<picture_window::Restorer>();
  picture_window::Restorer& r_ = *r_holder_;
  int lastRow_;
};

}  // namespace measure_window
