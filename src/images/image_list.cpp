#include "images/image_list.h"

#include <algorithm>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/exif_listing.h"
#include "images/image_files.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "images/resolution.h"
#include "measure/calibration.h"
#include "measure/comment_panel.h"
#include "measure/dispatch.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"

platform::BoundedArray<int, 0, 50> Img_Inutilisees;
platform::BoundedArray<int, 0, 50> Img_A_Supprimer;

namespace {

// Colour of the panel that refuses a list command during a measurement.
constexpr double kVertRefus = 65280;
// Calibration given to a freed entry of Calib_Images.
constexpr double kCalibrageNeutre = 1.0;

// True while the program itself changes the selection of a list: the click handlers
// then do nothing.
bool g_selectionParCode = false;
// True from a right-button press in ListImgAff to its release or to the selection the
// list then makes under the mouse, which is not a choice of image (the release may be
// lost to the question asked meanwhile: the next press or click ends it too).
bool g_pressionDroite = false;

struct SelectionParCode {
  SelectionParCode() : old(g_selectionParCode) { g_selectionParCode = true; }
  ~SelectionParCode() { g_selectionParCode = old; }
  bool old;
};

bool Mode_Groupe() { return Qvl().chkMC(0).value() == 1; }

// Last measurement row of the grid (LigneCourante - 1 within the table's bounds).
int Derniere_Ligne_Mesure() { return std::clamp(LigneCourante - 1, 0, kDerniereLigneTable); }

// The list position held as text at position p of ListImgIdx; -1 when unreadable.
int Position_Groupe(int p) {
  const std::string t = Qvl().ListImgIdx.list(p);
  if (t.empty()) return -1;
  return platform::CInt(platform::Val(t));
}

// Position in ListImgAff showing list position k; -1 when it is not shown.
int Position_Affichee(int k) {
  QVL& f = Qvl();
  if (k < 0) return -1;
  if (!Mode_Groupe()) return k < f.ListImgAff.listCount() ? k : -1;
  const int n = std::min(f.ListImgIdx.listCount(), f.ListImgAff.listCount());
  for (int p = 0; p < n; ++p)
    if (Position_Groupe(p) == k) return p;
  return -1;
}

void Reconstruit_Liste_Affichee() {
  QVL& f = Qvl();
  SelectionParCode code;
  f.ListImgAff.clear();
  const platform::ListBox& source = Mode_Groupe() ? f.ListImgMC : f.ListIMGchar;
  for (int i = 0; i < source.listCount(); ++i) f.ListImgAff.addItem(Nom_Fichier(source.list(i)));
  Selectionne_Image_Courante();
}

// Refuses a list command while a measurement is in progress; true when refused.
bool Refuse_Pendant_Mesure() {
  if (EtapeClic < 2) return false;
  Selectionne_Image_Courante();
  Qvl().Flash(kVertRefus, MSG(178), 2);
  return true;
}

// The image column of the mini grid's rows that show row r of the measurement grid
// (the same row number in their first column) takes `texte`.
void Renumerote_Mini_Grille(QVL& f, int r, int colonne, const std::string& texte) {
  platform::FlexGrid& mini = f.MGrille;
  const std::string ligne = f.GrilleRef.textMatrix(r, 0);
  if (ligne.empty() || colonne >= mini.cols()) return;
  for (int lc = mini.fixedRows(); lc < mini.rows(); ++lc)
    if (mini.textMatrix(lc, 0) == ligne) mini.setTextMatrix(lc, colonne, texte);
}

// Gives the measurement rows of the images after `numero` the number one lower, in
// the table and in the image column of the grid and of the mini grid.
void Renumerote_Lignes(int numero) {
  QVL& f = Qvl();
  const int colonne = f.GrilleRef.cols() - 2;
  for (int r = 1; r <= Derniere_Ligne_Mesure(); ++r) {
    Mesure& m = TabMesures(r);
    if (m.NumImage <= numero) continue;
    m.NumImage -= 1;
    if (colonne < 1 || r >= f.GrilleRef.rows()) continue;
    const std::string texte = platform::CStr(static_cast<long long>(m.NumImage));
    f.GrilleRef.setTextMatrix(r, colonne, texte);
    Renumerote_Mini_Grille(f, r, colonne, texte);
  }
}

// Moves the calibrations and marks of the images after list position k one place up.
void Decale_Tables(int k) {
  for (int j = k + 1; j < kMaxImages; ++j) Calib_Images(j) = Calib_Images(j + 1);
  Calib_Images(kMaxImages) = kCalibrageNeutre;
  for (int j = k; j < kMaxImages; ++j) Img_Marque(j) = Img_Marque(j + 1);
  Img_Marque(kMaxImages) = 0;
  if (Img_A_Calibrer == k + 1)
    Img_A_Calibrer = 99;
  else if (Img_A_Calibrer > k + 1 && Img_A_Calibrer <= kMaxImages)
    Img_A_Calibrer -= 1;
}

// Drops list position k from the group lists and renumbers the positions after it.
void Retire_Du_Groupe(int k) {
  QVL& f = Qvl();
  SelectionParCode code;
  for (int p = f.ListImgIdx.listCount() - 1; p >= 0; --p) {
    const int v = Position_Groupe(p);
    if (v == k) {
      f.ListImgIdx.removeItem(p);
      if (p < f.ListImgMC.listCount()) f.ListImgMC.removeItem(p);
    } else if (v > k) {
      f.ListImgIdx.setList(p, platform::CStr(static_cast<long long>(v - 1)));
    }
  }
}

// The picture shown stays but is no longer a list entry.
void Image_Hors_Liste() {
  Index_Image = 0;
  Calib_Images(0) = Calibrage;
  Selectionne_Image_Courante();
}

}  // namespace

// --- the list ---------------------------------------------------------------------------

int Nombre_Images() {
  if (!QvlExists()) return 0;
  return std::min(Qvl().ListIMGchar.listCount(), kMaxImages);
}

int Position_Image(const std::string& path) {
  if (path.empty() || !QvlExists()) return -1;
  const platform::ListBox& l = Qvl().ListIMGchar;
  for (int i = 0; i < l.listCount(); ++i)
    if (l.list(i) == path) return i;
  return -1;
}

int Ajoute_Image_Liste(const std::string& path) {
  if (path.empty() || Position_Image(path) >= 0) return 0;
  QVL& f = Qvl();
  if (f.ListIMGchar.listCount() >= kMaxImages) return -1;
  {
    SelectionParCode code;
    f.ListIMGchar.addItem(path);
  }
  const int numero = f.ListIMGchar.listCount();
  Calib_Images(numero) = Calibrage;
  Img_Marque(numero - 1) = 0;
  Reconstruit_Liste_Affichee();
  return numero;
}

bool Image_A_Des_Mesures(int numero) {
  for (int r = 1; r <= Derniere_Ligne_Mesure(); ++r)
    if (TabMesures(r).NumImage == numero) return true;
  return false;
}

bool Retire_Image(int k) {
  if (!QvlExists()) return false;
  QVL& f = Qvl();
  if (k < 0 || k >= f.ListIMGchar.listCount() || k >= kMaxImages) return false;
  const int numero = k + 1;
  if (Image_A_Des_Mesures(numero)) {
    platform::MsgBox("Des mesures de la grille portent sur l'image " +
                         Nom_Fichier(f.ListIMGchar.list(k)) + " : elle reste dans la liste.",
                     platform::vbExclamation);
    return false;
  }
  Renumerote_Lignes(numero);
  Decale_Tables(k);
  Retire_Du_Groupe(k);
  {
    SelectionParCode code;
    f.ListIMGchar.removeItem(k);
  }
  const bool etaitCourante = Index_Image == numero;
  if (etaitCourante) {
    Index_Image = 0;
    Calib_Images(0) = Calibrage;
  } else if (Index_Image > numero) {
    Index_Image -= 1;
  }
  Reconstruit_Liste_Affichee();
  if (etaitCourante && f.ListIMGchar.listCount() == 0) Montre_Fond_Ecran();
  return true;
}

void Vide_Listes() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  {
    SelectionParCode code;
    f.ListIMGchar.clear();
    f.ListImgMC.clear();
    f.ListImgIdx.clear();
    f.ListImgAff.clear();
  }
  RAZ_Indices();
  if (Index_Image != 0) Image_Hors_Liste();
}

bool Confirme_Vider_Grille() {
  if (LigneCourante <= 1) return true;
  return platform::MsgBox(MSG(185) + SautLigne + MSG(190) + " " + MSG(188) + " ? ", platform::vbYesNo) ==
         platform::vbYes;
}

bool Confirme_Vider_Liste() {
  return platform::MsgBox(MSG(190) + " " + MSG(189) + " ? ", platform::vbYesNo) == platform::vbYes &&
         Confirme_Vider_Grille();
}

void Vide_Listes_Et_Grille() {
  if (!QvlExists()) return;
  if (LigneCourante > 1) {
    Efface_Lignes_Table(LigneCourante);
    Efface_Grille(1);
    Statistiques_Grille();
  }
  Vide_Listes();
}

void Vide_Listes_Images() {
  if (!QvlExists()) return;
  if (Confirme_Vider_Liste()) {
    Vide_Listes_Et_Grille();
    Montre_Fond_Ecran();
  }
  Bout_dial_Click(8);
  Bout_dial_Click(8);
}

void RAZ_Indices() { Img_Marque.fill(0); }

void Remplace_Liste_Images(const std::vector<std::string>& chemins) {
  if (!QvlExists()) return;
  Vide_Listes();
  const std::size_t n = std::min<std::size_t>(chemins.size(), kMaxImages);
  {
    SelectionParCode code;
    Qvl().ListIMGchar.setItems(std::vector<std::string>(chemins.begin(), chemins.begin() + static_cast<long>(n)));
  }
  Reconstruit_Liste_Affichee();
}

// --- the picture shown ------------------------------------------------------------------

bool appel_img_listchar(const std::string& NomImg) {
  if (!QvlExists()) return false;
  if (!Fichier_Existe(NomImg, "", 1)) {
    Selectionne_Image_Courante();
    return false;
  }
  if (!Charge_Image_Memoire(NomImg)) {
    Message_Echec_Chargement(NomImg, 481);
    Selectionne_Image_Courante();
    return false;
  }
  Image_Courante(NomImg);
  if (Retrace_Zoom) Retrace(0);
  return true;
}

void Image_Courante(const std::string& path) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  int k = Position_Image(path);
  if (k >= kMaxImages) k = -1;
  Index_Image = k + 1;
  if (Index_Image > 0)
    Calibrage = Calib_Images(Index_Image);
  else
    Calib_Images(0) = Calibrage;
  Img_Active = path;
  Ref_Appareil(Img_Active);
  f.labNomFic.setCaption(path);
  Affiche_Taille_Image();
  Affiche_Calibrage();
  ChercheCal_FicCalibrage();
  f.listImgTxt.setText(path);
  f.listImgTxt.setSelStart(platform::Len(path));
  Selectionne_Image_Courante();
}

void Montre_Fond_Ecran() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Charge_Fond_Ecran(1);
  Img_Active.clear();
  f.labNomFic.setCaption("");
  f.lblWidth.setCaption("");
  f.lblHeight.setCaption("");
  f.listImgTxt.setText("");
  Image_Hors_Liste();
  Affiche_Calibrage();
}

void Selectionne_Image_Courante() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  SelectionParCode code;
  const int k = Index_Image - 1;
  f.ListIMGchar.setListIndex(k >= 0 && k < f.ListIMGchar.listCount() ? k : -1);
  f.ListImgAff.setListIndex(Position_Affichee(k));
}

void Affiche_Taille_Image() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  const platform::Picture p = f.picbase.picture();
  f.lblWidth.setCaption(platform::CStr(static_cast<long long>(p.widthPixels())));
  f.lblHeight.setCaption(platform::CStr(static_cast<long long>(p.heightPixels())));
}

void Affiche_Calibrage() {
  if (!QvlExists()) return;
  Qvl().label(5).setCaption("Cal. = " + platform::Format(Calibrage, "###0.0000"));
}

void aff_liste_images() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Reconstruit_Liste_Affichee();
  if (!f.FraListeImg.visible()) f.Picture1.setFocus();
}

void AffListeImgUT() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Img_Inutilisees.fill(-1);
  f.ListRep.clear();
  int m = 0;
  if (Mode_Groupe()) {
    // In group mode only the images of the group are offered, each once.
    for (int p = 0; p < f.ListImgIdx.listCount() && m < kMaxImages; ++p) {
      const int k = Position_Groupe(p);
      if (k < 0 || k >= Nombre_Images() || Image_A_Des_Mesures(k + 1)) continue;
      if (std::find(Img_Inutilisees.begin(), Img_Inutilisees.begin() + m, k) != Img_Inutilisees.begin() + m)
        continue;
      Img_Inutilisees(m++) = k;
    }
  } else {
    for (int i = 0; i < Nombre_Images() && m < kMaxImages; ++i)
      if (!Image_A_Des_Mesures(i + 1)) Img_Inutilisees(m++) = i;
  }
  for (int j = 0; j <= kMaxImages && Img_Inutilisees(j) >= 0; ++j)
    f.ListRep.addItem(Nom_Fichier(f.ListIMGchar.list(Img_Inutilisees(j))));
}

void RepEffaceLigne() {
  if (!QvlExists()) return;
  // At most 50 positions are listed: the loop ends after 51 turns whatever the table.
  for (int tour = 0; tour <= kMaxImages && Img_A_Supprimer(0) >= 0; ++tour) {
    const int k = Img_A_Supprimer(0);
    const bool retiree = Retire_Image(k);
    for (int j = 0; j < kMaxImages; ++j) Img_A_Supprimer(j) = Img_A_Supprimer(j + 1);
    Img_A_Supprimer(kMaxImages) = -1;
    if (!retiree) continue;
    for (int j = 0; j <= kMaxImages && Img_A_Supprimer(j) >= 0; ++j)
      if (Img_A_Supprimer(j) > k) Img_A_Supprimer(j) -= 1;
  }
  AffListeImgUT();
  aff_liste_images();
}

// --- handlers ---------------------------------------------------------------------------

void ListImgAff_Click() {
  if (g_selectionParCode || !QvlExists()) return;
  if (g_pressionDroite) {
    g_pressionDroite = false;
    Selectionne_Image_Courante();
    return;
  }
  if (Refuse_Pendant_Mesure()) return;
  RAZ_Mesure();
  QVL& f = Qvl();
  const int d = f.ListImgAff.listIndex();
  const int k = Mode_Groupe() ? Position_Groupe(d) : d;
  if (d < 0 || k < 0 || k >= Nombre_Images()) {
    Selectionne_Image_Courante();
    return;
  }
  if (!appel_img_listchar(f.ListIMGchar.list(k))) return;
  Retrace(0);
}

void ListImgAff_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Img_A_Calibrer = 99;
  if (f.GrilleRef.cols() > 1) f.GrilleRef.setCol(1);
  if (f.GrilleRef.rows() > 1) f.GrilleRef.setRow(1);
  g_pressionDroite = Button == platform::kRightButton;
  if (!g_pressionDroite) return;
  if (f.ListImgAff.listCount() == 0 || Index_Image < 1) return;
  const int reponse = platform::MsgBox(" oter l'image en cours :  " + Img_Active + " de la liste ?  ",
                                       platform::vbYesNo);
  if (reponse != platform::vbYes) return;
  Retire_Image(Index_Image - 1);
}

void ListImgAff_MouseUp(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
  if (Button == platform::kRightButton) g_pressionDroite = false;
}

void ListIMGchar_DblClick() {
  if (!QvlExists() || Refuse_Pendant_Mesure()) return;
  QVL& f = Qvl();
  const int k = f.ListIMGchar.listIndex();
  if (k < 0 || k >= Nombre_Images()) return;
  RAZ_Mesure();
  appel_img_listchar(f.ListIMGchar.list(k));
}

void ListImgMC_DblClick() {
  if (!QvlExists() || Refuse_Pendant_Mesure()) return;
  QVL& f = Qvl();
  const int p = f.ListImgMC.listIndex();
  if (p < 0) return;
  const int k = Position_Groupe(p);
  if (k < 0 || k >= Nombre_Images()) return;
  RAZ_Mesure();
  appel_img_listchar(f.ListIMGchar.list(k));
}

void ListIMGchar_KeyDown(int& KeyCode, int /*Shift*/) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (KeyCode == 27) {
    f.Picture1.setFocus();
    return;
  }
  f.lblFichier.setCaption(f.ListIMGchar.text());
  f.lblFichier.setVisible(true);
}

void ListIMGchar_KeyUp(int& /*KeyCode*/, int /*Shift*/) {
  if (!QvlExists()) return;
  Qvl().lblFichier.setVisible(false);
}

// --- connections ------------------------------------------------------------------------

namespace {

void MnuFIC_Ouvrir_Image() {
  Ouvre_Image();
  QVL& f = Qvl();
  if (f.FraListeImg.visible()) {
    f.FraListeImg.setVisible(false);
    Bout_dial_Click(8);
  }
}

}  // namespace

void Connecte_Liste_Images(QVL& f) {
  f.ListImgAff.onClick = [] { ListImgAff_Click(); };
  f.ListImgAff.onMouseDown = [](int b, int s, double x, double y) { ListImgAff_MouseDown(b, s, x, y); };
  f.ListImgAff.onMouseUp = [](int b, int s, double x, double y) { ListImgAff_MouseUp(b, s, x, y); };
  f.ListIMGchar.onDblClick = [] { ListIMGchar_DblClick(); };
  f.ListIMGchar.onKeyDown = [](int& k, int s) { ListIMGchar_KeyDown(k, s); };
  f.ListIMGchar.onKeyUp = [](int& k, int s) { ListIMGchar_KeyUp(k, s); };
  f.ListImgMC.onDblClick = [] { ListImgMC_DblClick(); };
  f.Optn.onClick = [](int i) { Optn_Click(i); };

  // Each menu item gets its own handler: the menus are shared with other parts.
  f.MnuFIC(1).onClick = [] { MnuFIC_Ouvrir_Image(); };
  f.MnuFIC(4).onClick = [] { Image_Temporaire(); };
  f.MnuCharg(3).onClick = [] { Vide_Listes_Images(); };
}
