#include <algorithm>

#include "app/codes.h"
#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/colour.h"

using namespace colour::state;

namespace {

// The overlay procedures leave this colour out: everything but the object is painted in it.
constexpr long TransparencyKey = 0x010101;
// The object's drawn box is centred here, a little right of the frame's middle.
constexpr double OverlayCentreX = 165, OverlayCentreY = 128;
const QString Title = QStringLiteral("Make overlay");

// The box of the strokes, held to the picture; empty when nothing was drawn in it.
QRectF drawnBox(const Form1& f) {
  const QPointF topLeft(std::max(f.minx, 0.0), std::max(f.miny, 0.0));
  const QPointF bottomRight(std::min(f.maxx, double(f.Picture1->scaleWidth())),
                            std::min(f.maxy, double(f.Picture1->scaleHeight())));
  return QRectF(topLeft, bottomRight);
}

// After the flood from the corner, a closed outline leaves the object inside it untouched; through
// a gap the flood has covered the whole box.
bool floodReachedInside(const Form1& f, const QRect& box, long outline) {
  QImage plain(box.size(), QImage::Format_RGB32);
  plain.fill(colour::toQRgb(outline));
  return f.Picture1->image().copy(box) == plain;
}

// The object, its box centred on (165, 128), on a ground of the outline colour in Picture2.
void centreObject(Form1& f, const QRectF& box) {
  const double w = box.width();
  const double h = box.height();
  drawCommitted(f.Picture2, [&] {
    f.Picture2->BoxFilled(0, 0, f.Picture2->scaleWidth(), f.Picture2->scaleHeight(), f.Picture1->Point(0, 0));
    f.Picture2->PaintPicture(f.Picture1->picture(), OverlayCentreX - w / 2, OverlayCentreY - h / 2, w, h, box.x(),
                             box.y(), w, h);
  });
}

}  // namespace

// The outline drawn round an object in Draw mode cuts it out: the object moves to the middle and
// everything else, the outline with it, takes the transparency key.
void Form1::Label30_MouseDown(int, int, double, double) {
  if (!Option8->value() || !isArmed(Label26)) return Text1->setFocus();
  if (dragsource == drag::PendingShape) {
    Label26_Click();
    Label26->setBackColor(Armed);
  }
  const QRectF box = drawnBox(*this);
  if (box.width() < 1 || box.height() < 1) {
    env.dialogs->MsgBox(QStringLiteral("Draw a closed outline round the object first."), vb::OKOnly, Title);
    return Text1->setFocus();
  }
  const long outline = canvaskit::wholeColour(textsettings[7]);
  const QImage drawn = Picture1->image();
  solidFlood(Picture1, outline, [&] { Picture1->FloodFill(0, 0, outline); });
  if (floodReachedInside(*this, box.toAlignedRect(), outline)) {
    PersistentDrawing persistent(Picture1);
    Picture1->PaintPicture(drawn, 0, 0, drawn.width(), drawn.height());
    env.dialogs->MsgBox(QStringLiteral("The outline must be closed: the fill ran through a gap into the object. "
                                       "Close the gap and click Make overlay again."),
                        vb::OKOnly, Title);
    return Text1->setFocus();
  }
  const QImage before = Picture1->picture();
  Picture1->commit();
  centreObject(*this, box);
  Picture1->setPicture(Picture2->image());
  solidFlood(Picture1, TransparencyKey, [&] { Picture1->ExtFloodFillSurface(0, 0); });
  Picture1->commit();
  pictureReplaced(before);
  Label30->setBackColor(Idle);
  Label26->setBackColor(SetIdle);
  Text1->setFocus();
}
