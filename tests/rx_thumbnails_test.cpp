#include <QDir>
#include <QFile>

#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

// Picture i of a receive directory is one colour of its own.
long shade(int i) { return 0x102030 + i * 0x0B0905; }

class RxThumbnailsTest : public FormTest {
 protected:
  // The program folder is known only once the fixture has set it up.
  void SetUp() override {
    FormTest::SetUp();
    dir = path(QStringLiteral("received"));
  }
  // Makes the receive directory's listing read `kinds`: "P" a name holding "PLR", "n" another,
  // numbered in order and in both cases. Picture i is the listing's i-th file.
  QStringList arrangeListing(const char* kinds) {
    QDir(dir).removeRecursively();
    QStringList listing;
    for (int i = 0; kinds[i]; ++i)
      listing << QStringLiteral("%1%2%3.bmp")
                     .arg(i % 2 ? "RX" : "rx")
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(kinds[i] == 'P' ? "PLR" : "");
    writeNamed(listing);
    return listing;
  }
  // Written odd places last first, then even ones, so that no order of making passes for the
  // listing.
  void writeNamed(const QStringList& names) {
    QDir().mkpath(dir);
    const int n = int(names.size());
    for (int odd : {1, 0})
      for (int k = 0; k < n; ++k)
        if (const int i = odd ? n - 1 - k : k; i % 2 == odd)
          writeBytes(dir + QLatin1Char('/') + names[i], bmpBytes(solidImage(32, 24, shade(i))));
  }
  // Page `page` of program `code`; which picture each box shows, top first (-1 empty).
  std::vector<int> page(int code, int page) {
    Form1& f = start();
    (f.*(sstvProgramOf(code)->menu))->trigger();
    f.savedirs[sstvProgramOf(code)->receiveDirectory] = dir;
    f.Text7_Click();
    f.HScroll3->setValueChecked(page);
    std::vector<int> which;
    for (int n = 2; n <= 5; ++n) which.push_back(shownPicture(f.stripBox(n), shade, 50, QPoint(0, 0)));
    return which;
  }
  QString dir;
};

// Each rule at its edges: "PLR" names leading or inside, the first page, a page at or past the
// end. Numbers are places in the listing (or the sorted names), -1 an empty box.
TEST_F(RxThumbnailsTest, EachRulePicksItsFour) {
  const struct {
    int code;
    const char* kinds;
    int page;
    std::vector<int> boxes;
  } cases[] = {
      {6, "nnnn", 1, {3, 2, 1, 0}},       // W95SSTV: bottom box first
      {27, "nnnnnn", 2, {-1, -1, 5, 4}},  // WinPix two instances likewise
      {7, "PPnnnnn", 1, {2, 3, 4, 5}},    // leading "PLR" names passed over
      {16, "PPnnnnn", 2, {6, -1, -1, -1}},
      {36, "nnPnnn", 1, {0, 1, 3, 4}},    // one inside too
      {10, "PPnnnnnn", 1, {3, 4, 5, 6}},  // MMSSTV passes over the page's first name
      {17, "nnnnnn", 1, {2, 3, 4, 5}},    // Roy1: the last four, then the four before
      {17, "nnPnn", 2, {0, 1, 3, 4}},
      {7, "nnnn", 2, {-1, -1, -1, -1}},   // a page that starts at the end
      {7, "nnnn", 3, {-1, -1, -1, -1}},   // or past it
      {8, "nnnnnnn", 1, {4, 3, 2, 1}},    // JVComm32: sorted from the end, the last two never
      {8, "nnnnnnn", 2, {0, -1, -1, -1}},
      {19, "nnnnnn", 2, {4, 5, -1, -1}},  // MScan: sorted from the start
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " " << c.kinds << " page " << c.page);
    if (c.code == 8 || c.code == 19) {
      QDir(dir).removeRecursively();
      writeNamed(QStringList{"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp", "g.bmp"}.mid(0, qsizetype(strlen(c.kinds))));
    } else {
      arrangeListing(c.kinds);
    }
    EXPECT_EQ(page(c.code, c.page), c.boxes);
    EXPECT_EQ(std::tuple(form->Text7->text(), form->Text7->backColor()), std::tuple(QString::number(c.page), Selected));
    EXPECT_TRUE(dialogs->calls.empty());
  }
}

// ChromaPIX's fixed files in any case, a JPEG before a BMP, under a Windows path of the Wine
// prefix in another case.
TEST_F(RxThumbnailsTest, FixedFilesUnderAWindowsPath) {
  const ScopedEnv wine("WINEPREFIX", path(QStringLiteral("wine")).toLocal8Bit());
  dir = path(QStringLiteral("wine/drive_c/cpix"));
  writeNamed({"CPTEMP00.bmp", "cptemp01.BMP", "x", "CPTEMP02.bmp"});
  ASSERT_TRUE(solidImage(32, 24, shade(2)).save(dir + QStringLiteral("/CpTemp01.jpg"), "JPEG", 100));
  writeBytes(dir + QStringLiteral("/CPTEMP02.bmp"), "BM broken");
  Form1& f = start();
  f.panel2panel1->trigger();
  f.savedirs[7] = QStringLiteral("C:\\CPIX\\");
  f.Text7_Click();
  EXPECT_EQ(pixelAt(f.Image2->picture(), 1, 1), shade(0));
  EXPECT_NEAR(pixelAt(f.Image3->picture(), 5, 5) & 0xFF, shade(2) & 0xFF, 3);
  EXPECT_FALSE(f.Image4->hasPicture() || f.Image5->hasPicture());
  EXPECT_EQ(f.Text7->text(), QStringLiteral("R"));
}

// A file that cannot be read leaves its box empty, not showing the picture read before. A
// directory not set or not there empties the boxes and says where to set it, never showing
// another; with no program there is nothing to show, and the scrap book is left all the same.
TEST_F(RxThumbnailsTest, UnreadableFileMissingDirectoryOrNoProgramShowNothing) {
  writeBytes(dir + QLatin1Char('/') + arrangeListing("nnnn")[1], "BM broken");
  EXPECT_EQ(page(7, 1), (std::vector{0, -1, 2, 3}));
  for (const QString& elsewhere : {QString(), path(QStringLiteral("gone"))}) {
    dialogs->calls.clear();
    form->savedirs[13] = elsewhere;
    form->Text7_Click();
    EXPECT_FALSE(form->Image2->hasPicture() || form->Image5->hasPicture());
    EXPECT_TRUE(shownOnce(QStringLiteral("RX thumbnails"),
                          "Receive directory not set or not found. Use Setup, \"Set Directory for WinPix RX thumbnails\"",
                          vb::OKOnly));
  }
  dialogs->calls.clear();
  form->simplecopypaste->trigger();
  form->Label37_Click();
  form->Text7_Click();
  EXPECT_TRUE(shownOnce("Copy Paste", "Not available, no program selected!!", vb::OKOnly));
  EXPECT_EQ(std::tuple(form->Label37->backColor(), form->Text7->backColor()), std::tuple(ModeOff, ModeOff));
}

}  // namespace
