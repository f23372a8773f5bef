// Colour numbers &HBBGGRR, the 16-colour palette and the system colours &H800000nn.
#include "platform/colour.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr Colour kSystemFlag = 0x80000000u;

constexpr Colour pack(int red, int green, int blue) {
  return static_cast<Colour>(blue) * 65536u + static_cast<Colour>(green) * 256u +
         static_cast<Colour>(red);
}

// The 16 palette entries as (red, green, blue).
constexpr std::array<Colour, 16> kPalette = {
    pack(0, 0, 0),       pack(0, 0, 128),     pack(0, 128, 0),     pack(0, 128, 128),
    pack(128, 0, 0),     pack(128, 0, 128),   pack(128, 128, 0),   pack(192, 192, 192),
    pack(128, 128, 128), pack(0, 0, 255),     pack(0, 255, 0),     pack(0, 255, 255),
    pack(255, 0, 0),     pack(255, 0, 255),   pack(255, 255, 0),   pack(255, 255, 255),
};

// System colours without a palette to ask: the classic light desktop scheme, by index
// 0x00 to 0x18 (scroll bar ... tool tip background).
constexpr std::array<Colour, 25> kSystemFallback = {
    pack(200, 200, 200),  // 0x00 scroll bars
    pack(0, 0, 0),        // 0x01 desktop
    pack(153, 180, 209),  // 0x02 active title bar
    pack(191, 205, 219),  // 0x03 inactive title bar
    pack(240, 240, 240),  // 0x04 menu bar
    pack(255, 255, 255),  // 0x05 window background
    pack(100, 100, 100),  // 0x06 window frame
    pack(0, 0, 0),        // 0x07 menu text
    pack(0, 0, 0),        // 0x08 window text
    pack(0, 0, 0),        // 0x09 title bar text
    pack(180, 180, 180),  // 0x0A active border
    pack(244, 247, 252),  // 0x0B inactive border
    pack(171, 171, 171),  // 0x0C application workspace
    pack(0, 120, 215),    // 0x0D highlight
    pack(255, 255, 255),  // 0x0E highlighted text
    pack(240, 240, 240),  // 0x0F button face
    pack(160, 160, 160),  // 0x10 button shadow
    pack(109, 109, 109),  // 0x11 grey text
    pack(0, 0, 0),        // 0x12 button text
    pack(0, 0, 0),        // 0x13 inactive title bar text
    pack(255, 255, 255),  // 0x14 button highlight
    pack(105, 105, 105),  // 0x15 3D dark shadow
    pack(227, 227, 227),  // 0x16 3D light
    pack(0, 0, 0),        // 0x17 tool tip text
    pack(255, 255, 225),  // 0x18 tool tip background
};

// Palette role of a system colour index; false when the palette has no matching role.
bool paletteRole(unsigned index, QPalette::ColorGroup* group, QPalette::ColorRole* role) {
  *group = QPalette::Active;
  switch (index) {
    case 0x00: *role = QPalette::Button; return true;
    case 0x04: *role = QPalette::Window; return true;
    case 0x05: *role = QPalette::Base; return true;
    case 0x06: *role = QPalette::Shadow; return true;
    case 0x07: *role = QPalette::WindowText; return true;
    case 0x08: *role = QPalette::Text; return true;
    case 0x0C: *role = QPalette::Dark; return true;
    case 0x0D: *role = QPalette::Highlight; return true;
    case 0x0E: *role = QPalette::HighlightedText; return true;
    case 0x0F: *role = QPalette::Button; return true;
    case 0x10: *role = QPalette::Mid; return true;
    case 0x11: *group = QPalette::Disabled; *role = QPalette::Text; return true;
    case 0x12: *role = QPalette::ButtonText; return true;
    case 0x14: *role = QPalette::Light; return true;
    case 0x15: *role = QPalette::Shadow; return true;
    case 0x16: *role = QPalette::Midlight; return true;
    case 0x17: *role = QPalette::ToolTipText; return true;
    case 0x18: *role = QPalette::ToolTipBase; return true;
    default: return false;
  }
}

Colour resolveSystem(Colour c) {
  const unsigned index = c & 0xFFu;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
      paletteRole(index, &group, &role)) {
    const QColor q = QGuiApplication::palette().color(group, role);
    return pack(q.red(), q.green(), q.blue());
  }
  if (index < kSystemFallback.size()) return kSystemFallback[index];
  return pack(0, 0, 0);
}

}  // namespace

Colour RGB(int red, int green, int blue) {
  return pack(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
}

Colour QBColor(int n) {
  if (n < 0) return kPalette[0];
  return kPalette[static_cast<std::size_t>(n % 16)];
}

Colour resolveColour(Colour c) {
  if ((c & 0xFF000000u) == kSystemFlag) return resolveSystem(c);
  return c & 0xFFFFFFu;
}

int redOf(Colour c) { return static_cast<int>(resolveColour(c) & 0xFFu); }
int greenOf(Colour c) { return static_cast<int>((resolveColour(c) >> 8) & 0xFFu); }
int blueOf(Colour c) { return static_cast<int>((resolveColour(c) >> 16) & 0xFFu); }

}  // namespace platform
