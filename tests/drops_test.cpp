#include <QPainter>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr long Grey = 0x808080, Red = 0xFF, Blue = 0xFF0000, Green = 0xFF00, Key = 0x010101;
enum Mode { Text, Draw, PicInPic, Overlays };

// `ground` with boxes of other colours on it.
QImage painted(int w, long ground, std::initializer_list<std::pair<QRect, long>> boxes) {
  QImage img = solidImage(w, 256, ground);
  QPainter p(&img);
  for (const auto& [box, c] : boxes) p.fillRect(box, colour::toQColor(c));
  return img;
}
// An overlay of the key colour with a red band across it, plain through its middle: a frame for
// the whole picture. One pixel of another colour on the middle column makes it an ordinary one.
const QImage Framed = painted(320, Key, {{QRect(0, 32, 320, 32), Red}});
const QImage NotFramed = painted(320, Key, {{QRect(0, 32, 320, 32), Red}, {QRect(165, 90, 1, 1), Blue}});

class DropsTest : public FormTest {
 protected:
  Form1& ready(Mode mode = Text, bool wide = false) {
    Form1& f = start();
    if (wide) f.jvcomm1->trigger();
    if (mode == Draw) f.Option8_Click();
    if (mode == PicInPic) f.Option7_Click();
    if (mode == Overlays) f.Option6_Click();
    f.Picture1->setPicture(solidImage(f.frameWidth(), 256, Grey));
    return f;
  }
  // Strip box n, holding `picture`, is dragged from and let go on the main picture at (x, y).
  void dropBox(int n, const QImage& picture, double x, double y) {
    Form1& f = *form;
    f.stripBox(n)->setPicture(picture);
    f.beginDrag = [&f, x, y](QWidget*) { f.Picture1_DragDrop(x, y); };
    f.stripBox_MouseDown(n, 1);
  }
  int shown(long c, QRect area = QRect()) const { return countColour(form->Picture1->shown(), c, area); }
  int committed(long c, QRect area = QRect()) const { return countColour(form->Picture1->picture(), c, area); }
};

// In Text and Draw modes a thumbnail replaces the picture at once: a narrow one centred between
// black bars, a wide one stretched. In Pic in Pic it waits at the drop point.
TEST_F(DropsTest, AThumbnailReplacesThePictureOrWaitsAsAnInsert) {
  const struct {
    Mode mode;
    bool wide;
    QSize size;
    QRect lands;
    bool pending;
  } cases[] = {{Text, false, {100, 100}, {32, 0, 256, 256}, false},
               {Text, true, {100, 100}, {42, 0, 256, 256}, false},
               {Draw, false, {400, 200}, {0, 0, 320, 256}, false},
               {Draw, true, {400, 200}, {0, 0, 340, 256}, false},
               {PicInPic, false, {320, 256}, {100, 80, 120, 96}, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lands.x());
    Form1& f = ready(c.mode, c.wide);
    dropBox(3, solidImage(c.size.width(), c.size.height(), Red), 160, 128);
    const int area = c.lands.width() * c.lands.height();
    EXPECT_EQ(shown(Red, c.lands), area);
    EXPECT_EQ(shown(Red), area);
    EXPECT_EQ(committed(Red), c.pending ? 0 : area);
    if (!c.pending) EXPECT_EQ(committed(0), f.frameWidth() * 256 - area) << "black bars";
    EXPECT_EQ(f.Label26->backColor(), c.pending ? Armed : SetIdle);
    EXPECT_TRUE(sameImage(solidImage(f.frameWidth(), 256, Grey), f.Image13->picture()));
  }
}

// The main picture dropped on itself only throws pending work away; any other drop shows white
// on OOPS, so OOPS brings back the picture from before it even when it was showing black.
TEST_F(DropsTest, SelfDropOnlyUndoesAndOopsTakesEveryOtherDropBack) {
  Form1& f = ready();
  pendOnScreen();
  f.Command31->setBackColor(OopsBefore);
  f.Image13->clearPicture();
  f.dragsource = 8;
  f.Picture1_DragDrop(50, 50);
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  EXPECT_EQ(shown(Grey), 320 * 256);
  EXPECT_EQ(std::tuple(f.Command31->backColor(), f.Image13->hasPicture()), std::tuple(OopsBefore, false));

  dropBox(2, solidImage(320, 256, Red), 50, 50);
  EXPECT_EQ(f.Command31->backColor(), OopsNormal);
  f.Command31_Click();
  EXPECT_EQ(committed(Grey), 320 * 256);
  f.Command31_Click();
  EXPECT_EQ(committed(Red), 320 * 256);
}

// ColFill is tried before PatFil and only in Text mode; it floods the connected area under the
// drop point and keeps the text colour; a point outside the picture fills nothing.
TEST_F(DropsTest, ColFillFloodsTheConnectedAreaInTextModeOnly) {
  Form1& f = ready();
  f.Picture1->setPicture(painted(320, Grey, {{QRect(10, 10, 20, 20), Red}, {QRect(100, 10, 20, 20), Red}}));
  f.textsettings[7] = QString::number(Blue);
  f.Label38->setBackColor(Armed);
  f.Label32->setBackColor(Armed);
  f.dragsource = 0;
  f.Picture1_DragDrop(15, 15);
  EXPECT_EQ(committed(Blue, QRect(10, 10, 20, 20)), 400);
  EXPECT_EQ(committed(Red), 400) << "the other square is not connected";
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  EXPECT_EQ(f.textsettings[7], QString::number(Blue));
  EXPECT_EQ(f.Label32->backColor(), Armed) << "PatFil did not run";
  f.Picture1_DragDrop(-5, 300);
  EXPECT_EQ(committed(Blue), 400);
  // A Box drawn afterwards is unfilled.
  f.Picture1->Box(200, 100, 250, 150, Green);
  EXPECT_EQ(shown(Green, QRect(205, 105, 40, 40)), 0);

  f.Option8_Click();
  f.Label38->setBackColor(Armed);
  f.Image2->setPicture(solidImage(320, 256, Green));
  f.dragsource = 2;
  f.Picture1_DragDrop(15, 15);
  EXPECT_EQ(committed(Green), 320 * 256) << "outside Text mode the thumbnail is dropped instead";
}

// PatFil replaces every pixel of the colour under the drop point, to the last row and column,
// by the dragged thumbnail or colour; in header mode only rows 220 to 255.
TEST_F(DropsTest, PatFilFillsTheColourFromAThumbnailOrOneColour) {
  const struct {
    bool thumbnail, header, wide;
  } cases[] = {{true, false, false}, {false, false, true}, {true, true, false}, {false, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.thumbnail * 4 + c.header * 2 + c.wide);
    Form1& f = ready(Text, c.wide);
    const int w = f.frameWidth();
    f.Picture1->setPicture(painted(w, Grey, {{QRect(0, 0, 41, 256), Red}}));
    if (c.header) f.makeheader->setChecked(true);
    f.Label32_Click();
    f.palette[4]->setBackColor(Blue);
    if (c.thumbnail)
      dropBox(4, solidImage(w, 256, Blue), w - 1, 255);
    else {
      f.beginDrag = [&f, w](QWidget*) { f.Picture1_DragDrop(w - 1, 255); };
      f.Palette_MouseDown(4, 1, 0, 5, 5);
    }
    const int rows = c.header ? 36 : 256;
    EXPECT_EQ(committed(Blue), (w - 41) * rows);
    EXPECT_EQ(committed(Blue, QRect(w - 1, 255, 1, 1)), 1);
    EXPECT_EQ(committed(Red), 41 * 256);
    EXPECT_EQ(std::tuple(f.Label32->backColor(), f.operationmarker), std::tuple(Idle, 0));
    if (c.header) continue;  // OOPS does nothing while a header is made
    f.Command31_Click();
    EXPECT_EQ(committed(Grey), (w - 41) * 256) << "OOPS brings back the picture before the fill";
  }
}

// Pic in Pic centres the insert on the drop point, Follow Mouse starts it small, 4 pics in 1
// commits a quarter; an overlay one colour across its middle is a frame for the whole picture.
TEST_F(DropsTest, InsertsLandWhereTheModeSays) {
  const QImage red = solidImage(320, 256, Red);
  const struct {
    Mode mode;
    int check;
    bool wide;
    QImage picture;
    QPointF at;
    QRect lands;
    bool pending, exact;
  } cases[] = {{PicInPic, 0, false, red, {160, 128}, {100, 80, 120, 96}, true, true},
               {PicInPic, 18, false, red, {100, 100}, {85, 88, 30, 24}, true, true},
               {PicInPic, 19, false, red, {159, 127}, {0, 0, 160, 128}, false, true},
               {PicInPic, 19, false, red, {160, 128}, {160, 128, 160, 128}, false, true},
               {PicInPic, 19, true, solidImage(340, 256, Red), {200, 50}, {170, 0, 170, 128}, false, true},
               {Overlays, 0, false, Framed, {30, 30}, {0, 32, 320, 32}, true, true},
               {Overlays, 0, false, NotFramed, {160, 128}, {100, 80, 120, 96}, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lands.x() * 1000 + c.lands.y());
    Form1& f = ready(c.mode, c.wide);
    if (c.check) (c.check == 18 ? f.Check18 : f.Check19)->setValue(1);
    dropBox(5, c.picture, c.at.x(), c.at.y());
    const int area = c.lands.width() * c.lands.height();
    EXPECT_EQ(shown(Red, c.lands), c.exact ? area : shown(Red));
    EXPECT_GT(shown(Red), c.exact ? area - 1 : 0);
    EXPECT_EQ(committed(Red), c.pending ? 0 : area);
    EXPECT_EQ(shown(Key), 0) << "the key colour is left out";
  }
}

// An ordinary overlay dropped while a full-frame one is pending starts at (100, 70).
TEST_F(DropsTest, AnOverlayAfterAFullFrameOneStartsAt100By70) {
  Form1& f = ready(Overlays);
  f.fullframe = 1;
  dropBox(2, NotFramed, 10, 10);
  EXPECT_EQ(std::tuple(f.startx, f.starty, f.fullframe), std::tuple(100.0, 70.0, 0));
}

// With Follow Mouse, Undo (and the next drop's own Undo) brings back the main picture, never the
// insert dropped before.
TEST_F(DropsTest, UndoAfterAFollowMouseDropKeepsTheMainPicture) {
  Form1& f = ready(PicInPic);
  f.Check18->setValue(1);
  dropBox(2, solidImage(320, 256, Red), 100, 100);
  dropBox(3, solidImage(320, 256, Blue), 200, 200);
  EXPECT_EQ(shown(Red), 0);
  f.Command12_Click();
  EXPECT_EQ(shown(Grey), 320 * 256);
  EXPECT_EQ(countColour(f.Picture2->picture(), Grey), 320 * 256);
}

}  // namespace
