#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

#include "tests/canvas_fixture.h"

using namespace canvastest;

namespace {

const QString Corpus = samplePath(QString());

// Paste, the import and files dropped from the desktop bring pictures from outside.
class FromOutsideTest : public CanvasTest {
 protected:
  static void offer(const QImage& picture, const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
  }
  void importAt(double x, double y) {
    form->dragsource = 9;
    form->Picture1_DragDrop(x, y);
  }
  void expectBeforeCopy() const {
    EXPECT_EQ(countColour(form->Image13->picture(), Grey), form->frameWidth() * 256);
    EXPECT_EQ(form->Command31->backColor(), OopsNormal);
  }
};

// Text mode takes the picture from outside stretched over the frame; Pic in Pic centres it, at its
// own size, on (160, 128) for Paste and on the drop point for the import, in both layouts. After
// the import the clipboard holds all it held before.
TEST_F(FromOutsideTest, PasteAndTheImportReplaceThePictureOrPlaceAnInsert) {
  for (const bool import : {false, true})
    for (const Mode mode : {Text, PicInPic})
      for (const bool wide : {false, true}) {
        Form1& f = ready(mode, wide);
        f.Command31->setBackColor(OopsBefore);
        offer(solidImage(500, 400, Red), QStringLiteral("73 de G4ABC"));
        import ? importAt(160, 128) : f.Command7_Click();
        expectLanded(mode == Text ? QRect(0, 0, f.frameWidth(), 256) : QRect(100, 80, 120, 96), mode == PicInPic);
        expectBeforeCopy();
        if (mode == PicInPic) EXPECT_EQ(f.Image6->picture().size(), QSize(500, 400));
        EXPECT_EQ(std::tuple(QGuiApplication::clipboard()->text(), QGuiApplication::clipboard()->image().size()),
                  std::tuple(QStringLiteral("73 de G4ABC"), QSize(500, 400)));
      }
}

// With nothing on the clipboard Paste and the import say so and change nothing, not even the
// scratch picture that Undo of a noise-line removal brings back.
TEST_F(FromOutsideTest, AnEmptyClipboardChangesNothing) {
  Form1& f = ready(PicInPic);
  const QImage scratch = solidImage(320, 256, Blue);
  f.Picture2->setPicture(scratch);
  f.Picture3->setPicture(scratch);
  QGuiApplication::clipboard()->clear();
  f.Command7_Click();
  importAt(50, 50);
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_EQ(std::tuple(dialogs->calls[0].prompt, dialogs->calls[1].prompt),
            std::tuple(QStringLiteral("Nothing in Clipboard."), QStringLiteral("Nothing to get.")));
  EXPECT_EQ(std::tuple(countColour(f.Picture2->picture(), Blue), countColour(f.Picture3->picture(), Blue), shown(Grey)),
            std::tuple(320 * 256, 320 * 256, 320 * 256));
}

// The fill modes' worked numbers, the insert (small while a header is made) and 4 pics in 1; only
// the first file dropped counts.
TEST_F(FromOutsideTest, AFileDroppedFromTheDesktopLandsByModeAndFillMode) {
  constexpr auto Correct = &Form1::Label70, Spread = &Form1::Label71, Stretch = &Form1::Label72;
  const struct { Mode mode; LabelButton* Form1::*fill; bool wide, header; QSize size; QPoint at; QRect to; } cases[] = {
      {Text, Correct, false, false, {640, 480}, {}, {0, 8, 320, 240}},
      {Text, Correct, true, false, {640, 480}, {}, {0, 8, 340, 240}},
      {Text, Correct, false, false, {480, 640}, {}, {64, 0, 192, 256}},
      {Text, Correct, true, false, {256, 256}, {}, {42, 0, 256, 256}},
      {Text, Spread, false, false, {480, 640}, {}, {0, 0, 320, 256}},
      {Text, Stretch, true, false, {50, 100}, {}, {0, 0, 340, 256}},
      {PicInPic, Spread, false, false, {50, 100}, {160, 128}, {100, 80, 120, 96}},
      {PicInPic, Spread, false, true, {50, 100}, {160, 128}, {140, 112, 40, 32}},
      {FourInOne, Spread, false, false, {50, 100}, {200, 50}, {160, 0, 160, 128}},
      {FourInOne, Spread, true, false, {50, 100}, {200, 50}, {170, 0, 170, 128}},
      {FourInOne, Spread, false, false, {50, 100}, {100, 200}, {0, 128, 160, 128}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to.x() * 1000 + c.to.width());
    Form1& f = ready(c.mode, c.wide);
    f.makeheader->setChecked(c.header);
    for (LabelButton* l : {f.Label70, f.Label71, f.Label72}) l->setBackColor(l == f.*c.fill ? Selected : Idle);
    solidImage(c.size.width(), c.size.height(), Red).save(path(QStringLiteral("dropped.png")));
    f.Picture1_OLEDragDrop({path(QStringLiteral("dropped.png")), Corpus + "base.png"}, c.at.x(), c.at.y());
    expectLanded(c.to, c.mode == PicInPic);
    expectBeforeCopy();
  }
}

// A file that cannot be read is named in a message, and nothing changes, not even the OOPS copy.
TEST_F(FromOutsideTest, AFileThatCannotBeReadChangesNothing) {
  Form1& f = ready();
  f.Image13->clearPicture();
  for (const QString& file :
       {Corpus + "not-a-picture.jpg", Corpus + "random-bytes.tga", Corpus + "truncated-header.bmp",
        Corpus + "zero-height.bmp", Corpus + "huge-dimensions.bmp", Corpus + "empty.png", Corpus + "truncated-half.png",
        Corpus + "truncated-half.jpg", Corpus + "missing.png", QDir::tempPath()}) {
    dialogs->calls.clear();
    f.Picture1_OLEDragDrop({file}, 10, 10);
    ASSERT_EQ(dialogs->calls.size(), 1u) << file.toStdString();
    EXPECT_TRUE(dialogs->calls[0].prompt.contains(QFileInfo(file).fileName()));
    EXPECT_EQ(std::tuple(committed(Grey), f.Image13->hasPicture()), std::tuple(320 * 256, false));
  }
}

}  // namespace
