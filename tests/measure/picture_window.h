#pragma once
// Helpers of the window tests of the measuring picture: the main window shown
// offscreen, a test picture loaded into the view, real mouse and key events sent to
// Picture1, and the restoring of every program-wide value a test changes (all tests
// of this folder share one process and one main window).

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "support/user_input.h"

namespace picture_window {

// Puts back, in reverse order, every value handed to keep() when it goes out of scope.
class Restorer {
 public:
  Restorer() = default;
  Restorer(const Restorer&) = delete;
  Restorer& operator=(const Restorer&) = delete;
  ~Restorer() {
    for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) (*it)();
  }
  template <class T>
  void keep(T& v) {
    T copy = v;
    undo_.push_back([&v, copy] { v = copy; });
  }
  void then(std::function<void()> fn) { undo_.push_back(std::move(fn)); }

 private:
  std::vector<std::function<void()>> undo_;
};

// Keeps every value of the view, the calibration and the measuring state that the
// window tests change, the rows 0 to lastRow of TabMesures, and the pictures of the
// picture boxes.
inline void keepMeasuringState(Restorer& r, int lastRow) {
  QVL& f = Qvl();
  r.keep(Calibrage); r.keep(Facteur_Resol); r.keep(Indep_Resol); r.keep(Base_Zoom);
  r.keep(Pas_Zoom); r.keep(Expo_Zoom); r.keep(Expo_Zoom_Initial); r.keep(K_Zoom);
  r.keep(Larg_Affichee); r.keep(Haut_Affichee); r.keep(Ratio_Image); r.keep(Echelle);
  r.keep(Ratio_Ecran); r.keep(Zoom_Auto); r.keep(Retrace_Zoom); r.keep(Index_Image);
  r.keep(Pan_Etat); r.keep(Pan_Etat2); r.keep(Pan_Actif); r.keep(Loupe_Active);
  r.keep(Mode_Main); r.keep(Pas_Loupe); r.keep(Pas_Loupe2); r.keep(Type_Vue);
  r.keep(LigneCourante); r.keep(EtapeClic); r.keep(NbCellules); r.keep(FonctionCourante);
  r.keep(Compteur_Lignes); r.keep(Etat_Pt1); r.keep(Etat_Pt2); r.keep(Etat_Pt3);
  r.keep(Etat_Pt4); r.keep(PGr_Etat); r.keep(Mode_Pointage); r.keep(Mode_Standard);
  r.keep(Palmer); r.keep(Tol_Clic); r.keep(Mode_Comptage); r.keep(Trace_Ok);
  r.keep(Mode_Annot); r.keep(Illus_Trait); r.keep(Mode_InsRef); r.keep(Mode_InsTexte);
  r.keep(Touche_Enfoncee); r.keep(Depart_X); r.keep(Depart_Y); r.keep(Pt_X); r.keep(Pt_Y);
  r.keep(Longueur_Cumulee); r.keep(Pente_Ref); r.keep(Pente_Somme); r.keep(Loupe_Pt);
  r.keep(Ignore_Relache); r.keep(BGr_Etat1); r.keep(Appui_X); r.keep(Appui_Y);
  r.keep(NbSegments_Calib); r.keep(Mode_Surface); r.keep(NbPoints_Surface);
  r.keep(Mode_Surface2); r.keep(Illus_Texte); r.keep(Illus_Saisie); r.keep(Mode_Densite);
  r.keep(Comptage_Actif); r.keep(Trace_Continu); r.keep(Mode_Cumul); r.keep(Pan_Clic);
  r.keep(Deplace_Grille); r.keep(Main_Bascule); r.keep(Bascule_Alt); r.keep(Clic_X1);
  r.keep(Clic_Y1); r.keep(Clic_X2); r.keep(Clic_Y2); r.keep(Etat_Saisie); r.keep(Val_Saisie);
  r.keep(Taille_Zone); r.keep(NbLames); r.keep(Aff_Consignes); r.keep(Format_Decimal);
  r.keep(CouleursTrace); r.keep(Largeur_Pic); r.keep(Largeur_Pic2); r.keep(Segments_Etape);
  r.keep(Sauve_Auto); r.keep(Taille_Grille); r.keep(Ligne_Ref);
  for (int i = 0; i <= lastRow && i <= kDerniereLigneTable; ++i) r.keep(TabMesures(i));
  const platform::Picture base = f.picbase.picture();
  const platform::Picture p1 = f.Picture1.picture();
  const platform::Picture mem = f.ImageMem.picture(), i1 = f.Image1.picture(),
                          i2 = f.Image2.picture(), i3 = f.Image3.picture();
  const platform::Colour fore = f.Picture1.foreColor();
  const int width = f.Picture1.drawWidth(), mode = f.Picture1.drawMode();
  const std::string status = f.StatusBar1.simpleText();
  r.then([base, p1, mem, i1, i2, i3, fore, width, mode, status] {
    QVL& g = Qvl();
    g.picbase.setPicture(base);
    g.Picture1.setPicture(p1);
    g.ImageMem.setPicture(mem);
    g.Image1.setPicture(i1);
    g.Image2.setPicture(i2);
    g.Image3.setPicture(i3);
    g.Picture1.setForeColor(fore);
    g.Picture1.setDrawWidth(width);
    g.Picture1.setDrawMode(mode);
    g.StatusBar1.setSimpleText(status);
  });
}

// The main window shown (offscreen) with its events processed. Questions are answered
// by a script (unanswered ones take their default answer) until the restorer ends.
inline platform::ScriptedDialogs& shownWindow(Restorer& r) {
  auto d = std::make_unique<platform::ScriptedDialogs>();
  platform::ScriptedDialogs& script = *d;
  platform::setDialogs(std::move(d));
  r.then([] { platform::setDialogs(nullptr); });
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  script.clear();
  return script;
}

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("qv_measure_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
             std::to_string(counter()++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path_;
};

// Loads a picture of w x h pixels of one colour into the view through the program's
// own loader; false when that fails.
inline bool loadPlainPicture(const TempFolder& dir, int w, int h, platform::Colour c) {
  const std::string path = dir.file("plain_" + std::to_string(w) + "x" + std::to_string(h) + ".bmp");
  if (!platform::Picture::filled(w, h, c).saveBmp(path)) return false;
  return Charge_Image_Memoire(path);
}

// Size of one canvas pixel of Picture1 in its units (the same across and down).
inline double unitsPerPixel() {
  const platform::PictureBox& p = Qvl().Picture1;
  return p.scaleWidth() / p.canvasWidthPixels();
}

// Canvas pixel of a position of Picture1 (nearest).
inline int pixelOf(double units) { return static_cast<int>(std::lround(units / unitsPerPixel())); }

// The position that a mouse event on canvas pixel px reports.
inline double unitsOf(int px) { return px * unitsPerPixel(); }

// A mouse event on canvas pixel (px, py) of Picture1, as the system would send it.
inline void mouse(QEvent::Type type, Qt::MouseButton button, int px, int py,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = Qvl().Picture1.clientWidget();
  const QPointF pos(px + 0.25, py + 0.25);
  const QPointF global = w->mapToGlobal(pos);
  Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  if (type == QEvent::MouseMove) held = Qt::NoButton;
  QMouseEvent e(type, pos, global, type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
  QCoreApplication::sendEvent(w, &e);
}

// A left click at point p of widget w, pressed and released as the system sends it.
inline void clickWidget(QWidget* w, QPoint p) {
  const QPointF pos(p), global(w->mapToGlobal(p));
  QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

// Press at one pixel, moves on the way, release at another: a drag.
inline void drag(int x1, int y1, int x2, int y2, Qt::MouseButton button = Qt::LeftButton) {
  mouse(QEvent::MouseButtonPress, button, x1, y1);
  mouse(QEvent::MouseMove, button, (x1 + x2) / 2, (y1 + y2) / 2);
  mouse(QEvent::MouseMove, button, x2, y2);
  mouse(QEvent::MouseButtonRelease, button, x2, y2);
}

// A key pressed or released on Picture1.
inline void key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent e(type, qtKey, mods);
  QCoreApplication::sendEvent(Qvl().Picture1.clientWidget(), &e);
}

// The measuring state the window tests start from: view at exponent 0 with no offset,
// image 1, default tolerance and Palmer tool, no mode armed, no automatic save.
inline void standardMeasuringState() {
  Zoom_Auto = true;
  Retrace_Zoom = true;
  Expo_Zoom = 0;
  K_Zoom = 1;
  Larg_Affichee = 0;
  Haut_Affichee = 0;
  Ratio_Ecran = 1;
  Index_Image = 1;
  Format_Decimal = "###0.00";
  Tol_Clic = 30;
  Palmer = 2;
  Mode_Standard = true;
  Mode_Pointage = false;
  Mode_Main = false;
  Mode_Comptage = false;
  Mode_Densite = false;
  Trace_Continu = false;
  Loupe_Active = false;
  Pan_Etat = false;
  Pan_Etat2 = false;
  PGr_Etat = false;
  Sauve_Auto = 0;
  Aff_Consignes = true;
  Largeur_Pic = 2352;
}

// What a user does to zoom in on the picture: holds Z down (the key goes where the
// keyboard's keys go), clicks the picture low in its middle, lets Z go. Expects the
// picture to have the keys before, the view to zoom in by one step, the count box
// TBox(6) to keep its text and no measurement to start or end. Every value of the
// view and the measuring state is put back afterwards.
inline void expectZoomClickOnThePicture() {
  QVL& f = Qvl();
  Restorer r;
  keepMeasuringState(r, 0);
  EXPECT_TRUE(f.Picture1.hasFocus()) << "the keys go to " << user::describe(QApplication::focusWidget());
  const int expo = Expo_Zoom, ligne = LigneCourante, etape = EtapeClic;
  const std::string compte = f.TBox(6).text();
  QWidget* w = f.Picture1.widget();
  user::holdKey(w, Qt::Key_Z, QStringLiteral("z"));
  EXPECT_TRUE(user::clickAt(f.Picture1, 0.5, 0.8));
  user::releaseKey(w, Qt::Key_Z, QStringLiteral("z"));
  EXPECT_EQ(Expo_Zoom, expo - Pas_Zoom);
  EXPECT_EQ(f.TBox(6).text(), compte);
  EXPECT_EQ(LigneCourante, ligne);
  EXPECT_EQ(EtapeClic, etape);
}

}  // namespace picture_window
