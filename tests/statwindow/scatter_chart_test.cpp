// Scatter plot, normed frame and tolerance ellipse drawn on a canvas log, against
// values worked out independently (numpy and scipy where named).
#include "statwindow/scatter_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "platform/runtime.h"
#include "stats/notices.h"
#include "statwindow/chart_log.h"
#include "statwindow/table_grid.h"

namespace {

const platform::Colour kRouge = 0x0000FF;
const std::vector<double> kX = {3.5, 5.2, 7.9, 11.2, 6.4, 9.1, 4.8, 8.3};
const std::vector<double> kY = {1.9, 2.6, 3.1, 4.3, 2.8, 3.6, 2.2, 3.3};
// Equal spans: X 2 to 6, Y 1 to 5.
const std::vector<double> kXn = {2, 3, 4, 5, 6, 3.5, 4.5};
const std::vector<double> kYn = {1.5, 1, 3, 4.2, 5, 2.5, 3.8};
constexpr double kRatio = 8500.0 / 5580.0;

class ScatterChart : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator(',');
    Messages_Defaut();
    stats::Stat_Notices().message = [this](const std::string& s) { messages.push_back(s); };
  }
  void TearDown() override {
    stats::Stat_Notices().message = nullptr;
    platform::SetDecimalSeparator(0);
  }
  std::vector<std::string> messages;
};

TEST_F(ScatterChart, GraduationStepsAndOrigins) {
  const struct {
    double min, max, span, pas, p;
    int t;
  } cases[] = {
      {4, 16.3, 750, 5, 304.878, 2},      // halved once: 10 gives one tick
      {1, 3, 750, 0.5, 187.5, 4},         // halved once only, still under 5
      {2, 8, 750, 1, 125, 6},             // no halving
      {0.1, 0.9, 750, 0.1, 93.75, 8},     // the exponent rounds down below 1
      {3.5, 11.2, 750, 1, 97.4026, 7},
      {1.9, 4.3, 750, 0.5, 156.25, 4},
      {2, 6, 850, 0.5, 106.25, 8},        // normed frame, k = 212,5
  };
  for (const auto& c : cases) {
    const double coef = c.span / (c.max - c.min);
    const Graduation g = Graduer(c.min, c.max, c.span == 850 ? 212.5 : coef, c.span);
    EXPECT_NEAR(g.pas, c.pas, 1e-12) << c.min;
    EXPECT_NEAR(g.p, c.p, 1e-3) << c.min;
    EXPECT_EQ(g.t, c.t) << c.min;
  }
  // The origin is the value at the axis, 80 units before the minimum's place.
  EXPECT_NEAR(Graduer(3.5, 11.2, 750 / 7.7, 750).origine, 2.678667, 1e-5);
  EXPECT_NEAR(Graduer(1.9, 4.3, 312.5, 750).origine, 1.644, 1e-9);
}

TEST_F(ScatterChart, PlainFrameCaptionTicksLineAndMedianPoint) {
  ScatterOptions o;
  o.droite = true;
  o.median = true;
  ChartLog log;
  const ScatterResult r = Trace_Nuage(log, kX, kY, o);
  ASSERT_TRUE(r.trace);
  EXPECT_EQ(log.echelle, (std::array<double, 4>{0, 1000, 1000, 0}));
  ASSERT_TRUE(r.legende);
  EXPECT_EQ(*r.legende, "Origine X = 2,68  graduation = 1,00\r\nOrigine Y = 1,64  graduation = 0,50");
  // numpy: population covariance 1.7075, Pearson 0.991789.
  EXPECT_EQ(r.covariance, " Covariance = 1,71\rCorrélation Ro= 0,99");
  EXPECT_TRUE(messages.empty());

  // Red lines: two axes, 8 X ticks, 4 Y ticks, the regression line.
  const auto rouges = log.of('l', kRouge);
  ASSERT_EQ(rouges.size(), 2u + 8u + 4u + 1u);
  for (int j = 1; j <= 8; ++j) EXPECT_NEAR(rouges[1 + j].x1, 70 + 97.4026 * j, 1e-3);
  const double yTicks[] = {226.25, 382.5, 538.75, 695};
  for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(rouges[10 + j].y1, yTicks[j]);
  // scipy linregress: slope 0.302079, intercept 0.845345.
  const auto& d = rouges.back();
  EXPECT_NEAR(d.x1, 150, 1e-9);
  EXPECT_NEAR(d.y1, 150.82, 0.01);
  EXPECT_NEAR(d.x2, 900, 1e-9);
  EXPECT_NEAR(d.y2, 877.70, 0.01);

  const auto cyan = log.of('c', 0xFFFF00);
  ASSERT_EQ(cyan.size(), 1u);
  EXPECT_DOUBLE_EQ(cyan[0].x1, 506);
  EXPECT_DOUBLE_EQ(cyan[0].y1, 478);
  EXPECT_DOUBLE_EQ(cyan[0].x2, 10);
  EXPECT_EQ(cyan[0].width, 2);
  EXPECT_EQ(log.width, 1);   // the width is given back
  ASSERT_NE(log.find("Y / X   "), nullptr);
  EXPECT_DOUBLE_EQ(log.find("Y / X   ")->y, 35);

  // Eight crosses of two black strokes, each centred on its rounded place.
  EXPECT_EQ(log.of('l', 0x000000).size(), 16u);
  EXPECT_DOUBLE_EQ(log.of('l', 0x000000)[0].x1, 170);   // (150, 150) + 20
}

TEST_F(ScatterChart, ExchangedAxesAndPointNumbers) {
  ScatterOptions o;
  o.echange = true;
  o.numeros = true;
  ChartLog log;
  Trace_Nuage(log, kY, kX, o);
  EXPECT_NE(log.find("X / Y   "), nullptr);
  EXPECT_EQ(log.find("Y / X   "), nullptr);
  const ChartLog::Text* huit = log.find("8");
  ASSERT_NE(huit, nullptr);
  EXPECT_EQ(huit->colour, 0x000000u);
}

TEST_F(ScatterChart, MessagesOnlyWhereTheyMean) {
  const struct {
    std::vector<double> x, y;
    bool droite;
    std::vector<int> msg;
    bool ligneDroite;
  } cases[] = {
      {{4.2}, {2.1}, true, {}, false},                        // one row: nothing to say
      {{5, 5, 5}, {1, 2, 3}, true, {234, 235}, false},        // X does not spread
      {{5, 5, 5}, {1, 2, 3}, false, {234}, false},            // no line asked for
      {{1, 2, 3}, {2, 4, 6}, true, {}, true},
  };
  for (const auto& c : cases) {
    messages.clear();
    ScatterOptions o;
    o.droite = c.droite;
    ChartLog log;
    const ScatterResult r = Trace_Nuage(log, c.x, c.y, o);
    std::vector<std::string> attendus;
    for (int m : c.msg) attendus.push_back(MSG(m));
    EXPECT_EQ(messages, attendus) << c.x.size();
    EXPECT_EQ(r.droiteCalculee, c.ligneDroite);
    if (c.x.size() < 2) {
      EXPECT_EQ(r.covariance, "");
    }
  }
}

TEST_F(ScatterChart, NoValuesOrNoSpreadLeaveThePictureBlank) {
  const struct {
    std::vector<double> x, y;
  } cases[] = {{{}, {}}, {{0, 0}, {1, 2}}, {{1, 2}, {0, 0}}};
  for (const auto& c : cases) {
    ChartLog log;
    EXPECT_FALSE(Trace_Nuage(log, c.x, c.y, ScatterOptions{}).trace);
    EXPECT_TRUE(log.shapes.empty());
    EXPECT_EQ(log.clears, 1);
  }
}

TEST_F(ScatterChart, NormedFrameKeepsEveryCrossInThePicture) {
  const struct {
    std::vector<double> x, y;
    double k, haut;
  } cases[] = {
      {kXn, kYn, 212.5, 1100},                       // equal spans
      {{0, 10}, {0, 8}, 85, 1.1 * (150 + 8 * 85)},        // X sets the scale
      {{0, 4}, {0, 10}, 85, 770 * kRatio},           // Y sets it
  };
  for (const auto& c : cases) {
    ScatterOptions o;
    o.norme = true;
    o.ratio = kRatio;
    ChartLog log;
    const ScatterResult r = Trace_Nuage(log, c.x, c.y, o);
    ASSERT_TRUE(r.trace);
    EXPECT_DOUBLE_EQ(r.coefX, c.k);
    EXPECT_DOUBLE_EQ(r.coefY, c.k);
    EXPECT_NEAR(log.echelle[1], std::max(c.haut, 1100 / kRatio), 1e-9);
    EXPECT_NEAR(log.echelle[2], kRatio * log.echelle[1], 1e-9);
    for (const auto& s : log.of('l', 0x000000)) {
      EXPECT_LE(std::max(s.y1, s.y2), log.echelle[1]);
      EXPECT_LE(std::max(s.x1, s.x2), log.echelle[2]);
    }
    // The largest Y's label stays in the picture.
    for (const auto& t : log.texts) EXPECT_LT(t.y, log.echelle[1]);
  }
}

TEST_F(ScatterChart, ToleranceEllipseAtEachLevel) {
  // kXn, kYn: means 4 and 3; covariance matrix (divisor n - 1) 7/4, 217/120 / 217/120,
  // 629/300, worked out in fractions; its eigenvalues 3.73995489240635 and
  // 0.106711774260314 and the major axis (217/120, l1 - 7/4) at 47.7376091680721
  // degrees (mpmath, 30 digits). Semi-axes sqrt(c l) in data units, times the common
  // scale 850 / 4 on the picture; chi2.ppf(0.95, 2) 5.99, (0.99, 2) 9.21.
  const struct {
    int niveau;
    const char* texte;
    const char* ligne;
    double a, b;
  } cases[] = {
      {2, "95", "Y / X    a= 4,7; b= 0,8 ;Theta = 47,7°", 1005.785865, 169.8941856},
      {3, "99", "Y / X    a= 5,9; b= 1,0 ;Theta = 47,7°", 1247.159306, 210.6662283},
  };
  for (const auto& c : cases) {
    ScatterOptions o;
    o.norme = true;
    o.ellipse = true;
    o.niveau = c.niveau;
    o.niveauTexte = c.texte;
    o.ratio = kRatio;
    ChartLog log;
    const ScatterResult r = Trace_Nuage(log, kXn, kYn, o);
    EXPECT_EQ(r.ligneEllipse, c.ligne);
    ASSERT_NE(log.find(c.ligne), nullptr);
    EXPECT_DOUBLE_EQ(log.find(c.ligne)->y, 35);
    EXPECT_TRUE(messages.empty());
    // The outline starts at the end of the a-axis turned by 47.74 degrees from the
    // mean point (575, 575).
    const double theta = 47.7376091680721 * std::numbers::pi / 180;
    const auto rouges = log.of('l', kRouge);
    ASSERT_GE(rouges.size(), 127u);
    const auto& premier = rouges[rouges.size() - 127];
    EXPECT_NEAR(premier.x1, 575 + c.a * std::cos(theta), 1.5);
    EXPECT_NEAR(premier.y1, 575 + c.a * std::sin(theta), 1.5);
    // At t = 1.55, almost across it, the b semi-axis.
    const auto& quart = rouges[rouges.size() - 127 + 31];
    const double t = 1.55;
    EXPECT_NEAR(std::hypot(quart.x2 - 575, quart.y2 - 575), std::hypot(c.a * std::cos(t), c.b * std::sin(t)), 1.5);
    const std::string niveau = std::string("  ") + c.texte + " %";
    ASSERT_NE(log.find(niveau), nullptr);
    EXPECT_DOUBLE_EQ(log.find(niveau)->x, rouges.back().x2);
  }
}

// The painted ellipse holds its level of 10,000 bivariate normal points with
// correlation 0.8 and unequal spreads, to one point, with X and Y either way round:
// the crosses' centres and the outline are read off the drawing.
TEST_F(ScatterChart, ToleranceEllipseHoldsItsLevelOfANormalCloud) {
  std::mt19937_64 alea(20240611);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<double> x, y;
  for (int i = 0; i < 10000; ++i) {
    // Box-Muller: two independent standard normal values from two uniform ones.
    const double r = std::sqrt(-2 * std::log(1 - u(alea))), phi = 2 * std::numbers::pi * u(alea);
    const double z1 = r * std::cos(phi), z2 = r * std::sin(phi);
    x.push_back(10 + 2 * z1);
    y.push_back(5 + 0.5 * (0.8 * z1 + 0.6 * z2));
  }
  const struct {
    int niveau;
    double pourcent;
  } niveaux[] = {{1, 90}, {2, 95}, {3, 99}};
  for (bool echange : {false, true}) {
    for (const auto& n : niveaux) {
      ScatterOptions o;
      o.norme = true;
      o.ellipse = true;
      o.niveau = n.niveau;
      o.ratio = kRatio;
      ChartLog log;
      Trace_Nuage(log, echange ? y : x, echange ? x : y, o);
      const auto rouges = log.of('l', kRouge);
      ASSERT_GE(rouges.size(), 127u);
      std::vector<Vertex> contour;
      for (std::size_t i = rouges.size() - 127; i < rouges.size(); ++i) contour.push_back({rouges[i].x1, rouges[i].y1});
      contour.push_back({rouges.back().x2, rouges.back().y2});
      int croix = 0, dedans = 0;
      for (const auto& l : log.of('l', 0x000000)) {
        if (l.y1 != l.y2) continue;   // the vertical stroke of a cross
        ++croix;
        const double cx = (l.x1 + l.x2) / 2, cy = l.y1;
        bool in = false;   // crossings of a ray towards +x
        for (std::size_t i = 0, j = contour.size() - 1; i < contour.size(); j = i++) {
          const Vertex &p = contour[i], &q = contour[j];
          if ((p.y > cy) != (q.y > cy) && cx < (q.x - p.x) * (cy - p.y) / (q.y - p.y) + p.x) in = !in;
        }
        dedans += in;
      }
      ASSERT_EQ(croix, 10000);
      EXPECT_NEAR(dedans / 100.0, n.pourcent, 1.0) << "level " << n.pourcent << (echange ? " X<=>Y" : "");
    }
  }
}

TEST_F(ScatterChart, EllipseValuesAndLevels) {
  const struct {
    int niveau;
    double chi2;
  } niveaux[] = {{1, 4.61}, {2, 5.99}, {3, 9.21}, {0, 0}, {4, 0}};
  for (const auto& n : niveaux) EXPECT_EQ(Chi2_Niveau(n.niveau), n.chi2);
  // (2, 2), (-2, -2), (1, -1), (-1, 1): variances 10/3, covariance 2, eigenvalues 16/3
  // along 45 degrees and 4/3 across.
  const std::vector<double> x = {2, -2, 1, -1}, y = {2, -2, -1, 1};
  const ToleranceEllipse e = Ellipse_Tolerance(x, y, 4.61);
  EXPECT_NEAR(e.a, std::sqrt(4.61 * 16 / 3), 1e-12);
  EXPECT_NEAR(e.b, std::sqrt(4.61 * 4 / 3), 1e-12);
  EXPECT_NEAR(e.theta, std::numbers::pi / 4, 1e-12);
  EXPECT_EQ(e.cx, 0);
  EXPECT_EQ(e.cy, 0);
  // Turned the other way the major axis lies at -45 degrees; no correlation and equal
  // spreads give a circle at angle 0; a spread along Y only stands at 90 degrees.
  EXPECT_NEAR(Ellipse_Tolerance(x, std::vector<double>{-2, 2, 1, -1}, 4.61).theta, -std::numbers::pi / 4, 1e-12);
  const ToleranceEllipse cercle = Ellipse_Tolerance(std::vector<double>{1, -1, 0, 0}, std::vector<double>{0, 0, 1, -1}, 5.99);
  EXPECT_EQ(cercle.theta, 0);
  EXPECT_NEAR(cercle.a, cercle.b, 1e-15);
  const ToleranceEllipse debout = Ellipse_Tolerance(std::vector<double>{3, 3, 3}, std::vector<double>{1, 2, 3}, 9.21);
  EXPECT_NEAR(debout.theta, std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(debout.a, std::sqrt(9.21), 1e-15);
  EXPECT_EQ(debout.b, 0);
  EXPECT_EQ(Ellipse_Tolerance(std::vector<double>{1}, std::vector<double>{1}, 4.61).a, 0);
}

TEST_F(ScatterChart, EllipseOutlineHas127VerticesAndClosesItself) {
  const std::vector<Vertex> v = Sommets_Ellipse(500, 400, 100, 100, 0.3);
  ASSERT_EQ(v.size(), 128u);   // the start point and 127 vertices
  EXPECT_EQ(v[0].x, v[1].x);   // first segment of length 0
  EXPECT_EQ(v[0].y, v[1].y);
  for (const Vertex& p : v) EXPECT_NEAR(std::hypot(p.x - 500, p.y - 400), 100, 1.5);   // a circle
  EXPECT_NEAR(v.back().x, v[0].x, 2);
  // b = 0 gives a segment traced back and forth along theta = 0.
  for (const Vertex& p : Sommets_Ellipse(0, 0, 50, 0, 0)) EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(Sommets_Ellipse(0, 0, NAN, 1, 0).empty());
  ChartLog log;
  traceEllipse(log, 10, 10, 5, 5, 0, kRouge);
  EXPECT_EQ(log.shapes.size(), 127u);
}

TEST_F(ScatterChart, PointMarksOnPrivateCopies) {
  const std::vector<double> v = {3.1, 2.9, 3.0, 3.2, 3.0, 2.8, 3.0};
  const PointMarks p = Points_Remarquables(v);
  EXPECT_DOUBLE_EQ(p.mediane, 3.0);
  EXPECT_NEAR(p.moyenne, 21.0 / 7, 1e-12);
  EXPECT_GT(p.dominante, 2.8);
  EXPECT_LT(p.dominante, 3.2);
  EXPECT_EQ(v[0], 3.1);   // the values handed over stay in their order
}

TEST_F(ScatterChart, GridRowsWithAnEmptyCellAreSkipped) {
  const TableGrid g({{"1", "2", "", "4", "5"}, {"10", "", "30", "40", "x"}});
  const auto d = Lit_Nuage(g, 1, 2, 4);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->x, (std::vector<double>{1, 4}));
  EXPECT_EQ(d->y, (std::vector<double>{10, 40}));
  EXPECT_FALSE(Lit_Nuage(g, 1, 2, 5));   // "x" is not a number
}

}  // namespace
