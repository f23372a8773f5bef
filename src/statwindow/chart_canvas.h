#pragma once
// Where the statistics window's charts draw: a picture box, or a test's record of the
// calls. Coordinates are in the user scale last set.

#include <string>

#include "platform/colour.h"

namespace platform {
class PictureBox;
}

class DiagramCanvas {
 public:
  virtual ~DiagramCanvas() = default;
  // Width of the drawing area in twips (the "pixel" step is the X window over it).
  virtual double widthTwips() const = 0;
  // Sets the background colour, which clears the drawing.
  virtual void clear(platform::Colour back) = 0;
  // User scale with (x1, y1) at the top-left corner and (x2, y2) at the bottom-right.
  virtual void scale(double x1, double y1, double x2, double y2) = 0;
  // Drawing mode (platform::DrawMode) and line width in pixels of what follows.
  virtual void pen(int drawMode, int width) = 0;
  virtual void line(double x1, double y1, double x2, double y2, platform::Colour colour) = 0;
  // A rectangle with corners (x1, y1) and (x2, y2) filled with the colour.
  virtual void box(double x1, double y1, double x2, double y2, platform::Colour colour) = 0;
  // A circle of radius r (horizontal units) centred on (x, y).
  virtual void circle(double x, double y, double r, platform::Colour colour) = 0;
  // Colour of the texts printed from now on.
  virtual void textColour(platform::Colour colour) = 0;
  // Prints text with its top-left corner at (x, y) in a font of `points`.
  virtual void text(double x, double y, const std::string& s, double points) = 0;
};

// The charts drawn on a picture box.
class PictureCanvas : public DiagramCanvas {
 public:
  explicit PictureCanvas(platform::PictureBox& pic) : pic_(pic) {}
  double widthTwips() const override;
  void clear(platform::Colour back) override;
  void scale(double x1, double y1, double x2, double y2) override;
  void pen(int drawMode, int width) override;
  void line(double x1, double y1, double x2, double y2, platform::Colour colour) override;
  void box(double x1, double y1, double x2, double y2, platform::Colour colour) override;
  void circle(double x, double y, double r, platform::Colour colour) override;
  void textColour(platform::Colour colour) override;
  void text(double x, double y, const std::string& s, double points) override;

 private:
  platform::PictureBox& pic_;
};
