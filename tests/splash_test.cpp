#include <QElapsedTimer>

#include "app/form2.h"
#include "app/testpattern.h"
#include "tests/support/checks.h"

namespace {

constexpr long Red = 0xFF;

// The box around every pixel the text turned red (pixels red in the test pattern already do not count).
QRect redTextBox(const QImage& shown, const QImage& pattern) {
  QRect box;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (pixelAt(shown, x, y) == Red && pixelAt(pattern, x, y) != Red) box |= QRect(x, y, 1, 1);
  return box;
}

std::vector<quint32> spacings(const std::vector<quint32>& frameTimes) {
  std::vector<quint32> gaps;
  for (size_t i = 1; i < frameTimes.size(); ++i) gaps.push_back(frameTimes[i] - frameTimes[i - 1]);
  return gaps;
}

}  // namespace

TEST(SplashTest, LookupTableAndCentreForTheTestPatternWindow) {
  Form2 splash(makeTestPattern());
  splash.Form_Resize();
  splash.splashradius = 155;
  splash.buildlookuptable();
  EXPECT_EQ(std::tuple(splash.splashcentre[0], splash.splashcentre[1]), std::tuple(160, 128));
  // Entries every 10 degrees from 0; the y axis points down. Values near a half show the Single
  // pi and the rounding (60 and 150 degrees land just below .5, 30 and 120 just above).
  const std::pair<int, std::array<int, 2>> expected[] = {
      {1, {155, 0}},    {2, {153, 27}},   {4, {134, 78}},   {7, {77, 134}},  {10, {0, 155}},  {13, {-78, 134}},
      {16, {-134, 77}}, {18, {-153, 27}}, {19, {-155, 0}},  {28, {0, -155}}, {31, {78, -134}}, {36, {153, -27}}};
  for (const auto& [i, xy] : expected)
    EXPECT_EQ((std::array<int, 2>{splash.splashtable[i][0], splash.splashtable[i][1]}), xy) << "entry " << i;
}

// On the real tick count: eighteen frames, each more than 35 ms after the previous, the last lying flat
// from anchor point 18, (160 - 153, 128 + 27 - 46) = (7, 109). Only lower time bounds: load slows, never hurries.
TEST(SplashTest, EighteenPacedFramesOnTheRealClockEndLyingFlat) {
  const QImage pattern = makeTestPattern();
  Form2 splash(pattern);
  QElapsedTimer elapsed;
  elapsed.start();
  splash.Form_Load();
  EXPECT_GE(elapsed.elapsed(), 17 * 36);
  EXPECT_EQ(std::tuple(splash.splashradius, splash.frameTimes.size(), splash.lastIndex), std::tuple(155, 18u, 18));
  for (quint32 gap : spacings(splash.frameTimes)) EXPECT_GT(gap, 35u);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(splash.windowTitle(), QStringLiteral("Marvane"));
  const QRect box = redTextBox(splash.screen(), pattern);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_NEAR(box.left(), 7, 4);
  EXPECT_TRUE(box.top() >= 109 && box.bottom() <= 109 + 48) << box.top() << " to " << box.bottom();
  EXPECT_TRUE(box.width() > 250 && box.width() < 340) << box.width();  // about 10 pixels a character over 31
}

// A clock that moves 1 ms at each reading: the first frame comes at the first reading even on a clock
// that started less than 36 ms ago, each later one at the first reading more than 35 ms after the
// previous frame, also across the 32-bit wrap.
TEST(SplashTest, FirstFrameAtOnceAndEachNextAtTheFirstTickPast35ms) {
  for (const quint32 start : {0u, 0xFFFFFF00u}) {
    SCOPED_TRACE(start);
    Form2 splash(makeTestPattern());
    quint32 now = start;
    splash.tickCount = [&] {
      if (now - start == 2000) splash.Form_Unload();  // a loop stuck on the clock ends the test
      return ++now;
    };
    splash.Form_Load();
    ASSERT_EQ(splash.frameTimes.size(), 18u);
    EXPECT_EQ(splash.frameTimes[0], start + 2);  // drawn at reading 1, its time is reading 2
    EXPECT_EQ(spacings(splash.frameTimes), std::vector<quint32>(17, 37));
  }
}

// On a clock stuck just short of the wrap only the first frame can be drawn; closing the window from
// its frame unloads it and ends the loop at its next pass. That frame, anchor point 1 at
// (160 + 155, 128 - 46) = (315, 82) turned by 170 degrees, runs left and slightly up, upside down, so
// its glyphs hang above the anchor; it turns pixels red and nothing else.
TEST(SplashTest, ClosingEndsTheLoopAfterAFirstFrameTurnedBy170Degrees) {
  const QImage pattern = makeTestPattern();
  Form2 splash(pattern);
  EXPECT_TRUE(sameImage(pattern, splash.screen()));
  int reads = 0;
  splash.tickCount = [&] {
    if (++reads == 50) splash.close();
    if (reads == 100) splash.Form_Unload();  // ends the test if closing did not
    return quint32(0xFFFFFFF0u);
  };
  splash.Form_Load();
  EXPECT_EQ(std::tuple(reads, splash.frameTimes.size(), splash.lastIndex), std::tuple(50, 1u, 1));
  const QImage shown = splash.screen();
  const QRect box = redTextBox(shown, pattern);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GE(box.right(), 305);  // the upturned cell leans a few pixels right of the anchor
  EXPECT_LE(box.bottom(), 84);
  EXPECT_LT(box.left(), 60);
  EXPECT_LT(box.top(), 82 - 54);  // 300 pixels at 10 degrees climb about 52
  EXPECT_GT(countColour(shown, Red) - countColour(pattern, Red), 500);
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (pixelAt(shown, x, y) != pixelAt(pattern, x, y)) ASSERT_EQ(pixelAt(shown, x, y), Red) << x << "," << y;
}

// Eight bars and a sixteen-step grey ramp, nothing blended in between (black and white are in both).
TEST(SplashTest, TestPatternIsFullSizeInExactColours) {
  const QImage pattern = makeTestPattern();
  ASSERT_EQ(pattern.size(), QSize(320, 256));
  QSet<QRgb> colours;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 320; ++x) colours.insert(pattern.pixel(x, y) & 0xFFFFFF);
  EXPECT_LE(colours.size(), 22);
  // The red bar, the white bar, the black field.
  EXPECT_EQ(std::vector<long>({pixelAt(pattern, 220, 60), pixelAt(pattern, 20, 60), pixelAt(pattern, 5, 200)}),
            std::vector<long>({0xFF, 0xFFFFFF, 0}));
}
