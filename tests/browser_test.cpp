#include <QCoreApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "tests/pictures_fixture.h"

using namespace colour::state;

namespace {

class BrowserTest : public PicturesTest {};

std::vector<int> files(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  while (v.size() < 4) v.push_back(-1);
  return v;
}

TEST_F(BrowserTest, TypeLabelsListTheirFilesAndLightAlone) {
  const QString dir = folderOf(2);
  for (const QString type : {"cur", "emf", "jpg"})
    ASSERT_TRUE(QFile::copy(samplePath("base." + type), dir + "/" + type[0] + "." + type));
  Form1& f = browsing(dir);
  auto listed = [&f] {
    QStringList names;
    for (int i = 0; i < f.File1->count(); ++i) names << f.File1->item(i)->text();
    return names.join(QLatin1Char(' '));
  };
  // At start cursors are listed and EMF files are not, although "All Pic Files" is green.
  EXPECT_EQ(listed(), QStringLiteral("c.cur j.jpg p00.bmp p01.bmp"));
  EXPECT_EQ(f.Label23->backColor(), Selected);
  f.Label39->setCaption(QStringLiteral("7"));
  // The selection is the one after Next4 has shown the first page.
  const struct { LabelButton* label; const char* listed; int selected; } cases[] = {
      {f.Label23, "e.emf j.jpg p00.bmp p01.bmp", 3}, {f.Label18, "j.jpg", 0}, {f.Label19, "", -1},
      {f.Label42, "c.cur", 0}, {f.Label15, "p00.bmp p01.bmp", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label->caption().toStdString());
    c.label->clicked();
    EXPECT_EQ(listed(), QString::fromLatin1(c.listed));
    EXPECT_EQ(f.File1->currentRow(), c.selected);
    for (LabelButton* other : {f.Label15, f.Label16, f.Label18, f.Label19, f.Label23, f.Label39, f.Label42, f.Label43})
      EXPECT_EQ(other->backColor(), other == c.label ? Selected : Idle);
    EXPECT_EQ(f.Label39->caption(), QStringLiteral("RLE"));
  }
  // PCX found nothing: Next4 emptied the boxes.
  f.Label19->clicked();
  EXPECT_EQ(page(f), files(0, -1));
  f.Label15->clicked();
  EXPECT_EQ(page(f), files(0, 1));
}

// The ten-file sequence of Next4, and Prev4 from each kind of page.
TEST_F(BrowserTest, NextAndPreviousPageByFours) {
  Form1& f = browsing(folderOf(10));
  // A selection of -1 keeps the one there is.
  const struct { int select; bool previous; std::vector<int> shown; int selected; } steps[] = {
      {0, false, files(0, 3), 4},  {-1, false, files(4, 7), 8}, {-1, false, files(8, 9), 9},
      {-1, false, files(9, 9), 9}, {4, false, files(4, 7), 8},  {-1, true, files(0, 3), 4},
      {-1, true, files(0, 3), 4},  {2, false, files(2, 5), 6},  {-1, true, files(0, 3), 4},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    if (steps[i].select >= 0) f.File1->setCurrentRow(steps[i].select);
    steps[i].previous ? f.Label27_Click() : f.Label13_Click();
    EXPECT_EQ(std::pair(page(f), f.File1->currentRow()), std::pair(steps[i].shown, steps[i].selected));
  }
}

TEST_F(BrowserTest, ShortListsFillWhatTheyCan) {
  Form1& f = browsing(folderOf(5));
  f.File1->setCurrentRow(2);
  f.Label13_Click();
  EXPECT_EQ(page(f), files(2, 4));
  f.Label27_Click();  // the selection (4) is below 5
  EXPECT_EQ(page(f), files(2, 4));
  for (const char* gone : {"/p03.bmp", "/p04.bmp"}) QFile::remove(f.File1->path() + gone);
  f.Label15->clicked();
  EXPECT_EQ(page(f), files(0, 2));
  EXPECT_EQ(f.File1->currentRow(), 2);
}

// A file that cannot be read leaves its own box empty, not the picture before it.
TEST_F(BrowserTest, UnreadableFileLeavesItsBoxEmpty) {
  const QString dir = folderOf(3);
  QFile::copy(samplePath(QStringLiteral("truncated-half.png")), dir + QStringLiteral("/p01.png"));
  QFile::copy(samplePath(QStringLiteral("base.bmp")), dir + QStringLiteral("/p00.xyz"));
  Form1& f = browsing(dir);
  f.Label23->clicked();  // p00.bmp p01.bmp p01.png p02.bmp
  EXPECT_EQ(page(f), (std::vector<int>{0, 1, -1, 2}));
  EXPECT_TRUE(f.browsethumbfile[3].endsWith(QStringLiteral("/pics/p01.png")));
}

TEST_F(BrowserTest, FirstOpeningReturnsToTheLastDirButtonAndItsPage) {
  const QString dir = folderOf(10);
  writeFile(QStringLiteral("restore"), restoreFile({{84, ("\"" + dir + "\"").toUtf8()}, {98, "4"}, {109, "3"}}));
  Form1& f = start();
  f.Command20_Click();
  EXPECT_EQ(QStringList({f.Command20->caption(), f.Command14->caption(), f.Command16->caption()}),
            QStringList({"Exit Pic", "Dir 1", "Dir3"}));
  EXPECT_TRUE(f.Command16->font().bold());
  EXPECT_EQ(page(f), files(4, 7));
  EXPECT_EQ(f.toolmarker, tool::DirButtonClicked);
  EXPECT_EQ(f.dirlistindex[3], 4);
  f.Command20_Click();
  f.Image8->clearPicture();
  f.Command20_Click();  // a later opening clicks no Dir button
  EXPECT_EQ(shownFile(f.Image8), -1);
  f.Command20_Click();
  f.Frame9->show();
  f.Command20_Click();  // refused while the adjust panel is open
  EXPECT_EQ(f.Command20->caption(), QStringLiteral("Load Pic"));
}

// Only the first change of directory after a Dir button shows pictures by itself.
TEST_F(BrowserTest, DirButtonArmsOneDirectoryChange) {
  folderOf(6, QStringLiteral("pics/a"));
  folderOf(6, QStringLiteral("pics/b"));
  Form1& f = browsing(path(QStringLiteral("pics")));
  f.savedirs[1] = path(QStringLiteral("pics"));
  f.Command14_Click();
  f.Dir1->setPath(path(QStringLiteral("pics/a")));
  EXPECT_EQ(page(f), files(0, 3));
  EXPECT_EQ(f.toolmarker, 0);
  f.Dir1->setPath(path(QStringLiteral("pics/b")));
  EXPECT_EQ(page(f), files(0, -1));
}

TEST_F(BrowserTest, DirButtonsSevenAndEightUseEntriesNineAndTen) {
  const QString seven = folderOf(2, QStringLiteral("seven"));
  const QString eight = folderOf(2, QStringLiteral("eight"));
  Form1& f = browsing(folderOf(1));
  f.savedirs[7] = f.savedirs[8] = path(QStringLiteral("pics"));
  f.savedirs[9] = seven;
  f.savedirs[10] = eight;
  f.Command5_Click();
  EXPECT_EQ(f.File1->path(), seven);
  EXPECT_EQ(f.Command5->caption(), QStringLiteral("Dir7"));
  f.Command30_Click();
  EXPECT_EQ(f.File1->path(), eight);
  EXPECT_EQ(f.lastdirbutton, 8);
  for (CommandButton* b : {f.Command14, f.Command15, f.Command16, f.Command17, f.Command18, f.Command19, f.Command5, f.Command30})
    EXPECT_EQ(b->font().bold(), b == f.Command30) << b->caption().toStdString();
  // A right click stores the shown directory and changes nothing else.
  f.Dir1->setPath(seven);
  dialogs->answers = {vb::OK};
  f.dirButton_MouseDown(8, mousebutton::Right);
  EXPECT_EQ(f.savedirs[10], seven);
  EXPECT_TRUE(shownOnce(seven, QStringLiteral("Save this Directory to Dir 8?"), vb::OKCancel | vb::DefaultButton2));
  EXPECT_EQ(f.Command30->caption(), QStringLiteral("Dir8"));
  EXPECT_EQ(f.lastdirbutton, 8);
  // A remembered position past the end of a shrunken list shows its last file.
  f.dirlistindex[7] = 40;
  f.Command5_Click();
  EXPECT_EQ(page(f), (std::vector<int>{1, -1, -1, -1}));
  EXPECT_EQ(f.dirlistindex[7], 1);
}

TEST_F(BrowserTest, DanglingDriveLetterIsNotReady) {
  QTemporaryDir prefix;
  for (const char* folder : {"dosdevices", "drive_c"}) QDir().mkpath(prefix.filePath(folder));
  QFile::link(prefix.filePath(QStringLiteral("drive_c")), prefix.filePath(QStringLiteral("dosdevices/c:")));
  QFile::link(prefix.filePath(QStringLiteral("gone")), prefix.filePath(QStringLiteral("dosdevices/d:")));
  std::optional<ScopedEnv> wine(std::in_place, "WINEPREFIX", prefix.path().toLocal8Bit());
  Form1& f = browsing(folderOf(1));
  wine.reset();  // the drive list keeps the prefix it was built with
  const QString before = f.Dir1->path();
  f.Drive1->setCurrentIndex(f.Drive1->findText(QStringLiteral("d:")));
  EXPECT_EQ(prompts(), QStringList{"Drive not ready. Please insert disk in drive."});
  EXPECT_EQ(QStringList({f.Drive1->drive(), f.Dir1->path()}), QStringList({"/", before}));
  f.Drive1->setCurrentIndex(f.Drive1->findText(QStringLiteral("c:")));
  EXPECT_EQ(f.Dir1->path(), QFileInfo(prefix.filePath(QStringLiteral("drive_c"))).canonicalFilePath());
}

TEST_F(BrowserTest, BrowseBoxDragsAreRefusedWhenEmptyRightOrUnderTheAdjustPanel) {
  Form1& f = browsing(folderOf(4));
  f.Label13_Click();
  std::vector<QWidget*> dragged;
  f.beginDrag = [&](QWidget* w) { dragged.push_back(w); };
  f.browseBox_MouseDown(2, mousebutton::Right);
  f.Frame9->show();
  f.browseBox_MouseDown(3, mousebutton::Left);
  f.browseBox_MouseDown(1, mousebutton::Left);
  EXPECT_EQ(dragged, std::vector<QWidget*>{f.Image8});
  EXPECT_EQ(std::tuple(f.dragsource, f.picinpicsize), std::tuple(11, 120.0));
}

TEST_F(BrowserTest, FileListPressEmptiesTheBoxesAndFocusGoesBackToTheText) {
  Form1& f = browsing(folderOf(4));
  f.Label13_Click();
  f.iconindex = 8;
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(f.File1->viewport(), &press);
  EXPECT_EQ(std::tuple(page(f), f.iconindex), std::tuple(files(0, -1), 0));
  f.Label26->setBackColor(Armed);
  f.File1_LostFocus();
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
}

}  // namespace
