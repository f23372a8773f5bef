#include "measure/dispatch.h"

#include <cmath>
#include <exception>

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/zone_measure.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/annotations.h"
#include "measure/counting_tools.h"
#include "measure/density_tool.h"
#include "measure/drawing.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/live_display.h"
#include "measure/measure_state.h"
#include "measure/outline_tool.h"
#include "measure/picture_events.h"
#include "measure/redraw.h"
#include "measure/segment_tool.h"
#include "measure/table_commands.h"
#include "measure/table_editing.h"
#include "measure/triangle_tool.h"
#include "platform/colour.h"
#include "platform/events.h"
#include "platform/runtime.h"

namespace {

// Virtual key codes read here.
constexpr int kToucheRetour = 8;
constexpr int kToucheMaj = 16;
constexpr int kToucheCtrl = 17;
constexpr int kToucheAlt = 18;
constexpr int kToucheEchap = 27;
constexpr int kToucheEspace = 32;
constexpr int kTouchePageSuivante = 34;
constexpr int kToucheC = 67;
constexpr int kToucheE = 69;
constexpr int kToucheG = 71;
constexpr int kToucheV = 86;
constexpr int kToucheW = 87;
constexpr int kToucheZ = 90;
constexpr int kToucheChevrons = 226;

constexpr int kMsgChargerImage = 240;   // "Charger une image"

constexpr int kBoutonGauche = 1;
constexpr int kBoutonDroit = 2;

void Message_Etat(int n) {
  QVL& f = Qvl();
  f.StatusBar1.setSimpleText(MSG(n));
}

// Colour index i of CouleursTrace as a palette colour; an index outside 0..2 throws.
platform::Colour Couleur_Trace(int i) { return platform::QBColor(CouleursTrace(i)); }

// The counter box TBox(6) increased by 1.
void Compteur_Plus_Un() {
  QVL& f = Qvl();
  const double n = platform::Val(f.TBox(6).text());
  f.TBox(6).setText(platform::CStr(n + 1));
}

// Counting mode (Mode_Comptage). True when the event was handled; a mouse-up falls
// through to the next case.
bool Souris_Comptage(int X, int Y, int Button, int Kind) {
  if (!BGr_Etat1) return true;
  if (Kind != kAppui) return false;
  QVL& f = Qvl();
  if (Button == kBoutonGauche) {
    const platform::Colour c =
        FonctionCourante < 7 ? Couleur_Trace(1) : Couleur_Trace(EtapeClic - 1);
    Trace_Croix_Couleur(X, Y, c);
    if (FonctionCourante < 10) {
      Compteur_Plus_Un();
      return true;
    }
  }
  if (EtapeClic == 1 && platform::Val(f.TBox(6).text()) == 1) {
    Repere_Comptage(X, Y);
    if (Button == kBoutonDroit) Dimensionne_Grille(LigneCourante);
  }
  BGr_Etat1 = false;
  return true;
}

// Hand mode (Mode_Main). True when the event was handled.
bool Souris_Main(int X, int Y, int Kind) {
  if (!BGr_Etat1) return true;
  if (Kind != kAppui) return false;
  Trace_Croix_Couleur(X, Y, Couleur_Trace(1));
  Compteur_Plus_Un();
  BGr_Etat1 = false;
  return true;
}

// Density mode (Mode_Densite).
void Souris_Densite(int X, int Y, int& Button, int Kind) {
  QVL& f = Qvl();
  f.Frame(1).setVisible(true);
  if (EtapeClic == 1) {
    Message_Etat(72);
    if (Button != kBoutonGauche) return;
    Mesure_Densite(EtapeClic, X, Y, Button, Kind);
    Message_Etat(73);
    return;
  }
  Message_Etat(73);
  f.Bout(9).setBackColor(platform::kButtonFace);
  f.Picture1.setFocus();
}

// The standard segment tool: the variant by Mode_Standard, Palmer and Mode_Pointage.
void Souris_Standard(int X, int Y, int& Button, int Kind) {
  int kind = Kind;
  const bool bipoint = !Mode_Standard || Palmer == 1;
  if (!bipoint && Palmer != 2) return;
  if (Mode_Pointage && EtapeClic == 1) {
    Mesure_Poly(EtapeClic, X, Y, Button, kind);
    Etat_Pt3 = false;
    return;
  }
  if (bipoint)
    Mesure_Bipoint(EtapeClic, X, Y, Button, kind);
  else
    Mesure_Palmer(EtapeClic, X, Y, Button, kind);
}

// Zoom or centring click when armed; true when one ran.
bool Clic_Zoom_Ou_Centre(int Button, int Shift, double X, double Y) {
  if (Pan_Etat2) {
    Zoom_Clic(Button, Shift, X, Y);
  } else if (Pan_Etat) {
    Centre_Image_Point(X, Y);
  } else {
    return false;
  }
  if (Retrace_Zoom) Retrace(0);
  return true;
}

}  // namespace

bool Point_Entier(double x, double y, int& X, int& Y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  if (x < -32768.5 || x >= 32767.5 || y < -32768.5 || y >= 32767.5) return false;
  X = platform::CInt(x);
  Y = platform::CInt(y);
  return true;
}

void Clic_Image_Mesure(int Button, int Shift, double X, double Y) {
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  QVL& f = Qvl();
  int x = 0, y = 0;
  if (!Point_Entier(X, Y, x, y)) {
    // The colour zone takes its point as it is, beyond the 16-bit range too.
    if (f.FraCharte.visible() && !Mode_Main && !Illus_Texte) Mesure_Zone_Couleur(X, Y);
    return;
  }
  Ignore_Relache = false;
  if (Illus_Texte) {
    Clic_X1 = x;
    Clic_Y1 = y;
    Rappel_Ecran3();
    if (!Touche_Enfoncee) {
      Souris_Mesure(x, y, Button, kAppui);
      return;
    }
  }
  Appui_X = x;
  Appui_Y = y;
  if (f.FraCharte.visible()) {
    // The zone's pixel is the one painted under the mouse: the point is not rounded.
    if (!Mode_Main) Mesure_Zone_Couleur(X, Y);
    return;
  }
  if (Mode_Comptage) {
    if (FonctionCourante == 10 || FonctionCourante == 11)
      Compte_Clic(Button, Shift, X, Y);
    else if (FonctionCourante == 22)
      Affiche_Angle_Comptage(Button, Shift, X, Y);
  }
  if (Mode_Densite) {
    if (EtapeClic == 1)
      NbLames = 0;
    else
      Compte_Clic(Button, Shift, X, Y);
  }
  if (Mode_InsRef || Mode_Annot || Illus_Trait) {
    Clic_X1 = x;
    Clic_Y1 = y;
    Etat_Saisie = 0;
    Clic_Annotation();
    return;
  }
  if (Clic_Zoom_Ou_Centre(Button, Shift, X, Y)) return;
  if (Mode_Pointage) Etat_Pt3 = false;
  if (!Illus_Texte) Souris_Mesure(x, y, Button, kAppui);
}

void Relache_Image(int Button, int, double X, double Y) {
  int x = 0, y = 0;
  if (!Point_Entier(X, Y, x, y)) return;
  QVL& f = Qvl();
  if (Illus_Trait) {
    Illus_Trait = false;
    return;
  }
  if (Ignore_Relache) return;
  if (Illus_Texte) {
    Clic_X2 = x;
    Clic_Y2 = y;
    Illus_Texte = false;
    Illus_Saisie = true;
    Etat_Saisie = 0;
    Trace_Ligne_Mesure();
  }
  if (FonctionCourante != 22) Message_Etat(55);
  if (Mode_Main) {
    Deplace_Image(platform::CInt(X - Appui_X), platform::CInt(Y - Appui_Y));
    return;
  }
  if (f.FraCharte.visible()) return;
  if (Mode_Comptage) {
    BGr_Etat1 = true;
  } else if (Mode_InsRef || Mode_Annot) {
    platform::DoEvents();
  } else if (!Loupe_Active) {
    Souris_Mesure(x, y, Button, kRelache);
  }
}

void Souris_Mesure(int X, int Y, int& Button, int Kind) {
  if (!Aff_Consignes) return;
  // A row names its image by number: with no listed image shown nothing is measured.
  if (Index_Image < 1 && !Illus_Texte && !Illus_Saisie) {
    Message_Etat(kMsgChargerImage);
    return;
  }
  try {
    if (Mode_Surface) {
      if (NbPoints_Surface >= 0 && NbPoints_Surface <= 2) Message_Etat(278 + NbPoints_Surface);
      Mesure_Surface(X, Y, Button, Kind);
      return;
    }
    if (Mode_Surface2) {
      Mesure_Polygone(X, Y, Button, Kind);
      return;
    }
    if (Illus_Texte || Illus_Saisie) {
      int kind = Kind;
      Point_Illustration(EtapeClic, X, Y, Button, kind);
      return;
    }
    if (Mode_Comptage && Souris_Comptage(X, Y, Button, Kind)) return;
    if (Mode_Main && Souris_Main(X, Y, Kind)) return;
    QVL& f = Qvl();
    f.Frame(1).setVisible(false);
    if (Mode_Densite) {
      Souris_Densite(X, Y, Button, Kind);
      return;
    }
    Souris_Standard(X, Y, Button, Kind);
  } catch (const std::exception&) {
  }
}

void Touches_Image(int KeyCode, int Shift) {
  QVL& f = Qvl();
  switch (KeyCode) {
    case kToucheRetour:
      EffacE_1();
      break;
    case kToucheMaj:
      Vmouse(1);
      break;
    case kToucheCtrl:
      Mode_Main = true;
      DeplaceMain();
      break;
    case kToucheEchap:
      if (Loupe_Pt) {
        Loupe_Pt = false;
        RAZ_Mesure();
      }
      break;
    case kToucheEspace:
      f.Frame(6).setVisible(!f.Frame(6).visible());
      Calcul_stat();
      break;
    case kTouchePageSuivante:
    case kToucheC:
      if (!Loupe_Pt) {
        Pan_Etat = true;
        Loupe_Active = true;
      }
      break;
    case kToucheZ:
      if (!Loupe_Pt) {
        Loupe_Active = true;
        Pan_Etat2 = true;
      }
      break;
    case kToucheChevrons:
      Pas_Loupe = Pas_Loupe == 500 ? 1000 : 500;
      Pas_Loupe2 = platform::CInt(Pas_Loupe / 2);
      if (f.PLoupePic.visible()) Peint_Loupe(Clic_X1, Clic_Y1);
      break;
    case kToucheV:
      Pan_Actif = true;
      break;
    case kToucheW:
      Pan_Clic = true;
      break;
    case kToucheG:
      Type_Vue = (Type_Vue + 1) & 3;
      f.Place_Cadre_Grille();
      break;
    case kToucheE:
      Trace_Continu = true;
      break;
    default:
      break;
  }
  if (Shift == 0) Vmouse(0);
  if (Shift == 1) Vmouse(1);
}

void Touches_Relachees(int KeyCode, int) {
  switch (KeyCode) {
    case kToucheMaj:
      Vmouse(2);
      break;
    case kToucheCtrl:
      Mode_Main = false;
      Main_Bascule = false;
      DeplaceMain();
      break;
    case kToucheAlt:
      Bascule_Alt = !Bascule_Alt;
      break;
    case kTouchePageSuivante:
    case kToucheC:
    case kToucheZ:
      if (KeyCode == kToucheZ)
        Pan_Etat2 = false;
      else
        Pan_Etat = false;
      Loupe_Active = false;
      PGr_Etat = false;
      RAZ_Compteurs_Points();
      break;
    case kToucheV:
      Pan_Actif = false;
      break;
    case kToucheW:
      Pan_Clic = false;
      break;
    case kToucheG:
      Deplace_Grille = false;
      break;
    case kToucheE:
      Trace_Continu = false;
      break;
    default:
      break;
  }
}

void Place_Panneau_Clic(int, int, double X, double Y) {
  int x = 0, y = 0;
  if (!Point_Entier(X, Y, x, y)) return;
  QVL& f = Qvl();
  Clic_X1 = x;
  Clic_Y1 = y;
  if (Pan_Actif) {
    f.VignP.setLeft(X);
    f.VignP.setTop(Y);
    Pan_Actif = false;
  }
  if (Pan_Clic) {
    f.PLoupePic.setLeft(X);
    f.PLoupePic.setTop(Y);
    Pan_Clic = false;
  }
  if (Deplace_Grille) {
    f.Frame(6).setVisible(false);
    f.Frame(6).setLeft(X);
    f.Frame(6).setTop(Y);
    f.Frame(6).setVisible(true);
    f.Frame(6).setCaption("");
    Deplace_Grille = false;
  }
}

void RAZ_Compteurs_Points() {
  Etat_Pt1 = false;
  Etat_Pt2 = false;
  Etat_Pt3 = false;
  Etat_Pt4 = false;
}

void RAZ_Mesure() {
  // Only a segment still open has a release to come that must not end it.
  if (Etat_Pt1) PGr_Etat = true;
  RAZ_Compteurs_Points();
  QVL& f = Qvl();
  if (!Mode_InsTexte) {
    const platform::Picture p = f.ImageMem.picture();
    if (!p.isNull()) f.Picture1.setPicture(p);
  }
  f.Frame(1).setVisible(true);
}

void Repere_Comptage(double X, double Y) {
  if (LigneCourante < 0 || LigneCourante > kDerniereLigneTable) return;
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  Pt_X = platform::CLng(X);
  Pt_Y = platform::CLng(Y);
  Imprime_Numero(X, Y, LigneCourante);
  double xi = 0, yi = 0;
  if (!Point_Image(X, Y, xi, yi)) return;
  // The first element counted, or the zone, starts its row.
  Mesure* m = Commence_Ligne_Table();
  if (!m) return;
  m->Seg(1).X1 = xi;
  m->Seg(1).Y1 = yi;
  m->ExpZoom = Expo_Zoom;
  m->NumImage = Index_Image;
}
