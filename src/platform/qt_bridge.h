#pragma once
// Internal helpers of the platform layer: colours, twips and strings between the
// program's types and Qt's. Only files of src/platform/ include this header.

#include <QColor>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QString>

#include <cmath>
#include <string>

#include "platform/app.h"
#include "platform/colour.h"

namespace platform {

// Qt colour of an &HBBGGRR number; the system colours (&H800000nn) map to the
// application palette (button face, window background, window text); other system
// numbers give the button face.
inline QColor toQColor(Colour c) {
  if (c & 0x80000000u) {
    const QPalette pal = QGuiApplication::palette();
    switch (c & 0xFFu) {
      case 0x05: return pal.color(QPalette::Base);
      case 0x08: return pal.color(QPalette::Text);
      case 0x12: return pal.color(QPalette::ButtonText);
      default: return pal.color(QPalette::Button);
    }
  }
  return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                static_cast<int>((c >> 16) & 0xFFu));
}

// &HBBGGRR number of a Qt colour (alpha ignored).
inline Colour fromQColor(const QColor& q) {
  return static_cast<Colour>(q.red() & 0xFF) | (static_cast<Colour>(q.green() & 0xFF) << 8) |
         (static_cast<Colour>(q.blue() & 0xFF) << 16);
}

// "#rrggbb" of a colour, for style sheets.
inline QString cssColour(Colour c) { return toQColor(c).name(QColor::HexRgb); }

// The locale of the program's language (App::programLanguage), the system's before
// one is set: month and day names and the short date and time formats follow it.
QLocale programLocale();

// Whole logical pixels of a length in twips, rounded to nearest; NaN and infinities
// give 0 and the result is clamped to +-1e6 pixels.
inline int twipsToPixels(double twips) {
  if (!std::isfinite(twips)) return 0;
  double px = std::round(twips / kTwipsPerPixel);
  if (px > 1e6) px = 1e6;
  if (px < -1e6) px = -1e6;
  return static_cast<int>(px);
}

// Twips of a length in logical pixels (real so that sub-pixel positions survive).
inline double pixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

// UTF-8 std::string <-> QString.
inline QString toQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string fromQ(const QString& s) { return s.toUtf8().toStdString(); }

// A caption as Qt shows it: every "&" doubled so that the text shows exactly as
// stored (no accelerator underline).
inline QString captionToQ(const std::string& s) { return toQ(s).replace(QLatin1Char('&'), QLatin1String("&&")); }

// Original shift mask (1 Shift, 2 Ctrl, 4 Alt) of Qt keyboard modifiers.
inline int shiftMaskFromQt(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

// Original button number (1 left, 2 right, 4 middle) of Qt mouse buttons.
inline int buttonsFromQt(Qt::MouseButtons b) {
  int r = 0;
  if (b & Qt::LeftButton) r |= 1;
  if (b & Qt::RightButton) r |= 2;
  if (b & Qt::MiddleButton) r |= 4;
  return r;
}

}  // namespace platform

class QWidget;

namespace platform {

// Gives w a style sheet painting its background (when paintBack and back is not a
// system colour) and its text colour (when fore is not a system colour); system
// colours leave the native look. Push buttons get a border so that the colour shows.
// extra: more declarations for the same rule ("border: none;"...).
void applyColourStyle(QWidget* w, Colour back, bool paintBack, Colour fore, const QString& extra = QString());

}  // namespace platform
