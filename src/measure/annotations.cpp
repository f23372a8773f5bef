#include "measure/annotations.h"

#include <cmath>
#include <exception>
#include <string>

#include "base/geometry.h"
#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/drawing.h"
#include "measure/illustration.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "reports/report_commands.h"

bool Ins_Notation = false;
PointBase Point_Base;

namespace {

constexpr platform::Colour kJauneSaisie = 0xFFFF;
constexpr double kDessousCroix = 100.0;   // the caption starts at the lower end of the cross

platform::Colour couleurTrace() { return platform::QBColor(CouleursTrace(0)); }

bool fini(double v) { return std::isfinite(v); }

// Screen width over height and whether the main window is maximized.
double ratioEcran() {
  const double h = platform::App::ScreenHeight();
  return h > 0 ? platform::App::ScreenWidth() / h : 1.0;
}
bool maximise() { return Qvl().windowState() == platform::kMaximized; }

// Picture1's font size for the illustration texts: S x Ratio_Aspect x Echelle / K_Zoom / D.
double tailleIllustration(double s) {
  if (!(K_Zoom > 0)) return Taille_Texte_Image(s);
  return Taille_Texte_Image(s * Ratio_Aspect * Echelle / K_Zoom / Diviseur_Police(ratioEcran(), maximise()));
}

// The insertion is over: every flag that armed it is cleared.
void finAnnotation() {
  Mode_Annot = false;
  Mode_Illus = false;
  Mode_InsRef = false;
  Mode_InsTexte = false;
  Ins_Notation = false;
}

void fermePanneau() {
  QVL& f = Qvl();
  f.Frame(8).setVisible(false);
  f.TBox(5).setMultiLine(false);
}

// The panel asking for one value: prompt, yellow box, text, focus.
void ouvrePanneau(const std::string& invite, const std::string& texte, bool lignes) {
  QVL& f = Qvl();
  f.Frame(8).setVisible(true);
  f.Frame(8).zOrder(0);
  f.TBox(5).setMultiLine(lignes);
  f.TBox(5).setBackColor(kJauneSaisie);
  f.label(8).setCaption(invite);
  f.TBox(5).setText(texte);
  f.TBox(5).setFocus();
}

// State 0 of the references: a cross at the click and the panel for the length.
void ouvreLongueur() {
  Val_Saisie = 10;
  Trace_Croix_Couleur(Clic_X1, Clic_Y1, couleurTrace());
  ouvrePanneau(MSG(192), platform::Str(Val_Saisie), false);
  Etat_Saisie = 1;
}

// State 4 of the references: the picture redrawn, the panel closed.
void annuleReference() {
  Retrace(0);
  Etat_Saisie = 0;
  fermePanneau();
  finAnnotation();
}

// What Picture1 shows keeps the annotation until the stored measurements are redrawn.
void garde() {
  QVL& f = Qvl();
  f.ImageMem.setPicture(f.Picture1.image());
}

// The reference bar of P units from the click in pen width `largeur`, then a cross at
// its end (pen width 1).
void barre(double P, int largeur) {
  platform::PictureBox& pic = Qvl().Picture1;
  pic.setDrawWidth(largeur);
  pic.line(Clic_X1, Clic_Y1, Clic_X1 + P, Clic_Y1, couleurTrace());
  pic.setDrawWidth(1);
  Trace_Croix_Couleur(std::round(Clic_X1 + P), Clic_Y1, couleurTrace());
}

// A caption at the lower end of the cross marking the click.
void legendeSousCroix(const std::string& texte) {
  platform::PictureBox& pic = Qvl().Picture1;
  pic.setCurrentX(Clic_X1);
  pic.setCurrentY(Clic_Y1 + kDessousCroix);
  pic.print(texte, true);
}

// The reference is drawn: the panel closed, the insertion over, the picture kept.
void referenceFaite() {
  Etat_Saisie = 0;
  finAnnotation();
  fermePanneau();
  garde();
}

// One step of a reference: 0 opens the panel, 3 draws, 4 cancels.
void etapeReference(void (*dessine)()) {
  switch (Etat_Saisie) {
    case 0:
      ouvreLongueur();
      break;
    case 3:
      dessine();
      break;
    case 4:
      annuleReference();
      break;
    default:
      break;
  }
}

// Picture2 takes Picture1's face, bold and italic.
void policeDePicture1() {
  QVL& f = Qvl();
  f.Picture2.setFontName(f.Picture1.fontName());
  f.Picture2.setFontBold(f.Picture1.fontBold());
  f.Picture2.setFontItalic(f.Picture1.fontItalic());
}

// Steps 2 to 6 of a text inserted for the illustration: the lines on Picture1 from the
// click, then on Picture2 at the matching point. False (after the message) when the
// point cannot be converted.
bool imprimeIllustration(const std::string& texte) {
  QVL& f = Qvl();
  Imprime_Lignes(Clic_X1, Clic_Y1, texte);
  if (!Point_Image_Base(Clic_X1, Clic_Y1)) {
    platform::MsgBox(MSG(78));
    return false;
  }
  Prepare_Copie_Illustration();
  const double x = Point_Base.X + Larg_Affichee, y = Point_Base.Y + Haut_Affichee;
  policeDePicture1();
  f.Picture2.setForeColor(couleurTrace());
  Imprime_Lignes_Illustration(std::round(x), std::round(y), texte);
  Etat_Saisie = 0;
  finAnnotation();
  fermePanneau();
  f.Picture1.setFocus();
  garde();
  Montre_Illustration();
  return true;
}

}  // namespace

int Diviseur_Police(double ratio, bool max) {
  if (ratio <= 1.5) return max ? 36 : 59;
  return max ? 32 : 55;
}

bool Longueur_Reference(double L, double calibrage, double kZoom, double facteurResol, double ratio, double& P) {
  const double diviseur = calibrage * kZoom * facteurResol;
  if (diviseur == 0) return false;
  const double p = L / diviseur * ratio;
  if (!fini(p)) return false;
  P = p;
  return true;
}

bool Point_Image_Base(double px, double py) {
  const double x = px * K_Zoom * Echelle, y = py * K_Zoom * Echelle;
  if (!fini(x) || !fini(y)) {
    Point_Base.X = -1;
    return false;
  }
  Point_Base = {x, y};
  return true;
}

void Prepare_Copie_Illustration() {
  QVL& f = Qvl();
  platform::PictureBox& p2 = f.Picture2;
  if (!Loupe_Ouverte) {
    p2.setPicture(f.picbase.picture());
    Loupe_Ouverte = true;
  }
  p2.setAutoRedraw(true);
  p2.setWidth(f.picbase.width() + 61);
  p2.setHeight(f.picbase.height() + 61);
  const int w = p2.canvasWidthPixels(), h = p2.canvasHeightPixels();
  if (w > 0 && h > 0) p2.scale(0, 0, pictureUnits(w), pictureUnits(h));
}

void Clic_Annotation() {
  if (!QvlExists()) return;
  try {
    if (Mode_InsRef) {
      if (Ins_Notation)
        Inscrit_Notation();
      else
        Place_Annotation();
    } else if (Mode_Annot || Illus_Trait) {
      Inscrit_Legende();
    }
  } catch (const std::exception&) {
  }
}

void Commentaire_Point() {
  if (!Mode_InsRef || !QvlExists()) return;
  Trace_Croix_Couleur(Clic_X1, Clic_Y1, couleurTrace());
  ouvrePanneau("commentaire", "microns", false);
  Etat_Saisie = 3;
}

namespace {

// The scale reference on Picture1: its caption, then the bar of the typed length.
void dessineReference() {
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  const double L = Val_Saisie;
  Etat_Saisie = 0;
  legendeSousCroix(platform::Str(L) + f.TBox(5).text());
  pic.setFontSize(Taille_Texte_Image(std::round(TaillePolice)));
  pic.setFontBold(false);
  double P = 0;
  if (Longueur_Reference(L, Calibrage, K_Zoom, Facteur_Resol, Ratio_Ecran, P)) barre(P, 3);
  referenceFaite();
}

// The same for the illustration, repeated on Picture2 at the matching point.
void dessineReferenceIllustration() {
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  platform::PictureBox& p2 = f.Picture2;
  const double L = Val_Saisie;
  Etat_Saisie = 0;
  policeDePicture1();
  const std::string T = " " + platform::Str(Val_Saisie) + " " + f.TBox(5).text();
  pic.setFontSize(tailleIllustration(TaillePoliceImg));
  legendeSousCroix(T);
  Facteur_Resol = Facteur_Resolution();
  double P = 0;
  if (!Longueur_Reference(L, Calibrage, K_Zoom, Facteur_Resol, Ratio_Ecran, P)) P = 0;
  pic.setFontSize(Taille_Texte_Image(TaillePoliceImg * Ratio_Aspect));
  barre(P, EpaisseurTrait);
  if (!Point_Image_Base(Clic_X1, Clic_Y1)) {
    platform::MsgBox(MSG(81));
    return;
  }
  const double bx = std::round(Point_Base.X + Larg_Affichee), by = std::round(Point_Base.Y + Haut_Affichee);
  p2.setDrawWidth(EpaisseurTrait * 5);
  const int w = platform::CInt(p2.drawWidth() / 2.0);
  Trace_Croix_Illustration(bx, by, couleurTrace(), w);
  p2.setFontSize(Taille_Texte_Image(TaillePoliceImg));
  p2.setForeColor(couleurTrace());
  p2.setCurrentX(bx);
  p2.setCurrentY(by + w * kBrasCroix);
  p2.print(T, true);
  // The bar on the full-size copy: the same length taken to stored-point units.
  const double Q = P * K_Zoom * Echelle;
  if (fini(Q)) {
    p2.line(bx, by, bx + Q, by, couleurTrace());
    Trace_Croix_Illustration(std::round(bx + Q), by, couleurTrace(), w);
  }
  referenceFaite();
  Montre_Illustration();
}

}  // namespace

void Place_Annotation() {
  if (!QvlExists()) return;
  if (Mode_InsTexte) {
    Place_Reference_Illustration();
    return;
  }
  etapeReference(dessineReference);
}

void Place_Reference_Illustration() {
  if (!QvlExists()) return;
  EpaisseurTrait = Drwtrace_lire();
  Prepare_Copie_Illustration();
  etapeReference(dessineReferenceIllustration);
}

void Inscrit_Legende() {
  if (!QvlExists()) return;
  if (!Mode_Illus) {
    if (Mode_Annot) {
      Inscrit_Texte_Illustration();
      return;
    }
    if (Ins_Notation) {
      Inscrit_Notation();
      return;
    }
  }
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  switch (Etat_Saisie) {
    case 0:
      pic.setCurrentX(Clic_X1);
      pic.setCurrentY(Clic_Y1);
      if (Illus_Trait) {
        // The notation of the measurements, printed at once.
        fermePanneau();
        pic.setForeColor(couleurTrace());
        Imprime_Lignes(Clic_X1, Clic_Y1, Notation_Mesures(0));
        Etat_Saisie = 0;
        Illus_Trait = false;
        finAnnotation();
        garde();
        break;
      }
      ouvrePanneau(MSG(74), "", true);
      Etat_Saisie = 1;
      break;
    case 1:
      Etat_Saisie = 0;
      Imprime_Lignes(Clic_X1, Clic_Y1, f.TBox(5).text());
      fermePanneau();
      pic.setFocus();
      finAnnotation();
      garde();
      break;
    case 4:
      Retrace(0);
      fermePanneau();
      finAnnotation();
      break;
    default:
      break;
  }
}

void Inscrit_Texte_Illustration() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  switch (Etat_Saisie) {
    case 0:
      f.Picture1.setCurrentX(Clic_X1);
      f.Picture1.setCurrentY(Clic_Y1);
      ouvrePanneau(MSG(74), "", true);
      Etat_Saisie = 1;
      break;
    case 1:
      Etat_Saisie = 0;
      f.Picture1.setForeColor(couleurTrace());
      f.Picture2.setFontSize(Taille_Texte_Image(TaillePoliceImg));
      f.Picture1.setFontSize(tailleIllustration(TaillePoliceImg));
      imprimeIllustration(f.TBox(5).text());
      break;
    case 4:
      Retrace(0);
      Etat_Saisie = 0;
      fermePanneau();
      finAnnotation();
      break;
    default:
      break;
  }
}

void Inscrit_Notation() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (Etat_Saisie == 4) {
    Retrace(0);
    Etat_Saisie = 0;
    fermePanneau();
    finAnnotation();
    return;
  }
  if (Etat_Saisie != 0) return;
  f.Picture1.setCurrentX(Clic_X1);
  f.Picture1.setCurrentY(Clic_Y1);
  f.Picture1.setForeColor(couleurTrace());
  f.Picture2.setFontSize(Taille_Texte_Image(TaillePolice));
  const std::string T = Notation_Mesures(0);
  const bool petite = ratioEcran() <= 1.5 && !maximise();
  f.Picture1.setFontSize(tailleIllustration(petite ? TaillePoliceImg : TaillePolice));
  imprimeIllustration(T);
}

void Saisie_Change() {
  if (!QvlExists()) return;
  if (Etat_Saisie == 1 && (Mode_InsRef || Illus_Saisie)) Val_Saisie = Val_Decimal(Qvl().TBox(5).text());
}

void Illus_Click(int index) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Illus_Trait = false;
  f.Bout_Symb.setVisible(false);
  switch (index) {
    case 1:
      f.StatusBar1.setSimpleText(MSG(194));
      Mode_InsRef = true;
      Mode_Annot = false;
      break;
    case 2:
      Illus_Texte = true;
      Illus_Saisie = false;
      Sauve_Ecran3();
      break;
    case 4:
      f.StatusBar1.setSimpleText(MSG(194));
      Mode_Annot = true;
      Mode_Illus = true;
      break;
    case 5:
      Choix_Police(false);
      break;
    case 6:
      Mode_Annot = false;
      Illus_Trait = true;
      break;
    default:
      break;
  }
}
