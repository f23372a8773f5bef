// The frequency diagram drawn on a canvas that records its calls.
#include "statwindow/frequency_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace {

struct Line {
  double x1, y1, x2, y2;
  platform::Colour colour;
  int mode;
};

struct Text {
  double x, y;
  std::string s;
};

class RecordingCanvas : public DiagramCanvas {
 public:
  double widthTwips() const override { return 8505; }
  void clear(platform::Colour back) override {
    clears.push_back(back);
    lines.clear();
  }
  void scale(double x1, double y1, double x2, double y2) override { echelle = {x1, y1, x2, y2}; }
  void pen(int drawMode, int) override { mode = drawMode; }
  void line(double x1, double y1, double x2, double y2, platform::Colour c) override {
    lines.push_back({x1, y1, x2, y2, c, mode});
  }
  void box(double, double, double, double, platform::Colour) override {}
  void circle(double, double, double, platform::Colour) override {}
  void textColour(platform::Colour) override {}
  void text(double x, double y, const std::string& s, double) override { texts.push_back({x, y, s}); }

  // Tallest stick at each abscissa, as its height above the axis.
  std::map<double, double> sticks(double yoff) const {
    std::map<double, double> h;
    for (const Line& l : lines)
      if (l.colour == kStickColour) h[l.x1] = std::max(h[l.x1], l.y1 - yoff);
    return h;
  }
  std::vector<Line> ofColour(platform::Colour c) const {
    std::vector<Line> v;
    for (const Line& l : lines)
      if (l.colour == c) v.push_back(l);
    return v;
  }

  std::vector<platform::Colour> clears;
  std::array<double, 4> echelle{};
  std::vector<Line> lines;
  std::vector<Text> texts;
  int mode = 0;
};

DiagramValues valeurs(const std::vector<double>& d) {
  DiagramValues v;
  v.donnees = d;
  return v;
}

TEST(FrequencyDiagram, ValuesGroupByTheResolutionStep) {
  // 1, 1,05 and 2,5: ytop (3 + 3) x 2 = 12, axis at 0,6, unit t = 0,6.
  const std::vector<double> d = {0, 1, 1.05, 2.5};
  const struct {
    int r;
    std::map<double, double> attendu;
  } cases[] = {
      {8, {{1, 1.2}, {2.5, 0.6}}},                 // grouping width 1: 2t at 1, t at 2,5
      {0, {{1, 0.6}, {1.05, 0.6}, {2.5, 0.6}}},    // one pixel: one stick each
  };
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    DiagramSettings s;
    s.simple = true;
    s.resolution = c.r;
    const double yoff = Trace_diagramme(canvas, valeurs(d), s);
    EXPECT_DOUBLE_EQ(yoff, 0.6);
    const auto h = canvas.sticks(yoff);
    ASSERT_EQ(h.size(), c.attendu.size()) << c.r;
    for (const auto& [x, haut] : c.attendu) EXPECT_NEAR(h.at(x), haut, 1e-12) << c.r << " " << x;
    EXPECT_EQ(canvas.echelle, (std::array<double, 4>{0.9, 12, 2.75, 0}));
    for (const Line& l : canvas.ofColour(kStickColour)) EXPECT_EQ(l.mode, 9);   // mask pen
  }
}

TEST(FrequencyDiagram, FixedWindowDrawsFromItsOrigin) {
  RecordingCanvas canvas;
  DiagramSettings s;
  s.simple = true;
  s.fixedX = true;
  s.echelleX = 9;
  s.origine = 3;
  Trace_diagramme(canvas, valeurs({0, 4}), s);
  EXPECT_EQ(canvas.echelle[0], 0);
  EXPECT_EQ(canvas.echelle[2], 9);
  ASSERT_EQ(canvas.sticks(0.4).size(), 1u);
  EXPECT_EQ(canvas.sticks(0.4).begin()->first, 1);   // one unit right of the left edge
  EXPECT_EQ(canvas.texts.back().x, 0.2 * 4 - 3);       // count label
  s.echelleX = 0;                                       // no window: only the clearing
  EXPECT_EQ(Trace_diagramme(canvas, valeurs({0, 4}), s), 0);
  EXPECT_TRUE(canvas.lines.empty());
}

TEST(FrequencyDiagram, WindowHoldsEveryValue) {
  const struct {
    std::vector<double> d;
    double xmin, xmax;
  } cases[] = {
      {{0, 2, 5}, 1.8, 5.5},       // positive: 0,9 min to 1,1 max
      {{0, -2, 0, 3}, -2.5, 3.5},  // min - 10 % of the range to max + 10 %
      {{0, 0, 0}, -1, 1},          // zero range
      {{0, -3}, -4, -2},
  };
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    DiagramSettings s;
    s.simple = true;
    s.cumule = true;
    Trace_diagramme(canvas, valeurs(c.d), s);
    EXPECT_NEAR(canvas.echelle[0], c.xmin, 1e-12);
    EXPECT_NEAR(canvas.echelle[2], c.xmax, 1e-12);
    for (size_t i = 1; i < c.d.size(); ++i) {
      EXPECT_GT(c.d[i], canvas.echelle[0]);
      EXPECT_LT(c.d[i], canvas.echelle[2]);
    }
  }
}

TEST(FrequencyDiagram, AxisStaircaseAndCountLabel) {
  std::vector<double> d = {0};
  for (int i = 1; i <= 20; ++i) d.push_back(i);
  RecordingCanvas canvas;
  DiagramSettings s;
  s.cumule = true;
  const double yoff = Trace_diagramme(canvas, valeurs(d), s);
  EXPECT_EQ(canvas.echelle[1], 46);     // (20 + 3) x 2
  EXPECT_DOUBLE_EQ(yoff, 2.3);
  const auto axe = canvas.ofColour(0x000000);
  ASSERT_EQ(axe.size(), 1u);
  EXPECT_EQ(axe[0].y1, yoff);
  const auto marches = canvas.ofColour(kStairColour);
  ASSERT_EQ(marches.size(), 21u);
  EXPECT_EQ(marches.front().x1, 0);     // from the zero of the values
  EXPECT_DOUBLE_EQ(marches.back().y1, 42.3);
  EXPECT_EQ(marches.back().x2, 21);
  ASSERT_EQ(canvas.texts.size(), 3u);
  EXPECT_EQ(canvas.texts[2].s, "20 données");
  EXPECT_DOUBLE_EQ(canvas.texts[2].y, marches.back().y1);
  EXPECT_EQ(canvas.clears, std::vector<platform::Colour>{0xFFFFFF});
  // Fixed Y range 100: the ticks' unit follows it.
  s.fixedY = true;
  s.echelleY = 100;
  EXPECT_DOUBLE_EQ(Trace_diagramme(canvas, valeurs(d), s), 5);
}

TEST(FrequencyDiagram, DominantAndAcceptedModeTicks) {
  const std::vector<double> d = {0, 3, 3.2, 3.2, 6.1, 6.1};
  std::array<float, 17> modes{};
  modes[1] = 3.2f;
  modes[2] = 6.1f;
  modes[3] = 5.0f;   // the slot being marked: no tick
  for (int code : {0, 1}) {
    RecordingCanvas canvas;
    DiagramSettings s;
    s.code = code;
    DiagramValues v = valeurs(d);
    v.dominante = 3.2;
    v.modes = modes;
    v.nbModes = 3;
    const double yoff = Trace_diagramme(canvas, v, s);
    const auto dom = canvas.ofColour(code == 1 ? kDominantPartColour : kDominantColour);
    ASSERT_EQ(dom.size(), 1u);
    EXPECT_EQ(dom[0].x1, 3.2);
    EXPECT_DOUBLE_EQ(dom[0].y2, 0);   // down to yoff - t, t = yoff with the Y unit 50
    EXPECT_GT(yoff, 0);
    const auto verts = canvas.ofColour(kModeColour);
    ASSERT_EQ(verts.size(), 2u);
    EXPECT_FLOAT_EQ(verts[0].x1, 3.2f);
    EXPECT_FLOAT_EQ(verts[1].x1, 6.1f);
    EXPECT_EQ(verts[0].mode, 13);   // over the dominant tick
  }
  RecordingCanvas vide;
  EXPECT_EQ(Trace_diagramme(vide, valeurs({0}), DiagramSettings{}), 0);
  EXPECT_EQ(vide.clears.size(), 1u);
}

TEST(FrequencyDiagram, ResolutionCaption) {
  platform::SetDecimalSeparator(',');
  const struct {
    int r;
    const char* texte;
  } cases[] = {{0, "pixel"}, {2, ",001"}, {6, ",100"}, {7, ",316"}, {8, "1,000"}};
  for (const auto& c : cases) EXPECT_EQ(Legende_Resolution(c.r), c.texte) << c.r;
  platform::SetDecimalSeparator(0);
  EXPECT_DOUBLE_EQ(Pas_Groupe(8, {}, 8505), 0.5);
  EXPECT_DOUBLE_EQ(Pas_Groupe(0, {0.9, 2.75}, 8505), 1.85 / 8505);
}

}  // namespace
