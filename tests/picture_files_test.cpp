#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <unistd.h>

#include "platform/picbuf.h"
#include "platform/picturefile.h"
#include "platform/picturewalks.h"
#include "platform/pngread.h"
#include "tests/support/checks.h"

namespace {

// `bytes` read as the file `name` in `dir` and as another program's offer, the two together within
// `milliseconds` of the thread's processor time.
struct BoundedRead {
  bool read = false;
  QString reason;
  QImage picture, offered;
};
BoundedRead readBounded(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes, qint64 milliseconds = 1000) {
  writeBytes(dir.filePath(name), bytes);
  BoundedRead r;
  const qint64 started = threadCpuMilliseconds();
  r.read = readPictureFile(dir.filePath(name), &r.picture, &r.reason);
  r.offered = decodeOfferedPicture(bytes);
  EXPECT_LT(threadCpuMilliseconds() - started, milliseconds);
  return r;
}

struct Checkpoint {
  int x, y;
  QRgb colour;
  bool quadrant;
};

// The corpus's checkpoints of one reference picture ("base", "base-32x32", "tiny-1x1", ...).
std::vector<Checkpoint> checkpoints(const QString& reference) {
  std::vector<Checkpoint> points;
  for (const QByteArray& line : bytesOf(samplePath(QStringLiteral("checkpoints.tsv"))).split('\n')) {
    const QList<QByteArray> f = line.split('\t');
    if (f.size() == 8 && QString::fromUtf8(f[0]) == reference)
      points.push_back({f[1].toInt(), f[2].toInt(), qRgb(f[3].toInt(), f[4].toInt(), f[5].toInt()), f[7] == "quadrant"});
  }
  return points;
}

// JPEG files (within a tolerance) and metafiles (drawn with antialiased edges) are checked on the
// quadrants' interiors only.
enum class Check { Exact, Lossy, Interiors };

void expectCheckpoints(const QImage& picture, const QString& reference, Check check) {
  const std::vector<Checkpoint> points = checkpoints(reference);
  ASSERT_FALSE(points.empty());
  for (const Checkpoint& p : points) {
    const bool interior = p.quadrant && std::abs(p.x - picture.width() / 2) >= 2 && std::abs(p.y - picture.height() / 2) >= 2;
    if (check != Check::Exact && !interior) continue;
    EXPECT_LE(channelDistance(picture.pixel(p.x, p.y), p.colour), check == Check::Lossy ? LossyTolerance : 0)
        << "at (" << p.x << ", " << p.y << ")";
  }
}

TEST(PictureReader, ReadsTheCheckpointsOfEveryFormat) {
  const QSize base(320, 256), icon(32, 32);
  const struct { const char* file; const char* reference; QSize size; Check check; } files[] = {
      {"base.bmp", "base", base, Check::Exact},      {"base-rle8.bmp", "base", base, Check::Exact},
      {"base.dib", "base", base, Check::Exact},      {"base-packed.dib", "base", base, Check::Exact},
      {"base.pcx", "base", base, Check::Exact},      {"base.tga", "base", base, Check::Exact},
      {"base-v2.tga", "base", base, Check::Exact},   {"base.tif", "base", base, Check::Exact},
      {"base.png", "base", base, Check::Exact},      {"base.gif", "base", base, Check::Exact},
      {"base.jpg", "base", base, Check::Lossy},      {"base.ico", "base-32x32", icon, Check::Exact},
      {"base.cur", "base-32x32", icon, Check::Exact}, {"base.wmf", "base", base, Check::Interiors},
      {"base.emf", "base", base, Check::Interiors},
      {"wide-640x480.png", "wide-640x480", {640, 480}, Check::Exact},
      {"tall-200x400.png", "tall-200x400", {200, 400}, Check::Exact},
      {"square-256x256.png", "square-256x256", {256, 256}, Check::Exact},
      {"narrow-100x300.jpg", "narrow-100x300", {100, 300}, Check::Lossy},
      {"wide-2x1-400x200.png", "wide-2x1-400x200", {400, 200}, Check::Exact},
      {"tiny-1x1.png", "tiny-1x1", {1, 1}, Check::Exact}};
  for (const auto& c : files) {
    SCOPED_TRACE(c.file);
    QImage picture;
    QString reason;
    ASSERT_TRUE(readPictureFile(samplePath(QString::fromLatin1(c.file)), &picture, &reason)) << reason.toStdString();
    ASSERT_EQ(picture.size(), c.size);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    expectCheckpoints(picture, QString::fromLatin1(c.reference), c.check);
  }
}

// The refusal's reason; the picture handed in must come back untouched.
QString refusal(const QString& file) {
  QImage picture = QImage(3, 2, QImage::Format_RGB32);
  picture.fill(qRgb(1, 2, 3));
  const QImage kept = picture.copy();
  QString reason;
  EXPECT_FALSE(readPictureFile(file, &picture, &reason)) << file.toStdString();
  EXPECT_EQ(picture, kept) << file.toStdString();
  return reason;
}

TEST(PictureReader, RefusesWhatIsNoWholePictureAndSaysWhy) {
  QTemporaryDir dir;
  writeBytes(dir.filePath("cut.bmp"), bytesOf(samplePath(QStringLiteral("base.bmp"))).left(100000));
  writeBytes(dir.filePath("cut.gif"), bytesOf(samplePath(QStringLiteral("base.gif"))).left(1000));
  // One pixel on a logical screen of 500 x 65535, which is what the decoder would allocate.
  writeBytes(dir.filePath("tall.gif"), QByteArray("GIF89a\xF4\x01\xFF\xFF\x80\0\0\0\0\0\xFF\xFF\xFF"
                                                  ",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 35));
  QDir(dir.path()).mkdir(QStringLiteral("folder.png"));
  // Whole files whose image data ends a row before the picture does.
  for (bool interlaced : {false, true}) {
    const QByteArray taller = pngOfSamples({5, 4}, 2, 8, interlaced), shorter = pngOfSamples({5, 3}, 2, 8, interlaced);
    writeBytes(dir.filePath(interlaced ? "short-interlaced.png" : "short.png"), taller.left(33) + shorter.mid(33));
  }
  // Held open for writing, so that a reader opening it would go on rather than wait for good.
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo.bmp")).constData(), 0600), 0);
  const int fifo = ::open(QFile::encodeName(dir.filePath("fifo.bmp")).constData(), O_RDWR);
  const std::pair<QString, const char*> cases[] = {
      {dir.filePath("tall.gif"), "too large (500 x 65535 pixels)"}, {dir.filePath("folder.png"), "not a regular file"},
      {dir.filePath("fifo.bmp"), "not a regular file"},            {QStringLiteral("/dev/zero"), "not a regular file"},
      {samplePath("truncated-half.jpg"), "truncated"},  {dir.filePath("cut.bmp"), "truncated"},
      {dir.filePath("cut.gif"), "truncated"},       {samplePath("truncated-half.png"), "truncated"},
      {samplePath("truncated-header.bmp"), "truncated"}, {samplePath("huge-dimensions.bmp"), "too large (30000 x 30000 pixels)"},
      {samplePath("zero-height.bmp"), "no pixels (320 x 0 pixels)"}, {samplePath("not-a-picture.jpg"), "not a picture"},
      {samplePath("empty.png"), "empty file"},          {samplePath("random-bytes.tga"), "not a picture"},
      {dir.filePath("missing.bmp"), "cannot be read"},   {dir.filePath("short.png"), "damaged"},
      {dir.filePath("short-interlaced.png"), "damaged"}};
  for (const auto& [file, reason] : cases) EXPECT_EQ(refusal(file), QFileInfo(file).fileName() + ": " + reason);
  ::close(fifo);
  // A metafile needs its converter on the path.
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", dir.path().toLocal8Bit());
  const QString reason = refusal(samplePath(QStringLiteral("base.emf")));
  qputenv("PATH", path);
  EXPECT_EQ(reason, QStringLiteral("base.emf: emf2svg-conv is not installed"));
}

// A 3 x 2 bitmap, top row red and bottom row blue, its rows stored top down or bottom up, with
// the 12-byte core header (unsigned sides) or the 40-byte one; a file header before it makes a BMP.
QByteArray bitmap(int bits, bool topDown, bool core, bool fileHeader) {
  const QByteArray red = bits == 32 ? QByteArray("\0\0\xFF\xFF", 4) : QByteArray("\0\0\xFF", 3);
  const QByteArray blue = bits == 32 ? QByteArray("\xFF\0\0\xFF", 4) : QByteArray("\xFF\0\0", 3);
  const QByteArray padding((4 - 3 * bits / 8 % 4) % 4, 0);
  const QByteArray top = red.repeated(3) + padding, bottom = blue.repeated(3) + padding;
  const QByteArray rows = topDown ? top + bottom : bottom + top;
  const QByteArray header = core ? le32(12) + le16(3) + le16(2) + le16(1) + le16(quint16(bits))
                                 : le32(40) + le32(3) + le32(topDown ? quint32(-2) : 2) + le16(1) + le16(quint16(bits)) +
                                       le32(0) + le32(quint32(rows.size())) + QByteArray(16, 0);
  const QByteArray dib = header + rows;
  return fileHeader ? "BM" + le32(quint32(14 + dib.size())) + le32(0) + le32(quint32(14 + header.size())) + dib : dib;
}

// From a file, and as another program offers it on the clipboard.
TEST(PictureReader, ReadsBitmapsStoredTopDownOrBottomUpTheRightWayUp) {
  struct Case { int bits; bool topDown, core, fileHeader; };
  QList<Case> cases = {{24, false, true, true}, {24, false, true, false}};
  for (int bits : {24, 32})
    for (bool topDown : {false, true})
      for (bool fileHeader : {true, false}) cases.append({bits, topDown, false, fileHeader});
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, top down " << c.topDown << ", core " << c.core << ", BMP " << c.fileHeader);
    const QByteArray bytes = bitmap(c.bits, c.topDown, c.core, c.fileHeader);
    writeBytes(dir.filePath("picture"), bytes);
    QImage picture;
    QString reason;
    ASSERT_TRUE(readPictureFile(dir.filePath("picture"), &picture, &reason)) << reason.toStdString();
    for (const QImage& read : {picture, decodeOfferedPicture(bytes)}) {
      ASSERT_EQ(read.size(), QSize(3, 2));
      EXPECT_EQ(read.pixel(1, 0) & RGB_MASK, qRgb(255, 0, 0) & RGB_MASK);
      EXPECT_EQ(read.pixel(1, 1) & RGB_MASK, qRgb(0, 0, 255) & RGB_MASK);
    }
  }
}

// Text chunks inflating to 400 MB cost nothing wherever PNG bytes are decoded: a file, a PNG
// inside an icon or cursor file, another program's offer.
TEST(HostilePictures, PngTextChunksNeverReachTheDecoder) {
  const QImage drawn = solidImage(8, 8, 0x336699);
  const QByteArray png = pngWithTextChunks(drawn, 50, 7'900'000);
  QByteArray cursor = iconFile({png});
  cursor[2] = 2;
  const std::pair<const char*, QByteArray> files[] = {{"text.png", png}, {"text.ico", iconFile({png})}, {"text.cur", cursor}};
  QTemporaryDir dir;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const BoundedRead r = readBounded(dir, QString::fromLatin1(name), bytes);
    ASSERT_TRUE(r.read) << r.reason.toStdString();
    EXPECT_TRUE(sameImage(drawn, r.picture));
    EXPECT_TRUE(sameImage(drawn, r.offered));
  }
}

// A progressive JPEG of `picture` (libjpeg's own progression, 10 scans) with its last scan
// repeated until it has `scans`. Inside a scan every 0xFF byte is followed by 0 or a restart
// marker, so "FF DA" only ever starts a scan.
QByteArray jpegWithScans(const QImage& picture, int scans) {
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(true);
  EXPECT_TRUE(writer.write(picture));
  const QByteArray start("\xFF\xDA");
  const qsizetype last = jpeg.lastIndexOf(start);
  const QByteArray scan = jpeg.mid(last, jpeg.size() - 2 - last);
  return jpeg.chopped(2) + scan.repeated(scans - int(jpeg.count(start))) + "\xFF\xD9";
}

// Every scan costs a pass over the whole picture, and its data more: the larger the picture, the
// fewer scans it may have, and the fewer bytes of data with them.
TEST(HostilePictures, AJpegWithMoreScansThanItsSizeAllowsIsRefusedBeforeDecoding) {
  const struct { int side, scans, data; bool reads; } cases[] = {
      {320, 10, 0, true}, {320, 100, 0, true}, {320, 101, 0, false}, {7000, 25, 0, false}, {3500, 97, 2'000'000, false}};
  QTemporaryDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.side << " pixels square, " << c.scans << " scans, " << c.data << " bytes more");
    const QImage drawn = solidImage(c.side, c.side, 0x336699);
    QByteArray jpeg = jpegWithScans(drawn, c.scans);
    jpeg.insert(jpeg.size() - 2, QByteArray(c.data, 0));  // into the last scan's data
    writeBytes(dir.filePath("scans.jpg"), jpeg);
    const qint64 started = threadCpuMilliseconds();
    QImage picture;
    QString reason;
    EXPECT_EQ(readPictureFile(dir.filePath("scans.jpg"), &picture, &reason), c.reads);
    EXPECT_EQ(decodeOfferedPicture(jpeg).isNull(), !c.reads);
    if (c.reads) {
      EXPECT_LE(channelDistance(picture.pixel(5, 5), drawn.pixel(5, 5)), LossyTolerance);
      continue;
    }
    EXPECT_LT(threadCpuMilliseconds() - started, 1000);
    EXPECT_EQ(reason, c.scans > 100 ? QStringLiteral("scans.jpg: too many scans (%1)").arg(c.scans)
                                    : QStringLiteral("scans.jpg: too costly to decode (%1 x %1 pixels)").arg(c.side));
  }
}

// A TIFF of `size` whose JPEG `strips` hold `rowsPerStrip` rows each: YCbCr at half resolution
// both ways, as Qt writes it, or with its planes apart, the strips of each plane in turn (two or
// more strips in all).
QByteArray jpegTiff(QSize size, int rowsPerStrip, const QList<QByteArray>& strips, bool bigEndian, bool planesApart = false) {
  const quint32 count = quint32(strips.size());
  enum : quint32 { Short = 3, Long = 4, Entries = 10, Arrays = 8 + 2 + 12 * Entries + 4 };
  const struct { quint32 tag, type, count, value; } entries[Entries] = {
      {256, Long, 1, quint32(size.width())}, {257, Long, 1, quint32(size.height())}, {258, Short, 1, 8},
      {259, Short, 1, 7}, {262, Short, 1, planesApart ? 2u : 6u}, {273, Long, count, Arrays}, {277, Short, 1, 3},
      {278, Long, 1, quint32(rowsPerStrip)}, {279, Long, count, Arrays + 4 * count}, {284, Short, 1, planesApart ? 2u : 1u}};
  QByteArray tiff(bigEndian ? "MM\0*" : "II*\0", 4);
  const auto put = [&](quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) tiff.append(char(value >> 8 * (bigEndian ? bytes - 1 - i : i)));
  };
  put(8, 4);
  put(Entries, 2);
  for (const auto& e : entries) {
    put(e.tag, 2);
    put(e.type, 2);
    put(e.count, 4);
    put(e.value << (e.type == Short && bigEndian ? 16 : 0), 4);
  }
  put(0, 4);
  quint32 at = Arrays + 8 * count;
  for (const QByteArray& strip : strips) put(std::exchange(at, at + quint32(strip.size())), 4);
  for (const QByteArray& strip : strips) put(quint32(strip.size()), 4);
  return tiff + strips.join();
}

// libtiff decodes each strip of a JPEG-compressed TIFF as a JPEG of its own: the scans of all
// strips together may cost no more than those of one JPEG of the whole picture.
TEST(HostilePictures, AJpegCompressedTiffWithMoreScansThanItsSizeAllowsIsRefused) {
  const struct { int side, rowsPerStrip, scans; bool bigEndian, reads; } cases[] = {
      {320, 64, 10, false, true}, {320, 64, 10, true, true}, {4000, 500, 99, true, false}};
  QTemporaryDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.side << " pixels square, " << c.scans << " scans a strip"
                                    << (c.bigEndian ? ", big-endian" : ""));
    const QList<QByteArray> strips(c.side / c.rowsPerStrip, jpegWithScans(solidImage(c.side, c.rowsPerStrip, 0x808080), c.scans));
    const QByteArray tiff = jpegTiff(QSize(c.side, c.side), c.rowsPerStrip, strips, c.bigEndian);
    writeBytes(dir.filePath("scans.tif"), tiff);
    const qint64 started = threadCpuMilliseconds();
    QImage picture;
    QString reason;
    EXPECT_EQ(readPictureFile(dir.filePath("scans.tif"), &picture, &reason), c.reads) << reason.toStdString();
    EXPECT_EQ(decodeOfferedPicture(tiff).isNull(), !c.reads);
    if (c.reads) {
      EXPECT_LE(channelDistance(picture.pixel(5, 300), qRgb(128, 128, 128)), LossyTolerance);
      continue;
    }
    EXPECT_LT(threadCpuMilliseconds() - started, 1000);
    EXPECT_EQ(reason, QStringLiteral("scans.tif: too costly to decode (%1 x %1 pixels)").arg(c.side));
  }
}

QByteArray be16(int v) { return QByteArray(1, char(v >> 8)) + char(v); }

// An 8 x 8 JPEG with `count` segments of `marker`, each holding `payload`, after its start.
QByteArray jpegWithSegments(int marker, int count, const QByteArray& payload = {}) {
  const QByteArray jpeg = jpegWithScans(solidImage(8, 8, 0x336699), 10);
  const QByteArray segment = QByteArray(1, '\xFF') + char(marker) + be16(2 + int(payload.size())) + payload;
  return jpeg.left(2) + segment.repeated(count) + jpeg.mid(2);
}

// A grey JPEG of `side` pixels square and headers only, its decoder reading zeros for the data:
// the frame header `frame`, `tables`, then `scans` (each from its count of components on), each
// followed by `data`.
QByteArray greyJpeg(int side, int frame, const QByteArray& tables, const QList<QByteArray>& scans, const QByteArray& data = {}) {
  QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xDB\0\x43\0", 7) + QByteArray(64, 1) + QByteArray(1, '\xFF') + char(frame) +
                    be16(11) + char(8) + be16(side) + be16(side) + QByteArray("\x01\x11\x11\0", 4) + tables;
  for (const QByteArray& scan : scans) jpeg += QByteArray("\xFF\xDA") + be16(2 + int(scan.size())) + scan + data;
  return jpeg + "\xFF\xD9";
}

// An arithmetic-coded grey JPEG of headers only: sequential, or a DC scan, an AC scan and
// `refinements` refinement scans.
QByteArray arithmeticJpeg(int side, int refinements) {
  const bool progressive = refinements > 0;
  const QByteArray component("\x01\x11\0", 3);
  QList<QByteArray> scans = {component + QByteArray(progressive ? "\0\0\0" : "\0\x3F\0", 3)};
  if (progressive) scans << component + "\x01\x3F\x01" << QList<QByteArray>(refinements, component + "\x01\x3F\x10");
  return greyJpeg(side, progressive ? 0xCA : 0xC9, {}, scans);
}

// A progressive grey JPEG of `scans` AC scans with a restart interval of one block, each scan
// `markers` restart markers and no data. The one code of its Huffman tables, 0, stands for a
// coefficient of 1 in the AC table, so the zeros read past each marker give a block every
// coefficient.
QByteArray restartJpeg(int side, int scans, int markers) {
  const QByteArray oneCode = QByteArray(1, 1) + QByteArray(15, 0);
  const QByteArray tables = QByteArray("\xFF\xC4\0\x26\0", 5) + oneCode + '\0' + '\x10' + oneCode + '\x01' +
                            QByteArray("\xFF\xDD\0\x04\0\x01", 6);
  const QByteArray eight("\xFF\xD0\xFF\xD1\xFF\xD2\xFF\xD3\xFF\xD4\xFF\xD5\xFF\xD6\xFF\xD7");
  const QByteArray data = eight.repeated(markers / 8) + eight.left(markers % 8 * 2);
  return greyJpeg(side, 0xC2, tables, QList<QByteArray>(scans, QByteArray("\x01\x11\0\x01\x3F\0", 6)), data);
}

// The width Qt's decoder reads the next code at, after the codes it has read: it widens once the
// table reaches the width's limit, which the smallest code sizes start at or past.
struct DecoderWidth {
  int minimum;
  int width = minimum + 1, next = (1 << minimum) + 2;
  bool first = true;  // after a clear code, which adds no string
  void follow(int code) {
    if (code == 1 << minimum) {
      width = minimum + 1;
      next = (1 << minimum) + 2;
      first = true;
    } else if (!std::exchange(first, false) && next < 4096 && ++next >= 1 << width && width < 12) {
      ++width;
    }
  }
};

// A GIF of 256 greys on a screen of `screen`, its one frame of `frame` given `codes` of the LZW
// minimum code size `minimum`, each as wide as the decoder reads it.
QByteArray gifWithCodes(QSize frame, int minimum, const QList<int>& codes, QSize screen = {16, 16}) {
  QByteArray data;
  quint32 held = 0;
  int bits = 0;
  DecoderWidth decoder{minimum};
  for (const int code : codes) {
    held |= quint32(code) << bits;
    for (bits += decoder.width; bits >= 8; bits -= 8, held >>= 8) data += char(held);
    decoder.follow(code);
  }
  data += char(held);
  QByteArray gif = "GIF89a" + le16(quint16(screen.width())) + le16(quint16(screen.height())) + QByteArray("\xF7\0\0", 3);
  for (int i = 0; i < 256; ++i) gif += QByteArray(3, char(i));
  gif += ',' + le16(0) + le16(0) + le16(quint16(frame.width())) + le16(quint16(frame.height())) + '\0' + char(minimum);
  for (qsizetype at = 0; at < data.size(); at += 255) gif += char(qMin<qsizetype>(255, data.size() - at)) + data.mid(at, 255);
  return gif + QByteArray("\0;", 2);
}

// A GIF whose frame's codes fill the LZW table with ever longer strings, then repeat the longest
// `repeats` times: millions of pixels drawn past a frame of 256. The smallest code sizes read the
// first codes past the table too narrow to hold them: pixel 0 stands in. With the largest, the
// table is full from the start and each code draws one pixel.
QByteArray gifWithLongCodes(int repeats, int minimum = 8, QSize frame = {16, 16}) {
  const int clear = 1 << minimum;
  QList<int> codes = {clear, 0};
  for (int next = clear + 2; next < 4096; ++next) codes << (next > 4 ? next : 0);
  return gifWithCodes(frame, minimum, codes << QList<int>(repeats, 4095) << clear + 1);
}

// A GIF whose frame's codes, after each clear, alternate a code past the table with a grey, each
// string of the second kind leading through the next ones to a known length a thousand strings
// on; then name those, from the start of that way or from its end: `tables` times, 4.5 KB each.
QByteArray gifWithUnknownStrings(QSize frame, int tables, bool fromTheEnd = false) {
  QList<int> codes;
  for (int table = 0; table < tables; ++table) {
    codes << 2048 << 0;
    for (int next = 2050; next <= 4094; next += 2) codes << qMin(next + 3, 4094) << next / 2 % 256;
    for (int string = 0; string < 1022; ++string) codes << (fromTheEnd ? 4093 - 2 * string : 2051 + 2 * string);
  }
  return gifWithCodes(frame, 11, codes << 2049);
}

// The thread's processor time that finding where Qt's decoder stops in `gif` takes.
qint64 walkMilliseconds(const QByteArray& gif) {
  const qint64 started = threadCpuMilliseconds();
  (void)picturewalks::gifFrameCut(picturewalks::Bytes::of(gif));
  return threadCpuMilliseconds() - started;
}

// A picture of `size` in the first 2^`minimum` greys, as an encoder writes it: a clear code first
// and whenever the table is full, each string as long as the table holds whose code fits the width
// the decoder reads it at.
QByteArray ordinaryGif(QSize size, int minimum) {
  const int clear = 1 << minimum;
  QList<int> codes;
  DecoderWidth decoder{minimum};
  const auto put = [&](int code) {
    codes << code;
    decoder.follow(code);
  };
  QHash<int, int> longer;  // a string's code << 8 | the index after it -> the code of both
  int next = clear + 2;
  quint32 noise = 1;
  const auto index = [&] { return int((noise = noise * 1103515245 + 12345) >> 16) & (clear - 1); };
  put(clear);
  int string = index();
  for (int i = 1; i < size.width() * size.height(); ++i) {
    const int following = index();
    const auto found = longer.constFind(string << 8 | following);
    if (found != longer.cend() && *found < 1 << decoder.width) {
      string = *found;
      continue;
    }
    put(string);
    if (next < 4096) {
      longer.insert(string << 8 | following, next++);
    } else {
      put(clear);
      longer.clear();
      next = clear + 2;
    }
    string = following;
  }
  put(string);
  put(clear + 1);
  return gifWithCodes(size, minimum, codes, size);
}

// Each case would cost the decoder seconds or gigabytes. It is read as it would be without what
// costs that (the reference), or refused, within a second (or what a case says), from a file and
// when offered. Where a case gives codes that cost the GIF walk least, it costs the walk as little.
TEST(HostilePictures, WhatADecoderWouldFollowIsBoundedBeforeItRuns) {
  const QByteArray png = pngWithLongImageData(4096, 1), row = pngWithLongImageData(0, 1);
  const QByteArray wide = jpegWithScans(solidImage(16384, 1, 0x808080), 10);
  QByteArray tall = wide;
  tall.replace(tall.indexOf("\xFF\xC2") + 5, 2, be16(65500));  // the frame's height
  const QByteArray greyWide = jpegWithScans(QImage(16384, 1, QImage::Format_Grayscale8), 6);
  QByteArray greyTall = greyWide;
  greyTall.replace(greyTall.indexOf("\xFF\xC2") + 5, 2, be16(65500));
  const QByteArray alphaDib = le32(40) + le32(2) + le32(1) + le16(1) + le16(32) + le32(6) + le32(8) + QByteArray(16, 0) +
                              le32(0xFF0000) + le32(0xFF00) + le32(0xFF) + le32(0xFF000000) + le32(0xFFFF0000) + le32(0xFF0000FF);
  const struct { const char* name; QByteArray bytes, reference; const char* refusal; qint64 milliseconds = 1000;
                 QByteArray cheapestWalk = {}; } cases[] = {
      {"comments.jpg", jpegWithSegments(0xFE, 40'000), jpegWithSegments(0xFE, 1), nullptr},
      {"exif.jpg", jpegWithSegments(0xE1, 40'000, "Exif"), jpegWithSegments(0xE1, 1, "Exif"), nullptr},
      {"icc.jpg", jpegWithSegments(0xE2, 40'000), jpegWithSegments(0xE2, 1), nullptr},
      {"cut.jpg", jpegWithSegments(0xFE, 300, "comment").left(2 + 11 * 299 + 6), {}, "damaged"},
      {"tables.jpg", jpegWithSegments(0xDB, 70'000, QByteArray(1, 0) + QByteArray(64, 1)), {}, "damaged"},
      {"unknown.jpg", jpegWithSegments(0xE5, 100'000), jpegWithSegments(0xE5, 1), nullptr},
      {"data.png", png, row, nullptr},
      {"chunks.png", pngWithLongImageData(4096, 5000), row, nullptr},
      {"data.ico", iconFile({png}), iconFile({row}), nullptr},
      {"codes.gif", gifWithLongCodes(1'000'000), gifWithLongCodes(0), nullptr},
      {"tall.tif", jpegTiff({16384, 2}, 1, {wide, tall}, false), {}, "damaged"},
      {"planes.tif", jpegTiff({16384, 2}, 1, {greyWide, greyTall, greyWide, greyTall, greyWide, greyTall}, true, true), {}, "damaged"},
      {"arithmetic.jpg", arithmeticJpeg(6200, 29), {}, "too costly to decode (6200 x 6200 pixels)"},
      {"alpha.dib", alphaDib.chopped(4), {}, "truncated"},
      // Scans that the picture's size allows, but for 400 restart markers in each.
      {"restarts.jpg", restartJpeg(3500, 97, 400), {}, "too costly to decode (3500 x 3500 pixels)"},
      {"frame.gif", gifWithLongCodes(100'000, 8, {65535, 65535}), {}, "too large (65535 x 65535 pixels)"},
      // 10 MB of codes refused from the header alone; at the pixel limit, read with two decodes of
      // 50 megapixels, the strings named from the start of their way cost the walk no more than from its end.
      {"strings.gif", gifWithUnknownStrings({65535, 65535}, 2300), {}, "too large (65535 x 65535 pixels)", 300},
      {"limit.gif", gifWithUnknownStrings({7071, 7071}, 2300), gifWithUnknownStrings({7071, 7071}, 100), nullptr, 2000,
       gifWithUnknownStrings({7071, 7071}, 2300, true)},
      // With the largest code size, a code past the table after another one has no string.
      {"widest.gif", gifWithCodes({16, 1}, 12, {4096, 1, 4098, 4098, 4097}), gifWithCodes({16, 1}, 12, {4096, 1, 4098, 4097}),
       nullptr}};
  QTemporaryDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QString::fromLatin1(c.name);
    const BoundedRead r = readBounded(dir, name, c.bytes, c.milliseconds);
    if (!c.cheapestWalk.isEmpty()) EXPECT_LE(walkMilliseconds(c.bytes), 3 * walkMilliseconds(c.cheapestWalk) + 10);
    if (c.refusal) {
      EXPECT_EQ(r.reason, QStringLiteral("%1: %2").arg(name, c.refusal));
      EXPECT_TRUE(r.offered.isNull());
      continue;
    }
    ASSERT_TRUE(r.read) << r.reason.toStdString();
    writeBytes(dir.filePath(name), c.reference);
    QImage reference;
    QString reason;
    ASSERT_TRUE(readPictureFile(dir.filePath(name), &reference, &reason)) << reason.toStdString();
    EXPECT_TRUE(sameImage(reference, r.picture));
    EXPECT_TRUE(sameImage(reference, r.offered));
  }
}

// At every code size Qt's decoder takes, a frame whose codes fill the table and then repeat the
// longest string is read within a second, as far as its pixels, and an ordinary picture of each
// size an encoder writes reads with Qt's pixels: the codes are read as the decoder reads them, also
// one far past the table, which repeats the string before, and one the decoder refuses, which
// leaves the file refused as the decoder refuses it.
TEST(HostilePictures, GifCodesAreReadAsTheDecoderReadsThemAtEveryCodeSize) {
  struct Case { std::string name; QByteArray bytes, reference; };
  QList<int> codes = {256, 0, 300};
  for (int i = 3; i < 256; ++i) codes << i;
  const QByteArray pastTable = gifWithCodes({16, 16}, 8, codes << 257);
  // Refused in the first 4 KB that the decoder reads, of more.
  const QByteArray refused = gifWithCodes({16, 16}, 8, QList<int>{256, 258, 258} << QList<int>(4000, 0) << 257);
  std::vector<Case> cases = {{"a code far past the table", pastTable, pastTable}, {"a code refused", refused, refused}};
  for (int minimum = 0; minimum <= 12; ++minimum) {
    cases.push_back({"long codes of size " + std::to_string(minimum), gifWithLongCodes(200'000, minimum),
                     gifWithLongCodes(256, minimum)});
    if (minimum <= 8) {
      const QByteArray ordinary = ordinaryGif({96, 64}, minimum);
      cases.push_back({"a picture of size " + std::to_string(minimum), ordinary, ordinary});
    }
  }
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BoundedRead r = readBounded(dir, QStringLiteral("codes.gif"), c.bytes);
    const QImage qt = QImage::fromData(c.reference, "gif").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(r.read, !qt.isNull()) << r.reason.toStdString();
    if (qt.isNull()) {
      EXPECT_TRUE(r.offered.isNull());
      continue;
    }
    EXPECT_TRUE(sameImage(qt, r.picture));
    EXPECT_TRUE(sameImage(qt, r.offered));
  }
}

// A cut running past the end of the bytes, as one of a file cut short does, stops at their end,
// whatever lies after them.
TEST(PictureWalks, ACutPastTheEndOfTheBytesStopsThere) {
  const QByteArray memory("JPEG bytes, then other bytes");
  const QByteArray bytes = QByteArray::fromRawData(memory.constData(), 10);
  EXPECT_EQ(picturewalks::withCuts(bytes, {{4, 16, "!"}}), QByteArray("JPEG!"));
}

// What a JPEG's scans cost, summed over 31 MB of scan headers of 255 components each (more than
// the decoder takes) of a picture far beyond the limits, is more than 64 bits hold: the most
// there is, never a sum that overflowed.
TEST(PictureWalks, CostsBeyondWhat64BitsHoldAreTheMostThereIs) {
  const QByteArray scan = '\xFF' + QByteArray("\x11\0", 2).repeated(255) + QByteArray("\0\x3F\0", 3);
  const QByteArray jpeg = greyJpeg(65535, 0xC9, {}, QList<QByteArray>(60'000, scan));
  EXPECT_EQ(picturewalks::jpegLayout(picturewalks::Bytes::of(jpeg)).passedPixels, std::numeric_limits<qint64>::max());
}

// Ordinary pictures of the kinds bounded above read whole, and as drawn where the format keeps
// every pixel: also GIFs whose whole first frame is followed by no trailer, a second frame cut
// short or stray bytes, and an icon of a PNG larger than the 256 x 256 its directory can name.
TEST(PictureReader, ReadsOrdinaryPicturesOfTheBoundedKinds) {
  QImage described = positionPicture(64, 48);
  described.setColorSpace(QColorSpace::SRgb);  // written as an ICC profile
  const QByteArray icc = jpegWithScans(described, 10);
  const QByteArray exif = QByteArray("\xFF\xE1", 2) + be16(2 + 6 + 14) + QByteArray("Exif\0\0II*\0", 10) + le32(8) + le16(0) + le32(0);
  QTemporaryDir dir;
  ASSERT_TRUE(writePictureFile(dir.filePath("one.gif"), positionPicture(64, 48), PictureFormat::Gif, 0));
  const QByteArray gif = bytesOf(dir.filePath("one.gif"));
  const qsizetype frameAt = 13 + (3 << ((gif.at(10) & 7) + 1));
  QImage greys(16, 16, QImage::Format_RGB32);
  QList<int> greyCodes = {256};
  for (int i = 0; i < 256; ++i) {
    greys.setPixel(i % 16, i / 16, qRgb(i, i, i));
    greyCodes << i;
  }
  const QImage large = positionPicture(1024, 1024);
  ASSERT_TRUE(writePictureFile(dir.filePath("large.png"), large, PictureFormat::Png, 0));
  // Listed as 0 x 0: 256 or more.
  const QByteArray icon = iconFile({bytesOf(dir.filePath("large.png"))}).replace(6, 2, QByteArray(2, 0));
  const QList<QByteArray> greyStrips(6, jpegWithScans(solidImage(320, 128, 0x808080).convertToFormat(QImage::Format_Grayscale8), 6));
  const struct { const char* name; QByteArray bytes; QSize size; QImage drawn; } cases[] = {
      {"described.jpg", icc.left(2) + exif + icc.mid(2), {64, 48}, {}},
      {"animated.gif", gif.chopped(1) + gif.mid(frameAt), {64, 48}, {}},
      {"untrailed.gif", gifWithCodes({16, 16}, 8, greyCodes << 257).chopped(1), {16, 16}, greys},
      {"second frame cut.gif", gif.chopped(1) + gif.mid(frameAt).chopped(20), {64, 48}, {}},
      {"stray bytes.gif", gif.chopped(1) + QByteArray(7, '\x99'), {64, 48}, {}},
      {"large.ico", icon, {1024, 1024}, large},
      {"sequential.jpg", arithmeticJpeg(1000, 0), {1000, 1000}, {}},
      {"progressive.jpg", arithmeticJpeg(1000, 2), {1000, 1000}, {}},
      {"restarts.jpg", restartJpeg(320, 10, 40 * 40 - 1), {320, 320}, {}},
      {"planes.tif", jpegTiff({320, 256}, 128, greyStrips, false, true), {320, 256}, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(dir.filePath(c.name), c.bytes);
    QImage picture;
    QString reason;
    ASSERT_TRUE(readPictureFile(dir.filePath(c.name), &picture, &reason)) << reason.toStdString();
    EXPECT_EQ(picture.size(), c.size);
    EXPECT_EQ(decodeOfferedPicture(c.bytes).size(), c.size);
    if (!c.drawn.isNull()) EXPECT_TRUE(sameImage(c.drawn, picture));
  }
}

// Every colour type at every depth, with a transparent grey, colour or palette entries where it
// may have them, a gamma to leave alone, row by row and in seven passes, at sizes that leave
// passes empty: the PNG reader gives Qt's decoder's format and pixels.
TEST(PngReader, GivesTheFormatAndPixelsOfQtsDecoder) {
  const auto palette = [](int colours) {
    QByteArray entries;
    for (int i = 0; i < colours; ++i) entries.append(char(i)).append(char(255 - i)).append(char(i * 7));
    return pngChunk("PLTE", entries);
  };
  const QByteArray grey = pngChunk("tRNS", QByteArray(2, 0)), colour = pngChunk("tRNS", QByteArray(6, 0));
  const QByteArray alphas = pngChunk("tRNS", QByteArray::fromHex("0080ff07")), gamma = pngChunk("gAMA", be32(45455));
  const struct { int type, depth; QByteArray chunks; } cases[] = {
      {0, 1, {}}, {0, 2, {}}, {0, 4, {}}, {0, 8, {}}, {0, 16, {}}, {0, 1, grey}, {0, 4, grey}, {0, 8, grey},
      {0, 16, grey}, {2, 8, {}}, {2, 16, {}}, {2, 8, colour}, {3, 1, palette(2)}, {3, 2, palette(4) + alphas},
      {3, 4, palette(16)}, {3, 8, palette(256) + alphas}, {3, 2, palette(3)},  // indices past the palette
      {4, 8, {}}, {4, 16, {}}, {6, 8, {}}, {6, 16, {}}};
  for (const auto& c : cases)
    for (bool interlaced : {false, true})
      for (QSize size : {QSize(13, 11), QSize(1, 1), QSize(3, 2), QSize(1, 9)}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.depth << " bits, " << c.chunks.left(8).mid(4).data()
                                        << (interlaced ? ", interlaced, " : ", ") << size.width() << " x " << size.height());
        const QByteArray png = pngOfSamples(size, c.type, c.depth, interlaced, gamma + c.chunks);
        QImage qt = QImage::fromData(png, "png");
        const QImage ours = decodePng(png);
        ASSERT_FALSE(qt.isNull());
        qt.setColorSpace({});  // what the gamma leads to, which Marvane has no use for
        EXPECT_EQ(ours.format(), qt.format());
        EXPECT_TRUE(ours.convertToFormat(QImage::Format_RGBA64) == qt.convertToFormat(QImage::Format_RGBA64));
      }
  // Save one: Qt's decoder lays out a 16-bit colour picture with a transparent colour out of step.
  QImage opaque = decodePng(pngOfSamples({3, 2}, 2, 16, false)).convertToFormat(QImage::Format_RGBA64);
  opaque.setPixelColor(0, 0, Qt::transparent);
  EXPECT_TRUE(decodePng(pngOfSamples({3, 2}, 2, 16, false, colour)) == opaque);
}

// Up to the reader's own limit of pixels, whatever Qt allows by default (some 33 megapixels).
TEST(PictureReader, ReadsPicturesUpToItsOwnLimit) {
  QTemporaryDir dir;
  const QSize fortyMegapixels(8000, 5000);
  ASSERT_TRUE(solidImage(fortyMegapixels.width(), fortyMegapixels.height(), 0x336699).save(dir.filePath("big.png"), "png", 0));
  QImage picture;
  QString reason;
  ASSERT_TRUE(readPictureFile(dir.filePath("big.png"), &picture, &reason)) << reason.toStdString();
  EXPECT_EQ(picture.size(), fortyMegapixels);
  EXPECT_EQ(pixelAt(picture, 7999, 4999), 0x336699);
}

// Another program emptying and writing the file again and again while it is read over and
// over: every read gives the whole picture or a reason naming the file, and none brings the
// program down.
TEST(PictureReader, AFileRewrittenWhileItIsReadNeverBringsTheReaderDown) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("CPTEMP00.bmp"));
  const QImage drawn = positionPicture(1600, 1200);
  const QByteArray whole = bmpBytes(drawn);
  const std::jthread rewriter([&](std::stop_token stop) {
    while (!stop.stop_requested()) writeBytes(path, whole);
  });
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 20'000) {
    QImage picture;
    QString reason;
    if (readPictureFile(path, &picture, &reason)) ASSERT_EQ(picture.size(), drawn.size());
    else ASSERT_TRUE(reason.startsWith(QStringLiteral("CPTEMP00.bmp: "))) << reason.toStdString();
  }
}

TEST(PictureReader, ThumbnailDecodeOfAJpegStaysAtLeastTheBox) {
  QTemporaryDir dir;
  QImage quadrants(1600, 1200, QImage::Format_RGB32);
  quadrants.fill(qRgb(255, 0, 0));
  QPainter(&quadrants).fillRect(0, 600, 1600, 600, Qt::blue);
  ASSERT_TRUE(quadrants.save(dir.filePath("big.jpg"), "jpeg", 90));
  QImage thumbnail;
  ASSERT_TRUE(readPictureFile(dir.filePath("big.jpg"), &thumbnail, nullptr, QSize(101, 81)));
  EXPECT_EQ(thumbnail.size(), QSize(200, 150));  // an eighth: the smallest that covers the box
  EXPECT_LE(channelDistance(thumbnail.pixel(100, 30), qRgb(255, 0, 0)), LossyTolerance);
  EXPECT_LE(channelDistance(thumbnail.pixel(100, 120), qRgb(0, 0, 255)), LossyTolerance);
  ASSERT_TRUE(readPictureFile(dir.filePath("big.jpg"), &thumbnail, nullptr, QSize(320, 256)));
  EXPECT_EQ(thumbnail.size(), QSize(400, 300));
}

// Every written format reads back as the picture (JPEG within its tolerance) with the header's
// bits per pixel where checked; a failed write keeps the old file and leaves nothing else.
TEST(PictureWriter, RoundTripKeepsThePictureAndAFailedWriteTheOldFile) {
  const QImage picture = QImage(samplePath(QStringLiteral("base.ppm"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(picture.isNull());
  const struct { PictureFormat format; const char* name; int bitsAt; } formats[] = {
      {PictureFormat::Bmp, "out.bmp", 28}, {PictureFormat::Dib, "out.dib", 28}, {PictureFormat::Png, "out.png", -1},
      {PictureFormat::Tiff, "out.tif", -1}, {PictureFormat::Tga, "out.tga", 16}, {PictureFormat::Pcx, "out.pcx", 3},
      {PictureFormat::Gif, "out.gif", -1}, {PictureFormat::Jpeg, "out.jpg", -1}};
  for (const auto& w : formats) {
    SCOPED_TRACE(w.name);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(w.name));
    QString reason;
    ASSERT_TRUE(writePictureFile(path, picture, w.format, PicBuf::DefaultJpegQuality, &reason)) << reason.toStdString();
    const QByteArray bytes = bytesOf(path);
    if (w.bitsAt >= 0) EXPECT_EQ(int(uchar(bytes.at(w.bitsAt))), w.format == PictureFormat::Pcx ? 8 : 24);
    if (w.format == PictureFormat::Pcx) EXPECT_EQ(int(bytes.at(65)), 3);  // planes
    if (w.format == PictureFormat::Dib) EXPECT_TRUE(bytes.startsWith("BM"));
    QImage back;
    ASSERT_TRUE(readPictureFile(path, &back, &reason)) << reason.toStdString();
    ASSERT_EQ(back.size(), picture.size());
    if (w.format == PictureFormat::Jpeg) expectCheckpoints(back, QStringLiteral("base"), Check::Lossy);
    else EXPECT_EQ(back, picture);

    writeBytes(path, "old");
    reason.clear();
    EXPECT_FALSE(writePictureFile(path, QImage(), w.format, PicBuf::DefaultJpegQuality, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(bytesOf(path), QByteArray("old"));
    EXPECT_FALSE(writePictureFile(dir.filePath(QStringLiteral("no folder/") + QString::fromLatin1(w.name)), picture,
                                  w.format, PicBuf::DefaultJpegQuality, &reason));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromLatin1(w.name)});
  }
}

// ---------------------------------------------------------------- the image buffer's store

// The format comes from the code, else from the name, and is reset after every store; the magic
// is how the written file starts, empty when nothing may be written.
TEST(PicBufStore, FormatComesFromTheCodeOrTheNameAndIsResetEveryTime) {
  const struct { int imageFormat, writeCompression; const char* name; QByteArray magic; } stores[] = {
      {PicBuf::Jpeg, 65, "coded.png", "\xFF\xD8\xFF"},  // the code wins over the name
      {PicBuf::NoFormat, 0, "named.jpeg", "\xFF\xD8\xFF"},
      {PicBuf::NoFormat, 0, "named.TGA", QByteArray("\0\0\x02", 3)},
      {PicBuf::Png, 0, "coded.bmp", "\x89PNG"},
      {PicBuf::Fif, 0, "coded.fif", {}},
      {PicBuf::NoFormat, 0, "unknown.xyz", {}},
      {8, 0, "unknowncode.bmp", {}},
  };
  QTemporaryDir dir;
  PicBuf buffer(nullptr);
  buffer.setPicture(QImage(16, 8, QImage::Format_RGB32));
  for (const auto& s : stores) {
    SCOPED_TRACE(s.name);
    buffer.imageFormat = s.imageFormat;
    buffer.writeCompression = s.writeCompression;
    buffer.fileName = dir.filePath(QString::fromLatin1(s.name));
    QString reason;
    EXPECT_EQ(buffer.store(&reason), !s.magic.isEmpty()) << reason.toStdString();
    EXPECT_EQ(std::tuple(buffer.imageFormat, buffer.writeCompression), std::tuple(int(PicBuf::NoFormat), 0));
    EXPECT_EQ(bytesOf(buffer.fileName).left(s.magic.size()), s.magic);
    EXPECT_EQ(QFile::exists(buffer.fileName), !s.magic.isEmpty());
  }
}

}  // namespace
