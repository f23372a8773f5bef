#pragma once
// Pixel memory and the direct JPEG decoder of pictures (internal to the platform layer).

#include <QImage>

class QIODevice;

namespace platform {

// A w x h image of 32-bit pixels in `format` (RGB32 or ARGB32), uninitialised. Large
// images sit on memory aligned to and advised for huge pages, so that a camera
// picture of 80 MB costs a few dozen page faults rather than twenty thousand. Null
// for a size <= 0, beyond 2047 MB, or when memory runs out.
QImage newPixelImage(int w, int h, QImage::Format format);

// Outcome of the direct JPEG decoder.
enum class JpegDecode {
  kDone,        // the image holds the picture
  kTruncated,   // rows would be made up: the data end, or stop at a marker, before the
                // last row, or the later scans of a file of several scans are missing
  kOutOfMemory,
  kNotHandled,  // not a JPEG this decoder takes (CMYK, damaged...): use the general reader
};

// Decodes the JPEG read from `in` (at its start) once, straight into 32-bit RGB32
// pixels on newPixelImage memory, with the library's accurate transform and smooth
// upsampling; grey pictures give grey pixels, the resolution of the JFIF header becomes
// the image's dots per metre. The EXIF orientation is not applied. A picture every row
// of which comes from the file's data is done, even when the file ends without its
// end-of-image marker (an arithmetic-coded file excepted: it needs its end marker); one
// whose rows the library would make up is kTruncated. With `quarter`, a picture of a
// million pixels or more also gets there level 2 of its halvings (as halvedCopy makes
// it), made while it is decoded, and the halved copies kept for the picture before are
// let go when its decode starts; smaller ones leave it null. Window thread only when
// `quarter` is given.
JpegDecode decodeJpeg(QIODevice& in, QImage& out, QImage* quarter = nullptr);

}  // namespace platform
