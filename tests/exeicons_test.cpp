#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <ctime>
#include <sys/stat.h>

#include "platform/colour.h"
#include "platform/exeicons.h"
#include "tests/support/checks.h"

// Icons of program files: PE32+ and PE32 libraries linked by the MinGW tools from .ico files
// made by icotool, and an NE file written here (nothing in Debian makes one), with wrestool as
// the judge of what the files hold.
namespace {

using platform::ExeIcons;
constexpr long kBackground = 0x336699;
constexpr int kSide = ExeIcons::DrawnSide;

// One icon group: the sizes of its images, how many colours they use, extra icotool options,
// and the size that must be drawn (the nearest 32 x 32, the larger on a tie).
struct Group { QList<int> sides; int colours; QStringList icotoolOptions; int drawnSide; };
const QList<Group> kGroups = {
    {{16, 32, 48}, 2, {}, 32},            // 1 bit
    {{32}, 12, {}, 32},                   // 4 bits
    {{24, 40}, 200, {}, 40},              // 8 bits, tie: the larger
    {{32}, 300, {"-b", "24"}, 32},        // 24 bits
    {{32}, 300, {"-b", "32"}, 32},        // 32 bits with partial alpha
    {{16, 48}, 3, {"-r", "48.png"}, 48},  // a PNG image and a BMP one, tie: the larger
};
const QStringList kFiles = {"x86_64.dll", "i686.dll", "icons.exe"};

using Fields = std::initializer_list<std::pair<int, quint32>>;
void put32(QByteArray& b, int at, quint32 v) { b.replace(at, 4, le32(v)); }

// A picture of `colours` colours, different for every group and size, with a transparent
// diagonal; the 32-bit group also has a half-transparent one.
QImage picture(int group, int side, int colours) {
  QImage p(side, side, QImage::Format_ARGB32);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const int c = (x / 3 + y * 7 + group * 5 + side) % colours;
      const int alpha = x == y ? 0 : (group == 4 && x == side - 1 - y) ? 128 : 255;
      p.setPixel(x, y, alpha ? qRgba((c * 37 + side) % 256, (c * 91) % 256, (c * 13 + group * 40) % 256, alpha) : 0);
    }
  return p;
}

// The picture an icon must come out as: nearest neighbour over the background.
QImage expectedDrawing(const QImage& source) {
  const QRgb back = colour::toQRgb(kBackground);
  QImage e(kSide, kSide, QImage::Format_RGB32);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const QRgb s = source.pixel(x * source.width() / kSide, y * source.height() / kSide);
      const auto mix = [a = qAlpha(s)](int o, int u) { return (o * a + u * (255 - a) + 127) / 255; };
      e.setPixel(x, y, qRgb(mix(qRed(s), qRed(back)), mix(qGreen(s), qGreen(back)), mix(qBlue(s), qBlue(back))));
    }
  return e;
}

// An NE file holding the images of the .ico files as icons and each file as one group; the
// group directories come before the images, so truncations cut into images too.
QByteArray neFile(const QList<QByteArray>& icoFiles) {
  constexpr int kShift = 4;
  QList<QByteArray> groups, images;
  for (const QByteArray& ico : icoFiles) {
    QByteArray group = ico.left(6);
    for (int i = 0; i < qFromLittleEndian<quint16>(ico.constData() + 4); ++i) {
      const char* entry = ico.constData() + 6 + 16 * i;
      group += QByteArray(entry, 12) + le16(quint16(images.size() + 1));
      images += ico.mid(qFromLittleEndian<quint32>(entry + 12), qFromLittleEndian<quint32>(entry + 8));
    }
    groups += group;
  }
  const int tableBytes = 2 + 2 * 8 + 12 * int(groups.size() + images.size()) + 2;
  const QByteArray residentNames = QByteArray("\x05ICONS\0\0\0", 9);
  const int dataStart = (0x80 + tableBytes + residentNames.size() + 15) & ~15;
  QByteArray data, table = le16(kShift);
  const auto addType = [&](quint16 type, const QList<QByteArray>& items) {
    table += le16(type) + le16(quint16(items.size())) + le32(0);
    for (int i = 0; i < items.size(); ++i) {
      const int units = int(items[i].size() + 15) >> kShift;
      table += le16(quint16((dataStart + data.size()) >> kShift)) + le16(quint16(units)) + le16(0x1030) +
               le16(quint16(0x8001 + i)) + le32(0);
      data += items[i] + QByteArray((units << kShift) - items[i].size(), 0);
    }
  };
  addType(0x800E, groups);
  addType(0x8003, images);
  table += le16(0);
  QByteArray ne = "NE" + QByteArray(62, 0);
  ne.replace(0x24, 2, le16(0x40)).replace(0x26, 2, le16(quint16(0x40 + tableBytes)));
  QByteArray file = "MZ" + QByteArray(62, 0) + ne + table + residentNames;
  put32(file, 0x3C, 0x40);
  return file + QByteArray(dataStart - file.size(), 0) + data;
}

class ExeIconsTest : public ::testing::Test {
 protected:
  // Built once: the .ico files, the libraries and the NE file, in a folder of their own.
  static void SetUpTestSuite() {
    folder = new QTemporaryDir;
    const QString dir = folder->path();
    for (int g = 0; g < kGroups.size(); ++g) {
      const QString sub = dir + QStringLiteral("/g%1").arg(g);
      QDir().mkpath(sub);
      QStringList pngs;
      for (int side : kGroups[g].sides) {
        const QString png = QStringLiteral("%1.png").arg(side);
        picture(g, side, kGroups[g].colours).save(sub + "/" + png);
        if (!kGroups[g].icotoolOptions.contains(png)) pngs << png;
      }
      runTool("icotool", QStringList{"-c", "-o", QStringLiteral("../g%1.ico").arg(g)} + kGroups[g].icotoolOptions + pngs,
              sub);
    }
    for (const QString& target : {QStringLiteral("x86_64"), QStringLiteral("i686")})
      linkIconLibrary(dir, int(kGroups.size()), target);
    writeBytes(dir + "/icons.exe", neFile(icoFiles()));
  }
  static void TearDownTestSuite() { delete folder; }
  static QString path(const QString& name) { return folder->path() + "/" + name; }
  static QList<QByteArray> icoFiles() {
    QList<QByteArray> files;
    for (int g = 0; g < kGroups.size(); ++g) files << bytesOf(path(QStringLiteral("g%1.ico").arg(g)));
    return files;
  }
  // How many resources of a type (14: icon groups) wrestool lists.
  static int listed(const QString& name, int type) {
    return int(runTool("wrestool", {"-l", QStringLiteral("--type=%1").arg(type), path(name)}, folder->path()).count('\n'));
  }
  static inline QTemporaryDir* folder = nullptr;
};

TEST_F(ExeIconsTest, PeAndNeFilesGiveEveryGroupAsWrestoolListsItDrawnFromTheNearestImageAndFewerGroupsTheirCount) {
  for (const QString& name : kFiles) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_EQ(listed(name, 14), kGroups.size());
    const ExeIcons icons = ExeIcons::fromFile(path(name));
    ASSERT_EQ(icons.count(), kGroups.size());
    for (int g = 0; g < kGroups.size(); ++g)
      EXPECT_TRUE(sameImage(expectedDrawing(picture(g, kGroups[g].drawnSide, kGroups[g].colours)), icons.icon(g, kBackground)))
          << "group " << g;
    EXPECT_TRUE(icons.icon(-1, kBackground).isNull() && icons.icon(kGroups.size(), kBackground).isNull());
  }
  // The same NE file with fewer groups gives the counts the browser's paging turns on.
  for (int n : {0, 1, 4, 5}) {
    writeBytes(path("fewer.exe"), neFile(icoFiles().mid(0, n)));
    EXPECT_EQ(ExeIcons::fromFile(path("fewer.exe")).count(), n);
  }
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.exe")).constData(), 0600), 0);
  for (const char* name : {"g0.ico", "x86_64.o", "missing.dll", "fifo.exe", "."})
    EXPECT_EQ(ExeIcons::fromFile(path(name)).count(), 0) << name;
}

// Of the images of one size the deepest is drawn, wherever the group lists it.
TEST_F(ExeIconsTest, OfImagesOfOneSizeTheDeepestIsDrawn) {
  const QString sub = path(QStringLiteral("depths"));
  QDir().mkpath(sub);
  QStringList arguments = {"-c", "-o", "../depths.ico"};
  for (auto [colours, bits] : {std::pair(200, "8"), std::pair(300, "24"), std::pair(2, "1")}) {
    picture(7, 32, colours).save(sub + QStringLiteral("/%1.png").arg(colours));
    arguments << "-b" << bits << QStringLiteral("%1.png").arg(colours);
  }
  runTool("icotool", arguments, sub);
  const ExeIcons icons = ExeIcons::fromBytes(neFile({bytesOf(path(QStringLiteral("depths.ico")))}));
  EXPECT_TRUE(sameImage(expectedDrawing(picture(7, 32, 300)), icons.icon(0, kBackground)));
}

// Text chunks inflating to 400 MB in an icon's PNG image cost nothing.
TEST(ExeIconsPng, TextChunksNeverReachTheDecoder) {
  const QImage drawn = solidImage(8, 8, 0x336699);
  const ExeIcons icons = ExeIcons::fromBytes(neFile({iconFile({pngWithTextChunks(drawn, 50, 7'900'000)})}));
  const qint64 started = threadCpuMilliseconds();
  const QImage icon = icons.icon(0, kBackground);
  EXPECT_LT(threadCpuMilliseconds() - started, 1000);
  EXPECT_TRUE(sameImage(expectedDrawing(drawn), icon));
}

// The processor time this thread has used, in milliseconds.
qint64 threadMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

// Image data inflating to 900 MiB past a 1 x 1 icon's one row, in one chunk or many, of a PNG
// the NE file holds whole: the icon is drawn from its row, what follows it never inflated.
TEST(ExeIconsPng, ImageDataPastThePictureIsNeverInflated) {
  QImage row(1, 1, QImage::Format_RGB32);
  row.fill(qRgb(0x33, 0x66, 0x99));
  for (int chunks : {1, 5000}) {
    const QByteArray png = pngWithLongImageData(900, chunks);
    const ExeIcons icons = ExeIcons::fromBytes(neFile({iconFile({png})}));
    const qint64 start = threadMilliseconds();
    EXPECT_TRUE(sameImage(expectedDrawing(row), icons.icon(0, kBackground))) << chunks;
    EXPECT_LT(threadMilliseconds() - start, 500) << chunks;
  }
}

// A PE32+ file around a resource section written by hand, for damage the tools never make.
constexpr int kResourcesAt = 0x200;
constexpr int kSectionHeaderAt = 0x58 + 240;
QByteArray peFile(const QByteArray& resources) {
  QByteArray f(kResourcesAt, 0);
  f.replace(0, 2, "MZ").replace(0x40, 4, QByteArray("PE\0\0", 4));
  put32(f, 0x3C, 0x40);
  f.replace(0x46, 2, le16(1)).replace(0x54, 2, le16(240)).replace(0x58, 2, le16(0x20B));  // 1 section, PE32+
  put32(f, 0x58 + 108, 16);  // data directories
  put32(f, 0x58 + 112 + 16, 0x1000);
  put32(f, 0x58 + 112 + 20, quint32(resources.size()));
  f.replace(kSectionHeaderAt, 5, ".rsrc");
  for (int at : {8, 16}) put32(f, kSectionHeaderAt + at, quint32(resources.size()));
  put32(f, kSectionHeaderAt + 12, 0x1000);
  put32(f, kSectionHeaderAt + 20, kResourcesAt);
  return f + resources;
}

// One group of one 2 x 2 24-bit image: red, black under the mask (transparent), white under
// the mask (inverts what is below) and blue.
QByteArray handMadePe() {
  constexpr quint32 dir = 0x80000000;
  QByteArray r(0x100, 0);
  const auto directory = [&r](int at, quint32 id, quint32 target) {
    r.replace(at + 14, 2, le16(1));
    put32(r, at + 16, id);
    put32(r, at + 20, target);
  };
  r.replace(14, 2, le16(2));
  for (auto [at, value] : Fields{{16, 3}, {20, dir | 0x20}, {24, 14}, {28, dir | 0x40}}) put32(r, at, value);
  directory(0x20, 1, dir | 0x60);
  directory(0x40, 1, dir | 0x78);
  directory(0x60, 1033, 0x90);
  directory(0x78, 1033, 0xA0);
  const QByteArray bitmap = le32(40) + le32(2) + le32(4) + le16(1) + le16(24) + QByteArray(24, 0) +
                            QByteArray::fromHex("ffffff ff0000 0000 0000ff 000000 0000 80000000 40000000");
  for (auto [at, value] : Fields{{0x90, 0x1100}, {0x94, quint32(bitmap.size())}, {0xA0, 0x10C0}, {0xA4, 20}}) put32(r, at, value);
  r.replace(0xC0, 20, le16(0) + le16(1) + le16(1) + QByteArray::fromHex("02020000") + le16(1) + le16(24) +
                          le32(quint32(bitmap.size())) + le16(1));
  return peFile(r + bitmap);
}

TEST(ExeIconsMask, MaskKeepsOrInvertsTheBackgroundAndTheRestIsOpaque) {
  const QImage drawn = ExeIcons::fromBytes(handMadePe()).icon(0, kBackground);
  ASSERT_EQ(drawn.size(), QSize(kSide, kSide));
  const QRgb back = colour::toQRgb(kBackground);
  for (const auto& [at, expected] : QList<std::pair<QPoint, QRgb>>{
           {{0, 0}, qRgb(255, 0, 0)}, {{255, 127}, back}, {{127, 128}, back ^ RGB_MASK}, {{128, 255}, qRgb(0, 0, 255)}})
    EXPECT_EQ(drawn.pixel(at), expected) << at.x() << "," << at.y();
}

// Each row damages the hand-made file at one place; the reader must neither crash nor loop.
TEST(ExeIconsDamage, LoopsHugeCountsAndOutOfRangeFieldsGiveNoIcon) {
  constexpr quint32 dir = 0x80000000;
  const struct { const char* what; int at; quint32 value; int count; bool drawn; } rows[] = {
      {"type directory points at the root", kResourcesAt + 28, dir, 0, false},
      {"name directory points at itself", kResourcesAt + 0x40 + 20, dir | 0x40, 0, false},
      {"language entry points at its directory", kResourcesAt + 0x78 + 20, dir | 0x78, 0, false},
      {"directory beyond the section", kResourcesAt + 28, dir | 0x7FFFFFF0, 0, false},
      {"65535 + 65535 root entries", kResourcesAt + 12, 0xFFFFFFFF, 0, false},
      {"65535 images in the group", kResourcesAt + 0xC4, 0xFFFF, 0, false},
      {"group larger than the section", kResourcesAt + 0xA4, 0xFFFFFFFF, 0, false},
      {"group address wraps around", kResourcesAt + 0xA0, 0xFFFFFFF0, 0, false},
      {"65535 sections", 0x44, 0xFFFF0000, 0, false},
      {"new header beyond the file", 0x3C, 0xFFFFFFFF, 0, false},
      {"section larger than the file", kSectionHeaderAt + 16, 0xFFFFFFF0, 1, true},  // what the file holds is read
      {"bitmap width 2^31 - 1", kResourcesAt + 0x104, 0x7FFFFFFF, 1, false},
      {"bitmap of 4 billion colours", kResourcesAt + 0x120, 0xFFFFFFFF, 1, false},
  };
  for (const auto& row : rows) {
    QByteArray file = handMadePe();
    put32(file, row.at, row.value);
    const ExeIcons icons = ExeIcons::fromBytes(file);
    EXPECT_EQ(icons.count(), row.count) << row.what;
    EXPECT_EQ(!icons.icon(0, kBackground).isNull(), row.drawn) << row.what;
  }
}

// Every cut of every file and randomly damaged copies: no crash (the sanitizer run watches the
// reads), never more groups than the whole file and only whole drawings. Icons are drawn for
// the cuts at the edges of every resource wrestool lists; elsewhere the count covers the walk.
void expectSound(const QByteArray& file, bool draw) {
  const ExeIcons icons = ExeIcons::fromBytes(file);
  ASSERT_LE(icons.count(), kGroups.size()) << file.size();
  for (int g = 0; draw && g < icons.count(); ++g) {
    const QImage drawn = icons.icon(g, kBackground);
    ASSERT_TRUE(drawn.isNull() || drawn.size() == QSize(kSide, kSide)) << file.size();
  }
}

TEST_F(ExeIconsTest, TruncatedAndRandomlyDamagedFilesStayWithinBounds) {
  QRandomGenerator random(1234);
  for (const QString& name : kFiles) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray whole = bytesOf(path(name));
    QSet<qsizetype> edges;
    const QString listing = QString::fromUtf8(runTool("wrestool", {"-l", path(name)}, folder->path()));
    for (const QRegularExpressionMatch& m : QRegularExpression("offset=0x([0-9a-f]+) size=(\\d+)").globalMatch(listing)) {
      const qsizetype start = m.captured(1).toLongLong(nullptr, 16);
      for (qsizetype edge : {start, start + m.captured(2).toLongLong()}) edges << edge - 1 << edge << edge + 1;
    }
    ASSERT_GE(edges.size(), 16 * 3);
    for (qsizetype cut = 0; cut < whole.size(); ++cut) expectSound(whole.left(cut), edges.contains(cut));
    for (int i = 0; i < 200; ++i) {
      QByteArray copy = whole;
      for (int j = 0; j < 8; ++j) copy[random.bounded(int(copy.size()))] = char(random.bounded(256));
      expectSound(copy, true);
    }
  }
  for (int i = 0; i < 50; ++i) {
    QByteArray noise(4096, 0);
    for (char& c : noise) c = char(random.bounded(256));
    EXPECT_EQ(ExeIcons::fromBytes(noise).count(), 0);
  }
}

}  // namespace
