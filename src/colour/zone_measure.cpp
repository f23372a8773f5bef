#include "colour/zone_measure.h"

#include <cmath>
#include <exception>
#include <optional>

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/dispatch.h"
#include "measure/drawing.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/runtime.h"

namespace {

constexpr double kRouge = 255;           // message panel colour of the colour notices
constexpr int kDelaiMessage = 2;         // seconds
constexpr int kMsgChargerImage = 240;    // "Charger une image"

// "Calibré" ticked on the main window.
bool calibreCoche() { return Qvl().CheckCalibre.value() == 1; }

// The three channels corrected; none when the correction of the present standard and
// scanner files is not built, or a channel has no correction point at or above its value.
std::optional<std::array<float, 3>> corrige(const std::array<float, 3>& rvb) {
  if (!Correction_Valide) return std::nullopt;
  std::array<float, 3> c{};
  for (int k = 1; k <= 3; ++k) {
    if (Table_Correction.nbPoints(k) == 0) return std::nullopt;
    const std::optional<double> v = Corrige_Canal(k, rvb[static_cast<std::size_t>(k - 1)]);
    if (!v) return std::nullopt;
    c[static_cast<std::size_t>(k - 1)] = static_cast<float>(Arrondi_Correction(*v));
  }
  return c;
}

std::string entier(double v) { return platform::CStr(static_cast<long long>(platform::Int(v))); }

// The captions of the colour frame: label(9) the whole channels of the mean, before
// any correction.
void afficheMoyenne(QVL& f, const std::array<float, 3>& rvb) {
  f.label(9).setCaption(entier(rvb[0]) + "  " + entier(rvb[1]) + "  " + entier(rvb[2]));
}

void afficheCouleur(QVL& f) {
  f.Label7.setCaption(platform::CStr(static_cast<long long>(Taille_Zone)) + " " + "    / R = " +
                      Texte_Couleur(Coul_Mesure(1)) + " / V = " + Texte_Couleur(Coul_Mesure(2)) +
                      " / B = " + Texte_Couleur(Coul_Mesure(3)));
}

// The sampling copy and the drawing colour, once the click is taken.
void prepareEchantillon(QVL& f, const platform::Picture& image) {
  f.PictureCharte.setPicture(image);
  f.Label7.setCaption("");
  f.Picture1.setForeColor(platform::QBColor(CouleursTrace(0)));
  f.Image1.setPicture(f.Picture1.image());
}

// The red panel: why a corrected measurement cannot be made.
void signaleSansCorrection(QVL& f) {
  f.Flash(kRouge, (Fic_Etalon.empty() ? kEtalonNonCharge : kCorrectionAbsente) + kMesureNonInscrite,
          kDelaiMessage);
}

}  // namespace

CouleurZone Couleur_Zone(const platform::Picture& p, double xp, double yp, int t, bool corriger) {
  CouleurZone c;
  if (p.isNull()) return c;
  c.zone = Mesure_Zone([&p](int x, int y) { return static_cast<std::uint32_t>(p.pixel(x, y)); },
                       p.widthPixels(), p.heightPixels(), xp, yp, t);
  if (!c.zone.prise) return c;
  c.rvb = c.zone.rvb;
  if (corriger) {
    const std::optional<std::array<float, 3>> corrigee = corrige(c.rvb);
    if (!corrigee) {
      c.etat = EtatZone::Sans_Correction;
      return c;
    }
    c.rvb = *corrigee;
  }
  c.lab = RVB_Vers_Lab(c.rvb[0], c.rvb[1], c.rvb[2]);
  c.etat = EtatZone::Mesuree;
  return c;
}

namespace {

void mesureZone(double x, double y) {
  QVL& f = Qvl();
  if (Index_Image < 1) {
    f.StatusBar1.setSimpleText(MSG(kMsgChargerImage));
    return;
  }
  // The picture point the click takes: the one painted under it.
  double xp = 0, yp = 0;
  if (!Point_Image(x, y, xp, yp)) {
    platform::App::Beep();
    return;
  }
  const platform::Picture image = f.picbase.picture();
  const bool corriger = calibreCoche();
  const CouleurZone c = Couleur_Zone(image, xp, yp, Taille_Zone, corriger);
  if (c.etat == EtatZone::Hors_Image) {
    platform::App::Beep();
    return;
  }
  prepareEchantillon(f, image);
  for (int i = 1; i <= 3; ++i) Coul_Mesure(i) = c.zone.rvb[static_cast<std::size_t>(i - 1)];
  afficheMoyenne(f, c.zone.rvb);
  if (corriger && Fic_Etalon.empty() && c.etat == EtatZone::Mesuree)
    f.Flash(kRouge, kEtalonNonCharge, kDelaiMessage);
  if (c.etat == EtatZone::Sans_Correction) {
    signaleSansCorrection(f);
    return;
  }
  for (int i = 1; i <= 3; ++i) {
    Coul_Mesure(i) = c.rvb[static_cast<std::size_t>(i - 1)];
    Coul_Lab(i) = c.lab[static_cast<std::size_t>(i - 1)];
  }
  afficheCouleur(f);
  Marque_Point_Couleur(x, y);
  Retrace(0);
  Inscrit_Mesure_Couleur();
}

}  // namespace

void Mesure_Zone_Couleur(double x, double y) {
  try {
    mesureZone(x, y);
  } catch (const std::exception&) {
    platform::App::Beep();
  }
}

// The mark of a zone is the mark of a counted element: the same number at the point
// and the same cell of the table.
void Marque_Point_Couleur(double x, double y) { Repere_Comptage(x, y); }

std::vector<CelluleCalculee> Remesure_Couleur::cellules(const Mesure& m) {
  const Segment& s = m.Seg(1);
  if (s.X1 == 0 && s.Y1 == 0) return {};
  if (m.NumImage < 1 || m.NumImage > Nombre_Images()) return {};
  if (m.NumImage != numero_) {
    QVL& f = Qvl();
    const std::string chemin = f.ListIMGchar.list(m.NumImage - 1);
    image_ = chemin == Img_Active && !f.picbase.picture().isNull() ? f.picbase.picture()
                                                                   : platform::Picture::load(chemin);
    numero_ = m.NumImage;
  }
  const CouleurZone c = Couleur_Zone(image_, s.X1, s.Y1, Taille_Zone, calibreCoche());
  if (c.etat != EtatZone::Mesuree) return {};
  std::vector<CelluleCalculee> v;
  for (int i = 0; i < 3; ++i) v.push_back({i + 1, Texte_Couleur(c.rvb[static_cast<std::size_t>(i)])});
  for (int i = 0; i < 3; ++i) v.push_back({i + 4, Texte_Couleur(c.lab[static_cast<std::size_t>(i)])});
  v.push_back({7, platform::CStr(static_cast<long long>(Taille_Zone))});
  return v;
}
