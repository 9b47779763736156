#include <QBuffer>
#include <QFile>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace colour::state;

namespace {

long slotColour(int slot) { return colour::rgb(slot * 7, 255 - slot, slot * 3); }
long fileColour(int n) { return colour::rgb(n, n * 5, 200); }

class ThumbnailsTest : public FormTest {
 protected:
  Form1& withSlots() {
    Form1& f = build();
    for (int slot = 1; slot <= 34; ++slot) f.savedthumbs[slot] = solidImage(16, 12, slotColour(slot));
    return f;
  }
  QByteArray encoded(const QImage& img, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
  }
  // The strip shows the saved thumbnails of a page, not the scrap book or received pictures.
  void expectPageView(Form1& f, int page) {
    EXPECT_EQ(f.Text5->text(), QString::number(page));
    EXPECT_EQ(f.Text5->backColor(), ModeChosen);
    EXPECT_EQ(f.Text7->backColor(), Off);
    EXPECT_EQ(f.Label37->backColor(), Off);
    EXPECT_EQ(f.scrapbookmode, 0);
  }
  void showScrapBookAndReceived(Form1& f) {
    f.scrapbookmode = 1;
    f.Label37->setBackColor(Selected);
    f.Text7->setBackColor(Selected);
    f.Text5->setBackColor(Off);
  }
};

TEST_F(ThumbnailsTest, PagesShowTheirSlotsInBoxOrder) {
  Form1& f = withSlots();
  showScrapBookAndReceived(f);
  ASSERT_TRUE(f.HScroll2->setValueChecked(3));
  // From the top: Image2, Image3, Image4, Image5.
  EXPECT_TRUE(sameImage(f.savedthumbs[9], f.Image2->picture()));
  EXPECT_TRUE(sameImage(f.savedthumbs[10], f.Image3->picture()));
  EXPECT_TRUE(sameImage(f.savedthumbs[12], f.Image4->picture()));
  EXPECT_TRUE(sameImage(f.savedthumbs[11], f.Image5->picture()));
  expectPageView(f, 3);

  ASSERT_TRUE(f.HScroll2->setValueChecked(5));
  EXPECT_TRUE(sameImage(f.savedthumbs[17], f.Image2->picture()));
  EXPECT_TRUE(sameImage(f.savedthumbs[20], f.Image4->picture()));
  ASSERT_TRUE(f.HScroll2->setValueChecked(1));
  EXPECT_TRUE(sameImage(f.savedthumbs[1], f.Image2->picture()));
  EXPECT_TRUE(sameImage(f.savedthumbs[3], f.Image5->picture()));
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
  for (int n = 1; n <= 30; ++n) writeFile(QStringLiteral("JustText%1.bmp").arg(n), encoded(solidImage(8, 8, fileColour(n)), "BMP"));
  Form1& f = withSlots();
  showScrapBookAndReceived(f);
  dialogs->answers.push_back(vb::No);

  f.resetthumbnails();

  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].prompt, QStringLiteral("Reset thumbnails to original?"));
  EXPECT_EQ(dialogs->calls[0].buttons, vb::YesNo | vb::DefaultButton2);
  EXPECT_EQ(dialogs->calls[0].title, QStringLiteral("THUMBNAILS"));
  for (int slot = 1; slot <= 34; ++slot) EXPECT_EQ(pixelAt(f.savedthumbs[slot], 0, 0), slotColour(slot)) << slot;
  expectPageView(f, 1);
}

TEST_F(ThumbnailsTest, ResetAnsweredYesReloadsEveryReadableFile) {
  for (int n = 1; n <= 30; ++n) writeFile(QStringLiteral("JustText%1.bmp").arg(n), encoded(solidImage(8, 8, fileColour(n)), "BMP"));
  // A picture file is known by its content, not its name; broken and missing files change nothing.
  writeFile(QStringLiteral("JustText5.bmp"), encoded(solidImage(8, 8, fileColour(5)), "PNG"));
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
  EXPECT_EQ(pixelAt(f.Image2->picture(), 0, 0), fileColour(5));
  EXPECT_EQ(pixelAt(f.Image3->picture(), 0, 0), slotColour(6));
  EXPECT_EQ(pixelAt(f.Image4->picture(), 0, 0), slotColour(8));
  EXPECT_EQ(pixelAt(f.Image5->picture(), 0, 0), slotColour(7));
  expectPageView(f, 2);
}

}  // namespace
