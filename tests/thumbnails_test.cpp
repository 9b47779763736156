#include <QBuffer>
#include <QFile>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

long slotColour(int slot) { return colour::rgb(slot * 7, 255 - slot, slot * 3); }
long fileColour(int n) { return colour::rgb(n, n * 5, 200); }

// The slots the four boxes show, from the top, told by their colours.
std::vector<int> shownSlots(Form1& f) {
  std::vector<int> found;
  for (ImageBox* box : {f.Image2, f.Image3, f.Image4, f.Image5})
    for (int slot = 1; slot <= 34; ++slot)
      if (sameImage(f.savedthumbs[slot], box->picture())) found.push_back(slot);
  return found;
}

class ThumbnailsTest : public FormTest {
 protected:
  Form1& withSlots() {
    Form1& f = build();
    for (int slot = 1; slot <= 34; ++slot) f.savedthumbs[slot] = solidImage(16, 12, slotColour(slot));
    return f;
  }
  void writeSavedFiles() {
    for (int n = 1; n <= 30; ++n) writeFile(QStringLiteral("JustText%1.bmp").arg(n), bmpBytes(solidImage(8, 8, fileColour(n))));
  }
  // The strip shows the saved thumbnails of a page, not the scrap book or received pictures.
  void expectPageView(Form1& f, int page) {
    EXPECT_EQ(f.Text5->text(), QString::number(page));
    EXPECT_EQ(std::tuple(f.Text5->backColor(), f.Text7->backColor(), f.Label37->backColor(), f.scrapbookmode),
              std::tuple(ModeChosen, ModeOff, ModeOff, 0));
  }
  void showScrapBookAndReceived(Form1& f) {
    f.scrapbookmode = 1;
    f.Label37->setBackColor(Selected);
    f.Text7->setBackColor(Selected);
    f.Text5->setBackColor(ModeOff);
  }
};

TEST_F(ThumbnailsTest, PagesShowTheirSlotsInBoxOrder) {
  Form1& f = withSlots();
  showScrapBookAndReceived(f);
  ASSERT_TRUE(f.HScroll2->setValueChecked(3));
  // From the top: Image2, Image3, Image4, Image5.
  EXPECT_EQ(shownSlots(f), std::vector<int>({9, 10, 12, 11}));
  expectPageView(f, 3);
  ASSERT_TRUE(f.HScroll2->setValueChecked(5));
  EXPECT_EQ(shownSlots(f), std::vector<int>({17, 18, 20, 19}));
  ASSERT_TRUE(f.HScroll2->setValueChecked(1));
  EXPECT_EQ(shownSlots(f), std::vector<int>({1, 2, 4, 3}));
  expectPageView(f, 1);
}

TEST_F(ThumbnailsTest, EmptySlotLeavesItsBoxEmpty) {
  Form1& f = withSlots();
  f.HScroll2_Change();
  ASSERT_TRUE(f.Image3->hasPicture());
  f.savedthumbs[2] = QImage();
  f.HScroll2_Change();
  EXPECT_FALSE(f.Image3->hasPicture());
}

TEST_F(ThumbnailsTest, ResetAnsweredNoKeepsSlots) {
  writeSavedFiles();
  Form1& f = withSlots();
  showScrapBookAndReceived(f);
  dialogs->answers.push_back(vb::No);

  f.resetthumbnails();

  EXPECT_TRUE(shownOnce(QStringLiteral("THUMBNAILS"), QStringLiteral("Reset thumbnails to original?"),
                        vb::YesNo | vb::DefaultButton2));
  for (int slot = 1; slot <= 34; ++slot) EXPECT_EQ(pixelAt(f.savedthumbs[slot], 0, 0), slotColour(slot)) << slot;
  expectPageView(f, 1);
}

TEST_F(ThumbnailsTest, ResetAnsweredYesReloadsEveryReadableFile) {
  writeSavedFiles();
  // A picture file is known by its content, not its name; broken and missing files change nothing.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  solidImage(8, 8, fileColour(5)).save(&buffer, "PNG");
  writeFile(QStringLiteral("JustText5.bmp"), png);
  writeFile(QStringLiteral("JustText6.bmp"), QByteArray("not a picture at all"));
  writeFile(QStringLiteral("JustText7.bmp"), QByteArray());
  QFile::remove(path(QStringLiteral("JustText8.bmp")));
  Form1& f = withSlots();
  ASSERT_TRUE(f.HScroll2->setValueChecked(2));
  showScrapBookAndReceived(f);
  dialogs->answers.push_back(vb::Yes);

  f.resetthumbnails();

  for (int slot = 1; slot <= 30; ++slot) {
    const bool unreadable = slot >= 6 && slot <= 8;
    EXPECT_EQ(pixelAt(f.savedthumbs[slot], 0, 0), unreadable ? slotColour(slot) : fileColour(slot)) << slot;
  }
  for (int slot = 31; slot <= 34; ++slot) EXPECT_EQ(pixelAt(f.savedthumbs[slot], 0, 0), slotColour(slot)) << slot;
  // Page 2 is shown again with what was read.
  EXPECT_EQ(std::vector<long>({pixelAt(f.Image2->picture(), 0, 0), pixelAt(f.Image3->picture(), 0, 0),
                               pixelAt(f.Image4->picture(), 0, 0), pixelAt(f.Image5->picture(), 0, 0)}),
            std::vector<long>({fileColour(5), slotColour(6), slotColour(8), slotColour(7)}));
  expectPageView(f, 2);
}

}  // namespace
