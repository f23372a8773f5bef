#include "measure/trame_reader.h"

#include <algorithm>
#include <cmath>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "colour/zone_measure.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_reset.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/image_size.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

constexpr double kCalibrageNeutre = 1.0;
constexpr int kFonctionCouleur = 20;

// A path given by the user or a caller, with "/" separators; a relative one is taken
// in Rep_Data.
std::string cheminComplet(const std::string& path) {
  const std::string p = platform::normalizePath(path);
  if (!p.empty() && p.front() == '/') return p;
  const std::string dossier = Rep_Data.empty() ? platform::App::Path() : Rep_Data;
  return dossier + (dossier.empty() || dossier.back() == '/' ? "" : "/") + p;
}

// True for a function code that has a grid layout.
bool fonctionAvecGrille(int code) {
  return code >= 1 && code <= kDernierCodeFonction && !Modele_Largeurs(code).empty();
}

// The file of name `nom` in `dossier`, compared without case; "" when none.
std::string dansDossier(const std::string& dossier, const std::string& nom) {
  if (dossier.empty() || nom.empty()) return "";
  const std::string trouve = platform::findFileNoCase(platform::normalizePath(dossier), nom);
  return !trouve.empty() && platform::fileExists(trouve) ? trouve : "";
}

std::string entier(long long n) { return platform::CStr(n); }

// One message for what a load left out.
void signaleBilan(const BilanChargement& b) {
  std::vector<std::string> lignes;
  for (const std::string& nom : b.imagesManquantes) lignes.push_back(nom + MSG(209));
  if (b.imagesOmises > 0) lignes.push_back(entier(b.imagesOmises) + " image(s) au-delà de 50 non lue(s)");
  if (b.lignesOmises > 0) lignes.push_back(entier(b.lignesOmises) + " ligne(s) au-delà de 3000 non lue(s)");
  if (b.lignesSansValeurs > 0)
    lignes.push_back(entier(b.lignesSansValeurs) + " ligne(s) sans image : valeurs non calculées");
  if (lignes.empty()) return;
  std::string texte;
  for (const std::string& l : lignes) texte += (texte.empty() ? "" : SautLigne) + l;
  platform::MsgBox(texte, platform::vbExclamation);
}

// After a load the picture shown is kept when the new list holds it; otherwise the
// first image of the list that can be found is shown.
void imageApresChargement() {
  QVL& f = Qvl();
  if (!Img_Active.empty() && Position_Image(Img_Active) >= 0) {
    Image_Courante(Img_Active);
    return;
  }
  for (int i = 0; i < Nombre_Images(); ++i) {
    const std::string chemin = f.ListIMGchar.list(i);
    if (platform::fileExists(chemin) && appel_img_listchar(chemin)) return;
  }
}

// The window state a trame gives: normal or maximised; the picture is laid out again
// when it changes.
void etatFenetre(int etat) {
  QVL& f = Qvl();
  if (etat != platform::kNormal && etat != platform::kMaximized) return;
  if (f.windowState() == etat) return;
  f.setWindowState(etat);
  f.Frame(6).setVisible(false);
  Redimensionne_Image();
}

}  // namespace

std::string Cherche_Image(const std::string& chemin, const std::string& dossierTrame, bool* trouve) {
  const std::string p = platform::normalizePath(platform::Trim(chemin));
  const std::string nom = Nom_Fichier(p);
  bool ok = true;
  std::string resultat;
  if (dossierTrame.empty() && !p.empty() && p.front() == '/' && platform::fileExists(p)) {
    resultat = p;
  } else if (const std::string local = dansDossier(dossierTrame, nom); !local.empty()) {
    resultat = local;
  } else if (const std::string images = dansDossier(Rep_Images, nom); !images.empty()) {
    resultat = images;
  } else {
    ok = false;
    const std::string dossier = platform::normalizePath(Rep_Images);
    resultat = dossier + (dossier.empty() || dossier.back() == '/' ? "" : "/") + nom;
  }
  if (trouve) *trouve = ok;
  return resultat;
}

ParametresRemesure Parametres_Remesure() {
  ParametresRemesure p;
  p.indepResol = Indep_Resol;
  p.largeurEchelle = QvlExists() ? Qvl().Picture1.scaleWidth() : kLargeurEchellePicture1;
  p.ratioEcran = Ratio_Ecran;
  p.masque = Format_Decimal;
  if (std::isfinite(Base_Zoom) && Base_Zoom > 0) p.baseZoom = Base_Zoom;
  return p;
}

std::optional<ImageRemesure> Image_Remesure(int numero) {
  if (!QvlExists() || numero < 1 || numero > std::min(Nombre_Images(), kMaxImagesTrame)) return std::nullopt;
  QVL& f = Qvl();
  const std::string chemin = f.ListIMGchar.list(numero - 1);
  int largeur = 0, hauteur = 0;
  const platform::Picture montree = f.picbase.picture();
  if (!chemin.empty() && chemin == Img_Active && !montree.isNull())
    largeur = montree.widthPixels();
  else if (!platform::pictureSizeOfFile(chemin, &largeur, &hauteur))
    return std::nullopt;
  return ImageRemesure{static_cast<double>(largeur), Calib_Images(numero)};
}

BilanChargement Charge_Session(const SessionTrame& s, const std::string& dossierTrame) {
  QVL& f = Qvl();
  BilanChargement b;
  b.imagesOmises = std::max(0, s.imagesAnnoncees - kMaxImagesTrame);
  b.lignesOmises = std::max(0, s.lignesAnnoncees - kDerniereLigneTable);

  // The images, found on this computer; one entry per distinct path.
  std::vector<std::string> chemins;
  std::vector<int> numero(s.images.size() + 1, 0);   // number in the trame -> number in the list
  for (std::size_t k = 0; k < s.images.size(); ++k) {
    if (platform::Trim(s.images[k]).empty()) continue;
    bool trouve = false;
    const std::string chemin = Cherche_Image(s.images[k], dossierTrame, &trouve);
    if (!trouve) b.imagesManquantes.push_back(Nom_Fichier(platform::normalizePath(s.images[k])));
    auto it = std::find(chemins.begin(), chemins.end(), chemin);
    if (it == chemins.end()) it = chemins.insert(chemins.end(), chemin);
    numero[k + 1] = static_cast<int>(it - chemins.begin()) + 1;
  }

  const int r = static_cast<int>(std::min<std::size_t>(s.lignes.size(), kDerniereLigneTable));
  const int tailleVoulue = s.tailleGrille > 0 ? s.tailleGrille : Taille_Grille;
  Taille_Grille = Borne_Taille_Grille(std::max(tailleVoulue, r));
  if (!Appelle_Service<bool>(Services_Shell().Choix_Fonction_Mesure, s.fonction)) FonctionCourante = s.fonction;
  Fic_Calib = s.ficCalib;

  // The calibrations, rescaled when the picture box's scale width differs from the
  // one the trame was measured with.
  const double largeur = f.Picture1.scaleWidth();
  double facteur = 1.0;
  if (s.largeurEchelle > 0 && std::isfinite(s.largeurEchelle) && largeur > 0 &&
      s.largeurEchelle != static_cast<float>(largeur)) {
    platform::MsgBox(MSG(210));
    facteur = static_cast<double>(s.largeurEchelle) / largeur;
  }
  for (int i = 1; i <= kMaxImagesTrame; ++i) Calib_Images(i) = kCalibrageNeutre;
  std::vector<bool> calibre(chemins.size() + 1, false);
  for (std::size_t k = 0; k < s.images.size(); ++k) {
    const int n = numero[k + 1];
    if (n < 1 || calibre[static_cast<std::size_t>(n)]) continue;
    calibre[static_cast<std::size_t>(n)] = true;
    const double c = k < s.calibrations.size() ? s.calibrations[k] * facteur : kCalibrageNeutre;
    Calib_Images(n) = std::isfinite(c) ? c : kCalibrageNeutre;
  }
  Remplace_Liste_Images(chemins);

  // The rows, measured again with their own images.
  const ParametresRemesure p = Parametres_Remesure();
  std::vector<std::optional<ImageRemesure>> geometrie(chemins.size() + 1);
  std::vector<bool> lue(chemins.size() + 1, false);
  auto imageDe = [&](int n) -> std::optional<ImageRemesure> {
    if (n < 1 || n > static_cast<int>(chemins.size())) return std::nullopt;
    if (!lue[static_cast<std::size_t>(n)]) {
      geometrie[static_cast<std::size_t>(n)] = Image_Remesure(n);
      lue[static_cast<std::size_t>(n)] = true;
    }
    return geometrie[static_cast<std::size_t>(n)];
  };
  for (int i = r + 1; i <= kDerniereLigneTable; ++i) TabMesures(i) = Mesure{};
  platform::FlexGrid& g = f.GrilleRef;
  const int cols = g.cols();
  const int cellules = std::clamp(NbCellules, 0, 16);
  const bool avecLongueurs = Cellules_Longueurs(FonctionCourante) > 0;
  // Colour zones are measured again on their pictures.
  const bool couleur = FonctionCourante == kFonctionCouleur;
  Remesure_Couleur couleurs;
  {
    SansRedessin gel(g);
    for (int k = 1; k <= r && k < g.rows(); ++k) {
      const LigneTrame& l = s.lignes[static_cast<std::size_t>(k - 1)];
      Mesure m;
      m.ExpZoom = l.expZoom;
      m.NumImage = l.numImage >= 1 && l.numImage < static_cast<int>(numero.size()) ? numero[static_cast<std::size_t>(l.numImage)]
                                                                                    : l.numImage;
      const int n = std::min(cellules, static_cast<int>(l.cellules.size()));
      for (int j = 1; j <= n; ++j) m.Seg(j) = l.cellules[static_cast<std::size_t>(j - 1)];
      TabMesures(k) = m;
      g.setTextMatrix(k, 0, entier(k));
      const std::vector<CelluleCalculee> valeurs = couleur ? couleurs.cellules(m)
                                                           : Cellules_Remesurees(FonctionCourante, m, imageDe(m.NumImage), p);
      if ((avecLongueurs || couleur) && valeurs.empty()) ++b.lignesSansValeurs;
      for (const CelluleCalculee& c : valeurs)
        if (c.colonne >= 1 && c.colonne < cols) g.setTextMatrix(k, c.colonne, c.texte);
      if (FonctionCourante == kFonctionPolygone)
        for (int c = 1; c <= 4 && c <= static_cast<int>(l.textesPolygone.size()) && c < cols; ++c)
          g.setTextMatrix(k, c, l.textesPolygone[static_cast<std::size_t>(c - 1)]);
      if (cols >= 3) g.setTextMatrix(k, cols - 2, entier(m.NumImage));
      if (cols >= 2)
        g.setTextMatrix(k, cols - 1, k - 1 < static_cast<int>(s.commentaires.size())
                                         ? s.commentaires[static_cast<std::size_t>(k - 1)]
                                         : std::string());
    }
  }
  if (FonctionCourante == kFonctionPolygone && r > 0) {
    const LigneTrame& derniere = s.lignes[static_cast<std::size_t>(r - 1)];
    Courbe_Fermee = !(derniere.cellules.size() >= 2 && derniere.cellules[1].X2 == 0);
  }
  LigneCourante = std::min(r, g.rows() - 1) + 1;
  EtapeClic = 1;
  Compteur_Lignes = 0;
  Dimensionne_Grille(LigneCourante);
  Statistiques_Grille();
  return b;
}

bool Lit_Trame(std::string& path, int& code) {
  if (path.empty()) path = "mesure.trm";
  const std::string chemin = cheminComplet(path);
  if (!Fichier_Existe(chemin, "fichier trame absent " + chemin, 1)) return false;
  std::vector<std::string> lignes;
  std::string erreur;
  if (!platform::readLines(chemin, &lignes, &erreur)) {
    platform::MsgBox(MSG(144) + chemin + SautLigne + erreur, platform::vbExclamation);
    return false;
  }
  SessionTrame s;
  // A trame without images ends with its image count: nothing after it is needed to
  // say so.
  if (!Analyse_Trame(lignes, &s, &erreur) && !(erreur == kTrameSansRangees && s.imagesAnnoncees == 0)) {
    platform::MsgBox("Fichier trame illisible (" + erreur + ") : " + chemin, platform::vbExclamation);
    return false;
  }
  if (s.indepResol != Indep_Resol) {
    platform::MsgBox(MSG(176));
    code = kTrameResolutionIncompatible;
    return false;
  }
  if (s.imagesAnnoncees == 0) {
    platform::MsgBox(kTrameSansImageTexte);
    code = kTrameSansImage;
    return false;
  }
  if (!fonctionAvecGrille(s.fonction)) {
    platform::MsgBox("Fonction de mesure inconnue (" + entier(s.fonction) + ") dans la trame " + chemin,
                     platform::vbExclamation);
    return false;
  }
  if (!Efface_Grille(code)) return false;

  const BilanChargement bilan = Charge_Session(s, s.locale ? Rep_Fichier(chemin) : std::string());
  Rep_Trame_Ok = s.locale;
  Fic_Trame = chemin;
  if (s.tailleEcranLue) etatFenetre(s.tailleEcran);
  imageApresChargement();
  Retrace(0);
  signaleBilan(bilan);
  return true;
}

bool Ouvre_Trame() {
  QVL& f = Qvl();
  platform::FileRequest r;
  r.initialFolder = Rep_Data;
  const std::string image = f.labNomFic.caption();
  r.fileName = image.empty() ? std::string("mesures.trm") : Sans_Extension(Nom_Fichier(image)) + ".trm";
  r.filter = "*.trm|*.trm";
  r.defaultExt = "trm";
  const platform::FileAnswer a = platform::dialogs().openFile(r);
  if (a.cancelled || a.path().empty()) return false;
  if (EtapeClic + LigneCourante > 2 &&
      platform::MsgBox(MSG(185) + SautLigne + MSG(106), platform::vbYesNo, "Attention !") != platform::vbYes)
    return false;
  Aff_Consignes = false;
  std::string path = a.path();
  Fic_Ligne_Cmd = path;
  int code = 1;
  if (!Lit_Trame(path, code)) return false;
  Dimensionne_Grille(0);
  if (Nombre_Images() > 0) {
    const std::string premiere = f.ListIMGchar.list(0);
    if (premiere != Img_Active && platform::fileExists(premiere) && appel_img_listchar(premiere)) Retrace(0);
  }
  return true;
}
