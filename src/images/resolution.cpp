#include "images/resolution.h"

#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/picture.h"

double Largeur_Image_Pixels() {
  if (!QvlExists()) return 0;
  return Qvl().picbase.picture().widthPixels();
}

double Facteur_Resolution() {
  if (Indep_Resol) return 1.0;
  const double largeur = Largeur_Image_Pixels();
  if (!(largeur > 0)) return 1.0;
  return largeur * 0.001;
}

void Calibrage_Resolution() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  const bool dimension = f.Optn(1).value();
  if (dimension) {
    f.Optn(2).setValue(false);
    Indep_Resol = false;
  } else {
    f.Optn(1).setValue(false);
    Indep_Resol = true;
  }
  Facteur_Resol = Facteur_Resolution();
  if (dimension) f.Check5.setEnabled(true);
}

void Optn_Click(int Index) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.Check5.setEnabled(false);
  switch (Index) {
    case 1:
    case 2:
      Calibrage_Resolution();
      break;
    case 3:
      f.TBox(2).setEnabled(false);
      f.Bout(27).setEnabled(true);
      break;
    case 4:
      f.TBox(2).setEnabled(true);
      f.Bout(27).setEnabled(false);
      break;
    case 5:
      f.Optn(5).setValue(true);
      Palmer = 2;
      Etat_Pt1 = false;
      Etat_Pt2 = false;
      Etat_Pt3 = false;
      break;
    case 6:
      Palmer = 1;
      break;
    default:
      break;
  }
}
