#include "platform/dragdrop.h"
#include "platform/picturefile.h"
#include "tests/pictures_fixture.h"

using namespace colour::state;

namespace {

class DropSaveTest : public PicturesTest {
 protected:
  // The browser on a folder of `count` pictures; the strip's first box holds a picture to drag.
  Form1& ready(int count) {
    Form1& f = browsing(folderOf(count));
    f.Image2->setPicture(solidImage(320, 256, 0x00AA00));
    return f;
  }
  // Drops strip box Image2 on the file list, the name typed being `answer`.
  void dropStripBox(Form1& f, const QString& answer) {
    dialogs->input.answers.push_back(answer);
    f.dragsource = 2;
    f.browseTarget_DragDrop();
  }
  QString folderFile(const QString& name) const { return path(QStringLiteral("pics/") + name); }
};

TEST_F(DropSaveTest, DroppedPictureIsSavedUnderTheTypedNameInTheGreenTypeReplacingOnlyWhenAllowed) {
  const struct { LabelButton* Form1::*label; const char* answer; const char* file; const char* magic; } cases[] = {
      {&Form1::Label18, "holiday.png", "holiday.jpg", "\xFF\xD8\xFF"}, {&Form1::Label20, ".png", ".png", "\x89PNG"},
      {&Form1::Label21, "t", "t.tga", ""}, {&Form1::Label41, "w", "w.bmp", "BM"}};
  Form1& f = ready(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    (f.*c.label)->clicked();
    dropStripBox(f, QString::fromLatin1(c.answer));
    EXPECT_TRUE(bytesOf(folderFile(QString::fromLatin1(c.file))).startsWith(c.magic));
    QImage back;
    ASSERT_TRUE(readPictureFile(folderFile(QString::fromLatin1(c.file)), &back));
    EXPECT_NEAR(colour::green(pixelAt(back, 100, 100)), 0xAA, 4);
  }
  const auto& ask = dialogs->input.calls.front();
  EXPECT_EQ(QStringList({ask.prompt, ask.title, ask.defaultText}),
            QStringList({"Enter File Name\r\nClick Cancel to Abort\r\nPicture is saved as .jpg",
                         "Save .jpg File to " + path(QStringLiteral("pics")), "0Default"}));
  EXPECT_TRUE(prompts().isEmpty());
  EXPECT_EQ(f.File1->currentRow(), -1);
  // An existing name is replaced only when the operator says so.
  f.Label15->clicked();
  const QByteArray old = readFile(QStringLiteral("pics/p00.bmp"));
  dialogs->answers = {vb::No};
  dropStripBox(f, QStringLiteral("p00"));
  EXPECT_TRUE(shownOnce("Save .bmp File to " + path(QStringLiteral("pics")), QStringLiteral("p00.bmp exists. Replace it?"),
                        vb::YesNo | vb::DefaultButton2));
  EXPECT_EQ(readFile(QStringLiteral("pics/p00.bmp")), old);
  dialogs->answers = {vb::Yes};
  dropStripBox(f, QStringLiteral("p00"));
  EXPECT_NE(readFile(QStringLiteral("pics/p00.bmp")), old);
}

// Each refusal says why and writes nothing.
TEST_F(DropSaveTest, RefusedSavesWriteNothing) {
  Form1& f = ready(1);
  const QStringList before = QDir(path(QStringLiteral("pics"))).entryList(QDir::Files);
  f.Label16->clicked();  // GIF
  dropStripBox(f, QStringLiteral("g"));
  EXPECT_EQ(prompts().last(), QStringLiteral("GIF save not implemented. Use another format."));
  dialogs->input.answers.clear();
  f.Label15->clicked();
  dropStripBox(f, QStringLiteral("sub/name"));
  EXPECT_TRUE(prompts().last().contains(QStringLiteral("sub/name")));
  dropStripBox(f, QString(300, QLatin1Char('n')));  // a name the file system refuses
  EXPECT_TRUE(prompts().last().contains(QStringLiteral("nnnn.bmp")));
  dropStripBox(f, QString());
  f.makeheader->setChecked(true);
  f.dragsource = 8;
  f.browseTarget_DragDrop();
  EXPECT_EQ(prompts().size(), 4);
  f.browseTarget_OLEDragDrop({samplePath(QStringLiteral("truncated-half.png"))});
  EXPECT_TRUE(prompts().last().contains(QStringLiteral("truncated-half.png")));
  EXPECT_EQ(dialogs->input.calls.size(), 3u);
  EXPECT_EQ(QDir(path(QStringLiteral("pics"))).entryList(QDir::Files), before);
}

// A cancelled prompt or an empty name writes no file at all, not even one named by the extension
// alone.
TEST_F(DropSaveTest, CancelOrAnEmptyNameWritesNoFile) {
  Form1& f = ready(1);
  const auto files = [this] { return QDir(path(QStringLiteral("pics"))).entryList(QDir::Files | QDir::Hidden); };
  const QStringList before = files();
  for (LabelButton* type : {f.Label15, f.Label20})
    for (const std::optional<QString>& answer : {std::optional<QString>(), std::optional(QString())}) {
      type->clicked();
      dialogs->input.answers.push_back(answer);
      f.dragsource = 2;
      f.browseTarget_DragDrop();
    }
  EXPECT_EQ(dialogs->input.calls.size(), 4u);
  EXPECT_EQ(files(), before);
  EXPECT_TRUE(prompts().isEmpty());
}

// After a delete the file before the deleted one is selected, but never the first file.
TEST_F(DropSaveTest, DelAsksFirstAndSelectsTheFileBefore) {
  Form1& f = ready(5);
  f.File1->setCurrentRow(-1);
  f.Command27_Click();
  EXPECT_EQ(prompts().last(), QStringLiteral("No file highlighted!"));
  const struct { int index, answer, left, selected; } steps[] = {
      {2, vb::Cancel, 5, 2}, {2, vb::OK, 4, 1}, {1, vb::OK, 3, -1}, {0, vb::OK, 2, -1}};
  for (const auto& s : steps) {
    f.File1->setCurrentRow(s.index);
    dialogs->answers = {s.answer};
    f.Command27_Click();
    EXPECT_EQ(std::pair(f.File1->count(), f.File1->currentRow()), std::pair(s.left, s.selected)) << s.index;
  }
  EXPECT_EQ(QStringList({dialogs->calls.back().prompt, dialogs->calls.back().title}),
            QStringList({"Delete File?  p00.bmp", "Delete from " + path(QStringLiteral("pics"))}));
}

// The bin deletes the very file its box shows, also after the list has changed under it.
TEST_F(DropSaveTest, BinDeletesTheBoxsOwnFile) {
  Form1& f = ready(5);
  f.Label13_Click();  // boxes show p00 .. p03
  f.File1->setCurrentRow(0);
  dialogs->answers = {vb::OK};
  f.Command27_Click();  // p00 goes: the list moves up by one
  dialogs->answers = {vb::OK};
  f.dragsource = 13;
  f.Image16_DragDrop();
  EXPECT_EQ(dialogs->calls.back().prompt, QStringLiteral("Delete File?  p02.bmp"));
  EXPECT_EQ(QDir(path(QStringLiteral("pics"))).entryList(QDir::Files), QStringList({"p01.bmp", "p03.bmp", "p04.bmp"}));
  EXPECT_FALSE(f.Image10->hasPicture());
  f.dragsource = 11;  // p00, gone already
  f.Image16_DragDrop();
  EXPECT_EQ(prompts().last(), QStringLiteral("Cannot Delete this file!"));
  const int asked = int(dialogs->calls.size());
  f.dragsource = 2;
  f.Image16_DragDrop();
  EXPECT_EQ(int(dialogs->calls.size()), asked);
  f.Label43->setBackColor(Selected);
  f.dragsource = 12;
  f.Image16_DragDrop();
  EXPECT_TRUE(prompts().last().startsWith(QStringLiteral("Cannot delete icon from ")));
  EXPECT_EQ(QDir(path(QStringLiteral("pics"))).entryList(QDir::Files).size(), 3);
}

// Each of the four boxes dropped on the bin deletes the file it shows.
TEST_F(DropSaveTest, BinDeletesTheFileOfEachBox) {
  Form1& f = ready(4);
  f.Label13_Click();
  for (int k = 1; k <= 4; ++k) {
    dialogs->answers = {vb::OK};
    f.dragsource = 10 + k;
    f.Image16_DragDrop();
    const QStringList left = QDir(path(QStringLiteral("pics"))).entryList(QDir::Files);
    EXPECT_EQ(std::tuple(left.size(), f.browseBox(k)->hasPicture()), std::tuple(4 - k, false));
    EXPECT_FALSE(QFile::exists(folderFile(QStringLiteral("p0%1.bmp").arg(k - 1)))) << k;
  }
}

// What each drop target shows the dragged control on entering, and that leaving puts back the
// normal icon on it and on the palette.
TEST_F(DropSaveTest, DragIconsFollowTheTargetsTable) {
  Form1& f = ready(4);
  f.Label13_Click();
  enum Shows { Normal, Allowed, Unchanged };
  const struct { const char* target; std::function<void(int)> dragOver; int source; QWidget* shown; Shows icon; } cases[] = {
      {"Image2 by Image3", [&](int s) { f.stripBox_DragOver(2, s); }, 3, f.Image3, Allowed},
      {"Image3 by itself", [&](int s) { f.stripBox_DragOver(3, s); }, 3, f.Image3, Normal},
      {"Image2 by the main picture", [&](int s) { f.stripBox_DragOver(2, s); }, 8, f.Picture1, Allowed},
      {"bin by a strip box", [&](int s) { f.Image16_DragOver(s); }, 2, f.Image2, Normal},
      {"bin by the import button", [&](int s) { f.Image16_DragOver(s); }, 9, f.Command1, Normal},
      {"bin by a browse box", [&](int s) { f.Image16_DragOver(s); }, 11, f.Image8, Allowed},
      {"file list by a strip box", [&](int s) { f.browseTarget_DragOver(s); }, 4, f.Image4, Allowed},
      {"file list by a browse box", [&](int s) { f.browseTarget_DragOver(s); }, 12, f.Image9, Unchanged},
      {"file list by the import button", [&](int s) { f.browseTarget_DragOver(s); }, 9, f.Command1, Unchanged},
      {"main picture by a strip box", [&](int s) { f.Picture1_DragOver(s); }, 5, f.Image5, Allowed},
  };
  const qint64 normal = platform::dragIcon(f.Drive1).cacheKey();
  const qint64 allowed = platform::dragIcon(f.Dir1).cacheKey();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    f.dragsource = c.source;
    platform::setDragIcon(c.shown, platform::drawNormalDragIcon());
    platform::setDragIcon(f.palette[5], platform::drawNormalDragIcon());
    const qint64 before = platform::dragIcon(c.shown).cacheKey();
    c.dragOver(dragstate::Enter);
    const qint64 expected = c.icon == Normal ? normal : c.icon == Allowed ? allowed : before;
    EXPECT_EQ(platform::dragIcon(c.shown).cacheKey(), expected);
    EXPECT_EQ(showsDropAllowed(f, c.shown), c.icon == Allowed);
    c.dragOver(dragstate::Leave);
    EXPECT_EQ(platform::dragIcon(c.shown).cacheKey(), c.icon == Unchanged ? before : normal);
    EXPECT_EQ(platform::dragIcon(f.palette[5]).cacheKey() == normal, c.icon != Unchanged);
  }
  // Nothing reacts while a header is being made.
  f.makeheader16->setChecked(true);
  f.dragsource = 3;
  const qint64 before = platform::dragIcon(f.Image3).cacheKey();
  f.stripBox_DragOver(2, dragstate::Enter);
  f.Image16_DragOver(dragstate::Enter);
  f.browseTarget_DragOver(dragstate::Enter);
  EXPECT_EQ(platform::dragIcon(f.Image3).cacheKey(), before);
}

}  // namespace
