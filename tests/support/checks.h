#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

// A file of the sample pictures kept with the tests (tests/data/pictures).
QString samplePath(const QString& name);

// Readable failures for Qt's strings.
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QByteArray& b, std::ostream* os);

// Pixel helpers: colours are the program's BGR longs.
long pixelAt(const QImage& img, int x, int y);
int countColour(const QImage& img, long bgr, const QRect& area = QRect());
// Equal images, or a failure naming the first differing pixel and both colours.
::testing::AssertionResult sameImage(const QImage& expected, const QImage& actual);
// The largest difference of one channel between two colours.
int channelDistance(QRgb a, QRgb b);
// How far a pixel of a JPEG sample may lie from the colour it was drawn in.
constexpr int LossyTolerance = 64;
// A plain picture of one colour.
QImage solidImage(int w, int h, long bgr);
// A 256-row picture whose every column differs: red and green number the column, blue is the row
// plus `tone`, so a copy shows which source column each of its columns came from.
QImage columnPattern(int width, int tone = 0);
// Every pixel tells where it lies, so a turn, mirror or stretch shows everywhere. Its blue never
// falls below 0x80: no solid fill colour, overlay key or globe marker occurs in it.
QImage positionPicture(int w, int h);
// A picture as the bytes of a BMP file.
QByteArray bmpBytes(const QImage& image);
// Little-endian fields of the file formats written by hand.
QByteArray le16(quint16 v);
QByteArray le32(quint32 v);
// Big-endian fields, and a PNG chunk of `type` holding `data` with its length and checksum.
QByteArray be32(quint32 v);
QByteArray pngChunk(const char* type, const QByteArray& data);
// A PNG of `size` written sample by sample: `colourType` at `depth` bits, each sample a value of
// its place and channel (0 for every channel of the top left pixel), rows unfiltered, in seven
// passes when `interlaced`; `chunks` come before the image data.
QByteArray pngOfSamples(QSize size, int colourType, int depth, bool interlaced, const QByteArray& chunks = {});
// A PNG of `picture` with `chunks` zTXt chunks before its pixels, each a few KB that inflate to
// `inflated` bytes.
QByteArray pngWithTextChunks(const QImage& picture, int chunks, int inflated);
// A 1 x 1 PNG whose image data, spread over `chunks` chunks, inflates to `megabytes` of zeros
// past its one row.
QByteArray pngWithLongImageData(int megabytes, int chunks);
// An icon file (ICO) holding `images` as they are, each listed as 32 x 32.
QByteArray iconFile(const QList<QByteArray>& images);

// Runs a tool in `directory` and gives its standard output; a tool that fails fails the test.
QByteArray runTool(const QString& program, const QStringList& arguments, const QString& directory);
// Links g0.ico .. g<groups - 1>.ico of `directory`, group g as icon resource g + 1, into
// <target>.dll there with the MinGW tools for `target` ("x86_64" or "i686").
void linkIconLibrary(const QString& directory, int groups, const QString& target);

// An environment variable set for the object's lifetime, then given back what it was (or unset).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<QByteArray> before_;
};

// Files are made and opened on this thread as an ordinary user, the owner of `folder` and of
// everything in it, so that permissions bind even when the tests run as the superuser.
class AsOrdinaryUser {
 public:
  explicit AsOrdinaryUser(const QString& folder);
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

 private:
  bool superuser_;
};

// The processor time the calling thread has used, in milliseconds: unlike the wall clock, it does
// not run on while a busy machine gives the thread no turn.
qint64 threadCpuMilliseconds();

// Whole files; a file that cannot be read gives no bytes.
QByteArray bytesOf(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
