#include "images/picture_view.h"
#include "shell/handlers.h"
#include "shell/main_window.h"

#include <cmath>

#include "images/image_state.h"
#include "platform/runtime.h"
#include "shell/main_window.h"

void Affiche_Facteur_Zoom() {
  if (!QvlExists()) return;
  const double k = (std::isfinite(K_Zoom) && K_Zoom > 0) ? K_Zoom : 1.0;
  const double valeur = platform::Int(100.0 / k + 0.5) * 0.005;
  Qvl().label(2).setCaption("Z= " + platform::CStr(valeur));
}

void Zoom_Initial() {
  Expo_Zoom = -2 * Pas_Zoom;
  K_Zoom = std::pow(Base_Zoom, Expo_Zoom);
  Expo_Zoom_Initial = Expo_Zoom;
  Affiche_Facteur_Zoom();
}

void Redimensionne_Image() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (f.windowState() != platform::kMaximized) Ratio_Ecran = 1.0;
  f.Dimensionne_Cadres_Image(f.windowState());
  f.Place_Cadre_Grille();
  Larg_Affichee = 0;
  Haut_Affichee = 0;
  Expo_Zoom = Expo_Zoom_Initial;
  K_Zoom = std::pow(Base_Zoom, Expo_Zoom);
  Affiche_Facteur_Zoom();
}

void Charge_Fond_Ecran(int) {}

void Connecte_Vue(QVL&) {}
