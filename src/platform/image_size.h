#pragma once
// The size of a picture file read from its header alone, without decoding its pixels:
// what the program needs to measure again rows taken on an image that is not shown.

#include <string>

namespace platform {

// Width and height in pixels of the picture file at path (recognised by content, as
// Picture::load does); false, with both left unchanged, when the file is missing,
// unreadable or not a picture, or declares a size of 0.
bool pictureSizeOfFile(const std::string& path, int* width, int* height);

}  // namespace platform
