#pragma once
// A chart canvas that keeps a log of what is drawn, for the chart tests.
#include <array>
#include <string>
#include <vector>

#include "statwindow/chart_canvas.h"

class ChartLog : public DiagramCanvas {
 public:
  struct Shape {
    char kind;   // 'l' line, 'b' filled box, 'c' circle
    double x1, y1, x2, y2;   // a circle: centre (x1, y1), radius x2
    platform::Colour colour;
    int width;
  };
  struct Text {
    double x, y;
    std::string s;
    platform::Colour colour;
  };

  double widthTwips() const override { return 8500; }
  void clear(platform::Colour) override {
    shapes.clear();
    texts.clear();
    ++clears;
  }
  void scale(double x1, double y1, double x2, double y2) override { echelle = {x1, y1, x2, y2}; }
  void pen(int, int w) override { width = w; }
  void line(double x1, double y1, double x2, double y2, platform::Colour c) override {
    shapes.push_back({'l', x1, y1, x2, y2, c, width});
  }
  void box(double x1, double y1, double x2, double y2, platform::Colour c) override {
    shapes.push_back({'b', x1, y1, x2, y2, c, width});
  }
  void circle(double x, double y, double r, platform::Colour c) override {
    shapes.push_back({'c', x, y, r, 0, c, width});
  }
  void textColour(platform::Colour c) override { fore = c; }
  void text(double x, double y, const std::string& s, double) override { texts.push_back({x, y, s, fore}); }

  std::vector<Shape> of(char kind, platform::Colour c) const {
    std::vector<Shape> v;
    for (const Shape& s : shapes)
      if (s.kind == kind && s.colour == c) v.push_back(s);
    return v;
  }
  const Text* find(const std::string& s) const {
    for (const Text& t : texts)
      if (t.s == s) return &t;
    return nullptr;
  }

  std::array<double, 4> echelle{};
  std::vector<Shape> shapes;
  std::vector<Text> texts;
  platform::Colour fore = 0;
  int width = 1;
  int clears = 0;
};
