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
    EXPECT_EQ(pixelAt(picture, c.panel.x(), c.panel.y()), PanelFrame);
    EXPECT_EQ(pixelAt(picture, c.panel.x() - 1, c.panel.y()), Grey);
    EXPECT_GT(blackIn(c.call), 20);
    EXPECT_GT(blackIn(c.lines), 100);
    EXPECT_TRUE(sameImage(f.Picture1->image(), f.Picture1->shown()));
    EXPECT_TRUE(sameImage(f.Picture1->image(), picture));
    EXPECT_TRUE(sameImage(picture, f.Image6->picture()));
    EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
    EXPECT_EQ(f.qsltop, 0);
    EXPECT_EQ(f.operationmarker, 0);
    EXPECT_EQ(f.Picture1->font.size, font.size);
    EXPECT_EQ(f.Picture1->font.name, font.name);
    EXPECT_EQ(f.Picture1->font.bold(), c.stamp);  // the stamp leaves the font bold
    EXPECT_EQ(f.Picture1->foreColor(), fore);
    f.unloaded = true;
    form.reset();
  }
}

TEST_F(QslBandTest, LinesComeFromTheBoxesTheDefaultsAndOneReadingOfTheClock) {
  Form1& f = prepared();
  const struct { const char* recipient; const char* zone; const char* offset; QDateTime now; const char* line1; const char* line3; } cases[] = {
      {"", "UTC", "-10", at(2026, 12, 5, 8, 15), "Confirms  NOTHING   2xSSTV", "Dec 04 2026    22:15 UTC"},
      {"w1xyz", "UTC", "+5", at(2026, 12, 31, 22, 0), "Confirms  W1XYZ   2xSSTV", "Jan 01 2027    03:00 UTC"},
      {"", "LCL", "-10", at(2026, 12, 5, 8, 15), "Confirms  NOTHING   2xSSTV", "Dec 05 2026    08:15 LCL"},
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
    EXPECT_EQ(f.textlines[1], QString::fromLatin1(c.line1));
    EXPECT_EQ(f.textlines[2], QStringLiteral("RSV -  595       Band - 20M"));  // the same band after band
    EXPECT_EQ(f.textlines[3], QString::fromLatin1(c.line3));
  }
  EXPECT_EQ(f.qsldefaults[2], QStringLiteral("G4ABC/"));
  EXPECT_EQ(f.qsldefaults[4], QStringLiteral("595"));

  for (const char* stored : {"", "VK2ABCD"}) {
    f.qsldefaults[2] = QString::fromLatin1(stored);
    f.Label53_Click();
    EXPECT_EQ(f.qsldefaults[2], QString::fromLatin1(*stored ? stored : "NOCALL"));
    EXPECT_EQ(f.texttoplace, QStringLiteral("08:15 LCL  Dec 05 2026"));
  }
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

TEST_F(QslBandTest, DefaultsFramesAndTheHoursOffsetAsTyped) {
  Form1& f = start();
  f.Text3->setText(QStringLiteral("g4abc"));
  f.Label54_Click();
  EXPECT_TRUE(f.Frame5->isVisibleTo(&f));
  EXPECT_EQ(f.Text15->text(), QStringLiteral("G4ABC"));

  f.qslinfo->trigger();
  EXPECT_TRUE(f.Frame6->isVisibleTo(&f));
  EXPECT_EQ(f.Text11->text(), QStringLiteral("SETUP YOUR CALLSIGN"));
  EXPECT_TRUE(f.Option9->value());
  f.Text11->setText(QStringLiteral("G4ABC"));
  f.Option10->click();
  EXPECT_EQ(f.qsldefaults[2], QStringLiteral("G4ABC"));
  EXPECT_EQ(f.qsldefaults[5], QStringLiteral("LCL"));

  const struct { const char* typed; const char* item116; } offsets[] = {{"-5", "-5"}, {"+3", "+3"}, {"5.5", "5.5"}, {"abc", ""}};
  for (const auto& o : offsets) {
    f.Text16->setText(QString::fromLatin1(o.typed));
    f.Form_Unload();
    EXPECT_EQ(readFile(QStringLiteral("restore")).split('\n').at(115), QByteArray(o.item116) + '\r') << o.typed;
  }
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
