#include "measure/counting_tools.h"

#include <cmath>
#include <exception>

#include "base/geometry.h"
#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/dispatch.h"
#include "measure/drawing.h"
#include "measure/gill_estimate.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "measure/surface_writers.h"
#include "platform/colour.h"
#include "platform/control.h"
#include "platform/runtime.h"

namespace {

constexpr int kComptage = 10;
constexpr int kBosses = 11;
constexpr int kLames = 22;
constexpr int kMsgValiderCompte = 207;   // " clic droit pour valider le compte"
constexpr int kMsgCentre = 260;          // " Pointer le centre du stipe"
constexpr int kMsgLames = 261;           // "Pointer les lames SUCCESSIVEMENT ..."
constexpr int kMenuSauverTrame = 9;
constexpr int kBoutonCompter = 9;
constexpr int kDerniereColonneLames = 2;
constexpr double kRayonCentre = 100;
constexpr platform::Colour kRouge = 255;
constexpr double kTaillePoliceEstimation = 20;
constexpr int kClicsMax = 32767;

bool gauche(int Button) { return (Button & platform::kLeftButton) != 0; }
bool droit(int Button) { return (Button & platform::kRightButton) != 0; }

void messageEtat(int n) { Qvl().StatusBar1.setSimpleText(MSG(n)); }

// The counting box plus 1, written as a printed number (" 1"); returns the new count.
double comptePlusUn() {
  QVL& f = Qvl();
  const double n = platform::Val(f.TBox(6).text()) + 1;
  f.TBox(6).setText(platform::Str(n));
  return n;
}

void clicDensite(int Button, double X, double Y) {
  QVL& f = Qvl();
  if (gauche(Button)) {
    comptePlusUn();
    Trace_Croix_Simple(X, Y);
    const int n = platform::CInt(platform::Val(f.TBox(6).text()));
    const double s = ValMesure(1);
    if (n > 0 && s != 0)
      f.label(9).setCaption("S= " + platform::Format(s, Format_Decimal) + " d= " + platform::Format(n / s, Format_Decimal));
  } else if (droit(Button)) {
    Inscrit_Mesure_Grille();
  }
}

// The gill pointed at (x, y), after the first: its angle from the first gill, the
// estimate and its agreement with the previous one.
void lameSuivante(double x, double y) {
  QVL& f = Qvl();
  double a = Angle_Lame(ValMesure(4), Depart_X, Depart_Y, x, y);
  if (NbLames == 2) ValMesure(3) = a > 180 ? -1 : 1;
  if (ValMesure(3) == -1) a = 360 - a;
  f.label(9).setCaption("angle : " + platform::Str(a));
  const int e = Estimation_Lames(NbLames, a);
  f.Frame1.setVisible(true);
  const double r = Reference_Lames(ValMesure(6), ValMesure(7), ValMesure(8));
  ValMesure(8) = e;
  if (r != 0) {
    const AccordLames accord = Accord_Lames(e, r);
    ValMesure(10) = accord.pourcentage;
    Pourcentage_Lames_Calcule = true;
    f.label(5).setCaption(" % = " + platform::Format(ValMesure(10), "##"));
    f.Label12.setForeColor(kRouge);
    f.Label12.setBackColor(Couleur_Accord(NbLames, accord.ecart));
    f.Label12.setFontSize(kTaillePoliceEstimation);
    f.Frame1.setBackColor(f.Label12.backColor());
  }
  f.Label12.setCaption(platform::CStr(static_cast<long long>(e)));
}

void clicLame(int Button, double X, double Y) {
  QVL& f = Qvl();
  if (droit(Button)) {
    Inscrit_Mesure_Grille();
    NbLames = 0;
    Comptage_Lames();
    return;
  }
  f.label(5).setCaption("");
  messageEtat(kMsgLames);
  platform::PictureBox& pic = f.Picture1;
  if (NbLames <= 0) {
    pic.setForeColor(platform::QBColor(CouleursTrace(0)));
    pic.circle(X, Y, kRayonCentre);
    Depart_X = X;
    Depart_Y = Y;
    NbLames = 1;
    return;
  }
  Trace_Croix_Simple(platform::CInt(X), platform::CInt(Y));
  if (NbLames == 1) {
    ValMesure(4) = Angle_Direction(static_cast<float>(X), static_cast<float>(Y), static_cast<float>(Depart_X),
                                   static_cast<float>(Depart_Y));
    pic.print(platform::Str(NbLames), true);
  } else {
    lameSuivante(X, Y);
  }
  if (NbLames < kClicsMax) NbLames += 1;
}

}  // namespace

void Compte_Clic(int Button, int /*Shift*/, double X, double Y) {
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  try {
    if (Mode_Densite && EtapeClic > 1) {
      clicDensite(Button, X, Y);
      return;
    }
    if (FonctionCourante != kComptage && FonctionCourante != kBosses) return;
    if (gauche(Button)) {
      comptePlusUn();
      int x = 0, y = 0;
      int bouton = Button;
      if (Point_Entier(X, Y, x, y)) Souris_Mesure(x, y, bouton, kAppui);
      messageEtat(kMsgValiderCompte);
    } else if (droit(Button)) {
      Inscrit_Mesure_Grille();
    }
  } catch (const std::exception&) {
  }
}

void Affiche_Angle_Comptage(int Button, int /*Shift*/, double X, double Y) {
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  try {
    clicLame(Button, X, Y);
  } catch (const std::exception&) {
  }
}

void Comptage_Lames() {
  QVL& f = Qvl();
  for (int i = 3; i <= 8; ++i) ValMesure(i) = 0;
  ValMesure(10) = 0;
  Pourcentage_Lames_Calcule = false;
  FonctionCourante = kLames;
  Der_Colonne = kDerniereColonneLames;
  NbLames = 0;
  f.Label12.setCaption("0");
  // The angle of the last counting goes with it.
  f.label(9).setCaption("");
  if (f.MnuFIC.exists(kMenuSauverTrame)) f.MnuFIC(kMenuSauverTrame).setEnabled(false);
  Mode_Comptage = true;
  BGr_Etat1 = true;
  f.TBox(6).setText("0");
  f.Picture1.setFocus();
  PGr_Etat = false;
  if (f.Bout.exists(kBoutonCompter)) f.Bout(kBoutonCompter).setEnabled(false);
  f.Picture1.setFocus();
  messageEtat(kMsgCentre);
  Retrace(0);
}
