// The working layout of the main window, given once at start-up.
#include <algorithm>

#include "base/globals.h"
#include "base/helpers.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "platform/app.h"

void QVL::Place_Boite_Outils() {
  const double bw = width() - scaleWidth();
  const double bh = height() - scaleHeight() + (StatusBar1.visible() ? StatusBar1.height() : 0);
  Picture1.move(3000, 1000, std::max(0.0, (width() - 3000 - bw) * 0.99),
                std::max(0.0, (height() - 1000 - bh) * 0.99));
  Largeur_Pic_Init = Picture1.scaleWidth();
  const double ecran = platform::App::ScreenWidth();
  Ratio_Aspect = ecran > 0 ? width() / ecran : 1.0;

  Place_Objet(FraCharte, 972, 3840, 0, 8532);
  FraCharte.setCaption("");
  FraCharte.setVisible(false);
  for (platform::Frame* f : {&Frame(1), &Frame(4), &FraFlash, &FraListeImg}) f->setCaption("");
  Place_Objet(Frame(10), 2300, 4000, 800, 5200);
  Place_Objet(FraQvrl, 1200, 3000, 1000, 5100);
  Place_Objet(Frame(7), 4800, 3000, 1000, kLargeurCalibrage);
  // Over the picture, clear of the grid frame at its usual place on the right.
  Place_Objet(Frame(9), 5000, 3000, 3000, 6800);
  TBox(7).setWidth(Frame(9).width() - 100);
  TBox(7).setHeight(2800);
  Place_Objet(Frame(8), 1450, 6700, 1500, 3100);   // clear of the grid frame on the right
  Frame(8).setCaption("");
  FraMC(0).setHeight(2250);
  FraMC(0).setWidth(kLargeurGroupeMC);
  FraMC(0).setTop(Picture1.top() + 5000);
  listImgTxt.setText("");
  Place_Objet(Frame(13), 1095, 9500, 1400, 3000);
  Frame(13).setEnabled(false);
  Frame(13).setCaption("");
  Frame(13).setVisible(false);
}
