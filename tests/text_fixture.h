#pragma once

#include <cmath>

#include "platform/colour.h"
#include "platform/picturebox.h"
#include "tests/support/form_fixture.h"

// A main window with pending text ready to print on a white picture, and a second picture box
// on which a test prints what it expects, copy by copy.
class TextFixture : public FormTest {
 protected:
  static constexpr long White = 0xFFFFFF;
  static constexpr long Ink = colour::rgb(0, 0, 255);
  static constexpr long Rim = colour::rgb(0, 200, 0);
  static constexpr long Shade = colour::rgb(128, 128, 128);
  static constexpr long Paper = colour::rgb(255, 255, 0);

  // Text mode, the text to place, the anchor, and Arial at `size` points in the ink colour.
  // Nothing is pending yet: controls that redraw on change can be set before arm().
  Form1& prepare(const QString& text, double size, double x, double y) {
    Form1& f = build();
    if (!f.Option1->value()) f.Option1->setValue(true);
    f.Label26->setBackColor(colour::state::SetIdle);
    f.Picture1->setPicture(solidImage(320, 256, White));
    f.Picture1->font.name = QStringLiteral("Arial");
    f.Picture1->font.size = size;
    f.Picture1->setForeColor(Ink);
    f.markedtext.clear();
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

  static void printAt(PictureBox& box, const QString& text, const TextFont& font, double x, double y, long colour) {
    box.setForeColor(colour);
    box.currentX = x;
    box.currentY = y;
    box.Print(text, font, 0);
  }

  QImage shown() const { return form->Picture1->shown(); }
};
