#pragma once
// Pictures shrunk so that every source pixel counts: each result pixel is the mean of
// the source pixels under it, so a line one pixel thin stays visible, fainter, at any
// reduction (nearest-pixel shrinking drops whole rows and columns).

#include <QImage>
#include <QRect>

namespace platform {

// The pixels of block of src (32-bit RGB32, ARGB32 or premultiplied) shrunk to w x h
// (at most the block's size), mirrored as asked: result pixel (i, j) is the mean of the
// part of the block that falls in it, channel by channel (premultiplied when src has
// an alpha channel, and then the result is ARGB32_Premultiplied; RGB32 otherwise). An
// empty image for a block outside src, an empty size or a size above the block's.
QImage areaMean(const QImage& src, const QRect& block, int w, int h, bool flipX = false, bool flipY = false);

// Level k >= 1 of the halvings of an opaque (RGB32) picture: 2^k x 2^k pixels averaged
// into one, sizes rounded up (an odd edge averages the pixels it has). The levels of
// the last picture asked for are kept for the next calls (the view and the thumbnail
// of one picture share them); window thread only. An empty image for k < 1 or another
// format.
const QImage& halvedCopy(const QImage& src, int k);

// Level 2 of the halvings of src made beforehand, exactly as halvedCopy makes it from
// src itself (for example while the picture was being decoded): halvedCopy takes it
// rather than making it again. One offer is kept, the last; window thread only.
void offerQuarterCopy(const QImage& src, QImage quarter);

// Lets go the halved copies kept and the offer (a new picture is on its way, the views
// of the last one are made); window thread only.
void releaseHalvedCopies();

// Rows j0 to j1 - 1 of level 2 of the halvings of the w x h RGB32 picture whose rows
// start `line` bytes apart at bits, written to the rows `outLine` bytes apart at out
// ((w + 3) / 4 pixels each): the pixels halvedCopy gives at that level, so that the
// level can be made band by band while the picture is written (rows 0 to
// min(h, 4 x j1) - 1 of it must be). Safe on any thread for distinct output rows.
void quarterRows(const uchar* bits, qsizetype line, int w, int h, uchar* out, qsizetype outLine, int j0, int j1);

}  // namespace platform
