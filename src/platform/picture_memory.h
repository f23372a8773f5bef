#pragma once
// Pixel memory and the direct JPEG decoder of pictures (internal to the platform layer).

#include <QImage>

#include <cstddef>

class QIODevice;

namespace platform {

// The most memory the reading of one picture may take, in bytes (2047 MB): its 32-bit
// pixels together with what its reader holds while decoding it (the JPEG library's
// buffers, or the general reader's own image before it becomes 32-bit).
constexpr std::size_t kPictureMemory = std::size_t{2047} << 20;

// Puts the picture memory limit on every reader of pictures in the process: Qt's
// allocation limit for the images its readers make, and the JPEG library's cap on its
// own memory for the decompressors other than the direct decoder (Qt's JPEG and TIFF
// readers), which each read it from the environment when they are made. Done once;
// called at start-up before any thread is started, and again by the picture reader.
void limitPictureMemory();

// A w x h image of 32-bit pixels in `format` (RGB32 or ARGB32), uninitialised. Large
// images sit on memory aligned to and advised for huge pages, so that a camera
// picture of 80 MB costs a few dozen page faults rather than twenty thousand. Null
// for a size <= 0, beyond kPictureMemory, or when memory runs out.
QImage newPixelImage(int w, int h, QImage::Format format);

// Outcome of the direct JPEG decoder.
enum class JpegDecode {
  kDone,        // the image holds the picture
  kTruncated,   // rows would be made up: the data end, or stop at a marker, before the
                // last row, the later scans of a file of several scans are missing, or
                // the first scan of a component's DC coefficients is missing
  kTooLarge,    // the decode would take more than kPictureMemory (nothing was allocated)
  kOutOfMemory,
  kNotHandled,  // not a JPEG this decoder takes (CMYK, damaged...): use the general reader
};

// Decodes the JPEG read from `in` (at its start) once, straight into 32-bit RGB32
// pixels on newPixelImage memory, with the library's accurate transform and smooth
// upsampling; grey pictures give grey pixels, the resolution of the JFIF header becomes
// the image's dots per metre. The EXIF orientation is not applied. A picture every row
// of which comes from the file's data is done, even when the file ends without its
// end-of-image marker (an arithmetic-coded file excepted: it needs its end marker); one
// whose rows the library would make up is kTruncated, as soon as the library shows it.
// The memory the decode takes (the picture, and the library's buffers: the coefficients
// of the whole picture for a file of several scans) is worked out from the header, of
// every JPEG colour space, before anything is allocated: beyond kPictureMemory it is
// kTooLarge, and the library's own memory is capped at what the picture leaves of it. A
// JPEG that is not kNotHandled must not be given to another reader. With `quarter`, a
// picture of a million pixels or more also gets there level 2 of its halvings (as
// halvedCopy makes it), made while it is decoded, and the halved copies kept for the
// picture before are let go when its decode starts; smaller ones leave it null. Window
// thread only when `quarter` is given.
JpegDecode decodeJpeg(QIODevice& in, QImage& out, QImage* quarter = nullptr);

}  // namespace platform
