#pragma once

#include <QByteArray>
#include <QSize>
#include <QtGlobal>
#include <QtNumeric>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

// Walks through a picture file's structure before any decoder sees it: whether the file is whole,
// what decoding it will cost, and what to leave out of the bytes the decoder is given where it
// would follow them at any cost.

namespace picturewalks {

inline constexpr const char* PngSignature = "\x89PNG\r\n\x1a\n";

// The file's bytes; every read is checked against the end, which for these formats means the
// file was cut short.
struct Bytes {
  const uchar* data;
  qint64 size;
  bool has(qint64 pos, qint64 n) const { return pos >= 0 && n >= 0 && pos <= size - n; }
  quint32 at(qint64 pos) const { return has(pos, 1) ? data[pos] : 0; }
  quint32 le16(qint64 pos) const { return at(pos) | at(pos + 1) << 8; }
  quint32 le32(qint64 pos) const { return le16(pos) | le16(pos + 2) << 16; }
  quint32 be16(qint64 pos) const { return at(pos) << 8 | at(pos + 1); }
  quint32 be32(qint64 pos) const { return be16(pos) << 16 | be16(pos + 2); }
  static Bytes of(const QByteArray& bytes) { return {reinterpret_cast<const uchar*>(bytes.constData()), bytes.size()}; }
  QByteArray raw() const { return QByteArray::fromRawData(reinterpret_cast<const char*>(data), size); }
  bool startsWith(const char* magic) const {
    const qint64 n = qint64(std::strlen(magic));
    return has(0, n) && std::memcmp(data, magic, size_t(n)) == 0;
  }
};

// A part of the bytes that the decoder is given otherwise: [from, to) left out, `insert` in its place.
struct Cut {
  qint64 from = 0;
  qint64 to = 0;
  QByteArray insert;
};

// `bytes` with `cuts` (in order, none overlapping) made; the same bytes when there are none.
QByteArray withCuts(const QByteArray& bytes, const std::vector<Cut>& cuts);

// Beyond the reader's limits of side or pixels (picturefile.h).
bool beyondPictureLimits(QSize size);

struct DibHeader {
  QSize size;
  bool complete = false;
};

// Where the colour table after the bitmap info header at `at` ends, and a packed DIB's pixels start.
qint64 colourTableEnd(const Bytes& b, qint64 at);

// The bitmap info header at `at`; the pixels start at `pixelOffset` when the file header gives
// it, else right after the colour table.
std::optional<DibHeader> readDibHeader(const Bytes& b, qint64 at, std::optional<qint64> pixelOffset);

// The sum of two costs, or the largest cost where it would overflow: a cost is only ever compared
// with a bound, and the walks add up millions of them for a file of some megabytes.
inline qint64 addCosts(qint64 a, qint64 b) {
  qint64 sum = 0;
  return qAddOverflow(a, b, &sum) ? std::numeric_limits<qint64>::max() : sum;
}

// Past this many segments (tables, markers, application data) a JPEG is no picture: no writer
// makes more than a few hundred, and the decoder reads each on its own.
constexpr int MaxJpegSegments = 1 << 16;

struct JpegLayout {
  bool complete = false;
  int scans = 0;
  QSize frame;  // from the frame header, when there is one
  // What the scans cost to decode, in passes over the frame's pixels as a Huffman-coded scan
  // makes them (some 1.1 ns a pixel): an arithmetic-coded one costs many, and so does each
  // restart marker. Without a frame header, only what the restart markers cost.
  qint64 passedPixels = 0;
  int segments = 0;  // that the decoder reads one by one, the dropped ones aside
  // The decoder keeps every comment and some application segments in a list it walks to its end
  // for each new one: those past the first few hundred application and comment segments are
  // left out of what it is given.
  std::vector<Cut> dropped;
  int droppedSegments = 0;
};

// Follows the JPEG's segments and the entropy-coded data after each scan to the end-of-image
// marker, counting the scans; an embedded thumbnail is skipped inside its segment, data after the
// end is ignored.
JpegLayout jpegLayout(const Bytes& b);

// What a picture's JPEG streams cost to decode.
struct JpegScans {
  int total = 0;
  int most = 0;  // in one stream
  qint64 passedPixels = 0;
  qint64 segments = 0;
  // A stream without a frame header (one libtiff completes from its tags) is priced at a pass
  // over `pixels` a scan.
  void add(const JpegLayout& stream, qint64 pixels) {
    total += stream.scans;
    most = qMax(most, stream.scans);
    const qint64 frameless = stream.frame.isEmpty() ? stream.scans * pixels : 0;
    passedPixels = addCosts(passedPixels, addCosts(frameless, stream.passedPixels));
    segments += stream.segments;
  }
};

// The scans of the JPEG strips or tiles of a TIFF of `size` (none when not JPEG-compressed);
// nothing for a TIFF whose strips no decoder could read in its time.
std::optional<JpegScans> tiffJpegScans(const Bytes& b, QSize size);

// Follows the PNG's chunks to the end chunk.
bool pngComplete(const Bytes& b);

// Whether the GIF's first frame, the only one the decoder draws, and the blocks before it are
// whole. What follows is no damage to that picture: some writers leave the trailer off, and a
// later frame cut short or stray bytes after the first leave it as it is.
bool gifComplete(const Bytes& b);

// The size of the GIF's first frame, the one the decoder draws: it walks every pixel of the
// frame, on the logical screen or not. Empty when there is none.
QSize gifFrameSize(const Bytes& b);

// Qt's decoder follows the codes of the frame it decodes, the first, to their end, drawing every
// string even once the frame is full: a full table and one long code repeated cost seconds for
// 256 pixels. The code after the frame's last pixel (unless the end code), or one past twice as
// many codes as pixels, is made the end code and the frame's data ends there. None when nothing
// need change: the decoder stops by itself before, at the end code, at a code it refuses or at a
// code size it refuses, as the codes are read at every size it takes, each at its width.
std::optional<Cut> gifFrameCut(const Bytes& b);

// Every image an icon or cursor file lists lies inside the file.
bool iconComplete(const Bytes& b);

}  // namespace picturewalks
