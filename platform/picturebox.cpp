#include "platform/picturebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "platform/colour.h"
#include "platform/controls.h"
#include "platform/textstamp.h"
#include "raster/blit.h"
#include "raster/extrude.h"
#include "raster/fill.h"

namespace {

// Positions given in picture units land on whole pixels the way GDI's calls round them.
int px(double v) { return int(std::nearbyint(v)); }

QPainter* beginExact(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  return &p;
}

constexpr int FillIconSide = 32;

// Qt's cross pattern has its lines in column 4 and row 3 of its tile; moved by this much they
// pass through the layer's corner. Its downward diagonal already does.
constexpr qreal CrossPatternShiftX = 4, CrossPatternShiftY = 5;

}  // namespace

QPixmap drawFillIcon() {
  QPixmap icon(FillIconSide, FillIconSide);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  // A tilted pot, and the paint running from its lip to the pointer's tip at the bottom left.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(192, 192, 192));
  p.drawPolygon(QPolygon({QPoint(12, 4), QPoint(26, 12), QPoint(20, 24), QPoint(6, 16)}));
  p.setBrush(QColor(0, 0, 255));
  p.drawPolygon(QPolygon({QPoint(6, 16), QPoint(2, 22), QPoint(1, 31), QPoint(4, 24), QPoint(8, 18)}));
  return icon;
}

PictureBox::PictureBox(QWidget* parent, int scaleWidth, int scaleHeight, int border)
    : QWidget(parent), border_(border) {
  setScaleSize(scaleWidth, scaleHeight);
  setMouseTracking(true);
}

QImage PictureBox::blankImage() const {
  QImage blank(persistent_.size(), QImage::Format_RGB32);
  blank.fill(colour::toQRgb(backColor_));
  return blank;
}

void PictureBox::setScaleSize(int width, int height) {
  drawPending();
  const QImage old = persistent_;
  const QImage oldPicture = picture_;
  persistent_ = QImage(width, height, QImage::Format_RGB32);
  persistent_.fill(colour::toQRgb(backColor_));
  if (!old.isNull()) {
    QPainter p(&persistent_);
    p.drawImage(0, 0, old);
  }
  screen_ = QImage(width, height, QImage::Format_ARGB32);
  screen_.fill(Qt::transparent);
  setFixedSize(width + 2 * border_, height + 2 * border_);
  changed();
}

void PictureBox::setBackColor(long c) {
  drawPending();
  backColor_ = c;
  // Without a picture the box shows its back colour.
  if (picture_.isNull()) {
    persistent_.fill(colour::toQRgb(c));
    changed();
  }
}

void PictureBox::setPicture(const QImage& picture) {
  drawPending();
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  persistent_ = blankImage();
  if (!picture_.isNull()) {
    QPainter p(&persistent_);
    p.drawImage(0, 0, picture_);
  }
  screen_.fill(Qt::transparent);
  changed();
}

void PictureBox::clearPicture() { setPicture(QImage()); }

QImage PictureBox::shown() const {
  QImage out = persistent_;
  QPainter p(&out);
  p.drawImage(0, 0, screen_);
  return out;
}

void PictureBox::commit() {
  drawPending();
  picture_ = persistent_;
  // Callers take the committed picture for what the operator sees: a preview left on the screen
  // layer would stand over it until the next clear.
  screen_.fill(Qt::transparent);
  changed();
}

void PictureBox::setAutoRedraw(bool on) {
  drawPending();
  autoRedraw_ = on;
}

void PictureBox::Cls() {
  drawPending();
  screen_.fill(Qt::transparent);
  if (autoRedraw_) {
    persistent_ = blankImage();
    if (!picture_.isNull()) {
      QPainter p(&persistent_);
      p.drawImage(0, 0, picture_);
    }
  }
  currentX = 0;
  currentY = 0;
  changed();
}

QImage& PictureBox::drawTarget() {
  drawPending();
  return layer();
}

void PictureBox::Print(const QString& text) { Print(text, font, 0); }

void PictureBox::Print(const QString& text, const TextFont& f, int escapement) {
  PrintStamp(TextStamp::of(text, f, escapement));
}

void PictureBox::PrintStamp(const std::shared_ptr<const TextStamp>& stamp) {
  const QPoint at(px(currentX), px(currentY));
  const bool opaque = !fontTransparent_;
  if (stamp->reach(opaque).translated(at).intersects(persistent_.rect())) {
    const QRgb ink = colour::toQRgb(foreColor_);
    const QRgb cell = colour::toQRgb(backColor_);
    if (openBatches_ > 0) {
      pending_.push_back({stamp, at, ink, opaque, cell});
    } else {
      stamp->draw(drawTarget(), at, ink, opaque, cell);
      changed();
    }
  }
  currentX = 0;
  currentY += stamp->lineHeight();
}

PictureBox::PrintBatch::PrintBatch(PictureBox& box) : box_(box) { ++box_.openBatches_; }

PictureBox::PrintBatch::~PrintBatch() {
  if (--box_.openBatches_ == 0) box_.drawPending();
}

void PictureBox::drawPending() {
  if (pending_.empty()) return;
  std::vector<raster::MaskPrint> prints;
  prints.reserve(2 * pending_.size());
  for (const PendingPrint& p : pending_) {
    if (p.opaque) prints.push_back({&p.stamp->cell(), p.at, p.cell});
    prints.push_back({&p.stamp->ink(), p.at, p.ink});
  }
  raster::fillInOrder(layer(), prints);
  pending_.clear();
  changed();
}

QBrush PictureBox::fillBrush() const {
  // The hatches are Qt's 8 x 8 patterns, lined up with the layer's corner: one-pixel lines eight
  // pixels apart, as GDI's hatch brushes draw them.
  switch (fillStyle_) {
    case FillSolid: return colour::toQColor(fillColor_);
    case FillDownwardDiagonal: return QBrush(colour::toQColor(fillColor_), Qt::FDiagPattern);
    case FillCross: {
      QBrush cross(colour::toQColor(fillColor_), Qt::CrossPattern);
      cross.setTransform(QTransform::fromTranslate(CrossPatternShiftX, CrossPatternShiftY));
      return cross;
    }
    default: return Qt::NoBrush;
  }
}

void PictureBox::Line(double x1, double y1, double x2, double y2, long colour) {
  QPainter p(&drawTarget());
  beginExact(p);
  QPen pen(colour::toQColor(colour), drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  if (px(x1) == px(x2) && px(y1) == px(y2))
    p.drawPoint(px(x1), px(y1));
  else
    p.drawLine(px(x1), px(y1), px(x2), px(y2));
  currentX = x2;
  currentY = y2;
  changed();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, long colour) {
  const QRect r = QRect(QPoint(px(x1), px(y1)), QPoint(px(x2), px(y2))).normalized();
  QPainter p(&drawTarget());
  beginExact(p);
  p.setPen(QPen(colour::toQColor(colour), drawWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(fillBrush());
  p.drawRect(r.x(), r.y(), r.width() - 1, r.height() - 1);
  currentX = x2;
  currentY = y2;
  changed();
}

void PictureBox::BoxFilled(double x1, double y1, double x2, double y2, long colour) {
  const QRect r = QRect(QPoint(px(x1), px(y1)), QPoint(px(x2), px(y2))).normalized();
  QPainter p(&drawTarget());
  beginExact(p);
  p.fillRect(r, colour::toQColor(colour));
  currentX = x2;
  currentY = y2;
  changed();
}

void PictureBox::Circle(double cx, double cy, double radius, long colour, double aspect) {
  double rx = radius;
  double ry = radius;
  if (aspect < 1.0)
    ry = radius * aspect;
  else
    rx = radius / aspect;
  QPainter p(&drawTarget());
  beginExact(p);
  p.setPen(QPen(colour::toQColor(colour), drawWidth_));
  p.setBrush(fillBrush());
  p.drawEllipse(QPoint(px(cx), px(cy)), px(rx), px(ry));
  currentX = cx;
  currentY = cy;
  changed();
}

void PictureBox::PSet(double x, double y, long colour) {
  QImage& t = drawTarget();
  const int ix = px(x);
  const int iy = px(y);
  if (drawWidth_ <= 1) {
    if (t.valid(ix, iy)) t.setPixel(ix, iy, colour::toQRgb(colour) | 0xFF000000u);
  } else {
    QPainter p(&t);
    beginExact(p);
    p.setPen(QPen(colour::toQColor(colour), drawWidth_, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(ix, iy);
  }
  currentX = x;
  currentY = y;
  changed();
}

long PictureBox::Point(double x, double y) const {
  const int ix = px(x);
  const int iy = px(y);
  if (!persistent_.valid(ix, iy)) return NoColour;
  if (!autoRedraw_) {
    const QRgb s = screen_.pixel(ix, iy);
    if (qAlpha(s) != 0) return colour::fromQRgb(s);
  }
  return colour::fromQRgb(persistent_.pixel(ix, iy));
}

void PictureBox::PaintPicture(const QImage& source, double x, double y, double w, double h) {
  if (source.isNull()) return;
  QPainter p(&drawTarget());
  beginExact(p);
  p.drawImage(QRect(px(x), px(y), px(w), px(h)), source);
  changed();
}

void PictureBox::PaintPicture(const QImage& source, double x, double y, double w, double h, double sx, double sy,
                              double sw, double sh) {
  const QRect wanted(QPoint(px(std::min(sx, sx + sw)), px(std::min(sy, sy + sh))),
                     QPoint(px(std::max(sx, sx + sw)) - 1, px(std::max(sy, sy + sh)) - 1));
  const QRect part = wanted & source.rect();
  if (part.isEmpty()) return;
  // What lies outside the source is left out; the rest keeps its place in the stretched
  // rectangle, counted from its far side where it is mirrored.
  const double kx = w / wanted.width();
  const double ky = h / wanted.height();
  const int left = sw < 0 ? wanted.right() - part.right() : part.left() - wanted.left();
  const int top = sh < 0 ? wanted.bottom() - part.bottom() : part.top() - wanted.top();
  PaintPicture(source.copy(part).mirrored(sw < 0, sh < 0), x + left * kx, y + top * ky, part.width() * kx,
               part.height() * ky);
}

bool PictureBox::floodable() {
  drawPending();
  return autoRedraw_ && fillStyle_ == FillSolid;
}

bool PictureBox::holds(double x, double y, QPoint* at) const {
  *at = QPoint(px(x), px(y));
  return persistent_.valid(*at);
}

bool PictureBox::FloodFill(double x, double y, long border) {
  QPoint at;
  if (!floodable() || !holds(x, y, &at)) return false;
  const bool painted = raster::floodFillBorder(drawTarget(), at, colour::toQRgb(border), colour::toQRgb(fillColor_));
  changed();
  return painted;
}

bool PictureBox::ExtFloodFillSurface(double x, double y) {
  QPoint at;
  if (!floodable() || !holds(x, y, &at)) return false;
  const bool painted = raster::floodFillSurface(drawTarget(), at, colour::toQRgb(fillColor_));
  changed();
  return painted;
}

void PictureBox::TransparentBlit(const QImage& source, const QRect& from, double x, double y, long key) {
  QImage& target = drawTarget();
  // Through the key colour shows what the box shows, or holds while AutoRedraw is on.
  const QImage shownNow = autoRedraw_ ? QImage() : shown();
  raster::transparentCopy(target, autoRedraw_ ? persistent_ : shownNow, source, from, QPoint(px(x), px(y)),
                          colour::toQRgb(key));
  changed();
}

void PictureBox::setMousePointer(int pointer) {
  mousePointer_ = pointer;
  setCursor(pointer == 2 ? Qt::CrossCursor : Qt::ArrowCursor);
}

void PictureBox::changed() { update(); }

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Dark));
  p.fillRect(rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Shadow));
  p.drawImage(border_, border_, persistent_);
  p.drawImage(border_, border_, screen_);
}

void PictureBox::emitMouse(QMouseEvent* e, int kind) {
  const int button = kind == 1 ? platform::heldButtons(e->buttons()) : platform::vbButton(e->button());
  const int shift = platform::shiftState(e->modifiers());
  const QPointF at = e->position() - drawingArea().topLeft();
  const double x = at.x();
  const double y = at.y();
  if (kind == 0) emit mouseDown(button, shift, x, y);
  if (kind == 1) emit mouseMove(button, shift, x, y);
  if (kind == 2) emit mouseUp(button, shift, x, y);
}

void PictureBox::mousePressEvent(QMouseEvent* e) { emitMouse(e, 0); }
void PictureBox::mouseMoveEvent(QMouseEvent* e) { emitMouse(e, 1); }
void PictureBox::mouseReleaseEvent(QMouseEvent* e) { emitMouse(e, 2); }
