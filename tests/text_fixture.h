#pragma once

#include <algorithm>
#include <cmath>

#include "platform/colour.h"
#include "platform/picturebox.h"
#include "tests/support/form_fixture.h"

// A main window in Text mode with a text to place on a white picture: ink, back colour, shadow
// and rim differ from each other and from white. The random source gives 0, so every raise of a
// style colour is 1 per channel. Tests print what they expect on a second picture box.
class TextFixture : public FormTest {
 protected:
  static constexpr long White = seen::White;
  static constexpr long Ink = colour::rgb(0, 0, 200);
  static constexpr long Rim = colour::rgb(0, 200, 0);
  static constexpr long Shade = colour::rgb(90, 90, 90);
  static constexpr long Paper = colour::rgb(255, 255, 0);

  // `text` at (x, y) in Arial at `size` points; nothing pending yet, so controls that redraw on
  // change can be set before arm().
  Form1& prepare(const QString& text, double size = 30, double x = 20, double y = 40) {
    Form1& f = build();
    f.Text1->setText(text);
    if (!f.Option1->value()) f.Option1->setValue(true);
    f.Label26->setBackColor(colour::state::SetIdle);
    f.Picture1->setPicture(solidImage(320, 256, White));
    f.Image6->setPicture(f.Picture1->picture());
    f.Picture1->font.name = QStringLiteral("Arial");
    f.Picture1->font.size = size;
    f.Picture1->setForeColor(Ink);
    f.Picture1->setBackColor(Paper);
    f.textsettings[7] = QString::number(Ink);
    f.shadowcolour = Shade;
    f.texttoplace = text;
    f.startx = x;
    f.starty = y;
    return f;
  }

  // SET red on a clean erasable layer: the text is pending.
  void arm() {
    form->Picture1->Cls();
    form->Label26->setBackColor(colour::state::Armed);
  }

  // Armed, and the text drawn in the plain redraw order.
  QImage placePlain() {
    arm();
    form->redrawPendingText();
    return shown();
  }

  static long raised(long c) {
    const auto up = [](int channel) { return std::min(channel + 1, 255); };
    return colour::rgb(up(colour::red(c)), up(colour::green(c)), up(colour::blue(c)));
  }

  // The font the printer builds for a horizontal line: 18 twips per point at 15 twips per pixel.
  static TextFont lineFont(double size) {
    TextFont f;
    f.name = QStringLiteral("Arial");
    f.pixelHeight = int(std::nearbyint(size * 18.0 / 15.0));
    return f;
  }

  // A white picture of the canvas size to print the expected result on.
  static std::unique_ptr<PictureBox> expectedCanvas() {
    auto box = std::make_unique<PictureBox>(nullptr, 320, 256);
    box->setPicture(solidImage(320, 256, White));
    return box;
  }

  static void printAt(PictureBox& box, const QString& text, const TextFont& font, double x, double y, long colour,
                      int angle = 0) {
    box.setForeColor(colour);
    box.currentX = x;
    box.currentY = y;
    box.Print(text, font, angle);
  }

  QImage shown() const { return form->Picture1->shown(); }
};
