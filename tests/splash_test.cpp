#include <QElapsedTimer>
#include <QTimer>

#include "app/form2.h"
#include "app/testpattern.h"
#include "platform/system.h"
#include "tests/support/checks.h"

namespace {

constexpr long Red = 0xFF;

// The box around every pixel the text turned red on the splash image (pixels that were red in
// the test pattern already do not count).
QRect redTextBox(const QImage& shown, const QImage& pattern) {
  QRect box;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (pixelAt(shown, x, y) == Red && pixelAt(pattern, x, y) != Red) box |= QRect(x, y, 1, 1);
  return box;
}

void expectPaced(const std::vector<quint32>& frameTimes) {
  for (size_t i = 1; i < frameTimes.size(); ++i)
    EXPECT_GT(quint32(frameTimes[i] - frameTimes[i - 1]), 35u) << "frame " << i;
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

TEST(SplashTest, EighteenFramesEachMoreThan35msAfterThePrevious) {
  const QImage pattern = makeTestPattern();
  Form2 splash(pattern);
  QElapsedTimer elapsed;
  elapsed.start();
  const quint32 before = platform::GetTickCount();
  splash.Form_Load();
  EXPECT_EQ(splash.splashradius, 155);
  ASSERT_EQ(splash.frameTimes.size(), 18u);
  EXPECT_LT(quint32(splash.frameTimes[0] - before), 36u);  // the first frame does not wait
  expectPaced(splash.frameTimes);
  EXPECT_GE(elapsed.elapsed(), 17 * 36);
  EXPECT_EQ(splash.lastIndex, 18);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(splash.windowTitle(), QStringLiteral("Marvane"));

  // The last frame lies flat, starting at anchor point 18: (160 - 153, 128 + 27 - 46) = (7, 109).
  const QRect box = redTextBox(splash.screen(), pattern);
  ASSERT_FALSE(box.isEmpty());
  EXPECT_NEAR(box.left(), 7, 4);
  EXPECT_TRUE(box.top() >= 109 && box.bottom() <= 109 + 48) << box.top() << " to " << box.bottom();
  EXPECT_TRUE(box.width() > 250 && box.width() < 340) << box.width();  // about 10 pixels a character over 31
}

// On a clock stuck just short of the 32-bit wrap only the first frame can be drawn, and it must
// come without waiting; unloading the splash then ends the loop. The frame turns pixels red and
// nothing else.
TEST(SplashTest, FirstFrameComesAtOnceAtAnchorPointOneTurnedBy170Degrees) {
  const QImage pattern = makeTestPattern();
  Form2 splash(pattern);
  EXPECT_TRUE(sameImage(pattern, splash.screen()));
  int reads = 0;
  splash.tickCount = [&] {
    if (++reads == 50) splash.Form_Unload();
    return quint32(0xFFFFFFF0u);
  };
  splash.Form_Load();
  ASSERT_EQ(splash.frameTimes.size(), 1u);
  EXPECT_EQ(splash.lastIndex, 1);

  // Anchor point 1 is (160 + 155, 128 - 46) = (315, 82). At 170 degrees the line runs from there
  // to the left and slightly up, upside down, so its glyphs hang above the anchor.
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

TEST(SplashTest, PacingSurvivesTheTickCountWrapping) {
  Form2 splash(makeTestPattern());
  quint32 now = 0xFFFFFF00u;  // wraps to 0 during the animation
  splash.tickCount = [&] { return now += 3; };
  splash.Form_Load();
  ASSERT_EQ(splash.frameTimes.size(), 18u);
  EXPECT_LT(splash.frameTimes.back(), 0x1000u);
  expectPaced(splash.frameTimes);
}

TEST(SplashTest, UnloadingDuringTheAnimationStopsItEarly) {
  Form2 splash(makeTestPattern());
  // Closing the window from its frame is unloading it.
  QTimer::singleShot(150, &splash, [&] { splash.close(); });
  splash.Form_Load();
  EXPECT_TRUE(splash.splashstop);
  EXPECT_TRUE(splash.frameTimes.size() >= 1u && splash.frameTimes.size() < 18u) << splash.frameTimes.size();
}

TEST(SplashTest, TestPatternIsFullSizeInExactColours) {
  const QImage pattern = makeTestPattern();
  ASSERT_EQ(pattern.size(), QSize(320, 256));
  // Eight bars and a sixteen-step grey ramp, nothing blended in between (black and white are in both).
  QSet<QRgb> colours;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 320; ++x) colours.insert(pattern.pixel(x, y) & 0xFFFFFF);
  EXPECT_LE(colours.size(), 22);
  // The red bar, the white bar, the black field.
  EXPECT_EQ(std::vector<long>({pixelAt(pattern, 220, 60), pixelAt(pattern, 20, 60), pixelAt(pattern, 5, 200)}),
            std::vector<long>({0xFF, 0xFFFFFF, 0}));
}
