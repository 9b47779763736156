#include <QDir>
#include <QFile>

#include "tests/link_fixture.h"

using namespace seen;

namespace {

// Picture i of a receive directory is one colour of its own.
long shade(int i) { return 0x102030 + i * 0x0B0905; }

class RxThumbnailsTest : public LinkTest {
 protected:
  // A receive directory whose listing (the file system's order) is `kinds`: "P" a name holding
  // "PLR", "n" any other. Names keep their place in the listing whatever else is removed, so a
  // pool is made and thinned out until the listing reads as asked. Picture i is the listing's
  // i-th file.
  QStringList arrangeListing(const QString& kinds) {
    QDir().mkpath(receiveDir);
    for (int i = 0; i < 40; ++i)
      for (const char* stem : {"rxPLR", "rx"}) writeBytes(receiveDir + QStringLiteral("/%1%2.bmp").arg(stem).arg(i), {});
    QStringList listing;
    for (const QString& name : QDir(receiveDir).entryList(QDir::Files, QDir::Unsorted)) {
      const bool wanted = listing.size() < kinds.size() && name.contains(QLatin1String("PLR")) == (kinds[listing.size()] == 'P');
      if (wanted)
        listing << name;
      else
        QFile::remove(receiveDir + QLatin1Char('/') + name);
    }
    EXPECT_EQ(listing.size(), kinds.size()) << "too small a pool";
    for (int i = 0; i < listing.size(); ++i) writeBytes(receiveDir + QLatin1Char('/') + listing[i], bmpBytes(solidImage(32, 24, shade(i))));
    return listing;
  }
  // Files named as given, picture i the i-th.
  void writeNamed(const QStringList& names) {
    QDir().mkpath(receiveDir);
    for (int i = 0; i < names.size(); ++i) writeBytes(receiveDir + QLatin1Char('/') + names[i], bmpBytes(solidImage(32, 24, shade(i))));
  }
  // Which picture each box shows, top box first: -1 empty, -2 no picture of the directory.
  std::vector<int> shown() const {
    std::vector<int> which;
    for (int n = 2; n <= 5; ++n) {
      const ImageBox* box = form->stripBox(n);
      int i = box->hasPicture() ? -2 : -1;
      for (int k = 0; k < 50 && i == -2; ++k)
        if (pixelAt(box->picture(), 0, 0) == shade(k)) i = k;
      which.push_back(i);
    }
    return which;
  }
  // Program `code` chosen with the receive directory as its entry, page `page` shown.
  Form1& showPage(int code, int page) {
    Form1& f = startWith(code);
    f.savedirs[sstvProgramOf(code)->receiveDirectory] = receiveDir;
    f.Text7_Click();
    if (page != 1) f.HScroll3->setValueChecked(page);
    return f;
  }
  QString receiveDir = path(QStringLiteral("received"));
};

// Each program's rule at the edges it has: listings that begin with "PLR" names or hold one, the
// first page and a page past the end. -1 is an empty box; numbers are places in the listing.
TEST_F(RxThumbnailsTest, DirectoryOrderRulesPickTheirFour) {
  const struct {
    int code;
    const char* kinds;
    int page;
    std::vector<int> boxes;
  } cases[] = {
      {6, "nnnn", 1, {3, 2, 1, 0}},          // W95SSTV: bottom box first
      {27, "nnnnnn", 2, {-1, -1, 5, 4}},     // WinPix two instances likewise
      {7, "PPnnnnn", 1, {2, 3, 4, 5}},       // leading "PLR" names passed over
      {16, "PPnnnnn", 2, {6, -1, -1, -1}},
      {36, "nnPnnn", 1, {0, 1, 3, 4}},       // one in the middle too
      {6, "PPnnnnn", 1, {5, 4, 3, 2}},
      {10, "nnnnnn", 1, {1, 2, 3, 4}},       // MMSSTV passes over the page's first name
      {10, "PPnnnnnn", 1, {3, 4, 5, 6}},
      {17, "nnnnnn", 1, {2, 3, 4, 5}},       // Roy1: the last four, then the four before
      {17, "nnnnnn", 2, {0, 1, 2, 3}},
      {17, "nnPnn", 1, {1, 3, 4, -1}},       // ... passing over "PLR" names only in the page
      {7, "nnnn", 2, {-1, -1, -1, -1}},      // a page that starts at the end
      {7, "nnnn", 3, {-1, -1, -1, -1}},      // or past it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " " << c.kinds << " page " << c.page);
    QDir(receiveDir).removeRecursively();
    arrangeListing(QString::fromLatin1(c.kinds));
    Form1& f = showPage(c.code, c.page);
    EXPECT_EQ(shown(), c.boxes);
    EXPECT_EQ(f.Text7->text(), QString::number(c.page));
    EXPECT_EQ(f.Text7->backColor(), Selected);
    EXPECT_TRUE(dialogs->calls.empty());
  }
}

// JVComm32 shows the sorted names from the end, the last two never; MScan from the start. The
// receive directory is found in the Wine prefix whatever the case of its folders.
TEST_F(RxThumbnailsTest, SortedRulesAndWindowsPaths) {
  qputenv("WINEPREFIX", path(QStringLiteral("wine")).toLocal8Bit());
  receiveDir = path(QStringLiteral("wine/drive_c/program files/jvcomm32/sstv-lastreceived"));
  writeNamed({"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp", "g.bmp"});
  for (const auto& [page, boxes] : {std::pair{1, std::vector{4, 3, 2, 1}}, std::pair{2, std::vector{0, -1, -1, -1}}}) {
    Form1& f = startWith(8);
    f.Text7_Click();
    if (page == 2) f.HScroll3->setValueChecked(2);
    EXPECT_EQ(shown(), boxes) << "JVComm32 page " << page;
  }
  QDir(receiveDir).removeRecursively();
  writeNamed({"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp"});
  showPage(19, 2);
  EXPECT_EQ(shown(), (std::vector{4, 5, -1, -1}));
  qunsetenv("WINEPREFIX");
}

// ChromaPIX shows its four fixed files, found in any case; a JPEG wins over a BMP of the same name.
TEST_F(RxThumbnailsTest, ChromapixShowsItsFixedFiles) {
  writeNamed({"x", "cptemp01.BMP", "CpTemp01.jpg", "CPTEMP02.bmp"});
  QFile::remove(receiveDir + QStringLiteral("/CpTemp01.jpg"));
  ASSERT_TRUE(solidImage(32, 24, shade(9)).save(receiveDir + QStringLiteral("/CpTemp01.jpg"), "JPEG", 100));
  Form1& f = showPage(5, 1);
  EXPECT_EQ(shown()[0], -1);
  EXPECT_NEAR(pixelAt(f.Image3->picture(), 5, 5) & 0xFF, shade(9) & 0xFF, 3);
  EXPECT_EQ((std::vector{shown()[2], shown()[3]}), (std::vector{3, -1}));
  EXPECT_EQ(f.Text7->text(), QStringLiteral("R"));
}

// A file that cannot be read leaves its box empty; a directory that is not set or not there
// empties the boxes and says where to set it, never showing another directory.
TEST_F(RxThumbnailsTest, UnreadableFilesAndMissingDirectoriesShowNothing) {
  const QStringList listing = arrangeListing(QStringLiteral("nnnn"));
  writeBytes(receiveDir + QLatin1Char('/') + listing[1], "BM broken");
  Form1& f = showPage(7, 1);
  EXPECT_EQ(shown(), (std::vector{0, -1, 2, 3}));
  for (const QString& elsewhere : {QString(), path(QStringLiteral("gone"))}) {
    f.savedirs[13] = elsewhere;
    f.Text7_Click();
    EXPECT_EQ(shown(), (std::vector{-1, -1, -1, -1}));
    EXPECT_TRUE(shownOnce(QStringLiteral("RX thumbnails"),
                          QStringLiteral("Receive directory not set or not found. Use Setup, \"Set Directory for WinPix RX "
                                         "thumbnails\""),
                          vb::OKOnly));
    dialogs->calls.clear();
  }
}

// With no program there is nothing to show; the scrap book is left all the same.
TEST_F(RxThumbnailsTest, NoProgramChosenSaysSo) {
  Form1& f = startWith(1);
  f.Label37_Click();
  f.Text7_Click();
  EXPECT_TRUE(shownOnce(QStringLiteral("Copy Paste"), QStringLiteral("Not available, no program selected!!"), vb::OKOnly));
  EXPECT_EQ(std::tuple(f.Label37->backColor(), f.scrapbookmode, f.Text7->backColor()), std::tuple(ModeOff, 0, ModeOff));
}

}  // namespace
