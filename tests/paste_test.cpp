#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr long Grey = 0x808080, Red = 0xFF, Key = 0x010101;
enum Mode { Text, PicInPic, Overlays, FourInOne };
const QString Corpus = QString::fromUtf8(__FILE__).section('/', 0, -3) + "/../shared/testdata/pictures/";

// Paste, the import and files dropped from the desktop bring pictures from outside.
class FromOutsideTest : public FormTest {
 protected:
  Form1& ready(Mode mode, bool wide = false) {
    Form1& f = start();
    if (wide) f.jvcomm1->trigger();
    if (mode == PicInPic) f.Option7_Click();
    if (mode == Overlays) f.Option6_Click();
    if (mode == FourInOne) f.Check19->setValue(1);
    f.Picture1->setPicture(solidImage(f.frameWidth(), 256, Grey));
    f.Command31->setBackColor(OopsBefore);
    return f;
  }
  static void offer(const QImage& picture, const QString& text = QString()) {
    auto* data = new QMimeData;
    if (!text.isNull()) data->setText(text);
    if (!picture.isNull()) data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
  }
  void importAt(double x, double y) {
    form->dragsource = 9;
    form->Picture1_DragDrop(x, y);
  }
  // What lands: the red area shown, whether it is committed, and the OOPS copy of the grey picture.
  void expectLanded(const QRect& lands, bool pending) {
    Form1& f = *form;
    const int area = lands.width() * lands.height();
    EXPECT_EQ(countColour(f.Picture1->shown(), Red, lands), area);
    EXPECT_EQ(countColour(f.Picture1->shown(), Red), area);
    EXPECT_EQ(countColour(f.Picture1->picture(), Red), pending ? 0 : area);
    EXPECT_EQ(f.Label26->backColor(), pending ? Armed : SetIdle);
  }
  void expectBeforeCopy() {
    EXPECT_TRUE(sameImage(solidImage(form->frameWidth(), 256, Grey), form->Image13->picture()));
    EXPECT_EQ(form->Command31->backColor(), OopsNormal);
  }
};

// Text mode takes the clipboard's picture stretched over the frame; the insert modes centre it on
// (160, 128) in both layouts.
TEST_F(FromOutsideTest, PasteReplacesThePictureOrCentresAnInsert) {
  const struct {
    Mode mode;
    bool wide;
    QRect lands;
    bool pending;
  } cases[] = {{Text, false, {0, 0, 320, 256}, false},
               {Text, true, {0, 0, 340, 256}, false},
               {PicInPic, false, {100, 80, 120, 96}, true},
               {PicInPic, true, {100, 80, 120, 96}, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode * 2 + c.wide);
    ready(c.mode, c.wide);
    offer(solidImage(640, 480, Red));
    form->Command7_Click();
    expectLanded(c.lands, c.pending);
    expectBeforeCopy();
  }
  // An overlay is laid at the same anchor, its corner colour left out.
  Form1& f = ready(Overlays);
  QImage overlay = solidImage(640, 480, Key);
  QPainter(&overlay).fillRect(40, 40, 560, 400, colour::toQColor(Red));
  offer(overlay);
  f.Command7_Click();
  EXPECT_EQ(std::tuple(f.startx, f.starty), std::tuple(100.0, 80.0));
  EXPECT_EQ(countColour(f.Picture1->shown(), Red, QRect(100, 80, 120, 96)), countColour(f.Picture1->shown(), Red));
  EXPECT_GT(countColour(f.Picture1->shown(), Red), 100 * 70);
  EXPECT_EQ(countColour(f.Picture1->shown(), Key), 0);
}

// With nothing on the clipboard Paste and the import say so and change nothing, not even the
// scratch picture that Undo of a noise-line removal brings back.
TEST_F(FromOutsideTest, AnEmptyClipboardChangesNothing) {
  Form1& f = ready(PicInPic);
  const QImage scratch = solidImage(320, 256, 0x123456);
  f.Picture2->setPicture(scratch);
  f.Picture3->setPicture(scratch);
  QGuiApplication::clipboard()->clear();
  f.Command7_Click();
  importAt(50, 50);
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_EQ(dialogs->calls[0].prompt, QStringLiteral("Nothing in Clipboard."));
  EXPECT_EQ(dialogs->calls[1].prompt, QStringLiteral("Nothing to get."));
  EXPECT_TRUE(sameImage(scratch, f.Picture2->picture()));
  EXPECT_TRUE(sameImage(scratch, f.Picture3->picture()));
  EXPECT_EQ(countColour(f.Picture1->shown(), Grey), 320 * 256);
  EXPECT_EQ(std::tuple(f.dragsource, f.Label26->backColor()), std::tuple(0, SetIdle));
}

// The import takes the picture at its own size and puts everything the clipboard held back.
TEST_F(FromOutsideTest, TheImportPlacesThePictureAndGivesTheClipboardBack) {
  for (Mode mode : {Text, PicInPic}) {
    Form1& f = ready(mode);
    offer(solidImage(500, 400, Red), QStringLiteral("73 de G4ABC"));
    importAt(160, 128);
    expectLanded(mode == Text ? QRect(0, 0, 320, 256) : QRect(100, 80, 120, 96), mode != Text);
    if (mode == PicInPic) EXPECT_EQ(f.Image6->picture().size(), QSize(500, 400));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("73 de G4ABC"));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(500, 400));
  }
}

// The worked numbers of the fill modes, the insert, 4 pics in 1 and the header maker's insert.
TEST_F(FromOutsideTest, AFileDroppedFromTheDesktopLandsByModeAndFillMode) {
  constexpr auto Correct = &Form1::Label70, Spread = &Form1::Label71, Stretch = &Form1::Label72;
  const struct {
    Mode mode;
    LabelButton* Form1::*fill;
    bool wide;
    QSize size;
    QPoint at;
    QRect lands;
    bool pending, header;
  } cases[] = {{Text, Correct, false, {640, 480}, {}, {0, 8, 320, 240}, false, false},
               {Text, Correct, true, {640, 480}, {}, {0, 8, 340, 240}, false, false},
               {Text, Correct, false, {480, 640}, {}, {64, 0, 192, 256}, false, false},
               {Text, Correct, true, {480, 640}, {}, {74, 0, 192, 256}, false, false},
               {Text, Correct, true, {256, 256}, {}, {42, 0, 256, 256}, false, false},
               {Text, Spread, false, {480, 640}, {}, {0, 0, 320, 256}, false, false},
               {Text, Stretch, true, {50, 100}, {}, {0, 0, 340, 256}, false, false},
               {PicInPic, Spread, false, {50, 100}, {160, 128}, {100, 80, 120, 96}, true, false},
               {PicInPic, Spread, false, {50, 100}, {160, 128}, {140, 112, 40, 32}, true, true},
               {FourInOne, Spread, false, {50, 100}, {200, 50}, {160, 0, 160, 128}, false, false},
               {FourInOne, Spread, true, {50, 100}, {200, 50}, {170, 0, 170, 128}, false, false},
               {FourInOne, Spread, false, {50, 100}, {100, 200}, {0, 128, 160, 128}, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lands.x() * 1000 + c.lands.width());
    Form1& f = ready(c.mode, c.wide);
    if (c.header) f.makeheader->setChecked(true);
    for (LabelButton* l : {f.Label70, f.Label71, f.Label72}) l->setBackColor(l == f.*c.fill ? Selected : Idle);
    const QString file = path(QStringLiteral("dropped.png"));
    solidImage(c.size.width(), c.size.height(), Red).save(file);
    f.Picture1_OLEDragDrop({file, path(QStringLiteral("second.png"))}, c.at.x(), c.at.y());
    expectLanded(c.lands, c.pending);
    expectBeforeCopy();
  }
}

// A file that cannot be read is named in a message, and nothing changes, not even the OOPS copy.
TEST_F(FromOutsideTest, AFileThatCannotBeReadChangesNothing) {
  const QString files[] = {
      Corpus + "not-a-picture.jpg",  Corpus + "random-bytes.tga",    Corpus + "truncated-header.bmp",
      Corpus + "zero-height.bmp",    Corpus + "huge-dimensions.bmp", Corpus + "empty.png",
      Corpus + "truncated-half.png", Corpus + "truncated-half.jpg",  QDir::tempPath(),
      Corpus + "missing.png"};
  Form1& f = ready(Text);
  f.Image13->clearPicture();
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    dialogs->calls.clear();
    f.Picture1_OLEDragDrop({file}, 10, 10);
    ASSERT_EQ(dialogs->calls.size(), 1u);
    EXPECT_TRUE(dialogs->calls[0].prompt.contains(QFileInfo(file).fileName()));
    EXPECT_EQ(countColour(f.Picture1->picture(), Grey), 320 * 256);
    EXPECT_EQ(std::tuple(f.Image13->hasPicture(), f.Command31->backColor()), std::tuple(false, OopsBefore));
  }
}

}  // namespace
