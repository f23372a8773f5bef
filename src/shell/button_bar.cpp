// The button bar dispatcher: the buttons whose features are built run their action;
// every index runs the common prologue and, unless its action says otherwise, the tail.
#include "shell/button_bar.h"

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/dispatch.h"
#include "measure/grid_reset.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/picture_events.h"
#include "measure/redraw.h"
#include "measure/table_commands.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "reports/report_commands.h"
#include "reports/stat_rows.h"
#include "statwindow/stat_window.h"
#include "shell/diagnostics.h"

namespace {

constexpr platform::Colour kVert = 0xC0FFC0;

void Prompt(QVL& f, const std::string& texte) { f.StatusBar1.setSimpleText(texte); }

void Focus(QVL& f) { f.Picture1.setFocus(); }

void Queue(QVL& f) {
  RAZ_Mesure();
  RAZ_Compteurs_Points();
  f.Bout(40).setBackColor(platform::kButtonFace);
  if (!Mode_InsTexte) Retrace(0);
}

// Deletes the grid's current row (Efface_ligne).
void Efface_Ligne_Courante(QVL& f) {
  int ligne = f.GrilleRef.row();
  Efface_ligne(ligne);
}

// The first table rows forget their image (after the grid was cleared).
void Oublie_Images_Lignes() {
  for (int i = 0; i <= 10; ++i) TabMesures(i).NumImage = 0;
}

// "Raz gril.": clears the grid after its question; No stops there.
void Bouton_Raz_Grille(QVL& f) {
  if (!Efface_Grille(0)) return;
  Efface_Ligne_Courante(f);
  if (f.GrilleRef.rows() > 1) f.GrilleRef.setTopRow(1);
  Oublie_Images_Lignes();
  Focus(f);
  Retrace(0);
}

// "Cherche": back to the image and place of the selected row.
void Bouton_Cherche(QVL& f) {
  Cherche_spore();
  Focus(f);
  f.Frame(6).setVisible(false);
  if (Retrace_Zoom) Retrace(0);
}

// Grid button: shows or hides the grid frame; false when the tail is skipped.
bool Bouton_Grille(QVL& f) {
  Prompt(f, MNU(19));
  f.GrilleRef.setCol(1);
  f.GrilleRef.setRow(1);
  if (f.GrilleRef.text().empty()) {
    Efface_Grille(1);
    Efface_Ligne_Courante(f);
    Oublie_Images_Lignes();
    Focus(f);
    Retrace(0);
  }
  if (f.Frame(6).visible()) {
    f.Frame(6).setVisible(false);
    Focus(f);
    return false;
  }
  f.Frame(6).setVisible(true);
  f.Frame(6).zOrder(0);
  Focus(f);
  return true;
}

void Bouton_Loupe(QVL& f) {
  Loupe_Visible = !Loupe_Visible;
  f.Bout(4).setBackColor(platform::kButtonFace);
  if (Loupe_Visible) {
    f.PLoupePic.setVisible(true);
    f.Bout(4).setBackColor(kVert);
  } else {
    f.PLoupePic.setVisible(false);
  }
  Focus(f);
}

void Bouton_Images(QVL& f) {
  f.FraListeImg.setVisible(!f.FraListeImg.visible());
  if (f.FraListeImg.visible()) f.FraListeImg.zOrder(0);
  aff_liste_images();
  if (f.FraListeImg.visible()) Prompt(f, MSG(67));
}

void Bouton_Couleur(QVL& f, int Index) {
  const int k = Index - 12;
  CouleursTrace(k) = (CouleursTrace(k) + 1) % 16;
  f.Bout(Index).setBackColor(platform::QBColor(CouleursTrace(k)));
  Focus(f);
  Retrace(0);
}

// "fermer" of the welcome frame; false when the tail is skipped.
bool Bouton_Fermer_Accueil(QVL& f) {
  if (Aide_Touches_Ouverte || Mode_Etalonnage) {
    if (Aide_Touches_Ouverte)
      Aide_Touches_Ouverte = false;
    else
      Mode_Etalonnage = false;
    f.Frame(9).setVisible(false);
    f.TBox(7).setText("");
    Focus(f);
    return false;
  }
  f.Frame(9).setVisible(false);
  f.FraQvrl.setVisible(false);
  f.MnApropos->setVisible(true);
  f.TBox(7).setText("");
  Focus(f);
  return true;
}

// "Aperçu": hides the summary panel when shown (false: the tail is skipped), else
// builds the summary afresh.
bool Bouton_Apercu(QVL& f) {
  if (f.Frame(12).visible()) {
    f.Frame(12).setVisible(false);
    Focus(f);
    return false;
  }
  f.TBox(8).setText("");
  Resume_Stat();
  return true;
}

void Bouton_Contact() {
  const std::string lien = std::string("mailto:") + kAdresseSupport + "?subject=" +
                           "Question Quorvale" + "&body=" + "****";
  std::string erreur;
  if (!platform::App::OpenDocument(lien, &erreur)) platform::MsgBox(erreur, platform::vbExclamation);
}

}  // namespace

static void Bascule_Main(QVL& f);

void Bout_Click(int Index) {
  QVL& f = Qvl();
  f.TextExif.setVisible(false);
  Prompt(f, "");
  bool queue = true;
  switch (Index) {
    case 1:
      f.Picture1.setPicture(f.Image2.picture());
      Retrace(0);
      Focus(f);
      break;
    case 2:
      Prompt(f, MNU(7));
      EffacE_1();
      Calcul_stat();
      Entetes_Stat();
      break;
    case 3:
      queue = Bouton_Grille(f);
      break;
    case 4:
      Bouton_Loupe(f);
      break;
    case 5:
      Bascule_Main(f);
      DeplaceMain();
      Retrace(0);
      break;
    case 7:
      Prompt(f, MSG(66));
      Aff_Diagnostic();
      break;
    case 8:
      Bouton_Images(f);
      break;
    case 11:
      ShowStatisticsWindow();
      break;
    case 12:
    case 13:
      Bouton_Couleur(f, Index);
      break;
    case 14:
      Bouton_Cherche(f);
      break;
    case 15:
      Efface_Ligne_Courante(f);
      Retrace(0);
      break;
    case 16:
      Bouton_Raz_Grille(f);
      break;
    case 17:
      RAZ_Grille_total();
      break;
    case 18:
      f.Frame(6).setVisible(false);
      break;
    case 34:
      queue = Bouton_Fermer_Accueil(f);
      break;
    case 35:
      f.FraQvrl.setVisible(false);
      f.MnApropos->setVisible(true);
      f.Frame(9).setVisible(false);
      break;
    case 37:
      platform::Clipboard::clear();
      platform::Clipboard::setText(f.TBox(8).text());
      break;
    case 38:
      f.Frame(12).setVisible(false);
      break;
    case 39:
      queue = Bouton_Apercu(f);
      break;
    case 42:
      Copie_Mesures(0);
      f.Flash(65280, "     " + MSG(63), 1);
      break;
    case 43:
      Resume_Stat();
      break;
    case 50:
      Bouton_Contact();
      break;
    default:
      break;
  }
  if (queue) Queue(f);
}

// Hand mode: toggled by the button, the prompt telling how to move the picture.
static void Bascule_Main(QVL& f) {
  Main_Bascule = !Main_Bascule;
  Mode_Main = false;
  if (Main_Bascule) {
    Mode_Main = true;
    Prompt(f, MSG(65));
  }
}

void Bout_C_Click(int Index) {
  if (Index != 5) {
    Bout_Click(Index);
    return;
  }
  Bascule_Main(Qvl());
  DeplaceMain_bis();
}
