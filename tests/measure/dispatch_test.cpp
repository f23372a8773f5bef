// The dispatcher of the measuring picture: which tool an event reaches by the active
// mode, the resets, the key routines and the window click.
#include "measure/dispatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "measure/drawing.h"
#include "measure/live_display.h"
#include "measure/redraw.h"
#include "picture_window.h"
#include "platform/colour.h"
#include "shell/function_switch.h"

namespace {

using namespace picture_window;

// --- pure ---------------------------------------------------------------------------

TEST(DispatchPoint, RoundsHalvesToEvenWithinSixteenBits) {
  int x = 0, y = 0;
  ASSERT_TRUE(Point_Entier(2.5, 3.5, x, y));
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 4);
  ASSERT_TRUE(Point_Entier(-0.6, 32767.4, x, y));
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, 32767);
  x = 9;
  EXPECT_FALSE(Point_Entier(32767.5, 0, x, y));
  EXPECT_FALSE(Point_Entier(0, -32768.6, x, y));
  EXPECT_FALSE(Point_Entier(NAN, 0, x, y));
  EXPECT_FALSE(Point_Entier(0, INFINITY, x, y));
  EXPECT_EQ(x, 9);
}

// --- on the window ------------------------------------------------------------------

constexpr platform::Colour kBlack = 0x000000;

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    shownWindow(r_);
    keepMeasuringState(r_, 10);
    QVL& f = Qvl();
    const int fonction = FonctionCourante;
    const bool frame1 = f.Frame(1).visible(), frame6 = f.Frame(6).visible();
    const double l6 = f.Frame(6).left(), t6 = f.Frame(6).top();
    const std::string c6 = f.Frame(6).caption(), tb6 = f.TBox(6).text();
    const double vl = f.VignP.left(), vt = f.VignP.top(), ll = f.PLoupePic.left(), lt = f.PLoupePic.top();
    const bool loupe = f.PLoupePic.visible();
    r_.then([=] {
      QVL& g = Qvl();
      g.GrilleRef.setRows(1);
      g.MGrille.setRows(1);
      Choix_Fonction_Mesure(fonction);
      g.Frame(1).setVisible(frame1);
      g.Frame(6).setLeft(l6);
      g.Frame(6).setTop(t6);
      g.Frame(6).setCaption(c6);
      g.Frame(6).setVisible(frame6);
      g.TBox(6).setText(tb6);
      g.VignP.setLeft(vl);
      g.VignP.setTop(vt);
      g.PLoupePic.setLeft(ll);
      g.PLoupePic.setTop(lt);
      g.PLoupePic.setVisible(loupe);
      if (g.Bout.exists(41)) g.Bout(41).setEnabled(true);
    });
    r_.then([] { platform::SetDecimalSeparator(0); });
    for (int i = 0; i <= 10; ++i) TabMesures(i) = Mesure{};
    picture_window::standardMeasuringState();
    Indep_Resol = true;
    Calibrage = 0.1;
    Loupe_Pt = false;
    ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
    f.GrilleRef.setRows(1);
    f.MGrille.setRows(1);
    ASSERT_TRUE(Choix_Fonction_Mesure(2));
    RAZ_Compteurs_Points();
    PGr_Etat = false;
  }

  // Press and release at whole positions of Picture1, through the dispatcher.
  static void click(int button, double x, double y) {
    Clic_Image_Mesure(button, 0, x, y);
    Relache_Image(button, 0, x, y);
  }
  static void dragTo(int button, double x1, double y1, double x2, double y2) {
    Clic_Image_Mesure(button, 0, x1, y1);
    Relache_Image(button, 0, x2, y2);
  }

  Restorer r_;
  TempFolder dir_;
};

TEST_F(Dispatch, NothingReachesTheToolsWhileLoading) {
  Aff_Consignes = false;
  dragTo(1, 1000, 1000, 3000, 1000);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
  EXPECT_EQ(EtapeClic, 1);
  // The press point is still kept for a hand pan.
  EXPECT_EQ(Appui_X, 1000);
  EXPECT_EQ(Appui_Y, 1000);
}

TEST_F(Dispatch, StandardModeWithAnotherPalmerValueMeasuresNothing) {
  Palmer = 3;
  dragTo(1, 1000, 1000, 3000, 1000);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
}

// "Palmer" ends the width at the foot of the perpendicular left by the live display;
// "Bipoint" at the release point. The first segment is horizontal, so the foot lies
// straight below the press point.
TEST_F(Dispatch, PalmerAndBipointEndTheWidthDifferently) {
  dragTo(1, 1000, 1000, 4000, 1000);
  ASSERT_EQ(EtapeClic, 2);
  Clic_Image_Mesure(1, 0, 2000, 1000);
  Affiche_Mesure_En_Cours(1, 0, 2600, 1800);   // the mouse on its way: the foot
  Relache_Image(1, 0, 2600, 1800);
  ASSERT_EQ(LigneCourante, 2);
  const double E = Echelle;
  EXPECT_NEAR(TabMesures(1).Seg(2).X2, 2000 * E, 1e-6);
  EXPECT_NEAR(TabMesures(1).Seg(2).Y2, 1800 * E, 1e-6);
  Palmer = 1;
  dragTo(1, 1000, 3000, 4000, 3000);
  ASSERT_EQ(EtapeClic, 2);
  dragTo(1, 2000, 3000, 2600, 3800);
  ASSERT_EQ(LigneCourante, 3);
  EXPECT_NEAR(TabMesures(2).Seg(2).X2, 2600 * E, 1e-6);
  EXPECT_NEAR(TabMesures(2).Seg(2).Y2, 3800 * E, 1e-6);
}

// With "Poly" ticked the first step goes to the polyline tool: a press is its first
// vertex (its release is not a second point), and Etat_Pt3 is cleared after it.
TEST_F(Dispatch, PolyOnlyForTheFirstStep) {
  Mode_Pointage = true;
  Clic_Image_Mesure(1, 0, 1000, 1000);
  EXPECT_TRUE(Etat_Pt1);
  EXPECT_TRUE(Ignore_Relache);
  EXPECT_FALSE(Etat_Pt3);
  EXPECT_EQ(Pt_X, 1000);
  Relache_Image(1, 0, 1000, 1000);   // ignored
  EXPECT_TRUE(Etat_Pt1);
  // Right press: last vertex, the polyline stored as one segment.
  Clic_Image_Mesure(2, 0, 1000, 2000);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_FALSE(Etat_Pt3);
  EXPECT_NEAR(TabMesures(1).Seg(1).Y2, 2000 * Echelle, 1e-6);
  // The second step goes to "Palmer".
  Clic_Image_Mesure(1, 0, 3000, 1500);
  EXPECT_DOUBLE_EQ(Depart_X, 3000);
  EXPECT_FALSE(Ignore_Relache);
}

TEST_F(Dispatch, ZoomAndCentringClicksMeasureNothing) {
  const int expo = Expo_Zoom;
  Pan_Etat2 = true;
  Retrace_Zoom = false;
  click(1, 5000, 3000);
  EXPECT_EQ(Expo_Zoom, expo - Pas_Zoom);
  EXPECT_FALSE(Etat_Pt1);
  Pan_Etat2 = false;
  Pan_Etat = true;
  const std::int32_t larg = Larg_Affichee;
  Clic_Image_Mesure(1, 0, 9000, 3000);   // right of the centre: the view moves right
  EXPECT_GT(Larg_Affichee, larg);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
}

TEST_F(Dispatch, HandModePansByTheDrag) {
  Mode_Main = true;
  const std::int32_t larg = Larg_Affichee, haut = Haut_Affichee;
  dragTo(1, 5000, 3000, 4000, 2500);
  EXPECT_GT(Larg_Affichee, larg);
  EXPECT_GT(Haut_Affichee, haut);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
}

TEST_F(Dispatch, ReleaseIgnoredWhileTheMagnifierModeIsArmed) {
  Clic_Image_Mesure(1, 0, 1000, 1000);
  ASSERT_TRUE(Etat_Pt1);
  Loupe_Active = true;
  Relache_Image(1, 0, 4000, 1000);
  EXPECT_TRUE(Etat_Pt1);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(Qvl().StatusBar1.simpleText(), MSG(55));
}

TEST_F(Dispatch, ResetAbandonsTheMeasurement) {
  QVL& f = Qvl();
  const platform::Picture bare = f.ImageMem.picture();
  Clic_Image_Mesure(1, 0, 1000, 1000);   // draws a cross
  EXPECT_NE(f.Picture1.image().bmpBytes(), bare.bmpBytes());
  f.Frame(1).setVisible(false);
  Etat_Pt3 = Etat_Pt4 = true;
  RAZ_Mesure();
  EXPECT_FALSE(Etat_Pt1 || Etat_Pt2 || Etat_Pt3 || Etat_Pt4);
  EXPECT_TRUE(PGr_Etat);
  EXPECT_TRUE(f.Frame(1).visible());
  EXPECT_EQ(f.Picture1.image().bmpBytes(), bare.bmpBytes());
  // The release of the drag under way ends nothing; the next press starts afresh and
  // its release measures.
  Relache_Image(1, 0, 4000, 1000);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
  Clic_Image_Mesure(1, 0, 1000, 1000);
  EXPECT_FALSE(PGr_Etat);
  Relache_Image(1, 0, 4000, 1000);
  EXPECT_FALSE(Cellule_Vide(TabMesures(1).Seg(1)));
  // With no segment open a reset leaves nothing to swallow.
  RAZ_Mesure();
  EXPECT_FALSE(PGr_Etat);
  // In text-insertion mode the picture stays.
  Mode_InsTexte = true;
  Trace_Croix_Couleur(3000, 3000, 0x00FF00);
  const std::string marked = f.Picture1.image().bmpBytes();
  RAZ_Mesure();
  EXPECT_EQ(f.Picture1.image().bmpBytes(), marked);
}

TEST_F(Dispatch, KeyUpTable) {
  Pan_Etat = Loupe_Active = PGr_Etat = Etat_Pt1 = true;
  Touches_Relachees(67, 0);   // "C"
  EXPECT_FALSE(Pan_Etat || Loupe_Active || PGr_Etat || Etat_Pt1);
  Pan_Etat = Loupe_Active = true;
  Touches_Relachees(34, 0);   // Page Down
  EXPECT_FALSE(Pan_Etat || Loupe_Active);
  Pan_Etat2 = Loupe_Active = Etat_Pt2 = true;
  Pan_Etat = true;
  Touches_Relachees(90, 0);   // "Z": its own flag only
  EXPECT_FALSE(Pan_Etat2 || Loupe_Active || Etat_Pt2);
  EXPECT_TRUE(Pan_Etat);
  Pan_Actif = Pan_Clic = Deplace_Grille = Trace_Continu = true;
  Touches_Relachees(86, 0);
  EXPECT_FALSE(Pan_Actif);
  Touches_Relachees(87, 0);
  EXPECT_FALSE(Pan_Clic);
  Touches_Relachees(71, 0);
  EXPECT_FALSE(Deplace_Grille);
  Touches_Relachees(69, 0);
  EXPECT_FALSE(Trace_Continu);
  const bool alt = Bascule_Alt;
  Touches_Relachees(18, 0);
  EXPECT_NE(Bascule_Alt, alt);
  Mode_Main = Main_Bascule = true;
  Touches_Relachees(17, 0);
  EXPECT_FALSE(Mode_Main || Main_Bascule);
  EXPECT_EQ(Qvl().Bout(5).backColor(), platform::kButtonFace);
}

TEST_F(Dispatch, KeyDownTable) {
  Touches_Image(90, 0);
  EXPECT_TRUE(Pan_Etat2 && Loupe_Active);
  Touches_Relachees(90, 0);
  // Refused while a step is pending.
  Loupe_Pt = true;
  Touches_Image(90, 0);
  Touches_Image(67, 0);
  EXPECT_FALSE(Pan_Etat2 || Pan_Etat || Loupe_Active);
  // Esc abandons the pending step.
  Etat_Pt1 = true;
  Touches_Image(27, 0);
  EXPECT_FALSE(Loupe_Pt);
  EXPECT_TRUE(PGr_Etat);
  Touches_Image(86, 0);
  Touches_Image(87, 0);
  Touches_Image(69, 0);
  EXPECT_TRUE(Pan_Actif && Pan_Clic && Trace_Continu);
  // The magnifier factor: 500 and back to 1000.
  Pas_Loupe = 1000;
  Touches_Image(226, 0);
  EXPECT_EQ(Pas_Loupe, 500);
  EXPECT_EQ(Pas_Loupe2, 250);
  Touches_Image(226, 0);
  EXPECT_EQ(Pas_Loupe, 1000);
  EXPECT_EQ(Pas_Loupe2, 500);
  // Space shows and hides the grid panel.
  QVL& f = Qvl();
  const bool shown = f.Frame(6).visible();
  Touches_Image(32, 0);
  EXPECT_NE(f.Frame(6).visible(), shown);
  Touches_Image(32, 0);
  EXPECT_EQ(f.Frame(6).visible(), shown);
}

// Every key of the picture's table pressed and released on Picture1 as the system
// sends it: what the press arms or does, and what is left once the key is up.
TEST_F(Dispatch, RealKeysOfThePictureFollowTheirTable) {
  QVL& f = Qvl();
  struct Row {
    const char* what;
    int key;
    std::function<void()> before;
    std::function<void()> pressed;    // checked with the key down
    std::function<void()> released;   // checked once it is up
  };
  const auto nothing = [] {};
  const Row rows[] = {
      {"Page Down arms the centring click", Qt::Key_PageDown, nothing,
       [] { EXPECT_TRUE(Pan_Etat && Loupe_Active); }, [] { EXPECT_FALSE(Pan_Etat || Loupe_Active); }},
      {"C arms the centring click", Qt::Key_C, nothing, [] { EXPECT_TRUE(Pan_Etat && Loupe_Active); },
       [] { EXPECT_FALSE(Pan_Etat || Loupe_Active); }},
      {"C refused while a step is pending", Qt::Key_C, [] { Loupe_Pt = true; },
       [] { EXPECT_FALSE(Pan_Etat || Loupe_Active); }, [] { EXPECT_TRUE(Loupe_Pt); }},
      {"Page Down refused while a step is pending", Qt::Key_PageDown, [] { Loupe_Pt = true; },
       [] { EXPECT_FALSE(Pan_Etat || Loupe_Active); }, [] { Loupe_Pt = false; }},
      {"Z arms the zoom click", Qt::Key_Z, nothing, [] { EXPECT_TRUE(Pan_Etat2 && Loupe_Active); },
       [] { EXPECT_FALSE(Pan_Etat2 || Loupe_Active); }},
      {"Esc with no pending step does nothing", Qt::Key_Escape, [&f] { f.Frame(1).setVisible(false); },
       [&f] {
         EXPECT_FALSE(f.Frame(1).visible());
         EXPECT_FALSE(PGr_Etat);
       },
       nothing},
      {"Esc abandons the pending step", Qt::Key_Escape,
       [&f] {
         Loupe_Pt = true;
         f.Frame(1).setVisible(false);
       },
       [&f] {
         EXPECT_FALSE(Loupe_Pt);
         EXPECT_TRUE(f.Frame(1).visible());
       },
       nothing},
      {"V arms the thumbnail move", Qt::Key_V, nothing, [] { EXPECT_TRUE(Pan_Actif); },
       [] { EXPECT_FALSE(Pan_Actif); }},
      {"W arms the magnifier move", Qt::Key_W, nothing, [] { EXPECT_TRUE(Pan_Clic); },
       [] { EXPECT_FALSE(Pan_Clic); }},
      {"E traces continuously while held", Qt::Key_E, nothing, [] { EXPECT_TRUE(Trace_Continu); },
       [] { EXPECT_FALSE(Trace_Continu); }},
      {"Ctrl holds the hand mode", Qt::Key_Control, nothing,
       [&f] {
         EXPECT_TRUE(Mode_Main);
         EXPECT_EQ(f.Bout(5).backColor(), 0xC0FFC0u);
       },
       [&f] {
         EXPECT_FALSE(Mode_Main);
         EXPECT_EQ(f.Bout(5).backColor(), platform::kButtonFace);
       }},
      {"Space hides the grid panel", Qt::Key_Space, [&f] { f.Frame(6).setVisible(true); },
       [&f] { EXPECT_FALSE(f.Frame(6).visible()); }, [&f] { EXPECT_FALSE(f.Frame(6).visible()); }},
      {"Space shows it again", Qt::Key_Space, nothing, [&f] { EXPECT_TRUE(f.Frame(6).visible()); },
       nothing},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    r.before();
    key(QEvent::KeyPress, r.key);
    r.pressed();
    key(QEvent::KeyRelease, r.key);
    r.released();
  }
}

// "G" moves the grid panel at once, to the next place of its cycle 1, 2, 3, 0; no
// click is awaited.
TEST_F(Dispatch, GMovesTheGridPanelThroughItsFourPlaces) {
  QVL& f = Qvl();
  platform::Frame& g = f.Frame(6);
  const double gauche = f.Picture1.left(), haut = f.Picture1.top();
  const double droite = f.scaleWidth() - g.width() - 10, bas = haut + f.Picture1.height() - g.height();
  struct Place {
    int vue;
    double left, top;
  };
  const Place places[] = {{2, droite, bas}, {3, gauche, bas}, {0, gauche, haut}, {1, droite, haut}};
  Type_Vue = 1;
  g.move(5, 5);
  for (const Place& p : places) {
    SCOPED_TRACE(p.vue);
    key(QEvent::KeyPress, Qt::Key_G);
    EXPECT_EQ(Type_Vue, p.vue);
    EXPECT_DOUBLE_EQ(g.left(), p.left);
    EXPECT_DOUBLE_EQ(g.top(), p.top);
    key(QEvent::KeyRelease, Qt::Key_G);
    EXPECT_FALSE(Deplace_Grille);
    // A click on the window afterwards leaves the panel where it is.
    Place_Panneau_Clic(1, 0, 700, 800);
    EXPECT_DOUBLE_EQ(g.left(), p.left);
  }
}

// The angle-bracket key, reached by "<" and ">" too, switches the magnifier between
// factors 3 and 6 and paints it again around the last click when it is shown.
TEST_F(Dispatch, AngleBracketKeysSwitchTheMagnifierAndPaintItAgain) {
  QVL& f = Qvl();
  platform::PictureBox& loupe = f.PLoupePic;
  const platform::Colour fond = loupe.backColor();
  r_.then([fond] { Qvl().PLoupePic.setBackColor(fond); });
  constexpr platform::Colour kBlanc = 0xFFFFFF;
  loupe.setBackColor(kBlanc);
  // The last click in the middle of the black picture.
  Clic_X1 = platform::CInt(unitsOf(100));
  Clic_Y1 = platform::CInt(unitsOf(100));
  Pas_Loupe = 1000;
  Pas_Loupe2 = 500;
  struct Step {
    int key;
    bool shown;
    int pas;
    platform::Colour corner;   // a point of the magnifier off its cross
  };
  const Step steps[] = {{Qt::Key_Less, true, 500, kBlack},
                        {Qt::Key_Greater, true, 1000, kBlack},
                        {Qt::Key_Less, false, 500, kBlanc}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.key);
    loupe.setVisible(s.shown);
    loupe.cls();
    ASSERT_EQ(loupe.point(300, 300), kBlanc);
    key(QEvent::KeyPress, s.key);
    key(QEvent::KeyRelease, s.key);
    EXPECT_EQ(Pas_Loupe, s.pas);
    EXPECT_EQ(Pas_Loupe2, s.pas / 2);
    EXPECT_EQ(loupe.point(300, 300), s.corner);
  }
}

// A held key repeats on its own: the repeated releases and presses neither disarm
// nor arm anything; only the real release does.
TEST_F(Dispatch, AHeldKeyKeepsItsModeArmed) {
  auto repeat = [](QEvent::Type type, int k) {
    QKeyEvent e(type, k, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(Qvl().Picture1.clientWidget(), &e);
  };
  key(QEvent::KeyPress, Qt::Key_Z);
  for (int i = 0; i < 3; ++i) {
    repeat(QEvent::KeyRelease, Qt::Key_Z);
    repeat(QEvent::KeyPress, Qt::Key_Z);
    EXPECT_TRUE(Pan_Etat2 && Loupe_Active);
  }
  key(QEvent::KeyRelease, Qt::Key_Z);
  EXPECT_FALSE(Pan_Etat2 || Loupe_Active);
  // The magnifier factor switches once per real press only.
  Pas_Loupe = 1000;
  key(QEvent::KeyPress, Qt::Key_Less);
  repeat(QEvent::KeyPress, Qt::Key_Less);
  repeat(QEvent::KeyPress, Qt::Key_Less);
  key(QEvent::KeyRelease, Qt::Key_Less);
  EXPECT_EQ(Pas_Loupe, 500);
}

TEST_F(Dispatch, WindowClickMovesTheArmedPanels) {
  QVL& f = Qvl();
  Pan_Clic = true;
  Place_Panneau_Clic(1, 0, 800.4, 900.6);
  EXPECT_DOUBLE_EQ(f.PLoupePic.left(), 800.4);
  EXPECT_FALSE(Pan_Clic);
  EXPECT_EQ(Clic_X1, 800);
  EXPECT_EQ(Clic_Y1, 901);
  Deplace_Grille = true;
  f.Frame(6).setCaption("grille");
  Place_Panneau_Clic(1, 0, 1500, 1600);
  EXPECT_DOUBLE_EQ(f.Frame(6).left(), 1500);
  EXPECT_DOUBLE_EQ(f.Frame(6).top(), 1600);
  EXPECT_TRUE(f.Frame(6).visible());
  EXPECT_EQ(f.Frame(6).caption(), "");
  EXPECT_FALSE(Deplace_Grille);
  // Nothing armed: nothing moves.
  Place_Panneau_Clic(1, 0, 10, 10);
  EXPECT_DOUBLE_EQ(f.Frame(6).left(), 1500);
  // "V" held, then a click on the window: the thumbnail goes there, the magnifier stays.
  key(QEvent::KeyPress, Qt::Key_V);
  f.onMouseDown(1, 0, 2200, 3300);
  EXPECT_DOUBLE_EQ(f.VignP.left(), 2200);
  EXPECT_DOUBLE_EQ(f.VignP.top(), 3300);
  EXPECT_DOUBLE_EQ(f.PLoupePic.left(), 800.4);
  EXPECT_FALSE(Pan_Actif);
  // The second click while the key is still down moves nothing: the move was used.
  f.onMouseDown(1, 0, 100, 100);
  EXPECT_DOUBLE_EQ(f.VignP.left(), 2200);
  key(QEvent::KeyRelease, Qt::Key_V);
  // "W" held: the magnifier goes to the click.
  key(QEvent::KeyPress, Qt::Key_W);
  f.onMouseDown(1, 0, 4000, 4100);
  key(QEvent::KeyRelease, Qt::Key_W);
  EXPECT_DOUBLE_EQ(f.PLoupePic.left(), 4000);
  EXPECT_DOUBLE_EQ(f.PLoupePic.top(), 4100);
  EXPECT_DOUBLE_EQ(f.VignP.left(), 2200);
}

TEST_F(Dispatch, CountingMarkStoresThePointInPictureUnits) {
  LigneCourante = 4;
  Expo_Zoom = -2;
  K_Zoom = 1 / 1.4142136;
  Larg_Affichee = 300;
  Haut_Affichee = 100;
  Index_Image = 3;
  Repere_Comptage(1000, 2000);
  EXPECT_EQ(Pt_X, 1000);
  EXPECT_EQ(Pt_Y, 2000);
  // 1000 x 0.70710678 x Echelle + 300.
  EXPECT_NEAR(TabMesures(4).Seg(1).X1, 1000 / 1.4142136 * Echelle + 300, 1e-6);
  EXPECT_NEAR(TabMesures(4).Seg(1).Y1, 2000 / 1.4142136 * Echelle + 100, 1e-6);
  EXPECT_EQ(TabMesures(4).NumImage, 3);
  EXPECT_EQ(TabMesures(4).ExpZoom, -2);
  LigneCourante = 3001;   // outside the table: nothing
  Repere_Comptage(1, 1);
  EXPECT_EQ(Pt_X, 1000);
}

// Counting with function 10: a left press counts one, marks the point in the colour of its
// step and, being the first count, stores it; a second press without a release marks
// nothing.
TEST_F(Dispatch, CountingNeedsAReleaseBetweenTwoCounts) {
  QVL& f = Qvl();
  FonctionCourante = 10;
  Mode_Comptage = true;
  BGr_Etat1 = true;
  EtapeClic = 1;
  CouleursTrace(0) = 14;
  f.TBox(6).setText("0");
  LigneCourante = 2;
  Clic_Image_Mesure(1, 0, 2000, 2000);
  EXPECT_EQ(platform::Val(f.TBox(6).text()), 1);
  EXPECT_EQ(f.Picture1.point(2000 + 60, 2000), platform::QBColor(14));
  EXPECT_FALSE(BGr_Etat1);
  EXPECT_FALSE(Cellule_Vide(TabMesures(2).Seg(1)));
  TabMesures(2) = Mesure{};
  Clic_Image_Mesure(1, 0, 4000, 2000);
  EXPECT_EQ(f.Picture1.point(4000 + 60, 2000), kBlack);
  EXPECT_TRUE(Cellule_Vide(TabMesures(2).Seg(1)));
  Relache_Image(1, 0, 4000, 2000);
  EXPECT_TRUE(BGr_Etat1);
}

// Counting with a function below 7: each left press adds one to the counter box.
TEST_F(Dispatch, CountingBoxOfTheSegmentFunctions) {
  QVL& f = Qvl();
  Mode_Comptage = true;
  BGr_Etat1 = true;
  CouleursTrace(1) = 10;
  f.TBox(6).setText("4");
  Clic_Image_Mesure(1, 0, 2000, 2000);
  EXPECT_EQ(f.TBox(6).text(), "5");
  EXPECT_EQ(f.Picture1.point(2000, 2000 + 60), platform::QBColor(10));
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
}

}  // namespace
