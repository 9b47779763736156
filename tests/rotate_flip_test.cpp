#include <cmath>

#include "app/codes.h"
#include "tests/imaging_fixture.h"

namespace {

using colour::state::Armed;
using colour::state::Idle;

class RotateFlipTest : public ImagingTest {
 public:
  void clockwise(int n = 1) {
    for (int i = 0; i < n; ++i) form->Command44_MouseDown(1, 0, 0, 0);
  }
  void anticlockwise(int n = 1) {
    for (int i = 0; i < n; ++i) form->Command46_MouseDown(1, 0, 0, 0);
  }
  void flip(Qt::Orientation axis) {
    if (axis == Qt::Vertical)
      form->Command28_MouseDown(1, 0, 0, 0);
    else
      form->Command29_MouseDown(1, 0, 0, 0);
  }
};

TEST_F(RotateFlipTest, SixteenStepsTurnThePictureRoundAndStartAgainInBothLayouts) {
  for (int width : {320, 340}) {
    SCOPED_TRACE(width);
    Form1& f = prepare(width);
    const QImage source = positionPicture(width, 256);
    commitPicture(source);
    for (int k = 1; k <= 15; ++k) {
      clockwise();
      ASSERT_TRUE(sameImage(turned(source, width, stepsAngle(-k)), f.Picture1->picture())) << k << " steps";
    }
    EXPECT_NEAR(f.rotationangle, 15 * kStep, 1e-9);
    EXPECT_EQ(f.toolmarker, tool::Clockwise);
    EXPECT_TRUE(sameImage(source, f.Image6->picture())) << "the source stays unturned";
    clockwise();
    EXPECT_TRUE(sameImage(source, f.Picture1->picture()));
    EXPECT_EQ(f.rotationangle, 0);
    EXPECT_EQ(f.toolmarker, 0);
    EXPECT_TRUE(f.Frame10->isHidden());
    form->unloaded = true;
    form.reset();
  }
}

TEST_F(RotateFlipTest, AStepTheOtherWayTurnsBackAndUnreachedCornersTakePixelOneOne) {
  Form1& f = prepare();
  const QImage source = positionPicture(320, 256);
  commitPicture(source);
  anticlockwise(3);
  clockwise();
  EXPECT_TRUE(sameImage(turned(source, 320, stepsAngle(2)), f.Picture1->picture()));
  EXPECT_EQ(f.toolmarker, tool::Clockwise);
  for (QPoint corner : {QPoint(0, 0), QPoint(319, 0), QPoint(0, 255), QPoint(319, 255)})
    EXPECT_EQ(f.Picture1->picture().pixel(corner), source.pixel(1, 1));

  // Another tool's value in the shared marker leaves the turn's direction as it was.
  anticlockwise();
  f.toolmarker = 107;
  clockwise();
  EXPECT_TRUE(sameImage(turned(source, 320, stepsAngle(2)), f.Picture1->picture()));
}

TEST_F(RotateFlipTest, PendingTextTurnsInTenDegreeStepsUpToUpright) {
  Form1& f = prepare();
  commitPicture(solidImage(320, 256, 0xFFFFFF));
  f.Picture1->font.name = QStringLiteral("Arial");
  f.Picture1->font.size = 24;
  f.Picture1->setForeColor(0xFF);
  f.texttoplace = QStringLiteral("TURN");
  f.startx = 100;
  f.starty = 100;
  f.Label26->setBackColor(Armed);
  const struct {
    int start;
    void (RotateFlipTest::*turn)(int);
    int steps;
    int end;
  } cases[] = {{0, &RotateFlipTest::clockwise, 1, -100},
               {800, &RotateFlipTest::anticlockwise, 2, 900},
               {-800, &RotateFlipTest::clockwise, 2, -900},
               {-900, &RotateFlipTest::anticlockwise, 1, -800}};
  for (const auto& c : cases) {
    f.textangle = c.start;
    (this->*c.turn)(c.steps);
    EXPECT_EQ(f.textangle, c.end) << c.start;
    EXPECT_GT(countColour(f.Picture1->shown(), 0xFF), 20) << "the text is printed at its new angle";
  }
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFFFFFF), f.Picture1->picture())) << "only the text turns";
  EXPECT_EQ(f.rotationangle, 0);
}

TEST_F(RotateFlipTest, RefusedTurnsChangeNothing) {
  const QString vertical = QStringLiteral("Cannot rotate vertical text");
  const QString graduated = QStringLiteral("Cannot rotate graduated text");
  const struct {
    const char* name;
    std::function<void(Form1&)> setUp;
    QString message;
  } cases[] = {
      {"vertical text", [](Form1& f) { f.Label31->setBackColor(Armed); }, vertical},
      {"pending graduated text",
       [](Form1& f) {
         f.Label34->setCaption(QStringLiteral("  Grad"));
         f.Label26->setBackColor(Armed);
       },
       graduated},
      {"BkGnd", [](Form1& f) { f.Check16->setValue(1); }, QString()},
      {"Follow Mouse", [](Form1& f) { f.Check18->setValue(1); }, QString()},
      {"4 pics in 1", [](Form1& f) { f.Check19->setValue(1); }, QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Form1& f = prepare();
    const QImage source = positionPicture(320, 256);
    c.setUp(f);
    commitPicture(source);
    dialogs->calls.clear();
    clockwise();
    anticlockwise();
    EXPECT_TRUE(sameImage(source, f.Picture1->picture()));
    EXPECT_EQ(f.rotationangle, 0);
    EXPECT_EQ(f.textangle, 0);
    ASSERT_EQ(dialogs->calls.size(), c.message.isNull() ? 0u : 2u);
    if (!c.message.isNull()) EXPECT_EQ(dialogs->calls[0].prompt, c.message);
    form->unloaded = true;
    form.reset();
  }
}

TEST_F(RotateFlipTest, GraduatedStyleWithNothingPendingIsResetAndThePictureTurns) {
  Form1& f = prepare();
  const QImage source = positionPicture(320, 256);
  commitPicture(source);
  f.Label34->setCaption(QStringLiteral("  Grad"));
  f.styleapplied = 1;
  clockwise();
  EXPECT_TRUE(dialogs->calls.empty());
  EXPECT_EQ(f.Label34->caption(), QStringLiteral(" Normal"));
  EXPECT_EQ(f.styleapplied, 0);
  EXPECT_TRUE(sameImage(turned(source, 320, stepsAngle(-1)), f.Picture1->picture()));
}

TEST_F(RotateFlipTest, InsertsTurnFromTheirSourceAndStayPending) {
  const QImage base = solidImage(320, 256, 0x00FF00);
  const QImage source = positionPicture(200, 150);
  {
    // Pic in Pic: the turned source is painted at the anchor, the size the insert has.
    Form1& f = prepare();
    commitPicture(base);
    pendInsert(f.Option7, source, 40, 30, 120);
    anticlockwise(2);
    const QImage expected = turned(source, 320, stepsAngle(2));
    EXPECT_TRUE(sameImage(expected, f.Picture2->picture()));
    PictureBox shown(nullptr, 320, 256);
    shown.setPicture(base);
    shown.PaintPicture(expected, 40, 30, 120, 96);
    EXPECT_TRUE(sameImage(shown.shown(), f.Picture1->shown()));
    EXPECT_TRUE(sameImage(base, f.Picture1->picture())) << "nothing is committed";
    EXPECT_EQ(f.Label26->backColor(), Armed);
    EXPECT_TRUE(sameImage(source, f.Image6->picture()));
    form->unloaded = true;
    form.reset();
  }
  {
    // Overlays: the corners the turn leaves take the key of pixel (1, 1) and stay transparent.
    Form1& f = prepare();
    commitPicture(base);
    QImage overlay = solidImage(320, 256, 0x010101);
    for (int y = 64; y < 192; ++y)
      for (int x = 80; x < 240; ++x) overlay.setPixel(x, y, colour::toQRgb(0xFF0000));
    pendInsert(f.Option6, overlay, 0, 0, 300);
    clockwise(4);
    const QImage shown = f.Picture1->shown();
    EXPECT_EQ(countColour(shown, 0x010101), 0);
    // Laid 300 wide, the block covers x 75-224, y 60-179; turned a quarter, x 90-209, y 45-194.
    EXPECT_EQ(pixelAt(shown, 140, 50), 0xFF0000);
    EXPECT_EQ(pixelAt(shown, 80, 100), 0x00FF00);
    EXPECT_EQ(f.Label26->backColor(), Armed);
  }
}

TEST_F(RotateFlipTest, FlipsMirrorTheWholeFrameInBothLayouts) {
  for (int width : {320, 340}) {
    for (Qt::Orientation axis : {Qt::Vertical, Qt::Horizontal}) {
      SCOPED_TRACE(width);
      SCOPED_TRACE(axis);
      Form1& f = prepare(width);
      const QImage source = positionPicture(width, 256);
      commitPicture(source);
      flip(axis);
      EXPECT_TRUE(sameImage(mirrored(source, axis), f.Picture1->picture()));
      EXPECT_TRUE(sameImage(mirrored(source, axis), f.Image6->picture()));
      flip(axis);
      EXPECT_TRUE(sameImage(source, f.Picture1->picture()));
      EXPECT_TRUE(f.Frame10->isHidden());
      form->unloaded = true;
      form.reset();
    }
  }
}

// A flip shows the mirror of what was shown: the mirrored source turned as far the other way.
// The turn buttons' refusals (BkGnd, vertical text) do not stop it.
TEST_F(RotateFlipTest, AFlipAfterTurnsTurnsTheMirroredSourceTheOtherWay) {
  const struct {
    int steps;  // positive anticlockwise
    Qt::Orientation axis;
    bool refusalsOn;
  } cases[] = {{-4, Qt::Horizontal, false}, {-1, Qt::Vertical, false}, {3, Qt::Horizontal, true},
               {-2, Qt::Vertical, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps);
    Form1& f = prepare();
    const QImage source = positionPicture(320, 256);
    commitPicture(source);
    if (c.steps < 0)
      clockwise(-c.steps);
    else
      anticlockwise(c.steps);
    if (c.refusalsOn) {
      f.Check16->setValue(1);
      f.Label31->setBackColor(Armed);
    }
    flip(c.axis);
    EXPECT_TRUE(sameImage(turned(mirrored(source, c.axis), 320, stepsAngle(-c.steps)), f.Picture1->picture()));
    EXPECT_TRUE(sameImage(mirrored(source, c.axis), f.Image6->picture()));
    EXPECT_NEAR(f.rotationangle, std::abs(c.steps) * kStep, 1e-9);
    EXPECT_EQ(f.toolmarker, c.steps < 0 ? tool::Anticlockwise : tool::Clockwise);
    EXPECT_TRUE(dialogs->calls.empty());
    form->unloaded = true;
    form.reset();
  }
}

TEST_F(RotateFlipTest, AFlippedTurnedInsertShowsItsMirroredSourceTurnedTheOtherWay) {
  Form1& f = prepare();
  const QImage base = solidImage(320, 256, 0x00FF00);
  const QImage source = positionPicture(160, 128);
  commitPicture(base);
  pendInsert(f.Option7, source, 50, 40, 100);
  clockwise(3);
  flip(Qt::Horizontal);
  const QImage mirror = mirrored(frameOf(source, 320), Qt::Horizontal);
  EXPECT_TRUE(sameImage(mirror, f.Image6->picture())) << "the source is replaced by its mirror over the frame";
  EXPECT_TRUE(sameImage(turned(mirror, 320, stepsAngle(3)), f.Picture2->picture()));
  EXPECT_EQ(f.toolmarker, tool::Anticlockwise);
  EXPECT_EQ(f.Label26->backColor(), Armed);
}

// Inserts of any size are stretched over the frame before they turn or mirror; a missing
// source turns nothing and counts no step.
TEST_F(RotateFlipTest, InsertSourcesOfAnySizeTurnAndFlipWithinTheFrame) {
  for (QSize size : {QSize(1, 1), QSize(3, 7), QSize(321, 257), QSize(4000, 4000)}) {
    SCOPED_TRACE(size.width());
    Form1& f = prepare(340);
    commitPicture(solidImage(340, 256, 0x00FF00));
    const QImage source = positionPicture(size.width(), size.height());
    pendInsert(f.Option7, source, 20, 20, 80);
    clockwise();
    EXPECT_TRUE(sameImage(turned(source, 340, stepsAngle(-1)), f.Picture2->picture()));
    flip(Qt::Vertical);
    EXPECT_TRUE(sameImage(mirrored(frameOf(source, 340), Qt::Vertical), f.Image6->picture()));
    form->unloaded = true;
    form.reset();
  }
  Form1& f = prepare();
  commitPicture(solidImage(320, 256, 0x00FF00));
  pendInsert(f.Option7, QImage(), 20, 20, 80);
  clockwise();
  flip(Qt::Horizontal);
  EXPECT_EQ(f.rotationangle, 0);
  EXPECT_FALSE(f.Image6->hasPicture());
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0x00FF00), f.Picture1->picture()));
}

TEST_F(RotateFlipTest, PendingTextOrDrawingIsNotFlipped) {
  Form1& f = prepare();
  const QImage source = positionPicture(320, 256);
  commitPicture(source);
  f.Label26->setBackColor(Armed);
  flip(Qt::Horizontal);
  EXPECT_TRUE(sameImage(source, f.Picture1->picture()));
  EXPECT_TRUE(sameImage(source, f.Image6->picture()));
}

TEST_F(RotateFlipTest, SetOfTextAfterATurnStartsTheNextTurnFromTheCommittedPicture) {
  Form1& f = prepare();
  const QImage source = positionPicture(320, 256);
  commitPicture(source);
  clockwise(2);
  f.texttoplace = QStringLiteral(" ");
  f.Label26->setBackColor(Armed);
  f.Label26_Click();
  EXPECT_EQ(f.rotationangle, 0);
  const QImage committed = f.Image6->picture();
  clockwise();
  EXPECT_TRUE(sameImage(turned(committed, 320, stepsAngle(-1)), f.Picture1->picture()));
}

// Clicks that arrive while a run lets events through are ignored: one run, one step.
TEST_F(RotateFlipTest, ClicksDeliveredDuringATurnAreIgnored) {
  const struct {
    const char* name;
    std::function<void(Form1&)> click;
  } clicks[] = {
      {"Rot >", [](Form1& f) { emit f.Command44->mouseDown(1, 0, 0, 0); }},
      {"< Rot", [](Form1& f) { emit f.Command46->mouseDown(1, 0, 0, 0); }},
      {"Flip H", [](Form1& f) { emit f.Command29->mouseDown(1, 0, 0, 0); }},
      {"Things Red",
       [](Form1& f) {
         f.Combo1->setText(QStringLiteral("Red"));
         emit f.Combo1->click();
       }},
      {"Adjust", [](Form1& f) { f.Command13->click(); }},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.name);
    Form1& f = prepare();
    const QImage source = positionPicture(320, 256);
    commitPicture(source);
    Form1* form1 = &f;
    const auto delivered = clickDuringPump([form1, &c] { c.click(*form1); });
    clockwise();
    ASSERT_TRUE(*delivered);
    EXPECT_TRUE(sameImage(turned(source, 320, stepsAngle(-1)), f.Picture1->picture()));
    EXPECT_NEAR(f.rotationangle, kStep, 1e-12);
    EXPECT_TRUE(f.Frame9->isHidden());
    form->unloaded = true;
    form.reset();
  }
}

}  // namespace
