#include <gtest/gtest.h>

#include "platform/picbuf.h"
#include "tests/text_fixture.h"

using colour::rgb;

namespace {

// A picture with hard stair steps for the filters to work on.
QImage staircase() {
  QImage img = solidImage(320, 256, 0xFFFFFF);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < y / 2 + 40 && x < 320; ++x) img.setPixel(x, y, colour::toQRgb(rgb(200, 30, 60)));
  return img;
}

// What `passes` of Soften and Sharpen at strength 1 make of a picture, in the given order.
QImage filtered(const QImage& picture, const std::string& passes) {
  PicBuf buffer(nullptr);
  buffer.setPicture(picture);
  for (char pass : passes) pass == 'S' ? buffer.soften(1) : buffer.sharpen(1);
  return buffer.picture();
}

}  // namespace

class DejagTest : public TextFixture {};

// Refused while work is pending; then six Soften and five Sharpen alternate, and OOPS takes them back.
TEST_F(DejagTest, SixSoftenAndFiveSharpenAlternateOnceNothingIsPending) {
  Form1& f = prepare(QStringLiteral("Hi"));
  f.softenamount = f.sharpenamount = 1;
  const QImage pending = placePlain();
  f.Label35_Click();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].prompt, QStringLiteral("Picture must be 'SET' first"));
  EXPECT_EQ(f.Label26->backColor(), colour::state::Armed);
  EXPECT_TRUE(sameImage(pending, f.Picture1->shown()));

  f.Command12_Click();
  const QImage before = staircase();
  f.Picture1->setPicture(before);
  emit f.Label35->clicked();
  const QImage result = f.Picture1->picture();
  EXPECT_TRUE(sameImage(filtered(before, "SHSHSHSHSHS"), result));
  EXPECT_FALSE(sameImage(filtered(before, "SSSSSSHHHHH"), result));
  EXPECT_TRUE(sameImage(result, f.Image6->picture()));  // a later turn of the picture starts here
  EXPECT_EQ(std::tuple(f.Label35->backColor(), f.Label26->backColor()), std::tuple(seen::Idle, seen::SetIdle));

  f.Command31_Click();  // OOPS
  EXPECT_TRUE(sameImage(before, f.Picture1->picture()));
}
