#include "measure/picture_events.h"

#include <cmath>
#include <exception>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/annotations.h"
#include "measure/dispatch.h"
#include "measure/drawing.h"
#include "measure/live_display.h"
#include "measure/measure_state.h"
#include "measure/picture_commands.h"
#include "measure/redraw.h"
#include "platform/colour.h"
#include "platform/picturebox.h"

namespace {

// Background of a button while its mode is on (light green).
constexpr platform::Colour kVertActif = 0xC0FFC0;
// Four-way size pointer shown in hand mode.
constexpr int kPointeurMain = 5;

// Pointer of Picture1 kept while hand mode is shown.
int Souris = 0;

// Step prompt of the cystidia functions in the status bar.
void Consigne_Souris() {
  const int n = Consigne_Etape(FonctionCourante, EtapeClic);
  if (n > 0) Qvl().StatusBar1.setSimpleText(MSG(n));
}

// Colour-zone function: the sampling square around the mouse over the picture kept
// in Image1 (which holds the marks already drawn).
void Apercu_Zone_Couleur(double X, double Y) {
  QVL& f = Qvl();
  double xp = 0, yp = 0;
  if (!Point_Image(X, Y, xp, yp)) return;
  const platform::Picture p = f.Image1.picture();
  if (!p.isNull()) f.Picture1.setPicture(p);
  Trace_Cadre_Zone(xp, yp, Taille_Zone);
}

void Affiche_Main(platform::CommandButton& bouton) {
  QVL& f = Qvl();
  f.Picture1.setMousePointer(Souris);
  if (Mode_Main) {
    bouton.setBackColor(kVertActif);
    Souris = f.Picture1.mousePointer();
    f.Picture1.setMousePointer(kPointeurMain);
  } else {
    bouton.setBackColor(platform::kButtonFace);
  }
  Retrace(0);
  f.Picture1.setFocus();
}

}  // namespace

int Consigne_Etape(int fonction, int etape) {
  if (fonction == 4 && etape >= 1 && etape <= 3) return 269 + etape;
  if ((fonction == 5 || fonction == 6) && etape >= 1 && etape <= 5)
    return etape <= 2 ? 269 + etape : 270 + etape;
  return 0;
}

void Picture1_MouseDown(int Button, int Shift, double X, double Y) {
  Qvl().Picture1.setFocus();
  Clic_Image_Mesure(Button, Shift, X, Y);
}

void Picture1_MouseMove(int Button, int Shift, double X, double Y) {
  Consigne_Souris();
  Affiche_Mesure_En_Cours(Button, Shift, X, Y);
  if (FonctionCourante == 20) Apercu_Zone_Couleur(X, Y);
}

void Picture1_MouseUp(int Button, int Shift, double X, double Y) {
  Relache_Image(Button, Shift, X, Y);
}

void Picture1_KeyDown(int KeyCode, int Shift) {
  Touche_Enfoncee = true;
  Touches_Image(KeyCode, Shift);
}

void Picture1_KeyUp(int KeyCode, int Shift) {
  Touche_Enfoncee = false;
  Touches_Relachees(KeyCode, Shift);
}

void Vmouse(int) {}

void DeplaceMain() { Affiche_Main(Qvl().Bout(5)); }

void DeplaceMain_bis() { Affiche_Main(Qvl().Bout_C(5)); }

void Pclic_Click(int Index) {
  if (Index < 1 || Index > 4) return;
  QVL& f = Qvl();
  for (int i = 1; i <= 4; ++i)
    if (f.Pclic.exists(i)) f.Pclic(i).setChecked(false);
  if (f.Pclic.exists(Index)) f.Pclic(Index).setChecked(true);
  Tol_Clic = Index * 10;
}

void Connecte_Mesure(QVL& f) {
  f.Picture1.onMouseDown = Picture1_MouseDown;
  f.Picture1.onMouseMove = Picture1_MouseMove;
  f.Picture1.onMouseUp = Picture1_MouseUp;
  f.Picture1.onKeyDown = [](int& KeyCode, int Shift) { Picture1_KeyDown(KeyCode, Shift); };
  f.Picture1.onKeyUp = [](int& KeyCode, int Shift) { Picture1_KeyUp(KeyCode, Shift); };
  f.onMouseDown = Place_Panneau_Clic;
  if (f.Pclic.a) f.Pclic->onClick = Pclic_Click;
  f.TBox.onChange = [](int i) {
    if (i == 5) Saisie_Change();
  };
  Connecte_Commandes_Image(f);
}
