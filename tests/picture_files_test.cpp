#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <cstdlib>

#include "platform/picbuf.h"
#include "platform/picturefile.h"
#include "tests/support/checks.h"

namespace {

QString corpus(const QString& name) { return samplePath(name); }

struct Checkpoint {
  int x, y;
  QRgb colour;
  bool quadrant;
};

// The corpus's checkpoints of one reference picture ("base", "base-32x32", "tiny-1x1", ...).
std::vector<Checkpoint> checkpoints(const QString& reference) {
  std::vector<Checkpoint> points;
  for (const QByteArray& line : bytesOf(corpus(QStringLiteral("checkpoints.tsv"))).split('\n')) {
    const QList<QByteArray> f = line.split('\t');
    if (f.size() == 8 && QString::fromUtf8(f[0]) == reference)
      points.push_back({f[1].toInt(), f[2].toInt(), qRgb(f[3].toInt(), f[4].toInt(), f[5].toInt()), f[7] == "quadrant"});
  }
  return points;
}

int channelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// JPEG files (within a tolerance) and metafiles (drawn with antialiased edges) are checked on the
// quadrants' interiors only.
enum class Check { Exact, Lossy, Interiors };
constexpr int LossyTolerance = 64;

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

struct CorpusFile {
  const char* file;
  const char* reference;
  QSize size;
  Check check;
};

class PictureFilesTest : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(PictureFilesTest, ReadsTheCheckpoints) {
  const CorpusFile& c = GetParam();
  QImage picture;
  QString reason;
  ASSERT_TRUE(readPictureFile(corpus(QString::fromLatin1(c.file)), &picture, &reason)) << reason.toStdString();
  ASSERT_EQ(picture.size(), c.size);
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  expectCheckpoints(picture, QString::fromLatin1(c.reference), c.check);
}

const QSize Base(320, 256);
INSTANTIATE_TEST_SUITE_P(
    Corpus, PictureFilesTest,
    ::testing::Values(
        CorpusFile{"base.bmp", "base", Base, Check::Exact}, CorpusFile{"base-rle8.bmp", "base", Base, Check::Exact},
        CorpusFile{"base.dib", "base", Base, Check::Exact}, CorpusFile{"base-packed.dib", "base", Base, Check::Exact},
        CorpusFile{"base.pcx", "base", Base, Check::Exact}, CorpusFile{"base.tga", "base", Base, Check::Exact},
        CorpusFile{"base-v2.tga", "base", Base, Check::Exact}, CorpusFile{"base.tif", "base", Base, Check::Exact},
        CorpusFile{"base.png", "base", Base, Check::Exact}, CorpusFile{"base.gif", "base", Base, Check::Exact},
        CorpusFile{"base.jpg", "base", Base, Check::Lossy},
        CorpusFile{"base.ico", "base-32x32", QSize(32, 32), Check::Exact},
        CorpusFile{"base.cur", "base-32x32", QSize(32, 32), Check::Exact},
        CorpusFile{"base.wmf", "base", Base, Check::Interiors}, CorpusFile{"base.emf", "base", Base, Check::Interiors},
        CorpusFile{"wide-640x480.png", "wide-640x480", QSize(640, 480), Check::Exact},
        CorpusFile{"tall-200x400.png", "tall-200x400", QSize(200, 400), Check::Exact},
        CorpusFile{"square-256x256.png", "square-256x256", QSize(256, 256), Check::Exact},
        CorpusFile{"narrow-100x300.jpg", "narrow-100x300", QSize(100, 300), Check::Lossy},
        CorpusFile{"wide-2x1-400x200.png", "wide-2x1-400x200", QSize(400, 200), Check::Exact},
        CorpusFile{"tiny-1x1.png", "tiny-1x1", QSize(1, 1), Check::Exact}),
    [](const auto& info) {
      return QString::fromLatin1(info.param.file).replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), "_").toStdString();
    });

class PictureReaderTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  // The refusal's reason; the picture handed in must come back untouched.
  QString refusal(const QString& file) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    const QImage kept = picture.copy();
    QString reason;
    EXPECT_FALSE(readPictureFile(file, &picture, &reason)) << file.toStdString();
    EXPECT_EQ(picture, kept) << file.toStdString();
    return reason;
  }
};

TEST_F(PictureReaderTest, RefusesWhatIsNoWholePictureAndSaysWhy) {
  writeBytes(dir.filePath("cut.bmp"), bytesOf(corpus(QStringLiteral("base.bmp"))).left(100000));
  writeBytes(dir.filePath("cut.gif"), bytesOf(corpus(QStringLiteral("base.gif"))).left(1000));
  const std::pair<QString, const char*> cases[] = {
      {corpus("truncated-half.jpg"), "truncated"},  {dir.filePath("cut.bmp"), "truncated"},
      {dir.filePath("cut.gif"), "truncated"},       {corpus("truncated-half.png"), "truncated"},
      {corpus("truncated-header.bmp"), "truncated"}, {corpus("huge-dimensions.bmp"), "too large (30000 x 30000 pixels)"},
      {corpus("zero-height.bmp"), "no pixels (320 x 0 pixels)"}, {corpus("not-a-picture.jpg"), "not a picture"},
      {corpus("empty.png"), "empty file"},          {corpus("random-bytes.tga"), "not a picture"},
      {dir.filePath("missing.bmp"), "cannot be read"}};
  for (const auto& [file, reason] : cases) EXPECT_EQ(refusal(file), QFileInfo(file).fileName() + ": " + reason);
}

TEST_F(PictureReaderTest, EmfNeedsItsConverter) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", dir.path().toLocal8Bit());
  const QString reason = refusal(corpus(QStringLiteral("base.emf")));
  qputenv("PATH", path);
  EXPECT_EQ(reason, QStringLiteral("base.emf: emf2svg-conv is not installed"));
}

TEST_F(PictureReaderTest, ThumbnailDecodeOfAJpegStaysAtLeastTheBox) {
  QImage quadrants(1600, 1200, QImage::Format_RGB32);
  quadrants.fill(qRgb(255, 0, 0));
  for (int y = 600; y < 1200; ++y)
    for (int x = 0; x < 1600; ++x) quadrants.setPixel(x, y, qRgb(0, 0, 255));
  ASSERT_TRUE(quadrants.save(dir.filePath("big.jpg"), "jpeg", 90));
  QImage thumbnail;
  ASSERT_TRUE(readPictureFile(dir.filePath("big.jpg"), &thumbnail, nullptr, QSize(101, 81)));
  EXPECT_EQ(thumbnail.size(), QSize(200, 150));  // an eighth: the smallest that covers the box
  EXPECT_LE(channelDistance(thumbnail.pixel(100, 30), qRgb(255, 0, 0)), LossyTolerance);
  EXPECT_LE(channelDistance(thumbnail.pixel(100, 120), qRgb(0, 0, 255)), LossyTolerance);
  ASSERT_TRUE(readPictureFile(dir.filePath("big.jpg"), &thumbnail, nullptr, QSize(320, 256)));
  EXPECT_EQ(thumbnail.size(), QSize(400, 300));
}

// ---------------------------------------------------------------- writers

struct WrittenFormat {
  PictureFormat format;
  const char* name;
  int bitsAt;  // offset of the bits per pixel in the header, -1 when not checked
  bool lossy;
};

class PictureWriterTest : public ::testing::TestWithParam<WrittenFormat> {
 protected:
  QTemporaryDir dir;
  QString path() const { return dir.filePath(QString::fromLatin1(GetParam().name)); }
  static QImage base() { return QImage(corpus(QStringLiteral("base.ppm"))).convertToFormat(QImage::Format_RGB32); }
};

TEST_P(PictureWriterTest, RoundTripKeepsThePicture) {
  const WrittenFormat& w = GetParam();
  const QImage picture = base();
  ASSERT_FALSE(picture.isNull());
  QString reason;
  ASSERT_TRUE(writePictureFile(path(), picture, w.format, PicBuf::DefaultJpegQuality, &reason)) << reason.toStdString();
  const QByteArray bytes = bytesOf(path());
  if (w.bitsAt >= 0) EXPECT_EQ(int(uchar(bytes.at(w.bitsAt))), w.format == PictureFormat::Pcx ? 8 : 24);
  if (w.format == PictureFormat::Pcx) EXPECT_EQ(int(bytes.at(65)), 3);  // planes
  if (w.format == PictureFormat::Dib) EXPECT_TRUE(bytes.startsWith("BM"));
  QImage back;
  ASSERT_TRUE(readPictureFile(path(), &back, &reason)) << reason.toStdString();
  ASSERT_EQ(back.size(), picture.size());
  if (w.lossy) expectCheckpoints(back, QStringLiteral("base"), Check::Lossy);
  else EXPECT_EQ(back, picture);
}

TEST_P(PictureWriterTest, FailedWriteKeepsTheOldFile) {
  writeBytes(path(), "old");
  QString reason;
  EXPECT_FALSE(writePictureFile(path(), QImage(), GetParam().format, PicBuf::DefaultJpegQuality, &reason));
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_EQ(bytesOf(path()), QByteArray("old"));
  EXPECT_FALSE(writePictureFile(dir.filePath(QStringLiteral("no folder/") + QString::fromLatin1(GetParam().name)),
                                base(), GetParam().format, PicBuf::DefaultJpegQuality, &reason));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromLatin1(GetParam().name)});
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureWriterTest,
                         ::testing::Values(WrittenFormat{PictureFormat::Bmp, "out.bmp", 28, false},
                                           WrittenFormat{PictureFormat::Dib, "out.dib", 28, false},
                                           WrittenFormat{PictureFormat::Png, "out.png", -1, false},
                                           WrittenFormat{PictureFormat::Tiff, "out.tif", -1, false},
                                           WrittenFormat{PictureFormat::Tga, "out.tga", 16, false},
                                           WrittenFormat{PictureFormat::Pcx, "out.pcx", 3, false},
                                           WrittenFormat{PictureFormat::Gif, "out.gif", -1, false},
                                           WrittenFormat{PictureFormat::Jpeg, "out.jpg", -1, true}),
                         [](const auto& info) { return std::string(info.param.name).substr(4); });

TEST(PictureWriter, FifIsRefusedAndNothingWritten) {
  QTemporaryDir dir;
  QString reason;
  EXPECT_FALSE(writePictureFile(dir.filePath(QStringLiteral("out.fif")), QImage(8, 8, QImage::Format_RGB32),
                                PictureFormat::Fif, PicBuf::DefaultJpegQuality, &reason));
  EXPECT_EQ(reason, QStringLiteral("FIF pictures cannot be written."));
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
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
