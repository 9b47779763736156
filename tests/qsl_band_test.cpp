#include "platform/colour.h"
#include "raster/qslpanel.h"
#include "tests/support/form_fixture.h"

namespace {

constexpr long Grey = 0x808080;
constexpr long PanelFrame = colour::rgb(0, 0, 213);
constexpr long Black = 0;

QDateTime at(int year, int month, int day, int hour, int minute) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

class QslBandTest : public FormTest {
 protected:
  // A grey picture, a pending-free Text mode with text in Text1, the clock at 08:15.
  Form1& prepared(bool wide = false) {
    Form1& f = start();
    if (wide) f.jvcomm1->trigger();
    f.env.clock = [] { return at(2026, 12, 5, 8, 15); };
    f.Text1->setText(QStringLiteral("CQ DE TEST"));
    regrey();
    return f;
  }
  void regrey() { form->Picture1->setPicture(solidImage(form->frameWidth(), 256, Grey)); }
  int blackIn(const QRect& r) const { return countColour(form->Picture1->picture(), Black, r); }
};

}  // namespace

TEST_F(QslBandTest, BandAndStampLandInPlaceCommittedWithNothingLeftPending) {
  const struct { bool wide, stamp, top; QPoint panel; QRect call, lines; } cases[] = {
      {false, false, false, {34, 153}, {100, 155, 150, 30}, {50, 188, 200, 55}},
      {false, false, true, {34, 16}, {100, 18, 150, 30}, {50, 51, 200, 55}},
      {true, false, false, {44, 153}, {110, 155, 150, 30}, {60, 188, 200, 55}},
      {false, true, false, {25, 235}, {33, 234, 60, 17}, {110, 234, 150, 17}},
      {true, true, false, {35, 235}, {43, 234, 60, 17}, {120, 234, 150, 17}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("wide %1 stamp %2 top %3").arg(c.wide).arg(c.stamp).arg(c.top).toStdString());
    Form1& f = prepared(c.wide);
    const TextFont font = f.Picture1->font;
    const long fore = f.Picture1->foreColor();
    if (c.stamp)
      f.Label53_Click();
    else if (c.top)
      f.Command4_Click();
    else
      f.Command32_Click();
    const QImage& picture = f.Picture1->picture();
    EXPECT_EQ(std::tuple(pixelAt(picture, c.panel.x(), c.panel.y()), pixelAt(picture, c.panel.x() - 1, c.panel.y())),
              std::tuple(PanelFrame, Grey));
    EXPECT_GT(blackIn(c.call), 20);
    EXPECT_GT(blackIn(c.lines), 100);
    for (const QImage& copy : {f.Picture1->image(), f.Picture1->shown(), f.Image6->picture()}) EXPECT_TRUE(sameImage(picture, copy));
    EXPECT_EQ(std::tuple(f.Label26->backColor(), f.qsltop, f.operationmarker, f.Picture1->foreColor()),
              std::tuple(colour::state::SetIdle, 0, 0, fore));
    // The font comes back; the stamp leaves it bold.
    EXPECT_EQ(std::tuple(f.Picture1->font.size, f.Picture1->font.name, f.Picture1->font.bold()),
              std::tuple(font.size, font.name, c.stamp));
  }
}

// The texts' own rules are pinned where they are made; here the boxes, the defaults and the clock
// reach them, and what they give back is kept in the defaults.
TEST_F(QslBandTest, LinesComeFromTheBoxesTheDefaultsAndOneReadingOfTheClock) {
  Form1& f = prepared();
  const struct { const char *recipient, *zone, *offset; QDateTime now; const char *line1, *line3; } cases[] = {
      {"", "UTC", "-10", at(2026, 12, 5, 8, 15), "Confirms  NOTHING   2xSSTV", "Dec 04 2026    22:15 UTC"},
      {"w1xyz", "LCL", "+5", at(2026, 12, 31, 22, 0), "Confirms  W1XYZ   2xSSTV", "Dec 31 2026    22:00 LCL"},
  };
  f.qsldefaults[2] = QStringLiteral("G4ABC/P");
  f.Text9->setText(QStringLiteral("20M"));
  f.Text10->setText(QStringLiteral(" 595 "));
  for (const auto& c : cases) {
    f.Text15->setText(QString::fromLatin1(c.recipient));
    f.qsldefaults[5] = QString::fromLatin1(c.zone);
    f.Text16->setText(QString::fromLatin1(c.offset));
    f.env.clock = [now = c.now] { return now; };
    f.Command32_Click();
    EXPECT_EQ(QStringList({f.textlines[1], f.textlines[2], f.textlines[3]}),
              QStringList({c.line1, "RSV -  595       Band - 20M", c.line3}));
  }
  EXPECT_EQ(QStringList({f.qsldefaults[2], f.qsldefaults[3], f.qsldefaults[4]}), QStringList({"G4ABC/P", "20M", "595"}));
  f.qsldefaults[2].clear();
  f.Label53_Click();
  EXPECT_EQ(QStringList({f.qsldefaults[2], f.texttoplace}), QStringList({"NOCALL", "22:00 LCL  Dec 31 2026"}));
}

TEST_F(QslBandTest, TextMarkedInText1NeitherReplacesTheTextsNorIsLost) {
  Form1& f = prepared();
  for (void (Form1::*draw)() : {&Form1::Command32_Click, &Form1::Label53_Click}) {
    regrey();
    f.markedtext.clear();
    (f.*draw)();
    const QImage plain = f.Picture1->picture();
    regrey();
    f.markedtext = QStringLiteral("MARKED");
    (f.*draw)();
    EXPECT_TRUE(sameImage(plain, f.Picture1->picture()));
    EXPECT_EQ(f.markedtext, QStringLiteral("MARKED"));
  }
}

TEST_F(QslBandTest, WhileTheSearchIsOnTheBandDrawsNothingAndTheNextGoesToTheBottom) {
  Form1& f = prepared();
  f.Label48->setBackColor(colour::state::Armed);
  f.Frame5->show();
  f.Command4_Click();
  EXPECT_TRUE(f.Frame5->isHidden());
  EXPECT_TRUE(sameImage(solidImage(320, 256, Grey), f.Picture1->picture()));
  EXPECT_EQ(f.qsltop, 0);
}

TEST_F(QslBandTest, TheFramesOpenOnTheCallsignAndTheDefaults) {
  Form1& f = start();
  f.Text3->setText(QStringLiteral("g4abc"));
  f.Label54_Click();
  EXPECT_EQ(std::tuple(f.Frame5->isVisibleTo(&f), f.Text15->text()), std::tuple(true, QStringLiteral("G4ABC")));
  f.qslinfo->trigger();
  EXPECT_EQ(std::tuple(f.Frame6->isVisibleTo(&f), f.Text11->text(), f.Option9->value()),
            std::tuple(true, QStringLiteral("SETUP YOUR CALLSIGN"), true));
  f.Text11->setText(QStringLiteral("G4ABC"));
  f.Option10->click();
  EXPECT_EQ(QStringList({f.qsldefaults[2], f.qsldefaults[5]}), QStringList({"G4ABC", "LCL"}));
}

TEST(QslPanel, FramedOrangeToWhiteWithARoundedRedOutlineInside) {
  const QImage panel = raster::qslPanel();
  ASSERT_EQ(panel.size(), QSize(250, 96));
  for (QPoint corner : {QPoint(0, 0), QPoint(249, 0), QPoint(0, 95), QPoint(249, 95), QPoint(125, 0)})
    EXPECT_EQ(pixelAt(panel, corner.x(), corner.y()), PanelFrame);
  EXPECT_EQ(pixelAt(panel, 125, 48), colour::rgb(255, 255, 255));
  EXPECT_EQ(pixelAt(panel, 125, 2), colour::rgb(255, 133, 10));  // two rows in: still orange
  EXPECT_EQ(pixelAt(panel, 125, 4), colour::rgb(213, 0, 0));     // the outline
  EXPECT_NE(pixelAt(panel, 4, 4), colour::rgb(213, 0, 0));       // its corners are rounded
}
