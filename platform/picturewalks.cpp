#include "platform/picturewalks.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <climits>

#include "platform/picturefile.h"

namespace picturewalks {

namespace {

// Walks an RLE4/RLE8 stream to its end-of-bitmap (or its last row): a stream that runs out
// first was cut.
bool rleComplete(const Bytes& b, qint64 pos, bool rle8, qint64 rows) {
  qint64 row = 0;
  while (b.has(pos, 2) && row < rows) {
    const quint32 count = b.at(pos);
    const quint32 code = b.at(pos + 1);
    pos += 2;
    if (count != 0) continue;
    if (code == 0) {
      ++row;
    } else if (code == 1) {
      return true;
    } else if (code == 2) {  // a jump: columns, then rows
      row += b.at(pos + 1);
      pos += 2;
    } else {  // `code` pixels stored as they are, padded to a word
      const qint64 bytes = rle8 ? code : (code + 1) / 2;
      pos += bytes + (bytes & 1);
    }
  }
  return row >= rows && pos <= b.size;
}

// A classic TIFF's first image directory, the one Qt decodes, in either byte order. A field holds
// whole numbers of 1, 2, 4 or 8 bytes (libtiff takes any of them where it wants a number); of
// another type, or with values past the end, it holds none.
class TiffDirectory {
 public:
  struct Field {
    qint64 at = 0;
    qint64 count = 0;
    int width = 0;
    int occurrences = 0;
  };

  explicit TiffDirectory(const Bytes& b) : b_(b), little_(b.at(0) == 'I') {
    const qint64 at = u32(4);
    if (b.has(at + 2, 12 * qint64(u16(at)))) {
      entriesAt_ = at + 2;
      entries_ = u16(at);
    }
  }
  Field field(quint32 tag) const {
    Field f;
    for (qint64 i = 0; i < entries_; ++i) {
      const qint64 entry = entriesAt_ + 12 * i;
      if (u16(entry) != tag) continue;
      if (f.occurrences++ > 0) break;
      const quint32 type = u16(entry + 2);
      const int width = (type == 1 || type == 6) ? 1 : (type == 3 || type == 8) ? 2
                        : (type == 4 || type == 9 || type == 13) ? 4 : (type >= 16 && type <= 18) ? 8 : 0;
      const qint64 count = u32(entry + 4);
      const qint64 at = width * count <= 4 ? entry + 8 : u32(entry + 8);
      if (width == 0 || !b_.has(at, width * count)) continue;
      f.at = at;
      f.count = count;
      f.width = width;
    }
    return f;
  }
  quint64 value(const Field& f, qint64 i) const {
    const qint64 pos = f.at + f.width * i;
    switch (f.width) {
      case 1: return b_.at(pos);
      case 2: return u16(pos);
      case 4: return u32(pos);
      default: return little_ ? u32(pos) | quint64(u32(pos + 4)) << 32 : quint64(u32(pos)) << 32 | u32(pos + 4);
    }
  }

 private:
  quint32 u16(qint64 pos) const { return little_ ? b_.le16(pos) : b_.be16(pos); }
  quint32 u32(qint64 pos) const { return little_ ? b_.le32(pos) : b_.be32(pos); }

  Bytes b_;
  bool little_;
  qint64 entriesAt_ = 0;
  qint64 entries_ = 0;
};

// Application and comment segments the decoder is given; past these, the decoder's list of the
// ones it keeps costs more than the picture.
constexpr int KeptJpegSegments = 256;

// What an arithmetic-coded scan costs, in eighths of a pass of a Huffman-coded scan over the
// same samples, for each coefficient of its band: its decoder needs no data for its work, since
// past the end of the data it reads zeros, which in trained contexts can stand for every
// coefficient of every block. Measured with libjpeg-turbo 2.1 against a Huffman-coded pass:
// up to 2.5 passes a coefficient in a first scan (about 160 for a whole block, whose DC counts
// twice), about 1/8 pass in a refinement.
constexpr qint64 ArithmeticFirstEighths = 20;
constexpr qint64 ArithmeticRefinementEighths = 1;

// A Huffman-coded scan also costs its data: some 12 passes of a pixel for each byte of it
// (13 ns a byte measured on data that codes every coefficient), whatever the pixels.
constexpr qint64 HuffmanByteCost = 12;

// With a restart interval, the decoder starts afresh at each restart marker and, past the end of
// the data, reads zeros, which a Huffman table may decode as one coefficient every two bits: a
// marker alone, two bytes, makes it decode every coefficient of the MCU after it, in every scan.
// Measured with libjpeg-turbo 2.1: some 7 ns a coefficient decoded so, 8 passes.
constexpr qint64 RestartCoefficientCost = 8;

bool isFrameHeader(quint32 marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

struct JpegFrame {
  QSize size;
  bool arithmetic = false;
  bool progressive = false;
  std::array<quint8, 256> samples{};  // of a block of each component, by its id: h * v, 0 for none
  quint32 hMost = 1, vMost = 1;
};

// The frame header at `pos`; sampling factors beyond those the decoder takes count as the most it does.
JpegFrame readFrame(const Bytes& b, qint64 pos, quint32 marker) {
  JpegFrame frame;
  frame.size = QSize(int(b.be16(pos + 7)), int(b.be16(pos + 5)));
  frame.arithmetic = marker >= 0xC9;
  frame.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
  for (quint32 i = 0; i < b.at(pos + 9); ++i) {
    const quint32 sampling = b.at(pos + 11 + 3 * i);
    const quint32 h = std::clamp(sampling >> 4, 1u, 4u), v = std::clamp(sampling & 15, 1u, 4u);
    frame.hMost = qMax(frame.hMost, h);
    frame.vMost = qMax(frame.vMost, v);
    quint8& samples = frame.samples[b.at(pos + 10 + 3 * i)];
    if (samples == 0) samples = quint8(h * v);  // the decoder takes the first component of an id
  }
  return frame;
}

// A scan's header: its components and its band of coefficients.
struct JpegScan {
  qint64 shares = 0;  // its components' samples, h * v of each: hMost * vMost for the largest
  qint64 mcuBlocks = 0;
  quint32 first = 0, last = 63;
  bool refinement = false;
};

// The header of the scan at `pos`; a component the frame does not name counts as the largest.
JpegScan readScan(const JpegFrame& frame, const Bytes& b, qint64 pos) {
  const quint32 count = b.at(pos + 4);
  const qint64 parameters = pos + 5 + 2 * count;
  JpegScan scan;
  // A sequential scan codes whole blocks, whatever its header says.
  if (frame.progressive) {
    scan.first = qMin(b.at(parameters), 63u);
    scan.last = std::clamp(b.at(parameters + 1), scan.first, 63u);
    scan.refinement = (b.at(parameters + 2) >> 4) != 0;
  }
  for (quint32 i = 0; i < count; ++i) {
    const quint32 samples = frame.samples[b.at(pos + 5 + 2 * i)];
    scan.shares += samples ? samples : frame.hMost * frame.vMost;
  }
  scan.mcuBlocks = count == 1 ? 1 : scan.shares;  // a scan of one component goes block by block
  return scan;
}

// What the scan costs, in passes over the frame's pixels as a Huffman-coded scan makes them
// (whatever its components).
qint64 scanCost(const JpegFrame& frame, const JpegScan& scan) {
  const qint64 pixels = qint64(frame.size.width()) * frame.size.height();
  if (!frame.arithmetic) return pixels;
  const qint64 coefficients = scan.last - scan.first + 1 + (scan.first == 0 ? 1 : 0);
  const qint64 eighths = coefficients * (scan.refinement ? ArithmeticRefinementEighths : ArithmeticFirstEighths);
  return pixels * scan.shares * eighths / (frame.hMost * frame.vMost * 8);
}

// What a restart marker in the scan costs: every coefficient of the MCU after it, and the two
// more that setting up its blocks and the restart come to.
qint64 restartCost(const JpegScan& scan) {
  return scan.mcuBlocks * (scan.last - scan.first + 1 + 2) * RestartCoefficientCost;
}

// The size of the colour table whose flags are at `flagsAt`.
qint64 gifTableSize(const Bytes& b, qint64 flagsAt) {
  return (b.at(flagsAt) & 0x80) ? 3 << ((b.at(flagsAt) & 7) + 1) : 0;
}

// Where the sub-blocks from `pos` end, past their terminator.
qint64 afterSubBlocks(const Bytes& b, qint64 pos) {
  while (b.has(pos, 1) && b.at(pos) != 0) pos += 1 + b.at(pos);
  return pos + 1;
}

// Where the GIF's first frame starts, past the extensions before it.
qint64 gifFrameAt(const Bytes& b) {
  qint64 pos = 13 + gifTableSize(b, 10);
  while (b.at(pos) == 0x21) pos = afterSubBlocks(b, pos + 2);
  return pos;
}

// Where the LZW minimum code size of the frame at `frame` stands, past its header and its own
// colour table; its data's sub-blocks follow.
qint64 gifCodeSizeAt(const Bytes& b, qint64 frame) { return frame + 10 + gifTableSize(b, frame + 9); }

QByteArray asSubBlocks(const QByteArray& data) {
  constexpr qsizetype Most = 255;
  QByteArray blocks;
  for (qsizetype at = 0; at < data.size(); at += Most) {
    const QByteArray piece = data.mid(at, Most);
    blocks.append(char(piece.size())).append(piece);
  }
  return blocks.append('\0');
}

// What the LZW codes of a GIF frame draw, taken one by one as Qt's decoder takes them, at the
// widths it reads them: the code after a clear draws one pixel, whatever it is; any code past the
// table draws the previous code's string and one pixel more; a string that leads past the table
// or round a loop is refused.
class LzwCounter {
 public:
  // The largest code size the decoder takes: its table is full from the start.
  static constexpr quint32 MostMinimum = 12;
  // A code draws, is the last the decoder reads (the end code, or one it refuses), or comes
  // after the frame is drawn (or after too many that draw nothing).
  enum class Next { Draws, Stops, Full };

  LzwCounter(int minimumCodeSize, qint64 pixels) : minimum_(minimumCodeSize), clear_(1 << minimum_), pixels_(pixels) {
    restart();
  }
  int width() const { return width_; }
  int endCode() const { return clear_ + 1; }

  Next take(int code) {
    if (code == endCode()) return Next::Stops;
    if (drawn_ >= pixels_ || ++codes_ > 2 * pixels_ + 64) return Next::Full;
    if (code == clear_) {
      restart();
      return Next::Draws;
    }
    if (previous_ < 0) {  // adds no string
      ++drawn_;
      previous_ = code;
      return Next::Draws;
    }
    const bool pastTable = code >= next_;
    const int known = stringLength(pastTable ? previous_ : code);
    if (known == 0) return Next::Stops;
    drawn_ += known + pastTable;
    if (next_ < MostCodes) {
      // The previous string and one pixel more; its length is worked out on its first use when
      // the previous code lies past the table as yet.
      const int previousLength = pastTable ? known : lengthKnown(previous_);
      prefixes_[next_] = previous_;
      lengths_[next_] = previousLength == 0 ? 0 : previousLength + 1;
      // Widened when the table reaches the width's limit, which the smallest code sizes start at
      // or past: their second code is read as narrow as the first.
      if (++next_ >= 1 << width_ && width_ < MostWidth) ++width_;
    }
    previous_ = code;
    return Next::Draws;
  }

 private:
  static constexpr int MostCodes = 4096;
  static constexpr int MostWidth = 12;

  void restart() {
    width_ = minimum_ + 1;
    next_ = clear_ + 2;
    previous_ = -1;
  }

  // The length of `code`'s string where it is known without following it; 0 otherwise.
  int lengthKnown(int code) const { return code < clear_ + 2 ? 1 : code < next_ ? lengths_[code] : 0; }

  // The length of `code`'s string, or 0 where the decoder refuses it: a code on the way lies past
  // the table, or the way takes more steps than the table has strings, so it comes round again.
  // Kept once known for every string on the way, which stays within the table as it grows: codes
  // naming one after another the strings of a long way would otherwise follow it again each time.
  int stringLength(int code) {
    int known = code;
    int steps = 0;
    while (lengthKnown(known) == 0) {
      if (known >= next_ || ++steps > next_ - clear_ - 2) return 0;
      known = prefixes_[known];
    }
    const int length = steps + lengthKnown(known);
    for (int left = length; code != known; code = prefixes_[code]) lengths_[code] = left--;
    return length;
  }

  const int minimum_;
  const int clear_;
  const qint64 pixels_;
  std::array<int, MostCodes> prefixes_{};
  std::array<int, MostCodes> lengths_{};
  int width_ = 0;
  int next_ = 0;
  int previous_ = -1;
  qint64 drawn_ = 0;
  qint64 codes_ = 0;
};

// Follows a JPEG's markers, keeping what they tell of its cost.
class JpegWalk {
 public:
  explicit JpegWalk(const Bytes& b) : b_(b) {}

  JpegLayout walk() {
    for (std::optional<qint64> pos = markerFrom(2); pos; pos = markerFrom(*pos)) {
      const quint32 marker = b_.at(*pos + 1);
      const bool standalone = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
      if (standalone && scanData_ >= 0) {  // inside a scan
        if (marker >= 0xD0 && restarts_) layout_.passedPixels = addCosts(layout_.passedPixels, restartCost_);
        *pos += 2;
        continue;
      }
      endScan(*pos);
      if (marker == 0xD9) {
        layout_.complete = true;
        break;
      }
      if (!standalone && !b_.has(*pos + 2, 2)) break;
      const bool dropping = std::exchange(dropping_, false);
      if (standalone) ++layout_.segments;  // outside a scan, even a restart marker is read on its own
      *pos = standalone ? *pos + 2 : segment(*pos, marker, dropping);
    }
    return std::move(layout_);
  }

 private:
  // Where the next marker from `pos` is, past any fill bytes.
  std::optional<qint64> markerFrom(qint64 pos) const {
    if (pos >= b_.size) return std::nullopt;
    const uchar* ff = static_cast<const uchar*>(std::memchr(b_.data + pos, 0xFF, size_t(b_.size - pos)));
    if (!ff) return std::nullopt;
    pos = ff - b_.data;
    while (b_.at(pos + 1) == 0xFF) ++pos;
    return b_.has(pos, 2) ? std::optional(pos) : std::nullopt;
  }

  // Takes the segment whose marker is at `pos`, right after segments left out when `dropping`;
  // where it ends.
  qint64 segment(qint64 pos, quint32 marker, bool dropping) {
    const qint64 end = pos + 2 + b_.be16(pos + 2);
    const bool application = (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
    if (application && ++applicationSegments_ > KeptJpegSegments) {
      // A run of them is left out as one.
      if (dropping) layout_.dropped.back().to = end;
      else layout_.dropped.push_back({pos, end, {}});
      ++layout_.droppedSegments;
      dropping_ = true;
      return end;
    }
    ++layout_.segments;
    if (isFrameHeader(marker) && !frame_) {
      frame_ = readFrame(b_, pos, marker);
      layout_.frame = frame_->size;
    }
    if (marker == 0xDD) restarts_ = b_.be16(pos + 4) != 0;
    if (marker == 0xDA) {
      ++layout_.scans;
      const JpegScan scan = readScan(frame_.value_or(JpegFrame{}), b_, pos);
      if (frame_) layout_.passedPixels = addCosts(layout_.passedPixels, scanCost(*frame_, scan));
      restartCost_ = restartCost(scan);
      scanData_ = end;
    }
    return end;
  }

  // The scan being walked, if any, ends at `at`: a Huffman-coded one costs its data too.
  void endScan(qint64 at) {
    if (scanData_ >= 0 && frame_ && !frame_->arithmetic)
      layout_.passedPixels = addCosts(layout_.passedPixels, (at - scanData_) * HuffmanByteCost);
    scanData_ = -1;
  }

  const Bytes b_;
  JpegLayout layout_;
  std::optional<JpegFrame> frame_;
  qint64 scanData_ = -1;  // where the data of the scan being walked starts
  bool restarts_ = false;  // the decoder expects restart markers
  qint64 restartCost_ = 0;  // of each in the scan being walked
  int applicationSegments_ = 0;
  bool dropping_ = false;  // the last segment was left out
};

}  // namespace

QByteArray withCuts(const QByteArray& bytes, const std::vector<Cut>& cuts) {
  if (cuts.empty()) return bytes;
  QByteArray out;
  out.reserve(bytes.size());
  qint64 copied = 0;
  for (const Cut& cut : cuts) {  // a cut of a file cut short may run past its end
    const qint64 from = std::clamp<qint64>(cut.from, copied, bytes.size());
    out.append(bytes.constData() + copied, from - copied).append(cut.insert);
    copied = std::clamp<qint64>(cut.to, from, bytes.size());
  }
  return out.append(bytes.constData() + copied, bytes.size() - copied);
}

bool beyondPictureLimits(QSize size) {
  return size.width() > MaxPictureSide || size.height() > MaxPictureSide ||
         qint64(size.width()) * size.height() > MaxPicturePixels;
}

qint64 colourTableEnd(const Bytes& b, qint64 at) {
  const quint32 headerSize = b.le32(at);
  const bool core = headerSize == 12;
  const quint32 bits = core ? b.le16(at + 10) : b.le16(at + 14);
  const quint32 compression = core ? 0 : b.le32(at + 16);
  const quint32 used = core ? 0 : b.le32(at + 32);
  const qint64 colours = used ? used : (bits <= 8 ? 1 << bits : 0);
  // After the 40-byte header come the masks: red, green and blue, and alpha with compression 6.
  const qint64 masks = headerSize != 40 ? 0 : compression == 3 ? 12 : compression == 6 ? 16 : 0;
  return at + headerSize + masks + colours * (core ? 3 : 4);
}

std::optional<DibHeader> readDibHeader(const Bytes& b, qint64 at, std::optional<qint64> pixelOffset) {
  const quint32 headerSize = b.le32(at);
  const bool core = headerSize == 12;
  if (!b.has(at, core ? 12 : 40)) return std::nullopt;
  // The core header's sides are unsigned; the others are signed, a negative height meaning the
  // rows are stored top down.
  const qint64 width = core ? qint64(b.le16(at + 4)) : qint64(qint32(b.le32(at + 4)));
  const qint64 height = core ? qint64(b.le16(at + 6)) : qint64(qint32(b.le32(at + 8)));
  const quint32 bits = core ? b.le16(at + 10) : b.le16(at + 14);
  const quint32 compression = core ? 0 : b.le32(at + 16);
  DibHeader header;
  header.size = QSize(int(std::clamp<qint64>(width, -1, INT_MAX)), int(std::clamp<qint64>(std::abs(height), 0, INT_MAX)));
  if (beyondPictureLimits(header.size)) return header;  // refused by its size anyway
  if (!pixelOffset) pixelOffset = colourTableEnd(b, at);
  if (compression == 1 || compression == 2) {
    header.complete = rleComplete(b, *pixelOffset, compression == 1, header.size.height());
  } else if (compression == 0 || compression == 3 || compression == 6) {
    // The last row may lack its padding.
    const qint64 stride = (qMax<qint64>(width, 0) * bits + 31) / 32 * 4;
    const qint64 lastRow = (qMax<qint64>(width, 0) * bits + 7) / 8;
    header.complete = header.size.height() == 0 || b.has(*pixelOffset, stride * (header.size.height() - 1) + lastRow);
  } else {
    header.complete = true;  // JPEG or PNG inside: their decoder notices a cut
  }
  return header;
}

JpegLayout jpegLayout(const Bytes& b) {
  return JpegWalk(b).walk();
}

// libtiff decodes a JPEG-compressed TIFF (new style 7 or old style 6) one strip or tile at a
// time, each its own JPEG stream (of each plane, when the planes are stored apart), so a picture
// of many strips may repeat scans in every one; each stream is priced by its own frame header. A
// TIFF this cannot account for is no picture (none): one whose strips share bytes, walked again
// for each, that gives a field twice (libtiff keeps the first of some, the last of others, and
// takes strip and tile offsets for one another), or one with a JPEG frame larger than its strip
// or tile (libtiff decodes the whole frame of a last strip, warning only).
std::optional<JpegScans> tiffJpegScans(const Bytes& b, QSize size) {
  enum : quint32 { Compression = 259, StripOffsets = 273, RowsPerStrip = 278, StripByteCounts = 279,
                   TileWidth = 322, TileLength = 323, TileOffsets = 324, TileByteCounts = 325 };
  using Field = TiffDirectory::Field;
  const TiffDirectory ifd(b);
  const Field compression = ifd.field(Compression);
  if (compression.occurrences > 1) return std::nullopt;
  if (const quint64 c = compression.count ? ifd.value(compression, 0) : 1; c != 6 && c != 7) return JpegScans{};
  const auto either = [&](quint32 strip, quint32 tile) {
    const Field s = ifd.field(strip), t = ifd.field(tile);
    Field f = s.count ? s : t;
    f.occurrences = s.occurrences + t.occurrences;
    return f;
  };
  const Field offsets = either(StripOffsets, TileOffsets), lengths = either(StripByteCounts, TileByteCounts);
  const Field rows = ifd.field(RowsPerStrip), tileWidth = ifd.field(TileWidth), tileLength = ifd.field(TileLength);
  for (const Field& f : {offsets, lengths, rows, tileWidth, tileLength})
    if (f.occurrences > 1) return std::nullopt;
  // A side of 0 or beyond the limit is refused by libtiff or taken as the most it could be.
  const auto side = [&](const Field& f, qint64 most) {
    const quint64 v = f.count ? ifd.value(f, 0) : 0;
    return v == 0 || v > quint64(most) ? most : qint64(v);
  };
  const bool tiled = tileWidth.occurrences || tileLength.occurrences;
  const QSize segment = tiled ? QSize(int(side(tileWidth, MaxPictureSide)), int(side(tileLength, MaxPictureSide)))
                              : QSize(size.width(), int(side(rows, size.height())));
  JpegScans scans;
  qint64 walked = 0;
  for (qint64 i = 0; i < offsets.count; ++i) {
    const qint64 start = qint64(qMin<quint64>(ifd.value(offsets, i), quint64(b.size)));
    const quint64 declared = i < lengths.count ? ifd.value(lengths, i) : quint64(b.size);
    const qint64 length = qint64(qMin<quint64>(declared, quint64(b.size - start)));
    walked += length;
    if (walked > b.size) return std::nullopt;
    JpegLayout stream = jpegLayout(Bytes{b.data + start, length});
    stream.segments += stream.droppedSegments;  // libtiff's decoder is given them all
    if (stream.frame.width() > segment.width() || stream.frame.height() > segment.height()) return std::nullopt;
    scans.add(stream, qint64(segment.width()) * segment.height());
  }
  return scans;
}

bool pngComplete(const Bytes& b) {
  for (qint64 pos = 8; b.has(pos, 12) && b.has(pos + 12, b.be32(pos)); pos += 12 + qint64(b.be32(pos)))
    if (QByteArrayView(b.data + pos + 4, 4) == "IEND") return true;
  return false;
}

bool gifComplete(const Bytes& b) {
  const qint64 at = gifFrameAt(b);
  if (!b.has(at, 1)) return false;
  if (b.at(at) != 0x2C) return true;  // no frame at all: the decoder refuses the file itself
  return b.has(at, 10) && afterSubBlocks(b, gifCodeSizeAt(b, at) + 1) <= b.size;
}

QSize gifFrameSize(const Bytes& b) {
  const qint64 at = gifFrameAt(b);
  return b.at(at) == 0x2C ? QSize(int(b.le16(at + 5)), int(b.le16(at + 7))) : QSize();
}

std::optional<Cut> gifFrameCut(const Bytes& b) {
  const qint64 pos = gifFrameAt(b);
  const qint64 codeSizeAt = gifCodeSizeAt(b, pos);
  const qint64 dataEnd = afterSubBlocks(b, codeSizeAt + 1);
  const quint32 minimumCodeSize = b.at(codeSizeAt);
  if (b.at(pos) != 0x2C || dataEnd > b.size || minimumCodeSize > LzwCounter::MostMinimum)
    return std::nullopt;  // no frame, cut short, or a code size the decoder refuses
  LzwCounter codes(int(minimumCodeSize), qint64(b.le16(pos + 5)) * b.le16(pos + 7));
  // The last few data bytes read, with the sub-block each lies in: a code spans at most three.
  struct Read { qint64 at, block; };
  std::array<Read, 4> recent{};
  qint64 read = 0;
  quint32 held = 0;
  int heldBits = 0;
  for (qint64 block = codeSizeAt + 1; b.at(block) != 0; block += 1 + b.at(block)) {
    for (qint64 at = block + 1; at <= block + b.at(block); ++at) {
      recent[read++ % recent.size()] = {at, block};
      held |= b.at(at) << heldBits;
      heldBits += 8;
      while (heldBits >= codes.width()) {
        const int width = codes.width();
        const qint64 startBit = 8 * read - heldBits;
        const quint32 code = held & ((1u << width) - 1);
        held >>= width;
        heldBits -= width;
        const LzwCounter::Next next = codes.take(int(code));
        if (next == LzwCounter::Next::Draws) continue;
        if (next == LzwCounter::Next::Stops) return std::nullopt;
        // The data up to the code, then the end code in its place.
        const Read start = recent[(startBit / 8) % recent.size()];
        const int kept = int(startBit % 8);
        const quint32 last = (b.at(start.at) & ((1u << kept) - 1)) | quint32(codes.endCode()) << kept;
        QByteArray data(reinterpret_cast<const char*>(b.data + start.block + 1), start.at - start.block - 1);
        for (int bit = 0; bit < kept + width; bit += 8) data.append(char(last >> bit));
        return Cut{start.block, dataEnd, asSubBlocks(data)};
      }
    }
  }
  return std::nullopt;
}

bool iconComplete(const Bytes& b) {
  for (quint32 i = 0; i < b.le16(4); ++i)
    if (!b.has(b.le32(6 + 16 * i + 12), b.le32(6 + 16 * i + 8))) return false;
  return true;
}

}  // namespace picturewalks
