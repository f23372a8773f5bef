// The spore-outline window opened from the tools menu over a picture: the main
// direction and the outline traced by mouse events, point by point or continuous, the
// line width, the automatic options frame, and the trace kept when windows switch.
#include "measure/spore_outline.h"

#include <gtest/gtest.h>

#include <string>

#include "forms/main_window.h"
#include "forms/outline_window.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/picture.h"
#include "shell/tools_menu.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

using measure_window::MeasureWindow;

constexpr platform::Colour kGris = 0x808080;
constexpr platform::Colour kBlanc = 0xFFFFFF;

bool memesPixels(const platform::Picture& a, const platform::Picture& b) {
  if (a.widthPixels() != b.widthPixels() || a.heightPixels() != b.heightPixels()) return false;
  for (int y = 0; y < a.heightPixels(); ++y)
    for (int x = 0; x < a.widthPixels(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

class SporeOutline : public MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    ForgetOutlineWindow();
    r_.then([] { ForgetOutlineWindow(); });
    f.Picture1.setPicture(platform::Picture::filled(f.Picture1.canvasWidthPixels(),
                                                    f.Picture1.canvasHeightPixels(), kGris));
    user::click(f.Mntool(14));
  }
  static Sporogramme& s() { return FenSporogramme(); }
  static void gauche(double x, double y) { s().Picture1.onMouseDown(platform::kLeftButton, 0, x, y); }
  static void droit(double x, double y) { s().Picture1.onMouseDown(platform::kRightButton, 0, x, y); }
  static platform::Colour trait() { return 0x000000; }   // the window text colour
  static std::string statut() { return Qvl().StatusBar1.simpleText(); }
};

TEST_F(SporeOutline, OpensOnAHalfSizeCopy) {
  QVL& f = Qvl();
  EXPECT_TRUE(s().visible());
  EXPECT_FALSE(s().isModal());
  EXPECT_NEAR(s().Picture1.width(), f.Picture1.width() / 2, 1);
  EXPECT_NEAR(s().Picture1.height(), f.Picture1.height() / 2, 1);
  EXPECT_EQ(s().Picture1.point(300, 300), kGris);
  EXPECT_EQ(s().Picture2.point(300, 300), kBlanc);
  EXPECT_EQ(Trace_Sporogramme().Etat, 1);
  EXPECT_EQ(statut(), " marquer la direction principale et terminer par clic droit ");
  EXPECT_EQ(s().Picture1.drawWidth(), 3);
}

// Direction, then the outline point by point, drawn on the copy and on the white
// surface; the right click ends it.
TEST_F(SporeOutline, PointByPointOutline) {
  gauche(100, 100);
  // The rubber band follows the mouse; the kept copy stays clean.
  s().Picture1.onMouseMove(0, 0, 1100, 100);
  EXPECT_EQ(s().Picture1.point(600, 100), trait());
  EXPECT_EQ(s().Image1.picture().pixel(40, 7), kGris);
  droit(500, 300);
  EXPECT_EQ(Trace_Sporogramme().Etat, 2);
  EXPECT_EQ(statut(), " marquer le contour ");
  EXPECT_EQ(Trace_Sporogramme().X0, 100);
  EXPECT_EQ(Trace_Sporogramme().Y1, 300);
  ASSERT_TRUE(s().Option2(0).value());
  gauche(900, 900);
  EXPECT_EQ(Trace_Sporogramme().Etat, 3);
  // The white surface holds the main direction alone.
  EXPECT_EQ(s().Picture2.point(300, 200), trait());
  EXPECT_EQ(s().Picture2.point(900, 200), kBlanc);
  EXPECT_EQ(s().Picture2.point(600, 100), kBlanc);
  gauche(1500, 900);
  EXPECT_EQ(s().Picture1.point(1200, 900), trait());
  EXPECT_EQ(s().Picture2.point(1200, 900), trait());
  gauche(1500, 1500);
  EXPECT_EQ(s().Picture2.point(1500, 1200), trait());
  EXPECT_EQ(s().Picture2.point(1200, 1200), kBlanc);
  droit(0, 0);
  EXPECT_EQ(Trace_Sporogramme().Etat, 4);
  EXPECT_EQ(statut(), " Terminé ");
  // Finished: clicks draw nothing more.
  const platform::Picture avant = s().Picture2.image();
  gauche(300, 1500);
  EXPECT_TRUE(memesPixels(avant, s().Picture2.image()));

  // Switching to the main window and back keeps the trace.
  Qvl().show();
  s().hide();
  s().show();
  EXPECT_EQ(Trace_Sporogramme().Etat, 4);
  EXPECT_TRUE(memesPixels(avant, s().Picture2.image()));
}

TEST_F(SporeOutline, ContinuousNeverPointByPoint) {
  s().Option2(1).setValue(true);
  gauche(100, 100);
  droit(500, 300);
  for (const double x : {800.0, 1200.0, 1600.0}) {
    gauche(x, 900);
    EXPECT_EQ(Trace_Sporogramme().Etat, 2);
    EXPECT_EQ(Trace_Sporogramme().Xp, static_cast<int>(x));
  }
  droit(100, 100);
  EXPECT_EQ(Trace_Sporogramme().Etat, 2);
}

// A right click before any left click ends the direction from (0, 0); a rubber band
// needs a start off the left and top edges.
TEST_F(SporeOutline, DirectionFromTheCorner) {
  s().Picture1.onMouseMove(0, 0, 600, 600);
  EXPECT_EQ(s().Picture1.point(300, 300), kGris);
  droit(500, 300);
  EXPECT_EQ(Trace_Sporogramme().Etat, 2);
  EXPECT_EQ(Trace_Sporogramme().X0, 0);
  EXPECT_EQ(Trace_Sporogramme().Y0, 0);
  EXPECT_EQ(Trace_Sporogramme().X1, 500);
}

// Real mouse events on the copy reach the state machine (positions in twips).
TEST_F(SporeOutline, MouseEventsOfTheWindow) {
  QWidget* w = s().Picture1.clientWidget();
  auto presse = [w](Qt::MouseButton b, int px, int py) {
    const QPointF pos(px + 0.25, py + 0.25);
    QMouseEvent e(QEvent::MouseButtonPress, pos, w->mapToGlobal(pos), b, b, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
    QMouseEvent r(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos), b, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &r);
  };
  presse(Qt::LeftButton, 10, 12);
  presse(Qt::RightButton, 40, 30);
  EXPECT_EQ(Trace_Sporogramme().Etat, 2);
  EXPECT_EQ(Trace_Sporogramme().X0, 150);
  EXPECT_EQ(Trace_Sporogramme().Y0, 180);
  EXPECT_EQ(Trace_Sporogramme().X1, 600);
}

TEST_F(SporeOutline, LineWidthAndOptions) {
  struct Case {
    const char* texte;
    int largeur;
  };
  const Case cases[] = {{"7", 7}, {"0", 7}, {"51", 7}, {"2.5", 7}, {"abc", 7}, {"", 7}, {" 50 ", 50}, {"1", 1}};
  for (const Case& c : cases) {
    s().Text1.setText(c.texte);
    EXPECT_EQ(s().Picture1.drawWidth(), c.largeur) << c.texte;
    EXPECT_EQ(s().Picture2.drawWidth(), c.largeur) << c.texte;
  }
  EXPECT_FALSE(s().Frame4.visible());
  ASSERT_TRUE(user::click(s().Option1(1)));
  EXPECT_TRUE(s().Frame4.visible());
  ASSERT_TRUE(user::click(s().Option1(0)));
  EXPECT_FALSE(s().Frame4.visible());
  // "Tracer contour", in the frame of the automatic mode, attaches nothing.
  gauche(100, 100);
  ASSERT_TRUE(user::click(s().Option1(1)));
  ASSERT_TRUE(user::click(s().Command1));
  EXPECT_EQ(Trace_Sporogramme().Etat, 1);
  ASSERT_TRUE(user::click(s().Option1(0)));
}

// The window keeps every control visible, reachable and readable in both modes.
TEST_F(SporeOutline, LayoutOfTheWindowInBothModes) {
  layout::expectClean(s(), "manuel");
  ASSERT_TRUE(user::click(s().Option1(1)));
  layout::expectClean(s(), "auto");
  ASSERT_TRUE(user::click(s().Option1(0)));
}

}  // namespace
