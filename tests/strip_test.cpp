#include <QTest>

#include "platform/dragdrop.h"
#include "tests/pictures_fixture.h"

using namespace seen;

namespace {

long slotColour(int slot) { return colour::rgb(slot * 7, 255 - slot, slot * 3); }
long fileColour(int n) { return colour::rgb(n, n * 5, 200); }

class StripTest : public PicturesTest {
 protected:
  // The window, started or only built, with saved thumbnail slot i in slotColour(i).
  Form1& withSlots(bool startUp = true) {
    Form1& f = startUp ? start() : build();
    for (int slot = 1; slot <= 34; ++slot) f.savedthumbs[slot] = solidImage(16, 12, slotColour(slot));
    f.HScroll2_Change();
    return f;
  }
  void dropFile(Form1& f, int box, const QString& name) { f.stripBox_OLEDragDrop(box, {samplePath(name)}); }
  static bool holds(const QImage& picture, int slot) { return pixelAt(picture, 4, 4) == slotColour(slot); }
  // The slots the four boxes show, from the top (0: none of them).
  static std::vector<int> shownSlots(const Form1& f) {
    std::vector<int> found;
    for (const ImageBox* box : {f.Image2, f.Image3, f.Image4, f.Image5}) {
      found.push_back(0);
      for (int slot = 1; slot <= 34; ++slot)
        if (box->hasPicture() && holds(box->picture(), slot)) found.back() = slot;
    }
    return found;
  }
  // The strip shows the saved thumbnails of a page, not the scrap book or received pictures.
  static void expectPageView(const Form1& f, int page) {
    EXPECT_EQ(f.Text5->text(), QString::number(page));
    EXPECT_EQ(std::tuple(f.Text5->backColor(), f.Text7->backColor(), f.Label37->backColor(), f.scrapbookmode),
              std::tuple(ModeChosen, ModeOff, ModeOff, 0));
  }
  static void showScrapBookAndReceived(Form1& f) {
    f.scrapbookmode = 1;
    f.Label37->setBackColor(Selected);
    f.Text7->setBackColor(Selected);
    f.Text5->setBackColor(ModeOff);
  }
};

// From the top the page's boxes show slots 1, 2, 4 and 3 of the page; an empty slot leaves its
// box empty.
TEST_F(StripTest, PagesShowTheirSlotsInBoxOrder) {
  Form1& f = withSlots(false);
  showScrapBookAndReceived(f);
  ASSERT_TRUE(f.HScroll2->setValueChecked(3));
  EXPECT_EQ(shownSlots(f), std::vector<int>({9, 10, 12, 11}));
  expectPageView(f, 3);
  f.savedthumbs[18] = QImage();
  ASSERT_TRUE(f.HScroll2->setValueChecked(5));
  EXPECT_EQ(shownSlots(f), std::vector<int>({17, 0, 20, 19}));
  EXPECT_FALSE(f.Image3->hasPicture());
  ASSERT_TRUE(f.HScroll2->setValueChecked(1));
  EXPECT_EQ(shownSlots(f), std::vector<int>({1, 2, 4, 3}));
}

// Reset asks first; Yes reloads every readable saved file (known by its content, not its name)
// and shows the page again, No keeps the slots. Either way the page view comes back.
TEST_F(StripTest, ResetReloadsTheReadableSavedFilesOnlyWhenTheOperatorSaysSo) {
  for (int n = 1; n <= 30; ++n) writeFile(QStringLiteral("JustText%1.bmp").arg(n), bmpBytes(solidImage(8, 8, fileColour(n))));
  ASSERT_TRUE(solidImage(8, 8, fileColour(5)).save(path(QStringLiteral("JustText5.bmp")), "PNG"));
  writeFile(QStringLiteral("JustText6.bmp"), QByteArray("not a picture at all"));
  writeFile(QStringLiteral("JustText7.bmp"), QByteArray());
  QFile::remove(path(QStringLiteral("JustText8.bmp")));
  Form1& f = withSlots(false);
  ASSERT_TRUE(f.HScroll2->setValueChecked(2));
  showScrapBookAndReceived(f);
  dialogs->answers = {vb::No};
  f.resetthumbnails();
  EXPECT_TRUE(shownOnce(QStringLiteral("THUMBNAILS"), QStringLiteral("Reset thumbnails to original?"),
                        vb::YesNo | vb::DefaultButton2));
  for (int slot = 1; slot <= 34; ++slot) EXPECT_TRUE(holds(f.savedthumbs[slot], slot)) << slot;
  expectPageView(f, 2);

  showScrapBookAndReceived(f);
  dialogs->answers = {vb::Yes};
  f.resetthumbnails();
  for (int slot = 1; slot <= 34; ++slot) {
    const bool kept = slot > 30 || (slot >= 6 && slot <= 8);
    EXPECT_EQ(pixelAt(f.savedthumbs[slot], 0, 0), kept ? slotColour(slot) : fileColour(slot)) << slot;
  }
  EXPECT_EQ(std::vector<long>({pixelAt(f.Image2->picture(), 0, 0), pixelAt(f.Image3->picture(), 0, 0),
                               pixelAt(f.Image4->picture(), 0, 0), pixelAt(f.Image5->picture(), 0, 0)}),
            std::vector<long>({fileColour(5), slotColour(6), slotColour(8), slotColour(7)}));
  expectPageView(f, 2);
}

// A file dropped on a box lands in that box's slot of the page; an unreadable file changes
// neither the box nor the page, and asks nothing.
TEST_F(StripTest, FileDropKeepsThePageInBoxOrder) {
  Form1& f = withSlots();
  f.HScroll2->setValue(3);
  dropFile(f, 4, QStringLiteral("base.png"));
  QImage base;
  ASSERT_TRUE(base.load(samplePath(QStringLiteral("base.png"))));
  EXPECT_TRUE(sameImage(base, f.savedthumbs[12]));
  EXPECT_TRUE(sameImage(base, f.Image4->picture()));
  for (int slot : {9, 10, 11}) EXPECT_TRUE(holds(f.savedthumbs[slot], slot)) << slot;
  dropFile(f, 2, QStringLiteral("truncated-half.jpg"));
  EXPECT_TRUE(holds(f.Image2->picture(), 9));
  EXPECT_TRUE(dialogs->calls.empty());
}

TEST_F(StripTest, ScrapBookKeepsItsOwnSlotsUntilAPageIsShown) {
  Form1& f = withSlots();
  f.Label37_Click();
  EXPECT_EQ(f.Text5->backColor(), ModeOff);
  EXPECT_EQ(shownSlots(f), std::vector<int>({31, 32, 33, 34}));
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
  EXPECT_EQ(f.Label37->backColor(), ModeOff);
  dropFile(f, 2, QStringLiteral("base.png"));
  EXPECT_FALSE(holds(f.savedthumbs[5], 5));
  // Reset thumb, answered No, leaves the scrap book for the page too.
  f.Label37_Click();
  dialogs->answers = {vb::No};
  f.Label28_Click();
  EXPECT_EQ(f.Label28->backColor(), ModeOff);
  EXPECT_EQ(shownSlots(f), std::vector<int>({0, 6, 8, 7}));
  expectPageView(f, 2);
}

// Received pictures are the external program's: a drop shows in its box but is no saved thumbnail.
TEST_F(StripTest, DropWhileReceivedPicturesShowStoresNothing) {
  Form1& f = withSlots();
  f.Text7->setBackColor(Selected);
  f.Text5->setBackColor(ModeOff);
  dropFile(f, 2, QStringLiteral("base.png"));
  EXPECT_FALSE(holds(f.Image2->picture(), 1));
  EXPECT_TRUE(holds(f.savedthumbs[1], 1));
  f.Text5_Click();
  EXPECT_EQ(f.Text7->backColor(), ModeOff);
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

// A click on a page scroll bar's arrow runs its got-focus handler, then turns the page once, even
// when a message the handler shows takes the release. HScroll3's reloads the received page (a
// Text7_Click: Simple Copy Paste's message); HScroll2's leaves the received pages (one more).
TEST_F(StripTest, AClickOnAPageScrollBarRunsItsGotFocusHandler) {
  Form1& f = withSlots();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.HScroll3->show();
  const struct { ScrollBar* bar; bool releaseInHandler; size_t messages; QString text7; bool received; } cases[] = {
      {f.HScroll3, true, 2, QStringLiteral("2"), true}, {f.HScroll2, false, 1, QStringLiteral("R"), false}};
  for (const auto& c : cases) {
    dialogs->calls.clear();
    f.Text7->setText(QStringLiteral("1"));
    f.Text7->setBackColor(Selected);
    const QPoint arrow(c.bar->width() - 4, c.bar->height() / 2);
    const auto release = [&] { QTest::mouseRelease(c.bar, Qt::LeftButton, {}, arrow); };
    const QMetaObject::Connection byHandler =
        c.releaseInHandler ? QObject::connect(c.bar, &ScrollBar::gotFocus, release) : QMetaObject::Connection();
    QTest::mousePress(c.bar, Qt::LeftButton, {}, arrow);
    if (!c.releaseInHandler) release();
    QTest::qWait(700);  // past the first repeat of an arrow held down
    QObject::disconnect(byHandler);
    EXPECT_EQ(std::tuple(c.bar->value(), dialogs->calls.size(), f.Text7->text(), f.HScroll3->isVisible()),
              std::tuple(2, c.messages, c.text7, c.received));
    EXPECT_TRUE(f.Text1->hasFocus());
  }
  expectPageView(f, 2);
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
