#include "platform/colour.h"
#include "sstvlink/layout.h"
#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

namespace {

// Every column of the picture is unique: red and green number the column, blue is the row plus
// `tone`, so a stretched copy tells which source column each of its columns came from.
QImage columnPattern(int width, int tone) {
  QImage img(width, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, colour::toQRgb(colour::rgb(x & 0xFF, x >> 8, (y + tone) & 0xFF)));
  return img;
}

// `scaled` must be `source` stretched or squeezed across: each of its columns one whole source
// column, in order, from the first to the last, never skipping one when stretched.
::testing::AssertionResult isColumnScaled(const QImage& source, const QImage& scaled) {
  if (scaled.height() != source.height())
    return ::testing::AssertionFailure() << "height " << scaled.height();
  int previous = -1;
  for (int x = 0; x < scaled.width(); ++x) {
    const long top = pixelAt(scaled, x, 0);
    const int column = colour::red(top) + 256 * colour::green(top);
    if (column >= source.width()) return ::testing::AssertionFailure() << "column " << x << " is no source column";
    for (int y = 0; y < scaled.height(); ++y)
      if (scaled.pixel(x, y) != source.pixel(column, y))
        return ::testing::AssertionFailure() << "column " << x << " differs from source column " << column << " at row " << y;
    const int step = column - previous;
    const bool stretching = scaled.width() >= source.width();
    if (step < (stretching ? 0 : 1) || step > (stretching ? 1 : 2))
      return ::testing::AssertionFailure() << "column " << x << " takes source column " << column << " after " << previous;
    previous = column;
  }
  if (previous != source.width() - 1) return ::testing::AssertionFailure() << "last column " << previous;
  return ::testing::AssertionSuccess();
}

class LayoutTest : public FormTest {
 protected:
  // A committed main picture and a working picture, as after an ordinary composition.
  Form1& prepared() {
    Form1& f = build();
    main320 = columnPattern(320, 0);
    work320 = columnPattern(320, 100);
    f.Picture1->setPicture(main320);
    f.Image6->setPicture(main320);
    f.Picture2->setPicture(work320);
    return f;
  }
  std::vector<int> thumbnailLefts(Form1& f) { return {f.Image2->x(), f.Image3->x(), f.Image4->x(), f.Image5->x()}; }
  std::vector<int> thumbnailTops(Form1& f) { return {f.Image2->y(), f.Image3->y(), f.Image4->y(), f.Image5->y()}; }
  QImage main320, work320;
};

// Each program of wide pictures stretches the picture and its copies and moves the strip beside
// it; Simple Copy Paste squeezes everything back to the laid-out places.
TEST_F(LayoutTest, WideProgramsStretchAndSimpleCopyPasteSqueezesBack) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (!p.widePicture) continue;
    SCOPED_TRACE(p.code);
    Form1& f = prepared();
    f.w95sstvv->trigger();
    const int narrowWindow = f.width();
    const std::vector<int> tops = thumbnailTops(f);
    const int pictureTop = f.Picture1->y();

    (f.*(p.menu))->trigger();
    EXPECT_EQ(f.Picture1->scaleWidth(), 340);
    EXPECT_EQ(f.Picture1->scaleHeight(), 256);
    EXPECT_TRUE(isColumnScaled(main320, f.Picture1->picture()));
    EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Picture1->image()));
    for (ImageBox* copy : {f.Image6, f.Image13, f.Image14}) EXPECT_TRUE(sameImage(f.Picture1->picture(), copy->picture()));
    EXPECT_EQ(f.Picture2->scaleWidth(), 340);
    EXPECT_TRUE(isColumnScaled(work320, f.Picture2->picture()));
    EXPECT_EQ(f.Picture3->scaleWidth(), 340);
    EXPECT_TRUE(isColumnScaled(main320, f.Picture3->picture()));
    EXPECT_EQ(f.Picture1->x(), wideLayout.pictureLeft);
    EXPECT_EQ(f.Picture1->y(), pictureTop);
    EXPECT_EQ(thumbnailLefts(f), std::vector<int>(4, wideLayout.thumbnailLeft));
    EXPECT_EQ(thumbnailTops(f), tops);
    // The strip still fits in the window, right of the wider picture.
    EXPECT_LE(f.Picture1->geometry().right(), f.Image2->x());
    EXPECT_LE(f.Image2->geometry().right(), f.centralWidget()->width() - 1);
    EXPECT_EQ(f.width(), narrowWindow + 7);

    f.simplecopypaste->trigger();
    for (PictureBox* box : {f.Picture1, f.Picture2, f.Picture3}) EXPECT_EQ(box->scaleWidth(), 320);
    // Stretching to 340 doubles 20 columns; squeezing back drops exactly those again.
    EXPECT_TRUE(sameImage(main320, f.Picture1->picture()));
    EXPECT_TRUE(sameImage(work320, f.Picture2->picture()));
    for (ImageBox* copy : {f.Image6, f.Image13, f.Image14}) EXPECT_TRUE(sameImage(main320, copy->picture()));
    EXPECT_EQ(f.Picture1->x(), narrowLayout.pictureLeft);
    EXPECT_EQ(thumbnailLefts(f), std::vector<int>(4, narrowLayout.thumbnailLeft));
    EXPECT_EQ(f.width(), narrowWindow);
    form->unloaded = true;
    form.reset();
  }
}

TEST_F(LayoutTest, HeaderModeKeepsPictureSizeAndPlace) {
  Form1& f = prepared();
  f.jvcomm1->trigger();
  const QImage wide = f.Picture1->picture();
  for (QAction* header : {f.makeheader, f.makeheader16}) {
    SCOPED_TRACE(header->text().toStdString());
    header->setChecked(true);
    f.simplecopypaste->trigger();
    EXPECT_EQ(f.Picture1->scaleWidth(), 340);
    EXPECT_EQ(f.Picture1->x(), wideLayout.pictureLeft);
    EXPECT_EQ(thumbnailLefts(f), std::vector<int>(4, wideLayout.thumbnailLeft));
    EXPECT_TRUE(sameImage(wide, f.Picture1->picture()));
    f.jvcomm1->trigger();
    header->setChecked(false);
  }
}

}  // namespace
