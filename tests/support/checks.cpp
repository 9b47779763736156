#include "tests/support/checks.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

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

QByteArray bmpBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "bmp").write(image);
  return bytes;
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

QString samplePath(const QString& name) { return QStringLiteral(MARVANE_SAMPLES "/") + name; }
