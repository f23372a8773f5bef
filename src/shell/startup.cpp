// The start-up chain of the main window and the sizing of the picture box.
#include <algorithm>
#include <cmath>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "colour/colour_options.h"
#include "forms/main_window.h"
#include "images/capture.h"
#include "images/exif_display.h"
#include "images/image_group.h"
#include "images/image_list.h"
#include "images/image_loading.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/calibration.h"
#include "measure/comment_panel.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/picture_events.h"
#include "measure/table_commands.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/runtime.h"
#include "shell/button_bar.h"
#include "reports/archive_input.h"
#include "reports/spore_marking.h"
#include "shell/function_menus.h"
#include "shell/help.h"
#include "shell/function_switch.h"
#include "shell/language.h"
#include "shell/main_menus.h"
#include "shell/options_panel.h"
#include "shell/session.h"
#include "shell/settings_file.h"
#include "shell/text_editor.h"
#include "shell/tools_menu.h"

using platform::QBColor;

// Each part of the program connects its own handlers to the window's controls and menus.
static void Connecte_Gestionnaires(QVL& f) {
  Connecte_Parametres(f);
  Connecte_Langue(f);
  Connecte_Vue(f);
  Connecte_Liste_Images(f);
  Connecte_Chargement(f);
  Connecte_Groupe(f);
  Connecte_Fonctions(f);
  Connecte_Statistiques(f);
  Connecte_Options(f);
  Connecte_Mesure(f);
  Connecte_Menu_Outils(f);
  Connecte_Captures(f);
  Connecte_Exif(f);
  Connecte_Table(f);
  Connecte_Session(f);
  Connecte_Aide(f);
  Connecte_Editeur(f);
  Connecte_Menus_Principaux(f);
  Connecte_Commentaires(f);
  Connecte_Calibrage(f);
  Connecte_Couleur(f);
  Services_Shell().Bout_Click = [](int index) { Bout_Click(index); };
  Services_Shell().Edite_Fichier_Calibrage = [] {
    Type_Fichier_Edit = 1;
    Editeur_GF(-1);
  };
  Connecte_Archives(f);
  Connecte_Spore_Optimale(f);
  Services_Shell().Alerte_Unique = [] { Alerte_Unique(); };
  Services_Shell().Choix_Fonction_Mesure = [](int code) { return Choix_Fonction_Mesure(code); };
  Services_Shell().Dispose_Grilles_Fonction = [](int code) { return Dispose_Grilles_Fonction(code); };
  Services_Shell().Titre_Sans_Fonction = [] { Titre_Sans_Fonction(); };
  f.F_Img->onClick = [&f](int index) { f.F_Img_Click(index); };
  f.TTrace->onClick = [&f](int index) { f.TTrace_Click(index); };
  Services_Shell().Sauve_Parametres = [] { return Sauve_Parametres(1); };
  Services_Shell().Edite_Fichier = [](int type, const std::string& fichier) {
    Type_Fichier_Edit = type;
    EditerTexte(fichier);
  };
  f.onLoad = [&f] { f.Form_Load(); };
  f.onResize = [&f] { f.Form_Resize(); };
}

QVL& Qvl() {
  // Never destroyed: the process ends through App::End or the end of main, and the
  // window's widgets belong to the application object.
  static QVL* instance = [] {
    auto* f = new QVL();
    Connecte_Gestionnaires(*f);
    return f;
  }();
  return *instance;
}

void QVL::Form_Load() {
  const std::string dossier = platform::App::Path();
  Rep_Images = dossier;
  Rep_Data = dossier;
  Rep_Prog = dossier;
  Nom_Utilisateur.clear();
  VELOCE = 0;   // the system mouse speed is never read nor changed
  Init_Fenetre_Principale();
  Premiere_Activation = false;
  Nom_Systeme = Version_Windows();
  // The window is shown by the caller of load(), which then activates it.
}

void QVL::Init_Fenetre_Principale() {
  Largeur_Ecran = platform::App::ScreenWidth() / platform::kTwipsPerPixel;
  FraMC(0).setVisible(false);
  FraQvrl.setVisible(false);
  Picture1.setScaleMode(platform::kScaleTwips);
  Ratio_Ecran = 1.0;
  Init_Parametres();
  Dimensionne_Cadres_Image(platform::kMinimized);
  Etat_Pt1 = Etat_Pt2 = Etat_Pt3 = Etat_Pt4 = false;
  Place_Cadre_Grille();
  Loupe_Active = false;
  Charge_Fond_Ecran(1);
  Rep_Prog = platform::App::Path();
  Lire_Parametres();
  label(5).setCaption(MSG(108) + platform::Format(Calibrage, "###0.0000"));
  Stat_Autonome = false;
  Modeles_Grille();
  Frame(6).setVisible(false);
  Efface_Image();
  Reinit_Etape();
  FonctionCourante = Fonction_Demarrage != 0 ? Fonction_Demarrage : 2;
  Choix_Fonction_Mesure(FonctionCourante);
}

// Built-in defaults and the start state of the controls, in the order the values
// depend on each other. A failing step ends it; what was set before stays.
void QVL::Init_Parametres() {
  try {
    initParametresValeurs();
  } catch (const std::exception&) {
  }
  Ratio_Ecran = 1.0;
  Stat_Autonome = false;
  Loupe_Active = false;
  EtapeClic = 1;
}

void QVL::initParametresValeurs() {
  Vue_Stat = 3;
  Langue = "fr";
  Format_Decimal = "###0.00";
  Aff_Consignes = true;
  Place_Boite_Outils();
  StatusBar1.setStyle(1);
  Mode_Etalonnage = false;
  Aide_Touches_Ouverte = false;
  Messages_Defaut();
  Fic_Trame.clear();
  Ext_Export = "csv";
  Fic_Calib = "Qvrl.Cal";
  Check(3).setValue(1);
  Mode_Pointage = false;
  CouleursTrace(0) = 12;
  CouleursTrace(1) = 10;
  Bout(12).setBackColor(QBColor(12));
  Bout(13).setBackColor(QBColor(10));
  setWidth(14000);
  Picture1.setLeft(3360);
  Taille_Grille = 3000;
  Pan_Etat2 = false;
  Pan_Etat = false;
  Zoom_Auto = true;
  Trace_Ok = false;
  Mode_Comptage = false;
  Loupe_Visible = false;
  Mode_Main = false;
  Etape_CalObj = "99";
  // The preset buttons follow the stored presets from the start: until the settings
  // give some, none can be applied.
  for (int i = 0; i <= 4; ++i) Montre_Predefini(*this, i);
  Facteur_Resol = 1.0;
  Indep_Resol = false;
  // Marking a calibration on the picture measures a known length unless the user
  // chooses the graduations.
  Optn(3).setValue(true);
  Optn(2).setValue(false);
  Optn(1).setValue(true);
  for (int i = 0; i <= 3; ++i) Champs_Archive(i).clear();
  Larg_Affichee = 0;
  Haut_Affichee = 0;
  Tol_Clic = 30;
  Base_Zoom = std::sqrt(1.4142136);
  Pas_Zoom = 1;
  Expo_Zoom = 0;
  K_Zoom = std::pow(Base_Zoom, Expo_Zoom);
  Pan_Actif = false;

  // The grid frame and what it holds.
  Frame(6).setHeight(6800);
  Frame(6).setWidth(4000);
  GrilleRef.move(0, 1000, Frame(6).width(), 3900);
  const double haut = GrilleRef.top() + GrilleRef.height() + 10;
  for (int i = 0; i <= 2; ++i) cmdStat(i).setTop(haut);
  Check(3).setTop(haut);
  // Rows 0 to 12: the headings, seven moment rows and five order-statistics rows.
  // Down to the frame's bottom edge: the statistics rows scroll.
  GrilleRefP.move(0, cmdStat(0).top() + 260, Frame(6).width(), Frame(6).height() - cmdStat(0).top() - 300);
  GrilleRefP.setRows(13);
  Picture1.setLeft(GrilleRef.width());
  Picture1.setAutoRedraw(true);
  Image1.setVisible(false);
  PLoupePic.setVisible(false);
  Image2.setVisible(false);
  ImageMem.setVisible(false);

  Taille_Max = 2500;
  VignP.move(0, 2750);
  MGrille.move(0, VignP.top() + Taille_Max, Taille_Max, 1250);
  FraListeImg.setCaption("");
  // Beside the grid frame at its usual place on the right, not over it.
  FraListeImg.move(width() - Frame(6).width() - 3000 - 150, 1000, 3000, 1500);
  FraListeImg.setVisible(false);
  listImgTxt.move(0, 0, FraListeImg.width(), 285);
  ListImgAff.move(0, 300, FraListeImg.width(), FraListeImg.height() - 300);

  Taille_Loupe = 3000;
  Taille_Loupe2 = 1500;
  PLoupePic.move(10, MGrille.top() + MGrille.height(), 3000, 3000);
  PLoupePic.setVisible(true);
  Loupe_Visible = true;
  Pas_Loupe = 1000;
  Pas_Loupe2 = 500;
  Etat_Pt1 = Etat_Pt2 = Etat_Pt3 = Etat_Pt4 = false;
  Mode_Standard = true;
  Retrace_Zoom = true;
  Palmer = 2;
  // In the picture box's own units, so the Palmer guide does not depend on the window.
  Largeur_Pic = static_cast<int>(Picture1.scaleWidth() / 5);
  Largeur_Pic2 = Largeur_Pic;
  Calibrage = 1.0;
  Image2.setPicture(Picture1.picture());
  PGr_Etat = false;
  Type_Vue = 1;

  label(6).setVisible(false);
  Bout(36).setEnabled(true);
  chkMC(0).setEnabled(true);
  cmdChargeMC.setEnabled(true);
  Mntool(3).setEnabled(true);
  Mntool(4).setEnabled(true);
  chkMC(1).setEnabled(false);
  Mntool(6).setEnabled(false);
  Mode_Annot = false;
  Illus_Trait = false;

  FraRep.setVisible(false);
  // Over the picture, clear of the left column's thumbnail, mini grid and magnifier,
  // and below the image list, which may show beside it.
  FraRep.move(Picture1.left(), FraListeImg.top() + FraListeImg.height(), 3015, 4515);
  FraRep.setCaption(Rep_Images);
  ListRep.move(0, 180, FraRep.width(), 3500);
  repText1.move(0, ListRep.top() + ListRep.height() + 20, FraRep.width(), 285);
  RepDrive.setVisible(false);
  RepDir.setVisible(false);
  for (int i = 0; i <= 2; ++i)
    cmdRep(i).move(i * FraRep.width() / 3, FraRep.height() - 400, FraRep.width() / 3 - 15, 300);

  Sauve_Auto = 10;
  MNSav(Sauve_Auto / 10).setChecked(true);
  Auto_Pdms = true;
  Mode_InsRef = false;
  Bout(41).setEnabled(false);
  Fic_Nuancier.clear();
  Fic_Etalon.clear();
  Fic_Scanner.clear();
  OptnMchrt->setVisible(false);
  ZoneCouleur = 3;
  Lrg_Click(ZoneCouleur);
  Coche_Decimales();
  Etalon_Charge = false;
  CheckCalibre.setEnabled(false);
  Fic_CSV_Import.clear();
  Label8(0).setCaption("dim Ech.");
  TTrace_Click(2);
  Mode_InsTexte = false;
  Loupe_Ouverte = false;
  F_Img_Click(1);
  Ext_Images = platform::Split("BMP;JPG", ";");
  // Only the formats a picture can be written in are offered: BMP and JPG.
  for (int i = 0; i <= 6; ++i) {
    if (!F_Img.exists(i)) continue;
    if (i < static_cast<int>(Ext_Images.size())) F_Img(i).setCaption(Ext_Images[static_cast<size_t>(i)]);
    F_Img(i).setEnabled(i < static_cast<int>(Ext_Images.size()));
  }
  MonthView1.setValue(platform::Today());
  Format_Image = 0;
  F_Img_Click(0);
  Img_Temp = true;
  Alpha_Archive = 0.2f;
  Touche_Enfoncee = false;
  Label_Calib.setCaption("");
  EpaisseurTrait = 2;
  Frame_Export_trame.setVisible(false);
  Alerte_W7 = true;
  Prefixe_Capture2 = "TwainImg";
  Num_Capture = 1;
  Nom_Auto = true;
  Sauve_Captures(0) = true;
  Sauve_Captures(1) = false;
  Rep_Trame_Ok = false;
}

void QVL::TTrace_Click(int Index) {
  for (int i : {1, 2, 5}) TTrace(i).setChecked(false);
  TTrace(Index).setChecked(true);
}

void QVL::F_Img_Click(int index) {
  for (int i = 0; i <= 6; ++i) F_Img(i).setChecked(false);
  F_Img(index).setChecked(true);
  Format_Image = index;
}

// Sizes Picture1 for a window state; states 0 and 2 also place it. The picture box's
// measuring scale is a constant width (kLargeurEchellePicture1) whatever its real
// size, so Largeur_Pic_Init and Largeur_Pic_Cour record that width and Ratio_Ecran
// stays 1.0.
void QVL::Dimensionne_Cadres_Image(int mode) {
  if (TBox(4).visible()) TBox(4).setVisible(false);
  const double ecran = platform::App::ScreenWidth();
  Ratio_Aspect = ecran > 0 ? width() / ecran : 1.0;
  const double bx = width() - scaleWidth();
  // The status bar lies in the client area, at its foot: the picture ends above it.
  const double by = height() - scaleHeight() + (StatusBar1.visible() ? StatusBar1.height() : 0);
  auto dimensionne = [&] {
    Picture1.setWidth(std::max(0.0, (width() - Picture1.left() - bx) * 0.99));
    Picture1.setHeight(std::max(0.0, (height() - Picture1.top() - by) * 0.99));
  };
  dimensionne();
  if (mode != platform::kNormal && mode != platform::kMaximized) return;
  Picture1.move(3000, 1000);
  dimensionne();
  if (mode == platform::kNormal) {
    Largeur_Pic_Init = Picture1.scaleWidth();
  } else {
    Largeur_Pic_Cour = Picture1.scaleWidth();
    Ratio_Ecran = Largeur_Pic_Init > 0 ? Largeur_Pic_Cour / Largeur_Pic_Init : 1.0;
  }
  if (Palmer == 2) Optn(5).setValue(true);
}

void QVL::Place_Cadre_Grille() {
  auto& f = Frame(6);
  switch (Type_Vue) {
    case 0:
      f.move(Picture1.left(), Picture1.top());
      break;
    case 1:
      f.move(scaleWidth() - f.width() - 10, Picture1.top());
      break;
    case 2:
      f.move(scaleWidth() - f.width() - 10, Picture1.top() + Picture1.height() - f.height());
      break;
    case 3:
      f.move(Picture1.left(), Picture1.top() + Picture1.height() - f.height());
      break;
    default:
      break;
  }
}

void QVL::Efface_Image() {
  Picture1.setPicture(platform::Picture());
  Zoom_Initial();
}

void QVL::Reinit_Etape() { EtapeClic = 1; }

void QVL::Procedure_Vide() {}

void QVL::Affiche_Export_Trame() {
  Place_Objet(Frame_Export_trame, 3200, 3720, 950, 3000);
  Frame_Export_trame.setVisible(true);
  Frame_Export_trame.zOrder(0);
}

void QVL::Form_Resize() { Redimensionne_Image(); }
