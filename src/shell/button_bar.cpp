// The button bar dispatcher: every index runs the common prologue, its own action and,
// unless its action says otherwise, the tail that abandons the measurement in progress
// and redraws the picture.
#include "shell/button_bar.h"

#include <cmath>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_options.h"
#include "colour/colour_state.h"
#include "colour/colour_window.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/annotations.h"
#include "measure/calibration.h"
#include "measure/comment_panel.h"
#include "measure/dispatch.h"
#include "measure/drawing.h"
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
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/archive_window.h"
#include "reports/report_commands.h"
#include "reports/stat_rows.h"
#include "shell/help.h"
#include "shell/settings_file.h"
#include "shell/diagnostics.h"
#include "statwindow/stat_window.h"

namespace {

constexpr platform::Colour kVert = 0xC0FFC0;     // a mode that is on
constexpr platform::Colour kRouge = 255;         // calibration running, grid being cleared
constexpr platform::Colour kRepondu = 0xFF00;    // the entry dialogue answered

ActionsBarre Actions_Reelles() {
  ActionsBarre a;
  a.RAZ_Mesure = [] { RAZ_Mesure(); };
  a.RAZ_Compteurs_Points = [] { RAZ_Compteurs_Points(); };
  a.Retrace = [](int mode) { Retrace(mode); };
  a.DoEvents = [] { platform::DoEvents(); };
  a.EffacE_1 = [] { EffacE_1(); };
  a.Calcul_stat = [] { Calcul_stat(); };
  a.Entetes_Stat = [] { Entetes_Stat(); };
  a.Cherche_spore = [] { Cherche_spore(); };
  a.RAZ_Grille_total = [] { RAZ_Grille_total(); };
  a.Annule_Mesure = [] { Annule_Mesure(); };
  a.Efface_Grille = [](int sans_question) { return Efface_Grille(sans_question); };
  a.Efface_ligne = [](int& ligne) { Efface_ligne(ligne); };
  a.aff_liste_images = [] { aff_liste_images(); };
  a.Fenetre_Statistiques = [] { ShowStatisticsWindow(); };
  a.Comm_nuancier_Click = [] { Comm_nuancier_Click(); };
  a.DeplaceMain = [] { DeplaceMain(); };
  a.DeplaceMain_bis = [] { DeplaceMain_bis(); };
  a.Rappel_Ecran3 = [] { Rappel_Ecran3(); };
  a.Sauve_Ecran3 = [] { Sauve_Ecran3(); };
  a.Bip = [] { platform::App::Beep(); };
  a.Sauve_Parametres = [](int flag) { return Sauve_Parametres(flag); };
  a.Trace_Ligne_Mesure = [] { Trace_Ligne_Mesure(); };
  a.Commentaire_Point = [] { Commentaire_Point(); };
  a.Place_Annotation = [] { Place_Annotation(); };
  a.Inscrit_Legende = [] { Inscrit_Legende(); };
  a.Flash = [](double couleur, const std::string& texte, int delai) {
    Qvl().Flash(couleur, texte, delai);
  };
  a.Aff_Diagnostic = [] { Aff_Diagnostic(); };
  a.Aide_Liste = [] { Aide_Liste(); };
  a.Affiche_Avertissement = [] { Affiche_Avertissement(); };
  a.Resume_Stat = [] { Resume_Stat(); };
  a.Nmst_Test = [] { Test_Archv(); };
  a.Copie_Mesures = [](int code) { Copie_Mesures(code); };
  a.Valide_Commentaire = [](int k) { Valide_Commentaire(k); };
  a.Calibrage_Action = [](int code) { Calibrage_Action(code); };
  a.Calibrage_Valide = [] { Calibrage_Valide(); };
  a.Valide_Calibrage = [] { Valide_Calibrage(); };
  a.CalObj_1 = [](int index) { CalObj_1(index); };
  a.Sauve_Resultats_Couleur = [] { Sauve_Resultats_Couleur(); };
  a.Ouvre_Lien = [](const std::string& lien, std::string* erreur) {
    return platform::App::OpenDocument(lien, erreur);
  };
  return a;
}

ActionsBarre& A() { return Actions_Barre(); }

template <class F, class... Args>
void Appelle(const F& slot, Args&&... args) {
  if (slot) slot(std::forward<Args>(args)...);
}

void Prompt(QVL& f, const std::string& texte) { f.StatusBar1.setSimpleText(texte); }

void Focus(QVL& f) { f.Picture1.setFocus(); }

void Queue(QVL& f) {
  Appelle(A().RAZ_Mesure);
  Appelle(A().RAZ_Compteurs_Points);
  f.Bout(40).setBackColor(platform::kButtonFace);
  if (!Mode_InsTexte) Appelle(A().Retrace, 0);
}

bool Efface_Grille_Barre(int sans_question) {
  return A().Efface_Grille ? A().Efface_Grille(sans_question) : false;
}

// Deletes the grid's current row (Efface_ligne).
void Efface_Ligne_Courante(QVL& f) {
  int ligne = f.GrilleRef.row();
  Appelle(A().Efface_ligne, ligne);
}

// The first table rows forget their image (after the grid was cleared).
void Oublie_Images_Lignes() {
  for (int i = 0; i <= 10; ++i) TabMesures(i).NumImage = 0;
}

// "Raz gril.": clears the grid after its question; No stops there.
void Bouton_Raz_Grille(QVL& f) {
  if (!Efface_Grille_Barre(0)) return;
  Efface_Ligne_Courante(f);
  if (f.GrilleRef.rows() > 1) f.GrilleRef.setTopRow(1);
  Oublie_Images_Lignes();
  Focus(f);
  Appelle(A().Retrace, 0);
}

// The red button beside the grid: the same clearing, No stopping it too.
void Bouton_Efface_Rouge(QVL& f) {
  f.Bout(40).setBackColor(kRouge);
  if (!Efface_Grille_Barre(0)) return;
  Efface_Ligne_Courante(f);
  Oublie_Images_Lignes();
}

// "Cherche": back to the image and place of the selected row.
void Bouton_Cherche(QVL& f) {
  Appelle(A().Cherche_spore);
  Focus(f);
  f.Frame(6).setVisible(false);
  if (Retrace_Zoom) Appelle(A().Retrace, 0);
}

// Grid button: shows or hides the grid frame; false when the tail is skipped.
bool Bouton_Grille(QVL& f) {
  Prompt(f, MNU(19));
  f.GrilleRef.setCol(1);
  f.GrilleRef.setRow(1);
  if (f.GrilleRef.text().empty()) {
    Efface_Grille_Barre(1);
    Efface_Ligne_Courante(f);
    Oublie_Images_Lignes();
    Focus(f);
    Appelle(A().Retrace, 0);
  }
  if (f.Frame(6).visible()) {
    f.Frame(6).setVisible(false);
    Focus(f);
    return false;
  }
  f.Frame(6).setVisible(true);
  f.Frame(6).zOrder(0);
  Appelle(A().Calcul_stat);
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
  Appelle(A().aff_liste_images);
  if (f.FraListeImg.visible()) Prompt(f, MSG(67));
}

void Bouton_Compter(QVL& f) {
  Mode_Comptage = !Mode_Comptage;
  f.Bout(9).setBackColor(platform::kButtonFace);
  if (Mode_Comptage) {
    BGr_Etat1 = true;
    f.TBox(6).setText("0");
    f.Bout(9).setBackColor(kVert);
  }
  Focus(f);
}

// "Etalonner": the marking of eyepiece divisions on the picture starts.
void Bouton_Etalonner(QVL& f) {
  Debut_Marquage_Calibrage();
  Prompt(f, MSG(165));
  Mode_Etalonnage = true;
  Type_Etalonnage = 0;
  f.Bout(10).setBackColor(kRouge);
  f.TBox(5).setText(std::to_string(NbSegments_Calib));
  Focus(f);
  NbClics_Calib = 0;
}

void Bouton_Couleur(QVL& f, int Index) {
  const int k = Index - 12;
  CouleursTrace(k) = (CouleursTrace(k) + 1) % 16;
  f.Bout(Index).setBackColor(platform::QBColor(CouleursTrace(k)));
  Focus(f);
  Appelle(A().Retrace, 0);
}

// "Quitter calibrage sans modifier": the coefficient and name kept when the panel
// opened come back (none kept: the current ones stay).
void Bouton_Quitte_Calibrage(QVL& f) {
  if (std::isfinite(Calibrage_Avant)) {
    Calibrage = Calibrage_Avant;
    f.Label_Calib.setCaption(NomCalib);
  }
  f.label(5).setCaption("Cal. = " + platform::Format(Calibrage, "###0.0000"));
  if (Calib_Images.inBounds(Index_Image)) Calib_Images(Index_Image) = Calibrage;
  f.Frame(7).setVisible(false);
  Trace_Ok = false;
  if (!Mode_Etalonnage) {
    f.Bout(1).setEnabled(true);
    f.Bout(4).setEnabled(true);
  }
}

// Button 28: saves a pending colour record (false: no tail), or writes the comment
// into the last column of the row named in Text4, then validates the panel.
bool Bouton_28(QVL& f) {
  if (Charte_Demande2 || Charte_Demande) {
    Appelle(A().Sauve_Resultats_Couleur);
    return false;
  }
  if (Mode_Commentaire) {
    const std::string saisie = f.Text4.text();
    const double n = LeadingNumber(saisie);
    const int derniere = std::min(LigneCourante - 1, f.GrilleRef.rows() - 1);
    if (!(n >= 1 && n <= derniere && n == std::floor(n)) || f.GrilleRef.cols() < 2) {
      platform::MsgBox(MNU(6) + " " + MNU(13) + " " + saisie, platform::vbExclamation);
      return true;
    }
    f.GrilleRef.setCol(f.GrilleRef.cols() - 1);
    f.GrilleRef.setRow(static_cast<int>(n));
    f.GrilleRef.setText(f.TBox(3).text());
  }
  Appelle(A().Valide_Commentaire, 0);
  return true;
}

// "OK" of the entry dialogue; false when the step ends without the tail.
bool Bouton_OK(QVL& f) {
  f.Bout(10).setBackColor(kRepondu);
  f.Bout_Symb.setVisible(false);
  if (Illus_Saisie) {
    Appelle(A().Rappel_Ecran3);
    if (Etat_Saisie == 1) {
      Etat_Saisie = 2;
      f.Bout_Symb.setVisible(true);
      Mode_InsRef = true;
      Appelle(A().Commentaire_Point);
      Mode_InsRef = false;
      f.Bout(10).setBackColor(platform::kButtonFace);
      return false;
    }
    if (Etat_Saisie == 3) {
      Appelle(A().DoEvents);
      Appelle(A().Trace_Ligne_Mesure);
      Etat_Pt2 = false;
      return false;
    }
  }
  if (Mode_InsRef) {
    if (Etat_Saisie == 1) {
      Etat_Saisie = 2;
      f.Bout_Symb.setVisible(true);
      Appelle(A().Commentaire_Point);
      f.Bout(10).setBackColor(platform::kButtonFace);
      return false;
    }
    if (Etat_Saisie == 3) {
      Appelle(A().Place_Annotation);
      Appelle(A().DoEvents);
      return false;
    }
  }
  if (Mode_Annot && Etat_Saisie == 1) {
    Appelle(A().Inscrit_Legende);
    Appelle(A().DoEvents);
    return false;
  }
  if (Illus_Trait) {
    Etat_Saisie = 1;
    Appelle(A().Inscrit_Legende);
    Appelle(A().DoEvents);
    return false;
  }
  Appelle(A().Valide_Calibrage);
  const double etape = LeadingNumber(Etape_CalObj);
  if (etape == 0) {
    CalObj_Actif = true;
    Appelle(A().CalObj_1, 1);
  } else if (etape == 2) {
    CalObj_Actif = true;
    Appelle(A().CalObj_1, 3);
  }
  f.TBox(5).setHeight(315);
  return true;
}

// "Annule" of the entry dialogue; false when the step ends without the tail.
bool Bouton_Annule(QVL& f) {
  f.Bout(10).setBackColor(platform::kButtonFace);
  if (Illus_Texte || Illus_Saisie) {
    Etat_Saisie = 4;
    Appelle(A().Trace_Ligne_Mesure);
    return false;
  }
  if (Mode_InsRef) {
    Etat_Saisie = 4;
    Appelle(A().Place_Annotation);
    return false;
  }
  if (Mode_Annot) {
    Etat_Saisie = 4;
    Appelle(A().Inscrit_Legende);
    return false;
  }
  Appelle(A().Annule_Mesure);
  return true;
}

// "aide clés": the thanks of the accepted warning (no tail), or the key help.
bool Bouton_Aide_Cles(QVL& f) {
  if (Avert_Attente) {
    f.Frame(9).setVisible(false);
    platform::MsgBox(" merci ");
    Appelle(A().Sauve_Parametres, 1);
    return false;
  }
  Appelle(A().Aide_Liste);
  return true;
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

// "Aperçu": closes the preview frame (no tail) or fills it again.
bool Bouton_Apercu(QVL& f) {
  if (f.Frame(12).visible()) {
    f.Frame(12).setVisible(false);
    Focus(f);
    return false;
  }
  f.TBox(8).setText("");
  Appelle(A().Resume_Stat);
  return true;
}

// "Stock N": the count goes into the last column of the last finished row.
void Bouton_Stocke_Compte(QVL& f) {
  platform::FlexGrid& g = Qvl().GrilleRef;
  if (LigneCourante <= 1 || LigneCourante - 1 >= g.rows() || g.cols() < 2) return;
  g.setCol(g.cols() - 1);
  g.setRow(LigneCourante - 1);
  g.setColAlignment(g.cols() - 1, 0);
  g.setText(f.TBox(6).text());
  f.TBox(6).setText("0");
  Comptage_Actif = true;
}

void Bouton_Contact() {
  const std::string lien = std::string("mailto:") + kAdresseSupport + "?subject=" +
                           "Question Quorvale" + "&body=" + "****";
  std::string erreur;
  if (A().Ouvre_Lien && !A().Ouvre_Lien(lien, &erreur))
    platform::MsgBox(erreur, platform::vbExclamation);
}

// Hand mode: toggled by the button, the prompt telling how to move the picture.
void Bascule_Main(QVL& f) {
  Main_Bascule = !Main_Bascule;
  Mode_Main = false;
  if (Main_Bascule) {
    Mode_Main = true;
    Prompt(f, MSG(65));
  }
}

}  // namespace

ActionsBarre& Actions_Barre() {
  static ActionsBarre actions = Actions_Reelles();
  return actions;
}

void Bout_Click(int Index) {
  QVL& f = Qvl();
  f.TextExif.setVisible(false);
  Prompt(f, "");
  bool queue = true;
  switch (Index) {
    case 1:
      f.Picture1.setPicture(f.Image2.picture());
      Appelle(A().Retrace, 0);
      Focus(f);
      break;
    case 2:
      Prompt(f, MNU(7));
      Appelle(A().EffacE_1);
      Appelle(A().Calcul_stat);
      Appelle(A().Entetes_Stat);
      break;
    case 3:
      queue = Bouton_Grille(f);
      break;
    case 4:
      Bouton_Loupe(f);
      break;
    case 5:
      Bascule_Main(f);
      Appelle(A().DeplaceMain);
      Appelle(A().Retrace, 0);
      break;
    case 7:
      Prompt(f, MSG(66));
      Appelle(A().Aff_Diagnostic);
      break;
    case 8:
      Bouton_Images(f);
      break;
    case 9:
      Bouton_Compter(f);
      break;
    case 10:
      Bouton_Etalonner(f);
      break;
    case 11:
      Appelle(A().Fenetre_Statistiques);
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
      Appelle(A().Retrace, 0);
      break;
    case 16:
      Bouton_Raz_Grille(f);
      break;
    case 17:
      Appelle(A().RAZ_Grille_total);
      break;
    case 18:
      f.Frame(6).setVisible(false);
      break;
    case 19:
      Bouton_Quitte_Calibrage(f);
      break;
    case 20:
      Appelle(A().Calibrage_Valide);
      f.Frame(14).setVisible(false);
      break;
    case 21:
    case 22:
    case 23:
    case 26:
    case 27:
    case 44:
      Appelle(A().Calibrage_Action, Index - 21);
      break;
    case 24:
      Mode_Panneau_Calib = 99;
      Appelle(A().Calibrage_Action, 3);
      break;
    case 25:
      Mode_Panneau_Calib = 98;
      Appelle(A().Calibrage_Action, 4);
      break;
    case 28:
      queue = Bouton_28(f);
      break;
    case 29:
      Appelle(A().Comm_nuancier_Click);
      queue = false;
      break;
    case 30:
      f.TBox(3).setText("");
      break;
    case 31:
      queue = Bouton_OK(f);
      break;
    case 32:
      queue = Bouton_Annule(f);
      break;
    case 33:
      queue = Bouton_Aide_Cles(f);
      break;
    case 34:
      queue = Bouton_Fermer_Accueil(f);
      break;
    case 35:
      f.FraQvrl.setVisible(false);
      f.MnApropos->setVisible(true);
      f.Frame(9).setVisible(false);
      break;
    case 36:
      f.FraQvrl.setVisible(true);
      Appelle(A().Affiche_Avertissement);
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
    case 40:
      Bouton_Efface_Rouge(f);
      break;
    case 41:
      Bouton_Stocke_Compte(f);
      break;
    case 42:
      Appelle(A().Copie_Mesures, 0);
      Appelle(A().Flash, 65280.0, "     " + MSG(63), 1);
      break;
    case 43:
      Appelle(A().Resume_Stat);
      break;
    case 45:
      Appelle(A().Nmst_Test);
      break;
    case 46:
      Appelle(A().Rappel_Ecran3);
      Appelle(A().Bip);
      Prompt(f, MSG(232));
      queue = false;
      break;
    case 47:
      Prompt(f, "");
      Appelle(A().Sauve_Ecran3);
      queue = false;
      break;
    case 50:
      Bouton_Contact();
      break;
    default:
      break;
  }
  if (queue) Queue(f);
}

void Bout_C_Click(int Index) {
  if (Index != 5) {
    Bout_Click(Index);
    return;
  }
  Bascule_Main(Qvl());
  Appelle(A().DeplaceMain_bis);
}
