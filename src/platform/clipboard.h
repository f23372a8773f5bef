#pragma once
// The system clipboard: texts (tab-separated tables, notations) and pictures.

#include <string>

#include "platform/picture.h"

namespace platform {

class Clipboard {
 public:
  // Empties the clipboard (every format).
  static void clear();
  // Puts a text on the clipboard, replacing whatever it held.
  static void setText(const std::string& text);
  // The clipboard's text (UTF-8), "" when it holds no text.
  static std::string getText();
  // Whether the clipboard holds a text.
  static bool hasText();
  // Puts a picture on the clipboard, replacing whatever it held; a null picture
  // empties the clipboard.
  static void setImage(const Picture& picture);
  // The clipboard's picture; a null picture when it holds none.
  static Picture getImage();
  // Whether the clipboard holds a picture (the bitmap formats a paste accepts).
  static bool hasImage();
};

}  // namespace platform
