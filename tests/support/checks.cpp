#include "tests/support/checks.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <zlib.h>

#include "platform/colour.h"

void PrintTo(const QString& s, std::ostream* os) { *os << ::testing::PrintToString(s.toStdString()); }
void PrintTo(const QByteArray& b, std::ostream* os) { *os << ::testing::PrintToString(b.toStdString()); }

long pixelAt(const QImage& img, int x, int y) { return colour::fromQRgb(img.pixel(x, y)); }

int countColour(const QImage& img, long bgr, const QRect& area) {
  const QRect r = area.isNull() ? img.rect() : area.intersected(img.rect());
  const QRgb want = colour::toQRgb(bgr) & 0xFFFFFF;
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) == want) ++n;
  return n;
}

::testing::AssertionResult sameImage(const QImage& expected, const QImage& actual) {
  if (expected.size() != actual.size())
    return ::testing::AssertionFailure() << "size " << expected.width() << "x" << expected.height() << " vs "
                                         << actual.width() << "x" << actual.height();
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb a = expected.pixel(x, y) & 0xFFFFFF;
      const QRgb b = actual.pixel(x, y) & 0xFFFFFF;
      if (a != b)
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << "): expected #"
                                             << std::hex << a << ", got #" << b;
    }
  return ::testing::AssertionSuccess();
}

int channelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

QImage solidImage(int w, int h, long bgr) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour::toQRgb(bgr));
  return img;
}

QImage columnPattern(int width, int tone) {
  QImage img(width, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, colour::toQRgb(colour::rgb(x & 0xFF, x >> 8, (y + tone) & 0xFF)));
  return img;
}

QImage positionPicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x80 | (x >> 8) | ((y >> 8) << 3)));
  return img;
}

QByteArray bmpBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "bmp").write(image);
  return bytes;
}

QByteArray be32(quint32 v) { return QByteArray(reinterpret_cast<const char*>(&(v = qToBigEndian(v))), 4); }

QByteArray pngChunk(const char* type, const QByteArray& data) {
  const QByteArray body = QByteArray(type, 4) + data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
  return be32(quint32(data.size())) + body + be32(quint32(crc));
}

QByteArray le16(quint16 v) { return QByteArray(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 2); }
QByteArray le32(quint32 v) { return QByteArray(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 4); }

QByteArray pngWithTextChunks(const QImage& picture, int chunks, int inflated) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "png").write(picture);
  // A keyword, compression method 0, then a zlib stream (qCompress puts the length before it).
  const QByteArray text = pngChunk("zTXt", QByteArray("Comment\0\0", 9) + qCompress(QByteArray(inflated, 'x'), 9).mid(4));
  const qsizetype pixelsAt = png.indexOf("IDAT") - 4;
  return png.left(pixelsAt) + text.repeated(chunks) + png.mid(pixelsAt);
}

QByteArray pngWithLongImageData(int megabytes, int chunks) {
  // After a full flush the compressor forgets what came before: every megabyte of zeros
  // compresses to the same bytes, made once.
  z_stream stream{};
  deflateInit(&stream, 9);
  const auto compressed = [&](QByteArray in, int flush) {
    QByteArray out(qsizetype(deflateBound(&stream, uLong(in.size()))) + 64, 0);
    stream.next_in = reinterpret_cast<Bytef*>(in.data());
    stream.avail_in = uInt(in.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, flush);
    return out.chopped(qsizetype(stream.avail_out));
  };
  const QByteArray row = compressed(QByteArray("\0\x33\x66\x99", 4), Z_FULL_FLUSH);
  const QByteArray megabyte = compressed(QByteArray(1 << 20, 0), Z_FULL_FLUSH);
  const QByteArray data = row + megabyte.repeated(megabytes) + compressed({}, Z_FINISH);
  deflateEnd(&stream);
  QByteArray png = QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", be32(1) + be32(1) + QByteArray("\x08\x02\0\0\0", 5));
  const qsizetype step = (data.size() + chunks - 1) / chunks;
  for (qsizetype at = 0; at < data.size(); at += step) png += pngChunk("IDAT", data.mid(at, step));
  return png + pngChunk("IEND", {});
}

QByteArray pngOfSamples(QSize size, int colourType, int depth, bool interlaced, const QByteArray& chunks) {
  const int channels = QList<int>{1, 0, 3, 1, 2, 0, 4}.value(colourType);
  struct Pass { int x, y, dx, dy; };
  const QList<Pass> passes = interlaced ? QList<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                                        : QList<Pass>{{0, 0, 1, 1}};
  QByteArray rows;
  for (const Pass& p : passes)
    for (int y = p.y; y < size.height() && p.x < size.width(); y += p.dy) {
      rows += '\0';  // no filter
      quint32 held = 0;
      int bits = 0;
      for (int x = p.x; x < size.width(); x += p.dx)
        for (int c = 1; c <= channels; ++c) {
          held = held << depth | (quint32((x * 37 + y * 91) * c) * 2654435761u) >> (32 - depth);
          for (bits += depth; bits >= 8; bits -= 8) rows += char(held >> (bits - 8));
        }
      if (bits > 0) rows += char(held << (8 - bits));
    }
  const QByteArray header = be32(quint32(size.width())) + be32(quint32(size.height())) + char(depth) + char(colourType) +
                            QByteArray(2, 0) + char(interlaced);
  return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header) + chunks + pngChunk("IDAT", qCompress(rows).mid(4)) +
         pngChunk("IEND", {});
}

QByteArray iconFile(const QList<QByteArray>& images) {
  QByteArray directory = le16(0) + le16(1) + le16(quint16(images.size()));
  QByteArray data;
  for (const QByteArray& image : images) {
    const quint32 at = quint32(6 + 16 * images.size() + data.size());
    directory += QByteArray("\x20\x20\0\0", 4) + le16(1) + le16(32) + le32(quint32(image.size())) + le32(at);
    data += image;
  }
  return directory + data;
}

QByteArray runTool(const QString& program, const QStringList& arguments, const QString& directory) {
  QProcess process;
  process.setWorkingDirectory(directory);
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0)
      << qPrintable(program) << ": " << process.readAllStandardError().constData();
  return process.readAllStandardOutput();
}

void linkIconLibrary(const QString& directory, int groups, const QString& target) {
  QString rc;
  for (int g = 0; g < groups; ++g) rc += QStringLiteral("%1 ICON \"g%2.ico\"\n").arg(g + 1).arg(g);
  writeBytes(directory + QStringLiteral("/icons.rc"), rc.toUtf8());
  runTool(target + "-w64-mingw32-windres", {"--preprocessor=cat", "icons.rc", "-O", "coff", "-o", target + ".o"},
          directory);
  runTool(target + "-w64-mingw32-ld", {"--dll", "-e", "0", "-o", target + ".dll", target + ".o"}, directory);
}

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value) : name_(name) {
  if (qEnvironmentVariableIsSet(name)) before_ = qgetenv(name);
  qputenv(name, value);
}

ScopedEnv::~ScopedEnv() {
  if (before_)
    qputenv(name_, *before_);
  else
    qunsetenv(name_);
}

namespace {
constexpr uid_t Nobody = 65534;
}

AsOrdinaryUser::AsOrdinaryUser(const QString& folder) : superuser_(::geteuid() == 0) {
  if (!superuser_) return;
  EXPECT_EQ(::lchown(QFile::encodeName(folder).constData(), Nobody, Nobody), 0);
  QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) EXPECT_EQ(::lchown(QFile::encodeName(it.next()).constData(), Nobody, Nobody), 0);
  ::setfsuid(Nobody);
  EXPECT_EQ(::setfsuid(uid_t(-1)), int(Nobody));  // -1 changes nothing and tells the user in force
}

AsOrdinaryUser::~AsOrdinaryUser() {
  if (superuser_) ::setfsuid(0);
}

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

qint64 threadCpuMilliseconds() {
  timespec used{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
  return qint64(used.tv_sec) * 1000 + used.tv_nsec / 1'000'000;
}

QString samplePath(const QString& name) { return QStringLiteral(MARVANE_SAMPLES "/") + name; }
