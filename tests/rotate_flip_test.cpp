#include "app/codes.h"
#include "raster/globe.h"
#include "tests/imaging_fixture.h"

namespace {

using colour::state::Armed;
using RotateFlipTest = ImagingTest;

// Sixteen steps come round to the source; a step the other way turns back one step, whatever the
// marker other tools share holds; a SET of text after a turn starts the next turn afresh.
TEST_F(RotateFlipTest, StepsTurnTheCommittedPictureRoundAndBack) {
  for (int width : {320, 340}) {
    const QImage source = positionPicture(width, 256);
    Form1& f = prepare(source);
    for (int k = 1; k <= 15; ++k) {
      turn(-1);
      ASSERT_TRUE(sameImage(turned(source, width, -k), f.Picture1->picture())) << width << ": " << k;
    }
    EXPECT_NEAR(f.rotationangle, 15 * kStep, 1e-9);
    EXPECT_TRUE(sameImage(source, f.Image6->picture()));
    turn(-1);
    EXPECT_TRUE(sameImage(source, f.Picture1->picture()));
    EXPECT_EQ(std::pair(f.rotationangle, f.toolmarker), std::pair(0.0, 0));
    turn(3);
    turn(-1);
    EXPECT_TRUE(sameImage(turned(source, width, 2), f.Picture1->picture()));
    EXPECT_EQ(f.toolmarker, tool::Clockwise);
    EXPECT_EQ(f.Picture1->picture().pixel(0, 0), source.pixel(1, 1)) << "unreached corners";
    f.toolmarker = 107;  // a Dir button's
    turn(1);
    EXPECT_TRUE(sameImage(turned(source, width, 3), f.Picture1->picture()));
    f.texttoplace = QStringLiteral(" ");
    f.Label26->setBackColor(Armed);
    f.Label26_Click();
    EXPECT_EQ(f.rotationangle, 0);
    turn(-1);
    EXPECT_TRUE(sameImage(turned(f.Image6->picture(), width, -1), f.Picture1->picture()));
  }
}

TEST_F(RotateFlipTest, PendingTextTurnsInTenDegreeStepsUpToUpright) {
  Form1& f = prepare(solidImage(320, 256, 0xFFFFFF));
  f.texttoplace = QStringLiteral("TURN");
  f.startx = f.starty = 100;
  f.Label26->setBackColor(Armed);
  const int cases[][3] = {{0, -1, -100}, {800, 2, 900}, {-800, -2, -900}, {-900, 1, -800}};
  for (auto [start, steps, end] : cases) {
    f.textangle = start;
    turn(steps);
    EXPECT_EQ(f.textangle, end) << start;
    EXPECT_GT(countColour(f.Picture1->shown(), 0), 0) << "printed again";
  }
  EXPECT_EQ(countColour(f.Picture1->picture(), 0), 0) << "only the pending text turns";
}

TEST_F(RotateFlipTest, RefusedTurnsChangeNothing) {
  const std::pair<std::function<void(Form1&)>, const char*> cases[] = {
      {[](Form1& f) { f.Label31->setBackColor(Armed); }, "Cannot rotate vertical text"},
      {[](Form1& f) { f.Label34->setCaption("  Grad"), f.Label26->setBackColor(Armed); }, "Cannot rotate graduated text"},
      {[](Form1& f) { f.Check16->setValue(1); }, nullptr},
      {[](Form1& f) { f.Check18->setValue(1); }, nullptr}};
  for (const auto& [setUp, message] : cases) {
    const QImage source = positionPicture(320, 256);
    Form1& f = prepare(source);
    setUp(f);
    turn(-1);
    EXPECT_TRUE(sameImage(source, f.Picture1->picture()));
    EXPECT_EQ(f.rotationangle + f.textangle, 0);
    ASSERT_EQ(dialogs->calls.size(), message ? 1u : 0u);
    if (message) EXPECT_EQ(dialogs->calls[0].prompt, QLatin1String(message));
  }
}

TEST_F(RotateFlipTest, InsertsOfAnySizeTurnFromTheirSourceAndStayPending) {
  const QImage base = solidImage(340, 256, 0x00FF00);
  for (QSize size : {QSize(1, 1), QSize(3, 7), QSize(4000, 4000)}) {
    const QImage source = positionPicture(size.width(), size.height());
    Form1& f = prepare(base);
    pendInsert(source, 40, 30, 120);
    turn(2);
    EXPECT_TRUE(sameImage(turned(source, 340, 2), f.Picture2->picture())) << size.width();
    PictureBox shown(nullptr, 340, 256);
    shown.setPicture(base);
    shown.PaintPicture(f.Picture2->picture(), 40, 30, 120, 96);
    EXPECT_TRUE(sameImage(shown.shown(), f.Picture1->shown())) << "shown at the anchor";
    EXPECT_TRUE(sameImage(base, f.Picture1->picture()));
    EXPECT_EQ(f.Label26->backColor(), Armed);
  }
  // Without a source nothing turns and no step is counted.
  Form1& f = prepare(base);
  pendInsert(QImage(), 20, 20, 80);
  turn(-1);
  EXPECT_EQ(f.rotationangle, 0);
}

// A flip shows the mirror of what was shown: the mirrored source turned as far the other way,
// whatever would refuse a turn button (BkGnd, vertical text). Nothing pending: a plain mirror.
TEST_F(RotateFlipTest, FlipsMirrorWhatIsShownInBothLayouts) {
  const struct { int width, steps, axis; bool refusalsOn; } cases[] = {
      {320, 0, Qt::Vertical, false}, {340, 0, Qt::Horizontal, false}, {320, -4, Qt::Horizontal, false},
      {340, -1, Qt::Vertical, true}, {320, 3, Qt::Horizontal, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps);
    const QImage source = positionPicture(c.width, 256);
    Form1& f = prepare(source);
    turn(c.steps);
    if (c.refusalsOn) f.Check16->setValue(1), f.Label31->setBackColor(Armed);
    flip(c.axis);
    const QImage mirror = frameOf(source, c.width, c.axis);
    EXPECT_TRUE(sameImage(c.steps ? turned(mirror, c.width, -c.steps) : mirror, f.Picture1->picture()));
    EXPECT_TRUE(sameImage(mirror, f.Image6->picture()));
    EXPECT_NEAR(f.rotationangle, std::abs(c.steps) * kStep, 1e-9);
    if (c.steps) EXPECT_EQ(f.toolmarker, c.steps < 0 ? tool::Anticlockwise : tool::Clockwise);
  }
  // A turned insert likewise; its source becomes its mirror over the frame.
  const QImage source = positionPicture(160, 128);
  Form1& f = prepare(solidImage(320, 256, 0));
  pendInsert(source, 50, 40, 100);
  turn(-3);
  flip(Qt::Horizontal);
  EXPECT_TRUE(sameImage(frameOf(source, 320, Qt::Horizontal), f.Image6->picture()));
  EXPECT_TRUE(sameImage(turned(f.Image6->picture(), 320, 3), f.Picture2->picture()));
}

// Clicks on the turn, flip, Things and panel controls that arrive while a turn, the globe or the
// panel's opening lets events run are ignored: the pictures show one run.
TEST_F(RotateFlipTest, ClicksDeliveredWhileARunLetsEventsThroughAreIgnored) {
  const auto interfere = [](Form1& f) {
    emit f.Command44->mouseDown(1, 0, 0, 0);
    emit f.Command29->mouseDown(1, 0, 0, 0);
    f.Combo1->setText(QStringLiteral("User Color"));
    emit f.Combo1->click();
    f.Command13->click();
    f.Command43->click();
  };
  const QImage source = positionPicture(320, 256);
  QImage globe = source;
  raster::globe(globe);
  const struct { std::function<void(Form1&)> run; QImage shown; bool panelOpen; } runs[] = {
      {[this](Form1&) { turn(-1); }, turned(source, 320, -1), false},
      {[](Form1& f) { f.Combo1->setText(QStringLiteral("Globe")), f.Combo1_Click(); }, globe, false},
      {[](Form1& f) { f.Command13_Click(); }, source, true}};
  for (const auto& r : runs) {
    Form1& f = prepare(source);
    bool delivered = false;
    QMetaObject::invokeMethod(qApp, [&] { delivered = true, interfere(f); }, Qt::QueuedConnection);
    r.run(f);
    ASSERT_TRUE(delivered);
    EXPECT_TRUE(sameImage(r.shown, f.Picture1->picture()));
    EXPECT_EQ(f.Frame9->isHidden(), !r.panelOpen);
    if (r.panelOpen) EXPECT_TRUE(sameImage(source, f.PicbufVisible->picture()));
    EXPECT_TRUE(dialogs->colour.calls.empty());
  }
}

}  // namespace
