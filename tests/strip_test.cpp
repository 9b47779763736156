#include "platform/dragdrop.h"
#include "tests/pictures_fixture.h"

using namespace colour::state;

namespace {

long slotColour(int slot) { return colour::rgb(slot * 7, 255 - slot, 90); }

class StripTest : public PicturesTest {
 protected:
  Form1& withSlots() {
    Form1& f = start();
    for (int slot = 1; slot <= 34; ++slot) f.savedthumbs[slot] = solidImage(16, 12, slotColour(slot));
    f.HScroll2_Change();
    return f;
  }
  void dropFile(Form1& f, int box, const QString& name) {
    f.stripBox_OLEDragDrop(box, {corpus(name)});
  }
  static bool holds(const QImage& picture, int slot) { return pixelAt(picture, 4, 4) == slotColour(slot); }
};

// A file dropped on a box of page 3 lands in that box's slot; from the top the page's boxes keep
// slots 9, 10, 12 and 11 (1-based).
TEST_F(StripTest, FileDropKeepsThePageInBoxOrder) {
  Form1& f = withSlots();
  f.HScroll2->setValue(3);
  dropFile(f, 4, QStringLiteral("base.png"));
  QImage base;
  ASSERT_TRUE(base.load(corpus(QStringLiteral("base.png"))));
  EXPECT_TRUE(sameImage(base, f.savedthumbs[12]));
  EXPECT_TRUE(sameImage(base, f.Image4->picture()));
  for (int slot : {9, 10, 11}) EXPECT_TRUE(holds(f.savedthumbs[slot], slot)) << slot;
  // An unreadable file changes neither the box nor the page, and asks nothing.
  dropFile(f, 2, QStringLiteral("truncated-half.jpg"));
  EXPECT_TRUE(holds(f.Image2->picture(), 9));
  EXPECT_TRUE(dialogs->calls.empty());
}

TEST_F(StripTest, ScrapBookKeepsItsOwnSlotsUntilAPageIsShown) {
  Form1& f = withSlots();
  f.Label37_Click();
  EXPECT_EQ(f.scrapbookmode, 1);
  EXPECT_EQ(f.Text5->backColor(), Off);
  int slot = 31;
  for (ImageBox* box : {f.Image2, f.Image3, f.Image4, f.Image5}) EXPECT_TRUE(holds(box->picture(), slot++));
  dropFile(f, 3, QStringLiteral("base.png"));
  EXPECT_FALSE(holds(f.savedthumbs[32], 32));
  EXPECT_TRUE(holds(f.savedthumbs[2], 2));
  // A drag can start while the scrap book is shown.
  std::vector<QWidget*> dragged;
  f.beginDrag = [&](QWidget* w) { dragged.push_back(w); };
  f.stripBox_MouseDown(5, mousebutton::Left);
  EXPECT_EQ(dragged, std::vector<QWidget*>{f.Image5});
  EXPECT_EQ(f.dragsource, 5);
  // Another page leaves the scrap book: the next drop goes into the page.
  f.HScroll2->setValue(2);
  EXPECT_EQ(f.Label37->backColor(), Off);
  dropFile(f, 2, QStringLiteral("base.png"));
  EXPECT_FALSE(holds(f.savedthumbs[5], 5));
  // Reset thumb, answered No, leaves the scrap book for the page too.
  f.Label37_Click();
  dialogs->answers = {vb::No};
  f.Label28_Click();
  EXPECT_EQ(f.Label28->backColor(), Off);
  EXPECT_EQ(f.scrapbookmode, 0);
  EXPECT_TRUE(holds(f.Image3->picture(), 6));
}

// Received pictures are the external program's: a drop shows in its box but is no saved thumbnail.
TEST_F(StripTest, DropWhileReceivedPicturesShowStoresNothing) {
  Form1& f = withSlots();
  f.Text7->setBackColor(Selected);
  f.Text5->setBackColor(Off);
  dropFile(f, 2, QStringLiteral("base.png"));
  EXPECT_FALSE(holds(f.Image2->picture(), 1));
  EXPECT_TRUE(holds(f.savedthumbs[1], 1));
  f.Text5_Click();
  EXPECT_EQ(f.Text7->backColor(), Off);
  EXPECT_TRUE(holds(f.Image2->picture(), 1));
  // Getting the page scroll bar from the received pictures resets their page.
  f.Text7->setBackColor(Selected);
  f.Text7->setText(QStringLiteral("3"));
  f.HScroll3->show();
  f.HScroll2_GotFocus();
  EXPECT_EQ(f.Text7->text(), QStringLiteral("R"));
  EXPECT_TRUE(f.HScroll3->isHidden());
  EXPECT_EQ(f.Text5->backColor(), ModeChosen);
}

TEST_F(StripTest, DragsStartOnlyFromAFullBoxWithTheLeftButton) {
  Form1& f = withSlots();
  std::vector<QWidget*> dragged;
  f.beginDrag = [&](QWidget* w) { dragged.push_back(w); };
  f.Image3->clearPicture();
  f.stripBox_MouseDown(3, mousebutton::Left);
  f.stripBox_MouseDown(2, mousebutton::Right);
  f.Frame9->show();
  f.stripBox_MouseDown(2, mousebutton::Left);
  EXPECT_TRUE(dragged.empty());
  f.Frame9->hide();
  f.stripBox_MouseDown(2, mousebutton::Left);
  EXPECT_EQ(dragged, std::vector<QWidget*>{f.Image2});
  EXPECT_EQ(f.picinpicsize, 120);
  EXPECT_EQ(platform::dragIcon(f.Image2).cacheKey(), platform::dragIcon(f.Drive1).cacheKey());
}

}  // namespace
