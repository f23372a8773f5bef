#pragma once
// Picture boxes and image holders.
//
// A PictureBox owns a canvas of 32-bit pixels the size of its client area (inside its
// border). The persistent image is the background picture painted at (0, 0) at its
// natural size over the back colour, plus whatever was drawn while autoRedraw was
// true. Drawings made while autoRedraw is false go to a layer shown above the
// persistent image that the next refresh(), cls() or persistent change wipes; image()
// never includes them. autoRedraw starts false, as the original's did.
//
// Coordinates are in the box's scale units: twips (scaleMode 1, the default), pixels
// (3), the other fixed units 2 and 4 to 7 (points, characters, inches, millimetres,
// centimetres), or a user scale (0) set by scale() or by any of scaleLeft, scaleTop,
// scaleWidth, scaleHeight. A user scale survives resizes (the same units then cover
// the new size). Pixel i of the canvas sits at scaleLeft + i * scaleWidth / widthPixels
// (likewise down); a position is drawn on the nearest pixel, and mouse events report
// the position of the pixel under the mouse.
//
// Fixed logical scale: setFixedScaleWidth(w) keeps scaleWidth equal to w whatever
// the box's real size, with scaleLeft = scaleTop = 0 and scaleHeight = w * heightPx /
// widthPx, recomputed at every resize; the units are "logical twips". In that state
// scaleMode() reports 1 (twips) and the fixed scale takes the place of the 15 twips
// per pixel factor for the box's own coordinates (drawing, CurrentX/Y, mouse events,
// scaleWidth/scaleHeight). setScaleMode(3) switches to real pixels and setScaleMode(1)
// back to the logical twips; scaleX/scaleY between the absolute units 1 to 8 stay the
// device ones (1 pixel = 15 twips), mode 0 meaning the box's current units. Setting
// scale(), scaleLeft/Top/Width/Height or setFixedScaleWidth(0) ends the fixed scale.
//
// Drawing follows the original platform's rules: lines include both end points;
// every primitive paints each pixel once with the raster operation of drawMode, so
// drawing the same figure twice in XOR mode (7) restores the picture exactly; text
// is not affected by drawMode. Colours are &HBBGGRR numbers, kUseForeColor meaning
// the fore colour.

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/picture.h"

namespace platform {

// "Use the fore colour" for the colour argument of the drawing methods (-1).
constexpr Colour kUseForeColor = 0xFFFFFFFFu;
// Raster operations of paintPicture.
constexpr unsigned kSrcCopy = 0x00CC0020;
constexpr unsigned kSrcPaint = 0x00EE0086;    // source OR destination
constexpr unsigned kSrcAnd = 0x008800C6;      // source AND destination
constexpr unsigned kSrcInvert = 0x00660046;   // source XOR destination
constexpr unsigned kNotSrcCopy = 0x00330008;  // inverted source
constexpr unsigned kDstInvert = 0x00550009;   // inverted destination, source unused

// Scale modes.
enum ScaleMode {
  kScaleUser = 0,
  kScaleTwips = 1,
  kScalePoints = 2,
  kScalePixels = 3,
  kScaleCharacters = 4,
  kScaleInches = 5,
  kScaleMillimetres = 6,
  kScaleCentimetres = 7,
  kScaleHimetric = 8,
};

// Drawing modes (the 16 raster operations of the pen).
enum DrawMode {
  kBlackness = 1, kNotMergePen = 2, kMaskNotPen = 3, kNotCopyPen = 4, kMaskPenNot = 5,
  kInvert = 6, kXorPen = 7, kNotMaskPen = 8, kMaskPen = 9, kNotXorPen = 10, kNop = 11,
  kMergeNotPen = 12, kCopyPen = 13, kMergePenNot = 14, kMergePen = 15, kWhiteness = 16,
};

// How a view lays a picture over a box: the box position (x, y), in the box's units,
// shows the point (x k + left, y k + top) of the picture, in its twips at its natural
// size (15 to a picture pixel), so the picture pixel (floor(point x / 15), floor(point
// y / 15)). paintView paints each canvas pixel by this map at the position a mouse
// event on that pixel reports, and the program turns such a position into a point of
// the picture by the same map: what is painted under the mouse is what it points at.
struct PictureView {
  double k = 1.0;      // picture twips per unit of the box; > 0 to paint
  double left = 0.0;   // picture point at box position 0, across
  double top = 0.0;    // and down
  double pictureX(double x) const { return x * k + left; }
  double pictureY(double y) const { return y * k + top; }
  // The box position that shows a picture point: (p - left) / k (not finite when k
  // is 0).
  double boxX(double px) const { return (px - left) / k; }
  double boxY(double py) const { return (py - top) / k; }
};

class PictureBox : public Control, public Container {
 public:
  PictureBox(Container& parent, const std::string& name, int index = -1);
  ~PictureBox() override;

  Form& form() override;
  QWidget* clientWidget() override;

  // --- scale ---------------------------------------------------------------------
  // Current scale mode: 0 user, 1 twips (also under a fixed scale), 3 pixels...
  int scaleMode() const;
  // Sets the mode. 1 to 7 give the fixed units with origin (0, 0) (1 gives the
  // logical twips when a fixed scale is set); 0 keeps the current values as a user
  // scale. Other values throw std::invalid_argument.
  void setScaleMode(int mode);
  // Origin and extent of the client area in the current units. Setting any of them
  // switches to a user scale (mode 0) keeping the other three; a width or height of
  // 0, NaN or infinite throws std::invalid_argument.
  double scaleLeft() const;
  double scaleTop() const;
  double scaleWidth() const;
  double scaleHeight() const;
  void setScaleLeft(double v);
  void setScaleTop(double v);
  void setScaleWidth(double v);
  void setScaleHeight(double v);
  // User scale with (x1, y1) at the top-left corner and (x2, y2) at the bottom-right
  // one (y grows upwards when y1 > y2). Equal coordinates throw std::invalid_argument.
  void scale(double x1, double y1, double x2, double y2);
  // Back to twips (mode 1), ending any fixed scale.
  void scale();
  // Keeps scaleWidth at `width` logical twips whatever the real size (see the top of
  // this file); width <= 0 or not finite ends the fixed scale and returns to twips.
  void setFixedScaleWidth(double width);
  // The fixed logical width, 0 when none.
  double fixedScaleWidth() const;
  // A horizontal (scaleX) or vertical (scaleY) length converted between modes:
  // 0 the box's current units, 1 twips, 2 points, 3 pixels, 4 characters (120 twips
  // across, 240 down), 5 inches, 6 mm, 7 cm, 8 HIMETRIC (pixels x 2540 / 96). A
  // length, not a position: no origin is applied. Other modes throw
  // std::invalid_argument; NaN stays NaN.
  double scaleX(double value, int fromMode = kScaleHimetric, int toMode = -1) const;
  double scaleY(double value, int fromMode = kScaleHimetric, int toMode = -1) const;

  // Size of the client area (the canvas) in pixels; 0 when the box has no area.
  int canvasWidthPixels() const;
  int canvasHeightPixels() const;
  // The position, in the box's units, that a mouse event on canvas column i (row j)
  // reports: scaleLeft + i x the width of a pixel (likewise down).
  double columnPosition(int i) const;
  double rowPosition(int j) const;

  // --- pictures ------------------------------------------------------------------
  bool autoRedraw() const;
  void setAutoRedraw(bool on);
  // The background picture (not the drawings); empty when none.
  Picture picture() const;
  // Sets the background: the persistent image becomes the picture at (0, 0) at its
  // natural size over the back colour; drawings are wiped. With autoSize the box
  // first takes the picture's size (plus its border).
  void setPicture(const Picture& p);
  // The persistent image (background plus drawings made with autoRedraw true) as a
  // picture of the canvas size; empty when the box has no area.
  Picture image() const;
  bool autoSize() const;
  void setAutoSize(bool on);
  // 0 none, 1 fixed single (a sunken 2-pixel border, the default).
  int borderStyle() const;
  void setBorderStyle(int style);

  // Clears the drawings: with autoRedraw true the persistent image returns to the
  // background; the non-persistent layer is wiped in any case. CurrentX/Y :=
  // scaleLeft/scaleTop.
  void cls();
  // Shows the persistent image again (wiping non-persistent drawings) and, with
  // autoRedraw false, runs onPaint.
  void refresh();

  // Setting the back colour wipes the drawings and repaints the background in it.
  void setBackColor(Colour c) override;
  void setForeColor(Colour c) override;

  // --- drawing state -------------------------------------------------------------
  Colour fillColor() const;
  void setFillColor(Colour c);
  // 0 solid, 1 transparent (default), 2 horizontal lines, 3 vertical lines,
  // 4 upward diagonal, 5 downward diagonal, 6 cross, 7 diagonal cross.
  int fillStyle() const;
  void setFillStyle(int style);
  // Pen width in pixels, at least 1 (smaller values are taken as 1).
  int drawWidth() const;
  void setDrawWidth(int pixels);
  // One of the DrawMode values; others are ignored.
  int drawMode() const;
  void setDrawMode(int mode);
  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 transparent, 6 inside
  // solid. Patterns apply only with drawWidth 1, as the original's did.
  int drawStyle() const;
  void setDrawStyle(int style);
  double currentX() const;
  double currentY() const;
  void setCurrentX(double v);
  void setCurrentY(double v);
  bool fontItalic() const;
  void setFontItalic(bool on);
  bool fontUnderline() const;
  void setFontUnderline(bool on);
  // Mouse pointer over the box: 0 default, 1 arrow, 2 cross, 3 I-beam, 5 and 15
  // four-way size, 6 to 9 the two-way sizes, 10 up arrow, 11 hourglass, 12 no drop,
  // 13 arrow and hourglass, 14 arrow and question mark, 99 custom (shown as arrow).
  int mousePointer() const;
  void setMousePointer(int pointer);

  // --- drawing -------------------------------------------------------------------
  // A line from (x1, y1) to (x2, y2), both ends included; with box, the rectangle
  // with these corners (filled with the line colour when filled, else with the fill
  // colour and style). CurrentX/Y := (x2, y2).
  void line(double x1, double y1, double x2, double y2, Colour colour = kUseForeColor,
            bool box = false, bool filled = false);
  // The same from (CurrentX, CurrentY).
  void lineTo(double x2, double y2, Colour colour = kUseForeColor, bool box = false,
              bool filled = false);
  // A circle, ellipse or arc centred on (x, y), r in horizontal units. start and end
  // are angles in radians counter-clockwise from 3 o'clock (NaN: full ellipse); a
  // negative angle also draws the radius to that end (and a pie is filled). aspect
  // < 1: r is the horizontal radius, the vertical one r * aspect; aspect > 1: r is the
  // vertical radius, the horizontal one r / aspect. CurrentX/Y := (x, y). Radii
  // beyond 65536 pixels draw nothing.
  void circle(double x, double y, double r, Colour colour = kUseForeColor,
              double start = std::numeric_limits<double>::quiet_NaN(),
              double end = std::numeric_limits<double>::quiet_NaN(), double aspect = 1.0);
  // One point (a dot of drawWidth pixels); CurrentX/Y := (x, y).
  void pset(double x, double y, Colour colour = kUseForeColor);
  // Colour shown at (x, y): the non-persistent layer when there is one, else the
  // persistent image; 0xFFFFFFFF outside the canvas.
  Colour point(double x, double y) const;
  // Prints text with its top-left corner at (CurrentX, CurrentY) in the fore colour
  // and the box's font (transparent background). Line breaks (CR LF, LF, CR) start a
  // new line at scaleLeft. With newline, CurrentX := scaleLeft and CurrentY moves
  // down one line past the text; without, CurrentX moves to the end of the text.
  void print(const std::string& text, bool newline = true);
  // Width of the widest line and height of all lines of text in the box's font, in
  // the current units (absolute values: never negative).
  double textWidth(const std::string& text) const;
  double textHeight(const std::string& text) const;
  // Prints text rotated counter-clockwise by angleDegrees about the top-left corner
  // of its cell, placed at (x, y). Afterwards CurrentX := scaleLeft and CurrentY :=
  // y plus one line, as a printed line leaves them.
  void printRotated(const std::string& text, double angleDegrees, double x, double y);
  // Paints the source rectangle (sx, sy, sw, sh) of pic into the destination
  // rectangle (dx, dy, dw, dh). All in the box's units; the source is converted to
  // the picture's pixels through twips (twips / 15), so in twips mode a source unit
  // is a picture twip. NaN: sx, sy -> 0; sw, sh -> the rest of the picture; dw, dh ->
  // the source's natural size (one picture pixel per box pixel). Negative sizes flip.
  // Shrunk, a box pixel shows the mean of the picture pixels under it, so that a line
  // one picture pixel thin stays visible; enlarged or at its size, the nearest picture
  // pixel. Source parts outside the picture paint nothing; the destination may exceed
  // the box. opcode: kSrcCopy, kSrcPaint, kSrcAnd, kSrcInvert, kNotSrcCopy or
  // kDstInvert (others copy).
  void paintPicture(const Picture& pic, double dx, double dy,
                    double dw = std::numeric_limits<double>::quiet_NaN(),
                    double dh = std::numeric_limits<double>::quiet_NaN(),
                    double sx = std::numeric_limits<double>::quiet_NaN(),
                    double sy = std::numeric_limits<double>::quiet_NaN(),
                    double sw = std::numeric_limits<double>::quiet_NaN(),
                    double sh = std::numeric_limits<double>::quiet_NaN(),
                    unsigned opcode = kSrcCopy);
  // Paints pic as view v over the box positions from (0, 0) to (width, height): at
  // its size or enlarged, the canvas pixel at column i and row j shows the picture
  // pixel floor(v.pictureX(columnPosition(i)) / 15), floor(v.pictureY(rowPosition(j))
  // / 15); shrunk, the mean of the picture pixels under it, as paintPicture. Parts
  // beyond the picture paint nothing; a k not > 0, a size not > 0 or a value not
  // finite paints nothing.
  void paintView(const Picture& pic, const PictureView& v, double width, double height);

  // Drawing in one pass: while a Batch of the box lives, its texts are drawn through
  // one painter kept open and the box asks for a single repaint when the Batch ends,
  // instead of one per figure. What is drawn is the same; methods that replace or
  // hand out the image (setPicture, image(), cls...) may be called inside. Batches
  // nest.
  class Batch {
   public:
    explicit Batch(PictureBox& box);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    PictureBox& box_;
  };

  // --- events (x, y in the box's units) ------------------------------------------
  // A press, release and click are MouseDown, MouseUp, Click (left button only).
  // A double click with an onDblClick handler gives MouseDown, MouseUp, Click,
  // DblClick, MouseUp as on the original platform; without one the second press is
  // an ordinary press, so quick clicks are not lost. Repeated keys are dropped.
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;
  MouseHandler onMouseMove;
  std::function<void()> onClick;
  std::function<void()> onDblClick;
  KeyHandler onKeyDown;
  KeyHandler onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus;
  std::function<void()> onLostFocus;
  std::function<void()> onPaint;
  std::function<void()> onResize;

  struct Impl;
  Impl& impl();   // internal

 private:
  std::unique_ptr<Impl> d_;
};

// An image holder: shows a picture, at its natural size (the control takes the
// picture's size) or stretched to the control's size. No drawing.
class ImageBox : public Control {
 public:
  ImageBox(Container& parent, const std::string& name, int index = -1);
  ~ImageBox() override;

  Picture picture() const;
  // Sets the picture; without stretch the control takes the picture's size
  // (width x 15, height x 15 twips). An empty picture clears the display and keeps
  // the size.
  void setPicture(const Picture& p);
  bool stretch() const;
  // With stretch the picture is scaled to the control's size; turning it off gives
  // the control the picture's size again.
  void setStretch(bool on);

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;
  MouseHandler onMouseMove;

 private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace platform
