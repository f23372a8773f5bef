// The charts drawn on a picture box.
#include "statwindow/chart_canvas.h"

#include "platform/picturebox.h"

double PictureCanvas::widthTwips() const { return pic_.width(); }

void PictureCanvas::clear(platform::Colour back) { pic_.setBackColor(back); }

void PictureCanvas::scale(double x1, double y1, double x2, double y2) { pic_.scale(x1, y1, x2, y2); }

void PictureCanvas::pen(int drawMode, int width) {
  pic_.setDrawMode(drawMode);
  pic_.setDrawWidth(width);
}

void PictureCanvas::line(double x1, double y1, double x2, double y2, platform::Colour colour) {
  pic_.line(x1, y1, x2, y2, colour);
}

void PictureCanvas::box(double x1, double y1, double x2, double y2, platform::Colour colour) {
  pic_.line(x1, y1, x2, y2, colour, true, true);
}

void PictureCanvas::circle(double x, double y, double r, platform::Colour colour) { pic_.circle(x, y, r, colour); }

void PictureCanvas::textColour(platform::Colour colour) { pic_.setForeColor(colour); }

void PictureCanvas::text(double x, double y, const std::string& s, double points) {
  pic_.setFontSize(points);
  pic_.setCurrentX(x);
  pic_.setCurrentY(y);
  pic_.print(s);
}
