#pragma once
// Fixture of the calibration window tests: the session window with a program folder of
// its own, and every value and control the calibration changes put back afterwards.

#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/calibration.h"
#include "measure/measure_state.h"
#include "session_window.h"
#include "shell/button_bar.h"

namespace calibration_window {

class CalibrationWindow : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    picture_window::standardMeasuringState();
    QVL& f = Qvl();
    r_.keep(Rep_Prog); r_.keep(Fic_Calib); r_.keep(Calib_Predef); r_.keep(FDecimAuto);
    r_.keep(Code_Calib); r_.keep(Calib_Choisie); r_.keep(Etape_CalObj); r_.keep(CalObj_Actif);
    r_.keep(Type_Etalonnage); r_.keep(NbClics_Calib); r_.keep(Calibrage_Avant); r_.keep(NomCalib);
    r_.keep(Absence_Calib_Signalee); r_.keep(Couleurs); r_.keep(Prefixe_Capture2);
    r_.keep(Img_A_Calibrer); r_.keep(Nom_Auto); r_.keep(Facteur_Resol);
    std::vector<bool> boutons;
    for (int i = 1; i <= 47; ++i) boutons.push_back(f.Bout.exists(i) && f.Bout(i).enabled());
    std::vector<bool> predef13, predef14;
    std::vector<platform::Colour> couleurs13, couleurs14;
    for (int i = 0; i <= 4; ++i) {
      predef13.push_back(f.Command13(i).enabled());
      predef14.push_back(f.Command14(i).enabled());
      couleurs13.push_back(f.Command13(i).backColor());
      couleurs14.push_back(f.Command14(i).backColor());
    }
    const std::string l5 = f.label(5).caption(), nom = f.Label_Calib.caption();
    const bool o3 = f.Optn(3).value(), o4 = f.Optn(4).value();
    const std::string tb2 = f.TBox(2).text();
    r_.then([=] {
      QVL& g = Qvl();
      for (int i = 1; i <= 47; ++i)
        if (g.Bout.exists(i)) g.Bout(i).setEnabled(boutons[static_cast<std::size_t>(i - 1)]);
      for (int i = 0; i <= 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        g.Command13(i).setEnabled(predef13[k]);
        g.Command14(i).setEnabled(predef14[k]);
        g.Command13(i).setBackColor(couleurs13[k]);
        g.Command14(i).setBackColor(couleurs14[k]);
      }
      g.label(5).setCaption(l5);
      g.Label_Calib.setCaption(nom);
      for (int i : {7, 8, 14}) g.Frame(i).setVisible(false);
      g.ListCalib.clear();
      g.TBox(2).setText(tb2);
      if (o3) g.Optn(3).setValue(true);
      if (o4) g.Optn(4).setValue(true);
      Oublie_Segments_Calibrage();
    });
    Rep_Prog = folder();
    Fic_Calib = "Qvrl.Cal";
    FDecimAuto = false;
    Etape_CalObj = "99";
    Img_A_Calibrer = 99;
    Absence_Calib_Signalee = true;
    Indep_Resol = true;
  }

  // A listed picture w pixels wide shown as image `numero` with calibration `cal`.
  std::string show(const std::string& name, int w, double cal) {
    const std::string path = session_window::picture(images_, name, w, 300);
    int numero = Position_Image(path) + 1;
    if (numero == 0) numero = Ajoute_Image_Liste(path);
    Calib_Images(numero) = cal;
    EXPECT_TRUE(appel_img_listchar(path));
    return path;
  }

  // A spore of function 2 measured with the mouse: a horizontal length, then a width.
  void spore(int x, int y, int longueur, int largeur) {
    picture_window::drag(x, y, x + longueur, y);
    picture_window::drag(x + 20, y, x + 27, y + largeur);
  }

  // A button of the bar, then the release swallowing its tail arms taken off.
  static void bouton(int index) {
    Bout_Click(index);
    PGr_Etat = false;
  }

  // Answers the next n message boxes with OK.
  void ok(int n = 1) {
    for (int i = 0; i < n; ++i) dialogs_->answerMsgBox(platform::vbOK);
  }

  std::string cell(int r, int c) const { return Qvl().GrilleRef.textMatrix(r, c); }
};

}  // namespace calibration_window
