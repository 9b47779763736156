#pragma once

#include <algorithm>

#include "platform/colour.h"
#include "platform/picturebox.h"
#include "tests/support/form_fixture.h"

// A main window in Text mode with a text to place on a white picture: the ink, the back colour
// behind the letters and the colour of the shadow differ from each other and from white. The
// random source gives 0, so every raise of a style colour is 1 per channel.
class StyledTextFixture : public FormTest {
 protected:
  static constexpr long White = 0xFFFFFF;
  static constexpr long Ink = colour::rgb(0, 0, 200);
  static constexpr long Paper = colour::rgb(255, 255, 0);
  static constexpr long Shade = colour::rgb(90, 90, 90);

  // `text` at (x, y) in Arial at `size` points; nothing pending yet.
  Form1& prepare(const QString& text, double size = 30, double x = 20, double y = 40) {
    Form1& f = build();
    f.softenamount = f.sharpenamount = 1;
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

  // SET red on a clean erasable layer and the text drawn in the plain redraw order.
  QImage placePlain() {
    form->Picture1->Cls();
    form->Label26->setBackColor(colour::state::Armed);
    form->redrawPendingText();
    return form->Picture1->shown();
  }

  // A shadow and a fine outline around the letters.
  void withShadowAndOutline() {
    form->shadowdepth = 9;
    form->Option5->setValue(true);
    form->Check17->setValue(1);
    form->Check15->setValue(1);
  }

  static long raised(long c) {
    const auto up = [](int channel) { return std::min(channel + 1, 255); };
    return colour::rgb(up(colour::red(c)), up(colour::green(c)), up(colour::blue(c)));
  }
};
