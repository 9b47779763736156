#pragma once

#include <QPainter>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

// A started main window in an editing mode, on a picture of the test's making.
namespace canvastest {

using namespace seen;
constexpr long Grey = 0x808080, Red = 0xFF, Green = 0xFF00, Blue = 0xFF0000, Key = 0x010101;
enum Mode { Text, Draw, PicInPic, Overlays, FourInOne, FollowMouse };

// A picture of `ground` with boxes of other colours on it.
inline QImage painted(int w, long ground, std::initializer_list<std::pair<QRect, long>> boxes = {}) {
  QImage img = solidImage(w, 256, ground);
  QPainter p(&img);
  for (const auto& [box, c] : boxes) p.fillRect(box, colour::toQColor(c));
  return img;
}

class CanvasTest : public FormTest {
 protected:
  Form1& ready(Mode mode = Text, bool wide = false, long ground = Grey) {
    Form1& f = start();
    if (wide) f.jvcomm1->trigger();
    f.Picture1->setPicture(solidImage(f.frameWidth(), 256, ground));
    if (mode == Draw) f.Option8_Click();
    if (mode == PicInPic) f.Option7_Click();
    if (mode == Overlays) f.Option6_Click();
    if (mode == FourInOne) f.Check19->setValue(1);
    if (mode == FollowMouse) f.Check18->setValue(1);
    return f;
  }
  int shown(long c, QRect area = QRect()) const { return countColour(form->Picture1->shown(), c, area); }
  int committed(long c, QRect area = QRect()) const { return countColour(form->Picture1->picture(), c, area); }
  // Red shows on `lands` and nowhere else, committed or pending; SET says which.
  void expectLanded(const QRect& lands, bool pending) const {
    const int area = lands.width() * lands.height();
    EXPECT_EQ(std::tuple(shown(Red, lands), shown(Red), committed(Red), form->Label26->backColor()),
              std::tuple(area, area, pending ? 0 : area, pending ? Armed : SetIdle));
  }
};

}  // namespace canvastest
