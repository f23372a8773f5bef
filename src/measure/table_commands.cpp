#include "measure/calibration.h"
#include "measure/table_commands.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_reset.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "measure/row_values.h"
#include "measure/table_editing.h"
#include "measure/trame_reader.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

// The measurement grid as the table editing sees it. Removing a row keeps the grid's
// row count; a grid with one row below its headings has that row emptied instead.
class GrilleFenetre : public Grille_Edition {
 public:
  explicit GrilleFenetre(platform::FlexGrid& g) : g_(g) {}
  int lignes() const override { return g_.rows(); }
  int colonnes() const override { return g_.cols(); }
  std::string texte(int r, int c) const override { return g_.textMatrix(r, c); }
  void ecrit(int r, int c, const std::string& t) override { g_.setTextMatrix(r, c, t); }
  void retireLigne(int r) override {
    const int n = g_.rows();
    if (n - g_.fixedRows() > 1) {
      g_.removeItem(r);
      g_.setRows(n);
    } else {
      for (int c = 1; c < g_.cols(); ++c) g_.setTextMatrix(r, c, "");
    }
  }

 private:
  platform::FlexGrid& g_;
};

// A reopened row gets back the values of its kept steps: measured again from its
// segments with its image, or read from the grid when its image is unknown.
void restaureValeursEtapes(int ligne, int numImage) {
  for (int k = 1; k <= 6; ++k) ValEtapes(k) = 0;
  if (ligne < 1 || ligne > kDerniereLigneTable) return;
  const platform::FlexGrid& g = Qvl().GrilleRef;
  const std::optional<ImageRemesure> image = Image_Remesure(numImage);
  const ParametresRemesure p = Parametres_Remesure();
  for (int k = 1; k < EtapeClic && k <= 6; ++k) {
    std::optional<double> v;
    if (image) v = Valeur_Segment(TabMesures(ligne).Seg(k), *image, p);
    if (!v && ligne < g.rows() && k < g.cols()) v = Val_Decimal(g.textMatrix(ligne, k));
    ValEtapes(k) = v.value_or(0.0);
  }
}

// The point of a row the view is centred on, by function.
void pointDeLigne(const Mesure& m, double& x, double& y) {
  const Segment& s = m.Seg(1);
  x = 0;
  y = 0;
  switch (FonctionCourante) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 13:
      x = (s.X1 + s.X2) / 2;
      y = (s.Y1 + s.Y2) / 2;
      break;
    case 10: case 11: case 16:
      x = s.X1;
      y = s.Y1;
      break;
    default:
      break;
  }
}

}  // namespace

void EffacE_1() {
  QVL& f = Qvl();
  GrilleFenetre grille(f.GrilleRef);
  const int precedente = LigneCourante - 1;
  const int imageAvant =
      precedente >= 1 && precedente <= kDerniereLigneTable ? TabMesures(precedente).NumImage : 0;
  switch (Annule_Derniere_Etape(grille)) {
    case Annulation::Rien:
      return;
    case Annulation::Ligne_Rouverte:
      restaureValeursEtapes(LigneCourante, imageAvant);
      break;
    case Annulation::Etape_Annulee:
      if (EtapeClic >= 1 && EtapeClic <= 6) ValEtapes(EtapeClic) = 0;
      break;
    case Annulation::Mesure_Abandonnee:
      for (int k = 1; k <= 6; ++k) ValEtapes(k) = 0;
      break;
  }
  Dimensionne_Grille(LigneCourante);
  Retrace(0);
  Statistiques_Grille();
}

void Efface_ligne(int& num_ligne) {
  try {
    QVL& f = Qvl();
    GrilleFenetre grille(f.GrilleRef);
    const int fait = Supprime_Ligne(grille, num_ligne);
    if (fait == 0) return;
    num_ligne = fait;
    Liste_Extrait.clear();
    for (int k = 1; k <= 6 && EtapeClic == 1; ++k) ValEtapes(k) = 0;
    Dimensionne_Grille(fait);
    if (LigneCourante < f.GrilleRef.rows()) f.GrilleRef.setRow(LigneCourante);
    Statistiques_Grille();
  } catch (const std::exception&) {
    platform::MsgBox(MSG(101) + "97");
  }
}

void RAZ_Grille_total() {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  if (g.rows() > 1 && g.cols() > 1 && !g.textMatrix(1, 1).empty()) {
    const std::string question = MSG(190) + " " + MSG(188) + " & " + MSG(189) + " ? ";
    if (platform::MsgBox(question, platform::vbYesNo) != platform::vbYes) {
      f.Frame(6).setVisible(false);
      g.setBackColor(kVertGrille);
      Mode_Etalonnage = false;
      return;
    }
  }
  Reinit_Fonction();
  Retrace_Mesures();
  RAZ_Echelles();
  // The calibration in force stays: it belongs to the microscope, not to the session.
  Calib_Images(0) = Calibrage;
  Vide_Listes();
  Efface_Table();
  f.Picture1.setFocus();
  PGr_Etat = false;
  if (g.rows() > 1) g.setTopRow(1);
}

void Cherche_spore() {
  QVL& f = Qvl();
  const int r = f.GrilleRef.row();
  if (r < 1 || r >= LigneCourante || r > kDerniereLigneTable) return;
  const Mesure m = TabMesures(r);
  if (m.NumImage != Index_Image) {
    if (m.NumImage >= 1 && m.NumImage <= Nombre_Images()) {
      if (!appel_img_listchar(f.ListIMGchar.list(m.NumImage - 1))) return;
    } else {
      Montre_Fond_Ecran();
    }
  }
  Calibrage = Calib_Images(std::clamp(Index_Image, 0, 50));
  Affiche_Calibrage();
  ChercheCal_FicCalibrage();

  double x = 0, y = 0;
  pointDeLigne(m, x, y);
  if (f.Check6.value() == 1) {
    Expo_Zoom = std::clamp(m.ExpZoom, kExpoZoomMin, kExpoZoomMax);
    K_Zoom = std::pow(Base_Zoom, Expo_Zoom);
  }
  const double k = K_Zoom * Echelle;
  Larg_Affichee = platform::CLng(x - f.Picture1.scaleWidth() * 0.5 * k);
  Haut_Affichee = platform::CLng(y - f.Picture1.scaleHeight() * 0.5 * k);
  Zoom_Auto = true;
  const platform::Picture p = f.picbase.picture();
  Applique_Zoom(Point_Vignette(f.VignP.scaleWidth(), Larg_Affichee, p.width()),
                Point_Vignette(f.VignP.scaleHeight(), Haut_Affichee, p.height()));
}

void Annule_Mesure() {
  if (Calibrage_En_Cours()) {
    Annule_Calibrage();
    return;
  }
  QVL& f = Qvl();
  f.Frame(8).setVisible(false);
  Mode_Etalonnage = false;
  EffacE_1();
  f.Picture1.setFocus();
}

void Affmesure_Click() { Retrace(0); }

void IntrFace_Click(int Index) {
  if (Index != 5) return;
  QVL& f = Qvl();
  f.MGrille.setVisible(!f.MGrille.visible());
  if (f.IntrFace.exists(5))
    f.IntrFace(5).setCaption(f.MGrille.visible() ? " M Grille Invisible" : " M Grille Visible");
}

void MGrille_MouseMove(int Button, int, double X, double Y) {
  if ((Button & 1) == 0) return;
  try {
    platform::FlexGrid& g = Qvl().MGrille;
    const double left = g.left() / 2 + 1.2 * X;
    const double top = g.top() / 2 + 1.2 * Y;
    if (std::isfinite(left) && std::isfinite(top)) g.move(left, top);
  } catch (const std::exception&) {
  }
}

void Export_Trame() {}

void Command12_Click(int Index) {
  if (Index == 1) {
    Export_Trame();
    return;
  }
  if (Index != 2) return;
  QVL& f = Qvl();
  const std::string nom = f.Text2.text();
  if (nom.empty()) {
    platform::MsgBox("Veuillez saisir le nom du répertoire à créer", platform::vbInformation,
                     "Création d'un répertoire");
    return;
  }
  if (nom == ".." || nom.find('/') != std::string::npos || nom.find('\\') != std::string::npos) {
    platform::MsgBox("Nom de répertoire refusé : \"" + nom + "\" (ni \"..\", ni \"/\", ni \"\\\")",
                     platform::vbExclamation, "Création d'un répertoire");
    return;
  }
  std::string dossier = f.Dir1.path();
  if (dossier.empty() || dossier.back() != '/') dossier += "/";
  const std::string chemin = dossier + nom;
  if (platform::folderExists(chemin) || platform::fileExists(chemin)) {
    platform::MsgBox("Le répertoire \"" + chemin + "\" existe déjà ");
    return;
  }
  if (!platform::makeFolder(chemin)) {
    platform::MsgBox(MSG(144) + chemin, platform::vbExclamation, "Création d'un répertoire");
    return;
  }
  f.Flash(255, chemin + " crééé", 1);
  f.Frame_Export_trame.setVisible(false);
  Export_Trame();
}

void Connecte_Table(QVL& f) {
  f.Affmesure.onClick = [] { Affmesure_Click(); };
  if (f.IntrFace.a) f.IntrFace->onClick = IntrFace_Click;
  f.MGrille.onMouseMove = MGrille_MouseMove;
  f.Command12.onClick = Command12_Click;
}
