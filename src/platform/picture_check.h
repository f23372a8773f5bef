#pragma once
// Checks of a picture file made on its bytes before it is decoded. Some decoders fill
// the missing part of a cut file with grey or black and report success (BMP, JPEG,
// GIF, XBM); the others (PNG, TIFF, ICO, PNM, XPM, WebP) fail on a cut file by
// themselves. And a header may declare a size no file of its length can hold, which
// a decoder would allocate before finding the data missing.

#include <cstddef>

namespace platform {

// True when a BMP, JPEG, GIF or XBM file ends before the data its structure announces:
// BMP pixel rows short of the header's size, JPEG without its end-of-image marker
// after the segments and scans, GIF ending inside its first picture, XBM without the
// closing brace of its data. Trailing bytes after the end are allowed. Other formats
// and unrecognised bytes give false.
bool pictureIsTruncated(const unsigned char* data, std::size_t size);

// True when width x height pixels cannot come from a file of fileSize bytes: a picture
// above 16 million pixels must have at least one byte for every 10 000 of them. Real
// picture data never pack that tight: deflate's limit of about 1 000 to 1 gives a
// one-bit PNG some 8 000 pixels per byte, a GIF at most about 2 700, a JPEG about 500;
// only blank fax pages stored in TIFF go further. Sizes <= 0 give false.
bool pictureTooLargeForFile(long long width, long long height, long long fileSize);

}  // namespace platform
