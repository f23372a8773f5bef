// The spore-outline window: the main direction and the outline of a spore traced on a
// half-size copy of the main picture and on a white surface.
#include "measure/spore_outline.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "forms/main_window.h"
#include "forms/outline_window.h"
#include "platform/app.h"
#include "platform/runtime.h"

namespace {

constexpr platform::Colour kBlanc = 0xFFFFFF;
constexpr int kLargeurMax = 50;
constexpr double kEcart = 120;            // between the two surfaces, and above the controls
constexpr double kLargeurControles = 11400;
constexpr double kHauteurControles = 1900;

Sporogramme* g_fenetre = nullptr;
TraceContour g_trace;

void statut(const std::string& texte) {
  if (QvlExists()) Qvl().StatusBar1.setSimpleText(texte);
}

void connecte(Sporogramme& s) {
  s.Picture1.onMouseDown = Sporogramme_MouseDown;
  s.Picture1.onMouseMove = Sporogramme_MouseMove;
  s.Text1.onChange = [] { Sporogramme_Text1_Change(); };
  s.Option1.onClick = [](int i) { Sporogramme_Option1_Click(i); };
  s.Command2.onClick = [] { platform::App::Beep(); };
}

// The two surfaces side by side, half the main picture box each, the controls below.
void dispose(Sporogramme& s, double largeur, double hauteur) {
  const double w2 = largeur / 2, h2 = hauteur / 2;
  s.move(s.left(), s.top(), std::max(largeur, kLargeurControles), std::max(hauteur, h2 + kHauteurControles));
  s.Picture1.move(0, 0, w2, h2);
  s.Picture2.move(w2 + kEcart, 0, w2, h2);
  const double haut = h2 + kEcart;
  for (platform::Control* c : std::initializer_list<platform::Control*>{&s.Label1, &s.Text1, &s.Command2})
    c->setTop(haut + 80);
  for (platform::Control* c : std::initializer_list<platform::Control*>{&s.Frame1, &s.Frame2, &s.Frame4})
    c->setTop(haut);
}

// The white surface emptied.
void surfaceBlanche(platform::PictureBox& p) {
  p.setPicture(platform::Picture());
  p.setBackColor(kBlanc);
}

// The copy shown again as kept, without the rubber band.
void repeint(Sporogramme& s) { s.Picture1.setPicture(s.Image1.picture()); }

void prepare(Sporogramme& s) {
  QVL& f = Qvl();
  dispose(s, f.Picture1.width(), f.Picture1.height());
  platform::PictureBox& copie = s.Picture1;
  copie.setAutoSize(false);
  copie.setAutoRedraw(true);
  copie.setPicture(platform::Picture());
  copie.paintPicture(f.Picture1.image(), 0, 0, copie.scaleWidth(), copie.scaleHeight());
  copie.setPicture(copie.image());
  s.Image1.setPicture(copie.image());
  s.Picture2.setAutoRedraw(true);
  surfaceBlanche(s.Picture2);
  g_trace = TraceContour{};
  statut(" marquer la direction principale et terminer par clic droit ");
  Sporogramme_Text1_Change();
}

}  // namespace

Sporogramme& FenSporogramme() {
  if (!g_fenetre) {
    g_fenetre = new Sporogramme();
    connecte(*g_fenetre);
  }
  return *g_fenetre;
}

bool SporogrammeExists() { return g_fenetre != nullptr; }

void ForgetOutlineWindow() {
  if (!g_fenetre) return;
  g_fenetre->unload();
  delete g_fenetre;
  g_fenetre = nullptr;
  g_trace = TraceContour{};
}

const TraceContour& Trace_Sporogramme() { return g_trace; }

void Affiche_Sporogramme() {
  if (!QvlExists()) return;
  Sporogramme& s = FenSporogramme();
  s.show();
  prepare(s);
}

void Sporogramme_MouseDown(int button, int /*shift*/, double x, double y) {
  if (!SporogrammeExists()) return;
  Sporogramme& s = *g_fenetre;
  TraceContour& t = g_trace;
  const int xi = platform::CInt(x), yi = platform::CInt(y);
  const bool gauche = button == platform::kLeftButton, droit = button == platform::kRightButton;
  switch (t.Etat) {
    case 1:
      if (gauche) {
        t.X0 = xi;
        t.Y0 = yi;
      } else if (droit) {
        t.X1 = t.Xp = xi;
        t.Y1 = t.Yp = yi;
        t.Etat = 2;
        statut(" marquer le contour ");
        s.Picture2.setPicture(s.Picture1.image());
      }
      break;
    case 2:
      repeint(s);
      surfaceBlanche(s.Picture2);
      s.Picture2.line(t.Xp, t.Yp, t.X0, t.Y0);
      t.Xp = xi;
      t.Yp = yi;
      if (s.Option2(0).value()) t.Etat = 3;
      break;
    case 3:
      if (gauche) {
        s.Picture1.line(t.Xp, t.Yp, xi, yi);
        s.Picture2.line(t.Xp, t.Yp, xi, yi);
        s.Image1.setPicture(s.Picture1.image());
        t.Xp = xi;
        t.Yp = yi;
      } else if (droit) {
        statut(" Terminé ");
        t.Etat = 4;
      }
      break;
    default:
      break;
  }
}

void Sporogramme_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  if (!SporogrammeExists()) return;
  const TraceContour& t = g_trace;
  if (t.Etat != 1 || t.X0 <= 0 || t.Y0 <= 0) return;
  Sporogramme& s = *g_fenetre;
  const int xi = platform::CInt(x), yi = platform::CInt(y);
  repeint(s);
  s.Picture1.line(t.X0, t.Y0, xi, yi);
  s.Picture2.setPicture(s.Image1.picture());
  s.Picture2.line(t.X0, t.Y0, xi, yi);
}

void Sporogramme_Text1_Change() {
  if (!SporogrammeExists()) return;
  Sporogramme& s = *g_fenetre;
  const std::string texte = platform::Trim(s.Text1.text());
  if (texte.empty() || texte.size() > 2) return;
  for (const char c : texte)
    if (!std::isdigit(static_cast<unsigned char>(c))) return;
  const int largeur = std::stoi(texte);
  if (largeur < 1 || largeur > kLargeurMax) return;
  s.Picture1.setDrawWidth(largeur);
  s.Picture2.setDrawWidth(largeur);
}

void Sporogramme_Option1_Click(int /*index*/) {
  if (!SporogrammeExists()) return;
  Sporogramme& s = *g_fenetre;
  s.Frame4.setVisible(s.Option1(1).value());
}
