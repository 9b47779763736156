#include <QCoreApplication>
#include <QDragMoveEvent>
#include <map>

#include "platform/dragdrop.h"
#include "tests/canvas_fixture.h"

using namespace canvastest;

namespace {

// Key-coloured overlays with a red band, plain through the middle: a frame for the whole picture.
// One pixel of another colour on the middle column makes it an ordinary overlay.
const QImage Framed = painted(320, Key, {{QRect(0, 32, 320, 32), Red}});
const QImage NotFramed = painted(320, Key, {{QRect(0, 32, 320, 32), Red}, {QRect(165, 90, 1, 1), Blue}});

class DropsTest : public CanvasTest {
 protected:
  // Strip box n (2 to 5) or browse box n (11 to 14), holding `picture`, is dragged from and let go
  // on the main picture at (x, y).
  void dropBox(int n, const QImage& picture, double x, double y) {
    Form1& f = *form;
    f.beginDrag = [&f, x, y](QWidget*) { f.Picture1_DragDrop(x, y); };
    if (n < drag::FirstBrowseThumbnail) {
      f.stripBox(n)->setPicture(picture);
      return f.stripBox_MouseDown(n, mousebutton::Left);
    }
    const int k = n - drag::FirstBrowseThumbnail + 1;
    f.browseBox(k)->setPicture(picture);
    f.browseBox_MouseDown(k, mousebutton::Left);
  }
};

// In Text and Draw modes a thumbnail of the strip or the browser replaces the picture at once (a
// narrow one centred between black bars, a wide one stretched); in Pic in Pic it waits centred on
// the drop point.
TEST_F(DropsTest, AThumbnailReplacesThePictureOrWaitsAsAnInsert) {
  const struct { Mode mode; bool wide; QSize size; QRect lands; int box = 3; } cases[] = {
      {Text, false, {100, 100}, {32, 0, 256, 256}}, {Text, true, {100, 100}, {42, 0, 256, 256}},
      {Draw, false, {400, 200}, {0, 0, 320, 256}}, {Draw, true, {400, 200}, {0, 0, 340, 256}},
      {Text, true, {200, 100}, {0, 0, 340, 256}, 12}, {PicInPic, false, {320, 256}, {100, 80, 120, 96}}};
  for (const auto& c : cases) {
    Form1& f = ready(c.mode, c.wide);
    dropBox(c.box, solidImage(c.size.width(), c.size.height(), Red), 160, 128);
    expectLanded(c.lands, c.mode == PicInPic);
    if (c.mode != PicInPic) EXPECT_EQ(committed(0), f.frameWidth() * 256 - c.lands.width() * 256);
    EXPECT_EQ(countColour(f.Image13->picture(), Grey), f.frameWidth() * 256);
  }
}

// The main picture dropped on itself only throws pending work away; any other drop turns OOPS
// white, so OOPS brings back the picture from before it even when it was showing black.
TEST_F(DropsTest, SelfDropOnlyUndoesAndOopsTakesEveryOtherDropBack) {
  Form1& f = ready();
  pendOnScreen();
  f.Command31->setBackColor(OopsBefore);
  f.Image13->clearPicture();
  f.dragsource = 8;
  f.Picture1_DragDrop(50, 50);
  EXPECT_EQ(std::tuple(shown(Grey), f.Command31->backColor(), f.Image13->hasPicture()),
            std::tuple(320 * 256, OopsBefore, false));
  dropBox(2, solidImage(320, 256, Red), 50, 50);
  f.Command31_Click();
  EXPECT_EQ(committed(Grey), 320 * 256);
}

// ColFill comes before PatFil, in Text mode only: it floods the connected area under the drop
// point and keeps the text colour; a point outside the picture fills nothing.
TEST_F(DropsTest, ColFillFloodsTheConnectedAreaInTextModeOnly) {
  Form1& f = ready();
  f.Picture1->setPicture(painted(320, Grey, {{QRect(10, 10, 20, 20), Red}, {QRect(100, 10, 20, 20), Red}}));
  f.textsettings[7] = QString::number(Blue);
  f.Label38->setBackColor(Armed);
  f.Label32->setBackColor(Armed);
  f.Picture1_DragDrop(15, 15);
  f.Picture1_DragDrop(-5, 300);
  EXPECT_EQ(std::tuple(committed(Blue, QRect(10, 10, 20, 20)), committed(Red), f.textsettings[7]),
            std::tuple(400, 400, QString::number(Blue)));
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  f.Option8_Click();
  f.Label38->setBackColor(Armed);
  f.Image2->setPicture(solidImage(320, 256, Green));
  f.dragsource = 2;
  f.Picture1_DragDrop(15, 15);
  EXPECT_EQ(committed(Green), 320 * 256) << "outside Text mode the thumbnail replaces the picture";
}

// PatFil replaces every pixel of the colour under the drop point, to the last row and column, by
// the dragged thumbnail or colour; while a header is made, only rows 220 to 255.
TEST_F(DropsTest, PatFilFillsTheColourFromAThumbnailOrOneColour) {
  const struct { bool thumbnail, header, wide; } cases[] = {
      {true, false, false}, {false, false, true}, {true, true, false}, {false, true, false}};
  for (const auto& c : cases) {
    Form1& f = ready(Text, c.wide);
    const int w = f.frameWidth();
    f.Picture1->setPicture(painted(w, Grey, {{QRect(0, 0, 41, 256), Red}}));
    f.makeheader->setChecked(c.header);
    f.Label32_Click();
    f.palette[4]->setBackColor(Blue);
    f.beginDrag = [&f, w](QWidget*) { f.Picture1_DragDrop(w - 1, 255); };
    f.textsettings[7] = QString::number(Green);
    c.thumbnail ? dropBox(4, solidImage(w, 256, Blue), w - 1, 255) : f.Palette_MouseDown(4, 1, 0, 5, 5);
    EXPECT_EQ(f.textsettings[7], QString::number(Green)) << "the text colour comes back after the fill";
    EXPECT_EQ(std::tuple(committed(Blue), committed(Blue, QRect(w - 1, 255, 1, 1)), committed(Red)),
              std::tuple((w - 41) * (c.header ? 36 : 256), 1, 41 * 256));
    EXPECT_EQ(std::tuple(f.Label32->backColor(), f.operationmarker), std::tuple(Idle, 0));
  }
}

// Pic in Pic centres the insert on the drop point, Follow Mouse starts it small, 4 pics in 1
// commits a quarter; an overlay plain through its middle is laid over the whole picture, and an
// ordinary one after such a frame starts at (100, 70).
TEST_F(DropsTest, InsertsLandWhereTheModeSays) {
  const QImage red = solidImage(320, 256, Red);
  const struct { Mode mode; int fullframe; bool wide; QImage picture; QPointF at; QRect lands; bool exact; } cases[] = {
      {PicInPic, 0, false, red, {160, 128}, {100, 80, 120, 96}, true},
      {FollowMouse, 0, false, red, {100, 100}, {85, 88, 30, 24}, true},
      {FourInOne, 0, false, red, {159, 127}, {0, 0, 160, 128}, true},
      {FourInOne, 0, false, red, {160, 128}, {160, 128, 160, 128}, true},
      {FourInOne, 0, true, solidImage(340, 256, Red), {200, 50}, {170, 0, 170, 128}, true},
      {Overlays, 0, false, Framed, {30, 30}, {0, 32, 320, 32}, true},
      {Overlays, 0, false, NotFramed, {160, 128}, {100, 80, 120, 96}, false},
      {Overlays, 1, false, NotFramed, {10, 10}, {100, 70, 120, 96}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lands.x() * 1000 + c.lands.y());
    ready(c.mode, c.wide);
    form->fullframe = c.fullframe;
    dropBox(5, c.picture, c.at.x(), c.at.y());
    if (c.exact) expectLanded(c.lands, c.mode != FourInOne);
    EXPECT_EQ(std::tuple(shown(Red, c.lands) == shown(Red), shown(Red) > 0, shown(Key)), std::tuple(true, true, 0));
  }
}

// With Follow Mouse, Undo (the next drop's own too) brings back the main picture, never the insert
// dropped before.
TEST_F(DropsTest, UndoAfterAFollowMouseDropKeepsTheMainPicture) {
  Form1& f = ready(FollowMouse);
  dropBox(2, solidImage(320, 256, Red), 100, 100);
  dropBox(3, solidImage(320, 256, Blue), 200, 200);
  EXPECT_EQ(shown(Red), 0);
  f.Command12_Click();
  EXPECT_EQ(shown(Grey), 320 * 256);
}

// While a control is dragged the pointer is its drag icon as the main picture's handler leaves
// it: the drop sign when the drag enters, the fill icon for PatFil and ColFill from the first move
// on (a thumbnail) or at once (a colour), the normal icon once it leaves. The picture takes every
// move; the toolkit's own move at the entering point is no move of the pointer.
TEST_F(DropsTest, ThePointerShowsTheIconTheHandlersGiveTheDraggedControl) {
  enum Pointer { Refused, Normal, DropSign, Fill };
  Form1& f = ready();
  f.Image2->setPicture(solidImage(320, 256, Red));
  const std::map<qint64, Pointer> kinds = {{platform::dragIcon(f.Drive1).cacheKey(), Normal},
                                           {platform::dragIcon(f.Dir1).cacheKey(), DropSign},
                                           {f.Picture1->mouseIcon.cacheKey(), Fill}};
  const auto thumbnail = [&f] { f.stripBox_MouseDown(2, mousebutton::Left); };
  const auto colour = [&f] {
    platform::setDragIcon(f.palette[4], f.Picture1->mouseIcon);  // as a fill dropped on the picture leaves it
    f.Palette_MouseDown(4, 1, 0, 5, 5);
  };
  const auto picture = [&f](int button) { return [&f, button] { f.Picture1_MouseDown(button, 0, 9, 9); }; };
  const struct { long patFil, colFill; std::function<void()> press; std::vector<Pointer> pointer; } cases[] = {
      {Armed, Idle, thumbnail, {Normal, DropSign, DropSign, Fill, Normal}},
      {Idle, Armed, colour, {Normal, Fill, Fill, Fill, Normal}},
      {Armed, Idle, picture(mousebutton::Left), {Fill, Fill, Fill, Fill, Fill}},
      {Idle, Idle, picture(mousebutton::Right), {Normal, DropSign, DropSign, DropSign, Normal}}};
  for (const auto& c : cases) {
    std::vector<Pointer> pointer;
    f.beginDrag = [&](QWidget* source) {
      platform::ControlDrag drag(source);
      const auto look = [&](bool taken) { pointer.push_back(taken ? kinds.at(drag.pointer().cacheKey()) : Refused); };
      const auto send = [&](QEvent&& e) { QCoreApplication::sendEvent(f.Picture1, &e); look(e.isAccepted()); };
      look(true);  // as the drag starts
      send(QDragEnterEvent(QPoint(60, 60), Qt::MoveAction, drag.data(), Qt::LeftButton, {}));
      for (QPoint at : {QPoint(60, 60), QPoint(70, 64)})
        send(QDragMoveEvent(at, Qt::MoveAction, drag.data(), Qt::LeftButton, {}));
      send(QDragLeaveEvent());
    };
    f.Label32->setBackColor(c.patFil);
    f.Label38->setBackColor(c.colFill);
    c.press();
    EXPECT_EQ(pointer, c.pointer) << &c - cases;
  }
}

}  // namespace
